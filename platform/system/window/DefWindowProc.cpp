// What a window does with a message its procedure leaves to the system.
#include "platform/system/frame/FramePaint.h"
#include "platform/system/frame/NonClient.h"
#include "platform/system/frame/SysCommand.h"
#include "platform/system/input/Cursor.h"
#include "platform/system/input/VirtualKeys.h"
#include "platform/system/window/Desktop.h"
#include "platform/system/window/DesktopState.h"
#include "platform/system/window/WindowTree.h"

#include <algorithm>
#include <cstring>

namespace {

LRESULT SetText(HWND hwnd, LPCSTR text)
{
    sys::Window* w = sys::Lookup(hwnd);
    if (!w) return FALSE;
    w->text = text ? text : "";
    if (w->native) sys::Backend().SetTitle(w->native, w->text);
    if ((w->style & WS_CAPTION) == WS_CAPTION && (w->style & WS_VISIBLE)) {
        // Only the caption shows the text.
        w->ncDirty = true;
    }
    return TRUE;
}

LRESULT GetText(HWND hwnd, WPARAM size, LPSTR buffer)
{
    sys::Window* w = sys::Lookup(hwnd);
    if (!w || !buffer || size == 0) return 0;
    std::size_t n = std::min<std::size_t>(w->text.size(), size - 1);
    std::memcpy(buffer, w->text.data(), n);
    buffer[n] = '\0';
    return static_cast<LRESULT>(n);
}

void SendMoveAndSize(HWND hwnd, const WINDOWPOS& wp)
{
    sys::Window* w = sys::Lookup(hwnd);
    if (!w) return;
    RECT client = w->client;
    RECT rect = w->rect;
    if (!(wp.flags & SWP_NOMOVE))
        SendMessage(hwnd, WM_MOVE, 0,
                    MAKELPARAM(static_cast<WORD>(rect.left + client.left), static_cast<WORD>(rect.top + client.top)));
    if (!(wp.flags & SWP_NOSIZE) && sys::Lookup(hwnd)) {
        WPARAM kind = IsIconic(hwnd) ? SIZE_MINIMIZED : IsZoomed(hwnd) ? SIZE_MAXIMIZED : SIZE_RESTORED;
        SendMessage(hwnd, WM_SIZE, kind,
                    MAKELPARAM(static_cast<WORD>(sys::Width(client)), static_cast<WORD>(sys::Height(client))));
    }
}

LRESULT NcButtonDown(HWND hwnd, WPARAM hit, LPARAM lParam)
{
    sys::Window* w = sys::Lookup(hwnd);
    if (!w) return 0;
    switch (static_cast<LRESULT>(hit)) {
    case HTCAPTION: return SendMessage(hwnd, WM_SYSCOMMAND, SC_MOVE + HTCAPTION, lParam);
    case HTSYSMENU: return SendMessage(hwnd, WM_SYSCOMMAND, SC_MOUSEMENU + HTSYSMENU, lParam);
    case HTLEFT:
    case HTRIGHT:
    case HTTOP:
    case HTTOPLEFT:
    case HTTOPRIGHT:
    case HTBOTTOM:
    case HTBOTTOMLEFT:
    case HTBOTTOMRIGHT:
        return SendMessage(hwnd, WM_SYSCOMMAND, SC_SIZE + (hit - HTLEFT + WMSZ_LEFT), lParam);
    case HTCLOSE:
    case HTMINBUTTON:
    case HTMAXBUTTON:
        // Caption buttons act when released over the button they were pressed on.
        w->pressedNcButton = static_cast<LRESULT>(hit);
        return 0;
    default: return 0;
    }
}

LRESULT NcButtonUp(HWND hwnd, WPARAM hit, LPARAM lParam)
{
    sys::Window* w = sys::Lookup(hwnd);
    if (!w) return 0;
    LRESULT pressed = w->pressedNcButton;
    w->pressedNcButton = 0;
    if (!pressed || pressed != static_cast<LRESULT>(hit)) return 0;
    WPARAM command = 0;
    if (hit == HTCLOSE) command = SC_CLOSE;
    else if (hit == HTMINBUTTON) command = SC_MINIMIZE;
    else if (hit == HTMAXBUTTON) command = IsZoomed(hwnd) ? SC_RESTORE : SC_MAXIMIZE;
    return command ? SendMessage(hwnd, WM_SYSCOMMAND, command, lParam) : 0;
}

LRESULT NcCreate(sys::Window& w, LPARAM lParam)
{
    auto* cs = reinterpret_cast<const CREATESTRUCT*>(lParam);
    if (cs && cs->lpszName && reinterpret_cast<std::uintptr_t>(cs->lpszName) >= 0x10000) w.text = cs->lpszName;
    if (w.native) sys::Backend().SetTitle(w.native, w.text);
    return TRUE;
}

LRESULT NcCalcSize(const sys::Window& w, WPARAM wParam, LPARAM lParam)
{
    if (!lParam) return 0;
    RECT* r = wParam ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0] : reinterpret_cast<RECT*>(lParam);
    *r = sys::ClientFromWindow(*r, w.style, w.exStyle);
    return 0;
}

LRESULT NcHitTest(const sys::Window& w, LPARAM lParam)
{
    return sys::DefaultHitTest(w, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
}

LRESULT NcActivate(sys::Window& w)
{
    w.ncDirty = (w.style & WS_CAPTION) == WS_CAPTION || w.ncDirty;
    return TRUE;
}

// Validates the update region without drawing anything.
LRESULT PaintNothing(HWND hwnd)
{
    PAINTSTRUCT ps;
    if (BeginPaint(hwnd, &ps)) EndPaint(hwnd, &ps);
    return 0;
}

LRESULT NcDoubleClick(const sys::Window& w, HWND hwnd, WPARAM hit, LPARAM lParam)
{
    if (static_cast<LRESULT>(hit) == HTCAPTION && (w.style & WS_MAXIMIZEBOX))
        return SendMessage(hwnd, WM_SYSCOMMAND, IsZoomed(hwnd) ? SC_RESTORE : SC_MAXIMIZE, lParam);
    if (static_cast<LRESULT>(hit) == HTSYSMENU) return SendMessage(hwnd, WM_SYSCOMMAND, SC_CLOSE, lParam);
    return 0;
}

LRESULT WindowPosChanged(HWND hwnd, LPARAM lParam)
{
    if (lParam) SendMoveAndSize(hwnd, *reinterpret_cast<const WINDOWPOS*>(lParam));
    return 0;
}

LRESULT Activate(HWND hwnd, WPARAM wParam)
{
    if (LOWORD(wParam) != WA_INACTIVE && !IsIconic(hwnd)) SetFocus(hwnd);
    return 0;
}

LRESULT SetIcon(sys::Window& w, WPARAM which, LPARAM lParam)
{
    HICON& slot = which == ICON_BIG ? w.iconBig : w.iconSmall;
    HICON old = slot;
    slot = reinterpret_cast<HICON>(lParam);
    if ((w.style & WS_CAPTION) == WS_CAPTION) w.ncDirty = true;
    return reinterpret_cast<LRESULT>(old);
}

LRESULT GetIcon(const sys::Window& w, WPARAM which)
{
    return reinterpret_cast<LRESULT>(which == ICON_BIG ? w.iconBig : w.iconSmall);
}

LRESULT SetRedraw(sys::Window& w, WPARAM on)
{
    w.noRedraw = !on;
    return 0;
}

LRESULT CancelMode(HWND hwnd)
{
    if (GetCapture() == hwnd) ReleaseCapture();
    return 0;
}

// Children pass these up until someone handles them.
LRESULT PassToParent(const sys::Window& w, UINT message, WPARAM wParam, LPARAM lParam)
{
    return w.parent ? SendMessage(w.parent, message, wParam, lParam) : 0;
}

// A right click asks for the window's context menu, at the screen point.
LRESULT ContextMenuAtClick(HWND hwnd, LPARAM lParam)
{
    POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ClientToScreen(hwnd, &p);
    SendMessage(hwnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hwnd),
                MAKELPARAM(static_cast<WORD>(p.x), static_cast<WORD>(p.y)));
    return 0;
}

// The menu key asks for it too, with no point (-1, -1).
LRESULT KeyUp(HWND hwnd, WPARAM vk)
{
    if (vk == VK_APPS) SendMessage(hwnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hwnd), -1);
    return 0;
}

LRESULT SysKeyDown(HWND hwnd, WPARAM vk, LPARAM lParam)
{
    bool alt = (lParam & (LPARAM{1} << 29)) != 0;
    if (vk == VK_F10 && GetKeyState(VK_SHIFT) < 0 && !alt) {
        SendMessage(hwnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hwnd), -1);
        return 0;
    }
    if (vk == VK_F4 && alt) PostMessage(sys::RootOf(hwnd), WM_SYSCOMMAND, SC_CLOSE, 0);
    // Alt+Space opens the system menu of the window the key belongs to.
    if (vk == VK_SPACE && alt) return SendMessage(sys::RootOf(hwnd), WM_SYSCOMMAND, SC_KEYMENU, ' ');
    return 0;
}

} // namespace

LRESULT DefWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    sys::Window* w = sys::Lookup(hwnd);
    if (!w) return 0;
    switch (message) {
    case WM_NCCREATE: return NcCreate(*w, lParam);
    case WM_NCCALCSIZE: return NcCalcSize(*w, wParam, lParam);
    case WM_NCHITTEST: return NcHitTest(*w, lParam);
    case WM_NCPAINT: sys::PaintFrame(hwnd); return 0;
    case WM_NCACTIVATE: return NcActivate(*w);
    case WM_ERASEBKGND: return sys::EraseWithClassBrush(hwnd, reinterpret_cast<HDC>(wParam));
    case WM_PAINT: return PaintNothing(hwnd);
    case WM_CLOSE: DestroyWindow(hwnd); return 0;
    case WM_SYSCOMMAND: return sys::DoSysCommand(hwnd, wParam, lParam);
    case WM_NCLBUTTONDOWN: return NcButtonDown(hwnd, wParam, lParam);
    case WM_NCLBUTTONUP: return NcButtonUp(hwnd, wParam, lParam);
    case WM_NCLBUTTONDBLCLK: return NcDoubleClick(*w, hwnd, wParam, lParam);
    case WM_SETTEXT: return SetText(hwnd, reinterpret_cast<LPCSTR>(lParam));
    case WM_GETTEXT: return GetText(hwnd, wParam, reinterpret_cast<LPSTR>(lParam));
    case WM_GETTEXTLENGTH: return static_cast<LRESULT>(w->text.size());
    case WM_WINDOWPOSCHANGED: return WindowPosChanged(hwnd, lParam);
    case WM_ACTIVATE: return Activate(hwnd, wParam);
    case WM_MOUSEACTIVATE: return 1; // MA_ACTIVATE
    case WM_SETICON: return SetIcon(*w, wParam, lParam);
    case WM_GETICON: return GetIcon(*w, wParam);
    case WM_SETREDRAW: return SetRedraw(*w, wParam);
    case WM_CANCELMODE: return CancelMode(hwnd);
    case WM_MOUSEWHEEL:
    case WM_CONTEXTMENU: return PassToParent(*w, message, wParam, lParam);
    case WM_RBUTTONUP: return ContextMenuAtClick(hwnd, lParam);
    case WM_KEYUP: return KeyUp(hwnd, wParam);
    case WM_SYSKEYDOWN: return SysKeyDown(hwnd, wParam, lParam);
    case WM_SETCURSOR: return sys::DefaultSetCursor(hwnd, wParam, lParam);
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC: return sys::DefaultControlColor(message, reinterpret_cast<HDC>(wParam));
    default: return 0;
    }
}
