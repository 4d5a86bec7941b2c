#include "analysis/RecordTable.h"

#include "platform/base/Exception.h"

#include <sys/mman.h>

#include <cstring>
#include <utility>

namespace {

// The starts live in one mapping that grows in place where it can: a table
// of tens of millions of lines is never copied while it is built.
constexpr std::size_t kFirstCapacity = std::size_t(1) << 18; // 2 MiB of starts
constexpr std::size_t kHugePage = std::size_t(2) << 20;

std::size_t Bytes(std::size_t n) { return (n * sizeof(std::uint64_t) + kHugePage - 1) / kHugePage * kHugePage; }

} // namespace

RecordTable::~RecordTable() { RemoveAll(); }

RecordTable::RecordTable(RecordTable&& other) noexcept { Swap(other); }

RecordTable& RecordTable::operator=(RecordTable&& other) noexcept
{
    if (this != &other) {
        RemoveAll();
        Swap(other);
    }
    return *this;
}

void RecordTable::Grow()
{
    std::size_t want = m_nCapacity ? m_nCapacity * 2 : kFirstCapacity;
    void* p;
    if (!m_pStarts) {
        p = mmap(nullptr, Bytes(want), PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    } else {
        p = mremap(m_pStarts, Bytes(m_nCapacity), Bytes(want), MREMAP_MAYMOVE);
    }
    if (p == MAP_FAILED) {
        RemoveAll();
        AfxThrowMemoryException();
    }
    madvise(p, Bytes(want), MADV_HUGEPAGE);
    m_pStarts = static_cast<std::uint64_t*>(p);
    m_nCapacity = want;
}

void RecordTable::Begin() { RemoveAll(); }

void RecordTable::AddStart(std::uint64_t offset)
{
    if (m_nCount == m_nCapacity) Grow();
    m_pStarts[m_nCount++] = offset;
}

void RecordTable::End(const CString& strText)
{
    m_strText = strText;
    m_pText = m_strText.GetString();
    m_nLength = m_strText.GetLength();
    // A text ending in "\n" has no empty record after it.
    if (m_nCount && m_pStarts[m_nCount - 1] >= static_cast<std::uint64_t>(m_nLength)) --m_nCount;
}

void RecordTable::Build(const CString& strText)
{
    Begin();
    const char* p = strText.GetString();
    const std::ptrdiff_t n = strText.GetLength();
    if (n > 0) AddStart(0);
    for (const char* at = p; at < p + n;) {
        const void* hit = std::memchr(at, '\n', static_cast<std::size_t>(p + n - at));
        if (!hit) break;
        at = static_cast<const char*>(hit) + 1;
        AddStart(static_cast<std::uint64_t>(at - p));
    }
    End(strText);
}

const char* RecordTable::TextAt(std::size_t j, std::ptrdiff_t& nLength) const noexcept
{
    if (!Has(j)) {
        nLength = 0;
        return nullptr;
    }
    auto start = static_cast<std::ptrdiff_t>(m_pStarts[j - 1]);
    // Every record but the last ends where the next begins, less its "\n".
    std::ptrdiff_t stop = j < m_nCount ? static_cast<std::ptrdiff_t>(m_pStarts[j]) - 1 : m_nLength;
    if (j == m_nCount && m_nLength > 0 && m_pText[m_nLength - 1] == '\n') stop = m_nLength - 1;
    nLength = stop - start;
    return m_pText + start;
}

LogLine RecordTable::GetAt(std::size_t j) const noexcept
{
    LogLine line;
    if (!Has(j)) {
        line.start = line.end = -1;
        return line;
    }
    line.pText = TextAt(j, line.nLength);
    line.start = static_cast<std::int64_t>(m_pStarts[j - 1]);
    std::int64_t stop = line.start + line.nLength;
    line.end = stop < m_nLength ? stop : -1;
    return line;
}

void RecordTable::RemoveAll() noexcept
{
    if (m_pStarts) munmap(m_pStarts, Bytes(m_nCapacity));
    m_pStarts = nullptr;
    m_nCount = m_nCapacity = 0;
    m_strText.Empty();
    m_pText = nullptr;
    m_nLength = 0;
}

void RecordTable::Swap(RecordTable& other) noexcept
{
    std::swap(m_pStarts, other.m_pStarts);
    std::swap(m_nCount, other.m_nCount);
    std::swap(m_nCapacity, other.m_nCapacity);
    std::swap(m_strText, other.m_strText);
    std::swap(m_pText, other.m_pText);
    std::swap(m_nLength, other.m_nLength);
}
