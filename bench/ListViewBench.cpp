// The list view at scale: ten million rows inserted one by one at the top,
// two cells each, as the all-lines page fills; then one screen painted at the
// top, the middle and the end, and the list emptied. Prints wall times.
//   corvane_bench_listview [rows]
#include "platform/base/CString.h"
#include "platform/display/HeadlessBackend.h"
#include "platform/system/CommCtrl.h"
#include "platform/system/Windows.h"
#include "platform/system/controls/listview/ListViewClass.h"
#include "platform/system/window/Desktop.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point from) { return std::chrono::duration<double>(Clock::now() - from).count(); }

long RssMiB()
{
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return resident * 4096 / (1024 * 1024);
}

int g_drawn = 0;

LRESULT ParentProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DRAWITEM) {
        ++g_drawn;
        return TRUE;
    }
    return DefWindowProc(hwnd, message, wParam, lParam);
}

void PaintScreen(HWND list, const char* where)
{
    g_drawn = 0;
    auto start = Clock::now();
    InvalidateRect(list, nullptr, TRUE);
    UpdateWindow(list);
    sys::PumpUntilIdle();
    std::printf("paint one screen at the %-6s %8.3f ms  (%d rows drawn, top row %ld)\n", where,
                Seconds(start) * 1000.0, g_drawn, static_cast<long>(SendMessage(list, LVM_GETTOPINDEX, 0, 0)));
}

} // namespace

int main(int argc, char** argv)
{
    int rows = argc > 1 ? std::atoi(argv[1]) : 10000000;
    if (rows <= 0) {
        std::fprintf(stderr, "usage: corvane_bench_listview [rows > 0]\n");
        return 2;
    }
    display::HeadlessBackend screen;
    sys::SetBackend(&screen);
    sys::RegisterListViewClasses();
    WNDCLASS wc{};
    wc.lpfnWndProc = &ParentProc;
    wc.lpszClassName = "BenchParent";
    RegisterClass(&wc);
    HWND parent = CreateWindowEx(0, "BenchParent", "", WS_POPUP | WS_VISIBLE, 0, 0, 800, 600, nullptr, nullptr,
                                 nullptr, nullptr);
    HWND list = CreateWindowEx(0, WC_LISTVIEW, "", WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT | LVS_OWNERDRAWFIXED,
                               0, 0, 790, 590, parent, reinterpret_cast<HMENU>(1004), nullptr, nullptr);
    LVCOLUMN c{};
    c.mask = LVCF_TEXT | LVCF_WIDTH;
    c.cx = 60;
    c.pszText = const_cast<LPSTR>("ID");
    SendMessage(list, LVM_INSERTCOLUMN, 0, reinterpret_cast<LPARAM>(&c));
    c.cx = 700;
    c.pszText = const_cast<LPSTR>("Text");
    SendMessage(list, LVM_INSERTCOLUMN, 1, reinterpret_cast<LPARAM>(&c));
    sys::PumpUntilIdle();

    // What the caller spends making the row numbers, measured apart.
    auto start = Clock::now();
    long sum = 0;
    for (int k = rows; k >= 1; --k) {
        CString id;
        id.Format("%d", k);
        sum += id.GetLength();
    }
    double formatting = Seconds(start);

    const CString text("66.249.66.1 - - [10/Oct/2023:13:55:36 +0800] \"GET /index.html HTTP/1.1\" 200 2326");
    long rss0 = RssMiB();
    start = Clock::now();
    for (int k = rows; k >= 1; --k) {
        CString id;
        id.Format("%d", k);
        LVITEM item{};
        item.mask = LVIF_TEXT | LVIF_SHAREDTEXT;
        item.pszText = reinterpret_cast<LPSTR>(&id);
        SendMessage(list, LVM_INSERTITEM, 0, reinterpret_cast<LPARAM>(&item));
        item.mask = LVIF_SHAREDTEXT;
        item.iSubItem = 1;
        item.pszText = reinterpret_cast<LPSTR>(const_cast<CString*>(&text));
        SendMessage(list, LVM_SETITEMTEXT, 0, reinterpret_cast<LPARAM>(&item));
    }
    double inserting = Seconds(start);
    std::printf("rows %d, %ld digits formatted\n", rows, sum);
    std::printf("format row numbers alone        %8.3f s\n", formatting);
    std::printf("insert at 0 + set 2 cells       %8.3f s  (%.0f ns a row, numbers included)\n", inserting,
                inserting * 1e9 / rows);
    std::printf("resident memory growth          %8ld MiB\n", RssMiB() - rss0);

    PaintScreen(list, "top");
    SendMessage(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(rows / 2), FALSE);
    PaintScreen(list, "middle");
    SendMessage(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(rows - 1), FALSE);
    PaintScreen(list, "end");

    start = Clock::now();
    SendMessage(list, LVM_DELETEALLITEMS, 0, 0);
    std::printf("delete all items                %8.3f s\n", Seconds(start));
    sys::SetBackend(nullptr);
    return 0;
}
