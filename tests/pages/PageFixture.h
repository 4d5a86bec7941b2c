// A headless desktop with the program's resources registered and a framework
// parent window for the page dialogs, plus logs made from lines for the fills.
#pragma once

#include "analysis/LogLoad.h"
#include "pages/FDlg.h"
#include "pages/SDlg.h"
#include "platform/display/HeadlessBackend.h"
#include "platform/framework/Afxwin.h"
#include "platform/system/CommCtrl.h"
#include "platform/system/Windows.h"
#include "platform/system/window/Desktop.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace pagestest {

class PageTest : public ::testing::Test {
public:
    static constexpr int kParentW = 620;
    static constexpr int kParentH = 260;

    display::HeadlessBackend screen;
    CWnd parent;

protected:
    void SetUp() override;
    void TearDown() override;

public:
    void Pump() { sys::PumpUntilIdle(); }
    // Creates the page as a child of the parent, at its top-left, shown.
    void Show(CDialog& page, UINT nIDTemplate);
    COLORREF Pixel(HWND hwnd, int x, int y) const;
    // The header height the system proposes for the list's header (factor 1).
    static int ProposedHeaderHeight(CListCtrlCl& list);
};

// A load whose records are exactly `lines`, in order: the first line of the
// text holds the markers the lines lack, so the marker count comes out right.
LogLoad LoadOfLines(const std::vector<std::string>& lines);

// A combined-format line: address, time, request target, status, size, agent.
std::string LogLineOf(const std::string& ip, const std::string& target, const std::string& status,
                      const std::string& size, const std::string& agent);

} // namespace pagestest
