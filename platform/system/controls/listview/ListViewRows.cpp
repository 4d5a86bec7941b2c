#include "platform/system/controls/listview/ListViewRows.h"

#include <sys/mman.h>

#include <cstdlib>
#include <cstring>

namespace sys {

namespace {

const CString& EmptyText()
{
    static const CString empty;
    return empty;
}

// Blocks from this size on are mappings of their own, rounded to huge pages.
constexpr std::size_t kMappedBytes = std::size_t(2) << 20;

std::size_t MappedSize(std::size_t bytes) { return (bytes + kMappedBytes - 1) & ~(kMappedBytes - 1); }

void* MapBlock(std::size_t bytes)
{
    void* p = mmap(nullptr, MappedSize(bytes), PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (p == MAP_FAILED) return nullptr;
    madvise(p, MappedSize(bytes), MADV_HUGEPAGE);
    return p;
}

} // namespace

void* GrowRingStorage(void* block, std::size_t oldBytes, std::size_t newBytes) noexcept
{
    if (newBytes < kMappedBytes) return std::realloc(block, newBytes);
    if (!block || oldBytes < kMappedBytes) {
        void* p = MapBlock(newBytes);
        if (!p) return nullptr;
        if (block) {
            std::memcpy(p, block, oldBytes);
            std::free(block);
        }
        return p;
    }
    if (MappedSize(oldBytes) == MappedSize(newBytes)) return block;
    void* p = mremap(block, MappedSize(oldBytes), MappedSize(newBytes), MREMAP_MAYMOVE);
    if (p == MAP_FAILED) return nullptr;
    madvise(p, MappedSize(newBytes), MADV_HUGEPAGE);
    return p;
}

void FreeRingStorage(void* block, std::size_t bytes) noexcept
{
    if (!block) return;
    if (bytes < kMappedBytes) std::free(block);
    else munmap(block, MappedSize(bytes));
}

std::size_t ListRows::SetStateRange(int lo, int hi, BYTE mask, BYTE bits, BYTE counted)
{
    std::size_t changed = 0;
    const BYTE set = bits & mask;
    for (int i = lo; i <= hi; ++i) {
        BYTE& s = m_state[static_cast<std::size_t>(i)];
        BYTE now = static_cast<BYTE>((s & ~mask) | set);
        changed += ((s ^ now) & counted) != 0;
        s = now;
    }
    return changed;
}

bool ListRows::Reserve(int rows)
{
    if (rows <= 0) return true;
    auto n = static_cast<std::size_t>(rows);
    if (!m_state.Reserve(n)) return false;
    if (m_hasParams && !m_param.Reserve(n)) return false;
    for (auto& store : m_cells)
        if (store && store->Size() && !store->Reserve(n)) return false;
    return true;
}

bool ListRows::Insert(int at)
{
    auto pos = static_cast<std::size_t>(at);
    // Make room everywhere first, so a failure leaves the stores aligned.
    std::size_t n = m_state.Size() + 1;
    if (!m_state.Reserve(n)) return false;
    if (m_hasParams && !m_param.Reserve(n)) return false;
    for (auto& store : m_cells)
        if (store && store->Size() && !store->Reserve(n)) return false;
    m_state.Insert(pos, 0);
    if (m_hasParams) m_param.Insert(pos, 0);
    for (auto& store : m_cells)
        if (store && store->Size()) store->Insert(pos, CString());
    return true;
}

void ListRows::Erase(int at)
{
    if (at < 0 || at >= Count()) return;
    auto pos = static_cast<std::size_t>(at);
    m_state.Erase(pos);
    if (m_hasParams) m_param.Erase(pos);
    for (auto& store : m_cells)
        if (store && store->Size()) store->Erase(pos);
}

bool ListRows::SetTextlessCount(int n)
{
    Clear();
    return n <= 0 || m_state.Resize(static_cast<std::size_t>(n));
}

void ListRows::Clear()
{
    m_state.Release();
    m_param.Release();
    m_hasParams = false;
    for (auto& store : m_cells)
        if (store) store->Release();
}

const CString& ListRows::Text(int row, int subItem) const
{
    if (row < 0 || row >= Count() || subItem < 0 || static_cast<std::size_t>(subItem) >= m_cells.size())
        return EmptyText();
    const auto& store = m_cells[static_cast<std::size_t>(subItem)];
    if (!store || store->Size() == 0) return EmptyText();
    return (*store)[static_cast<std::size_t>(row)];
}

bool ListRows::SetText(int row, int subItem, const CString& text)
{
    if (row < 0 || row >= Count() || subItem < 0 || subItem >= kMaxSubItems) return false;
    auto k = static_cast<std::size_t>(subItem);
    if (k >= m_cells.size()) m_cells.resize(k + 1);
    auto& store = m_cells[k];
    if (!store) store = std::make_unique<Ring<CString>>();
    if (store->Size() == 0) {
        if (text.IsEmpty()) return true; // nothing to remember yet
        if (!store->Resize(m_state.Size())) {
            store->Release();
            return false;
        }
    }
    (*store)[static_cast<std::size_t>(row)] = text;
    return true;
}

LPARAM ListRows::Param(int row) const
{
    if (!m_hasParams || row < 0 || row >= Count()) return 0;
    return m_param[static_cast<std::size_t>(row)];
}

bool ListRows::SetParam(int row, LPARAM value)
{
    if (row < 0 || row >= Count()) return false;
    if (!m_hasParams) {
        if (value == 0) return true;
        if (!m_param.Resize(m_state.Size())) {
            m_param.Release();
            return false;
        }
        m_hasParams = true;
    }
    m_param[static_cast<std::size_t>(row)] = value;
    return true;
}

std::size_t ListRows::Moves() const
{
    std::size_t total = m_state.Moves() + m_param.Moves();
    for (const auto& store : m_cells)
        if (store) total += store->Moves();
    return total;
}

} // namespace sys
