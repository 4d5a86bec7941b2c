// A deliberately plain reading of the loading and extraction rules, written
// for clarity over speed, for the differential tests to hold the fast code to.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace reflog {

struct Record {
    long long start;
    long long end;
    std::string text;
};

struct Load {
    std::string text;
    std::size_t markers = 0;
    std::vector<Record> records;
};

struct Entry {
    std::string line, ip, time, url, http, status, bytes;
};

// First offset of x at or after p (negative p counts as 0), or -1.
long long Find(const std::string& s, const std::string& x, long long p);
// The clamped cut (first, count).
std::string Mid(const std::string& s, long long first, long long count);

// The file's bytes as they come from disk.
Load LoadBytes(const std::string& bytes);
std::vector<Entry> Crawler(const Load& load, const std::string& token);
// The six fields, read word by word from a copy of the line.
Entry Extract(const std::string& line);

} // namespace reflog
