// The desktop as a whole: opening it (and failing clearly without one), its
// size, the clock and waiting, the clipboard.
#include "tests/sdl/SdlFixture.h"

#include <cstdlib>
#include <time.h>

namespace corvane::test {
namespace {

using DesktopTest = SdlFixture;

double CpuSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

// Restores an environment variable when the test ends.
class EnvGuard {
public:
    explicit EnvGuard(const char* name) : m_name(name)
    {
        const char* v = std::getenv(name);
        m_had = v != nullptr;
        if (v) m_value = v;
    }
    ~EnvGuard()
    {
        if (m_had)
            setenv(m_name, m_value.c_str(), 1);
        else
            unsetenv(m_name);
    }

private:
    const char* m_name;
    bool m_had = false;
    std::string m_value;
};

TEST_F(DesktopTest, WithoutADisplayOpeningFailsClearlyInsteadOfShowingNothing)
{
    m_backend.reset();
    EnvGuard display("DISPLAY"), driver("SDL_VIDEODRIVER"), wayland("WAYLAND_DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
    unsetenv("SDL_VIDEODRIVER");
    // No server listens on this display number.
    setenv("DISPLAY", ":417", 1);
    std::string error;
    std::unique_ptr<display::Backend> none = display::OpenDesktopBackend(&error);
    EXPECT_FALSE(none);
    EXPECT_NE(error.find("needs a graphical desktop"), std::string::npos) << error;
    EXPECT_NE(error.find("no display could be opened"), std::string::npos) << error;
    EXPECT_NE(error.find(":417"), std::string::npos) << error;

    // A display exists, but only an invisible driver is allowed to start.
    Session()->Export();
    setenv("SDL_VIDEODRIVER", "offscreen", 1);
    error.clear();
    none = display::OpenDesktopBackend(&error);
    EXPECT_FALSE(none);
    EXPECT_NE(error.find("offscreen"), std::string::npos) << error;

    // After those failures the real desktop still opens.
    unsetenv("SDL_VIDEODRIVER");
    std::unique_ptr<display::Backend> real = display::OpenDesktopBackend(&error);
    ASSERT_TRUE(real) << error;
    EXPECT_TRUE(error.empty());
    // Only one desktop per program.
    std::string second;
    EXPECT_FALSE(display::OpenDesktopBackend(&second));
    EXPECT_NE(second.find("already open"), std::string::npos) << second;
    EXPECT_FALSE(display::OpenDesktopBackend(nullptr));
}

TEST_F(DesktopTest, ScreenAndWorkAreaAreTheServersScreen)
{
    EXPECT_EQ(m_backend->DriverName(), "x11");
    RECT screen = m_backend->ScreenRect();
    EXPECT_EQ(screen.left, 0);
    EXPECT_EQ(screen.top, 0);
    EXPECT_EQ(screen.right, kScreenWidth);
    EXPECT_EQ(screen.bottom, kScreenHeight);
    RECT work = m_backend->WorkArea();
    EXPECT_GE(work.left, screen.left);
    EXPECT_GE(work.top, screen.top);
    EXPECT_LE(work.right, screen.right);
    EXPECT_LE(work.bottom, screen.bottom);
    EXPECT_GT(work.right - work.left, 0);
}

TEST_F(DesktopTest, WaitingSleepsUntilTheDeadlineAndWakesForInput)
{
    display::WindowId id = SolidWindow(RECT{100, 100, 300, 300}, 0x123456);
    Pump(50);
    display::Event e;
    while (m_backend->PollEvent(&e)) {
    }
    // Nothing happens: the wait ends at its deadline, using next to no processor.
    std::uint64_t start = m_backend->NowMs();
    double cpuBefore = CpuSeconds();
    display::WaitResult r = m_backend->WaitEvent(start + 400);
    double cpu = CpuSeconds() - cpuBefore;
    std::uint64_t waited = m_backend->NowMs() - start;
    EXPECT_EQ(r, display::WaitResult::Timeout);
    EXPECT_GE(waited, 400u);
    EXPECT_LT(waited, 400u + 250u);
    EXPECT_LT(cpu, 0.05) << "waiting used " << cpu << " s of processor time";
    // A deadline already past returns at once.
    EXPECT_EQ(m_backend->WaitEvent(m_backend->NowMs() - 1), display::WaitResult::Timeout);

    // Input ends the wait long before a far deadline.
    ASSERT_TRUE(Session()->Xdotool({"mousemove", "150", "150"}));
    start = m_backend->NowMs();
    r = m_backend->WaitEvent(start + 5000);
    EXPECT_EQ(r, display::WaitResult::Ready);
    EXPECT_LT(m_backend->NowMs() - start, 2000u);
    ASSERT_TRUE(m_backend->PollEvent(&e));
    EXPECT_EQ(e.window, id);
    EXPECT_FALSE(m_backend->PollEvent(nullptr));
}

TEST_F(DesktopTest, ClipboardKeepsCodePage936TextAndClassicLineEnds)
{
    std::string text = "访问日志\r\nsecond line\r\n";
    m_backend->SetClipboardText(text);
    EXPECT_EQ(m_backend->GetClipboardText(), text);
    m_backend->SetClipboardText("");
    EXPECT_EQ(m_backend->GetClipboardText(), "");
    m_backend->SetClipboardText("plain");
    EXPECT_EQ(m_backend->GetClipboardText(), "plain");
}

TEST_F(DesktopTest, UnknownWindowsAndOddRectanglesAreHarmless)
{
    m_backend->MoveWindow(9999, RECT{0, 0, 10, 10});
    m_backend->ShowWindow(9999, true);
    m_backend->SetShape(9999, {RECT{0, 0, 1, 1}}, false);
    m_backend->SetTitle(9999, "x");
    m_backend->SetFocus(9999);
    m_backend->Present(9999, gfx::Surface(4, 4), {RECT{0, 0, 4, 4}});
    m_backend->DestroyWindow(9999);
    m_backend->Restack({9999, 0});
    // An empty or inverted rectangle still makes a window (of one pixel).
    display::WindowId empty = m_backend->CreateWindow(RECT{50, 50, 40, 40});
    ASSERT_NE(empty, 0u);
    m_backend->ShowWindow(empty, true);
    m_backend->Present(empty, gfx::Surface(), {RECT{0, 0, 10, 10}});
    m_backend->Present(empty, gfx::Surface(1, 1, 0xFF), {RECT{5, 5, 2, 2}});
    RECT r = m_backend->NativeRect(empty);
    EXPECT_EQ(r.right - r.left, 1);
    m_backend->DestroyWindow(empty);
    m_backend->DestroyWindow(empty);
    Pump(20);
}

} // namespace
} // namespace corvane::test
