#include "platform/system/frame/MinimizedBar.h"

#include "platform/system/gdi/Gdi.h"
#include "platform/system/window/Desktop.h"
#include "platform/system/window/SysMetrics.h"
#include "platform/system/window/WindowClass.h"
#include "platform/system/window/WindowTree.h"

#include <algorithm>
#include <set>
#include <string>

namespace sys {
namespace {

constexpr const char* kBarClass = "#MinimizedBar";

bool IsBar(HWND hwnd)
{
    Window* w = Lookup(hwnd);
    return w && w->cls && w->cls->name == kBarClass;
}

HWND TargetOf(HWND bar)
{
    Window* w = Lookup(bar);
    return w ? w->owner : nullptr;
}

void Paint(HWND bar)
{
    PAINTSTRUCT ps{};
    HDC hdc = BeginPaint(bar, &ps);
    if (!hdc) return;
    RECT r{};
    GetClientRect(bar, &r);
    bool active = GetActiveWindow() == bar;
    FillRect(hdc, &r, GetSysColorBrush(COLOR_BTNFACE));
    DrawEdge(hdc, &r, EDGE_RAISED, BF_RECT | BF_ADJUST);
    FillRect(hdc, &r, GetSysColorBrush(active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION));
    RECT text = r;
    text.left += 2;
    if (Window* target = Lookup(TargetOf(bar))) {
        HICON icon = target->iconSmall ? target->iconSmall : target->iconBig;
        if (!icon && target->cls) icon = target->cls->iconSmall ? target->cls->iconSmall : target->cls->icon;
        int size = std::min(16, static_cast<int>(Height(r)));
        if (icon && size > 0) {
            DrawIconEx(hdc, r.left + 1, r.top + (Height(r) - size) / 2, icon, size, size, 0, nullptr, 3);
            text.left = r.left + size + 3;
        }
        int oldMode = SetBkMode(hdc, TRANSPARENT);
        COLORREF oldColor = SetTextColor(hdc, GetSysColor(active ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
        HGDIOBJ oldFont = SelectObject(hdc, GetStockObject(DEFAULT_GUI_FONT));
        std::string title = Lookup(TargetOf(bar))->text;
        DrawText(hdc, title.c_str(), static_cast<int>(title.size()), &text,
                 DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
        SelectObject(hdc, oldFont);
        SetTextColor(hdc, oldColor);
        SetBkMode(hdc, oldMode);
    }
    EndPaint(bar, &ps);
}

LRESULT BarProc(HWND bar, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT: Paint(bar); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_NCACTIVATE: InvalidateRect(bar, nullptr, FALSE); return TRUE;
    case WM_LBUTTONDOWN: SetCapture(bar); return 0;
    case WM_LBUTTONUP: {
        if (GetCapture() != bar) return 0;
        ReleaseCapture();
        RECT r{};
        GetClientRect(bar, &r);
        POINT p{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        // A press dragged off the bar and let go elsewhere is no click.
        if (PtInRect(&r, p)) PostMessage(TargetOf(bar), WM_SYSCOMMAND, SC_RESTORE, 0);
        return 0;
    }
    default: return DefWindowProc(bar, message, wParam, lParam);
    }
}

bool RegisterBarClass()
{
    WNDCLASS wc{};
    wc.lpfnWndProc = BarProc;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = kBarClass;
    return RegisterSystemClass(wc);
}

// Bars fill the bottom row of the work area from the left, then the rows above.
RECT SlotRect(int slot)
{
    RECT work = WorkAreaRect();
    int cx = GetSystemMetrics(SM_CXMINIMIZED), cy = GetSystemMetrics(SM_CYMINIMIZED);
    int perRow = std::max(1, static_cast<int>(Width(work)) / cx);
    int x = work.left + (slot % perRow) * cx;
    int y = work.bottom - (slot / perRow + 1) * cy;
    return RECT{x, y, x + cx, y + cy};
}

int FreeSlot()
{
    std::set<LONG_PTR> taken;
    for (HWND h : TopLevels())
        if (IsBar(h)) taken.insert(GetWindowLongPtr(h, GWLP_USERDATA));
    int slot = 0;
    while (taken.count(slot))
        ++slot;
    return slot;
}

} // namespace

HWND MinimizedBarOf(HWND hwnd)
{
    if (!hwnd) return nullptr;
    for (HWND h : TopLevels())
        if (IsBar(h) && TargetOf(h) == hwnd) return h;
    return nullptr;
}

void ShowMinimizedBar(HWND minimized)
{
    Window* w = Lookup(minimized);
    if (!w || w->parent || IsBar(minimized) || MinimizedBarOf(minimized)) return;
    if ((w->style & (WS_MINIMIZE | WS_VISIBLE)) != (WS_MINIMIZE | WS_VISIBLE) || !RegisterBarClass()) return;
    int slot = FreeSlot();
    RECT r = SlotRect(slot);
    // Owned by its window, so it goes when the window is destroyed.
    HWND bar = CreateWindowEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kBarClass, w->text.c_str(), WS_POPUP, r.left, r.top,
                              Width(r), Height(r), minimized, nullptr, nullptr, nullptr);
    if (!bar) return;
    SetWindowLongPtr(bar, GWLP_USERDATA, slot);
    ShowWindow(bar, SW_SHOWNOACTIVATE);
}

void DropStaleMinimizedBar(HWND hwnd)
{
    HWND bar = MinimizedBarOf(hwnd);
    if (!bar) return;
    Window* w = Lookup(hwnd);
    if (w && (w->style & WS_MINIMIZE) && (w->style & WS_VISIBLE)) return;
    DestroyWindow(bar);
}

} // namespace sys
