#include "tools/pagedump/AppDriver.h"

#include "app/Corvane.h"
#include "app/CorvaneDlg.h"
#include "platform/base/CodePage.h"
#include "platform/base/Exception.h"
#include "platform/framework/MsgBox.h"
#include "platform/system/controls/filedialog/FileDialog.h"
#include "platform/system/window/Desktop.h"
#include "res/Resources.h"

#include <cstdio>
#include <new>
#include <utility>

namespace corvane::tools {

namespace {

// Far from where the main dialog opens, and on the screen.
constexpr int kRestX = 1200;
constexpr int kRestY = 700;
// Where every page rests inside the tab control.
constexpr int kPageLeft = 4;
constexpr int kPageTop = 28;

std::string& ReportingTool()
{
    static std::string tool;
    return tool;
}

bool g_reported = false;

int ReportInUtf8(const char* text, UINT type)
{
    g_reported = true;
    std::string line = Cp936ToUtf8(text ? text : "");
    std::fprintf(stderr, "%s: %s\n", ReportingTool().c_str(), line.c_str());
    return AfxMessageBox(text ? text : "", type ? type : MB_ICONEXCLAMATION);
}

bool IsFileDialog(HWND hwnd)
{
    return hwnd && GetDlgItem(hwnd, kFileDlgNameId) != nullptr;
}

} // namespace

AppDriver::AppDriver()
{
    sys::SetBackend(&m_screen); // also registers the built-in control classes
    RegisterCorvaneResources();
    m_screen.MoveMouse(kRestX, kRestY);
}

AppDriver::~AppDriver()
{
    m_screen.SetIdleHandler(nullptr);
    sys::SetBackend(nullptr);
    AfxDeleteTempMaps();
}

int AppDriver::Run(const std::string& tool, std::function<bool()> idle)
{
    m_stalled = false;
    m_failed = false;
    // The step runs deep inside the program's loops: what it throws must end
    // here, or it would unwind the main dialog under the step's feet.
    m_screen.SetIdleHandler([this, tool, idle = std::move(idle)] {
        if (m_failed) return false;
        // Fixed buffers: the message must get out even when memory has run out.
        char text[512] = "out of memory";
        try {
            return idle();
        } catch (CException* e) {
            if (!e->GetErrorMessage(text, sizeof text) || !text[0])
                std::snprintf(text, sizeof text, "%s", "the tool failed");
            e->Delete();
            try {
                std::snprintf(text, sizeof text, "%s", Cp936ToUtf8(text).c_str());
            } catch (const std::bad_alloc&) {
                // The code page 936 text is better than none.
            }
        } catch (const std::bad_alloc&) {
        }
        std::fprintf(stderr, "%s: %s\n", tool.c_str(), text);
        m_failed = true;
        CloseMain();
        return true;
    });
    // The application object is the framework's through AfxGetApp; naming it
    // here keeps it in the program.
    CWinApp* app = &theApp;
    int code = app == AfxGetApp() ? AfxWinMain() : -1;
    m_screen.SetIdleHandler(nullptr);
    // A loop that starved leaves a quit message behind when it ends.
    MSG quit{};
    m_stalled = PeekMessage(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE;
    return code;
}

CCorvaneDlg* AppDriver::Dialog() const
{
    CWnd* main = theApp.m_pMainWnd;
    if (main == nullptr || !::IsWindow(main->m_hWnd)) return nullptr;
    return static_cast<CCorvaneDlg*>(main);
}

void AppDriver::ClickCenter(HWND hwnd)
{
    RECT r{};
    ::GetWindowRect(hwnd, &r);
    m_screen.Click((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

bool AppDriver::ClickTab(int i)
{
    CCorvaneDlg* dlg = Dialog();
    CRect item;
    if (dlg == nullptr || !dlg->m_tab.GetItemRect(i, &item)) return false;
    dlg->m_tab.ClientToScreen(&item);
    m_screen.Click(item.CenterPoint().x, item.CenterPoint().y);
    return true;
}

bool AppDriver::PageAtRest(int i) const
{
    CCorvaneDlg* dlg = Dialog();
    if (dlg == nullptr || i < 0 || i >= CCorvaneDlg::kPageCount || dlg->m_pPages[i] == nullptr) return false;
    CRect r;
    dlg->m_pPages[i]->GetWindowRect(&r);
    dlg->m_tab.ScreenToClient(&r);
    return r.left == kPageLeft && r.top == kPageTop && dlg->m_pPages[i]->IsWindowVisible();
}

void AppDriver::Key(unsigned vk)
{
    m_screen.KeyDown(vk);
    m_screen.KeyUp(vk);
}

void AppDriver::MoveMouseAway()
{
    m_screen.MoveMouse(kRestX, kRestY);
}

void AppDriver::CloseMain()
{
    CCorvaneDlg* dlg = Dialog();
    if (dlg == nullptr) return;
    RECT r{};
    ::GetWindowRect(dlg->m_hWnd, &r);
    m_screen.RequestClose(m_screen.WindowAt((r.left + r.right) / 2, (r.top + r.bottom) / 2));
}

OpenThroughDialog::OpenThroughDialog(AppDriver& driver, std::string cp936Path, std::string tool)
    : m_driver(driver), m_path(std::move(cp936Path)), m_tool(std::move(tool))
{
}

void OpenThroughDialog::Complain(const std::string& cp936Text)
{
    std::string line = Cp936ToUtf8(cp936Text);
    for (char& c : line)
        if (c == '\n' || c == '\r') c = ' ';
    std::fprintf(stderr, "%s: %s\n", m_tool.c_str(), line.c_str());
    m_complained = true;
}

bool OpenThroughDialog::Step()
{
    if (m_state != State::Running) return false;
    CCorvaneDlg* dlg = m_driver.Dialog();
    if (dlg == nullptr) {
        m_state = State::Failed;
        return false;
    }
    HWND active = GetActiveWindow();
    switch (m_phase) {
    case Phase::Click:
        m_driver.ClickCenter(dlg->m_btnOpen.m_hWnd);
        m_phase = Phase::Answer;
        return true;
    case Phase::Answer:
        if (!IsFileDialog(active)) {
            Complain("the open-file dialog did not open");
            m_state = State::Failed;
            return false;
        }
        m_fileDlg = active;
        SetFocus(GetDlgItem(active, kFileDlgNameId));
        m_driver.Screen().TypeText(m_path);
        m_driver.Key(VK_RETURN);
        m_phase = Phase::Settle;
        return true;
    case Phase::Settle:
    case Phase::Cancelled:
        // A pipe or a big file is read while the window waits: so does the script.
        if (dlg->IsReading()) return false;
        if (active == dlg->m_hWnd) {
            // Back in the main dialog: the open is over, loaded or reported.
            m_state = m_phase == Phase::Settle && dlg->m_bLoaded ? State::Loaded : State::Failed;
            return false;
        }
        if (active == m_fileDlg) {
            // The dialog kept the name (a folder, a pattern, a missing file): give up on it.
            if (!m_complained) Complain("the open-file dialog did not take " + m_path);
            m_driver.Key(VK_ESCAPE);
            m_phase = Phase::Cancelled;
            return true;
        }
        if (active != nullptr) {
            // A message box: the file dialog's warning, or the framework's
            // exception report (which has told stderr already).
            if (GetWindow(active, GW_OWNER) == m_fileDlg) Complain(MessageBoxText(active));
            m_driver.Key(VK_RETURN);
            return true;
        }
        m_state = State::Failed;
        return false;
    }
    return false;
}

std::string MessageBoxText(HWND hwnd)
{
    HWND text = hwnd ? GetDlgItem(hwnd, 0xFFFF) : nullptr;
    if (text == nullptr) return std::string();
    char buffer[4096] = {};
    GetWindowTextA(text, buffer, sizeof buffer);
    return buffer;
}

bool ExceptionsReported()
{
    return g_reported;
}

void ReportExceptionsAs(const std::string& tool)
{
    ReportingTool() = tool;
    CException::SetReporter(&ReportInUtf8);
}

} // namespace corvane::tools
