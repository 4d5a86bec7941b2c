// Reading a log on a worker thread while the window stays alive: it repaints,
// shows a wait cursor and, for a long read, how far the read has come.
#include "app/CorvaneDlg.h"
#include "platform/base/CodePage.h"

#include <sys/stat.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <exception>
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
        strText.Format("%s %s ... %d%%", kReadingText, lpszPath, static_cast<int>(nDone * 100 / nTotal));
    else
        strText.Format("%s %s ... %lld MiB", kReadingText, lpszPath, nDone >> 20);
    CString strShown;
    m_editPath.GetWindowText(strShown);
    if (strShown != strText) m_editPath.SetWindowText(strText);
}

BOOL CCorvaneDlg::ReadLogFile(LPCSTR lpszPath, LogLoad& load)
{
    try {
        if (!m_hWnd || (!m_fnReadHook && !ReadsLong(lpszPath))) {
            load = LoadLogFile(lpszPath);
            return TRUE;
        }
        LogLoadProgress progress;
        std::atomic<bool> bDone{false};
        std::exception_ptr error;
        CString strPath(lpszPath);
        std::thread worker;
        try {
            worker = std::thread([&] {
                try {
                    load = m_fnReadHook ? m_fnReadHook(strPath, &progress) : LoadLogFile(strPath, &progress);
                } catch (...) {
                    error = std::current_exception();
                }
                bDone = true;
            });
        } catch (const std::system_error&) {
            // No thread to be had (its stack did not fit): read on the spot.
            load = m_fnReadHook ? m_fnReadHook(lpszPath, nullptr) : LoadLogFile(lpszPath);
            return TRUE;
        }
        WaitForRead(progress, bDone, lpszPath);
        worker.join();
        if (error) std::rethrow_exception(error);
        return TRUE;
    } catch (CException* e) {
        // The previous load, the path box and the pages stay as they were.
        e->ReportError();
        e->Delete();
    } catch (const std::bad_alloc&) {
        CMemoryException e;
        e.ReportError();
    }
    return FALSE;
}

void CCorvaneDlg::WaitForRead(const LogLoadProgress& progress, const std::atomic<bool>& bDone, LPCSTR lpszPath)
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
}

bool CCorvaneDlg::ReadsLong(LPCSTR lpszPath)
{
    // Big files and pipes (which may be slow to fill) are waited for; what
    // fails at once (no file, a folder, a device) is reported at once.
    struct stat st {};
    if (!lpszPath || ::stat(Cp936ToUtf8(lpszPath).c_str(), &st) != 0) return false;
    return S_ISFIFO(st.st_mode) || (S_ISREG(st.st_mode) && st.st_size >= kQuickBytes);
}
