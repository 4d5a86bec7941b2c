// The bytes of an opened log file as they are stored: a regular file up to the
// length it had when it was opened, or a pipe to its end. The first bytes may
// be looked at before they are read, so a compressed file is told by its
// content and not by its name.
#pragma once

#include "platform/base/CFile.h"

#include <cstddef>
#include <string>
#include <string_view>

class CLogInput {
public:
    static constexpr ULONGLONG unknownSize = ~ULONGLONG(0);

    // Opens path (code page 936) for reading. Folders and devices are refused;
    // a pipe is waited on up to nWaitMs for its first data. Throws
    // CFileException (a CLogSourceException for those refusals).
    CLogInput(LPCSTR path, int nWaitMs);
    CLogInput(const CLogInput&) = delete;
    CLogInput& operator=(const CLogInput&) = delete;

    // Fills buffer with count bytes unless the end comes first; returns the
    // bytes given, 0 at the end. Throws CFileException.
    std::ptrdiff_t Read(char* buffer, std::ptrdiff_t count);
    // The first bytes, up to count (fewer when the file is shorter). They are
    // still given by Read. Only before the first Read.
    std::string_view Peek(std::ptrdiff_t count);

    // The bytes Read gives in all, or unknownSize for pipes and for files that
    // report no length (as /proc files do).
    ULONGLONG GetKnownSize() const { return m_nSize; }
    CString GetFilePath() const { return m_file.GetFilePath(); }

private:
    void WaitForData(int nWaitMs);

    CFile m_file;
    ULONGLONG m_nSize = unknownSize;
    ULONGLONG m_nTaken = 0; // bytes taken from the file so far
    std::string m_strHead;  // peeked bytes not yet read
    std::size_t m_nHeadPos = 0;
};
