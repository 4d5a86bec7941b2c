#include "platform/system/window/SysMetrics.h"

#include "platform/system/window/Desktop.h"

#include <array>

namespace {

struct MetricEntry {
    int index;
    int value;
};

// The classic standard scheme at 96 dpi.
constexpr MetricEntry kMetrics[] = {
    {SM_CXVSCROLL, 16},   {SM_CYHSCROLL, 16},     {SM_CYCAPTION, 19},     {SM_CXBORDER, 1},     {SM_CYBORDER, 1},
    {SM_CXDLGFRAME, 3},   {SM_CYDLGFRAME, 3},     {SM_CYVTHUMB, 16},      {SM_CXHTHUMB, 16},    {SM_CXICON, 32},
    {SM_CYICON, 32},      {SM_CXCURSOR, 32},      {SM_CYCURSOR, 32},      {SM_CYMENU, 19},      {SM_MOUSEPRESENT, 1},
    {SM_CYVSCROLL, 16},   {SM_CXHSCROLL, 16},     {SM_CXMIN, 112},        {SM_CYMIN, 27},       {SM_CXSIZE, 18},
    {SM_CYSIZE, 18},      {SM_CXFRAME, 4},        {SM_CYFRAME, 4},        {SM_CXMINTRACK, 112}, {SM_CYMINTRACK, 27},
    {SM_CXDOUBLECLK, 4},  {SM_CYDOUBLECLK, 4},    {SM_CXICONSPACING, 75}, {SM_CYICONSPACING, 75},
    {SM_CMOUSEBUTTONS, 3}, {SM_CXEDGE, 2},        {SM_CYEDGE, 2},         {SM_CXSMICON, 16},    {SM_CYSMICON, 16},
    {SM_CYSMCAPTION, 15}, {SM_CXSMSIZE, 12},      {SM_CYSMSIZE, 14},      {SM_CXMENUSIZE, 18},  {SM_CYMENUSIZE, 18},
    {SM_CXMINIMIZED, 160}, {SM_CYMINIMIZED, 24},  {SM_CXDRAG, 4},         {SM_CYDRAG, 4},       {SM_CXMENUCHECK, 13},
    {SM_CYMENUCHECK, 13}, {SM_MOUSEWHEELPRESENT, 1},
};

constexpr std::array<COLORREF, 29> kColors = {
    RGB(212, 208, 200), // scroll bar
    RGB(58, 110, 165),  // desktop
    RGB(10, 36, 106),   // active caption
    RGB(128, 128, 128), // inactive caption
    RGB(212, 208, 200), // menu
    RGB(255, 255, 255), // window
    RGB(0, 0, 0),       // window frame
    RGB(0, 0, 0),       // menu text
    RGB(0, 0, 0),       // window text
    RGB(255, 255, 255), // caption text
    RGB(212, 208, 200), // active border
    RGB(212, 208, 200), // inactive border
    RGB(128, 128, 128), // application workspace
    RGB(10, 36, 106),   // highlight
    RGB(255, 255, 255), // highlight text
    RGB(212, 208, 200), // button face
    RGB(128, 128, 128), // button shadow
    RGB(128, 128, 128), // grey text
    RGB(0, 0, 0),       // button text
    RGB(212, 208, 200), // inactive caption text
    RGB(255, 255, 255), // button highlight
    RGB(64, 64, 64),    // dark shadow
    RGB(212, 208, 200), // light
    RGB(0, 0, 0),       // tooltip text
    RGB(255, 255, 225), // tooltip background
    RGB(181, 181, 181), // unused slot
    RGB(0, 0, 128),     // hot-tracked item
    RGB(166, 202, 240), // active caption gradient
    RGB(192, 192, 192), // inactive caption gradient
};

} // namespace

int GetSystemMetrics(int index)
{
    RECT screen = sys::ScreenRect();
    RECT work = sys::WorkAreaRect();
    switch (index) {
    case SM_CXSCREEN: return screen.right - screen.left;
    case SM_CYSCREEN: return screen.bottom - screen.top;
    case SM_CXFULLSCREEN: return work.right - work.left;
    case SM_CYFULLSCREEN: return work.bottom - work.top - 19;
    case SM_CXMAXIMIZED: return work.right - work.left + 2 * 4;
    case SM_CYMAXIMIZED: return work.bottom - work.top + 2 * 4;
    case SM_CXMAXTRACK: return screen.right - screen.left + 2 * 6;
    case SM_CYMAXTRACK: return screen.bottom - screen.top + 2 * 6;
    default: break;
    }
    for (const MetricEntry& e : kMetrics)
        if (e.index == index) return e.value;
    return 0;
}

COLORREF GetSysColor(int index)
{
    if (index < 0 || index >= static_cast<int>(kColors.size())) return 0;
    return kColors[static_cast<std::size_t>(index)];
}

UINT GetDoubleClickTime() { return sys::kDoubleClickTimeMs; }
