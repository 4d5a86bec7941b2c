// Rows written as CSV (RFC 4180): cells separated by commas, rows ended by
// CR LF, a cell quoted when it holds a comma, a quote, CR or LF, its quotes
// doubled. Cells come as code page 936 bytes and go out as UTF-8, so that a
// spreadsheet given the byte-order mark reads the Chinese text right.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

class CCsvWriter {
public:
    // Writes to the open descriptor fd, which stays open. Output is buffered
    // in large blocks; nothing reaches fd before a block fills or Flush.
    explicit CCsvWriter(int fd);
    // Appends to *pOut instead.
    explicit CCsvWriter(std::string* pOut);
    ~CCsvWriter();
    CCsvWriter(const CCsvWriter&) = delete;
    CCsvWriter& operator=(const CCsvWriter&) = delete;

    void WriteBom();
    void Cell(std::string_view text);
    void EndRow();
    // Writes what is buffered; false when a write failed (now or before).
    bool Flush();
    // The errno of the first failed write; 0 while none failed.
    int Error() const { return m_nError; }

private:
    void Put(const char* p, std::size_t n);
    void PutQuoted(std::string_view text);
    bool WriteOut(const char* p, std::size_t n);

    int m_fd = -1;
    std::string* m_pOut = nullptr;
    std::unique_ptr<char[]> m_pBuffer;
    std::size_t m_nUsed = 0;
    bool m_bRowStarted = false;
    int m_nError = 0;
    std::string m_strUtf8; // a cell converted to UTF-8
};

// A file written whole or not at all: the bytes go to a temporary file beside
// the target, which takes the target's name only once all of it was written,
// so a failure never leaves a cut-off file nor harms one that was there.
class CAtomicFileWriter {
public:
    CAtomicFileWriter() = default;
    ~CAtomicFileWriter(); // an uncommitted file is removed
    CAtomicFileWriter(const CAtomicFileWriter&) = delete;
    CAtomicFileWriter& operator=(const CAtomicFileWriter&) = delete;

    // Starts the temporary file for pszPath (code page 936, like every path in
    // the program). 0 or the errno of the failure (EISDIR for a folder).
    int Open(const char* pszPath);
    int Fd() const { return m_fd; }
    // Closes the file and gives it the target's name: 0 or the errno.
    int Commit();
    // Removes the temporary file.
    void Abandon();

private:
    int m_fd = -1;
    std::string m_strTarget; // native (UTF-8) paths
    std::string m_strTemp;
};

// "path: reason" for an errno, code page 936, for the messages of both the
// window and the command line.
std::string FileErrorText(const char* pszPath, int nError);
