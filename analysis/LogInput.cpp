#include "analysis/LogInput.h"

#include "analysis/LogSourceException.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <poll.h>
#include <sys/stat.h>

CLogInput::CLogInput(LPCSTR path, int nWaitMs)
{
    CFileException error;
    if (!m_file.Open(path, CFile::modeRead | CFile::shareDenyNone, &error)) {
        if (error.m_lOsError == EISDIR) ThrowLogSourceException(CLogSourceException::directory, CString(path));
        throw new CFileException(error);
    }
    struct stat st;
    if (fstat(m_file.m_hFile, &st) != 0) AfxThrowFileException(CFileException::OsErrorToException(errno), errno, path);
    // /dev/zero and its kind never end, and a terminal waits for typing.
    if (S_ISCHR(st.st_mode) || S_ISBLK(st.st_mode))
        ThrowLogSourceException(CLogSourceException::device, m_file.GetFilePath());
    if (S_ISFIFO(st.st_mode)) WaitForData(nWaitMs);
    // A regular file's length bounds the read, so lines a writer appends
    // meanwhile are left for the next load; length 0 may mean "not known".
    if (S_ISREG(st.st_mode) && st.st_size > 0) m_nSize = static_cast<ULONGLONG>(st.st_size);
}

// A named pipe opened before any program writes to it reads as ended at once;
// wait for data, or for a writer that closes, instead.
void CLogInput::WaitForData(int nWaitMs)
{
    pollfd p{m_file.m_hFile, POLLIN, 0};
    int rc;
    do {
        rc = poll(&p, 1, std::max(nWaitMs, 0));
    } while (rc < 0 && errno == EINTR);
    if (rc < 0) AfxThrowFileException(CFileException::OsErrorToException(errno), errno, m_file.GetFilePath());
    if (rc == 0) ThrowLogSourceException(CLogSourceException::pipeTimeout, m_file.GetFilePath());
}

std::string_view CLogInput::Peek(std::ptrdiff_t count)
{
    if (m_strHead.empty() && count > 0) {
        std::string head(static_cast<std::size_t>(count), '\0');
        head.resize(static_cast<std::size_t>(Read(head.data(), count)));
        m_strHead = std::move(head);
        m_nHeadPos = 0;
    }
    return std::string_view(m_strHead).substr(m_nHeadPos);
}

std::ptrdiff_t CLogInput::Read(char* buffer, std::ptrdiff_t count)
{
    if (count <= 0) return 0;
    std::ptrdiff_t done = 0;
    if (m_nHeadPos < m_strHead.size()) {
        std::size_t n = std::min(m_strHead.size() - m_nHeadPos, static_cast<std::size_t>(count));
        std::memcpy(buffer, m_strHead.data() + m_nHeadPos, n);
        m_nHeadPos += n;
        done = static_cast<std::ptrdiff_t>(n);
    }
    ULONGLONG want = static_cast<ULONGLONG>(count - done);
    if (m_nSize != unknownSize) want = std::min(want, m_nSize - std::min(m_nSize, m_nTaken));
    if (want == 0) return done;
    ULONGLONG got = m_file.ReadHuge(buffer + done, want);
    m_nTaken += got;
    return done + static_cast<std::ptrdiff_t>(got);
}
