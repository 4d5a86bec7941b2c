// The framed edit box: its own border (a flat sunken edge, or the hover
// rectangle while the mouse rests on it) and the tracking that switches them.
#include "controls/XPEdit.h"

#include "platform/framework/AfxMsg.h"
#include "platform/system/controls/button/Button.h"
#include "tests/controls/ControlsFixture.h"

#include <string>

namespace xptest {
namespace {

constexpr COLORREF kHoverFill = RGB(187, 200, 143);
constexpr int kW = 200;
constexpr int kH = 24;

class CProbeEdit : public CXPEdit {
public:
    std::vector<std::string> seen;

protected:
    void OnPointerRest() override
    {
        seen.push_back(IsPointerOver() ? "rest(over)" : "rest");
        CXPEdit::OnPointerRest();
    }
    void OnPointerLeave() override
    {
        seen.push_back(IsPointerOver() ? "leave(over)" : "leave");
        CXPEdit::OnPointerLeave();
    }
    // The ordinary handling of the hover, to show it runs before the tracking.
    LRESULT OnHoverSeen(WPARAM, LPARAM)
    {
        seen.push_back(IsPointerOver() ? "map(over)" : "map");
        return 77;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CProbeEdit, CXPEdit)
    ON_MESSAGE(WM_MOUSEHOVER, OnHoverSeen)
END_MESSAGE_MAP()

class XPEditTest : public ControlsTest {
protected:
    CProbeEdit edit;
    HWND hwnd = nullptr;
    HWND other = nullptr;

    void Bind()
    {
        hwnd = MakeChild("Edit", "path", ES_AUTOHSCROLL, 20, 20, kW, kH, 1000, WS_EX_CLIENTEDGE);
        ASSERT_NE(hwnd, nullptr);
        other = MakeChild("Button", "x", BS_PUSHBUTTON, 20, 120, 40, 20, 1003);
        ASSERT_TRUE(edit.SubclassDlgItem(1000, &parent));
        edit.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME);
        Pump();
    }
    COLORREF At(int x, int y) const { return Pixel(hwnd, x, y); }

    // The flat sunken edge: a shadow ring outside a face-coloured ring, on all four sides.
    void ExpectSunkenEdge(const char* when) const
    {
        SCOPED_TRACE(when);
        COLORREF shadow = GetSysColor(COLOR_3DSHADOW), face = GetSysColor(COLOR_3DFACE);
        for (int x : {0, kW / 2, kW - 1}) {
            EXPECT_EQ(At(x, 0), shadow) << "top " << x;
            EXPECT_EQ(At(x, kH - 1), shadow) << "bottom " << x;
        }
        for (int y : {0, kH / 2, kH - 1}) {
            EXPECT_EQ(At(0, y), shadow) << "left " << y;
            EXPECT_EQ(At(kW - 1, y), shadow) << "right " << y;
        }
        EXPECT_EQ(At(1, kH / 2), face);
        EXPECT_EQ(At(kW - 2, kH / 2), face);
        EXPECT_EQ(At(kW / 2, 1), face);
        EXPECT_EQ(At(kW / 2, kH - 2), face);
    }
    void ExpectHoverRectangle(const char* when) const
    {
        SCOPED_TRACE(when);
        for (int x : {0, kW / 2, kW - 1}) {
            EXPECT_EQ(At(x, 0), RGB(0, 0, 0)) << "top " << x;
            EXPECT_EQ(At(x, kH - 1), RGB(0, 0, 0)) << "bottom " << x;
        }
        EXPECT_EQ(At(0, kH / 2), RGB(0, 0, 0));
        EXPECT_EQ(At(kW - 1, kH / 2), RGB(0, 0, 0));
        EXPECT_EQ(At(1, kH / 2), kHoverFill);
        EXPECT_EQ(At(kW - 2, kH / 2), kHoverFill);
        EXPECT_EQ(At(kW / 2, 1), kHoverFill);
        EXPECT_EQ(At(kW / 2, kH - 2), kHoverFill);
    }
};

TEST_F(XPEditTest, BorderFollowsTheRestingPointer)
{
    Bind();
    ExpectSunkenEdge("at start");
    // The client area is the edit's own: white behind the text.
    EXPECT_EQ(At(kW - 10, kH / 2), GetSysColor(COLOR_WINDOW));

    PointAt(hwnd, 50, 10);
    ASSERT_EQ(armings.size(), 1u);
    EXPECT_EQ(armings[0].cbSize, 16u);
    EXPECT_EQ(armings[0].dwFlags, TME_HOVER | TME_LEAVE);
    EXPECT_EQ(armings[0].hwndTrack, hwnd);
    EXPECT_EQ(armings[0].dwHoverTime, 1u);
    ExpectSunkenEdge("armed, not yet resting");

    Rest();
    EXPECT_TRUE(edit.IsPointerOver());
    ExpectHoverRectangle("resting");
    EXPECT_EQ(At(kW - 10, kH / 2), GetSysColor(COLOR_WINDOW));

    // Moves while armed arm nothing more.
    PointAt(hwnd, 60, 12);
    Rest();
    EXPECT_EQ(armings.size(), 1u);

    PointAt(parent.m_hWnd, 300, 150);
    EXPECT_FALSE(edit.IsPointerOver());
    ExpectSunkenEdge("after leaving");
    EXPECT_EQ(edit.seen, (std::vector<std::string>{"map", "rest(over)", "leave"}));
}

TEST_F(XPEditTest, TrackingRunsAfterTheOrdinaryHandlingAndKeepsItsResult)
{
    Bind();
    PointAt(hwnd, 50, 10);
    edit.seen.clear();
    // The hover reaches the message map first (the flag still clear), then the hook.
    EXPECT_EQ(edit.SendMessage(WM_MOUSEHOVER, 0, 0), 77);
    EXPECT_EQ(edit.seen, (std::vector<std::string>{"map", "rest(over)"}));
    EXPECT_TRUE(edit.IsPointerOver());
    EXPECT_EQ(edit.SendMessage(WM_MOUSELEAVE, 0, 0), 0);
    EXPECT_FALSE(edit.IsPointerOver());
}

TEST_F(XPEditTest, LeaveWithoutHoverRepaintsTheNormalBorder)
{
    Bind();
    PointAt(hwnd, 50, 10);
    // Scribble over the border so the repaint can be seen.
    {
        CWindowDC dc(&edit);
        dc.FillSolidRect(0, 0, kW, 3, RGB(255, 0, 0));
    }
    Pump();
    EXPECT_EQ(At(kW / 2, 0), RGB(255, 0, 0));
    // The pointer crosses on before the hover time: only the leave comes.
    PointAt(parent.m_hWnd, 300, 150);
    EXPECT_EQ(edit.seen, (std::vector<std::string>{"leave"}));
    ExpectSunkenEdge("after a leave without hover");
    Rest();
    EXPECT_FALSE(edit.IsPointerOver());

    // A failed arming leaves the control outside; the next move tries again.
    refuseArmings = 1;
    edit.seen.clear();
    PointAt(hwnd, 50, 10);
    Rest();
    EXPECT_EQ(armings.size(), 2u);
    EXPECT_FALSE(edit.IsPointerOver());
    ExpectSunkenEdge("arming refused");
    PointAt(hwnd, 52, 10);
    Rest();
    EXPECT_EQ(armings.size(), 3u);
    EXPECT_TRUE(edit.IsPointerOver());
    ExpectHoverRectangle("armed on the retry");
}

TEST_F(XPEditTest, FocusTextAndEnabledStateNeverChangeTheBorder)
{
    Bind();
    edit.SetFocus();
    Pump();
    ExpectSunkenEdge("focused");
    edit.SetWindowText("C:\\logs\\access.log");
    Pump();
    ExpectSunkenEdge("new text");
    edit.EnableWindow(FALSE);
    Pump();
    ExpectSunkenEdge("disabled");
    edit.EnableWindow(TRUE);
    edit.SetFocus();
    Pump();

    PointAt(hwnd, 50, 10);
    Rest();
    ExpectHoverRectangle("resting");
    ::SetFocus(other);
    Pump();
    ExpectHoverRectangle("focus gone");
    edit.SetWindowText("another path");
    Pump();
    ExpectHoverRectangle("text changed");
    edit.EnableWindow(FALSE);
    Pump();
    ExpectHoverRectangle("disabled");
}

} // namespace
} // namespace xptest
