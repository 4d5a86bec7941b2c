// A headless desktop for framework tests, and a raw window class whose
// procedure records what reaches it (the "original procedure" of subclassing).
#pragma once

#include "platform/display/HeadlessBackend.h"
#include "platform/framework/Afxwin.h"
#include "platform/system/Windows.h"
#include "platform/system/window/Desktop.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace corvane::test {

class FrameworkTest : public ::testing::Test {
public:
    static constexpr const char* kRawClass = "FwRawWindow";
    static std::vector<std::string>* rawLog; // "RAW:<message>" entries

    display::HeadlessBackend screen;
    std::vector<std::string> calls; // what handlers and procedures saw, in order

protected:
    void SetUp() override;
    void TearDown() override;

public:
    HWND MakeRaw(DWORD style, int x, int y, int w, int h, HWND parent = nullptr, int id = 0);
    static LRESULT RawProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
};

// The test running now, so handlers of framework classes can record into it.
FrameworkTest& Current();
void Record(const std::string& entry);

} // namespace corvane::test
