// The program entry: the resources, the desktop, then the framework's entry,
// which runs the application object.
#include "app/Corvane.h"
#include "platform/display/SdlBackend.h"
#include "platform/system/Desktop.h"
#include "res/Resources.h"

#include <cstdio>
#include <memory>
#include <string>

int main()
{
    RegisterCorvaneResources();

    std::string error;
    std::unique_ptr<display::Backend> desktop = display::OpenDesktopBackend(&error);
    if (!desktop) {
        if (error.empty()) error = "no display was found, so the window cannot be shown";
        std::fprintf(stderr, "corvane: %s\n", error.c_str());
        return 2;
    }
    sys::SetBackend(desktop.get()); // also registers the built-in control classes

    // The application object is the framework's through AfxGetApp; naming it
    // here keeps it in the program.
    CWinApp* pApp = &theApp;
    int code = pApp == AfxGetApp() ? AfxWinMain() : 1;

    sys::SetBackend(nullptr);
    return code;
}
