// The static control: text aligned left, centred or right (with "&" prefixes
// unless SS_NOPREFIX), an icon (SS_ICON), and plain rectangles, frames and
// etched lines. Colours come from the parent through WM_CTLCOLORSTATIC.
#include "platform/system/controls/static/Static.h"

#include "platform/system/controls/ControlClasses.h"
#include "platform/system/controls/ControlColor.h"
#include "platform/system/controls/ControlCommon.h"
#include "platform/system/dialog/DialogDefs.h"
#include "platform/system/gdi/Gdi.h"
#include "platform/system/window/SysMetrics.h"
#include "platform/system/window/WindowClass.h"

#include <cstdlib>
#include <string>

namespace sys {

namespace {

constexpr int kFontSlot = 0;
constexpr int kImageSlot = static_cast<int>(sizeof(LONG_PTR));
constexpr int kExtraBytes = 2 * static_cast<int>(sizeof(LONG_PTR));

DWORD StyleOf(HWND hwnd)
{
    return static_cast<DWORD>(GetWindowLong(hwnd, GWL_STYLE));
}
DWORD TypeOf(HWND hwnd)
{
    return StyleOf(hwnd) & SS_TYPEMASK;
}
bool IsTextType(DWORD type)
{
    return type == SS_LEFT || type == SS_CENTER || type == SS_RIGHT || type == SS_SIMPLE || type == SS_LEFTNOWORDWRAP;
}

// "#128" or "128" names an icon resource by number, anything else by name.
HICON IconFromName(HINSTANCE instance, const char* name)
{
    if (!name || !*name) return nullptr;
    const char* digits = name[0] == '#' ? name + 1 : name;
    char* end = nullptr;
    long id = std::strtol(digits, &end, 10);
    if (end != digits && *end == '\0' && id > 0 && id <= 0xFFFF)
        return LoadIconA(instance, MAKEINTRESOURCE(static_cast<std::uintptr_t>(id)));
    return LoadIconA(instance, name);
}

void SizeToIcon(HWND hwnd)
{
    if (StyleOf(hwnd) & (SS_CENTERIMAGE | SS_REALSIZEIMAGE)) return;
    SetWindowPos(hwnd, nullptr, 0, 0, GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT SetIcon(HWND hwnd, HICON icon)
{
    LONG_PTR old = GetWindowLongPtr(hwnd, kImageSlot);
    SetWindowLongPtr(hwnd, kImageSlot, reinterpret_cast<LONG_PTR>(icon));
    if (icon) SizeToIcon(hwnd);
    InvalidateRect(hwnd, nullptr, TRUE);
    return old;
}

HBRUSH ParentBrush(HWND hwnd, HDC hdc)
{
    return sys::ControlColorBrush(hwnd, hdc, WM_CTLCOLORSTATIC);
}

void PaintText(HWND hwnd, HDC hdc, const RECT& client, DWORD style)
{
    DWORD type = style & SS_TYPEMASK;
    UINT format = DT_EXPANDTABS;
    if (type == SS_CENTER)
        format |= DT_CENTER | DT_WORDBREAK;
    else if (type == SS_RIGHT)
        format |= DT_RIGHT | DT_WORDBREAK;
    else if (type == SS_LEFT)
        format |= DT_WORDBREAK;
    else
        format |= DT_SINGLELINE; // SS_SIMPLE and SS_LEFTNOWORDWRAP
    if (style & SS_NOPREFIX) format |= DT_NOPREFIX;
    if (style & SS_CENTERIMAGE) format = (format & ~DT_WORDBREAK) | DT_SINGLELINE | DT_VCENTER;
    if ((style & SS_PATHELLIPSIS) == SS_PATHELLIPSIS)
        format |= DT_PATH_ELLIPSIS;
    else if (style & SS_ENDELLIPSIS)
        format |= DT_END_ELLIPSIS;
    std::string text = ControlText(hwnd);
    if (!IsWindowEnabled(hwnd)) SetTextColor(hdc, GetSysColor(COLOR_GRAYTEXT));
    int oldMode = SetBkMode(hdc, TRANSPARENT);
    RECT r = client;
    DrawTextA(hdc, text.c_str(), static_cast<int>(text.size()), &r, format);
    SetBkMode(hdc, oldMode);
}

void PaintStatic(HWND hwnd, HDC hdc)
{
    RECT client{};
    GetClientRect(hwnd, &client);
    DWORD style = StyleOf(hwnd);
    DWORD type = style & SS_TYPEMASK;
    int saved = SaveDC(hdc);
    auto font = reinterpret_cast<HFONT>(GetWindowLongPtr(hwnd, kFontSlot));
    SelectObject(hdc, font ? font : static_cast<HFONT>(GetStockObject(SYSTEM_FONT)));
    HBRUSH brush = ParentBrush(hwnd, hdc);
    switch (type) {
    case SS_BLACKRECT: FillRect(hdc, &client, GetSysColorBrush(COLOR_3DDKSHADOW)); break;
    case SS_GRAYRECT: FillRect(hdc, &client, GetSysColorBrush(COLOR_3DSHADOW)); break;
    case SS_WHITERECT: FillRect(hdc, &client, GetSysColorBrush(COLOR_3DHIGHLIGHT)); break;
    case SS_BLACKFRAME: FrameRect(hdc, &client, GetSysColorBrush(COLOR_3DDKSHADOW)); break;
    case SS_GRAYFRAME: FrameRect(hdc, &client, GetSysColorBrush(COLOR_3DSHADOW)); break;
    case SS_WHITEFRAME: FrameRect(hdc, &client, GetSysColorBrush(COLOR_3DHIGHLIGHT)); break;
    case SS_ETCHEDHORZ: {
        RECT r = client;
        DrawEdge(hdc, &r, EDGE_ETCHED, BF_TOP);
        break;
    }
    case SS_ETCHEDVERT: {
        RECT r = client;
        DrawEdge(hdc, &r, EDGE_ETCHED, BF_LEFT);
        break;
    }
    case SS_ETCHEDFRAME: {
        RECT r = client;
        DrawEdge(hdc, &r, EDGE_ETCHED, BF_RECT);
        break;
    }
    case SS_ICON: {
        if (brush) FillRect(hdc, &client, brush);
        auto icon = reinterpret_cast<HICON>(GetWindowLongPtr(hwnd, kImageSlot));
        if (icon) {
            int cx = GetSystemMetrics(SM_CXICON), cy = GetSystemMetrics(SM_CYICON);
            int x = (style & SS_CENTERIMAGE) ? (client.right - cx) / 2 : 0;
            int y = (style & SS_CENTERIMAGE) ? (client.bottom - cy) / 2 : 0;
            DrawIconEx(hdc, x, y, icon, cx, cy, 0, nullptr, DI_NORMAL);
        }
        break;
    }
    default:
        if (IsTextType(type)) {
            if (brush) FillRect(hdc, &client, brush);
            PaintText(hwnd, hdc, client, style);
        }
        break;
    }
    RestoreDC(hdc, saved);
}

// Only a static with SS_NOTIFY tells its parent of clicks.
void Notify(HWND hwnd, WORD code)
{
    if (StyleOf(hwnd) & SS_NOTIFY) NotifyParentCommand(hwnd, code);
}

// An icon static's window text names its icon; the control shows no text.
LRESULT OnNcCreate(HWND hwnd, WPARAM wParam, LPARAM lParam)
{
    if (TypeOf(hwnd) != SS_ICON) return DefWindowProc(hwnd, WM_NCCREATE, wParam, lParam);
    auto* cs = reinterpret_cast<const CREATESTRUCT*>(lParam);
    if (cs && cs->lpszName && !IS_INTRESOURCE(cs->lpszName))
        SetWindowLongPtr(hwnd, kImageSlot, reinterpret_cast<LONG_PTR>(IconFromName(cs->hInstance, cs->lpszName)));
    return TRUE;
}

LRESULT OnCreate(HWND hwnd)
{
    if (TypeOf(hwnd) == SS_ICON && GetWindowLongPtr(hwnd, kImageSlot)) SizeToIcon(hwnd);
    return 0;
}

LRESULT OnSetText(HWND hwnd, WPARAM wParam, LPARAM lParam)
{
    if (TypeOf(hwnd) == SS_ICON) {
        auto name = reinterpret_cast<const char*>(lParam);
        if (name && !IS_INTRESOURCE(name)) SetIcon(hwnd, IconFromName(nullptr, name));
        return TRUE;
    }
    return SetTextAndRedraw(hwnd, wParam, lParam);
}

LRESULT SetImage(HWND hwnd, WPARAM type, LPARAM image)
{
    return type == IMAGE_ICON ? SetIcon(hwnd, reinterpret_cast<HICON>(image)) : 0;
}

LRESULT StaticProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_NCCREATE: return OnNcCreate(hwnd, wParam, lParam);
    case WM_CREATE: return OnCreate(hwnd);
    case WM_NCHITTEST: return (StyleOf(hwnd) & SS_NOTIFY) ? HTCLIENT : HTTRANSPARENT;
    case WM_ERASEBKGND: return 1; // WM_PAINT fills with the parent's brush
    case WM_PAINT: return PaintClient(hwnd, PaintStatic);
    case WM_SETTEXT: return OnSetText(hwnd, wParam, lParam);
    case WM_SETFONT: return SetFontSlot(hwnd, kFontSlot, wParam, lParam);
    case WM_GETFONT: return GetWindowLongPtr(hwnd, kFontSlot);
    case WM_ENABLE: InvalidateRect(hwnd, nullptr, TRUE); return 0;
    case WM_GETDLGCODE: return DLGC_STATIC;
    case STM_SETICON: return SetIcon(hwnd, reinterpret_cast<HICON>(wParam));
    case STM_GETICON: return GetWindowLongPtr(hwnd, kImageSlot);
    case STM_SETIMAGE: return SetImage(hwnd, wParam, lParam);
    case STM_GETIMAGE: return wParam == IMAGE_ICON ? GetWindowLongPtr(hwnd, kImageSlot) : 0;
    case WM_LBUTTONDOWN: Notify(hwnd, STN_CLICKED); return 0;
    case WM_LBUTTONDBLCLK: Notify(hwnd, STN_DBLCLK); return 0;
    default: return DefWindowProc(hwnd, message, wParam, lParam);
    }
}

} // namespace

bool RegisterStaticClass()
{
    WNDCLASS wc{};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = StaticProc;
    wc.cbWndExtra = kExtraBytes;
    wc.lpszClassName = kStaticClass;
    return RegisterSystemClass(wc);
}

bool RegisterEditButtonStaticClasses()
{
    bool button = RegisterButtonClass();
    bool edit = RegisterEditClass();
    bool stat = RegisterStaticClass();
    return button && edit && stat;
}

} // namespace sys
