// The window manager's own records: windows, classes and the handle table.
// Internal to the system tier; everything outside goes through handles.
//
// Rule for all code here: a Window* is only good until the next call into a
// window procedure. After any SendMessage look the window up again by handle.
#pragma once

#include "platform/base/Geometry.h"
#include "platform/display/Event.h"
#include "platform/gfx/Region.h"
#include "platform/gfx/Surface.h"
#include "platform/system/window/WinUser.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace sys {

struct WindowClass {
    std::string name;
    ATOM atom = 0;
    UINT style = 0;
    WNDPROC proc = nullptr;
    int clsExtra = 0;
    int wndExtra = 0;
    HINSTANCE instance = nullptr;
    HICON icon = nullptr;
    HICON iconSmall = nullptr;
    HCURSOR cursor = nullptr;
    HBRUSH background = nullptr;
    std::string menuName;
    std::vector<BYTE> extra;
};

struct Window {
    HWND handle = nullptr;
    std::shared_ptr<WindowClass> cls;
    WNDPROC proc = nullptr;
    DWORD style = 0;
    DWORD exStyle = 0;
    LONG_PTR id = 0;
    LONG_PTR userData = 0;
    HINSTANCE instance = nullptr;
    std::string text;
    HWND parent = nullptr; // for child windows
    HWND owner = nullptr;  // for top-level windows
    std::vector<HWND> children; // topmost first
    RECT rect{0, 0, 0, 0};      // parent client coordinates; screen for top-level windows
    RECT client{0, 0, 0, 0};    // window coordinates
    std::optional<gfx::Region> shape; // window region, window coordinates

    gfx::Region update; // client part waiting for WM_PAINT, window coordinates
    bool ncDirty = false;
    bool eraseDirty = false;
    bool internalPaint = false;
    bool noRedraw = false; // WM_SETREDRAW FALSE
    bool destroying = false;

    HICON iconBig = nullptr;
    HICON iconSmall = nullptr;
    HMENU sysMenu = nullptr;
    std::vector<BYTE> extra;
    LRESULT pressedNcButton = 0;

    // Top-level windows only.
    display::WindowId native = 0;
    std::unique_ptr<gfx::Surface> surface;
    gfx::Region dirty; // surface coordinates, waiting to be presented
    RECT restore{0, 0, 0, 0};
    bool restoreToMaximized = false;
};

// Handle table.
Window* Lookup(HWND hwnd);
Window* LookupLive(HWND hwnd); // also refuses windows being destroyed
HWND AllocateWindow(std::unique_ptr<Window> w);
void FreeWindow(HWND hwnd);
std::vector<HWND> AllWindows();
// Top-level windows, topmost first.
std::vector<HWND>& TopLevels();

bool IsTopLevel(const Window& w);
HWND RootOf(HWND hwnd);
bool IsDescendant(HWND ancestor, HWND hwnd); // true also when equal
// Visible itself and every ancestor visible.
bool IsReallyVisible(HWND hwnd);
// Preorder: the window, then its children (topmost first), recursively.
std::vector<HWND> Subtree(HWND hwnd);

// Geometry. Screen position of the window's top-left corner, of its client
// area, and the window's offset inside its top-level surface.
POINT WindowScreenOrigin(const Window& w);
POINT ClientScreenOrigin(const Window& w);
POINT SurfaceOffset(const Window& w);
inline int Width(const RECT& r) { return r.right - r.left; }
inline int Height(const RECT& r) { return r.bottom - r.top; }
// Keeps window sizes within what a surface can hold.
constexpr int kMaxWindowExtent = 16384;

// Visible pixels of the window (whole window or client area), surface
// coordinates, clipped by parents, siblings above and window regions.
gfx::Region VisibleRegion(const Window& w, bool wholeWindow);

// Classes.
std::shared_ptr<WindowClass> FindClass(LPCSTR nameOrAtom);
void ResetClasses();

// Restacks native windows after a change of the top-level order.
void SyncNativeStacking();

} // namespace sys
