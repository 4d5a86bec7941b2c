// The program entry: the command line, the resources, the desktop, then the
// framework's entry, which runs the application object.
#include "app/CommandLine.h"
#include "app/Corvane.h"
#include "app/ExportPages.h"
#include "platform/base/CodePage.h"
#include "platform/display/SdlBackend.h"
#include "platform/system/window/Desktop.h"
#include "res/Resources.h"

#include <cstdio>
#include <memory>
#include <string>

int main(int argc, char** argv)
{
    // Help, version and bad usage need no display.
    const CCommandLine line = CCommandLine::Parse(std::vector<std::string>(argv + 1, argv + argc));
    switch (line.nAction) {
    case CCommandLine::actionHelp: std::fputs(CCommandLine::Usage().c_str(), stdout); return 0;
    case CCommandLine::actionVersion: std::fputs(CCommandLine::Version().c_str(), stdout); return 0;
    case CCommandLine::actionBadUsage:
        std::fprintf(stderr, "corvane: %s\n%s", line.strError.c_str(), CCommandLine::Usage().c_str());
        return 2;
    case CCommandLine::actionExport: return ExportPages(line, stderr); // needs no display
    case CCommandLine::actionRun: break;
    }

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
    // Linux names are UTF-8; the program's strings are code page 936.
    theApp.m_strStartFile = CStringFromUtf8(line.strFile);
    int code = pApp == AfxGetApp() ? AfxWinMain() : 1;

    sys::SetBackend(nullptr);
    return code;
}
