#include "tests/framework/FrameworkFixture.h"

namespace corvane::test {

namespace {
FrameworkTest* g_current = nullptr;
}

std::vector<std::string>* FrameworkTest::rawLog = nullptr;

FrameworkTest& Current() { return *g_current; }

void Record(const std::string& entry)
{
    if (g_current) g_current->calls.push_back(entry);
}

void FrameworkTest::SetUp()
{
    g_current = this;
    rawLog = &calls;
    sys::SetBackend(&screen);
    WNDCLASS wc{};
    wc.lpfnWndProc = &FrameworkTest::RawProc;
    wc.lpszClassName = kRawClass;
    ASSERT_NE(RegisterClass(&wc), 0);
}

void FrameworkTest::TearDown()
{
    AfxDeleteTempMaps();
    sys::SetBackend(nullptr);
    AfxDeleteTempMaps();
    rawLog = nullptr;
    g_current = nullptr;
}

HWND FrameworkTest::MakeRaw(DWORD style, int x, int y, int w, int h, HWND parent, int id)
{
    return CreateWindowEx(0, kRawClass, "", style, x, y, w, h, parent,
                          reinterpret_cast<HMENU>(static_cast<std::intptr_t>(id)), nullptr, nullptr);
}

LRESULT FrameworkTest::RawProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (rawLog && (message == WM_USER + 50 || message == WM_LBUTTONDOWN || message == WM_TIMER ||
                   message == WM_KEYDOWN))
        rawLog->push_back("RAW:" + std::to_string(message));
    if (message == WM_USER + 50) return 500;
    return DefWindowProc(hwnd, message, wParam, lParam);
}

} // namespace corvane::test
