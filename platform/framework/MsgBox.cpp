#include "platform/framework/MsgBox.h"

#include "platform/framework/WinApp.h"
#include "platform/system/dialog/Resource.h"

int AfxMessageBox(LPCSTR lpszText, UINT nType, UINT)
{
    // The owner is the main window when it can take input, else whatever is active.
    HWND owner = nullptr;
    if (CWnd* main = AfxGetMainWnd(); main && ::IsWindow(main->m_hWnd) && ::IsWindowEnabled(main->m_hWnd))
        owner = main->m_hWnd;
    if (!owner) owner = ::GetActiveWindow();
    // Without an icon the framework shows the one its kind of question calls for.
    if ((nType & MB_ICONMASK) == 0) {
        UINT set = nType & MB_TYPEMASK;
        if (set == MB_OK || set == MB_OKCANCEL)
            nType |= MB_ICONEXCLAMATION;
        else if (set == MB_YESNO || set == MB_YESNOCANCEL)
            nType |= MB_ICONQUESTION;
        else
            nType |= MB_ICONEXCLAMATION;
    }
    return ::MessageBoxA(owner, lpszText ? lpszText : "", AfxGetAppName(), nType);
}

int AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp)
{
    const std::string* text = sys::FindString(nIDPrompt);
    std::string prompt = text ? text->substr(0, text->find('\0')) : std::string();
    return AfxMessageBox(prompt.c_str(), nType, nIDHelp == static_cast<UINT>(-1) ? nIDPrompt : nIDHelp);
}
