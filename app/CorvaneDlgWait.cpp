// Reading a log on a worker thread while the window stays alive: it repaints,
// shows a wait cursor and, for a long read, how far the read has come.
#include "app/CorvaneDlg.h"
#include "platform/base/CodePage.h"
#include "platform/system/Windows.h"

#include <sys/stat.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <exception>
#include <functional>
#include <memory>
#include <system_error>
#include <thread>

namespace {

// Files this small are read on the spot: the wait would be shorter than a frame.
constexpr long long kQuickBytes = 32ll << 20;
constexpr UINT_PTR kLoadTimer = 0x4C44;
constexpr UINT kLoadTick = 30;        // milliseconds between looks at the worker
constexpr DWORD kProgressAfter = 500; // milliseconds before the progress shows
constexpr int kIdlePoll = 5;          // milliseconds between looks when nothing else happens

constexpr char kReadingText[] = "正在读取";
constexpr char kCancelText[] = "(Esc 取消)";

} // namespace

BOOL CCorvaneDlg::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (m_bReading) {
        ::SetCursor(::LoadCursor(nullptr, IDC_WAIT));
        return TRUE;
    }
    return CDialog::OnSetCursor(pWnd, nHitTest, message);
}

void CCorvaneDlg::ShowReadProgress(const LogLoadProgress& progress, LPCSTR lpszPath)
{
    const long long nDone = progress.nDone.load();
    const long long nTotal = progress.nTotal.load();
    CString strText;
    if (nTotal > 0)
        strText.Format("%s %s ... %d%% %s", kReadingText, lpszPath, static_cast<int>(nDone * 100 / nTotal), kCancelText);
    else
        strText.Format("%s %s ... %lld MiB %s", kReadingText, lpszPath, nDone >> 20, kCancelText);
    CString strShown;
    m_editPath.GetWindowText(strShown);
    if (strShown != strText) m_editPath.SetWindowText(strText);
}

namespace {

struct ReadTask {
    LogLoadProgress progress;
    std::atomic<bool> bDone{false};
    std::exception_ptr error;
    LogLoad load;
    CString strPath;
    std::function<LogLoad(const char*, LogLoadProgress*)> fnRead;
};

} // namespace

BOOL CCorvaneDlg::ReadLogFile(LPCSTR lpszPath, LogLoad& load)
{
    try {
        if (!m_hWnd || (!m_fnReadHook && !ReadsLong(lpszPath))) {
            load = LoadLogFile(lpszPath);
            return TRUE;
        }
        // What the worker reads into lives as long as either side needs it:
        // a cancelled read is left to end on its own (a pipe may never end).
        auto task = std::make_shared<ReadTask>();
        task->strPath = lpszPath;
        task->fnRead = m_fnReadHook;
        std::thread worker;
        try {
            worker = std::thread([task] {
                try {
                    task->load = task->fnRead ? task->fnRead(task->strPath, &task->progress)
                                              : LoadLogFile(task->strPath, &task->progress);
                } catch (...) {
                    task->error = std::current_exception();
                }
                task->bDone = true;
            });
        } catch (const std::system_error&) {
            // No thread to be had (its stack did not fit): read on the spot.
            load = m_fnReadHook ? m_fnReadHook(lpszPath, nullptr) : LoadLogFile(lpszPath);
            return TRUE;
        }
        if (!WaitForRead(task->progress, task->bDone, lpszPath)) {
            task->progress.bCancel = true;
            worker.detach();
            return FALSE; // cancelled: the previous load stays, nothing to report
        }
        worker.join();
        if (task->error) std::rethrow_exception(task->error);
        load = std::move(task->load);
        return TRUE;
    } catch (CException* e) {
        // The previous load, the path box and the pages stay as they were.
        e->ReportError();
        e->Delete();
    } catch (const std::bad_alloc&) {
        CMemoryException e;
        e.ReportError();
    } catch (const LogLoadCancelled&) {
    }
    return FALSE;
}

BOOL CCorvaneDlg::WaitForRead(const LogLoadProgress& progress, const std::atomic<bool>& bDone, LPCSTR lpszPath)
{
    CString strShown;
    m_editPath.GetWindowText(strShown);
    m_bReading = TRUE;
    const HWND hFocus = ::GetFocus();
    ::SetCursor(::LoadCursor(nullptr, IDC_WAIT));
    // The window paints on while input waits, as under a modal dialog.
    const BOOL bWasEnabled = !EnableWindow(FALSE);
    SetTimer(kLoadTimer, kLoadTick, nullptr);
    const DWORD dwStart = ::GetTickCount();
    bool bShowing = false;
    bool bQuit = false;
    bool bCancelled = false;
    int nQuitCode = 0;
    while (!bDone.load()) {
        MSG msg;
        while (::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                bQuit = true;
                nQuitCode = static_cast<int>(msg.wParam);
                break;
            }
            ::TranslateMessage(&msg);
            ::DispatchMessage(&msg);
        }
        if (bQuit || !m_hWnd) break;
        // Esc gives up the read; the key reaches no window while this one is disabled.
        if (::GetKeyState(VK_ESCAPE) < 0) {
            bCancelled = true;
            break;
        }
        if (!bShowing && ::GetTickCount() - dwStart >= kProgressAfter) bShowing = true;
        if (bShowing) ShowReadProgress(progress, lpszPath);
        if (bDone.load()) break;
        ::WaitMessage();
        // A desktop with a virtual clock answers at once: give the worker
        // the core instead of spinning.
        if (!bDone.load()) std::this_thread::sleep_for(std::chrono::milliseconds(kIdlePoll));
    }
    if (m_hWnd) {
        KillTimer(kLoadTimer);
        if (bWasEnabled) EnableWindow(TRUE);
        // A disabled window lost its activation and focus: they come back as
        // after a modal dialog.
        if (!::GetActiveWindow()) SetActiveWindow();
        if (hFocus && ::IsWindow(hFocus) && ::GetFocus() != hFocus) ::SetFocus(hFocus);
        if (bShowing) m_editPath.SetWindowText(strShown);
    }
    m_bReading = FALSE;
    if (bQuit) ::PostQuitMessage(nQuitCode);
    return bDone.load() && !bCancelled && !bQuit && m_hWnd ? TRUE : FALSE;
}

bool CCorvaneDlg::ReadsLong(LPCSTR lpszPath)
{
    // Big files and pipes (which may be slow to fill) are waited for; what
    // fails at once (no file, a folder, a device) is reported at once.
    struct stat st {};
    if (!lpszPath || ::stat(Cp936ToUtf8(lpszPath).c_str(), &st) != 0) return false;
    return S_ISFIFO(st.st_mode) || (S_ISREG(st.st_mode) && st.st_size >= kQuickBytes);
}
