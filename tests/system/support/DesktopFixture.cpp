#include "tests/system/support/DesktopFixture.h"

#include <algorithm>

namespace corvane::test {

DesktopTest* DesktopTest::current = nullptr;

void DesktopTest::SetUp()
{
    current = this;
    sys::SetBackend(&screen);
    WNDCLASS wc{};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = &DesktopTest::Proc;
    wc.lpszClassName = kClass;
    ASSERT_NE(RegisterClass(&wc), 0);
}

void DesktopTest::TearDown()
{
    handlers.clear();
    sys::SetBackend(nullptr);
    current = nullptr;
}

LRESULT DesktopTest::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    DesktopTest* t = current;
    if (t) {
        t->log.push_back(Received{hwnd, message, wParam, lParam});
        // Handlers may add handlers; walk a copy.
        std::vector<Handler> hs = t->handlers;
        for (auto& h : hs) {
            LRESULT r = 0;
            if (h(hwnd, message, wParam, lParam, &r)) return r;
        }
    }
    return DefWindowProc(hwnd, message, wParam, lParam);
}

HWND DesktopTest::Make(const std::string& name, DWORD style, int x, int y, int w, int h, HWND parent, int id,
                       DWORD exStyle)
{
    HWND hwnd = CreateWindowEx(exStyle, kClass, name.c_str(), style, x, y, w, h, parent,
                               reinterpret_cast<HMENU>(static_cast<std::uintptr_t>(id)), nullptr, nullptr);
    if (hwnd) names[hwnd] = name;
    return hwnd;
}

std::vector<std::string> DesktopTest::Trace(const std::vector<UINT>& only) const
{
    std::vector<std::string> out;
    for (const Received& r : log) {
        if (!only.empty() && std::find(only.begin(), only.end(), r.message) == only.end()) continue;
        auto it = names.find(r.hwnd);
        out.push_back((it == names.end() ? std::string("?") : it->second) + ":" + MessageName(r.message));
    }
    return out;
}

std::vector<std::string> DesktopTest::TraceOf(HWND hwnd, const std::vector<UINT>& only) const
{
    std::vector<std::string> out;
    for (const Received& r : log)
        if (r.hwnd == hwnd && (only.empty() || std::find(only.begin(), only.end(), r.message) != only.end()))
            out.push_back(MessageName(r.message));
    return out;
}

int DesktopTest::Count(HWND hwnd, UINT message) const
{
    return static_cast<int>(
        std::count_if(log.begin(), log.end(), [&](const Received& r) { return r.hwnd == hwnd && r.message == message; }));
}

std::string MessageName(UINT message)
{
    static const std::map<UINT, const char*> kNames = {
        {WM_CREATE, "CREATE"},
        {WM_DESTROY, "DESTROY"},
        {WM_MOVE, "MOVE"},
        {WM_SIZE, "SIZE"},
        {WM_ACTIVATE, "ACTIVATE"},
        {WM_SETFOCUS, "SETFOCUS"},
        {WM_KILLFOCUS, "KILLFOCUS"},
        {WM_ENABLE, "ENABLE"},
        {WM_SETTEXT, "SETTEXT"},
        {WM_GETTEXT, "GETTEXT"},
        {WM_PAINT, "PAINT"},
        {WM_CLOSE, "CLOSE"},
        {WM_ERASEBKGND, "ERASEBKGND"},
        {WM_SHOWWINDOW, "SHOWWINDOW"},
        {WM_GETMINMAXINFO, "GETMINMAXINFO"},
        {WM_WINDOWPOSCHANGING, "POSCHANGING"},
        {WM_WINDOWPOSCHANGED, "POSCHANGED"},
        {WM_NCCREATE, "NCCREATE"},
        {WM_NCDESTROY, "NCDESTROY"},
        {WM_NCCALCSIZE, "NCCALCSIZE"},
        {WM_NCHITTEST, "NCHITTEST"},
        {WM_NCPAINT, "NCPAINT"},
        {WM_NCACTIVATE, "NCACTIVATE"},
        {WM_NCMOUSEMOVE, "NCMOUSEMOVE"},
        {WM_NCLBUTTONDOWN, "NCLBUTTONDOWN"},
        {WM_NCLBUTTONUP, "NCLBUTTONUP"},
        {WM_KEYDOWN, "KEYDOWN"},
        {WM_KEYUP, "KEYUP"},
        {WM_CHAR, "CHAR"},
        {WM_SYSCOMMAND, "SYSCOMMAND"},
        {WM_TIMER, "TIMER"},
        {WM_MOUSEMOVE, "MOUSEMOVE"},
        {WM_LBUTTONDOWN, "LBUTTONDOWN"},
        {WM_LBUTTONUP, "LBUTTONUP"},
        {WM_LBUTTONDBLCLK, "LBUTTONDBLCLK"},
        {WM_RBUTTONDOWN, "RBUTTONDOWN"},
        {WM_MOUSEWHEEL, "MOUSEWHEEL"},
        {WM_PARENTNOTIFY, "PARENTNOTIFY"},
        {WM_CAPTURECHANGED, "CAPTURECHANGED"},
        {WM_ENTERSIZEMOVE, "ENTERSIZEMOVE"},
        {WM_EXITSIZEMOVE, "EXITSIZEMOVE"},
        {WM_MOVING, "MOVING"},
        {WM_MOUSEHOVER, "MOUSEHOVER"},
        {WM_MOUSELEAVE, "MOUSELEAVE"},
        {WM_NCMOUSEHOVER, "NCMOUSEHOVER"},
        {WM_NCMOUSELEAVE, "NCMOUSELEAVE"},
        {WM_USER, "USER"},
        {WM_USER + 1, "USER+1"},
        {WM_USER + 2, "USER+2"},
    };
    auto it = kNames.find(message);
    if (it != kNames.end()) return it->second;
    char buf[16];
    std::snprintf(buf, sizeof buf, "0x%04X", message);
    return buf;
}

} // namespace corvane::test
