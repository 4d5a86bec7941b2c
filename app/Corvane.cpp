#include "app/Corvane.h"

#include "app/CorvaneDlg.h"

BEGIN_MESSAGE_MAP(CCorvaneApp, CWinApp)
ON_COMMAND(ID_HELP, OnHelp)
END_MESSAGE_MAP()

CCorvaneApp::CCorvaneApp() : CWinApp(nullptr) {}

CCorvaneApp::~CCorvaneApp() = default;

CCorvaneApp theApp;

BOOL CCorvaneApp::InitInstance()
{
    AfxEnableControlContainer();
    Enable3dControls();

    CCorvaneDlg dlg;
    dlg.m_strStartFile = m_strStartFile;
    m_pMainWnd = &dlg;
    INT_PTR nResponse = dlg.DoModal();
    // Whatever the dialog returned, the program ends the same way.
    (void)nResponse;
    return FALSE;
}
