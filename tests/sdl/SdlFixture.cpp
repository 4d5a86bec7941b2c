#include "tests/sdl/SdlFixture.h"

#include <chrono>

namespace corvane::test {

std::unique_ptr<XvfbSession> SdlFixture::s_session;
std::string SdlFixture::s_startError;

void SdlFixture::SetUpTestSuite()
{
    if (s_session || !XvfbSession::XvfbInstalled()) return;
    s_session = XvfbSession::Start(kScreenWidth, kScreenHeight, &s_startError);
}

void SdlFixture::TearDownTestSuite()
{
    s_session.reset();
}

void SdlFixture::SetUp()
{
    if (!XvfbSession::XvfbInstalled()) GTEST_SKIP() << "Xvfb is not installed: the real-window tests cannot run here";
    ASSERT_TRUE(s_session) << s_startError;
    ASSERT_TRUE(XvfbSession::ToolInstalled("xdotool")) << "xdotool is needed to drive the windows";
    ASSERT_TRUE(XvfbSession::ToolInstalled("import")) << "ImageMagick's import is needed for screenshots";
    s_session->Export();
    // Park the pointer where no test puts a window.
    ASSERT_TRUE(s_session->Xdotool({"mousemove", "1010", "750"}));
    std::string error;
    ASSERT_TRUE(CaptureScreen(*s_session, &m_background, &error)) << error;
    std::string why;
    m_backend = display::SdlBackend::Open(&why);
    ASSERT_TRUE(m_backend) << why;
}

void SdlFixture::TearDown()
{
    m_backend.reset();
}

void SdlFixture::Pump(int waitMs)
{
    display::Event e;
    m_backend->WaitEvent(m_backend->NowMs() + static_cast<std::uint64_t>(waitMs));
    while (m_backend->PollEvent(&e))
        m_events.push_back(e);
}

bool SdlFixture::PumpUntil(const std::function<bool(const std::vector<display::Event>&)>& done, int timeoutMs)
{
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        Pump(10);
        if (done(m_events)) return true;
        if (std::chrono::steady_clock::now() >= deadline) return false;
    }
}

void SdlFixture::Xdo(const std::vector<std::string>& args)
{
    ASSERT_TRUE(s_session->Xdotool(args, [this] { Pump(2); })) << "xdotool " << args.front() << " failed";
    Pump(30);
}

display::WindowId SdlFixture::SolidWindow(const RECT& rect, gfx::Pixel colour)
{
    display::WindowId id = m_backend->CreateWindow(rect);
    EXPECT_NE(id, 0u);
    gfx::Surface s(rect.right - rect.left, rect.bottom - rect.top, colour);
    m_backend->ShowWindow(id, true);
    Paint(id, s);
    return id;
}

void SdlFixture::Paint(display::WindowId id, const gfx::Surface& surface)
{
    m_backend->Present(id, surface, {RECT{0, 0, surface.Width(), surface.Height()}});
    Pump(5);
}

gfx::Surface SdlFixture::ScreenWhen(const std::function<bool(const gfx::Surface&)>& accept, int timeoutMs)
{
    gfx::Surface shot;
    CaptureScreenUntil(*s_session, accept, &shot, timeoutMs, [this] { Pump(5); });
    return shot;
}

} // namespace corvane::test
