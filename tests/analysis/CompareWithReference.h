// Checks a load and crawler entries against the reference reading.
#pragma once

#include "analysis/CrawlerEntries.h"
#include "analysis/LogLoad.h"
#include "tests/analysis/ReferenceLog.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

inline std::string Str(const CString& s) { return std::string(s.GetString(), static_cast<std::size_t>(s.GetLength())); }

inline CString Cs(const std::string& s) { return CString(s.data(), static_cast<std::ptrdiff_t>(s.size())); }

// Compares everything a later view can see; returns false at the first
// difference so that a random test stops with one clear message.
inline ::testing::AssertionResult SameLoad(const LogLoad& got, const reflog::Load& want)
{
    if (Str(got.strText) != want.text) return ::testing::AssertionFailure() << "text differs";
    if (got.nMarkers != want.markers)
        return ::testing::AssertionFailure() << "markers " << got.nMarkers << " want " << want.markers;
    if (got.nRecords != want.records.size() || got.records.GetCount() != want.records.size())
        return ::testing::AssertionFailure() << "records " << got.nRecords << "/" << got.records.GetCount() << " want "
                                             << want.records.size();
    if (got.records.Has(0) || got.records.Has(got.nRecords + 1))
        return ::testing::AssertionFailure() << "a record outside 1.." << got.nRecords;
    for (std::size_t j = 1; j <= got.nRecords; ++j) {
        const LogLine r = got.records[j];
        const reflog::Record& w = want.records[j - 1];
        if (r.start != w.start || r.end != w.end || std::string(r.pText, static_cast<std::size_t>(r.nLength)) != w.text ||
            Str(r.Text()) != w.text)
            return ::testing::AssertionFailure() << "record " << j << " differs: start " << r.start << " want "
                                                 << w.start << ", end " << r.end << " want " << w.end;
    }
    // The crawlers' records, found while reading, are those a plain search selects.
    for (int t = 0; t < kCrawlerCount; ++t) {
        std::vector<std::size_t> selected;
        for (std::size_t j = 1; j <= want.records.size(); ++j)
            if (reflog::Find(want.records[j - 1].text, kCrawlerTokens[t], 1) != -1) selected.push_back(j);
        if (got.crawlerRecords[t] != selected)
            return ::testing::AssertionFailure() << "records of " << kCrawlerTokens[t] << ": " << got.crawlerRecords[t].size()
                                                 << " want " << selected.size();
    }
    return ::testing::AssertionSuccess();
}

inline ::testing::AssertionResult SameEntries(const std::vector<LogEntry>& got, const std::vector<reflog::Entry>& want)
{
    if (got.size() != want.size())
        return ::testing::AssertionFailure() << "entries " << got.size() << " want " << want.size();
    for (std::size_t k = 0; k < got.size(); ++k) {
        const LogEntry& g = got[k];
        const reflog::Entry& w = want[k];
        const char* field = nullptr;
        if (Str(g.line) != w.line) field = "line";
        else if (Str(g.ip) != w.ip) field = "ip";
        else if (Str(g.time) != w.time) field = "time";
        else if (Str(g.url) != w.url) field = "url";
        else if (Str(g.http) != w.http) field = "http";
        else if (Str(g.status) != w.status) field = "status";
        else if (Str(g.bytes) != w.bytes) field = "bytes";
        if (field)
            return ::testing::AssertionFailure() << "entry " << k << " field " << field << " differs in line \""
                                                 << w.line << "\"";
    }
    return ::testing::AssertionSuccess();
}
