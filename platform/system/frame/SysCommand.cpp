#include "platform/system/frame/SysCommand.h"

#include "platform/display/Backend.h"
#include "platform/system/frame/NonClient.h"
#include "platform/system/input/VirtualKeys.h"
#include "platform/system/menu/MenuInternal.h"
#include "platform/system/paint/Paint.h"
#include "platform/system/window/Desktop.h"
#include "platform/system/window/DesktopState.h"
#include "platform/system/window/SysMetrics.h"
#include "platform/system/window/Timers.h"
#include "platform/system/window/WindowPos.h"
#include "platform/system/window/WindowTree.h"

#include <algorithm>

namespace sys {

namespace {

// Runs what keeps the screen alive during the loop: sent work already ran,
// so only paints, timers and presenting.
void ServiceWhileTracking()
{
    MSG msg;
    for (int i = 0; i < 1000 && PeekMessage(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE); ++i) DispatchMessage(&msg);
    for (int i = 0; i < 100 && PeekMessage(&msg, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE); ++i) DispatchMessage(&msg);
    PresentAll();
}

RECT Sized(RECT r, int edge, POINT delta, POINT minSize)
{
    bool left = edge == WMSZ_LEFT || edge == WMSZ_TOPLEFT || edge == WMSZ_BOTTOMLEFT;
    bool right = edge == WMSZ_RIGHT || edge == WMSZ_TOPRIGHT || edge == WMSZ_BOTTOMRIGHT;
    bool top = edge == WMSZ_TOP || edge == WMSZ_TOPLEFT || edge == WMSZ_TOPRIGHT;
    bool bottom = edge == WMSZ_BOTTOM || edge == WMSZ_BOTTOMLEFT || edge == WMSZ_BOTTOMRIGHT;
    if (left) r.left = std::min<LONG>(r.left + delta.x, r.right - minSize.x);
    if (right) r.right = std::max<LONG>(r.right + delta.x, r.left + minSize.x);
    if (top) r.top = std::min<LONG>(r.top + delta.y, r.bottom - minSize.y);
    if (bottom) r.bottom = std::max<LONG>(r.bottom + delta.y, r.top + minSize.y);
    return r;
}

// Follows the mouse until the left button is released, moving (edge 0) or
// sizing the window. A loop of its own over backend events, so the call
// returns only when the drag is over, as callers expect.
void TrackMoveSize(HWND hwnd, int edge)
{
    DesktopState& s = State();
    Window* w = Lookup(hwnd);
    if (!w || !(s.buttons & display::kButtonLeft) || s.moveLoopDepth > 0) return;
    if (w->style & WS_MAXIMIZE) return;
    ++s.moveLoopDepth;
    RECT startLocal = w->rect;
    POINT anchor = s.cursor;
    POINT minSize{GetSystemMetrics(SM_CXMINTRACK), GetSystemMetrics(SM_CYMINTRACK)};
    SetCapture(hwnd);
    SendMessage(hwnd, WM_ENTERSIZEMOVE, 0, 0);
    bool done = false;
    bool cancelled = false;
    while (!done && Lookup(hwnd)) {
        display::Event e;
        if (!Backend().PollEvent(&e)) {
            ServiceWhileTracking();
            std::uint64_t deadline = NextTimerDeadline();
            if (Backend().WaitEvent(deadline) == display::WaitResult::Starved) break;
            continue;
        }
        switch (e.type) {
        case display::EventType::MouseMove: {
            s.cursor = e.screen;
            POINT delta{e.screen.x - anchor.x, e.screen.y - anchor.y};
            RECT next = edge ? Sized(startLocal, edge, delta, minSize) : startLocal;
            if (!edge) OffsetRect(&next, delta.x, delta.y);
            RECT screenRect = next;
            if (edge) SendMessage(hwnd, WM_SIZING, static_cast<WPARAM>(edge), reinterpret_cast<LPARAM>(&screenRect));
            else SendMessage(hwnd, WM_MOVING, 0, reinterpret_cast<LPARAM>(&screenRect));
            SetWindowPos(hwnd, nullptr, screenRect.left, screenRect.top, Width(screenRect), Height(screenRect),
                         SWP_NOZORDER | SWP_NOACTIVATE | (edge ? 0 : SWP_NOSIZE));
            break;
        }
        case display::EventType::MouseUp:
            s.cursor = e.screen;
            if (e.button == display::MouseButton::Left) {
                s.buttons &= ~display::kButtonLeft;
                done = true;
            }
            break;
        case display::EventType::KeyDown:
            if (e.virtualKey == VK_ESCAPE) {
                cancelled = true;
                done = true;
            }
            break;
        case display::EventType::MouseLeave: break;
        default: RouteEvent(e); break;
        }
    }
    if (cancelled && Lookup(hwnd))
        SetWindowPos(hwnd, nullptr, startLocal.left, startLocal.top, Width(startLocal), Height(startLocal),
                     SWP_NOZORDER | SWP_NOACTIVATE);
    if (GetCapture() == hwnd) ReleaseCapture();
    if (Lookup(hwnd)) SendMessage(hwnd, WM_EXITSIZEMOVE, 0, 0);
    --s.moveLoopDepth;
}

constexpr int kKeyboardMoveStep = 8;

void MoveDuringLoop(HWND hwnd, const RECT& start, POINT topLeft)
{
    RECT next = start;
    OffsetRect(&next, topLeft.x - start.left, topLeft.y - start.top);
    SendMessage(hwnd, WM_MOVING, 0, reinterpret_cast<LPARAM>(&next));
    if (Lookup(hwnd))
        SetWindowPos(hwnd, nullptr, next.left, next.top, 0, 0, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOSIZE);
}

// Moving without a button held (chosen from the menu or by keyboard): the
// arrows move the window a step, the mouse moves it too, Enter or a click
// keeps the place and Esc puts the window back.
void KeyboardMove(HWND hwnd)
{
    DesktopState& s = State();
    Window* w = Lookup(hwnd);
    if (!w || s.moveLoopDepth > 0 || (w->style & WS_MAXIMIZE)) return;
    ++s.moveLoopDepth;
    RECT start = w->rect;
    POINT pos{start.left, start.top};
    // The pointer goes to the middle of the caption, where a move is grabbed.
    CaptionLayout cap = LayoutCaption(*w);
    POINT origin = WindowScreenOrigin(*w);
    s.cursor = IsRectEmpty(&cap.band) ? POINT{origin.x + Width(w->rect) / 2, origin.y + Height(w->rect) / 2}
                                      : POINT{origin.x + (cap.band.left + cap.band.right) / 2,
                                              origin.y + (cap.band.top + cap.band.bottom) / 2};
    POINT lastMouse = s.cursor;
    HCURSOR oldCursor = SetCursor(LoadCursor(nullptr, IDC_SIZEALL));
    SetCapture(hwnd);
    SendMessage(hwnd, WM_ENTERSIZEMOVE, 0, 0);
    bool done = false, cancelled = false;
    while (!done && Lookup(hwnd)) {
        display::Event e;
        if (!Backend().PollEvent(&e)) {
            ServiceWhileTracking();
            if (Backend().WaitEvent(NextTimerDeadline()) == display::WaitResult::Starved) break;
            continue;
        }
        switch (e.type) {
        case display::EventType::MouseMove:
            pos.x += e.screen.x - lastMouse.x;
            pos.y += e.screen.y - lastMouse.y;
            lastMouse = s.cursor = e.screen;
            MoveDuringLoop(hwnd, start, pos);
            break;
        case display::EventType::MouseDown: s.cursor = e.screen; break; // its release accepts
        case display::EventType::MouseUp:
            s.cursor = e.screen;
            done = true;
            break;
        case display::EventType::KeyDown: {
            int dx = 0, dy = 0;
            switch (e.virtualKey) {
            case VK_LEFT: dx = -kKeyboardMoveStep; break;
            case VK_RIGHT: dx = kKeyboardMoveStep; break;
            case VK_UP: dy = -kKeyboardMoveStep; break;
            case VK_DOWN: dy = kKeyboardMoveStep; break;
            case VK_RETURN: done = true; break;
            case VK_ESCAPE: done = cancelled = true; break;
            default: break;
            }
            if (dx || dy) {
                pos.x += dx;
                pos.y += dy;
                s.cursor.x += dx;
                s.cursor.y += dy;
                lastMouse = s.cursor;
                MoveDuringLoop(hwnd, start, pos);
            }
            break;
        }
        case display::EventType::KeyUp:
        case display::EventType::Text:
        case display::EventType::MouseWheel:
        case display::EventType::MouseLeave: break;
        default: RouteEvent(e); break;
        }
    }
    if (cancelled && Lookup(hwnd))
        SetWindowPos(hwnd, nullptr, start.left, start.top, 0, 0, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOSIZE);
    if (GetCapture() == hwnd) ReleaseCapture();
    SetCursor(oldCursor);
    if (Lookup(hwnd)) SendMessage(hwnd, WM_EXITSIZEMOVE, 0, 0);
    --s.moveLoopDepth;
}

} // namespace

LRESULT DoSysCommand(HWND hwnd, WPARAM command, LPARAM lParam)
{
    Window* w = LookupLive(hwnd);
    if (!w) return 0;
    switch (command & 0xFFF0) {
    case SC_MOVE:
        // A plain move with no button held is the keyboard's; a drag keeps the mouse loop.
        if (command == SC_MOVE && !(State().buttons & display::kButtonLeft))
            KeyboardMove(hwnd);
        else
            TrackMoveSize(hwnd, 0);
        break;
    case SC_MOUSEMENU: TrackSystemMenu(hwnd, false); break;
    case SC_KEYMENU:
        if (lParam == ' ') TrackSystemMenu(hwnd, true);
        break;
    case SC_SIZE:
        if (w->style & WS_THICKFRAME) TrackMoveSize(hwnd, static_cast<int>(command & 0x000F));
        break;
    case SC_MINIMIZE: ShowWindow(hwnd, SW_MINIMIZE); break;
    case SC_MAXIMIZE: ShowWindow(hwnd, SW_MAXIMIZE); break;
    case SC_RESTORE: ShowWindow(hwnd, SW_RESTORE); break;
    case SC_CLOSE: SendMessage(hwnd, WM_CLOSE, 0, 0); break;
    default: break;
    }
    return 0;
}

} // namespace sys
