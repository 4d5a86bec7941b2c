// The real corvane program on a private X server, driven like a person would:
// one Xvfb for the test program, a fresh program per test started in a
// working folder that holds a small log, clicks and keys through xdotool, and
// pixels read from the server. Every wait polls and is bounded.
#pragma once

#include "platform/base/Geometry.h"
#include "platform/gfx/Surface.h"
#include "tests/e2e/ChildProcess.h"
#include "tests/e2e/ScreenGrab.h"
#include "tests/sdl/XvfbSession.h"

#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace corvane::test {

// The log every test opens: a header line, then three lines of one crawler
// with statuses 200, 404 and 301, one line each of two others, and a browser's.
extern const char kSampleName[];
std::string SampleLog();
constexpr int kSampleRecords = 7;

enum CaptionButton { kClose, kMaximize, kMinimize, kHelp };

class CorvaneRun : public ::testing::Test {
public:
    static void SetUpTestSuite();
    static void TearDownTestSuite();

protected:
    void SetUp() override;
    void TearDown() override;

    // Starts the program (with args after its name) in a fresh working folder
    // holding the sample and waits for its painted window. Call through
    // ASSERT_NO_FATAL_FAILURE.
    void Launch(const std::vector<std::string>& args = {});
    // "打开...", then the sample's name typed into the open-file dialog, then Enter.
    void OpenSample();
    // Clicks the close caption button; the program must end by itself with status 0.
    void CloseAndExpectCleanExit();

    // The window's place now, from the X server.
    bool ReadGeometry(CRect* out) const;
    // Template rectangles (dialog units) on the screen, from the window's size.
    CRect DialogRect(int x, int y, int cx, int cy) const;
    CRect OpenButton() const { return DialogRect(367, 13, 50, 14); }
    CRect TabControl() const { return DialogRect(13, 35, 402, 165); }
    CRect Caption(CaptionButton b) const;
    // A caption point away from the buttons.
    CPoint CaptionRest() const { return CPoint(m_window.left + m_window.Width() / 3, m_window.top + 10); }
    // The tab items, found in the strip's pixels.
    std::vector<CRect> Tabs();
    // The visible page's list at rest (its black border), found in the pixels.
    bool ListAtRest(CRect* out);
    // Clicks tab i and waits until its page rests.
    void ChooseTab(int i);
    bool WaitForPageAtRest(int timeoutMs = 5000);

    bool Xdo(const std::vector<std::string>& args) const;
    std::string XdoOutput(const std::vector<std::string>& args) const;
    // Shown windows with a name (the root window has none).
    std::vector<std::string> VisibleWindows() const;
    void Click(CPoint p) const;
    void MoveTo(CPoint p) const;
    bool Grab(const CRect& r, gfx::Surface* out) const;
    gfx::Surface GrabWindow() const;
    // Polls until done holds; false when the time ran out.
    static bool WaitUntil(const std::function<bool()>& done, int timeoutMs);
    // Writes the screen as name.png into the scratch folder, and into
    // $CORVANE_SHOT_DIR when set, so a person can look at it.
    void SaveScreen(const std::string& name) const;

    static XvfbSession* Session() { return s_session.get(); }
    // The window manager the suite runs under ($CORVANE_E2E_WINDOW_MANAGER, such
    // as openbox); empty for the bare server.
    static const std::string& WindowManager() { return s_windowManagerName; }

    std::unique_ptr<ChildProcess> m_app;
    std::string m_windowId;
    CRect m_window;
    std::string m_workDir;

private:
    static void StartWindowManager(const std::string& path);

    static std::unique_ptr<XvfbSession> s_session;
    static std::unique_ptr<ChildProcess> s_windowManager;
    static std::string s_windowManagerName;
    static std::unique_ptr<ScreenGrabber> s_grabber;
    static std::string s_skipReason; // a tool is missing
    static std::string s_startError; // Xvfb is there but did not start
};

// Where the program is; set by the build.
std::string CorvaneBinary();

} // namespace corvane::test
