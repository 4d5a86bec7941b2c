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
    std::string_view text(p, static_cast<std::size_t>(n > 0 ? n : 0));
    if (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    return text;
}

std::string_view CCrawlerRows::GetCellValue(int nRow, int nColumn, std::string& scratch) const
{
    if (nRow < 0 || static_cast<std::size_t>(nRow) >= m_pRecords->size()) return {};
    if (nColumn == 0) return NumberValue(nRow + 1LL, scratch);
    if (nColumn < 0 || nColumn > 6) return {};
    if (nRow != m_nSpanRow) {
        const std::size_t j = (*m_pRecords)[static_cast<std::size_t>(nRow)];
        if (!m_load.records.Has(j)) return {};
        std::ptrdiff_t n = 0;
        m_pSpanLine = m_load.records.TextAt(j, n);
        CutLogFields(m_pSpanLine, n, m_spans);
        m_nSpanRow = nRow;
    }
    const LogFieldSpan* spans[] = {nullptr,        &m_spans.ip,     &m_spans.time, &m_spans.url,
                                   &m_spans.http, &m_spans.status, &m_spans.bytes};
    const LogFieldSpan& span = *spans[nColumn];
    if (span.length <= 0) return {};
    return std::string_view(m_pSpanLine + span.start, static_cast<std::size_t>(span.length));
}

const LogEntry* CCrawlerRows::Cut(int nRow) const
{
    if (nRow < 0 || static_cast<std::size_t>(nRow) >= m_pRecords->size()) return nullptr;
    if (nRow != m_nCutRow) {
        const std::size_t j = (*m_pRecords)[static_cast<std::size_t>(nRow)];
        if (!m_load.records.Has(j)) return nullptr;
        m_cut.line = m_load.records.GetAt(j).Text();
        m_cut.Extract();
        m_nCutRow = nRow;
    }
    return &m_cut;
}

bool CCrawlerRows::GetEntry(int nRow, LogEntry& entry) const
{
    const LogEntry* pCut = Cut(nRow);
    if (!pCut) return false;
    entry = *pCut;
    return true;
}

int CCrawlerRows::GetCellText(int nRow, int nColumn, char* pszBuffer, int nSize) const
{
    const LogEntry* pCut = Cut(nRow);
    if (!pCut) return PutText("", 0, pszBuffer, nSize);
    const CString* fields[] = {nullptr, &pCut->ip, &pCut->time, &pCut->url, &pCut->http, &pCut->status, &pCut->bytes};
    if (nColumn == 0) return PutNumber(nRow + 1LL, pszBuffer, nSize);
    if (nColumn < 0 || nColumn > 6) return PutText("", 0, pszBuffer, nSize);
    return PutText(fields[nColumn]->GetString(), fields[nColumn]->GetLength(), pszBuffer, nSize);
}

bool CCrawlerRows::GetRowBackColor(int nRow, COLORREF& clr) const
{
    const LogEntry* pCut = Cut(nRow);
    if (!pCut) return false;
    clr = StatusColor(pCut->status);
    return true;
}
