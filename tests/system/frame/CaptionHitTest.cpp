// The system's caption: a point is hit as a caption button exactly where a
// button is painted, and as the system menu where the icon is painted, for
// the caption styles the system draws (one layout serves both).
#include "platform/system/frame/NonClient.h"
#include "platform/system/window/WindowTree.h"
#include "tests/support/TestPaths.h"
#include "tests/system/support/DesktopFixture.h"

#include <fstream>
#include <iterator>
#include <sstream>

namespace corvane::test {
namespace {

struct Style {
    DWORD style;
    DWORD exStyle;
    const char* name;
};

class CaptionHit : public DesktopTest {};

TEST_F(CaptionHit, ButtonsAndIconAreHitWherePainted)
{
    std::ifstream ico(SourceDir() + "/res/images/corvane.ico", std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(ico)), std::istreambuf_iterator<char>());
    HICON icon = sys::CreateIconFromIcoBytes(bytes.data(), bytes.size(), 16, 16);
    ASSERT_NE(icon, nullptr);

    const Style styles[] = {
        {WS_OVERLAPPEDWINDOW, 0, "overlapped"},
        {WS_CAPTION | WS_SYSMENU, 0, "close only"},
        {WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 0, "minimize box"},
        {WS_CAPTION | WS_SYSMENU | WS_THICKFRAME, WS_EX_CLIENTEDGE, "client edge"},
        {WS_CAPTION | WS_SYSMENU, WS_EX_DLGMODALFRAME, "dialog frame"},
        {WS_CAPTION | WS_SYSMENU, WS_EX_TOOLWINDOW, "tool window"},
    };
    for (const Style& s : styles) {
        SCOPED_TRACE(s.name);
        HWND top = Make(s.name, s.style | WS_VISIBLE, 60, 40, 320, 200, nullptr, 0, s.exStyle);
        ASSERT_NE(top, nullptr);
        // No title to paint over the band; an icon where the style has its place.
        SetWindowText(top, "");
        SendMessage(top, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
        SetActiveWindow(top);
        Pump();
        ASSERT_EQ(GetActiveWindow(), top);

        sys::Window* w = sys::Lookup(top);
        ASSERT_NE(w, nullptr);
        const sys::CaptionLayout cap = sys::LayoutCaption(*w);
        ASSERT_FALSE(IsRectEmpty(&cap.band));
        RECT r{};
        GetWindowRect(top, &r);
        HDC dc = GetWindowDC(top);
        ASSERT_NE(dc, nullptr);
        const COLORREF caption = GetSysColor(COLOR_ACTIVECAPTION);
        int buttons = 0, icons = 0;
        std::ostringstream wrong;
        for (int y = cap.band.top; y < cap.line.bottom; ++y) {
            for (int x = cap.band.left; x < cap.band.right; ++x) {
                LRESULT hit = SendMessage(top, WM_NCHITTEST, 0, MAKELPARAM(r.left + x, r.top + y));
                bool isButton = hit == HTCLOSE || hit == HTMAXBUTTON || hit == HTMINBUTTON;
                bool onLine = y >= cap.line.top;
                COLORREF pixel = GetPixel(dc, x, y);
                bool painted = pixel != (onLine ? GetSysColor(COLOR_BTNFACE) : caption);
                buttons += isButton;
                icons += painted && hit == HTSYSMENU;
                // Whatever is painted on the band is a button or the icon; every button pixel is painted.
                bool ok = isButton ? painted : (!painted || hit == HTSYSMENU);
                ok = ok && (isButton || hit == HTSYSMENU || hit == HTCAPTION);
                if (!ok) wrong << " (" << x << "," << y << ") hit " << hit << " pixel " << pixel;
            }
        }
        EXPECT_EQ(wrong.str(), "");
        EXPECT_EQ(buttons, (s.style & WS_MINIMIZEBOX ? 3 : 1) * sys::Width(cap.close) * sys::Height(cap.close));
        bool hasIcon = !(s.exStyle & (WS_EX_TOOLWINDOW | WS_EX_DLGMODALFRAME));
        EXPECT_EQ(icons > 0, hasIcon);
        EXPECT_EQ(IsRectEmpty(&cap.sysMenu), !hasIcon);
        ReleaseDC(top, dc);
        DestroyWindow(top);
        Pump();
    }
    DestroyIcon(icon);
}

} // namespace
} // namespace corvane::test
