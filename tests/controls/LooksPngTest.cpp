// Pictures of the button in each of its looks and of the edit box with both of
// its borders, drawn on the headless screen. They land in the scratch folder,
// and in $CORVANE_DOCS_OUT when set (how docs/xpbutton.png and docs/xpedit.png
// are made).
#include "controls/XPButton.h"
#include "controls/XPEdit.h"
#include "platform/gfx/Png.h"
#include "platform/gfx/Surface.h"
#include "platform/system/controls/button/Button.h"
#include "platform/system/controls/static/Static.h"
#include "tests/controls/ControlsFixture.h"
#include "tests/support/TestPaths.h"

#include <cstdlib>
#include <fstream>
#include <memory>

namespace xptest {
namespace {

constexpr int kZoom = 2;

// The screen's pixels under the parent window, enlarged.
gfx::Surface Picture(const display::HeadlessBackend& screen, HWND parent)
{
    RECT r{};
    GetWindowRect(parent, &r);
    gfx::Surface shot = screen.Screenshot();
    gfx::Surface out((r.right - r.left) * kZoom, (r.bottom - r.top) * kZoom);
    for (int y = 0; y < out.Height(); ++y)
        for (int x = 0; x < out.Width(); ++x)
            out.Set(x, y, shot.At(r.left + x / kZoom, r.top + y / kZoom));
    return out;
}

// Copies a window's rectangle from one picture of the parent into another.
void Paste(gfx::Surface& to, const gfx::Surface& from, HWND parent, HWND child, int dx)
{
    RECT p{}, c{};
    GetWindowRect(parent, &p);
    GetWindowRect(child, &c);
    for (int y = (c.top - p.top) * kZoom; y < (c.bottom - p.top) * kZoom; ++y)
        for (int x = (c.left - p.left) * kZoom; x < (c.right - p.left) * kZoom; ++x)
            to.Set(x + dx * kZoom, y, from.At(x, y));
}

bool SameTile(const gfx::Surface& s, HWND parent, HWND a, HWND b)
{
    RECT p{}, ra{}, rb{};
    GetWindowRect(parent, &p);
    GetWindowRect(a, &ra);
    GetWindowRect(b, &rb);
    for (int y = 0; y < (ra.bottom - ra.top) * kZoom; ++y)
        for (int x = 0; x < (ra.right - ra.left) * kZoom; ++x)
            if (s.At((ra.left - p.left) * kZoom + x, (ra.top - p.top) * kZoom + y) !=
                s.At((rb.left - p.left) * kZoom + x, (rb.top - p.top) * kZoom + y))
                return false;
    return true;
}

void Write(const gfx::Surface& picture, const std::string& name)
{
    std::string error;
    std::string path = corvane::test::ScratchDir() + "/" + name;
    ASSERT_TRUE(gfx::WritePngFile(picture, path, false, &error)) << error;
    std::ifstream in(path, std::ios::binary);
    char signature[8] = {};
    in.read(signature, 8);
    EXPECT_EQ(std::string(signature + 1, 3), "PNG");
    if (const char* docs = std::getenv("CORVANE_DOCS_OUT")) {
        EXPECT_TRUE(gfx::WritePngFile(picture, std::string(docs) + "/" + name, false, &error)) << error;
    }
}

using LooksPngTest = ControlsTest;

TEST_F(LooksPngTest, ButtonInEachLook)
{
    const char* labels[] = {"idle", "default", "focused", "hovered", "pressed", "disabled", "hover+focus"};
    constexpr int kSlots = 7, kSlotW = 100, kBtnW = 84, kBtnH = 28;
    parent.SetWindowPos(nullptr, 0, 0, kSlots * kSlotW + 8, 80, SWP_NOMOVE | SWP_NOZORDER);
    std::vector<std::unique_ptr<CXPButton>> buttons;
    std::vector<HWND> hwnds;
    for (int i = 0; i < kSlots; ++i) {
        HWND b = MakeChild("Button", "打开...", BS_PUSHBUTTON, 8 + i * kSlotW, 12, kBtnW, kBtnH, 1001 + i);
        HWND label = MakeChild("Static", labels[i], SS_CENTER, 8 + i * kSlotW, 50, kBtnW, 16, 2001 + i);
        ASSERT_NE(label, nullptr);
        buttons.push_back(std::make_unique<CXPButton>());
        ASSERT_TRUE(buttons.back()->SubclassDlgItem(static_cast<UINT>(1001 + i), &parent));
        hwnds.push_back(b);
    }
    buttons[1]->SendMessage(BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
    buttons[4]->SetState(TRUE);
    buttons[5]->EnableWindow(FALSE);
    buttons[6]->ShowWindow(SW_HIDE);
    buttons[2]->SetFocus();
    PointAt(hwnds[3], kBtnW / 2, kBtnH / 2);
    Rest();
    gfx::Surface picture = Picture(screen, parent.m_hWnd);

    // The last look needs the focus on the hovered button: take it from a second picture.
    buttons[3]->SetFocus();
    Pump();
    gfx::Surface second = Picture(screen, parent.m_hWnd);
    Paste(picture, second, parent.m_hWnd, hwnds[3], 3 * kSlotW);

    // Every look differs from the idle one.
    for (int i = 1; i < 6; ++i)
        EXPECT_FALSE(SameTile(picture, parent.m_hWnd, hwnds[0], hwnds[i])) << labels[i];
    Write(picture, "xpbutton.png");
}

TEST_F(LooksPngTest, EditWithBothBorders)
{
    parent.SetWindowPos(nullptr, 0, 0, 440, 70, SWP_NOMOVE | SWP_NOZORDER);
    CXPEdit normal, hovered;
    HWND a = MakeChild("Edit", "D:\\logs\\access.log", ES_AUTOHSCROLL, 8, 10, 200, 22, 1000, WS_EX_CLIENTEDGE);
    HWND b = MakeChild("Edit", "D:\\logs\\access.log", ES_AUTOHSCROLL, 224, 10, 200, 22, 1001, WS_EX_CLIENTEDGE);
    MakeChild("Static", "normal", SS_CENTER, 8, 42, 200, 16, 2000);
    MakeChild("Static", "pointer resting", SS_CENTER, 224, 42, 200, 16, 2001);
    ASSERT_TRUE(normal.SubclassDlgItem(1000, &parent));
    ASSERT_TRUE(hovered.SubclassDlgItem(1001, &parent));
    normal.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME);
    PointAt(b, 100, 11);
    Rest();
    ASSERT_TRUE(hovered.IsPointerOver());
    gfx::Surface picture = Picture(screen, parent.m_hWnd);
    EXPECT_FALSE(SameTile(picture, parent.m_hWnd, a, b));
    Write(picture, "xpedit.png");
}

} // namespace
} // namespace xptest
