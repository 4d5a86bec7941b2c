// The window a popup menu is shown in: layout with the menu font and the
// classic look (raised frame, highlight bar, grayed text, check marks,
// etched separators, shortcut text right-aligned after a tab).
#include "platform/system/gdi/Gdi.h"
#include "platform/system/menu/MenuInternal.h"
#include "platform/system/window/SysMetrics.h"
#include "platform/system/window/WindowClass.h"

#include <algorithm>

namespace sys {
namespace {

constexpr const char* kPopupMenuClass = "#32768";
constexpr int kFrame = 3; // raised edge plus one pixel of menu colour
constexpr int kSeparatorHeight = 9;
constexpr int kAccelGap = 12; // least space between an item and its shortcut
constexpr int kCheckSize = 7;

int CheckColumn()
{
    return GetSystemMetrics(SM_CXMENUCHECK) + 4;
}
int RightMargin()
{
    return GetSystemMetrics(SM_CXMENUCHECK) + 4;
}
HGDIOBJ MenuFont()
{
    return GetStockObject(DEFAULT_GUI_FONT);
}

void SplitText(const std::string& text, std::string* label, std::string* accel)
{
    std::size_t tab = text.find('\t');
    *label = text.substr(0, tab);
    *accel = tab == std::string::npos ? std::string() : text.substr(tab + 1);
}

int TextWidth(HDC hdc, const std::string& text)
{
    if (text.empty()) return 0;
    RECT r{0, 0, 0, 0};
    DrawText(hdc, text.c_str(), static_cast<int>(text.size()), &r, DT_SINGLELINE | DT_CALCRECT);
    return r.right - r.left;
}

PopupMenuState* StateOf(HWND hwnd)
{
    return reinterpret_cast<PopupMenuState*>(GetWindowLongPtr(hwnd, 0));
}

// The classic check mark: seven columns three pixels tall, a short stroke
// down then a long one up.
void DrawCheck(HDC hdc, int x, int y, COLORREF color)
{
    static constexpr int kTop[kCheckSize] = {2, 3, 4, 3, 2, 1, 0};
    HBRUSH brush = CreateSolidBrush(color);
    for (int c = 0; c < kCheckSize; ++c) {
        RECT r{x + c, y + kTop[c], x + c + 1, y + kTop[c] + 3};
        FillRect(hdc, &r, brush);
    }
    DeleteObject(brush);
}

void DrawEntry(HDC hdc, const MenuEntry& e, RECT r, COLORREF color)
{
    SetTextColor(hdc, color);
    if (e.flags & MF_CHECKED)
        DrawCheck(hdc, r.left + (CheckColumn() - kCheckSize) / 2, r.top + (r.bottom - r.top - kCheckSize) / 2, color);
    std::string label, accel;
    SplitText(e.text, &label, &accel);
    RECT text{r.left + CheckColumn(), r.top, r.right - RightMargin(), r.bottom};
    DrawText(hdc, label.c_str(), static_cast<int>(label.size()), &text, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
    if (!accel.empty())
        DrawText(hdc, accel.c_str(), static_cast<int>(accel.size()), &text, DT_SINGLELINE | DT_VCENTER | DT_RIGHT);
}

void PaintItem(HDC hdc, const PopupMenuState& st, int index)
{
    const MenuEntry& e = st.items[static_cast<std::size_t>(index)];
    RECT r = st.rects[static_cast<std::size_t>(index)];
    if (e.flags & MF_SEPARATOR) {
        RECT line{r.left, r.top + (r.bottom - r.top) / 2 - 1, r.right, r.bottom};
        DrawEdge(hdc, &line, EDGE_ETCHED, BF_TOP);
        return;
    }
    bool selected = index == st.selected;
    bool grayed = (e.flags & MF_GRAYED) != 0;
    if (selected) FillRect(hdc, &r, GetSysColorBrush(COLOR_HIGHLIGHT));
    if (grayed && !selected) {
        // Grayed text is embossed: a light copy one pixel down and right.
        RECT shifted = r;
        OffsetRect(&shifted, 1, 1);
        DrawEntry(hdc, e, shifted, GetSysColor(COLOR_3DHILIGHT));
        DrawEntry(hdc, e, r, GetSysColor(COLOR_3DSHADOW));
        return;
    }
    COLORREF color = grayed     ? GetSysColor(COLOR_GRAYTEXT)
                     : selected ? GetSysColor(COLOR_HIGHLIGHTTEXT)
                                : GetSysColor(COLOR_MENUTEXT);
    DrawEntry(hdc, e, r, color);
}

void Paint(HWND hwnd)
{
    PAINTSTRUCT ps;
    HDC hdc = BeginPaint(hwnd, &ps);
    if (!hdc) return;
    const PopupMenuState* st = StateOf(hwnd);
    if (st) {
        RECT all{0, 0, st->size.cx, st->size.cy};
        FillRect(hdc, &all, GetSysColorBrush(COLOR_MENU));
        DrawEdge(hdc, &all, EDGE_RAISED, BF_RECT);
        HGDIOBJ oldFont = SelectObject(hdc, MenuFont());
        int oldMode = SetBkMode(hdc, TRANSPARENT);
        for (std::size_t i = 0; i < st->items.size(); ++i)
            PaintItem(hdc, *st, static_cast<int>(i));
        SetBkMode(hdc, oldMode);
        SelectObject(hdc, oldFont);
    }
    EndPaint(hwnd, &ps);
}

LRESULT PopupMenuProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT: Paint(hwnd); return 0;
    case WM_ERASEBKGND: return 1;    // the paint fills everything
    case WM_MOUSEACTIVATE: return 3; // MA_NOACTIVATE: a menu never takes activation
    default: return DefWindowProc(hwnd, message, wParam, lParam);
    }
}

bool RegisterPopupMenuClass()
{
    WNDCLASS wc{};
    wc.style = CS_SAVEBITS;
    wc.lpfnWndProc = PopupMenuProc;
    wc.cbWndExtra = static_cast<int>(sizeof(LONG_PTR));
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = kPopupMenuClass;
    return RegisterSystemClass(wc);
}

} // namespace

bool IsSelectableMenuEntry(const MenuEntry& entry)
{
    return !(entry.flags & MF_SEPARATOR);
}

bool IsChoosableMenuEntry(const MenuEntry& entry)
{
    return !(entry.flags & (MF_SEPARATOR | MF_GRAYED | MF_DISABLED | MF_POPUP));
}

void LayoutPopupMenu(PopupMenuState& st)
{
    HDC hdc = CreateCompatibleDC(nullptr);
    HGDIOBJ oldFont = SelectObject(hdc, MenuFont());
    TEXTMETRIC tm{};
    GetTextMetrics(hdc, &tm);
    int itemHeight = std::max(GetSystemMetrics(SM_CYMENU) - 2, static_cast<int>(tm.tmHeight) + 4);
    int labelWidth = 0, accelWidth = 0;
    for (const MenuEntry& e : st.items) {
        if (e.flags & MF_SEPARATOR) continue;
        std::string label, accel;
        SplitText(e.text, &label, &accel);
        labelWidth = std::max(labelWidth, TextWidth(hdc, label));
        accelWidth = std::max(accelWidth, TextWidth(hdc, accel));
    }
    SelectObject(hdc, oldFont);
    DeleteDC(hdc);

    int width = 2 * kFrame + CheckColumn() + labelWidth + (accelWidth ? kAccelGap + accelWidth : 0) + RightMargin();
    st.rects.clear();
    int y = kFrame;
    for (const MenuEntry& e : st.items) {
        int h = (e.flags & MF_SEPARATOR) ? kSeparatorHeight : itemHeight;
        st.rects.push_back(RECT{kFrame, y, width - kFrame, y + h});
        y += h;
    }
    st.size = SIZE{width, y + kFrame};
}

HWND CreatePopupMenuWindow(PopupMenuState* state)
{
    if (!RegisterPopupMenuClass()) return nullptr;
    HWND hwnd = CreateWindowEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kPopupMenuClass, "", WS_POPUP, 0, 0, state->size.cx,
                               state->size.cy, nullptr, nullptr, nullptr, nullptr);
    if (hwnd) SetWindowLongPtr(hwnd, 0, reinterpret_cast<LONG_PTR>(state));
    return hwnd;
}

int PopupMenuItemAt(const PopupMenuState& state, POINT client)
{
    for (std::size_t i = 0; i < state.rects.size(); ++i)
        if (PtInRect(&state.rects[i], client)) return static_cast<int>(i);
    return -1;
}

} // namespace sys
