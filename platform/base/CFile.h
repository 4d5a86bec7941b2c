// Binary file access with the framework's interface. Failures throw
// CFileException (as a heap pointer), except Open, which reports through its
// optional exception object and its result.
//
// Paths are code page 936 bytes; they become UTF-8 only at the system call.
// Share flags are kept but lock nothing: Linux has no mandatory sharing, so
// another process may go on writing a log while it is read.
#pragma once

#include "platform/base/CString.h"
#include "platform/base/Exception.h"

#include <cstdint>

using ULONGLONG = std::uint64_t;

class CFile {
public:
    enum OpenFlags : UINT {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareCompat = 0x0000,
        shareExclusive = 0x0010,
        shareDenyWrite = 0x0020,
        shareDenyRead = 0x0030,
        shareDenyNone = 0x0040,
        modeNoInherit = 0x0080,
        modeCreate = 0x1000,
        modeNoTruncate = 0x2000,
        typeText = 0x4000,
        typeBinary = 0x8000,
    };
    static constexpr int hFileNull = -1;

    CFile();
    // Opens or throws CFileException.
    CFile(LPCSTR path, UINT openFlags);
    // Closes without throwing.
    virtual ~CFile();
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;

    // Opening a directory fails (accessDenied). An open file is closed first.
    virtual BOOL Open(LPCSTR path, UINT openFlags, CFileException* error = nullptr);
    // Throws when the system reports an error on close (data may be lost).
    virtual void Close();
    // Closes and ignores every error.
    virtual void Abort();
    virtual ULONGLONG GetLength() const;
    // Reads until count bytes or the end of the file; returns the bytes read.
    virtual UINT Read(void* buffer, UINT count);
    ULONGLONG ReadHuge(void* buffer, ULONGLONG count);
    // Writes all count bytes or throws.
    virtual void Write(const void* buffer, UINT count);

    // The path the open file reports: absolute (relative paths are taken from
    // the current folder, "." and ".." removed, links not followed), in code
    // page 936. Empty while no file is open.
    CString GetFilePath() const { return m_strFileName; }
    // The last component of that path.
    CString GetFileName() const;
    UINT GetOpenFlags() const { return m_nOpenFlags; }

    int m_hFile = hFileNull;

protected:
    CString m_strFileName;
    UINT m_nOpenFlags = 0;
};
