#include "platform/framework/WinApp.h"

#include "platform/framework/AfxMsg.h"
#include "platform/framework/ExceptionReport.h"
#include "platform/framework/WndInternal.h"
#include "platform/system/gdi/GdiResources.h"

#include <cerrno>
#include <new>

IMPLEMENT_DYNAMIC(CWinApp, CCmdTarget)

BEGIN_MESSAGE_MAP(CWinApp, CCmdTarget)
END_MESSAGE_MAP()

namespace {
CWinApp* g_app = nullptr;
bool g_controlContainer = false;
MSG g_pumped{};
} // namespace

CWinApp::CWinApp(LPCSTR lpszAppName)
{
    if (lpszAppName) {
        m_strAppName = lpszAppName;
    } else {
        m_strAppName = program_invocation_short_name ? program_invocation_short_name : "";
    }
    m_pszAppName = m_strAppName;
    if (!g_app) g_app = this;
}

CWinApp::~CWinApp()
{
    if (g_app == this) g_app = nullptr;
}

CWinApp* AfxGetApp() { return g_app; }
CWnd* AfxGetMainWnd() { return g_app ? g_app->m_pMainWnd : nullptr; }
HINSTANCE AfxGetInstanceHandle() { return g_app ? g_app->m_hInstance : nullptr; }
LPCSTR AfxGetAppName() { return g_app ? g_app->m_pszAppName : ""; }

void AfxEnableControlContainer(COccManager*) { g_controlContainer = true; }
BOOL AfxControlContainerEnabled() { return g_controlContainer ? TRUE : FALSE; }

BOOL CWinApp::Enable3dControls() { return TRUE; }
BOOL CWinApp::Enable3dControlsStatic() { return TRUE; }

// No help file ships with the program, so help has nothing to show.
void CWinApp::OnHelp() {}

BOOL CWinApp::InitApplication() { return TRUE; }
BOOL CWinApp::InitInstance() { return TRUE; }
int CWinApp::ExitInstance() { return static_cast<int>(m_msgCur.wParam); }
BOOL CWinApp::OnIdle(LONG)
{
    AfxIdleCleanup();
    return FALSE;
}

BOOL CWinApp::PreTranslateMessage(MSG* pMsg) { return CWnd::WalkPreTranslateTree(AfxSafeHwnd(m_pMainWnd), pMsg); }

BOOL CWinApp::PumpMessage()
{
    BOOL more = AfxPumpMessage();
    m_msgCur = g_pumped;
    return more;
}

int CWinApp::Run()
{
    MSG peek{};
    for (;;) {
        LONG idleCount = 0;
        while (!::PeekMessage(&peek, nullptr, 0, 0, PM_NOREMOVE)) {
            if (!OnIdle(idleCount++)) break;
        }
        if (!PumpMessage()) return ExitInstance();
    }
}

HICON CWinApp::LoadIcon(UINT nIDResource) const { return ::LoadIcon(m_hInstance, MAKEINTRESOURCE(nIDResource)); }
HICON CWinApp::LoadIcon(LPCSTR lpszResourceName) const { return ::LoadIcon(m_hInstance, lpszResourceName); }
HICON CWinApp::LoadStandardIcon(LPCSTR lpszIconName) const { return ::LoadIcon(nullptr, lpszIconName); }

const MSG& AfxGetCurrentPumpedMessage() { return g_pumped; }

BOOL AfxPumpMessage()
{
    MSG msg{};
    BOOL got = ::GetMessage(&msg, nullptr, 0, 0);
    g_pumped = msg;
    if (got <= 0) {
        // -1 (a bad call) ends the loop like WM_QUIT rather than spinning.
        if (got < 0 || msg.message != WM_QUIT) g_pumped = MSG{nullptr, WM_QUIT, 0, 0, 0, {0, 0}};
        return FALSE;
    }
    BOOL translated = FALSE;
    if (CWinApp* app = AfxGetApp())
        translated = app->PreTranslateMessage(&msg);
    else
        translated = CWnd::WalkPreTranslateTree(nullptr, &msg);
    if (!translated) {
        ::TranslateMessage(&msg);
        ::DispatchMessage(&msg);
    }
    return TRUE;
}

int AfxWinMain(HINSTANCE hInstance, HINSTANCE, LPSTR lpCmdLine, int nCmdShow)
{
    CWinApp* app = AfxGetApp();
    if (!app) return -1;
    AfxInstallExceptionReporter();
    app->m_hInstance = hInstance;
    app->m_lpCmdLine = lpCmdLine;
    app->m_nCmdShow = nCmdShow;

    int code = -1;
    try {
        if (app->InitApplication()) {
            if (!app->InitInstance()) {
                if (app->m_pMainWnd) app->m_pMainWnd->DestroyWindow();
                code = app->ExitInstance();
            } else {
                code = app->Run();
            }
        }
    } catch (CException* e) {
        e->ReportError();
        e->Delete();
        code = -1;
    } catch (const std::bad_alloc&) {
        CMemoryException e;
        e.ReportError();
        code = -1;
    }
    AfxDeleteTempMaps();
    return code;
}
