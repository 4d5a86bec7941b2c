// The main dialog on a headless desktop: made modeless for looking at its state
// and frame, or run modally with a script that plays the user's part whenever a
// loop (the dialog's own, the open-file dialog's, a message box's, the About
// box's) waits for input.
#pragma once

#include "app/Corvane.h"
#include "app/CorvaneDlg.h"
#include "pages/FDlg.h"
#include "pages/SDlg.h"
#include "platform/display/HeadlessBackend.h"
#include "platform/system/Windows.h"
#include "platform/system/window/Desktop.h"

#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

// Rectangles in failure messages.
inline void PrintTo(const CRect& r, std::ostream* os)
{
    *os << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}

namespace apptest {

using Step = std::function<void()>;

class AppTest : public ::testing::Test {
public:
    display::HeadlessBackend screen;
    std::unique_ptr<CCorvaneDlg> dlg;

protected:
    void SetUp() override;
    void TearDown() override;

public:
    // Creates the main dialog modeless, as the application's main window
    // (made takes the place of a plain CCorvaneDlg).
    void Open(CCorvaneDlg* made = nullptr);
    void Pump() { sys::PumpUntilIdle(); }
    // Runs body; each step runs when a loop inside it has nothing left to do.
    // Fails the test when a loop starved before the steps were used up or
    // steps were left over.
    void Script(std::vector<Step> steps, const Step& body);
    // The dialog's modal run, scripted; its result.
    INT_PTR RunModal(std::vector<Step> steps);

    void Key(unsigned vk);
    void ClickAt(int x, int y);
    void ClickCenter(HWND hwnd);
    // Chooses tab i with a real click and lets its page slide to rest.
    void ChooseTab(int i);
    // Opens path through the "打开..." button and the open-file dialog's name box;
    // extra steps run after the dialog is answered (a message box, say).
    void OpenThroughDialog(const std::string& path, std::vector<Step> after = {});

    CListCtrlCl& List(int page) const;
    std::vector<std::string> Row(int page, int row) const;
    // Everything a person sees of a load: the path box, then every row of
    // every page, each led by its page number.
    std::vector<std::vector<std::string>> Everything() const;
    std::string Text(HWND hwnd) const;
    CRect WindowRect(HWND hwnd) const;
    COLORREF ScreenPixel(int x, int y) const;
    // A pixel of the main window, in window coordinates.
    COLORREF WindowPixel(int x, int y) const;
    // The pixels of a caption bitmap, row by row.
    static std::vector<COLORREF> BitmapPixels(UINT id);
    // Whether the 16 x 15 pixels at r (screen coordinates) show bitmap id.
    ::testing::AssertionResult Shows(const CRect& r, UINT id) const;
};

// The active top-level window's caption; empty when none is active.
std::string ActiveCaption();
// The texts of the active window's children, joined by '|'.
std::string ActiveTexts();

} // namespace apptest
