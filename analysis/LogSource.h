// Where a log's bytes come from: a regular file, a pipe (named, anonymous as
// /dev/fd/N, or a /proc file that reports no length), or a compressed file,
// decompressed while it is read. The format is told by the first bytes, never
// by the name. Folders and devices are refused with a clear report.
//
//   CLogSource source(path);          // throws on a file that cannot be read
//   n = source.Read(buffer, count);   // count bytes unless the end came; 0 at the end
//
// Failures throw CFileException (CLogSourceException for refused files and bad
// compressed data) or CMemoryException as heap pointers, so a caller building a
// new load aside keeps the previous one.
#pragma once

#include "analysis/LogDecoder.h"
#include "analysis/LogInput.h"

#include <cstddef>
#include <memory>

class CLogSource {
public:
    enum Format { formatPlain, formatGzip, formatZstd, formatBzip2, formatXz };
    static constexpr ULONGLONG unknownSize = CLogInput::unknownSize;
    // How long a pipe may stay silent before its first data.
    static constexpr int defaultPipeWaitMs = 60000;

    explicit CLogSource(LPCSTR path, int nPipeWaitMs = defaultPipeWaitMs);
    ~CLogSource();
    CLogSource(const CLogSource&) = delete;
    CLogSource& operator=(const CLogSource&) = delete;

    // Fills buffer with count bytes of text unless the text ends first; returns
    // the bytes given, 0 once the end was reached.
    std::ptrdiff_t Read(char* buffer, std::ptrdiff_t count);

    // The bytes Read gives in all, known for an uncompressed regular file (its
    // length when opened); unknownSize otherwise: read to the end.
    ULONGLONG GetKnownSize() const;
    // The opened file's absolute path, code page 936, as CFile reports it.
    CString GetFilePath() const { return m_input.GetFilePath(); }
    Format GetFormat() const { return m_format; }

    // The format whose signature starts head (formatPlain for none).
    static Format DetectFormat(const char* head, std::size_t length);

private:
    CLogInput m_input;
    Format m_format = formatPlain;
    std::unique_ptr<CLogDecoder> m_pDecoder; // null for plain text
};
