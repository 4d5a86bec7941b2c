// Dropped files: which window gets them, and the drop handles it reads them from.
#include "platform/system/Windows.h"
#include "platform/system/input/ShellApi.h"
#include "platform/system/window/DesktopState.h"
#include "platform/system/window/WindowTree.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace {

struct Drop {
    std::vector<std::string> files;
    POINT point{0, 0}; // client coordinates of the target
    BOOL inClient = FALSE;
    HWND target = nullptr;
};

// Handles are never reused, so a finished or forged one is simply not found.
struct Drops {
    std::map<std::uintptr_t, Drop> live;
    std::uintptr_t next = 0x10;
};

Drops& Table()
{
    static Drops t;
    return t;
}

const Drop* Find(HDROP h)
{
    auto& live = Table().live;
    auto it = live.find(reinterpret_cast<std::uintptr_t>(h));
    return it == live.end() ? nullptr : &it->second;
}

// The drop's window, or the nearest ancestor that takes files; null when none does.
HWND AcceptingWindow(HWND hit)
{
    for (HWND h = hit; h; h = (GetWindowLong(h, GWL_STYLE) & WS_CHILD) ? GetParent(h) : nullptr)
        if (GetWindowLong(h, GWL_EXSTYLE) & WS_EX_ACCEPTFILES) return h;
    return nullptr;
}

} // namespace

namespace sys {

void RouteDrop(const display::Event& e)
{
    HWND top = nullptr;
    for (HWND h : TopLevels())
        if (Window* w = Lookup(h); w && w->native == e.window) {
            top = h;
            break;
        }
    if (!top || e.files.empty()) return;
    // A window a modal dialog has disabled takes no drops, as it takes no clicks.
    if (!IsWindowEnabled(top) || !IsWindowVisible(top)) return;
    HWND hit = WindowFromPoint(e.screen);
    if (!hit || RootOf(hit) != top) hit = top;
    HWND target = AcceptingWindow(hit);
    if (!target) return;

    // Drops a window never finished are let go once their window is gone.
    std::erase_if(Table().live, [](const auto& item) { return !IsWindow(item.second.target); });

    Drop drop;
    drop.files = e.files;
    drop.target = target;
    drop.point = e.screen;
    ScreenToClient(target, &drop.point);
    RECT client{};
    GetClientRect(target, &client);
    drop.inClient = PtInRect(&client, drop.point);
    Drops& t = Table();
    std::uintptr_t key = t.next;
    t.next += 0x10;
    t.live.emplace(key, std::move(drop));
    Post(target, WM_DROPFILES, static_cast<WPARAM>(key), 0);
}

} // namespace sys

void DragAcceptFiles(HWND hwnd, BOOL accept)
{
    if (!IsWindow(hwnd)) return;
    LONG ex = GetWindowLong(hwnd, GWL_EXSTYLE);
    SetWindowLong(hwnd, GWL_EXSTYLE, accept ? (ex | WS_EX_ACCEPTFILES) : (ex & ~LONG(WS_EX_ACCEPTFILES)));
}

UINT DragQueryFile(HDROP hDrop, UINT iFile, LPSTR lpszFile, UINT cch)
{
    const Drop* d = Find(hDrop);
    if (!d) return 0;
    if (iFile == 0xFFFFFFFF) return static_cast<UINT>(d->files.size());
    if (iFile >= d->files.size()) return 0;
    const std::string& path = d->files[iFile];
    if (!lpszFile) return static_cast<UINT>(path.size());
    if (cch == 0) return 0;
    std::size_t n = std::min<std::size_t>(path.size(), cch - 1);
    std::memcpy(lpszFile, path.data(), n);
    lpszFile[n] = '\0';
    return static_cast<UINT>(n);
}

BOOL DragQueryPoint(HDROP hDrop, LPPOINT lppt)
{
    const Drop* d = Find(hDrop);
    if (!d || !lppt) return FALSE;
    *lppt = d->point;
    return d->inClient;
}

void DragFinish(HDROP hDrop)
{
    Table().live.erase(reinterpret_cast<std::uintptr_t>(hDrop));
}
