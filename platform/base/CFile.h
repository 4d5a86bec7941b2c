// Binary file access with the framework's interface. Failures throw
// CFileException (as a heap pointer), except Open, which reports through its
// optional exception object and its result.
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
    virtual ~CFile();
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;

    virtual BOOL Open(LPCSTR path, UINT openFlags, CFileException* error = nullptr);
    virtual void Close();
    virtual ULONGLONG GetLength() const;
    virtual UINT Read(void* buffer, UINT count);
    // Reads until count bytes or the end of the file; returns the bytes read.
    ULONGLONG ReadHuge(void* buffer, ULONGLONG count);

    // The path the open file reports: absolute, in code page 936.
    CString GetFilePath() const { return m_strFileName; }
    CString GetFileName() const;

    int m_hFile = hFileNull;

protected:
    CString m_strFileName;
};
