// Painting a full list window through the system drawing calls, as the colour
// list and its header do it: one font made and destroyed per cell, one brush per
// header pixel row. One frame of 646 x 309 must fit well inside 16.7 ms.
#include "platform/system/gdi/Gdi.h"
#include "platform/system/window/SysMetrics.h"

#include <benchmark/benchmark.h>

#include <cstring>

namespace {

constexpr int kWidth = 646;
constexpr int kHeight = 309;
constexpr int kColumns = 7;
constexpr int kRows = 20;
constexpr int kHeaderHeight = 24;
constexpr int kRowHeight = 14;

const char* const kCells[kColumns] = {"1024",     " 66.249.66.1", " [08/Dec/2026:10:15:32 +0800]",
                                      " /robots.txt?from=index&page=2", " HTTP/1.1", " 200", " 5120"};
const int kColumnWidths[kColumns] = {50, 100, 170, 150, 60, 50, 66};

void FillSolid(HDC dc, const RECT& r, COLORREF color)
{
    SetBkColor(dc, color);
    ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
}

void PaintHeader(HDC dc)
{
    int left = 0;
    HFONT font = CreateFont(15, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, "宋体");
    for (int column = 0; column < kColumns; ++column) {
        int r = 171, g = 199, b = 235;
        for (int y = 0; y <= kHeaderHeight; ++y) {
            HBRUSH brush = CreateSolidBrush(RGB(r, g, b));
            RECT band{left + 1, y, left + kColumnWidths[column], y + 1};
            FillRect(dc, &band, brush);
            DeleteObject(brush);
            r = r > 8 ? r - 8 : 0;
            g = g > 8 ? g - 8 : 0;
            b = b > 8 ? b - 8 : 0;
        }
        SetBkMode(dc, TRANSPARENT);
        HGDIOBJ old = SelectObject(dc, font);
        RECT text{left, 0, left + kColumnWidths[column], kHeaderHeight};
        DrawTextA(dc, "标题", -1, &text, DT_CENTER);
        SelectObject(dc, old);
        left += kColumnWidths[column];
    }
    DeleteObject(font);
}

void PaintRow(HDC dc, int row)
{
    int left = 0;
    int top = kHeaderHeight + row * kRowHeight;
    for (int column = 0; column < kColumns; ++column) {
        RECT cell{left, top, left + kColumnWidths[column], top + kRowHeight};
        RECT fill = cell;
        if (column == 0) fill.left -= 2;
        FillSolid(dc, fill, GetSysColor(COLOR_WINDOW));
        if (column == 5) FillSolid(dc, fill, RGB(0, 255, 0));
        SetTextColor(dc, RGB(0, 0, 0));
        SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
        TEXTMETRICA tm;
        GetTextMetricsA(dc, &tm);
        OffsetRect(&cell, 0, (kRowHeight - tm.tmHeight) / 2);
        HFONT font = CreateFont(12, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, "宋体");
        SelectObject(dc, font);
        DrawTextA(dc, kCells[column], -1, &cell, column == 0 ? DT_LEFT : DT_CENTER);
        SelectObject(dc, GetStockObject(SYSTEM_FONT));
        DeleteObject(font);
        left += kColumnWidths[column];
    }
}

void BM_PaintListWindow(benchmark::State& state)
{
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, kWidth, kHeight);
    HGDIOBJ old = SelectObject(dc, bitmap);
    for (auto _ : state) {
        RECT all{0, 0, kWidth, kHeight};
        FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        PaintHeader(dc);
        for (int row = 0; row < kRows; ++row) PaintRow(dc, row);
        benchmark::DoNotOptimize(GetPixel(dc, 10, 30));
    }
    state.counters["frames_per_s"] = benchmark::Counter(static_cast<double>(state.iterations()),
                                                        benchmark::Counter::kIsRate);
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
}
BENCHMARK(BM_PaintListWindow)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
