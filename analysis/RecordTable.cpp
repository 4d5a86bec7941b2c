#include "analysis/RecordTable.h"

#include "platform/base/Exception.h"

#include <algorithm>
#include <bit>
#include <new>
#include <utility>

namespace {

inline int BlockOf(std::size_t slot) noexcept { return std::bit_width(slot) - 1; }

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

LogLine* RecordTable::GetAt(std::size_t j) const noexcept
{
    if (j == 0 || j > m_nCount) return nullptr;
    int b = BlockOf(j);
    return m_pBlocks[b] + (j - (std::size_t(1) << b));
}

LogLine* RecordTable::Add()
{
    std::size_t slot = m_nCount + 1;
    int b = BlockOf(slot);
    if (slot == (std::size_t(1) << b)) {
        // First slot of a new block. Large blocks are advised for huge pages,
        // since the records are written once, right away.
        std::size_t n = std::size_t(1) << b;
        if (b >= kMaxBlocks - 1 || n > SIZE_MAX / sizeof(LogLine)) AfxThrowMemoryException();
        void* raw = AfxAllocLarge(n * sizeof(LogLine));
        if (!raw) AfxThrowMemoryException();
        m_pBlocks[b] = static_cast<LogLine*>(raw);
    }
    LogLine* line = new (m_pBlocks[b] + (slot - (std::size_t(1) << b))) LogLine();
    m_nCount = slot;
    return line;
}

void RecordTable::RemoveAll() noexcept
{
    for (int b = 0; b < kMaxBlocks; ++b) {
        LogLine* block = m_pBlocks[b];
        if (!block) continue;
        std::size_t first = std::size_t(1) << b;
        std::size_t used = m_nCount < first ? 0 : std::min(first, m_nCount - first + 1);
        for (std::size_t k = 0; k < used; ++k) block[k].~LogLine();
        AfxFreeLarge(block);
        m_pBlocks[b] = nullptr;
    }
    m_nCount = 0;
}

void RecordTable::Swap(RecordTable& other) noexcept
{
    for (int b = 0; b < kMaxBlocks; ++b) std::swap(m_pBlocks[b], other.m_pBlocks[b]);
    std::swap(m_nCount, other.m_nCount);
}
