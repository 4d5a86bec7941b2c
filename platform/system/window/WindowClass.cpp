#include "platform/system/window/WindowClass.h"

#include "platform/system/window/WindowTree.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <map>
#include <strings.h>

namespace sys {

namespace {

struct Registry {
    std::vector<std::shared_ptr<WindowClass>> classes;
    ATOM nextAtom = 0xC000;
};

Registry& Classes()
{
    static Registry r;
    return r;
}

std::vector<std::shared_ptr<WindowClass>>& SystemClasses()
{
    static std::vector<std::shared_ptr<WindowClass>> classes;
    return classes;
}

bool IsAtomPointer(LPCSTR p) { return reinterpret_cast<std::uintptr_t>(p) < 0x10000; }

const char* const kReserved[] = {kDialogClass,  kButtonClass,    kEditClass,     kStaticClass,
                                 kListBoxClass, kComboBoxClass,  kScrollBarClass, kListViewClass,
                                 kHeaderClass,  kTabControlClass};

std::shared_ptr<WindowClass> Make(const WNDCLASS& wc, ATOM atom)
{
    auto c = std::make_shared<WindowClass>();
    c->name = wc.lpszClassName;
    c->atom = atom;
    c->style = wc.style;
    c->proc = wc.lpfnWndProc;
    c->clsExtra = std::clamp(wc.cbClsExtra, 0, 4096);
    c->wndExtra = std::clamp(wc.cbWndExtra, 0, 4096);
    c->instance = wc.hInstance;
    c->icon = wc.hIcon;
    c->cursor = wc.hCursor;
    c->background = wc.hbrBackground;
    if (wc.lpszMenuName && !IsAtomPointer(wc.lpszMenuName)) c->menuName = wc.lpszMenuName;
    c->extra.assign(static_cast<std::size_t>(c->clsExtra), 0);
    return c;
}

bool Valid(const WNDCLASS* wc)
{
    return wc && wc->lpfnWndProc && wc->lpszClassName && !IsAtomPointer(wc->lpszClassName) &&
           wc->lpszClassName[0] != '\0';
}

} // namespace

bool IsReservedClassName(LPCSTR name)
{
    if (!name || IsAtomPointer(name)) return false;
    for (const char* r : kReserved)
        if (strcasecmp(r, name) == 0) return true;
    return false;
}

std::shared_ptr<WindowClass> FindClass(LPCSTR nameOrAtom)
{
    if (!nameOrAtom) return nullptr;
    auto matches = [nameOrAtom](const std::shared_ptr<WindowClass>& c) {
        if (IsAtomPointer(nameOrAtom)) return c->atom == static_cast<ATOM>(reinterpret_cast<std::uintptr_t>(nameOrAtom));
        return strcasecmp(c->name.c_str(), nameOrAtom) == 0;
    };
    for (auto& c : SystemClasses())
        if (matches(c)) return c;
    for (auto& c : Classes().classes)
        if (matches(c)) return c;
    return nullptr;
}

bool RegisterSystemClass(const WNDCLASS& wc)
{
    if (!Valid(&wc)) return false;
    if (FindClass(wc.lpszClassName)) return true;
    SystemClasses().push_back(Make(wc, Classes().nextAtom++));
    return true;
}

void ResetClasses() { Classes().classes.clear(); }

} // namespace sys

ATOM RegisterClass(const WNDCLASS* wc)
{
    if (!sys::Valid(wc)) return 0;
    // Application classes never take a name the built-in controls own.
    if (sys::IsReservedClassName(wc->lpszClassName) || sys::FindClass(wc->lpszClassName)) return 0;
    auto& reg = sys::Classes();
    ATOM atom = reg.nextAtom++;
    reg.classes.push_back(sys::Make(*wc, atom));
    return atom;
}

ATOM RegisterClassEx(const WNDCLASSEX* wc)
{
    if (!wc) return 0;
    WNDCLASS plain{wc->style,   wc->lpfnWndProc, wc->cbClsExtra,    wc->cbWndExtra,   wc->hInstance,
                   wc->hIcon,   wc->hCursor,     wc->hbrBackground, wc->lpszMenuName, wc->lpszClassName};
    ATOM atom = RegisterClass(&plain);
    if (atom) sys::FindClass(wc->lpszClassName)->iconSmall = wc->hIconSm;
    return atom;
}

BOOL UnregisterClass(LPCSTR className, HINSTANCE)
{
    auto c = sys::FindClass(className);
    if (!c) return FALSE;
    auto& list = sys::Classes().classes;
    auto it = std::find(list.begin(), list.end(), c);
    if (it == list.end()) return FALSE; // built-in classes stay
    // A class with windows still alive cannot go.
    for (HWND h : sys::AllWindows())
        if (sys::Lookup(h)->cls == c) return FALSE;
    list.erase(it);
    return TRUE;
}

BOOL GetClassInfo(HINSTANCE, LPCSTR className, WNDCLASS* out)
{
    auto c = sys::FindClass(className);
    if (!c || !out) return FALSE;
    *out = WNDCLASS{c->style,    c->proc,   c->clsExtra,   c->wndExtra,
                    c->instance, c->icon,   c->cursor,     c->background,
                    c->menuName.empty() ? nullptr : c->menuName.c_str(), c->name.c_str()};
    return TRUE;
}

int GetClassName(HWND hwnd, LPSTR buffer, int size)
{
    sys::Window* w = sys::Lookup(hwnd);
    if (!w || !buffer || size <= 0) return 0;
    int n = std::min<int>(static_cast<int>(w->cls->name.size()), size - 1);
    std::memcpy(buffer, w->cls->name.data(), static_cast<std::size_t>(n));
    buffer[n] = '\0';
    return n;
}

ULONG_PTR GetClassLongPtr(HWND hwnd, int index)
{
    sys::Window* w = sys::Lookup(hwnd);
    if (!w) return 0;
    const sys::WindowClass& c = *w->cls;
    switch (index) {
    case GCL_STYLE: return c.style;
    case GCLP_HBRBACKGROUND: return reinterpret_cast<ULONG_PTR>(c.background);
    case GCLP_WNDPROC: return reinterpret_cast<ULONG_PTR>(c.proc);
    case GCLP_HICON: return reinterpret_cast<ULONG_PTR>(c.icon);
    case GCLP_HICONSM: return reinterpret_cast<ULONG_PTR>(c.iconSmall);
    case GCLP_HCURSOR: return reinterpret_cast<ULONG_PTR>(c.cursor);
    case GCW_ATOM: return c.atom;
    case GCL_CBWNDEXTRA: return static_cast<ULONG_PTR>(c.wndExtra);
    case GCL_CBCLSEXTRA: return static_cast<ULONG_PTR>(c.clsExtra);
    default: break;
    }
    if (index >= 0 && static_cast<std::size_t>(index) + sizeof(LONG) <= c.extra.size()) {
        LONG v;
        std::memcpy(&v, c.extra.data() + index, sizeof v);
        return static_cast<ULONG_PTR>(v);
    }
    return 0;
}

DWORD GetClassLong(HWND hwnd, int index) { return static_cast<DWORD>(GetClassLongPtr(hwnd, index)); }
