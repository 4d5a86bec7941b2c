#include "analysis/CsvExport.h"

#include "platform/base/CodePage.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

// Large blocks: few system calls, and the block is reused, not re-touched.
constexpr std::size_t kBlock = std::size_t(1) << 20;

bool NeedsQuote(unsigned char c) { return c == '"' || c == ',' || c == '\r' || c == '\n'; }

struct CellKind {
    bool bQuote = false; // holds a quote, comma, CR or LF
    bool bHigh = false;  // holds a byte >= 0x80: code page 936 text to convert
};

// One pass over the cell, sixteen bytes at a time: most cells are plain
// ASCII, and the all-lines page is the whole log.
CellKind Classify(const char* p, std::size_t n)
{
    CellKind kind;
    std::size_t i = 0;
#if defined(__SSE2__)
    const __m128i quote = _mm_set1_epi8('"'), comma = _mm_set1_epi8(','), cr = _mm_set1_epi8('\r'),
                  lf = _mm_set1_epi8('\n');
    for (; i + 16 <= n; i += 16) {
        __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
        __m128i hit = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(v, quote), _mm_cmpeq_epi8(v, comma)),
                                   _mm_or_si128(_mm_cmpeq_epi8(v, cr), _mm_cmpeq_epi8(v, lf)));
        kind.bQuote = kind.bQuote || _mm_movemask_epi8(hit) != 0;
        kind.bHigh = kind.bHigh || _mm_movemask_epi8(v) != 0; // the high bit of each byte
        if (kind.bQuote && kind.bHigh) return kind;
    }
#endif
    for (; i < n; ++i) {
        auto c = static_cast<unsigned char>(p[i]);
        kind.bQuote = kind.bQuote || NeedsQuote(c);
        kind.bHigh = kind.bHigh || c >= 0x80;
    }
    return kind;
}

} // namespace

CCsvWriter::CCsvWriter(int fd) : m_fd(fd), m_pBuffer(new char[kBlock]) {}

CCsvWriter::CCsvWriter(std::string* pOut) : m_pOut(pOut), m_pBuffer(new char[kBlock]) {}

CCsvWriter::~CCsvWriter() = default;

void CCsvWriter::WriteBom() { Put("\xEF\xBB\xBF", 3); }

void CCsvWriter::Cell(std::string_view text)
{
    if (m_bRowStarted) Put(",", 1);
    m_bRowStarted = true;
    const CellKind kind = Classify(text.data(), text.size());
    // Trail bytes of code page 936 are never a quote, comma, CR or LF, so the
    // converted text needs quoting exactly when the original did.
    if (kind.bHigh) {
        m_strUtf8 = Cp936ToUtf8(text);
        text = m_strUtf8;
    }
    if (kind.bQuote)
        PutQuoted(text);
    else
        Put(text.data(), text.size());
}

void CCsvWriter::PutQuoted(std::string_view text)
{
    Put("\"", 1);
    std::size_t from = 0;
    while (from < text.size()) {
        std::size_t q = text.find('"', from);
        if (q == std::string_view::npos) {
            Put(text.data() + from, text.size() - from);
            break;
        }
        Put(text.data() + from, q + 1 - from);
        Put("\"", 1);
        from = q + 1;
    }
    Put("\"", 1);
}

void CCsvWriter::EndRow()
{
    Put("\r\n", 2);
    m_bRowStarted = false;
}

void CCsvWriter::Put(const char* p, std::size_t n)
{
    if (n == 0) return; // an empty cell may come with no bytes at all
    if (n <= kBlock - m_nUsed) {
        std::memcpy(m_pBuffer.get() + m_nUsed, p, n);
        m_nUsed += n;
        return;
    }
    if (!Flush()) return;
    if (n >= kBlock) {
        WriteOut(p, n);
        return;
    }
    std::memcpy(m_pBuffer.get(), p, n);
    m_nUsed = n;
}

bool CCsvWriter::Flush()
{
    if (m_nUsed > 0 && m_nError == 0) WriteOut(m_pBuffer.get(), m_nUsed);
    m_nUsed = 0;
    return m_nError == 0;
}

bool CCsvWriter::WriteOut(const char* p, std::size_t n)
{
    if (m_pOut) {
        m_pOut->append(p, n);
        return true;
    }
    while (n > 0 && m_nError == 0) {
        ssize_t done = ::write(m_fd, p, n);
        if (done < 0) {
            if (errno == EINTR) continue;
            m_nError = errno;
        } else if (done == 0) {
            m_nError = EIO;
        } else {
            p += done;
            n -= static_cast<std::size_t>(done);
        }
    }
    return m_nError == 0;
}

CAtomicFileWriter::~CAtomicFileWriter() { Abandon(); }

int CAtomicFileWriter::Open(const char* pszPath)
{
    Abandon();
    m_strTarget = Cp936ToUtf8(pszPath ? pszPath : "");
    if (m_strTarget.empty()) return ENOENT;
    struct stat st {};
    mode_t mode = 0;
    if (::stat(m_strTarget.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode)) return EISDIR;
        mode = st.st_mode & 07777; // a replaced file keeps its permissions
    } else {
        mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    std::size_t slash = m_strTarget.rfind('/');
    std::string folder = slash == std::string::npos ? std::string() : m_strTarget.substr(0, slash + 1);
    std::string name = slash == std::string::npos ? m_strTarget : m_strTarget.substr(slash + 1);
    m_strTemp = folder + "." + name + ".XXXXXX";
    int fd = ::mkstemp(m_strTemp.data());
    if (fd < 0) {
        int nError = errno;
        m_strTemp.clear();
        return nError;
    }
    m_fd = fd;
    ::fchmod(m_fd, mode);
    return 0;
}

int CAtomicFileWriter::Commit()
{
    if (m_fd < 0) return EBADF;
    int fd = m_fd;
    m_fd = -1;
    if (::close(fd) != 0) {
        int nError = errno;
        Abandon();
        return nError;
    }
    if (::rename(m_strTemp.c_str(), m_strTarget.c_str()) != 0) {
        int nError = errno;
        Abandon();
        return nError;
    }
    m_strTemp.clear();
    return 0;
}

void CAtomicFileWriter::Abandon()
{
    if (m_fd >= 0) ::close(m_fd);
    m_fd = -1;
    if (!m_strTemp.empty()) ::unlink(m_strTemp.c_str());
    m_strTemp.clear();
}

std::string FileErrorText(const char* pszPath, int nError)
{
    return std::string(pszPath ? pszPath : "") + ": " + Utf8ToCp936(std::strerror(nError));
}
