// The window tree queries and the per-window attributes.
#include "platform/system/window/Desktop.h"
#include "platform/system/window/DesktopState.h"
#include "platform/system/window/WindowPos.h"
#include "platform/system/window/WindowTree.h"

#include <algorithm>
#include <cstring>

namespace {

sys::Window* Live(HWND hwnd) { return sys::LookupLive(hwnd); }

const std::vector<HWND>* Siblings(const sys::Window& w)
{
    if (!w.parent) return &sys::TopLevels();
    sys::Window* p = sys::Lookup(w.parent);
    return p ? &p->children : nullptr;
}

} // namespace

HWND GetParent(HWND hwnd)
{
    sys::Window* w = sys::Lookup(hwnd);
    if (!w) return nullptr;
    if (w->parent) return w->parent;
    return (w->style & WS_POPUP) ? w->owner : nullptr;
}

HWND SetParent(HWND child, HWND newParent)
{
    sys::Window* w = Live(child);
    if (!w || !w->parent) return nullptr; // top-level windows keep their place
    sys::Window* p = Live(newParent);
    if (!p || sys::IsDescendant(child, newParent)) return nullptr;
    HWND old = w->parent;
    if (old == newParent) return old;
    if (w->style & WS_VISIBLE) InvalidateRect(old, nullptr, TRUE);
    if (sys::Window* op = sys::Lookup(old)) std::erase(op->children, child);
    w->parent = newParent;
    p->children.insert(p->children.begin(), child);
    if (w->style & WS_VISIBLE) RedrawWindow(child, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    return old;
}

HWND GetAncestor(HWND hwnd, UINT flags)
{
    sys::Window* w = sys::Lookup(hwnd);
    if (!w) return nullptr;
    switch (flags) {
    case GA_PARENT: return w->parent;
    case GA_ROOT: return sys::RootOf(hwnd);
    case GA_ROOTOWNER: {
        HWND h = sys::RootOf(hwnd);
        for (int guard = 0; guard < 1000; ++guard) {
            sys::Window* r = sys::Lookup(h);
            if (!r || !r->owner) break;
            h = r->owner;
        }
        return h;
    }
    default: return nullptr;
    }
}

HWND GetWindow(HWND hwnd, UINT relation)
{
    sys::Window* w = sys::Lookup(hwnd);
    if (!w) return nullptr;
    if (relation == GW_CHILD) return w->children.empty() ? nullptr : w->children.front();
    if (relation == GW_OWNER) return w->owner;
    if (relation == GW_ENABLEDPOPUP) {
        for (HWND h : sys::TopLevels())
            if (sys::Window* o = sys::Lookup(h); o && o->owner == hwnd && IsWindowEnabled(h) && IsWindowVisible(h))
                return h;
        return nullptr;
    }
    const std::vector<HWND>* list = Siblings(*w);
    if (!list || list->empty()) return nullptr;
    auto it = std::find(list->begin(), list->end(), hwnd);
    switch (relation) {
    case GW_HWNDFIRST: return list->front();
    case GW_HWNDLAST: return list->back();
    case GW_HWNDNEXT: return (it == list->end() || it + 1 == list->end()) ? nullptr : *(it + 1);
    case GW_HWNDPREV: return (it == list->end() || it == list->begin()) ? nullptr : *(it - 1);
    default: return nullptr;
    }
}

HWND GetTopWindow(HWND hwnd)
{
    if (!hwnd) return sys::TopLevels().empty() ? nullptr : sys::TopLevels().front();
    return GetWindow(hwnd, GW_CHILD);
}

HWND GetNextWindow(HWND hwnd, UINT relation) { return GetWindow(hwnd, relation); }

BOOL IsChild(HWND parent, HWND hwnd)
{
    sys::Window* w = sys::Lookup(hwnd);
    if (!w || !sys::Lookup(parent) || parent == hwnd) return FALSE;
    return sys::IsDescendant(parent, hwnd) ? TRUE : FALSE;
}

HWND GetDesktopWindow() { return nullptr; }

HWND GetDlgItem(HWND dialog, int id)
{
    sys::Window* w = sys::Lookup(dialog);
    if (!w) return nullptr;
    for (HWND c : w->children)
        if (sys::Window* cw = sys::Lookup(c); cw && cw->id == id) return c;
    return nullptr;
}

int GetDlgCtrlID(HWND hwnd)
{
    sys::Window* w = sys::Lookup(hwnd);
    return w && w->parent ? static_cast<int>(w->id) : 0;
}

BOOL EnumChildWindows(HWND parent, WNDENUMPROC proc, LPARAM lParam)
{
    if (!proc) return FALSE;
    std::vector<HWND> all;
    if (parent) {
        if (!sys::Lookup(parent)) return FALSE;
        all = sys::Subtree(parent);
        all.erase(all.begin());
    } else {
        all = sys::TopLevels();
    }
    for (HWND h : all)
        if (sys::Lookup(h) && !proc(h, lParam)) break;
    return TRUE;
}

LONG_PTR GetWindowLongPtr(HWND hwnd, int index)
{
    sys::Window* w = sys::Lookup(hwnd);
    if (!w) return 0;
    switch (index) {
    case GWL_STYLE: return static_cast<LONG_PTR>(static_cast<LONG>(w->style));
    case GWL_EXSTYLE: return static_cast<LONG_PTR>(w->exStyle);
    case GWLP_ID: return w->id;
    case GWLP_USERDATA: return w->userData;
    case GWLP_WNDPROC: return reinterpret_cast<LONG_PTR>(w->proc);
    case GWLP_HINSTANCE: return reinterpret_cast<LONG_PTR>(w->instance);
    case GWLP_HWNDPARENT: return reinterpret_cast<LONG_PTR>(w->parent ? w->parent : w->owner);
    default: break;
    }
    if (index >= 0 && static_cast<std::size_t>(index) + sizeof(LONG_PTR) <= w->extra.size()) {
        LONG_PTR v;
        std::memcpy(&v, w->extra.data() + index, sizeof v);
        return v;
    }
    return 0;
}

namespace {

// A style changes between WM_STYLECHANGING, which may alter the new one, and
// WM_STYLECHANGED.
LONG_PTR ChangeStyle(HWND hwnd, int index, LONG_PTR old, LONG_PTR value)
{
    STYLESTRUCT ss{static_cast<DWORD>(old), static_cast<DWORD>(value)};
    WPARAM which = static_cast<WPARAM>(static_cast<LONG>(index));
    SendMessage(hwnd, WM_STYLECHANGING, which, reinterpret_cast<LPARAM>(&ss));
    sys::Window* w = sys::Lookup(hwnd);
    if (!w) return 0;
    if (index == GWL_STYLE) {
        bool wasVisible = (w->style & WS_VISIBLE) != 0;
        w->style = ss.styleNew;
        if (w->native && wasVisible != ((w->style & WS_VISIBLE) != 0))
            sys::Backend().ShowWindow(w->native, (w->style & WS_VISIBLE) && !(w->style & WS_MINIMIZE));
    } else {
        w->exStyle = ss.styleNew;
    }
    SendMessage(hwnd, WM_STYLECHANGED, which, reinterpret_cast<LPARAM>(&ss));
    return old;
}

// A top-level window's owner is always a top-level window, never itself; a child has none.
LONG_PTR ChangeOwner(sys::Window& w, HWND hwnd, LONG_PTR old, LONG_PTR value)
{
    if (w.parent) return old;
    w.owner = value ? sys::RootOf(reinterpret_cast<HWND>(value)) : nullptr;
    if (w.owner == hwnd) w.owner = nullptr;
    sys::NormalizeTopLevelOrder();
    sys::SyncNativeStacking();
    return old;
}

LONG_PTR ChangeExtra(sys::Window& w, int index, LONG_PTR old, LONG_PTR value)
{
    if (index < 0 || static_cast<std::size_t>(index) + sizeof(LONG_PTR) > w.extra.size()) return 0;
    std::memcpy(w.extra.data() + index, &value, sizeof value);
    return old;
}

} // namespace

LONG_PTR SetWindowLongPtr(HWND hwnd, int index, LONG_PTR value)
{
    sys::Window* w = Live(hwnd);
    if (!w) return 0;
    LONG_PTR old = GetWindowLongPtr(hwnd, index);
    switch (index) {
    case GWL_STYLE:
    case GWL_EXSTYLE: return ChangeStyle(hwnd, index, old, value);
    case GWLP_ID: w->id = value; return old;
    case GWLP_USERDATA: w->userData = value; return old;
    case GWLP_WNDPROC:
        if (!value) return 0;
        w->proc = reinterpret_cast<WNDPROC>(value);
        return old;
    case GWLP_HINSTANCE: w->instance = reinterpret_cast<HINSTANCE>(value); return old;
    case GWLP_HWNDPARENT: return ChangeOwner(*w, hwnd, old, value);
    default: return ChangeExtra(*w, index, old, value);
    }
}

LONG GetWindowLong(HWND hwnd, int index)
{
    sys::Window* w = sys::Lookup(hwnd);
    if (w && index >= 0) {
        if (static_cast<std::size_t>(index) + sizeof(LONG) > w->extra.size()) return 0;
        LONG v;
        std::memcpy(&v, w->extra.data() + index, sizeof v);
        return v;
    }
    return static_cast<LONG>(GetWindowLongPtr(hwnd, index));
}

LONG SetWindowLong(HWND hwnd, int index, LONG value)
{
    sys::Window* w = Live(hwnd);
    if (w && index >= 0) {
        if (static_cast<std::size_t>(index) + sizeof(LONG) > w->extra.size()) return 0;
        LONG old;
        std::memcpy(&old, w->extra.data() + index, sizeof old);
        std::memcpy(w->extra.data() + index, &value, sizeof value);
        return old;
    }
    LONG_PTR v = (index == GWL_STYLE || index == GWL_EXSTYLE) ? static_cast<LONG_PTR>(static_cast<DWORD>(value))
                                                              : static_cast<LONG_PTR>(value);
    return static_cast<LONG>(SetWindowLongPtr(hwnd, index, v));
}

LRESULT CallWindowProc(WNDPROC proc, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return proc ? proc(hwnd, message, wParam, lParam) : 0;
}

int GetWindowText(HWND hwnd, LPSTR buffer, int maxCount)
{
    if (!buffer || maxCount <= 0) return 0;
    buffer[0] = '\0';
    if (!sys::Lookup(hwnd)) return 0;
    return static_cast<int>(SendMessage(hwnd, WM_GETTEXT, static_cast<WPARAM>(maxCount), reinterpret_cast<LPARAM>(buffer)));
}

int GetWindowTextLength(HWND hwnd)
{
    if (!sys::Lookup(hwnd)) return 0;
    return static_cast<int>(SendMessage(hwnd, WM_GETTEXTLENGTH, 0, 0));
}

BOOL SetWindowText(HWND hwnd, LPCSTR text)
{
    if (!Live(hwnd)) return FALSE;
    return SendMessage(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)) ? TRUE : FALSE;
}
