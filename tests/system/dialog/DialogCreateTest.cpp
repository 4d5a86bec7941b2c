#include "platform/system/window/SysMetrics.h"
#include "tests/system/support/DialogFixture.h"

#include <cstring>

namespace dlgtest {
namespace {

// Base units measured here the classic way, independently of the dialog code.
SIZE MeasuredBaseUnits(int points, const char* face)
{
    LOGFONTA lf{};
    lf.lfHeight = -MulDiv(points, 96, 72);
    std::strncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
    HFONT font = CreateFontIndirect(&lf);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICA tm{};
    GetTextMetrics(dc, &tm);
    SIZE extent{};
    GetTextExtentPoint32(dc, "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", 52, &extent);
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(font);
    return SIZE{(extent.cx / 26 + 1) / 2, tm.tmHeight};
}

RECT ClientRectOf(HWND child)
{
    RECT r{};
    GetWindowRect(child, &r);
    POINT tl{r.left, r.top};
    POINT br{r.right, r.bottom};
    ScreenToClient(GetParent(child), &tl);
    ScreenToClient(GetParent(child), &br);
    return RECT{tl.x, tl.y, br.x, br.y};
}

// The main window's template: font, size and three controls.
DialogTemplate MainLike()
{
    DialogTemplate t;
    t.style = WS_POPUP | WS_CAPTION | DS_MODALFRAME | DS_SETFONT;
    t.cx = 431;
    t.cy = 206;
    t.pointSize = 9;
    t.faceName = "宋体";
    t.items = {DialogItem(kEdit, 1000, WS_VISIBLE | WS_BORDER | WS_TABSTOP, 7, 13, 352, 14),
               DialogItem(kButton, 1001, WS_VISIBLE | WS_TABSTOP, 367, 13, 50, 14, "打开..."),
               DialogItem(kCustom, 1002, WS_VISIBLE, 13, 35, 402, 165)};
    return t;
}

struct Seen {
    UINT message;
    int children;
    HWND focus;
};
std::vector<Seen> g_seen;
INT_PTR g_initAnswer = TRUE;

int CountChildren(HWND h)
{
    int n = 0;
    for (HWND c = GetWindow(h, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        ++n;
    return n;
}

INT_PTR RecordingProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    g_seen.push_back({message, CountChildren(dialog), GetFocus()});
    Log().push_back({dialog, message, wParam, lParam});
    if (message == WM_INITDIALOG) return g_initAnswer;
    return FALSE;
}

using DialogCreateTest = DialogTest;

TEST_F(DialogCreateTest, DialogUnitsFollowTheTemplateFontsMeasuredBaseUnits)
{
    SIZE base = MeasuredBaseUnits(9, "宋体");
    ASSERT_GT(base.cx, 0);
    ASSERT_GT(base.cy, 0);
    DialogTemplate t = MainLike();
    HWND dialog = CreateDialogIndirectParam(nullptr, &t, nullptr, nullptr, 0);
    ASSERT_NE(dialog, nullptr);

    RECT client{};
    GetClientRect(dialog, &client);
    EXPECT_EQ(client.right, MulDiv(431, base.cx, 4));
    EXPECT_EQ(client.bottom, MulDiv(206, base.cy, 8));

    RECT edit = ClientRectOf(GetDlgItem(dialog, 1000));
    EXPECT_EQ(edit.left, MulDiv(7, base.cx, 4));
    EXPECT_EQ(edit.top, MulDiv(13, base.cy, 8));
    EXPECT_EQ(edit.right - edit.left, MulDiv(352, base.cx, 4));
    EXPECT_EQ(edit.bottom - edit.top, MulDiv(14, base.cy, 8));
    RECT tab = ClientRectOf(GetDlgItem(dialog, 1002));
    EXPECT_EQ(tab.left, MulDiv(13, base.cx, 4));
    EXPECT_EQ(tab.bottom - tab.top, MulDiv(165, base.cy, 8));

    RECT r{4, 8, 8, 16};
    ASSERT_TRUE(MapDialogRect(dialog, &r));
    EXPECT_EQ(r.left, base.cx);
    EXPECT_EQ(r.top, base.cy);
    EXPECT_EQ(r.right, 2 * base.cx);
    EXPECT_EQ(r.bottom, 2 * base.cy);
    EXPECT_FALSE(MapDialogRect(GetDlgItem(dialog, 1000), &r)); // not a dialog
    EXPECT_FALSE(MapDialogRect(dialog, nullptr));

    // A different font gives different units: the font really is used.
    DialogTemplate small = t;
    small.pointSize = 8;
    small.faceName = "MS Sans Serif";
    SIZE smallBase = MeasuredBaseUnits(8, "MS Sans Serif");
    HWND page = CreateDialogIndirectParam(nullptr, &small, nullptr, nullptr, 0);
    ASSERT_NE(page, nullptr);
    GetClientRect(page, &client);
    EXPECT_EQ(client.right, MulDiv(431, smallBase.cx, 4));
    EXPECT_EQ(client.bottom, MulDiv(206, smallBase.cy, 8));

    // Without DS_SETFONT the system font's units apply.
    LONG sysUnits = GetDialogBaseUnits();
    EXPECT_GT(LOWORD(static_cast<DWORD>(sysUnits)), 0);
    EXPECT_GT(HIWORD(static_cast<DWORD>(sysUnits)), 0);
    DialogTemplate plain = t;
    plain.style &= ~DS_SETFONT;
    plain.items.clear();
    HWND plainDialog = CreateDialogIndirectParam(nullptr, &plain, nullptr, nullptr, 0);
    ASSERT_NE(plainDialog, nullptr);
    GetClientRect(plainDialog, &client);
    EXPECT_EQ(client.right, MulDiv(431, LOWORD(static_cast<DWORD>(sysUnits)), 4));
    EXPECT_EQ(SendMessage(plainDialog, WM_GETFONT, 0, 0), 0);
}

TEST_F(DialogCreateTest, CreationSendsFontThenControlsThenInitDialogAndFocusesFirstTabStop)
{
    g_seen.clear();
    g_initAnswer = TRUE;
    DialogTemplate t = MainLike();
    t.style |= WS_VISIBLE;
    t.items.insert(t.items.begin(), DialogItem(kCustom, 999, WS_VISIBLE, 0, 0, 5, 5)); // not a tab stop
    HWND dialog = CreateDialogIndirectParam(nullptr, &t, nullptr, RecordingProc, 0x1234);
    ASSERT_NE(dialog, nullptr);

    auto find = [](UINT m) {
        for (std::size_t i = 0; i < g_seen.size(); ++i)
            if (g_seen[i].message == m) return static_cast<int>(i);
        return -1;
    };
    int setFont = find(WM_SETFONT);
    int init = find(WM_INITDIALOG);
    ASSERT_GE(setFont, 0);
    ASSERT_GE(init, 0);
    EXPECT_LT(find(WM_CREATE), setFont);
    EXPECT_EQ(g_seen[static_cast<std::size_t>(setFont)].children, 0); // the font comes before the controls
    EXPECT_EQ(g_seen[static_cast<std::size_t>(init)].children, 4);    // every control exists at WM_INITDIALOG
    EXPECT_LT(setFont, init);

    HWND edit = GetDlgItem(dialog, 1000);
    auto inits = LogOf(WM_INITDIALOG);
    ASSERT_EQ(inits.size(), 1u);
    EXPECT_EQ(reinterpret_cast<HWND>(inits[0].wParam), edit); // the first tab stop, not control 999
    EXPECT_EQ(inits[0].lParam, 0x1234);
    EXPECT_EQ(GetFocus(), edit);
    EXPECT_TRUE(IsWindowVisible(dialog));

    // Each control got the dialog's font, which the dialog reports and owns.
    auto font = static_cast<WPARAM>(SendMessage(dialog, WM_GETFONT, 0, 0));
    EXPECT_NE(font, 0u);
    int fontsToControls = 0;
    for (const Logged& l : LogOf(WM_SETFONT))
        if (l.hwnd != dialog && l.wParam == font) ++fontsToControls;
    EXPECT_EQ(fontsToControls, 2); // the test edit and button log it
    // The edit got its text selected as it took the focus.
    ASSERT_FALSE(LogOf(0x00B1).empty());
    EXPECT_EQ(LogOf(0x00B1).back().hwnd, edit);

    EXPECT_EQ(GetDlgCtrlID(GetDlgItem(dialog, 1001)), 1001);
    char text[32] = {};
    GetDlgItemText(dialog, 1001, text, sizeof text);
    EXPECT_STREQ(text, "打开...");

    std::size_t before = sys::GdiObjectCount();
    DestroyWindow(dialog);
    EXPECT_LT(sys::GdiObjectCount(), before); // the template font went with the dialog
}

TEST_F(DialogCreateTest, InitDialogReturningFalseKeepsTheFocusWhereTheProcedurePutIt)
{
    auto proc = [](HWND dialog, UINT message, WPARAM, LPARAM) -> INT_PTR {
        if (message != WM_INITDIALOG) return FALSE;
        SetFocus(GetDlgItem(dialog, 1001));
        return FALSE;
    };
    DialogTemplate t = MainLike();
    t.style |= WS_VISIBLE;
    HWND dialog = CreateDialogIndirectParam(nullptr, &t, nullptr, proc, 0);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(GetFocus(), GetDlgItem(dialog, 1001));
    // Deactivated and activated again, the dialog gives the focus back to that control.
    HWND other = MakeOwner();
    SetActiveWindow(other);
    EXPECT_NE(GetFocus(), GetDlgItem(dialog, 1001));
    SetActiveWindow(dialog);
    EXPECT_EQ(GetFocus(), GetDlgItem(dialog, 1001));
}

TEST_F(DialogCreateTest, ChildTemplatesBecomeHiddenPagesOfTheirParent)
{
    HWND owner = MakeOwner();
    DialogTemplate page;
    page.style = WS_CHILD | DS_SETFONT;
    page.cx = 394;
    page.cy = 141;
    page.pointSize = 8;
    page.faceName = "MS Sans Serif";
    page.items = {DialogItem(kCustom, 1004, WS_VISIBLE | WS_BORDER | WS_TABSTOP, 0, 0, 394, 140, "List1")};
    HWND dialog = CreateDialogIndirectParam(nullptr, &page, owner, nullptr, 0);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(GetParent(dialog), owner);
    EXPECT_TRUE(GetWindowLong(dialog, GWL_STYLE) & WS_CHILD);
    EXPECT_FALSE(IsWindowVisible(dialog));
    ASSERT_NE(GetDlgItem(dialog, 1004), nullptr);

    // A child template without a parent cannot be made.
    EXPECT_EQ(CreateDialogIndirectParam(nullptr, &page, nullptr, nullptr, 0), nullptr);
}

TEST_F(DialogCreateTest, BadTemplatesAndClassesFailCleanly)
{
    EXPECT_EQ(CreateDialogIndirectParam(nullptr, nullptr, nullptr, nullptr, 0), nullptr);
    EXPECT_EQ(CreateDialogParam(nullptr, MAKEINTRESOURCE(4242), nullptr, nullptr, 0), nullptr);
    EXPECT_EQ(DialogBoxParam(nullptr, MAKEINTRESOURCE(4242), nullptr, nullptr, 0), -1);

    DialogTemplate t = MainLike();
    t.items.push_back(DialogItem("NoSuchClass", 7, WS_VISIBLE, 0, 0, 10, 10));
    std::size_t objects = sys::GdiObjectCount();
    EXPECT_EQ(CreateDialogIndirectParam(nullptr, &t, nullptr, nullptr, 0), nullptr);
    EXPECT_EQ(sys::GdiObjectCount(), objects); // the font did not leak

    t.style |= DS_NOFAILCREATE;
    HWND dialog = CreateDialogIndirectParam(nullptr, &t, nullptr, nullptr, 0);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(GetDlgItem(dialog, 7), nullptr);
    EXPECT_NE(GetDlgItem(dialog, 1001), nullptr);

    // An invalid parent handle is refused.
    EXPECT_EQ(CreateDialogIndirectParam(nullptr, &t, reinterpret_cast<HWND>(0x7777), nullptr, 0), nullptr);
}

TEST_F(DialogCreateTest, TemplatesAreReachedByIdThroughTheRegistry)
{
    DialogTemplate t = MainLike();
    t.caption = "by id";
    sys::RegisterDialogTemplate(102, t);
    HWND dialog = CreateDialogParam(nullptr, MAKEINTRESOURCE(102), nullptr, nullptr, 0);
    ASSERT_NE(dialog, nullptr);
    char caption[16] = {};
    GetWindowText(dialog, caption, sizeof caption);
    EXPECT_STREQ(caption, "by id");
    char cls[16] = {};
    GetClassName(dialog, cls, sizeof cls);
    EXPECT_STREQ(cls, "#32770");
}

TEST_F(DialogCreateTest, BackgroundIsButtonFaceUnlessTheDialogPicksABrush)
{
    DialogTemplate t = MainLike();
    HWND dialog = CreateDialogIndirectParam(nullptr, &t, nullptr, nullptr, 0);
    ASSERT_NE(dialog, nullptr);
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, 8, 8);
    HGDIOBJ old = SelectObject(dc, bitmap);
    EXPECT_EQ(SendMessage(dialog, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0), 1);
    EXPECT_EQ(GetPixel(dc, 3, 3), GetSysColor(COLOR_BTNFACE));

    static HBRUSH s_brush = nullptr;
    s_brush = CreateSolidBrush(RGB(10, 200, 30));
    auto proc = [](HWND, UINT message, WPARAM, LPARAM) -> INT_PTR {
        return message == WM_CTLCOLORDLG ? reinterpret_cast<INT_PTR>(s_brush) : FALSE;
    };
    HWND green = CreateDialogIndirectParam(nullptr, &t, nullptr, proc, 0);
    ASSERT_NE(green, nullptr);
    SendMessage(green, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    EXPECT_EQ(GetPixel(dc, 3, 3), RGB(10, 200, 30));

    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    DeleteObject(s_brush);
}

} // namespace
} // namespace dlgtest
