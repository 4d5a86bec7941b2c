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
