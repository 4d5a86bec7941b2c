// The painted frame: its layout for the worked 600 x 400 window, the caption
// buttons' images under and away from the pointer, what their clicks do, the
// About box they and the system menu open, and dragging the window.
#include "platform/system/dialog/Resource.h"
#include "res/ResourceIds.h"
#include "tests/app/AppFixture.h"

#include <algorithm>

namespace apptest {
namespace {

constexpr COLORREF kFrame = RGB(187, 200, 143);

// Records the system commands the dialog receives.
class CSpyDlg : public CCorvaneDlg {
public:
    std::vector<WPARAM> commands;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_SYSCOMMAND) commands.push_back(wParam);
        return CCorvaneDlg::WindowProc(message, wParam, lParam);
    }
};

class FrameTest : public AppTest {
protected:
    CSpyDlg* spy = nullptr;

    // The dialog as a 600 x 400 window at (100, 50).
    void OpenWorked()
    {
        spy = new CSpyDlg();
        Open(spy);
        dlg->SetWindowPos(nullptr, 100, 50, 600, 400, SWP_NOZORDER);
        // The region made at creation has the template's size; give the new size its corners.
        ::SetWindowRgn(dlg->m_hWnd, CreateRoundRectRgn(0, 0, 600, 400, 30, 30), TRUE);
        Pump();
    }
    static CRect At(int l, int t, int r, int b) { return CRect(l + 100, t + 50, r + 100, b + 50); }
    void Hover(int x, int y)
    {
        screen.MoveMouse(x, y);
        Pump();
    }
    bool RegionIsRoundRect(int ellipse) const
    {
        CRect r = WindowRect(dlg->m_hWnd);
        HRGN have = CreateRectRgn(0, 0, 0, 0);
        HRGN want = CreateRoundRectRgn(0, 0, r.Width(), r.Height(), ellipse, ellipse);
        bool same = GetWindowRgn(dlg->m_hWnd, have) != ERROR && EqualRgn(have, want);
        DeleteObject(have);
        DeleteObject(want);
        return same;
    }
    // Clicks the point and answers the About box that must open with a key.
    void ClickExpectingAbout(CPoint p, bool& opened)
    {
        Script({[this, &opened] {
                   opened = ActiveCaption() == "关于 Corvane";
                   Key(VK_ESCAPE);
               }},
               [this, p] {
                   ClickAt(p.x, p.y);
                   Pump();
               });
    }
};

TEST_F(FrameTest, WorkedLayoutGivesTheStoredRectanglesAndPaintsTheFrame)
{
    OpenWorked();
    EXPECT_EQ(dlg->m_rtIcon, At(4, 4, 20, 19));
    EXPECT_EQ(dlg->m_rtButtExit, At(580, 3, 596, 18));
    EXPECT_EQ(dlg->m_rtButtMax, At(561, 3, 577, 18));
    EXPECT_EQ(dlg->m_rtButtMin, At(542, 3, 558, 18));
    EXPECT_EQ(dlg->m_rtButtHelp, At(523, 3, 539, 18));

    // Band, borders: the left one is a pixel narrower than the right one.
    EXPECT_EQ(WindowPixel(300, 0), kFrame);
    EXPECT_EQ(WindowPixel(450, 21), kFrame);
    // Rows below the tab control, where no child covers the client edge. The
    // region leaves out the last column and row of the window.
    EXPECT_EQ(WindowPixel(0, 380), kFrame);
    EXPECT_EQ(WindowPixel(2, 380), kFrame);
    EXPECT_NE(WindowPixel(3, 380), kFrame);
    EXPECT_EQ(WindowPixel(596, 380), kFrame);
    EXPECT_EQ(WindowPixel(598, 380), kFrame);
    EXPECT_NE(WindowPixel(595, 380), kFrame);
    EXPECT_EQ(WindowPixel(300, 396), kFrame);
    EXPECT_EQ(WindowPixel(300, 398), kFrame);
    EXPECT_NE(WindowPixel(300, 395), kFrame);

    // The buttons at rest.
    EXPECT_TRUE(Shows(dlg->m_rtButtExit, IDB_CLOSE_RED));
    EXPECT_TRUE(Shows(dlg->m_rtButtMax, IDB_MAX_GREEN));
    EXPECT_TRUE(Shows(dlg->m_rtButtMin, IDB_MIN_GREEN));
    EXPECT_TRUE(Shows(dlg->m_rtButtHelp, IDB_HELP_RED));

    // The title: white text from x = 23 on, ending well before the buttons for this title.
    int white = 0;
    int stray = 0;
    for (int y = 4; y < 22; ++y)
        for (int x = 20; x < 520; ++x)
            if (WindowPixel(x, y) == RGB(255, 255, 255)) ++(x >= 23 && x < 300 ? white : stray);
    EXPECT_GT(white, 50);
    EXPECT_EQ(stray, 0);

    // Moving the window moves the stored rectangles with it.
    dlg->SetWindowPos(nullptr, 130, 70, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    Pump();
    EXPECT_EQ(dlg->m_rtButtExit, CRect(710, 73, 726, 88));
    EXPECT_TRUE(Shows(dlg->m_rtButtExit, IDB_CLOSE_RED));
}

TEST_F(FrameTest, ButtonsChangeImageUnderThePointerOnly)
{
    OpenWorked();
    const CRect* rects[4] = {&dlg->m_rtButtExit, &dlg->m_rtButtMax, &dlg->m_rtButtMin, &dlg->m_rtButtHelp};
    const UINT rest[4] = {IDB_CLOSE_RED, IDB_MAX_GREEN, IDB_MIN_GREEN, IDB_HELP_RED};
    const UINT hover[4] = {IDB_CLOSE_GREEN, IDB_MAX_RED, IDB_MIN_RED, IDB_HELP_GREEN};
    for (int i = 0; i < 4; ++i) {
        Hover(rects[i]->CenterPoint().x, rects[i]->CenterPoint().y);
        for (int j = 0; j < 4; ++j)
            EXPECT_TRUE(Shows(*rects[j], i == j ? hover[j] : rest[j])) << i << "/" << j;
    }
    // The right and bottom edges are outside a button.
    Hover(dlg->m_rtButtExit.right, dlg->m_rtButtExit.top + 5);
    EXPECT_TRUE(Shows(dlg->m_rtButtExit, IDB_CLOSE_RED));
    Hover(dlg->m_rtButtExit.left, dlg->m_rtButtExit.bottom - 1);
    EXPECT_TRUE(Shows(dlg->m_rtButtExit, IDB_CLOSE_GREEN));
    // Elsewhere over the caption: every button at rest again.
    Hover(400, 60);
    for (int j = 0; j < 4; ++j)
        EXPECT_TRUE(Shows(*rects[j], rest[j])) << j;
}

TEST_F(FrameTest, HoverAndClicksFindTheButtonsWithoutAStoredLayout)
{
    OpenWorked();
    // As before the first paint: nothing stored. Hover and clicks lay the caption out themselves.
    auto forget = [this] {
        for (CRect* r : {&dlg->m_rtIcon, &dlg->m_rtButtExit, &dlg->m_rtButtMax, &dlg->m_rtButtMin, &dlg->m_rtButtHelp})
            r->SetRectEmpty();
    };
    forget();
    Hover(100 + 588, 50 + 10);
    EXPECT_EQ(dlg->m_rtIcon, At(4, 4, 20, 19));
    EXPECT_EQ(dlg->m_rtButtExit, At(580, 3, 596, 18));
    EXPECT_EQ(dlg->m_rtButtHelp, At(523, 3, 539, 18));
    EXPECT_TRUE(Shows(At(580, 3, 596, 18), IDB_CLOSE_GREEN));
    EXPECT_TRUE(Shows(At(542, 3, 558, 18), IDB_MIN_GREEN));

    forget();
    ClickAt(100 + 550, 50 + 10);
    Pump();
    EXPECT_TRUE(dlg->IsIconic());
}

TEST_F(FrameTest, MinimizeMaximizeAndRestoreAct)
{
    OpenWorked();
    CRect close = dlg->m_rtButtExit;
    auto sent = [this](WPARAM cmd) {
        return std::find(spy->commands.begin(), spy->commands.end(), cmd) != spy->commands.end();
    };
    ClickAt(dlg->m_rtButtMin.CenterPoint().x, dlg->m_rtButtMin.CenterPoint().y);
    Pump();
    EXPECT_TRUE(sent(SC_MINIMIZE));
    EXPECT_TRUE(dlg->IsIconic());
    dlg->ShowWindow(SW_RESTORE);
    Pump();
    ASSERT_FALSE(dlg->IsIconic());
    EXPECT_EQ(WindowRect(dlg->m_hWnd), At(0, 0, 600, 400));
    EXPECT_EQ(dlg->m_rtButtExit, close);

    ClickAt(dlg->m_rtButtMax.CenterPoint().x, dlg->m_rtButtMax.CenterPoint().y);
    Pump();
    EXPECT_TRUE(sent(SC_MAXIMIZE));
    ASSERT_TRUE(dlg->IsZoomed());
    EXPECT_GT(WindowRect(dlg->m_hWnd).Width(), 600);
    EXPECT_TRUE(RegionIsRoundRect(5));
    EXPECT_TRUE(Shows(dlg->m_rtButtMax, IDB_RESTORE_GREEN));
    Hover(dlg->m_rtButtMax.CenterPoint().x, dlg->m_rtButtMax.CenterPoint().y);
    EXPECT_TRUE(Shows(dlg->m_rtButtMax, IDB_RESTORE_RED));

    // While maximized a caption click outside the buttons does nothing: not even a move starts.
    CRect zoomed = WindowRect(dlg->m_hWnd);
    spy->commands.clear();
    screen.MoveMouse(zoomed.CenterPoint().x, dlg->m_rtButtMax.CenterPoint().y);
    screen.Press();
    Pump();
    screen.Release();
    Pump();
    EXPECT_TRUE(spy->commands.empty());
    EXPECT_EQ(WindowRect(dlg->m_hWnd), zoomed);

    ClickAt(dlg->m_rtButtMax.CenterPoint().x, dlg->m_rtButtMax.CenterPoint().y);
    Pump();
    EXPECT_TRUE(sent(SC_RESTORE));
    EXPECT_FALSE(dlg->IsZoomed());
    EXPECT_EQ(WindowRect(dlg->m_hWnd), At(0, 0, 600, 400));
    EXPECT_TRUE(RegionIsRoundRect(5));
    EXPECT_TRUE(Shows(dlg->m_rtButtMax, IDB_MAX_GREEN));
    EXPECT_EQ(dlg->m_rtButtExit, close);
}

TEST_F(FrameTest, ButtonsActOnButtonDown)
{
    OpenWorked();
    // Pressed on minimize, released far away: the window is minimized all the same.
    screen.MoveMouse(dlg->m_rtButtMin.CenterPoint().x, dlg->m_rtButtMin.CenterPoint().y);
    screen.Press();
    Pump();
    EXPECT_TRUE(dlg->IsIconic());
    screen.MoveMouse(900, 600);
    screen.Release();
    Pump();
    EXPECT_TRUE(dlg->IsIconic());
}

TEST_F(FrameTest, HelpButtonAndAboutCommandsOpenTheAboutBox)
{
    OpenWorked();
    bool opened = false;
    ClickExpectingAbout(dlg->m_rtButtHelp.CenterPoint(), opened);
    EXPECT_TRUE(opened);
    EXPECT_TRUE(dlg->IsWindowEnabled());
    EXPECT_EQ(ActiveCaption(), "Corvane1.0 -- Dalmor");

    // Any command 0x0010 to 0x001F opens it; the low four bits are ignored.
    for (UINT cmd : {0x0010u, 0x0017u, 0x001Fu}) {
        bool shown = false;
        Script({[&] {
                   shown = ActiveCaption() == "关于 Corvane";
                   Key(VK_RETURN);
               }},
               [&] { dlg->SendMessage(WM_SYSCOMMAND, cmd, 0); });
        EXPECT_TRUE(shown) << cmd;
    }
    // The standard commands still reach the default handling.
    dlg->SendMessage(WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_TRUE(dlg->IsIconic());
}

TEST_F(FrameTest, HelpButtonOpensTheAboutBoxWithoutAMenuEntry)
{
    sys::RegisterString(IDS_ABOUTBOX, "");
    OpenWorked();
    bool opened = false;
    ClickExpectingAbout(dlg->m_rtButtHelp.CenterPoint(), opened);
    EXPECT_TRUE(opened);
}

TEST_F(FrameTest, AboutBoxEndsByOkEnterEscapeAndClose)
{
    OpenWorked();
    enum How { kOk, kEnter, kEscape, kClose };
    for (How how : {kOk, kEnter, kEscape, kClose}) {
        std::string texts;
        bool ended = false;
        Script({[&] {
                   HWND about = GetActiveWindow();
                   texts = ActiveTexts();
                   if (how == kOk) ClickCenter(GetDlgItem(about, IDOK));
                   if (how == kEnter) Key(VK_RETURN);
                   if (how == kEscape) Key(VK_ESCAPE);
                   if (how == kClose) {
                       CRect r = WindowRect(about);
                       screen.RequestClose(screen.WindowAt(r.CenterPoint().x, r.CenterPoint().y));
                   }
               }},
               [&] {
                   dlg->SendMessage(WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
                   ended = true;
               });
        EXPECT_TRUE(ended) << how;
        EXPECT_NE(texts.find("Corvane 1.0 版"), std::string::npos) << texts;
        EXPECT_NE(texts.find("确定"), std::string::npos) << texts;
        EXPECT_EQ(ActiveCaption(), "Corvane1.0 -- Dalmor") << how;
        EXPECT_TRUE(dlg->IsWindowEnabled());
        EXPECT_TRUE(::IsWindow(dlg->m_hWnd));
    }
}

TEST_F(FrameTest, CloseButtonEndsTheModalDialog)
{
    dlg = std::make_unique<CCorvaneDlg>();
    INT_PTR result = RunModal({[this] {
        CRect close = dlg->m_rtButtExit;
        ASSERT_FALSE(close.IsRectEmpty());
        screen.MoveMouse(close.CenterPoint().x, close.CenterPoint().y);
        screen.Press();
    }});
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(dlg->m_hWnd, nullptr);
}

TEST_F(FrameTest, DraggingByTheClientAreaOrCaptionMovesTheWindow)
{
    OpenWorked();
    auto drag = [this](CPoint from, CPoint by) {
        screen.MoveMouse(from.x, from.y);
        Script({[this, from, by] {
                   screen.MoveMouse(from.x + by.x / 2, from.y + by.y / 2);
                   screen.MoveMouse(from.x + by.x, from.y + by.y);
                   screen.Release();
               }},
               [this] {
                   screen.Press();
                   Pump();
               });
    };
    // The background between the path box and the tab control.
    CRect edit = WindowRect(dlg->m_editPath.m_hWnd);
    drag(CPoint(edit.left + 5, edit.bottom + 3), CPoint(40, 25));
    EXPECT_EQ(WindowRect(dlg->m_hWnd), CRect(140, 75, 740, 475));
    EXPECT_EQ(dlg->m_rtButtExit, CRect(720, 78, 736, 93));

    // The caption outside the buttons.
    drag(CPoint(400, 85), CPoint(-30, 10));
    EXPECT_EQ(WindowRect(dlg->m_hWnd), CRect(110, 85, 710, 485));

    // A press on a control does not move the window.
    CRect before = WindowRect(dlg->m_hWnd);
    CRect path = WindowRect(dlg->m_editPath.m_hWnd);
    screen.MoveMouse(path.CenterPoint().x, path.CenterPoint().y);
    screen.Press();
    Pump();
    screen.MoveMouse(path.CenterPoint().x + 60, path.CenterPoint().y + 40);
    screen.Release();
    Pump();
    EXPECT_EQ(WindowRect(dlg->m_hWnd), before);
}

} // namespace
} // namespace apptest
