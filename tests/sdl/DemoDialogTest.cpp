// End to end on a real X server: a dialog program made with the framework,
// driven from outside with xdotool like a user would, checked on its output,
// on the X server's idea of its window and on screenshots.
#include "platform/gfx/Png.h"
#include "platform/system/window/SysMetrics.h"
#include "tests/sdl/ChildProgram.h"
#include "tests/sdl/ScreenCapture.h"
#include "tests/sdl/XvfbSession.h"
#include "tests/support/TestPaths.h"

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <poll.h>
#include <set>
#include <sstream>

namespace corvane::test {
namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;

RECT ParseRect(const std::string& line)
{
    std::istringstream in(line);
    std::string name;
    long l = 0, t = 0, r = 0, b = 0;
    in >> name >> l >> t >> r >> b;
    return RECT{static_cast<LONG>(l), static_cast<LONG>(t), static_cast<LONG>(r), static_cast<LONG>(b)};
}

RECT Offset(RECT r, int dx, int dy)
{
    return RECT{r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
}

gfx::Pixel PixelOf(COLORREF c)
{
    return static_cast<gfx::Pixel>((c & 0xFF) << 16 | (c & 0xFF00) | (c >> 16 & 0xFF));
}

// Columns inside the rectangle holding a dark pixel: text covers many, a caret one.
int DarkColumns(const gfx::Surface& shot, const RECT& r)
{
    int columns = 0;
    for (int x = r.left; x < r.right; ++x)
        for (int y = r.top; y < r.bottom; ++y) {
            gfx::Pixel p = shot.At(x, y);
            if ((p >> 16 & 0xFF) < 0x60 && (p >> 8 & 0xFF) < 0x60 && (p & 0xFF) < 0x60) {
                ++columns;
                break;
            }
        }
    return columns;
}

// The inside of an edit box, clear of its sunken border.
RECT Inside(const RECT& edit)
{
    return RECT{edit.left + 3, edit.top + 3, edit.right - 3, edit.bottom - 3};
}

std::string Str(int v)
{
    return std::to_string(v);
}

class DemoDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!XvfbSession::XvfbInstalled()) GTEST_SKIP() << "Xvfb is not installed: the end-to-end test cannot run here";
        ASSERT_TRUE(XvfbSession::ToolInstalled("xdotool")) << "xdotool is needed to drive the program";
        ASSERT_TRUE(XvfbSession::ToolInstalled("import")) << "ImageMagick's import is needed for screenshots";
        std::string error;
        m_session = XvfbSession::Start(kWidth, kHeight, &error);
        ASSERT_TRUE(m_session) << error;
        ASSERT_TRUE(m_session->Xdotool({"mousemove", "790", "590"}));
        ASSERT_TRUE(CaptureScreen(*m_session, &m_background, &error)) << error;
    }

    // Keeps the screenshot for looking at: in CORVANE_SCREENSHOT_DIR when set.
    void Keep(const gfx::Surface& shot, const std::string& name)
    {
        const char* dir = std::getenv("CORVANE_SCREENSHOT_DIR");
        std::string path = (dir && *dir ? std::string(dir) : ScratchDir()) + "/" + name + ".png";
        std::string error;
        EXPECT_TRUE(gfx::WritePngFile(shot, path, false, &error)) << error;
    }

    gfx::Surface ScreenWhen(const std::function<bool(const gfx::Surface&)>& accept)
    {
        gfx::Surface shot;
        CaptureScreenUntil(*m_session, accept, &shot, 5000);
        return shot;
    }

    bool Xdo(const std::vector<std::string>& args) { return m_session->Xdotool(args); }

    // The X server's position of the program's window, by its title.
    bool NativePosition(POINT* out)
    {
        CommandResult r = m_session->Run({"xdotool", "search", "--name", "Corvane demo dialog", "getwindowgeometry"});
        std::size_t at = r.output.find("Position: ");
        if (r.exitCode != 0 || at == std::string::npos) return false;
        int x = 0, y = 0;
        if (std::sscanf(r.output.c_str() + at, "Position: %d,%d", &x, &y) != 2) return false;
        *out = POINT{x, y};
        return true;
    }

    std::unique_ptr<XvfbSession> m_session;
    gfx::Surface m_background;
};

TEST_F(DemoDialogTest, ClickTypeDragAndCloseADialogOnTheRealDesktop)
{
    std::string error;
    std::unique_ptr<ChildProgram> demo = ChildProgram::Start({CORVANE_SDL_DEMO}, m_session->Display(), &error);
    ASSERT_TRUE(demo) << error;
    ASSERT_TRUE(demo->WaitForLine("ready", 20000)) << "the demo did not show its dialog";
    std::map<std::string, RECT> at;
    for (const std::string& line : demo->Lines())
        for (const char* name : {"window", "client", "edit", "fill", "close"})
            if (line.rfind(std::string(name) + " ", 0) == 0) at[name] = ParseRect(line);
    ASSERT_EQ(at.size(), 5u);
    const RECT window = at["window"], client = at["client"], edit = at["edit"];
    EXPECT_EQ(window.left, 100);
    EXPECT_EQ(window.top, 100);

    // The dialog as drawn: its face, the white edit box, the desktop around it.
    const gfx::Pixel face = PixelOf(GetSysColor(COLOR_BTNFACE));
    const gfx::Pixel white = PixelOf(GetSysColor(COLOR_WINDOW));
    gfx::Surface shot = ScreenWhen([&](const gfx::Surface& s) {
        return s.At(client.left + 2, client.bottom - 2) == face && s.At(edit.left + 4, edit.bottom - 4) == white;
    });
    Keep(shot, "demo-1-shown");
    EXPECT_EQ(shot.At(client.left + 2, client.bottom - 2), face);
    EXPECT_EQ(shot.At(client.right - 2, client.top + 40), face);
    EXPECT_EQ(shot.At(edit.left + 4, edit.bottom - 4), white);
    EXPECT_EQ(shot.At(edit.right - 4, edit.top + 4), white);
    EXPECT_EQ(shot.At(window.left - 1, window.top + 10), m_background.At(window.left - 1, window.top + 10));
    EXPECT_EQ(shot.At(window.right, window.bottom - 1), m_background.At(window.right, window.bottom - 1));
    EXPECT_NE(shot.At(window.right - 1, window.bottom - 1), m_background.At(window.right - 1, window.bottom - 1));
    // The caption band between frame and client is neither face nor desktop.
    gfx::Pixel caption = shot.At(window.left + 40, (window.top + client.top) / 2);
    EXPECT_NE(caption, face);
    EXPECT_LE(DarkColumns(shot, Inside(edit)), 2) << "the edit box should hold no text yet";

    // Idle with a 100 ms timer running: the program sleeps between ticks. A
    // generous bound on processor time over a second, not a speed test.
    double cpuBefore = demo->CpuSeconds();
    ASSERT_GE(cpuBefore, 0.0);
    poll(nullptr, 0, 1000);
    double idleCpu = demo->CpuSeconds() - cpuBefore;
    EXPECT_LT(idleCpu, 0.15) << "the idle program used " << idleCpu << " s of processor time in a second";

    // The button fills the edit box: the program says so, and the text shows.
    const RECT fill = at["fill"];
    ASSERT_TRUE(Xdo({"mousemove", Str((fill.left + fill.right) / 2), Str((fill.top + fill.bottom) / 2), "click", "1"}));
    ASSERT_TRUE(demo->WaitForLine("fill clicked", 5000)) << "the click on the button did not arrive";
    shot = ScreenWhen([&](const gfx::Surface& s) { return DarkColumns(s, Inside(edit)) >= 8; });
    Keep(shot, "demo-2-filled");
    EXPECT_GE(DarkColumns(shot, Inside(edit)), 8) << "the filled text does not show in the edit box";

    // Typing into the edit box, after the text already there.
    ASSERT_TRUE(Xdo({"mousemove", Str(edit.right - 6), Str((edit.top + edit.bottom) / 2), "click", "1"}));
    ASSERT_TRUE(Xdo({"key", "End"}));
    ASSERT_TRUE(Xdo({"type", "--delay", "40", " typed"}));
    int filledColumns = DarkColumns(shot, Inside(edit));
    shot = ScreenWhen([&](const gfx::Surface& s) { return DarkColumns(s, Inside(edit)) > filledColumns + 8; });
    Keep(shot, "demo-3-typed");
    EXPECT_GT(DarkColumns(shot, Inside(edit)), filledColumns + 8) << "the typed text does not show";

    // Copy all of it to the desktop's clipboard and paste it back at the end.
    ASSERT_TRUE(Xdo({"key", "shift+Home", "ctrl+c", "End", "ctrl+v"}));

    // Dragging the caption moves the window, on the X server and on screen.
    const int dx = 150, dy = 90;
    POINT grab{window.left + 40, (window.top + client.top) / 2};
    std::vector<std::string> drag = {"mousemove", Str(grab.x), Str(grab.y), "mousedown", "1"};
    for (int i = 1; i <= 10; ++i)
        drag.insert(drag.end(), {"mousemove", Str(grab.x + dx * i / 10), Str(grab.y + dy * i / 10), "sleep", "0.03"});
    drag.insert(drag.end(), {"mouseup", "1"});
    ASSERT_TRUE(Xdo(drag));
    POINT native{0, 0};
    for (int i = 0; i < 100 && !(NativePosition(&native) && native.x == window.left + dx); ++i)
        poll(nullptr, 0, 20);
    EXPECT_EQ(native.x, window.left + dx);
    EXPECT_EQ(native.y, window.top + dy);
    const RECT movedEdit = Offset(edit, dx, dy), movedClient = Offset(client, dx, dy);
    shot = ScreenWhen([&](const gfx::Surface& s) {
        return s.At(movedEdit.left + 4, movedEdit.bottom - 4) == white &&
               s.At(window.left + 2, window.top + 2) == m_background.At(window.left + 2, window.top + 2);
    });
    Keep(shot, "demo-4-moved");
    EXPECT_EQ(shot.At(movedClient.left + 2, movedClient.bottom - 2), face);
    EXPECT_EQ(shot.At(movedEdit.left + 4, movedEdit.bottom - 4), white);
    EXPECT_GT(DarkColumns(shot, Inside(movedEdit)), filledColumns + 8);
    EXPECT_EQ(shot.At(window.left + 2, window.top + 2), m_background.At(window.left + 2, window.top + 2));
    EXPECT_EQ(shot.At(window.left + dx - 1, window.top + dy + 10),
              m_background.At(window.left + dx - 1, window.top + dy + 10));

    // Close: the program reports where it ended and what the edit box holds, and exits 0.
    const RECT close = Offset(at["close"], dx, dy);
    ASSERT_TRUE(
        Xdo({"mousemove", Str((close.left + close.right) / 2), Str((close.top + close.bottom) / 2), "click", "1"}));
    int code = -1;
    ASSERT_TRUE(demo->WaitForExit(10000, &code)) << "the demo did not end after Close";
    EXPECT_EQ(code, 0);
    std::set<std::string> lines(demo->Lines().begin(), demo->Lines().end());
    EXPECT_TRUE(lines.count("text [filled typedfilled typed]")) << "the edit box did not get the typed and pasted text";
    EXPECT_TRUE(lines.count("moved to " + Str(window.left + dx) + " " + Str(window.top + dy)));
    EXPECT_TRUE(lines.count("closed"));
    // Over two seconds of ticks every 100 ms, counted generously.
    int ticks = 0;
    for (const std::string& line : demo->Lines())
        if (line.rfind("ticks ", 0) == 0) ticks = std::atoi(line.c_str() + 6);
    EXPECT_GE(ticks, 10) << "the timer did not keep ticking while the program waited";
    shot = ScreenWhen([&](const gfx::Surface& s) {
        return s.At(movedEdit.left + 4, movedEdit.bottom - 4) ==
               m_background.At(movedEdit.left + 4, movedEdit.bottom - 4);
    });
    EXPECT_EQ(shot.At(movedEdit.left + 4, movedEdit.bottom - 4),
              m_background.At(movedEdit.left + 4, movedEdit.bottom - 4));
}

} // namespace
} // namespace corvane::test
