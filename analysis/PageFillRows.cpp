#include "analysis/PageFillRows.h"

#include <algorithm>
#include <charconv>
#include <cstring>

namespace {

int PutText(const char* pText, std::ptrdiff_t nLength, char* pszBuffer, int nSize)
{
    if (!pszBuffer || nSize <= 0) return 0;
    int n = static_cast<int>(std::clamp<std::ptrdiff_t>(nLength, 0, nSize - 1));
    if (n > 0) std::memcpy(pszBuffer, pText, static_cast<std::size_t>(n));
    pszBuffer[n] = '\0';
    return n;
}

// The decimal text of n, as "%d" writes it.
int PutNumber(long long n, char* pszBuffer, int nSize)
{
    char szDigits[24];
    auto result = std::to_chars(szDigits, szDigits + sizeof(szDigits), n);
    return PutText(szDigits, result.ptr - szDigits, pszBuffer, nSize);
}

std::string_view NumberValue(long long n, std::string& scratch)
{
    if (scratch.size() < 24) scratch.resize(24);
    auto result = std::to_chars(scratch.data(), scratch.data() + scratch.size(), n);
    return std::string_view(scratch.data(), static_cast<std::size_t>(result.ptr - scratch.data()));
}

} // namespace

COLORREF StatusColor(const CString& strStatus)
{
    if (strStatus == " 200") return kStatusOkColor;
    if (strStatus == " 404") return kStatusNotFoundColor;
    return kStatusOtherColor;
}

int CAllLinesRows::GetCellText(int nRow, int nColumn, char* pszBuffer, int nSize) const
{
    const auto j = static_cast<std::size_t>(nRow) + 1;
    if (nRow < 0 || !m_load.records.Has(j)) return PutText("", 0, pszBuffer, nSize);
    if (nColumn == 0) return PutNumber(static_cast<long long>(j), pszBuffer, nSize);
    if (nColumn != 1) return PutText("", 0, pszBuffer, nSize);
    std::ptrdiff_t n = 0;
    const char* p = m_load.records.TextAt(j, n);
    return PutText(p, n, pszBuffer, nSize);
}

std::string_view CAllLinesRows::GetCellValue(int nRow, int nColumn, std::string& scratch) const
{
    const auto j = static_cast<std::size_t>(nRow) + 1;
    if (nRow < 0 || !m_load.records.Has(j)) return {};
    if (nColumn == 0) return NumberValue(static_cast<long long>(j), scratch);
    if (nColumn != 1) return {};
    std::ptrdiff_t n = 0;
    const char* p = m_load.records.TextAt(j, n);
    // The line is shown as it is: no space was put in front of it.
    return std::string_view(p, static_cast<std::size_t>(n > 0 ? n : 0));
}

std::string_view CCrawlerRows::GetCellValue(int nRow, int nColumn, std::string& scratch) const
{
    if (!Cut(nRow) || nColumn < 0 || nColumn > 6) return {};
    if (nColumn == 0) return NumberValue(nRow + 1LL, scratch);
    const LogFieldSpan* spans[] = {nullptr,        &m_spans.ip,     &m_spans.time, &m_spans.url,
                                   &m_spans.http, &m_spans.status, &m_spans.bytes};
    const LogFieldSpan& span = *spans[nColumn];
    if (span.length <= 0) return {};
    return std::string_view(m_pLine + span.start, static_cast<std::size_t>(span.length));
}

bool CCrawlerRows::Cut(int nRow) const
{
    if (nRow < 0 || static_cast<std::size_t>(nRow) >= m_pRecords->size()) return false;
    if (nRow != m_nCutRow) {
        const std::size_t j = (*m_pRecords)[static_cast<std::size_t>(nRow)];
        if (!m_load.records.Has(j)) return false;
        std::ptrdiff_t nLength = 0;
        m_pLine = m_load.records.TextAt(j, nLength);
        CutLogFields(m_pLine, nLength, m_spans);
        m_nCutRow = nRow;
    }
    return true;
}

bool CCrawlerRows::GetEntry(int nRow, LogEntry& entry) const
{
    if (!Cut(nRow)) return false;
    entry.line = m_load.records.GetAt((*m_pRecords)[static_cast<std::size_t>(nRow)]).Text();
    entry.ip = MakeLogField(m_pLine, m_spans.ip);
    entry.time = MakeLogField(m_pLine, m_spans.time);
    entry.url = MakeLogField(m_pLine, m_spans.url);
    entry.http = MakeLogField(m_pLine, m_spans.http);
    entry.status = MakeLogField(m_pLine, m_spans.status);
    entry.bytes = MakeLogField(m_pLine, m_spans.bytes);
    return true;
}

int CCrawlerRows::GetCellText(int nRow, int nColumn, char* pszBuffer, int nSize) const
{
    if (!Cut(nRow) || nColumn < 0 || nColumn > 6) return PutText("", 0, pszBuffer, nSize);
    if (nColumn == 0) return PutNumber(nRow + 1LL, pszBuffer, nSize);
    const LogFieldSpan* fields[] = {nullptr, &m_spans.ip, &m_spans.time, &m_spans.url,
                                    &m_spans.http, &m_spans.status, &m_spans.bytes};
    // Every field is shown after one space.
    if (!pszBuffer || nSize <= 0) return 0;
    if (nSize == 1) return PutText("", 0, pszBuffer, nSize);
    pszBuffer[0] = ' ';
    const LogFieldSpan& span = *fields[nColumn];
    return 1 + PutText(m_pLine + span.start, span.length, pszBuffer + 1, nSize - 1);
}

bool CCrawlerRows::GetRowBackColor(int nRow, COLORREF& clr) const
{
    if (!Cut(nRow)) return false;
    const LogFieldSpan& status = m_spans.status;
    const char* p = m_pLine + status.start;
    if (status.length == 3 && p[0] == '2' && p[1] == '0' && p[2] == '0') clr = kStatusOkColor;
    else if (status.length == 3 && p[0] == '4' && p[1] == '0' && p[2] == '4') clr = kStatusNotFoundColor;
    else clr = kStatusOtherColor;
    return true;
}
