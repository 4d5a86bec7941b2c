// The columns of the pages and the names their rows are exported under, shared
// by the pages and by the export that runs without a window.
#pragma once

#include "platform/system/CommCtrl.h"

struct PageColumn {
    const char* pszTitle;
    int nFormat;
    int nWidth;
};

inline constexpr const char* kAllLinesTitles[] = {"ID", "内容"};

inline constexpr PageColumn kCrawlerColumns[] = {
    {"ID", LVCFMT_LEFT, 30},    {"IP", LVCFMT_LEFT, 90},   {"访问时间", LVCFMT_LEFT, 150},
    {"URL", LVCFMT_LEFT, 100},  {"HTTP", LVCFMT_LEFT, 60}, {"状态", LVCFMT_CENTER, 50},
    {"字节", LVCFMT_LEFT, 50},
};

// Tab order: the all-lines page, then the six crawlers' pages.
inline constexpr const char* kPageExportNames[] = {"all", "baidu", "google", "youdao", "soso", "sogou", "bing"};
