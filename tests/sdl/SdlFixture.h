// One Xvfb per test program and a fresh desktop backend per test.
#pragma once

#include "platform/display/SdlBackend.h"
#include "tests/sdl/ScreenCapture.h"
#include "tests/sdl/XvfbSession.h"

#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace corvane::test {

class SdlFixture : public ::testing::Test {
public:
    static constexpr int kScreenWidth = 1024;
    static constexpr int kScreenHeight = 768;

    static void SetUpTestSuite();
    static void TearDownTestSuite();

protected:
    void SetUp() override;
    void TearDown() override;

    // Reads what the backend has now and waits briefly for more.
    void Pump(int waitMs = 10);
    // Pumps until `done` holds for the collected events, at most timeoutMs.
    bool PumpUntil(const std::function<bool(const std::vector<display::Event>&)>& done, int timeoutMs = 3000);
    // Runs xdotool while pumping, then pumps a little longer so its events are in.
    void Xdo(const std::vector<std::string>& args);
    // A visible window of one colour at the given screen rectangle, painted.
    display::WindowId SolidWindow(const RECT& rect, gfx::Pixel colour);
    void Paint(display::WindowId id, const gfx::Surface& surface);
    // A screenshot taken once `accept` holds (or the last one after the timeout).
    gfx::Surface ScreenWhen(const std::function<bool(const gfx::Surface&)>& accept, int timeoutMs = 3000);

    static XvfbSession* Session() { return s_session.get(); }

    std::unique_ptr<display::SdlBackend> m_backend;
    std::vector<display::Event> m_events;
    gfx::Surface m_background; // the empty screen, taken before each test makes windows

private:
    static std::unique_ptr<XvfbSession> s_session;
    static std::string s_startError;
};

} // namespace corvane::test
