#include "tests/system/support/DialogFixture.h"

#include "platform/system/window/SysMetrics.h"

namespace dlgtest {
namespace {

constexpr UINT kBmSetStyle = 0x00F4;
constexpr UINT kBmClick = 0x00F5;
constexpr UINT kBmSetCheck = 0x00F1;

LRESULT ButtonProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_GETDLGCODE: {
        DWORD type = static_cast<DWORD>(GetWindowLong(hwnd, GWL_STYLE)) & 0xF;
        return DLGC_BUTTON | (type == kDefPush ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
    }
    case kBmSetStyle: {
        Log().push_back({hwnd, message, wParam, lParam});
        DWORD style = static_cast<DWORD>(GetWindowLong(hwnd, GWL_STYLE));
        SetWindowLong(hwnd, GWL_STYLE, static_cast<LONG>((style & ~0xFu) | (wParam & 0xF)));
        return 0;
    }
    case WM_SETFONT: Log().push_back({hwnd, message, wParam, lParam}); return 0;
    default: return DefWindowProc(hwnd, message, wParam, lParam);
    }
}

LRESULT EditProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_GETDLGCODE: return DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
    case 0x00B1: // EM_SETSEL
    case WM_SETFONT:
    case WM_KEYDOWN: Log().push_back({hwnd, message, wParam, lParam}); return 0;
    default: return DefWindowProc(hwnd, message, wParam, lParam);
    }
}

LRESULT CustomProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_GETDLGCODE: return GetWindowLongPtr(hwnd, GWLP_USERDATA);
    case WM_KEYDOWN:
    case WM_CHAR: Log().push_back({hwnd, message, wParam, lParam}); return 0;
    default: return DefWindowProc(hwnd, message, wParam, lParam);
    }
}

LRESULT RadioProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_GETDLGCODE: return DLGC_BUTTON | DLGC_RADIOBUTTON;
    case kBmClick:
    case kBmSetCheck: Log().push_back({hwnd, message, wParam, lParam}); return 0;
    default: return DefWindowProc(hwnd, message, wParam, lParam);
    }
}

void Register(const char* name, WNDPROC proc)
{
    WNDCLASS wc{};
    wc.lpfnWndProc = proc;
    wc.lpszClassName = name;
    RegisterClass(&wc);
}

LRESULT OwnerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_ENTERIDLE || message == WM_ENABLE) Log().push_back({hwnd, message, wParam, lParam});
    return DefWindowProc(hwnd, message, wParam, lParam);
}

} // namespace

std::vector<Logged>& Log()
{
    static std::vector<Logged> log;
    return log;
}

std::vector<Logged> LogOf(UINT message)
{
    std::vector<Logged> out;
    for (const Logged& l : Log())
        if (l.message == message) out.push_back(l);
    return out;
}

void DialogTest::SetUp()
{
    sys::SetBackend(&m_backend);
    sys::ClearResources();
    Log().clear();
    Register(kButton, ButtonProc);
    Register(kEdit, EditProc);
    Register(kCustom, CustomProc);
    Register(kRadio, RadioProc);
    Register("DlgTestOwner", OwnerProc);
}

void DialogTest::TearDown()
{
    m_backend.SetIdleHandler(nullptr);
    sys::SetBackend(nullptr);
    sys::ClearResources();
}

void DialogTest::Script(std::vector<std::function<void()>> steps)
{
    auto queue = std::make_shared<std::vector<std::function<void()>>>(std::move(steps));
    auto next = std::make_shared<std::size_t>(0);
    auto ran = m_stepsRun;
    m_backend.SetIdleHandler([queue, next, ran]() {
        if (*next >= queue->size()) return false;
        auto step = (*queue)[(*next)++];
        ++*ran;
        step();
        return true;
    });
}

HWND MakeOwner()
{
    return CreateWindowEx(0, "DlgTestOwner", "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 40, 500, 400, nullptr,
                          nullptr, nullptr, nullptr);
}

} // namespace dlgtest
