// CFileDialog: the framework's face of the common open-file and save-file dialogs. Callers
// adjust m_ofn (title, flags, initial folder) before DoModal and read the
// result with GetPathName.
#pragma once

#include "platform/base/CString.h"
#include "platform/framework/Dialog.h"
#include "platform/system/controls/filedialog/FileDialog.h"

#include <string>

class CFileDialog : public CDialog {
    DECLARE_DYNAMIC(CFileDialog)
public:
    // lpszFilter: pairs separated by '|' and closed by "||", or already in the
    // system's form (each string NUL-terminated, closed by an empty string).
    explicit CFileDialog(BOOL bOpenFileDialog, LPCSTR lpszDefExt = nullptr, LPCSTR lpszFileName = nullptr,
                         DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCSTR lpszFilter = nullptr,
                         CWnd* pParentWnd = nullptr);
    ~CFileDialog() override = default;

    // IDOK with the file chosen, IDCANCEL when cancelled or on an error
    // (CommDlgExtendedError tells which).
    INT_PTR DoModal() override;

    CString GetPathName() const;
    CString GetFileName() const;
    CString GetFileExt() const;
    CString GetFileTitle() const;

    OPENFILENAMEA m_ofn{};

protected:
    BOOL m_bOpenFileDialog;
    std::string m_strFilter; // the system's form
    CString m_strDefExt;
    char m_szFileName[4096] = {};
    char m_szFileTitle[256] = {};
};
