#include "platform/base/CFile.h"

#include "platform/base/CodePage.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

// A single read or write is kept below the kernel's ~2 GiB limit per call.
constexpr std::size_t kMaxIo = std::size_t(1) << 30;

[[noreturn]] void ThrowOsError(int osError, const CString& fileName)
{
    throw new CFileException(CFileException::OsErrorToException(osError), osError, fileName);
}

[[noreturn]] void ThrowNotOpen(const CString& fileName)
{
    throw new CFileException(CFileException::invalidFile, EBADF, fileName);
}

CString CurrentFolder()
{
    char* cwd = getcwd(nullptr, 0);
    if (!cwd) return CString();
    CString folder = CStringFromUtf8(cwd);
    std::free(cwd);
    return folder;
}

// Makes path absolute and removes ".", ".." and repeated slashes by text alone,
// so links in it are kept as written. A '/' is never part of a double-byte
// character in code page 936, so splitting the bytes on it is safe.
CString FullPath(const char* path)
{
    std::string whole;
    if (path[0] != '/') {
        CString cwd = CurrentFolder();
        if (cwd.IsEmpty() || cwd[0] != '/') return CString(path); // no usable current folder
        whole.assign(cwd.GetString(), static_cast<std::size_t>(cwd.GetLength()));
        whole += '/';
    }
    whole += path;

    std::vector<std::string_view> parts;
    std::string_view rest(whole);
    while (!rest.empty()) {
        std::size_t slash = rest.find('/');
        std::string_view part = rest.substr(0, slash);
        rest = slash == std::string_view::npos ? std::string_view() : rest.substr(slash + 1);
        if (part.empty() || part == ".") continue;
        if (part == "..") {
            if (!parts.empty()) parts.pop_back();
            continue;
        }
        parts.push_back(part);
    }
    std::string out;
    for (std::string_view part : parts) {
        out += '/';
        out += part;
    }
    if (out.empty()) out = "/";
    return CString(out.data(), static_cast<std::ptrdiff_t>(out.size()));
}

BOOL Fail(CFileException* error, int cause, long osError)
{
    if (error) {
        error->m_cause = cause;
        error->m_lOsError = osError;
    }
    return FALSE;
}

void CloseQuietly(int fd)
{
    // Not retried on EINTR: Linux has released the descriptor either way.
    ::close(fd);
}

} // namespace

CFile::CFile() = default;

CFile::CFile(LPCSTR path, UINT openFlags)
{
    CFileException error;
    if (!Open(path, openFlags, &error)) throw new CFileException(error);
}

CFile::~CFile()
{
    Abort();
}

BOOL CFile::Open(LPCSTR path, UINT openFlags, CFileException* error)
{
    Abort();
    if (error) {
        error->m_cause = CFileException::none;
        error->m_lOsError = 0;
        error->m_strFileName = path;
    }
    if (!path || !*path) return Fail(error, CFileException::badPath, ENOENT);

    int flags;
    switch (openFlags & 3) {
    case modeRead: flags = O_RDONLY; break;
    case modeWrite: flags = O_WRONLY; break;
    case modeReadWrite: flags = O_RDWR; break;
    default: return Fail(error, CFileException::generic, EINVAL);
    }
    // Non-blocking only for the open itself: a named pipe without a writer must
    // not hang the caller.
    flags |= O_CLOEXEC | O_NOCTTY | O_NONBLOCK;
    if (openFlags & modeCreate) flags |= O_CREAT | ((openFlags & modeNoTruncate) ? 0 : O_TRUNC);

    // Both names are made before the descriptor exists, so a failed
    // allocation cannot leak it.
    std::string native = Cp936ToUtf8(path);
    CString fullPath = FullPath(path);
    int fd;
    do {
        fd = ::open(native.c_str(), flags, 0666);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        int e = errno;
        return Fail(error, CFileException::OsErrorToException(e), e);
    }

    struct stat st;
    if (fstat(fd, &st) != 0) {
        int e = errno;
        CloseQuietly(fd);
        return Fail(error, CFileException::OsErrorToException(e), e);
    }
    if (S_ISDIR(st.st_mode)) {
        CloseQuietly(fd);
        return Fail(error, CFileException::accessDenied, EISDIR);
    }
    int fl = fcntl(fd, F_GETFL);
    if (fl == -1 || fcntl(fd, F_SETFL, fl & ~O_NONBLOCK) == -1) {
        int e = errno;
        CloseQuietly(fd);
        return Fail(error, CFileException::OsErrorToException(e), e);
    }

    m_hFile = fd;
    m_nOpenFlags = openFlags;
    m_strFileName = fullPath;
    return TRUE;
}

void CFile::Close()
{
    if (m_hFile == hFileNull) return;
    int fd = m_hFile;
    CString name = m_strFileName;
    m_hFile = hFileNull;
    m_strFileName.Empty();
    m_nOpenFlags = 0;
    if (::close(fd) != 0 && errno != EINTR) ThrowOsError(errno, name);
}

void CFile::Abort()
{
    if (m_hFile == hFileNull) return;
    CloseQuietly(m_hFile);
    m_hFile = hFileNull;
    m_strFileName.Empty();
    m_nOpenFlags = 0;
}

ULONGLONG CFile::GetLength() const
{
    if (m_hFile == hFileNull) ThrowNotOpen(m_strFileName);
    struct stat st;
    if (fstat(m_hFile, &st) != 0) ThrowOsError(errno, m_strFileName);
    return st.st_size > 0 ? static_cast<ULONGLONG>(st.st_size) : 0;
}

UINT CFile::Read(void* buffer, UINT count)
{
    return static_cast<UINT>(ReadHuge(buffer, count));
}

ULONGLONG CFile::ReadHuge(void* buffer, ULONGLONG count)
{
    if (m_hFile == hFileNull) ThrowNotOpen(m_strFileName);
    if (count == 0) return 0;
    if (!buffer) throw new CFileException(CFileException::generic, EINVAL, m_strFileName);
    char* out = static_cast<char*>(buffer);
    ULONGLONG done = 0;
    while (done < count) {
        std::size_t want = static_cast<std::size_t>(std::min<ULONGLONG>(count - done, kMaxIo));
        ssize_t n = ::read(m_hFile, out + done, want);
        if (n < 0) {
            if (errno == EINTR) continue;
            ThrowOsError(errno, m_strFileName);
        }
        if (n == 0) break; // end of file
        done += static_cast<ULONGLONG>(n);
    }
    return done;
}

void CFile::Write(const void* buffer, UINT count)
{
    if (m_hFile == hFileNull) ThrowNotOpen(m_strFileName);
    if (count == 0) return;
    if (!buffer) throw new CFileException(CFileException::generic, EINVAL, m_strFileName);
    const char* in = static_cast<const char*>(buffer);
    std::size_t done = 0;
    while (done < count) {
        std::size_t want = std::min<std::size_t>(count - done, kMaxIo);
        ssize_t n = ::write(m_hFile, in + done, want);
        if (n < 0) {
            if (errno == EINTR) continue;
            ThrowOsError(errno, m_strFileName);
        }
        if (n == 0) ThrowOsError(ENOSPC, m_strFileName);
        done += static_cast<std::size_t>(n);
    }
}

CString CFile::GetFileName() const
{
    std::ptrdiff_t slash = m_strFileName.ReverseFind('/');
    return slash < 0 ? m_strFileName : m_strFileName.Mid(slash + 1);
}
