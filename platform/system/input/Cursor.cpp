#include "platform/system/input/Cursor.h"

#include "platform/system/gdi/GdiDefs.h"
#include "platform/system/window/Desktop.h"
#include "platform/system/window/WindowClass.h"
#include "platform/system/window/WindowTree.h"

#include <array>
#include <cstdint>

namespace {

struct SystemCursor {
    std::uintptr_t id;
    display::CursorShape shape;
};

constexpr std::array<SystemCursor, 11> kCursors = {{
    {32512, display::CursorShape::Arrow},
    {32513, display::CursorShape::IBeam},
    {32514, display::CursorShape::Wait},
    {32515, display::CursorShape::Cross},
    {32642, display::CursorShape::SizeNWSE},
    {32643, display::CursorShape::SizeNESW},
    {32644, display::CursorShape::SizeWE},
    {32645, display::CursorShape::SizeNS},
    {32646, display::CursorShape::SizeAll},
    {32648, display::CursorShape::No},
    {32649, display::CursorShape::Hand},
}};

// Shared handles are fixed values whose upper half is zero, which no drawing
// object handle ever has, so they never alias an icon.
constexpr std::uintptr_t kHandleBase = 0x00C00000;

HCURSOR HandleFor(std::size_t index)
{
    return reinterpret_cast<HCURSOR>(kHandleBase + index + 1);
}

struct CursorState {
    HCURSOR current = nullptr;
    display::Backend* toldBackend = nullptr;
    display::CursorShape toldShape = display::CursorShape::Arrow;
};

CursorState& Current()
{
    static CursorState s;
    return s;
}

HCURSOR Shared(LPCSTR name)
{
    return LoadCursorA(nullptr, name);
}

HCURSOR FrameCursor(LRESULT hit)
{
    switch (hit) {
    case HTLEFT:
    case HTRIGHT: return Shared(IDC_SIZEWE);
    case HTTOP:
    case HTBOTTOM: return Shared(IDC_SIZENS);
    case HTTOPLEFT:
    case HTBOTTOMRIGHT: return Shared(IDC_SIZENWSE);
    case HTTOPRIGHT:
    case HTBOTTOMLEFT: return Shared(IDC_SIZENESW);
    default: return Shared(IDC_ARROW);
    }
}

} // namespace

namespace sys {

display::CursorShape ShapeOf(HCURSOR cursor)
{
    auto v = reinterpret_cast<std::uintptr_t>(cursor);
    if (v > kHandleBase && v <= kHandleBase + kCursors.size()) return kCursors[v - kHandleBase - 1].shape;
    return display::CursorShape::Arrow;
}

LRESULT DefaultSetCursor(HWND hwnd, WPARAM wParam, LPARAM lParam)
{
    Window* w = Lookup(hwnd);
    if (!w) return FALSE;
    if ((w->style & WS_CHILD) && w->parent) {
        if (SendMessage(w->parent, WM_SETCURSOR, wParam, lParam)) return TRUE;
        w = Lookup(hwnd);
        if (!w) return FALSE;
    }
    // A parent asked about one of its children leaves the choice to the child.
    if (reinterpret_cast<HWND>(wParam) != hwnd) return FALSE;
    auto hit = static_cast<LRESULT>(static_cast<short>(LOWORD(lParam)));
    if (hit == HTCLIENT) {
        HCURSOR cursor = w->cls ? w->cls->cursor : nullptr;
        // The built-in classes all show a pointer; an application class
        // without a cursor sets its own.
        if (!cursor && w->cls && IsReservedClassName(w->cls->name.c_str())) cursor = Shared(IDC_ARROW);
        if (!cursor) return FALSE;
        SetCursor(cursor);
        return TRUE;
    }
    SetCursor(FrameCursor(hit));
    return TRUE;
}

} // namespace sys

HCURSOR LoadCursorA(HINSTANCE instance, LPCSTR name)
{
    if (instance || !IS_INTRESOURCE(name)) return nullptr;
    auto id = reinterpret_cast<std::uintptr_t>(name);
    for (std::size_t i = 0; i < kCursors.size(); ++i)
        if (kCursors[i].id == id) return HandleFor(i);
    return nullptr;
}

HCURSOR SetCursor(HCURSOR cursor)
{
    CursorState& s = Current();
    HCURSOR old = s.current;
    s.current = cursor;
    if (!cursor) return old;
    display::Backend* backend = &sys::Backend();
    display::CursorShape shape = sys::ShapeOf(cursor);
    // A new backend (a fresh desktop) has not been told anything yet.
    if (backend != s.toldBackend || shape != s.toldShape) {
        backend->SetCursorShape(shape);
        s.toldBackend = backend;
        s.toldShape = shape;
    }
    return old;
}

HCURSOR GetCursor()
{
    return Current().current;
}
