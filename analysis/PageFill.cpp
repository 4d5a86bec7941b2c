#include "analysis/PageFill.h"

#include "analysis/CrawlerEntries.h"

#include <charconv>

namespace {

// Row numbers are many tiny strings: they share large chunks, big enough to
// be given huge pages (fresh small pages cost far more to touch than the
// numbers cost to write).
constexpr std::size_t kNumberChunk = std::size_t(4) << 20;

// Records are visited from the last to the first; each cell that shares a
// record's text bumps the count in the string's header, which is far from the
// previous one in memory. Asking for it this many records early hides the wait.
constexpr std::size_t kPrefetchAhead = 16;

void PrefetchText(const LogLine* pRecord)
{
    if (pRecord) pRecord->text.PrefetchCount();
}

// The decimal text of n, as "%d" writes it.
CString RowNumber(CStringArena& arena, long long n)
{
    char szDigits[24];
    auto result = std::to_chars(szDigits, szDigits + sizeof(szDigits), n);
    return arena.Make(szDigits, result.ptr - szDigits);
}

} // namespace

COLORREF StatusColor(const CString& strStatus)
{
    if (strStatus == " 200") return kStatusOkColor;
    if (strStatus == " 404") return kStatusNotFoundColor;
    return kStatusOtherColor;
}

void EmptyPage(CListCtrlCl& list)
{
    list.DeleteAllItems();
    list.RemoveAllCellColors();
}

void FillAllLinesPage(CListCtrlCl& list, const LogLoad& load)
{
    EmptyPage(list);
    std::size_t nRecords = load.nRecords < load.records.GetCount() ? load.nRecords : load.records.GetCount();
    CStringArena numbers(kNumberChunk);
    for (std::size_t k = nRecords; k >= 1; --k) {
        if (k > kPrefetchAhead) PrefetchText(load.records.GetAt(k - kPrefetchAhead));
        const LogLine* pRecord = load.records.GetAt(k);
        if (!pRecord) continue;
        // A row the list cannot take ends the fill; writing on would overwrite
        // the row inserted before it.
        if (list.InsertItem(0, RowNumber(numbers, static_cast<long long>(k))) != 0) break;
        list.SetItemText(0, 1, pRecord->text);
    }
}

void ShowCrawlerEntries(CListCtrlCl& list, const std::vector<LogEntry>& entries)
{
    const long long m = static_cast<long long>(entries.size());
    CStringArena numbers(kNumberChunk);
    long long nStopped = -1; // the entry whose row the list refused
    for (long long n = 0; n < m; ++n) {
        long long e = m - 1 - n;
        const LogEntry& entry = entries[static_cast<std::size_t>(e)];
        if (list.InsertItem(0, RowNumber(numbers, e + 1)) != 0) {
            nStopped = e;
            break;
        }
        list.SetItemText(0, 1, entry.ip);
        list.SetItemText(0, 2, entry.time);
        list.SetItemText(0, 3, entry.url);
        list.SetItemText(0, 4, entry.http);
        list.SetItemText(0, 5, entry.status);
        list.SetItemText(0, 6, entry.bytes);
        COLORREF clr = StatusColor(entry.status);
        for (int c = 0; c <= 6; ++c) list.SetCellBackColor(c, static_cast<int>(e), clr);
    }
    if (nStopped < 0) return;
    // The rows present hold entries nStopped + 1 onwards from index 0: give
    // each its colour at the index it really has.
    list.RemoveAllCellColors();
    for (long long e = nStopped + 1; e < m; ++e) {
        COLORREF clr = StatusColor(entries[static_cast<std::size_t>(e)].status);
        for (int c = 0; c <= 6; ++c) list.SetCellBackColor(c, static_cast<int>(e - nStopped - 1), clr);
    }
}

void FillCrawlerPage(CListCtrlCl& list, const LogLoad& load, CString token)
{
    EmptyPage(list);
    std::vector<LogEntry> entries = CollectCrawlerEntries(load.records, load.nRecords, token);
    ShowCrawlerEntries(list, entries);
    // The entries and the token copy are released as the run ends.
}
