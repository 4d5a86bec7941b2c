// A headless desktop for window-manager tests, with a window class whose
// procedure records every message it sees.
#pragma once

#include "platform/display/HeadlessBackend.h"
#include "platform/system/Windows.h"
#include "platform/system/window/Desktop.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace corvane::test {

struct Received {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

class DesktopTest : public ::testing::Test {
public:
    static constexpr const char* kClass = "CorvaneTestWindow";

    // Per-window reaction to a message; return true to skip DefWindowProc.
    using Handler = std::function<bool(HWND, UINT, WPARAM, LPARAM, LRESULT*)>;

    static DesktopTest* current;
    display::HeadlessBackend screen;
    std::vector<Received> log;
    std::map<HWND, std::string> names;
    std::vector<Handler> handlers;

protected:
    void SetUp() override;
    void TearDown() override;

public:
    HWND Make(const std::string& name, DWORD style, int x, int y, int w, int h, HWND parent = nullptr,
              int id = 0, DWORD exStyle = 0);
    // "name:MSG" entries of the messages in `only` (all recorded when empty).
    std::vector<std::string> Trace(const std::vector<UINT>& only = {}) const;
    std::vector<std::string> TraceOf(HWND hwnd, const std::vector<UINT>& only = {}) const;
    int Count(HWND hwnd, UINT message) const;
    void Pump() { sys::PumpUntilIdle(); }
    void Clear() { log.clear(); }

    static LRESULT Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
};

std::string MessageName(UINT message);

} // namespace corvane::test
