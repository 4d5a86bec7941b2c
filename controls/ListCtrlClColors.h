// CListColorMap: the colours a CListCtrlCl records, keyed by (row, column) for
// cells or by column alone. The first colour recorded for a key stays in force;
// later ones for the same key are ignored. An open-addressed table, so a
// lookup costs the same with ten colours or seventy million.
#pragma once

#include "platform/base/Color.h"

#include <cstddef>
#include <cstdint>

class CListColorMap {
public:
    CListColorMap();
    ~CListColorMap();
    CListColorMap(const CListColorMap&) = delete;
    CListColorMap& operator=(const CListColorMap&) = delete;

    // Records clr for the key unless the key has a colour already. Throws
    // CMemoryException when the table cannot grow; nothing is lost then.
    void Add(int nRow, int nColumn, COLORREF clr);
    // The colour recorded first for the key; FALSE (clr untouched) when none.
    bool Lookup(int nRow, int nColumn, COLORREF& clr) const;
    void RemoveAll();
    std::size_t GetCount() const { return m_nCount; }

private:
    struct Slot {
        std::int32_t nRow;
        std::int32_t nColumn;
        COLORREF clr;
    };

    Slot* m_pSlots;
    std::size_t m_nMask; // capacity - 1; capacity is a power of two
    std::size_t m_nCount;
    int m_nShift; // 64 - log2(capacity)
    // The key that marks free slots, when a caller uses it.
    bool m_bHasReserved;
    COLORREF m_clrReserved;

    std::size_t Home(std::int32_t nRow, std::int32_t nColumn) const;
    void Grow();
};
