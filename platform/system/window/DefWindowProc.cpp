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

} // namespace

LRESULT DefWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    sys::Window* w = sys::Lookup(hwnd);
    if (!w) return 0;
    switch (message) {
    case WM_NCCREATE: {
        auto* cs = reinterpret_cast<const CREATESTRUCT*>(lParam);
        if (cs && cs->lpszName && reinterpret_cast<std::uintptr_t>(cs->lpszName) >= 0x10000) w->text = cs->lpszName;
        if (w->native) sys::Backend().SetTitle(w->native, w->text);
        return TRUE;
    }
    case WM_NCCALCSIZE: {
        if (!lParam) return 0;
        RECT* r = wParam ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0] : reinterpret_cast<RECT*>(lParam);
        *r = sys::ClientFromWindow(*r, w->style, w->exStyle);
        return 0;
    }
    case WM_NCHITTEST: return sys::DefaultHitTest(*w, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    case WM_NCPAINT: sys::PaintFrame(hwnd); return 0;
    case WM_NCACTIVATE:
        w->ncDirty = (w->style & WS_CAPTION) == WS_CAPTION || w->ncDirty;
        return TRUE;
    case WM_ERASEBKGND: return sys::EraseWithClassBrush(hwnd, reinterpret_cast<HDC>(wParam));
    case WM_PAINT: {
        PAINTSTRUCT ps;
        if (BeginPaint(hwnd, &ps)) EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_CLOSE: DestroyWindow(hwnd); return 0;
    case WM_SYSCOMMAND: return sys::DoSysCommand(hwnd, wParam, lParam);
    case WM_NCLBUTTONDOWN: return NcButtonDown(hwnd, wParam, lParam);
    case WM_NCLBUTTONUP: return NcButtonUp(hwnd, wParam, lParam);
    case WM_NCLBUTTONDBLCLK:
        if (static_cast<LRESULT>(wParam) == HTCAPTION && (w->style & WS_MAXIMIZEBOX))
            return SendMessage(hwnd, WM_SYSCOMMAND, IsZoomed(hwnd) ? SC_RESTORE : SC_MAXIMIZE, lParam);
        if (static_cast<LRESULT>(wParam) == HTSYSMENU) return SendMessage(hwnd, WM_SYSCOMMAND, SC_CLOSE, lParam);
        return 0;
    case WM_SETTEXT: return SetText(hwnd, reinterpret_cast<LPCSTR>(lParam));
    case WM_GETTEXT: return GetText(hwnd, wParam, reinterpret_cast<LPSTR>(lParam));
    case WM_GETTEXTLENGTH: return static_cast<LRESULT>(w->text.size());
    case WM_WINDOWPOSCHANGED:
        if (lParam) SendMoveAndSize(hwnd, *reinterpret_cast<const WINDOWPOS*>(lParam));
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE && !IsIconic(hwnd)) SetFocus(hwnd);
        return 0;
    case WM_MOUSEACTIVATE: return 1; // MA_ACTIVATE
    case WM_SETICON: {
        HICON old = wParam == ICON_BIG ? w->iconBig : w->iconSmall;
        (wParam == ICON_BIG ? w->iconBig : w->iconSmall) = reinterpret_cast<HICON>(lParam);
        if ((w->style & WS_CAPTION) == WS_CAPTION) w->ncDirty = true;
        return reinterpret_cast<LRESULT>(old);
    }
    case WM_GETICON: return reinterpret_cast<LRESULT>(wParam == ICON_BIG ? w->iconBig : w->iconSmall);
    case WM_SETREDRAW:
        w->noRedraw = !wParam;
        return 0;
    case WM_CANCELMODE:
        if (GetCapture() == hwnd) ReleaseCapture();
        return 0;
    case WM_MOUSEWHEEL:
    case WM_CONTEXTMENU:
        // Children pass these up until someone handles them.
        if (w->parent) return SendMessage(w->parent, message, wParam, lParam);
        return 0;
    case WM_RBUTTONUP: {
        // A right click asks for the window's context menu, at the screen point.
        POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        ClientToScreen(hwnd, &p);
        SendMessage(hwnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hwnd),
                    MAKELPARAM(static_cast<WORD>(p.x), static_cast<WORD>(p.y)));
        return 0;
    }
    case WM_KEYUP:
        // The menu key asks for it too, with no point (-1, -1).
        if (wParam == VK_APPS) SendMessage(hwnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hwnd), -1);
        return 0;
    case WM_SYSKEYDOWN:
        if (wParam == VK_F10 && GetKeyState(VK_SHIFT) < 0 && !(lParam & (LPARAM{1} << 29))) {
            SendMessage(hwnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hwnd), -1);
            return 0;
        }
        if (wParam == VK_F4 && (lParam & (LPARAM{1} << 29))) PostMessage(sys::RootOf(hwnd), WM_SYSCOMMAND, SC_CLOSE, 0);
        // Alt+Space opens the system menu of the window the key belongs to.
        if (wParam == VK_SPACE && (lParam & (LPARAM{1} << 29)))
            return SendMessage(sys::RootOf(hwnd), WM_SYSCOMMAND, SC_KEYMENU, ' ');
        return 0;
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
