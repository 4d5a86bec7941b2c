// Helpers for menu tests: a script the headless backend runs whenever a modal
// loop waits, and where the open menu's items are on screen.
#pragma once

#include "platform/system/menu/MenuInternal.h"
#include "tests/system/support/DesktopFixture.h"

#include <deque>
#include <functional>

namespace corvane::test {

class MenuTest : public DesktopTest {
protected:
    std::deque<std::function<void()>> script;

    void SetUp() override
    {
        DesktopTest::SetUp();
        screen.SetIdleHandler([this] {
            if (script.empty()) return false;
            auto step = std::move(script.front());
            script.pop_front();
            step();
            return true;
        });
    }
    void TearDown() override
    {
        screen.SetIdleHandler(nullptr);
        DesktopTest::TearDown();
    }

    // The open menu holds the capture while its loop runs.
    static HWND Popup() { return GetCapture(); }
    static const sys::PopupMenuState* Open()
    {
        HWND popup = Popup();
        return popup ? reinterpret_cast<const sys::PopupMenuState*>(GetWindowLongPtr(popup, 0)) : nullptr;
    }
    static RECT PopupRect()
    {
        RECT r{0, 0, 0, 0};
        GetWindowRect(Popup(), &r);
        return r;
    }
    // Screen point in the middle of item i of the open menu.
    static POINT ItemPoint(int i)
    {
        RECT w = PopupRect();
        const RECT& r = Open()->rects[static_cast<std::size_t>(i)];
        return POINT{w.left + (r.left + r.right) / 2, w.top + (r.top + r.bottom) / 2};
    }
    void ClickItem(int i)
    {
        POINT p = ItemPoint(i);
        screen.Click(p.x, p.y);
    }
    std::vector<WPARAM> WParams(HWND hwnd, UINT message) const
    {
        std::vector<WPARAM> out;
        for (const Received& r : log)
            if (r.hwnd == hwnd && r.message == message) out.push_back(r.wParam);
        return out;
    }
};

} // namespace corvane::test
