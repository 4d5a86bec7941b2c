// Logs handed to the main window from outside it: a file dropped on it, and
// the file named on the command line. Both open as if chosen in the dialog.
#include "app/CorvaneDlg.h"

void CCorvaneDlg::OnDropFiles(HDROP hDropInfo)
{
    // One log is shown at a time: of several files, the first is opened.
    CString strPath;
    if (DragQueryFile(hDropInfo, 0xFFFFFFFF, nullptr, 0) > 0) {
        UINT nLength = DragQueryFile(hDropInfo, 0, nullptr, 0);
        DragQueryFile(hDropInfo, 0, strPath.GetBuffer(nLength), nLength + 1);
        strPath.ReleaseBuffer(nLength);
    }
    DragFinish(hDropInfo);
    if (!strPath.IsEmpty()) OpenLogFile(strPath);
}

LRESULT CCorvaneDlg::OnOpenStartFile(WPARAM, LPARAM)
{
    CString strPath = m_strStartFile;
    m_strStartFile.Empty(); // once only
    if (!strPath.IsEmpty()) OpenLogFile(strPath);
    return 0;
}
