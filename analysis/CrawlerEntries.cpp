#include "analysis/CrawlerEntries.h"

#include "analysis/LogLoad.h"

#include <algorithm>

void SelectLogEntries(const RecordTable& records, std::size_t nRecords, const CString& token,
                      std::vector<LogEntry>& entries)
{
    entries.clear();
    const std::vector<std::size_t> hits = SearchTokenRecords(records, nRecords, token);
    entries.resize(hits.size());
    for (std::size_t k = 0; k < hits.size(); ++k) entries[k].line = records.GetAt(hits[k]).Text();
}

void ExtractLogEntries(std::vector<LogEntry>& entries)
{
    if (entries.empty()) return;
    // One arena for all field strings: a few large allocations instead of six
    // small ones per entry. Sized from the lines, since no field is longer.
    std::size_t lineBytes = 0;
    for (const LogEntry& e : entries) lineBytes += static_cast<std::size_t>(e.line.GetLength());
    std::size_t guess = lineBytes + entries.size() * 6 * CStringArena::Footprint(4);
    const std::size_t hugePage = std::size_t(2) << 20;
    std::size_t chunk = std::clamp<std::size_t>(guess, 16 << 10, 32 << 20);
    if (chunk >= hugePage) chunk = (chunk + hugePage - 1) / hugePage * hugePage;
    CStringArena arena(chunk);
    for (LogEntry& e : entries) e.Extract(&arena);
}

std::vector<LogEntry> CollectCrawlerEntries(const RecordTable& records, std::size_t nRecords, CString token)
{
    std::vector<LogEntry> entries;
    SelectLogEntries(records, nRecords, token, entries);
    ExtractLogEntries(entries);
    return entries;
}
