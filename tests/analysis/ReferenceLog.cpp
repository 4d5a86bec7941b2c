#include "tests/analysis/ReferenceLog.h"

namespace reflog {

long long Find(const std::string& s, const std::string& x, long long p)
{
    if (p < 0) p = 0;
    long long n = static_cast<long long>(s.size());
    long long k = static_cast<long long>(x.size());
    if (p > n) return -1;
    for (long long i = p; i + k <= n; ++i) {
        bool same = true;
        for (long long c = 0; c < k && same; ++c) same = s[i + c] == x[c];
        if (same) return i;
    }
    return -1;
}

std::string Mid(const std::string& s, long long first, long long count)
{
    long long n = static_cast<long long>(s.size());
    if (first < 0) first = 0;
    if (count < 0) count = 0;
    if (first >= n) return std::string();
    if (count > n - first) count = n - first;
    return s.substr(static_cast<std::size_t>(first), static_cast<std::size_t>(count));
}

Load LoadBytes(const std::string& bytes)
{
    Load load;
    load.text = bytes;
    for (char& c : load.text)
        if (c == '\0') c = ' ';

    for (long long i = Find(load.text, " - - ", 0); i != -1; i = Find(load.text, " - - ", i + 2)) ++load.markers;

    // Every line is a record; a final piece without "\n" too, when not empty.
    long long n = static_cast<long long>(load.text.size());
    for (long long p = 0; p < n;) {
        long long b = Find(load.text, "\n", p);
        Record r{p, b, Mid(load.text, p, (b < 0 ? n : b) - p)};
        load.records.push_back(r);
        if (b < 0) break;
        p = b + 1;
    }
    return load;
}

Entry Extract(const std::string& s)
{
    Entry e;
    e.line = s;
    long long m = Find(s, " - - ", 0);
    e.ip = " " + Mid(s, 0, m);
    long long l = Find(s, "[", 0);
    long long t = Find(s, " -", l + 1);
    e.time = " " + Mid(s, l + 1, t - l - 1);
    long long g = Find(s, "GET", 0);
    long long u = Find(s, "HTTP", g + 1);
    e.url = " " + Mid(s, g + 3, u - g - 3);
    long long h = Find(s, "HTTP", 0);
    e.http = " " + Mid(s, h, 8);
    h = Find(s, "HTTP", 0);
    e.status = " " + Mid(s, h + 10, 3);
    h = Find(s, "HTTP", 0);
    long long d = Find(s, "-", h + 1);
    e.bytes = " " + Mid(s, h + 14, d - h - 16);
    return e;
}

std::vector<Entry> Crawler(const Load& load, const std::string& token)
{
    std::vector<Entry> out;
    for (const Record& r : load.records)
        if (Find(r.text, token, 1) != -1) out.push_back(Extract(r.text));
    return out;
}

} // namespace reflog
