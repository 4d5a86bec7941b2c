#include "tests/e2e/CorvaneRun.h"

#include "platform/gfx/Png.h"
#include "tests/e2e/ScreenScan.h"
#include "tests/support/TestPaths.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <poll.h>
#include <sstream>
#include <unistd.h>

namespace corvane::test {

namespace fs = std::filesystem;

const char kSampleName[] = "crawlers.log";

std::string SampleLog()
{
    auto line = [](const char* ip, const char* url, const char* status, const char* agent) {
        return std::string(ip) + " - - [14/Mar/2024:08:01:24 -0700] \"GET " + url + " HTTP/1.1\" " + status +
               " 512 \"-\" \"Mozilla/5.0 (compatible; " + agent + ")\"\n";
    };
    return "#fields - - of this log\n" + line("192.0.2.1", "/a", "200", "Baiduspider/2.0") +
           line("192.0.2.2", "/b", "200", "Googlebot/2.1") + line("192.0.2.3", "/c", "404", "Baiduspider/2.0") +
           line("192.0.2.4", "/d", "404", "bingbot/2.0") + line("192.0.2.5", "/e", "301", "Baiduspider/2.0") +
           line("192.0.2.6", "/f", "200", "Firefox/115.0");
}

std::string CorvaneBinary()
{
    return CORVANE_BINARY;
}

std::unique_ptr<XvfbSession> CorvaneRun::s_session;
std::unique_ptr<ChildProcess> CorvaneRun::s_windowManager;
std::string CorvaneRun::s_windowManagerName;
std::unique_ptr<ScreenGrabber> CorvaneRun::s_grabber;
std::string CorvaneRun::s_skipReason;
std::string CorvaneRun::s_startError;

namespace {

constexpr gfx::Pixel kFrame = 0xBBC88F;
constexpr gfx::Pixel kBackground = 0xECE9D8;
// The dialog's classic frame and caption: SM_CXDLGFRAME, SM_CYDLGFRAME, SM_CYCAPTION.
constexpr int kDlgFrame = 3;
constexpr int kCaption = 19;
// Template 102's size in dialog units.
constexpr int kTemplateWidth = 431;
constexpr int kTemplateHeight = 206;

// The program's path on PATH, or empty.
std::string FindProgram(const std::string& name)
{
    const char* path = std::getenv("PATH");
    std::istringstream dirs(path ? path : "/usr/bin:/bin");
    for (std::string dir; std::getline(dirs, dir, ':');) {
        std::string candidate = dir + "/" + name;
        if (!dir.empty() && access(candidate.c_str(), X_OK) == 0) return candidate;
    }
    return std::string();
}

int Field(const std::string& shell, const std::string& name)
{
    std::istringstream in(shell);
    for (std::string line; std::getline(in, line);)
        if (line.rfind(name + "=", 0) == 0) return std::atoi(line.c_str() + name.size() + 1);
    return -1;
}

} // namespace

void CorvaneRun::SetUpTestSuite()
{
    if (!XvfbSession::XvfbInstalled()) {
        s_skipReason = "Xvfb is not installed";
        return;
    }
    if (!XvfbSession::ToolInstalled("xdotool")) {
        s_skipReason = "xdotool is not installed";
        return;
    }
    const char* manager = std::getenv("CORVANE_E2E_WINDOW_MANAGER");
    s_windowManagerName = manager ? manager : "";
    std::string managerPath = s_windowManagerName.empty() ? "" : FindProgram(s_windowManagerName);
    if (!s_windowManagerName.empty() && managerPath.empty()) {
        s_skipReason = s_windowManagerName + " is not installed";
        return;
    }
    s_session = XvfbSession::Start(1024, 768, &s_startError);
    if (!s_session) return; // SetUp fails with the reason
    s_grabber = std::make_unique<ScreenGrabber>(s_session->Display());
    if (!managerPath.empty()) StartWindowManager(managerPath);
}

void CorvaneRun::StartWindowManager(const std::string& path)
{
    std::vector<std::string> env = CurrentEnvironment();
    SetVariable(&env, "DISPLAY", s_session->Display());
    std::vector<std::string> argv = {path};
    if (s_windowManagerName == "openbox") argv.push_back("--sm-disable");
    s_windowManager =
        ChildProcess::Start(argv, ScratchDir(), env, ScratchDir() + "/" + s_windowManagerName + ".out", &s_startError);
    if (!s_windowManager) {
        s_session.reset();
        return;
    }
    // Managing once it names its check window on the root.
    bool managing = WaitUntil(
        [] {
            CommandResult r = s_session->Run({"xprop", "-root", "_NET_SUPPORTING_WM_CHECK"}, 5000);
            return r.output.find("window id #") != std::string::npos;
        },
        15000);
    if (!managing) {
        s_startError = s_windowManagerName + " did not take the display: " + s_windowManager->Output();
        s_windowManager.reset();
        s_session.reset();
    }
}

void CorvaneRun::TearDownTestSuite()
{
    s_windowManager.reset();
    s_grabber.reset();
    s_session.reset();
}

void CorvaneRun::SetUp()
{
    if (!s_skipReason.empty()) GTEST_SKIP() << s_skipReason;
    ASSERT_TRUE(s_session) << s_startError;
    ASSERT_TRUE(s_grabber && s_grabber->Ok()) << "cannot read the screen of " << s_session->Display();
}

void CorvaneRun::TearDown()
{
    if (m_app && m_app->Running()) m_app->Kill();
    // The next program must not find this one's pointer over its window.
    if (s_session) MoveTo(CPoint(1000, 750));
}

void CorvaneRun::Launch(const std::vector<std::string>& args)
{
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    m_workDir = ScratchDir() + "/" + info->name();
    fs::create_directories(m_workDir);
    {
        std::ofstream out(m_workDir + "/" + kSampleName, std::ios::binary | std::ios::trunc);
        out << SampleLog();
    }
    std::vector<std::string> env = CurrentEnvironment();
    SetVariable(&env, "DISPLAY", s_session->Display());
    RemoveVariable(&env, "WAYLAND_DISPLAY");
    std::string error;
    // The output lies outside the working folder, which the open-file dialog lists.
    std::vector<std::string> argv{CorvaneBinary()};
    argv.insert(argv.end(), args.begin(), args.end());
    m_app = ChildProcess::Start(argv, m_workDir, env, ScratchDir() + "/" + info->name() + ".out", &error);
    ASSERT_TRUE(m_app) << error;

    bool found = WaitUntil(
        [&] {
            if (!m_app->Running()) return true;
            // The first window found may still be replaced while the program
            // sets itself up: search again until its geometry can be read.
            std::istringstream ids(XdoOutput({"search", "--onlyvisible", "--name", "^Corvane1\\.0 -- Dalmor$"}));
            m_windowId.clear();
            return static_cast<bool>(ids >> m_windowId) && ReadGeometry(&m_window);
        },
        20000);
    ASSERT_TRUE(m_app->Running()) << "the program ended (" << m_app->Describe() << "): " << m_app->Output();
    ASSERT_TRUE(found && !m_windowId.empty()) << "no window named Corvane1.0 -- Dalmor appeared";
    ASSERT_GT(m_window.Width(), 300);
    // Painted: the olive caption band and the flat client background. A window
    // manager may still place the window after it was found: read its place anew.
    CRect before;
    bool painted = WaitUntil(
        [&] {
            before = m_window;
            if (!ReadGeometry(&m_window) || m_window != before) return false;
            gfx::Surface w = GrabWindow();
            return (w.At(w.Width() / 2, 1) & 0xFFFFFF) == kFrame &&
                   (w.At(w.Width() / 2, kDlgFrame + kCaption + 4) & 0xFFFFFF) == kBackground;
        },
        10000);
    ASSERT_TRUE(painted) << "the window was never painted";
}

void CorvaneRun::OpenSample()
{
    std::vector<std::string> before = VisibleWindows();
    Click(OpenButton().CenterPoint());
    std::string dialog;
    ASSERT_TRUE(WaitUntil(
        [&] {
            for (const std::string& id : VisibleWindows())
                if (id != m_windowId) dialog = id;
            return !dialog.empty();
        },
        10000))
        << "no open-file dialog appeared";
    // The dialog opens in the working folder, so the bare name is enough.
    ASSERT_TRUE(Xdo({"type", "--delay", "15", kSampleName}));
    ASSERT_TRUE(Xdo({"key", "Return"}));
    bool closed = WaitUntil([&] { return VisibleWindows().size() == 1; }, 10000);
    if (!closed) SaveScreen("e2e-open-failed");
    ASSERT_TRUE(closed) << "the dialog stayed open";
}

void CorvaneRun::CloseAndExpectCleanExit()
{
    Click(Caption(kClose).CenterPoint());
    bool ended = m_app->WaitForExit(20000);
    EXPECT_TRUE(ended) << "the program did not end after the close button";
    if (!ended) return;
    EXPECT_EQ(m_app->ExitCode(), 0) << m_app->Describe() << "\n" << m_app->Output();
}

bool CorvaneRun::ReadGeometry(CRect* out) const
{
    std::string shell = XdoOutput({"getwindowgeometry", "--shell", m_windowId});
    int x = Field(shell, "X"), y = Field(shell, "Y"), w = Field(shell, "WIDTH"), h = Field(shell, "HEIGHT");
    if (w <= 0 || h <= 0) return false;
    *out = CRect(x, y, x + w, y + h);
    return true;
}

CRect CorvaneRun::DialogRect(int x, int y, int cx, int cy) const
{
    // The dialog's base units follow from its size, as its template was laid out with them.
    int clientW = m_window.Width() - 2 * kDlgFrame;
    int clientH = m_window.Height() - 2 * kDlgFrame - kCaption;
    int bx = (clientW * 4 + kTemplateWidth / 2) / kTemplateWidth;
    int by = (clientH * 8 + kTemplateHeight / 2) / kTemplateHeight;
    auto mx = [bx](int v) { return (v * bx + 2) / 4; };
    auto my = [by](int v) { return (v * by + 4) / 8; };
    int left = m_window.left + kDlgFrame + mx(x);
    int top = m_window.top + kDlgFrame + kCaption + my(y);
    return CRect(left, top, left + mx(cx), top + my(cy));
}

CRect CorvaneRun::Caption(CaptionButton b) const
{
    // 16 x 15 each, 3 apart, from the right frame (4 wide) leftwards, one above the frame's height.
    int right = m_window.right - 4 - static_cast<int>(b) * 19;
    return CRect(right - 16, m_window.top + 3, right, m_window.top + 18);
}

std::vector<CRect> CorvaneRun::Tabs()
{
    CRect strip = TabControl();
    gfx::Surface s;
    std::vector<CRect> tabs;
    if (!Grab(strip, &s)) return tabs;
    // Each item's top edge is a white line; the chosen item stands two pixels higher.
    for (const Span& run : WhiteRuns(s, 0, 6, 0, s.Width(), 20))
        tabs.emplace_back(strip.left + run.from, strip.top + 2, strip.left + run.to, strip.top + 20);
    return tabs;
}

bool CorvaneRun::ListAtRest(CRect* out)
{
    CRect tab = TabControl();
    gfx::Surface s;
    if (!Grab(tab, &s)) return false;
    // Pages rest 4 pixels inside the control; the list fills the page from its left edge.
    const int left = 4;
    const int y = s.Height() / 2;
    if (!BlackColumn(s, left, y - 1, y + 2) || BlackColumn(s, left - 1, y - 1, y + 2)) return false;
    Span rows = BlackRunThrough(s, left, y);
    int right = RightmostBlackColumn(s, CRect(left + 1, y - 1, s.Width(), y + 2));
    if (right < 0) return false;
    *out = CRect(tab.left + left, tab.top + rows.from, tab.left + right + 1, tab.top + rows.to);
    return true;
}

bool CorvaneRun::WaitForPageAtRest(int timeoutMs)
{
    // At rest, and the same in three grabs in a row.
    gfx::Surface last;
    int same = 0;
    return WaitUntil(
        [&] {
            CRect list;
            gfx::Surface now;
            if (!ListAtRest(&list) || !Grab(TabControl(), &now)) {
                same = 0;
                return false;
            }
            same = DifferentPixels(now, last) == 0 ? same + 1 : 0;
            last = std::move(now);
            return same >= 2;
        },
        timeoutMs);
}

void CorvaneRun::ChooseTab(int i)
{
    std::vector<CRect> tabs = Tabs();
    ASSERT_EQ(tabs.size(), 7u) << "the tab strip does not show seven tabs";
    // The page at rest before the click would pass for the new one: wait until
    // the click shows (a tab chosen again changes nothing, hence the bound).
    gfx::Surface before;
    bool grabbed = Grab(TabControl(), &before);
    Click(tabs[static_cast<std::size_t>(i)].CenterPoint());
    if (grabbed) {
        WaitUntil(
            [&] {
                gfx::Surface now;
                return Grab(TabControl(), &now) && DifferentPixels(now, before) > 0;
            },
            3000);
    }
    ASSERT_TRUE(WaitForPageAtRest()) << "page " << i << " did not come to rest";
}

bool CorvaneRun::Xdo(const std::vector<std::string>& args) const
{
    return s_session->Xdotool(args);
}

std::string CorvaneRun::XdoOutput(const std::vector<std::string>& args) const
{
    std::vector<std::string> argv = {"xdotool"};
    argv.insert(argv.end(), args.begin(), args.end());
    CommandResult r = s_session->Run(argv, 10000);
    return r.output;
}

std::vector<std::string> CorvaneRun::VisibleWindows() const
{
    std::vector<std::string> ids;
    std::istringstream in(XdoOutput({"search", "--onlyvisible", "--name", "."}));
    for (std::string id; in >> id;)
        ids.push_back(id);
    return ids;
}

void CorvaneRun::Click(CPoint p) const
{
    EXPECT_TRUE(Xdo({"mousemove", std::to_string(p.x), std::to_string(p.y), "click", "1"}));
}

void CorvaneRun::MoveTo(CPoint p) const
{
    EXPECT_TRUE(Xdo({"mousemove", std::to_string(p.x), std::to_string(p.y)}));
}

bool CorvaneRun::Grab(const CRect& r, gfx::Surface* out) const
{
    return s_grabber && s_grabber->Grab(r, out);
}

gfx::Surface CorvaneRun::GrabWindow() const
{
    gfx::Surface s;
    Grab(m_window, &s);
    return s;
}

bool CorvaneRun::WaitUntil(const std::function<bool()>& done, int timeoutMs)
{
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        if (done()) return true;
        if (std::chrono::steady_clock::now() >= deadline) return false;
        poll(nullptr, 0, 10);
    }
}

void CorvaneRun::SaveScreen(const std::string& name) const
{
    gfx::Surface screen;
    if (!s_grabber || !s_grabber->GrabScreen(&screen)) return;
    std::string error;
    EXPECT_TRUE(gfx::WritePngFile(screen, ScratchDir() + "/" + name + ".png", false, &error)) << error;
    if (const char* dir = std::getenv("CORVANE_SHOT_DIR")) {
        EXPECT_TRUE(gfx::WritePngFile(screen, std::string(dir) + "/" + name + ".png", false, &error)) << error;
    }
}

} // namespace corvane::test
