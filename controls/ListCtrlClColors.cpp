#include "controls/ListCtrlClColors.h"

#include "platform/base/CString.h"
#include "platform/base/Exception.h"

#include <climits>
#include <cstring>

namespace {

// Free slots carry this key; it is a valid (if odd) key too, kept aside.
constexpr std::int32_t kFree = INT32_MIN;
constexpr std::size_t kFirstCapacity = 16;

bool IsFree(std::int32_t nRow, std::int32_t nColumn) { return nRow == kFree && nColumn == kFree; }

} // namespace

CListColorMap::CListColorMap()
    : m_pSlots(nullptr), m_nMask(0), m_nCount(0), m_nShift(64), m_bHasReserved(false), m_clrReserved(0)
{
}

CListColorMap::~CListColorMap() { AfxFreeLarge(m_pSlots); }

std::size_t CListColorMap::Home(std::int32_t nRow, std::int32_t nColumn) const
{
    // Fibonacci hashing spreads consecutive rows over the whole table.
    std::uint64_t key = (static_cast<std::uint64_t>(static_cast<std::uint32_t>(nRow)) << 32) |
                        static_cast<std::uint32_t>(nColumn);
    return static_cast<std::size_t>((key * 0x9E3779B97F4A7C15ull) >> m_nShift);
}

void CListColorMap::Grow()
{
    std::size_t nCapacity = m_pSlots ? (m_nMask + 1) * 2 : kFirstCapacity;
    if (nCapacity > (SIZE_MAX / sizeof(Slot)) / 2) AfxThrowMemoryException();
    auto* pSlots = static_cast<Slot*>(AfxAllocLarge(nCapacity * sizeof(Slot)));
    if (!pSlots) AfxThrowMemoryException();
    for (std::size_t i = 0; i < nCapacity; ++i) pSlots[i] = Slot{kFree, kFree, 0};
    Slot* pOld = m_pSlots;
    std::size_t nOld = pOld ? m_nMask + 1 : 0;
    m_pSlots = pSlots;
    m_nMask = nCapacity - 1;
    m_nShift = 64;
    for (std::size_t c = nCapacity; c > 1; c >>= 1) --m_nShift;
    for (std::size_t i = 0; i < nOld; ++i) {
        const Slot& s = pOld[i];
        if (IsFree(s.nRow, s.nColumn)) continue;
        std::size_t j = Home(s.nRow, s.nColumn);
        while (!IsFree(m_pSlots[j].nRow, m_pSlots[j].nColumn)) j = (j + 1) & m_nMask;
        m_pSlots[j] = s;
    }
    AfxFreeLarge(pOld);
}

void CListColorMap::Add(int nRow, int nColumn, COLORREF clr)
{
    if (IsFree(nRow, nColumn)) {
        if (!m_bHasReserved) {
            m_bHasReserved = true;
            m_clrReserved = clr;
            ++m_nCount;
        }
        return;
    }
    // Keep at least a quarter of the slots free so probe runs stay short.
    if (!m_pSlots || (m_nCount + 1) * 4 > (m_nMask + 1) * 3) Grow();
    std::size_t j = Home(nRow, nColumn);
    for (;;) {
        Slot& s = m_pSlots[j];
        if (IsFree(s.nRow, s.nColumn)) {
            s = Slot{nRow, nColumn, clr};
            ++m_nCount;
            return;
        }
        if (s.nRow == nRow && s.nColumn == nColumn) return; // the first colour stays
        j = (j + 1) & m_nMask;
    }
}

bool CListColorMap::Lookup(int nRow, int nColumn, COLORREF& clr) const
{
    if (m_nCount == 0) return false;
    if (IsFree(nRow, nColumn)) {
        if (m_bHasReserved) clr = m_clrReserved;
        return m_bHasReserved;
    }
    if (!m_pSlots) return false;
    for (std::size_t j = Home(nRow, nColumn);; j = (j + 1) & m_nMask) {
        const Slot& s = m_pSlots[j];
        if (IsFree(s.nRow, s.nColumn)) return false;
        if (s.nRow == nRow && s.nColumn == nColumn) {
            clr = s.clr;
            return true;
        }
    }
}

void CListColorMap::RemoveAll()
{
    AfxFreeLarge(m_pSlots);
    m_pSlots = nullptr;
    m_nMask = 0;
    m_nCount = 0;
    m_nShift = 64;
    m_bHasReserved = false;
    m_clrReserved = 0;
}
