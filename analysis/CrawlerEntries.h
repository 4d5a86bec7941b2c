// Selecting the records of one crawler and cutting them into entries: the
// part of a crawler page's fill that needs no window.
#pragma once

#include "analysis/CrawlerTokens.h"
#include "analysis/LogEntry.h"
#include "analysis/RecordTable.h"

#include <cstddef>
#include <vector>


// Replaces entries with one entry per record 1..nRecords whose text holds
// token at offset 1 or later, in record order, each with only line set. The
// pool is sized to the matches. nRecords past the table's count is clamped.
void SelectLogEntries(const RecordTable& records, std::size_t nRecords, const CString& token,
                      std::vector<LogEntry>& entries);

// Cuts the fields of every entry from its line.
void ExtractLogEntries(std::vector<LogEntry>& entries);

// Selection then extraction: the entries of one crawler page. The token is
// taken by value so that the run owns its copy.
std::vector<LogEntry> CollectCrawlerEntries(const RecordTable& records, std::size_t nRecords, CString token);
