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

namespace {

struct Word {
    std::size_t at;
    std::string text;
};

// The runs of characters other than the space, with where each starts.
std::vector<Word> Words(const std::string& s)
{
    std::vector<Word> words;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == ' ') continue;
        Word w{i, ""};
        while (i < s.size() && s[i] != ' ') w.text += s[i++];
        words.push_back(w);
    }
    return words;
}

bool Digits(const std::string& s)
{
    if (s.empty()) return false;
    for (char c : s)
        if (c < '0' || c > '9') return false;
    return true;
}

} // namespace

Entry Extract(const std::string& line)
{
    const std::size_t npos = std::string::npos;
    Entry e{line, " ", " ", " ", " ", " ", " "};
    std::string s = line;
    if (!s.empty() && s.back() == '\r') s.pop_back();

    std::size_t marker = s.find(" - - ");
    e.ip = " " + s.substr(0, marker != npos ? marker : s.find(' '));

    std::size_t from = 0;
    std::size_t open = s.find('[');
    std::size_t close = open == npos ? npos : s.find(']', open + 1);
    if (close != npos) {
        std::string inside = s.substr(open + 1, close - open - 1);
        e.time = " " + inside.substr(0, inside.find(' '));
        from = close + 1;
    }

    std::size_t quote = s.find('"', from);
    if (quote == npos) return e;
    std::size_t end = quote + 1;
    while ((end = s.find('"', end)) != npos && s[end - 1] == '\\') ++end;
    std::string request = end == npos ? s.substr(quote + 1) : s.substr(quote + 1, end - quote - 1);

    std::size_t method = request.find(' ');
    if (method != npos) {
        std::vector<Word> words = Words(request);
        Word last = words.empty() ? Word{0, ""} : words.back();
        bool protocol = last.at > method && last.text.rfind("HTTP/", 0) == 0;
        e.url = " " + request.substr(method, protocol ? last.at - method : npos);
        if (protocol) e.http = " " + last.text;
    }
    if (end == npos) return e;

    std::vector<Word> after = Words(s.substr(end + 1));
    if (after.empty() || after[0].text.size() != 3 || !Digits(after[0].text)) return e;
    e.status = " " + after[0].text;
    if (after.size() > 1 && Digits(after[1].text)) e.bytes = " " + after[1].text;
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
