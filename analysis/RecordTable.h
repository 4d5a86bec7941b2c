// The records of one load, numbered from 1; slot 0 never holds a record.
// The table owns its LogLine objects. They are kept in blocks that double in
// size, so growing never moves a record and a pointer to one stays valid
// until the table is emptied.
#pragma once

#include "analysis/LogLine.h"

#include <cstddef>

class RecordTable {
public:
    RecordTable() noexcept = default;
    ~RecordTable();
    RecordTable(RecordTable&& other) noexcept;
    RecordTable& operator=(RecordTable&& other) noexcept;
    RecordTable(const RecordTable&) = delete;
    RecordTable& operator=(const RecordTable&) = delete;

    // Number of records stored: they stand in slots 1 to GetCount().
    std::size_t GetCount() const noexcept { return m_nCount; }
    // Record j, or null when slot j holds none (0, or past the count).
    LogLine* GetAt(std::size_t j) const noexcept;
    LogLine* operator[](std::size_t j) const noexcept { return GetAt(j); }

    // Appends an empty record in slot GetCount() + 1 and returns it. Throws
    // CMemoryException when no room can be had; the table is then unchanged.
    LogLine* Add();
    // Releases every record.
    void RemoveAll() noexcept;
    void Swap(RecordTable& other) noexcept;

private:
    // Block b holds slots 2^b to 2^(b+1) - 1.
    static constexpr int kMaxBlocks = 64;
    LogLine* m_pBlocks[kMaxBlocks] = {};
    std::size_t m_nCount = 0;
};
