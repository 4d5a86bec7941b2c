// The hover button: its window region, face gradient, inner frames, caption
// placement and the hover and leave tracking, read back as screen pixels.
#include "controls/XPButton.h"

#include "tests/controls/ControlsFixture.h"

#include <algorithm>
#include <string>

namespace xptest {
namespace {

constexpr COLORREF kBorder = RGB(55, 98, 6);
constexpr COLORREF kHoverLeft = RGB(159, 175, 127);
constexpr COLORREF kHoverRight = RGB(160, 180, 130);
constexpr COLORREF kHoverTop = RGB(161, 190, 143);
constexpr COLORREF kHoverBottom = RGB(150, 155, 0);
constexpr COLORREF kFocusLeft = RGB(153, 198, 252);
constexpr COLORREF kFocusRight = RGB(162, 189, 252);
constexpr COLORREF kFocusTop = RGB(162, 201, 255);
constexpr COLORREF kFocusBottom = RGB(162, 201, 255);

constexpr int kW = 90;
constexpr int kH = 30;

// The band colours written out from the face table, one variant per look.
COLORREF Band(int i, bool over, bool active)
{
    int rg = over ? 255 - i / 4 : 255 - i / 3;
    int b = over ? (active ? 255 - i / 3 : 255 - i / 5) : (active ? 255 - i / 4 : 255 - i / 5);
    return RGB(rg, rg, b);
}

// Band of face row y for a face H pixels high, the last band for rows past it.
int BandOfRow(int y, int faceHeight)
{
    return std::min(63, y * 63 / faceHeight);
}

class CProbeButton : public CXPButton {
public:
    using CXPButton::DrawFace;
    using CXPButton::DrawFrame;
    BOOL Over() const { return m_bOver; }
    BOOL Tracking() const { return m_bTracking; }
    BOOL Focus() const { return m_bFocus; }
    BOOL Active() const { return m_bActive; }
    void SetLook(BOOL bOver, BOOL bActive, BOOL bFocus = FALSE)
    {
        m_bOver = bOver;
        m_bActive = bActive;
        m_bFocus = bFocus;
    }
};

class XPButtonTest : public ControlsTest {
protected:
    CProbeButton button;
    HWND hwnd = nullptr;
    HWND other = nullptr; // takes the focus away

    void Bind(const char* caption = "Open", DWORD style = BS_PUSHBUTTON)
    {
        hwnd = MakeChild("Button", caption, style, 20, 20, kW, kH, 1001);
        ASSERT_NE(hwnd, nullptr);
        other = MakeChild("Button", "x", BS_PUSHBUTTON, 20, 120, 40, 20, 1003);
        ASSERT_TRUE(button.SubclassDlgItem(1001, &parent));
        Pump();
    }
    COLORREF At(int x, int y) const { return Pixel(hwnd, x, y); }
    // Face pixel expected where no frame or caption lies (the face starts at row 2).
    COLORREF Face(int y, bool over, bool active) const { return Band(BandOfRow(y, kH - 4), over, active); }

    // The bounding box of caption pixels (darker than any face band) inside the face.
    RECT CaptionBox() const
    {
        RECT box{kW, kH, -1, -1};
        for (int y = 6; y < kH - 6; ++y)
            for (int x = 8; x < kW - 8; ++x) {
                COLORREF c = At(x, y);
                if (GetRValue(c) < 200 || GetBValue(c) < 200) {
                    box.left = std::min<LONG>(box.left, x);
                    box.top = std::min<LONG>(box.top, y);
                    box.right = std::max<LONG>(box.right, x + 1);
                    box.bottom = std::max<LONG>(box.bottom, y + 1);
                }
            }
        return box;
    }
};

TEST_F(XPButtonTest, BindingMakesItOwnerDrawnAndRoundsTheWindow)
{
    Bind();
    EXPECT_EQ(button.GetStyle() & 0xF, static_cast<DWORD>(BS_OWNERDRAW));
    EXPECT_TRUE(button.GetStyle() & WS_VISIBLE);

    CRgn actual, expected;
    actual.CreateRectRgn(0, 0, 0, 0);
    expected.CreateRoundRectRgn(0, 0, kW, kH, 5, 5);
    ASSERT_NE(button.GetWindowRgn(actual), ERROR);
    EXPECT_TRUE(actual.EqualRgn(&expected));

    // Outside the rounded corners the parent shows through; the region, like the
    // classic one, leaves out the last column and row, so only the top and left of
    // the ring show.
    COLORREF parentColour = ParentPixel(10, 10);
    EXPECT_EQ(parentColour, GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(At(0, 0), parentColour);
    EXPECT_EQ(At(kW - 1, 0), parentColour);
    EXPECT_EQ(At(0, kH - 1), parentColour);
    EXPECT_EQ(At(kW - 1, kH - 1), parentColour);
    EXPECT_EQ(At(kW / 2, 0), kBorder);
    EXPECT_EQ(At(0, kH / 2), kBorder);
    EXPECT_EQ(At(1, 1), RGB(255, 255, 255));
    EXPECT_EQ(At(kW - 1, kH / 2), parentColour);
    EXPECT_EQ(At(kW / 2, kH - 1), parentColour);
    // Inside the ring and right of the face: the DC's own brush fills the rounded rectangle.
    EXPECT_EQ(At(kW - 2, kH / 2), RGB(255, 255, 255));
}

TEST_F(XPButtonTest, FaceBandsOfEveryVariantWithShortAndEmptyFaces)
{
    Bind();
    CDC mem;
    ASSERT_TRUE(mem.CreateCompatibleDC(nullptr));
    CBitmap bmp;
    ASSERT_TRUE(bmp.CreateBitmap(12, 80, 1, 32, nullptr));
    CBitmap* old = mem.SelectObject(&bmp);
    const bool looks[4][2] = {{true, true}, {true, false}, {false, true}, {false, false}};
    const COLORREF last[4] = {RGB(240, 240, 234), RGB(240, 240, 243), RGB(234, 234, 240), RGB(234, 234, 243)};
    for (int v = 0; v < 4; ++v) {
        SCOPED_TRACE(v);
        mem.FillSolidRect(0, 0, 12, 80, RGB(1, 2, 3));
        button.SetLook(looks[v][0], looks[v][1]);
        // A face of height 63 from row 0: row y takes band y, rows 64 and 65 stay on band 63.
        CRect face(0, 0, 10, 63);
        button.DrawFace(&mem, &face);
        EXPECT_EQ(mem.GetPixel(5, 0), RGB(255, 255, 255));
        EXPECT_EQ(mem.GetPixel(5, 63), last[v]);
        for (int y = 0; y <= 65; ++y) {
            EXPECT_EQ(mem.GetPixel(0, y), Band(std::min(y, 63), looks[v][0], looks[v][1])) << "row " << y;
            EXPECT_EQ(mem.GetPixel(11, y), Band(std::min(y, 63), looks[v][0], looks[v][1])) << "row " << y;
        }
        EXPECT_EQ(mem.GetPixel(5, 66), RGB(1, 2, 3));
    }

    // A short face: rows past band 63 keep band 63, nothing below row H + 2.
    mem.FillSolidRect(0, 0, 12, 80, RGB(1, 2, 3));
    button.SetLook(FALSE, FALSE);
    CRect shortFace(2, 2, 10, 12);
    button.DrawFace(&mem, &shortFace);
    EXPECT_EQ(mem.GetPixel(5, 2), Band(12, false, false));
    EXPECT_EQ(mem.GetPixel(5, 11), Band(63, false, false));
    EXPECT_EQ(mem.GetPixel(5, 12), Band(63, false, false));
    EXPECT_EQ(mem.GetPixel(5, 13), RGB(1, 2, 3));
    EXPECT_EQ(mem.GetPixel(1, 5), RGB(1, 2, 3));

    // No height: nothing painted, and no division by zero.
    mem.FillSolidRect(0, 0, 12, 80, RGB(1, 2, 3));
    CRect flat(2, 2, 10, 2);
    button.DrawFace(&mem, &flat);
    CRect inverted(2, 5, 10, 3);
    button.DrawFace(&mem, &inverted);
    for (int y = 0; y < 10; ++y)
        EXPECT_EQ(mem.GetPixel(5, y), RGB(1, 2, 3)) << "row " << y;
    mem.SelectObject(old);
}

TEST_F(XPButtonTest, IdleAndDefaultLooksHaveNoFrame)
{
    Bind();
    // Idle: the plain face from row 2 (band 2 * 63 / H) to one row past the face.
    for (int y : {2, 5, kH / 2, kH - 4, kH - 3, kH - 2}) {
        EXPECT_EQ(At(4, y), Face(y, false, false)) << "row " << y;
        EXPECT_EQ(At(kW - 5, y), Face(y, false, false)) << "row " << y;
    }
    EXPECT_FALSE(button.Focus());
    EXPECT_FALSE(button.Active());

    // The default button (not focused) takes the active face but no frame.
    button.SendMessage(BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
    Pump();
    EXPECT_FALSE(button.Focus());
    EXPECT_TRUE(button.Active());
    for (int y : {2, kH / 2, kH - 3}) {
        EXPECT_EQ(At(4, y), Face(y, false, true)) << "row " << y;
        EXPECT_EQ(At(kW / 2, y == kH / 2 ? 3 : y), Face(y == kH / 2 ? 3 : y, false, true));
    }
}

TEST_F(XPButtonTest, FocusLookHasTheBlueFrameAndDottedRectangle)
{
    Bind();
    button.SetFocus();
    Pump();
    EXPECT_TRUE(button.Focus());
    EXPECT_TRUE(button.Active());
    const int mid = kH / 2;
    EXPECT_EQ(At(3, mid), kFocusLeft);
    EXPECT_EQ(At(kW - 4, mid), kFocusRight);
    EXPECT_EQ(At(kW / 2, 1), kFocusTop);
    EXPECT_EQ(At(kW / 2, kH - 2), kFocusBottom);
    // Inside the frame the face is the focused variant.
    EXPECT_EQ(At(8, 6), Face(6, false, true));

    // The dotted rectangle inverts every other pixel along the face's left column.
    int plain = 0, inverted = 0;
    for (int y = 6; y < kH - 6; ++y) {
        COLORREF c = At(2, y);
        if (c == kFocusLeft)
            ++plain;
        else if (c == (~kFocusLeft & 0xFFFFFF))
            ++inverted;
    }
    EXPECT_EQ(plain + inverted, kH - 12);
    EXPECT_GE(plain, (kH - 12) / 2 - 1);
    EXPECT_GE(inverted, (kH - 12) / 2 - 1);

    // Focus elsewhere: back to the idle face, no frame.
    ::SetFocus(other);
    Pump();
    EXPECT_EQ(At(3, mid), Face(mid, false, false));
    EXPECT_EQ(At(2, mid), Face(mid, false, false));
}

TEST_F(XPButtonTest, HoverLookReplacesTheFocusLookWithTheGreenFrame)
{
    Bind();
    const int mid = kH / 2;
    PointAt(hwnd, kW / 2, mid);
    Rest();
    ASSERT_TRUE(button.Over());
    EXPECT_EQ(At(3, mid), kHoverLeft);
    EXPECT_EQ(At(2, mid), kHoverLeft);
    EXPECT_EQ(At(kW - 4, mid), kHoverRight);
    EXPECT_EQ(At(kW / 2, 2), kHoverTop);
    EXPECT_EQ(At(kW / 2, kH - 2), kHoverBottom);
    EXPECT_EQ(At(8, 6), Face(6, true, false));

    // Focused while hovered: green frame, no dotted rectangle, the hovered active face.
    button.SetFocus();
    Pump();
    for (int y = 6; y < kH - 6; ++y)
        EXPECT_EQ(At(2, y), kHoverLeft) << "row " << y;
    EXPECT_EQ(At(kW - 4, mid), kHoverRight);
    EXPECT_EQ(At(8, 6), Face(6, true, true));

    // Leaving removes the green frame at once; the focus look returns.
    PointAt(parent.m_hWnd, 300, 150);
    EXPECT_FALSE(button.Over());
    EXPECT_EQ(At(3, mid), kFocusLeft);
    EXPECT_EQ(At(kW / 2, 1), kFocusTop);
}

TEST_F(XPButtonTest, PressingMovesTheCaptionOnePixelAndActivatesTheFace)
{
    Bind();
    RECT idle = CaptionBox();
    ASSERT_LT(idle.left, idle.right);
    // Centred on the face with the extent measured in the button's font.
    CClientDC dc(&button);
    CFont* oldFont = dc.SelectObject(&font);
    CSize extent = dc.GetTextExtent("Open", 4);
    dc.SelectObject(oldFont);
    CPoint origin(kW / 2 - extent.cx / 2, kH / 2 - extent.cy / 2);
    EXPECT_GE(idle.left, origin.x);
    EXPECT_LE(idle.right, origin.x + extent.cx);
    EXPECT_GE(idle.top, origin.y);
    EXPECT_LE(idle.bottom, origin.y + extent.cy);
    EXPECT_LE(idle.left - origin.x, 3);

    button.SetState(TRUE);
    Pump();
    RECT pressed = CaptionBox();
    EXPECT_EQ(pressed.left, idle.left + 1);
    EXPECT_EQ(pressed.top, idle.top + 1);
    EXPECT_EQ(pressed.right, idle.right + 1);
    EXPECT_EQ(pressed.bottom, idle.bottom + 1);
    EXPECT_TRUE(button.Active());
    EXPECT_FALSE(button.Focus());
    EXPECT_EQ(At(4, kH / 2), Face(kH / 2, false, true));

    button.SetState(FALSE);
    Pump();
    RECT released = CaptionBox();
    EXPECT_EQ(released.left, idle.left);
    EXPECT_EQ(released.top, idle.top);
}

TEST_F(XPButtonTest, DisabledEmptyAndOverlongCaptions)
{
    Bind();
    RECT enabledBox = CaptionBox();
    bool black = false;
    for (int y = enabledBox.top; y < enabledBox.bottom; ++y)
        for (int x = enabledBox.left; x < enabledBox.right; ++x)
            black = black || At(x, y) == RGB(0, 0, 0);
    EXPECT_TRUE(black);

    // Disabled: embossed in the shadow colour with a highlight copy; the face is unchanged.
    button.EnableWindow(FALSE);
    Pump();
    bool shadow = false;
    black = false;
    for (int y = 4; y < kH - 4; ++y)
        for (int x = 6; x < kW - 6; ++x) {
            shadow = shadow || At(x, y) == GetSysColor(COLOR_3DSHADOW);
            black = black || At(x, y) == RGB(0, 0, 0);
        }
    EXPECT_TRUE(shadow);
    EXPECT_FALSE(black);
    EXPECT_EQ(At(4, kH / 2), Face(kH / 2, false, false));

    // An empty caption draws nothing over the face.
    button.EnableWindow(TRUE);
    button.SetWindowText("");
    Pump();
    for (int y = 2; y < kH - 2; ++y)
        for (int x = 4; x < kW - 4; ++x)
            ASSERT_EQ(At(x, y), Face(y, false, false)) << x << "," << y;

    // A caption of 300 characters is cut to its first 259.
    button.SetWindowText(std::string(259, 'W').c_str());
    Pump();
    std::vector<COLORREF> cut = Snapshot(*this, hwnd);
    button.SetWindowText(std::string(300, 'W').c_str());
    Pump();
    EXPECT_EQ(Snapshot(*this, hwnd), cut);
    button.SetWindowText(std::string(258, 'W').c_str());
    Pump();
    EXPECT_NE(Snapshot(*this, hwnd), cut);
}

TEST_F(XPButtonTest, HoverTrackingArmsOnceHoversAndLeaves)
{
    Bind();
    PointAt(hwnd, 10, 10);
    ASSERT_EQ(armings.size(), 1u);
    EXPECT_EQ(armings[0].cbSize, 16u);
    EXPECT_EQ(armings[0].dwFlags, TME_HOVER | TME_LEAVE);
    EXPECT_EQ(armings[0].hwndTrack, hwnd);
    EXPECT_EQ(armings[0].dwHoverTime, 1u);
    EXPECT_TRUE(button.Tracking());
    EXPECT_FALSE(button.Over());

    // Armed: further moves arm nothing; the frame waits for the hover.
    PointAt(hwnd, 20, 12);
    EXPECT_EQ(armings.size(), 1u);
    EXPECT_EQ(At(3, kH / 2), Face(kH / 2, false, false));
    Rest();
    EXPECT_TRUE(button.Over());
    EXPECT_EQ(At(3, kH / 2), kHoverLeft);
    PointAt(hwnd, 30, 12);
    Rest();
    EXPECT_EQ(armings.size(), 1u);

    // Hovering -> outside on the leave.
    PointAt(parent.m_hWnd, 300, 150);
    EXPECT_FALSE(button.Over());
    EXPECT_FALSE(button.Tracking());
    EXPECT_EQ(At(3, kH / 2), Face(kH / 2, false, false));

    // Armed -> outside: crossing quickly leaves before any hover.
    PointAt(hwnd, 10, 10);
    EXPECT_EQ(armings.size(), 2u);
    PointAt(parent.m_hWnd, 300, 150);
    EXPECT_FALSE(button.Tracking());
    Rest();
    EXPECT_FALSE(button.Over());
    EXPECT_EQ(At(3, kH / 2), Face(kH / 2, false, false));
}

TEST_F(XPButtonTest, PressedDraggedOffAndReleasedOutsideTheFrameGoesAtTheRelease)
{
    Bind();
    PointAt(hwnd, 20, 12);
    Rest();
    ASSERT_TRUE(button.Over());
    screen.Press();
    Pump();
    // Held down and dragged off: the button holds the mouse, the frame stays.
    PointAt(parent.m_hWnd, 300, 150);
    EXPECT_TRUE(button.Over());
    EXPECT_EQ(At(3, kH / 2), kHoverLeft);
    // Let go out there, the pointer still: the frame must go now, not at some later move.
    screen.Release();
    Pump();
    EXPECT_FALSE(button.Over());
    EXPECT_FALSE(button.Tracking());
    // The press gave it the focus: the blue frame replaces the green one.
    ASSERT_EQ(GetFocus(), hwnd);
    EXPECT_EQ(At(3, kH / 2), kFocusLeft);
    EXPECT_NE(At(kW / 2, kH - 2), kHoverBottom);
    // Back over it, the hover works as before.
    PointAt(hwnd, 20, 12);
    Rest();
    EXPECT_TRUE(button.Over());
}

TEST_F(XPButtonTest, AFailedArmingIsRetriedOnTheNextMove)
{
    Bind();
    refuseArmings = 1;
    PointAt(hwnd, 10, 10);
    ASSERT_EQ(armings.size(), 1u);
    EXPECT_FALSE(button.Tracking());
    Rest();
    EXPECT_FALSE(button.Over());
    EXPECT_EQ(At(3, kH / 2), Face(kH / 2, false, false));

    PointAt(hwnd, 12, 10);
    EXPECT_EQ(armings.size(), 2u);
    EXPECT_TRUE(button.Tracking());
    Rest();
    EXPECT_TRUE(button.Over());
    EXPECT_EQ(At(3, kH / 2), kHoverLeft);
}

TEST_F(XPButtonTest, BackgroundIsNeverErased)
{
    Bind();
    std::vector<COLORREF> before = Snapshot(*this, hwnd);
    CClientDC dc(&button);
    EXPECT_EQ(button.SendMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc())), TRUE);
    Pump();
    EXPECT_EQ(Snapshot(*this, hwnd), before);
}

} // namespace
} // namespace xptest
