// The records of one load, numbered from 1: every line of the text, in file
// order. The table keeps where each line starts (eight bytes a line) and
// shares the text's buffer; the records are made when asked for.
#pragma once

#include "analysis/LogLine.h"
#include "platform/base/CString.h"

#include <cstddef>
#include <cstdint>

class RecordTable {
public:
    RecordTable() noexcept = default;
    ~RecordTable();
    RecordTable(RecordTable&& other) noexcept;
    RecordTable& operator=(RecordTable&& other) noexcept;
    RecordTable(const RecordTable&) = delete;
    RecordTable& operator=(const RecordTable&) = delete;

    // Number of records: they are numbered 1 to GetCount().
    std::size_t GetCount() const noexcept { return m_nCount; }
    bool Has(std::size_t j) const noexcept { return j >= 1 && j <= m_nCount; }
    // Record j; a record with no text and start -1 when there is none.
    LogLine GetAt(std::size_t j) const noexcept;
    LogLine operator[](std::size_t j) const noexcept { return GetAt(j); }
    // Where record j's text lies, without making the record.
    const char* TextAt(std::size_t j, std::ptrdiff_t& nLength) const noexcept;

    // Building, as the text arrives: Begin once, then AddStart for every line
    // start in order, then End. Throws CMemoryException; the table is left
    // empty then.
    void Begin();
    void AddStart(std::uint64_t offset);
    // Binds the finished table to its text. A start at the very end of the
    // text (after a final "\n") is no record.
    void End(const CString& strText);

    // Indexes a whole text at once.
    void Build(const CString& strText);

    void RemoveAll() noexcept;
    void Swap(RecordTable& other) noexcept;

    // While building: the starts added so far, and start of record j of them.
    std::size_t GetBuiltCount() const noexcept { return m_nCount; }
    std::uint64_t StartOf(std::size_t j) const noexcept { return m_pStarts[j - 1]; }

private:
    void Grow();

    std::uint64_t* m_pStarts = nullptr; // record j starts at m_pStarts[j - 1]
    std::size_t m_nCount = 0;
    std::size_t m_nCapacity = 0; // starts the mapping holds
    CString m_strText;           // shares the load's buffer
    const char* m_pText = nullptr;
    std::ptrdiff_t m_nLength = 0;
};
