#include "analysis/PageFill.h"

#include "analysis/CrawlerEntries.h"

#include <algorithm>
#include <charconv>
#include <memory>

namespace {

// Row numbers are many tiny strings: they share large chunks, big enough to
// be given huge pages (fresh small pages cost far more to touch than the
// numbers cost to write).
constexpr std::size_t kNumberChunk = std::size_t(4) << 20;

// A list counts its rows in an int.
constexpr std::size_t kMaxRows = 0x7FFFFFFE;


// The decimal text of n, as "%d" writes it.
CString RowNumber(CStringArena& arena, long long n)
{
    char szDigits[24];
    auto result = std::to_chars(szDigits, szDigits + sizeof(szDigits), n);
    return arena.Make(szDigits, result.ptr - szDigits);
}

} // namespace

void EmptyPage(CListCtrlCl& list)
{
    // Back to stored rows, so that rows inserted one by one keep their texts.
    if (list.GetRowSource()) list.SetRowSource(nullptr, 0);
    list.DeleteAllItems();
    list.RemoveAllCellColors();
}

BOOL FillAllLinesPage(CListCtrlCl& list, const LogLoad& load)
{
    EmptyPage(list);
    const int nRows = static_cast<int>(std::min<std::size_t>(load.records.GetCount(), kMaxRows));
    return list.SetRowSource(std::make_unique<CAllLinesRows>(load), nRows);
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

BOOL FillCrawlerPage(CListCtrlCl& list, const LogLoad& load, CString token)
{
    EmptyPage(list);
    std::unique_ptr<CCrawlerRows> pRows;
    // The six crawlers' records were found while the file was read.
    int crawler = CrawlerOfToken(token.GetString());
    if (crawler >= 0 && token == kCrawlerTokens[crawler])
        pRows = std::make_unique<CCrawlerRows>(load, &load.crawlerRecords[crawler]);
    else
        pRows = std::make_unique<CCrawlerRows>(load, FindTokenRecords(load, token));
    const int nRows = static_cast<int>(std::min<std::size_t>(pRows->GetCount(), kMaxRows));
    return list.SetRowSource(std::move(pRows), nRows);
}
