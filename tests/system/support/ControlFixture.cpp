#include "tests/system/support/ControlFixture.h"

#include "platform/gfx/Surface.h"
#include "platform/system/controls/ControlClasses.h"

namespace ctltest {

ControlTest* ControlTest::current = nullptr;

void ControlTest::SetUp()
{
    current = this;
    sys::SetBackend(&screen);
    ASSERT_TRUE(sys::RegisterEditButtonStaticClasses());
    WNDCLASS wc{};
    wc.lpfnWndProc = &ControlTest::ParentProc;
    wc.lpszClassName = "CtlTestParent";
    wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    ASSERT_NE(RegisterClass(&wc), 0);
    parent = CreateWindowEx(0, "CtlTestParent", "parent", WS_POPUP | WS_VISIBLE, 100, 100, 400, 200, nullptr, nullptr,
                            nullptr, nullptr);
    ASSERT_NE(parent, nullptr);
    Pump();
}

void ControlTest::TearDown()
{
    screen.SetIdleHandler(nullptr);
    sys::SetBackend(nullptr);
    current = nullptr;
}

HWND ControlTest::Make(const char* cls, const char* text, DWORD style, int x, int y, int w, int h, int id,
                       DWORD exStyle)
{
    HWND hwnd = CreateWindowEx(exStyle, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent,
                               reinterpret_cast<HMENU>(static_cast<std::intptr_t>(id)), nullptr, nullptr);
    Pump();
    return hwnd;
}

POINT ControlTest::Screen(HWND hwnd, int x, int y) const
{
    POINT p{x, y};
    ClientToScreen(hwnd, &p);
    return p;
}

COLORREF ControlTest::Pixel(HWND hwnd, int x, int y) const
{
    POINT p = Screen(hwnd, x, y);
    return gfx::ColorFromPixel(screen.PixelAt(p.x, p.y));
}

COLORREF ControlTest::WindowPixel(HWND hwnd, int x, int y) const
{
    RECT r{};
    GetWindowRect(hwnd, &r);
    return gfx::ColorFromPixel(screen.PixelAt(r.left + x, r.top + y));
}

void ControlTest::ClickAt(HWND hwnd, int x, int y)
{
    POINT p = Screen(hwnd, x, y);
    screen.Click(p.x, p.y);
    Pump();
}

std::vector<WORD> ControlTest::CodesFrom(HWND control) const
{
    std::vector<WORD> codes;
    for (const Command& c : commands)
        if (c.control == control) codes.push_back(c.code);
    return codes;
}

LRESULT ControlTest::ParentProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    ControlTest* t = current;
    if (!t) return DefWindowProc(hwnd, message, wParam, lParam);
    switch (message) {
    case WM_COMMAND: t->commands.push_back({LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)}); return 0;
    case WM_DRAWITEM: {
        auto* dis = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        t->draws.push_back({dis->itemAction, dis->itemState, dis->CtlType, dis->CtlID, dis->hwndItem, dis->rcItem,
                            dis->hDC != nullptr});
        if (t->onDraw) t->onDraw(*dis);
        return TRUE;
    }
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        t->colorQuestions.push_back(message);
        if (t->colorBrush && message != WM_CTLCOLORBTN) {
            SetTextColor(reinterpret_cast<HDC>(wParam), t->colorText);
            SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
            return reinterpret_cast<LRESULT>(t->colorBrush);
        }
        return DefWindowProc(hwnd, message, wParam, lParam);
    default: return DefWindowProc(hwnd, message, wParam, lParam);
    }
}

} // namespace ctltest
