#include "platform/system/controls/button/Button.h"
#include "platform/system/dialog/Dialog.h"
#include "tests/system/support/ControlFixture.h"

namespace ctltest {
namespace {

using OwnerDrawTest = ControlTest;

std::vector<std::pair<UINT, UINT>> ActionsAndStates(const std::vector<DrawRequest>& draws)
{
    std::vector<std::pair<UINT, UINT>> out;
    for (const DrawRequest& d : draws)
        out.emplace_back(d.action, d.state);
    return out;
}

using Seq = std::vector<std::pair<UINT, UINT>>;

TEST_F(OwnerDrawTest, DrawItemCarriesActionsAndStatesThroughPressFocusAndDisable)
{
    HWND b = Make("Button", "Go", BS_OWNERDRAW, 20, 20, 70, 26, 1001);
    ASSERT_FALSE(draws.empty());
    const DrawRequest& first = draws.back();
    EXPECT_EQ(first.action, ODA_DRAWENTIRE);
    EXPECT_EQ(first.state, 0u);
    EXPECT_EQ(first.ctlType, ODT_BUTTON);
    EXPECT_EQ(first.ctlId, 1001u);
    EXPECT_EQ(first.item, b);
    EXPECT_TRUE(first.hadDc);
    EXPECT_EQ(first.rect.left, 0);
    EXPECT_EQ(first.rect.top, 0);
    EXPECT_EQ(first.rect.right, 70);
    EXPECT_EQ(first.rect.bottom, 26);

    draws.clear();
    SetFocus(b);
    Pump();
    EXPECT_EQ(ActionsAndStates(draws), (Seq{{ODA_FOCUS, ODS_FOCUS}}));

    draws.clear();
    POINT p = Screen(b, 10, 10);
    screen.MoveMouse(p.x, p.y);
    screen.Press();
    Pump();
    EXPECT_EQ(ActionsAndStates(draws), (Seq{{ODA_SELECT, ODS_SELECTED | ODS_FOCUS}}));
    draws.clear();
    screen.MoveMouse(p.x + 300, p.y);
    Pump();
    screen.MoveMouse(p.x, p.y);
    Pump();
    screen.Release();
    Pump();
    EXPECT_EQ(ActionsAndStates(draws),
              (Seq{{ODA_SELECT, ODS_FOCUS}, {ODA_SELECT, ODS_SELECTED | ODS_FOCUS}, {ODA_SELECT, ODS_FOCUS}}));
    EXPECT_EQ(CodesFrom(b), std::vector<WORD>{BN_CLICKED});

    draws.clear();
    SetFocus(parent);
    Pump();
    EXPECT_EQ(ActionsAndStates(draws), (Seq{{ODA_FOCUS, 0}}));

    draws.clear();
    EnableWindow(b, FALSE);
    Pump();
    ASSERT_FALSE(draws.empty());
    EXPECT_EQ(draws.back().action, ODA_DRAWENTIRE);
    EXPECT_EQ(draws.back().state, ODS_DISABLED);
}

TEST_F(OwnerDrawTest, WhatTheParentDrawsIsShownAndNothingElse)
{
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    onDraw = [red](const DRAWITEMSTRUCT& dis) {
        RECT r = dis.rcItem;
        FillRect(dis.hDC, &r, red);
    };
    HWND b = Make("Button", "Go", BS_OWNERDRAW, 20, 20, 40, 20, 5);
    EXPECT_EQ(Pixel(b, 0, 0), RGB(255, 0, 0));
    EXPECT_EQ(Pixel(b, 39, 19), RGB(255, 0, 0));
    // Pressing draws at once, on the button only.
    onDraw = [](const DRAWITEMSTRUCT& dis) {
        if (dis.itemState & ODS_SELECTED) SetPixel(dis.hDC, 1, 1, RGB(0, 0, 255));
    };
    SendMessage(b, BM_SETSTATE, TRUE, 0);
    Pump(); // shows what was drawn; nothing is repainted
    EXPECT_EQ(Pixel(b, 1, 1), RGB(0, 0, 255));
    EXPECT_EQ(Pixel(b, 2, 2), RGB(255, 0, 0));
    DeleteObject(red);
}

TEST_F(OwnerDrawTest, DefaultStateFollowsTheDialogManager)
{
    DialogTemplate t;
    t.style = WS_POPUP | WS_VISIBLE | WS_CAPTION;
    t.cx = 200;
    t.cy = 60;
    DialogItemTemplate od;
    od.className = "Button";
    od.text = "Open";
    od.id = 1001;
    od.style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW;
    od.x = 10;
    od.y = 10;
    od.cx = 50;
    od.cy = 14;
    DialogItemTemplate edit = od;
    edit.className = "Edit";
    edit.id = 1000;
    edit.style = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
    edit.x = 70;
    t.items = {edit, od};
    static std::vector<DrawRequest>* sink = nullptr;
    sink = &draws;
    DLGPROC proc = [](HWND, UINT message, WPARAM, LPARAM lParam) -> INT_PTR {
        if (message != WM_DRAWITEM) return FALSE;
        auto* dis = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        sink->push_back({dis->itemAction, dis->itemState, dis->CtlType, dis->CtlID, dis->hwndItem, dis->rcItem, true});
        return TRUE;
    };
    HWND dlg = CreateDialogIndirectParamA(nullptr, &t, nullptr, proc, 0);
    ASSERT_NE(dlg, nullptr);
    Pump();
    HWND b = GetDlgItem(dlg, 1001);
    draws.clear();
    // Focus on the button: the focused push button is the default.
    SendMessage(dlg, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(b), TRUE);
    Pump();
    ASSERT_FALSE(draws.empty());
    EXPECT_EQ(draws.back().state & (ODS_FOCUS | ODS_DEFAULT), ODS_FOCUS | ODS_DEFAULT);
    // Focus back on the edit: neither focus nor default.
    draws.clear();
    SendMessage(dlg, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dlg, 1000)), TRUE);
    Pump();
    ASSERT_FALSE(draws.empty());
    EXPECT_EQ(draws.back().state & (ODS_FOCUS | ODS_DEFAULT), 0u);
    // Named as the dialog's default.
    draws.clear();
    SendMessage(dlg, DM_SETDEFID, 1001, 0);
    Pump();
    ASSERT_FALSE(draws.empty());
    EXPECT_EQ(draws.back().state & ODS_DEFAULT, ODS_DEFAULT);
    EXPECT_EQ(draws.back().state & ODS_FOCUS, 0u);
    DestroyWindow(dlg);
    sink = nullptr;
}

TEST_F(OwnerDrawTest, DefaultPushButtonMadeOwnerDrawStaysDefault)
{
    HWND b = Make("Button", "OK", BS_DEFPUSHBUTTON, 20, 20, 70, 26, 1);
    SetWindowLong(b, GWL_STYLE, GetWindowLong(b, GWL_STYLE) | static_cast<LONG>(BS_OWNERDRAW));
    draws.clear();
    InvalidateRect(b, nullptr, TRUE);
    Pump();
    ASSERT_EQ(draws.size(), 1u);
    EXPECT_EQ(draws[0].action, ODA_DRAWENTIRE);
    EXPECT_EQ(draws[0].state, ODS_DEFAULT);
}

} // namespace
} // namespace ctltest
