// The rows of the result pages, made from the load when a list asks for them:
// a page holds no copy of the text, so a fill costs nothing per byte and the
// all-lines page of a log of tens of millions of lines opens at once.
#pragma once

#include "analysis/LogEntry.h"
#include "analysis/LogFields.h"
#include "analysis/LogLoad.h"
#include "controls/ListRowSource.h"

#include <vector>

// Row colours of a crawler page, by status field (which starts with a space).
inline constexpr COLORREF kStatusOkColor = RGB(100, 255, 100);   // " 200", light green
inline constexpr COLORREF kStatusNotFoundColor = RGB(255, 0, 0); // " 404", red
inline constexpr COLORREF kStatusOtherColor = RGB(255, 255, 0);  // anything else, yellow

COLORREF StatusColor(const CString& strStatus);

// Row i: its number i + 1, then the text of record i + 1.
class CAllLinesRows : public CListRowSource {
public:
    explicit CAllLinesRows(const LogLoad& load) : m_load(load) {}
    int GetCellText(int nRow, int nColumn, char* pszBuffer, int nSize) const override;
    std::string_view GetCellValue(int nRow, int nColumn, std::string& scratch) const override;

private:
    const LogLoad& m_load;
};

// Row e: its number e + 1, then the six fields of the e-th selected record,
// every cell coloured by the row's status.
class CCrawlerRows : public CListRowSource {
public:
    // The rows are the records listed in *pRecords, which must outlive this.
    CCrawlerRows(const LogLoad& load, const std::vector<std::size_t>* pRecords) : m_load(load), m_pRecords(pRecords) {}
    // The rows are the records listed, kept here.
    CCrawlerRows(const LogLoad& load, std::vector<std::size_t> records)
        : m_load(load), m_owned(std::move(records)), m_pRecords(&m_owned)
    {
    }

    std::size_t GetCount() const { return m_pRecords->size(); }
    // The fields of row nRow as strings; false past the end.
    bool GetEntry(int nRow, LogEntry& entry) const;

    int GetCellText(int nRow, int nColumn, char* pszBuffer, int nSize) const override;
    // Straight from the line: only where the fields lie is found, once a row.
    std::string_view GetCellValue(int nRow, int nColumn, std::string& scratch) const override;
    bool GetRowBackColor(int nRow, COLORREF& clr) const override;

private:
    // Where row nRow's fields lie in its line; false past the end. A row is
    // asked for cell by cell, so the last one cut is kept.
    bool Cut(int nRow) const;

    const LogLoad& m_load;
    std::vector<std::size_t> m_owned;
    const std::vector<std::size_t>* m_pRecords;
    mutable int m_nCutRow = -1;
    mutable const char* m_pLine = nullptr;
    mutable LogFieldSpans m_spans;
};
