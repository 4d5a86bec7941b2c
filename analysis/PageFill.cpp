#include "analysis/PageFill.h"

#include "analysis/CrawlerEntries.h"

#include <algorithm>
#include <memory>

namespace {

// A list counts its rows in an int.
constexpr std::size_t kMaxRows = 0x7FFFFFFE;

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
