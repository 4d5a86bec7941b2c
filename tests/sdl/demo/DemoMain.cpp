// A small program on the real desktop: one dialog through the framework, for
// the end-to-end test that drives it with real input. Exit 0 when closed with
// its Close button, 1 when cancelled, 2 without a display.
#include "platform/display/SdlBackend.h"
#include "platform/framework/Afxwin.h"
#include "platform/system/window/Desktop.h"
#include "tests/sdl/demo/DemoDlg.h"

#include <cstdio>
#include <memory>
#include <string>

namespace {

class CDemoApp : public CWinApp {
public:
    INT_PTR m_nResult = IDCANCEL;

    BOOL InitInstance() override
    {
        CDemoDlg dlg;
        m_pMainWnd = &dlg;
        m_nResult = dlg.DoModal();
        return FALSE;
    }
};

CDemoApp theDemoApp;

} // namespace

int main()
{
    std::string error;
    std::unique_ptr<display::Backend> desktop = display::OpenDesktopBackend(&error);
    if (!desktop) {
        std::fprintf(stderr, "corvane_sdl_demo: %s\n", error.c_str());
        return 2;
    }
    sys::SetBackend(desktop.get());
    RegisterDemoTemplate();
    AfxWinMain();
    sys::SetBackend(nullptr);
    return theDemoApp.m_nResult == IDOK ? 0 : 1;
}
