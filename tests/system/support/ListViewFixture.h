// A headless desktop with a parent window that records what a list view and
// its header tell their owner, answers WM_MEASUREITEM, and can veto.
#pragma once

#include "platform/display/HeadlessBackend.h"
#include "platform/framework/Afxwin.h"
#include "platform/system/CommCtrl.h"
#include "platform/system/Windows.h"
#include "platform/system/window/Desktop.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace corvane::test {

struct Drawn {
    UINT itemID;
    RECT rc;
    UINT state;
    bool operator==(const Drawn& o) const
    {
        return itemID == o.itemID && EqualRect(&rc, &o.rc) && state == o.state;
    }
};

class ListViewTest : public ::testing::Test {
public:
    static constexpr int kListId = 100;
    static constexpr int kParentW = 400;
    static constexpr int kParentH = 300;

    display::HeadlessBackend screen;
    HWND parent = nullptr;
    std::vector<UINT> notes;           // WM_NOTIFY codes in order
    std::vector<Drawn> drawn;          // WM_DRAWITEM calls
    std::vector<MEASUREITEMSTRUCT> measures;
    UINT answerHeight = 0;             // WM_MEASUREITEM answer, 0 keeps the proposal
    UINT vetoCode = 0;                 // a notification the parent answers TRUE
    std::vector<int> trackWidths;      // widths of HDN_TRACK

protected:
    void SetUp() override;
    void TearDown() override;

public:
    // A list view child of the parent at (x, y) in the parent's client area.
    HWND MakeList(DWORD style, int x = 0, int y = 0, int w = 300, int h = 200);
    void Pump() { sys::PumpUntilIdle(); }
    int Count(UINT code) const;
    int AddColumn(HWND list, int index, const char* title, int width, int fmt = LVCFMT_LEFT);
    int InsertRow(HWND list, int index, const char* text);
    BOOL SetText(HWND list, int row, int sub, const char* text);
    std::string Text(HWND list, int row, int sub, int size = 256);
    int Top(HWND list) { return static_cast<int>(SendMessage(list, LVM_GETTOPINDEX, 0, 0)); }
    RECT ItemRect(HWND list, int row, int code = LVIR_BOUNDS);
    // Screen point of a client point of hwnd.
    POINT ScreenOf(HWND hwnd, int x, int y);
    COLORREF Pixel(int x, int y) const;
    // Windows-relative rectangle of a window's bar in screen coordinates.
    RECT ScreenBar(HWND hwnd, bool vertical);

    static LRESULT ParentProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static ListViewTest* current;
};

} // namespace corvane::test
