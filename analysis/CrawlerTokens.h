// The crawlers' user-agent tokens, in page order (pages 1 to 6).
#pragma once

inline constexpr int kCrawlerCount = 6;

inline constexpr const char* kCrawlerTokens[kCrawlerCount] = {
    "Baiduspider", "Googlebot", "YoudaoFeedFetcher", "Sosospider", "Sogou web spider", "bingbot",
};

// The page index of a token, or -1 when it is none of the six.
int CrawlerOfToken(const char* pszToken);
