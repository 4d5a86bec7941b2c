// CWinApp: the one application object, the program entry that runs it, and
// the message pump shared by its loop and the modal loops.
#pragma once

#include "platform/framework/Wnd.h"

// The framework's help command.
constexpr UINT ID_HELP = 0xE146;

class CWinApp : public CCmdTarget {
    DECLARE_DYNAMIC(CWinApp)
public:
    // The first application object constructed becomes the program's.
    explicit CWinApp(LPCSTR lpszAppName = nullptr);
    ~CWinApp() override;
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    virtual BOOL InitApplication();
    virtual BOOL InitInstance();
    virtual int ExitInstance();
    virtual int Run();
    virtual BOOL OnIdle(LONG lCount);
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    virtual BOOL PumpMessage();

    HICON LoadIcon(UINT nIDResource) const;
    HICON LoadIcon(LPCSTR lpszResourceName) const;
    HICON LoadStandardIcon(LPCSTR lpszIconName) const;

    CWnd* m_pMainWnd = nullptr;
    HINSTANCE m_hInstance = nullptr;
    LPCSTR m_pszAppName = nullptr;
    LPSTR m_lpCmdLine = nullptr;
    int m_nCmdShow = SW_SHOWNORMAL;
    MSG m_msgCur{};

protected:
    // The three-dimensional look of dialog controls. The system draws it
    // always, so enabling it succeeds.
    BOOL Enable3dControls();
    BOOL Enable3dControlsStatic();
    void OnHelp();

    DECLARE_MESSAGE_MAP()

private:
    CString m_strAppName;
};

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();
HINSTANCE AfxGetInstanceHandle();
LPCSTR AfxGetAppName();

// Enables hosting of ActiveX controls in dialogs. No such controls exist on this
// platform; the call records that hosting was asked for.
class COccManager;
void AfxEnableControlContainer(COccManager* pOccManager = nullptr);
BOOL AfxControlContainerEnabled();

// The program entry: initialises the framework and runs the application
// object (InitInstance, then Run or, when it returns FALSE, ExitInstance).
int AfxWinMain(HINSTANCE hInstance = nullptr, HINSTANCE hPrevInstance = nullptr, LPSTR lpCmdLine = nullptr,
               int nCmdShow = SW_SHOWNORMAL);

// One message: PreTranslateMessage along the window's parents (then the
// application's), else translate and dispatch. FALSE on WM_QUIT.
BOOL AfxPumpMessage();
const MSG& AfxGetCurrentPumpedMessage();
// Idle work: frees temporary wrappers, but only when no handler is running
// (a nested modal loop must not free what its caller still holds).
void AfxIdleCleanup();
