// A test dialog holding every built-in control, drawn headless. The picture is
// checked for each control having drawn something, and written as PNG for a
// person to look at (to docs/controls.png when CORVANE_UPDATE_DOCS is set).
#include "platform/gfx/Png.h"
#include "platform/system/controls/ControlClasses.h"
#include "platform/system/controls/button/Button.h"
#include "platform/system/controls/combobox/ComboBox.h"
#include "platform/system/controls/combobox/ComboBoxClass.h"
#include "platform/system/controls/edit/Edit.h"
#include "platform/system/controls/listbox/ListBoxClass.h"
#include "platform/system/controls/static/Static.h"
#include "platform/system/dialog/DialogTemplateBuilder.h"
#include "platform/system/gdi/GdiResources.h"
#include "platform/system/window/WindowClass.h"
#include "tests/support/TestPaths.h"
#include "tests/system/support/TabTestSupport.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <set>

namespace tabfile {
namespace {

using sys::DialogItem;

INT_PTR GalleryProc(HWND, UINT message, WPARAM, LPARAM)
{
    return message == WM_INITDIALOG ? TRUE : FALSE;
}

// Distinct colours in a window's rectangle of the screenshot: a drawn control has several.
std::size_t Colours(const gfx::Surface& shot, HWND hwnd)
{
    RECT r{};
    GetWindowRect(hwnd, &r);
    std::set<gfx::Pixel> seen;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            seen.insert(shot.At(x, y));
    return seen.size();
}

using ControlGalleryTest = HeadlessTest;

TEST_F(ControlGalleryTest, EveryBuiltInControlDrawsAndThePictureIsWritten)
{
    ASSERT_TRUE(sys::RegisterEditButtonStaticClasses());
    ASSERT_TRUE(sys::RegisterListBoxClass());
    ASSERT_TRUE(sys::RegisterComboBoxClass());
    InitCommonControls();

    DialogTemplate t;
    t.style = WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT;
    t.x = 10;
    t.y = 10;
    t.cx = 330;
    t.cy = 230;
    t.caption = "控件一览";
    t.pointSize = 9;
    t.faceName = "宋体";
    t.items = {
        DialogItem(sys::kStaticClass, 100, SS_LEFT, 7, 9, 40, 9, "路径:"),
        DialogItem(sys::kEditClass, 101, WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 48, 7, 160, 14),
        DialogItem(sys::kButtonClass, 102, WS_TABSTOP | BS_DEFPUSHBUTTON, 214, 7, 50, 14, "打开..."),
        DialogItem(sys::kButtonClass, 103, WS_TABSTOP | BS_PUSHBUTTON, 270, 7, 50, 14, "取消"),
        DialogItem(sys::kStaticClass, 104, SS_ICON, 290, 26, 20, 20),
        DialogItem(WC_TABCONTROL, 105, WS_TABSTOP | TCS_HOTTRACK, 7, 28, 276, 110),
        DialogItem(sys::kListBoxClass, 107, WS_BORDER | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY, 7, 144, 120, 60),
        DialogItem(sys::kComboBoxClass, 108, WS_TABSTOP | CBS_DROPDOWNLIST, 134, 144, 120, 60),
        DialogItem(sys::kStaticClass, 109, SS_LEFT, 134, 166, 150, 30, "静态文本: 每个内置控件各一个。"),
    };
    for (DialogItemTemplate& item : t.items)
        item.style |= WS_VISIBLE;
    HWND dlg = CreateDialogIndirectParam(nullptr, &t, nullptr, GalleryProc, 0);
    ASSERT_NE(dlg, nullptr);

    // The list view with its header and rows lives on the tab's display area.
    HWND tab = GetDlgItem(dlg, 105);
    for (const char* title : {"所有内容(ALL)", "百度记录", "Google记录"}) {
        TCITEM item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<LPSTR>(title);
        SendMessage(tab, TCM_INSERTITEM, 99, reinterpret_cast<LPARAM>(&item));
    }
    SendMessage(tab, WM_SETFONT, SendMessage(dlg, WM_GETFONT, 0, 0), TRUE);
    RECT page{};
    GetClientRect(tab, &page);
    SendMessage(tab, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&page));
    HWND list = CreateWindowEx(WS_EX_CLIENTEDGE, WC_LISTVIEW, "", WS_CHILD | WS_VISIBLE | LVS_REPORT, page.left,
                               page.top, page.right - page.left, page.bottom - page.top, tab,
                               reinterpret_cast<HMENU>(106), nullptr, nullptr);
    ASSERT_NE(list, nullptr) << "the list view is missing";
    SendMessage(list, WM_SETFONT, SendMessage(dlg, WM_GETFONT, 0, 0), TRUE);
    const char* columns[] = {"序号", "IP", "时间", "URL"};
    int widths[] = {50, 100, 120, 160};
    for (int c = 0; c < 4; ++c) {
        LVCOLUMN col{};
        col.mask = LVCF_TEXT | LVCF_WIDTH;
        col.pszText = const_cast<LPSTR>(columns[c]);
        col.cx = widths[c];
        SendMessage(list, LVM_INSERTCOLUMN, static_cast<WPARAM>(c), reinterpret_cast<LPARAM>(&col));
    }
    const char* rows[][4] = {{"1", "66.249.66.1", "10/Oct/2023:13:55:36", "/index.html"},
                             {"2", "123.125.71.12", "10/Oct/2023:13:55:40", "/robots.txt"},
                             {"3", "157.55.39.8", "10/Oct/2023:13:56:02", "/a/b.html"}};
    for (int r = 0; r < 3; ++r) {
        LVITEM item{};
        item.mask = LVIF_TEXT;
        item.iItem = r;
        item.pszText = const_cast<LPSTR>(rows[r][0]);
        SendMessage(list, LVM_INSERTITEM, 0, reinterpret_cast<LPARAM>(&item));
        for (int c = 1; c < 4; ++c) {
            item.iSubItem = c;
            item.pszText = const_cast<LPSTR>(rows[r][c]);
            SendMessage(list, LVM_SETITEMTEXT, static_cast<WPARAM>(r), reinterpret_cast<LPARAM>(&item));
        }
    }

    HWND box = GetDlgItem(dlg, 107);
    for (const char* s : {"[..]", "[logs]", "access.log", "error.log", "访问日志.txt"})
        SendMessage(box, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
    SendMessage(box, LB_SETCURSEL, 2, 0);
    HWND combo = GetDlgItem(dlg, 108);
    for (const char* s : {"TXT Files(*.txt)", "Log Files(*.log)", "All Files(*.*)"})
        SendMessage(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
    SendMessage(combo, CB_SETCURSEL, 0, 0);
    SetDlgItemText(dlg, 101, "/var/log/nginx/access.log");

    std::ifstream ico(corvane::test::SourceDir() + "/res/images/corvane.ico", std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(ico)), std::istreambuf_iterator<char>());
    HICON icon = sys::CreateIconFromIcoBytes(bytes.data(), bytes.size(), 32, 32);
    EXPECT_NE(icon, nullptr);
    SendDlgItemMessage(dlg, 104, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);

    // Hover the second tab so the picture shows hot tracking.
    RECT r1{};
    SendMessage(tab, TCM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&r1));
    POINT hot = Screen(tab, (r1.left + r1.right) / 2, (r1.top + r1.bottom) / 2);
    m_screen.MoveMouse(hot.x, hot.y);
    sys::PumpUntilIdle();

    gfx::Surface shot = m_screen.Screenshot();
    for (int id : {101, 102, 103, 104, 105, 107, 108, 109})
        EXPECT_GE(Colours(shot, GetDlgItem(dlg, id)), 2u) << "control " << id << " drew nothing";
    EXPECT_GE(Colours(shot, list), 3u) << "the list view drew nothing";

    // Asked to paint into a caller's device context, these draw there what the screen shows.
    for (int id : {105, 107, 108}) {
        HWND control = GetDlgItem(dlg, id);
        RECT client{};
        GetClientRect(control, &client);
        if (control == tab) client.bottom = page.top; // below its strip the list view covers the tab
        HDC dc = CreateCompatibleDC(nullptr);
        HBITMAP bitmap = CreateCompatibleBitmap(dc, client.right, client.bottom);
        HGDIOBJ old = SelectObject(dc, bitmap);
        EXPECT_EQ(SendMessage(control, WM_PAINT, reinterpret_cast<WPARAM>(dc), 0), 0);
        int differ = 0;
        for (int y = 0; y < client.bottom; ++y)
            for (int x = 0; x < client.right; ++x) {
                POINT at = Screen(control, x, y);
                differ += GetPixel(dc, x, y) != gfx::ColorFromPixel(shot.At(at.x, at.y));
            }
        EXPECT_EQ(differ, 0) << "control " << id;
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }

    RECT w{};
    GetWindowRect(dlg, &w);
    gfx::Surface picture(w.right - w.left, w.bottom - w.top);
    for (int y = 0; y < picture.Height(); ++y)
        for (int x = 0; x < picture.Width(); ++x)
            picture.Set(x, y, shot.At(w.left + x, w.top + y));
    std::string error;
    std::string out = corvane::test::ScratchDir() + "/controls.png";
    EXPECT_TRUE(gfx::WritePngFile(picture, out, false, &error)) << error;
    if (std::getenv("CORVANE_UPDATE_DOCS")) {
        EXPECT_TRUE(gfx::WritePngFile(picture, corvane::test::SourceDir() + "/docs/controls.png", false, &error))
            << error;
    }
    DestroyWindow(dlg);
    DestroyIcon(icon);
}

} // namespace
} // namespace tabfile
