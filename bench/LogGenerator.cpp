#include "bench/LogGenerator.h"

#include <array>
#include <cstring>

namespace corvane::bench {

namespace {

struct Agent {
    const char* text;
    std::uint32_t weight; // per thousand lines
};

// About a third of the traffic is crawlers, in shares like a busy site's.
constexpr std::array<Agent, 10> kAgents = {{
    {"Mozilla/5.0 (compatible; Googlebot/2.1; +http://www.google.com/bot.html)", 120},
    {"Mozilla/5.0 (compatible; Baiduspider/2.0; +http://www.baidu.com/search/spider.html)", 80},
    {"Mozilla/5.0 (compatible; bingbot/2.0; +http://www.bing.com/bingbot.htm)", 60},
    {"Sogou web spider/4.0(+http://www.sogou.com/docs/help/webmasters.htm#07)", 30},
    {"Sosospider+(+http://help.soso.com/webspider.htm)", 10},
    {"YoudaoFeedFetcher/1.0 (http://www.youdao.com/help/reader/faq/topic006/; 1 subscriber; )", 10},
    {"Mozilla/5.0 (Windows NT 10.0; Win64; x64) AppleWebKit/537.36 (KHTML, like Gecko) Chrome/120.0.0.0 "
     "Safari/537.36",
     330},
    {"Mozilla/5.0 (X11; Linux x86_64; rv:109.0) Gecko/20100101 Firefox/115.0", 180},
    {"Mozilla/5.0 (iPhone; CPU iPhone OS 16_0 like Mac OS X) AppleWebKit/605.1.15 (KHTML, like Gecko) Mobile/15E148",
     150},
    {"curl/7.88.1", 30},
}};

constexpr std::array<const char*, 12> kPaths = {
    "/", "/index.html", "/news/2023/spring-sale.html", "/products/tea-set", "/about-us", "/robots.txt",
    "/sitemap.xml", "/images/logo-small.png", "/css/site-main.css", "/js/app.min.js", "/blog/how-to-brew-green-tea",
    "/search",
};

constexpr std::array<const char*, 5> kReferrers = {
    "https://www.example.com/", "https://search.example.net/result?q=green-tea",
    "http://blog.example.org/2023/05/tea-notes", "https://www.example.com/products/tea-set", "android-app://com.example",
};

constexpr std::array<const char*, 12> kMonths = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                 "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

void AppendNumber(std::string& out, std::uint64_t v, int minDigits = 1)
{
    char buf[24];
    int n = 0;
    do {
        buf[n++] = static_cast<char>('0' + v % 10);
        v /= 10;
    } while (v || n < minDigits);
    while (n) out += buf[--n];
}

} // namespace

std::uint64_t LogLineGenerator::Next()
{
    // splitmix64: small, fast and the same everywhere.
    std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

void LogLineGenerator::AppendLine(std::string& out)
{
    static const char* const nets[] = {"192.0.2.", "198.51.100.", "203.0.113.", "100.64.", "172.20."};
    std::uint32_t net = Below(5);
    out += nets[net];
    if (net >= 3) {
        AppendNumber(out, Below(256));
        out += '.';
    }
    AppendNumber(out, 1 + Below(254));
    out += " - - [";

    m_clock += Below(3);
    std::uint32_t secs = m_clock % 86400;
    AppendNumber(out, 1 + (m_clock / 86400) % 28, 2);
    out += '/';
    out += kMonths[(m_clock / (86400 * 28)) % 12];
    out += "/2024:";
    AppendNumber(out, secs / 3600, 2);
    out += ':';
    AppendNumber(out, secs / 60 % 60, 2);
    out += ':';
    AppendNumber(out, secs % 60, 2);
    out += Below(10) < 8 ? " -0700] \"" : " +0800] \"";

    std::uint32_t m = Below(100);
    out += m < 92 ? "GET " : (m < 97 ? "HEAD " : "POST ");
    out += kPaths[Below(kPaths.size())];
    if (Below(4) == 0) {
        out += "?id=";
        AppendNumber(out, Below(100000));
    }
    out += Below(10) < 8 ? " HTTP/1.1\" " : " HTTP/1.0\" ";

    std::uint32_t s = Below(1000);
    const char* status = s < 780 ? "200" : s < 860 ? "304" : s < 930 ? "404" : s < 970 ? "301" : s < 990 ? "500" : "403";
    out += status;
    out += ' ';
    if (status[0] == '3' && status[2] == '4') out += '-';
    else if (Below(50) == 0) out += '-';
    else AppendNumber(out, 100 + Below(60000));

    out += " \"";
    out += Below(3) == 0 ? kReferrers[Below(kReferrers.size())] : "-";
    out += "\" \"";
    std::uint32_t a = Below(1000);
    for (const Agent& agent : kAgents) {
        if (a < agent.weight) {
            out += agent.text;
            break;
        }
        a -= agent.weight;
    }
    out += "\"\n";
}

bool WriteSyntheticLog(std::FILE* file, const LogGenOptions& options)
{
    LogLineGenerator gen(options.seed);
    std::string buffer;
    buffer.reserve(std::size_t(4) << 20);
    std::uint64_t written = 0;
    while (written < options.bytes) {
        buffer.clear();
        while (buffer.size() < (std::size_t(4) << 20) - 1024 && written + buffer.size() < options.bytes)
            gen.AppendLine(buffer);
        if (std::fwrite(buffer.data(), 1, buffer.size(), file) != buffer.size()) return false;
        written += buffer.size();
    }
    return std::fflush(file) == 0;
}

} // namespace corvane::bench
