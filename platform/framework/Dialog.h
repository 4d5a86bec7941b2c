// CDialog: a dialog from a registered template, modal (DoModal, with the
// framework's own loop so PreTranslateMessage sees every message) or modeless
// (Create). OnInitDialog runs the data exchange; IDOK and IDCANCEL end it.
#pragma once

#include "platform/framework/DataExchange.h"
#include "platform/framework/Wnd.h"
#include "platform/system/dialog/Dialog.h"

class CDialog : public CWnd {
    DECLARE_DYNAMIC(CDialog)
public:
    CDialog();
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    explicit CDialog(LPCSTR lpszTemplateName, CWnd* pParentWnd = nullptr);
    ~CDialog() override;

    virtual INT_PTR DoModal();
    virtual BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    virtual BOOL Create(LPCSTR lpszTemplateName, CWnd* pParentWnd = nullptr);
    BOOL CreateIndirect(const DialogTemplate* lpDialogTemplate, CWnd* pParentWnd = nullptr);
    void EndDialog(int nResult);

    virtual BOOL OnInitDialog();
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

    void NextDlgCtrl() const;
    void PrevDlgCtrl() const;
    void GotoDlgCtrl(CWnd* pWndCtrl);
    void MapDialogRect(LPRECT lpRect) const;

    // The modal loop: pumps the one queue until EndDialog.
    int RunModalLoop();
    void EndModalLoop(int nResult);
    BOOL ContinueModal() const;

    LPCSTR m_lpszTemplateName = nullptr;
    UINT m_nIDHelp = 0;
    CWnd* m_pParentWnd = nullptr;
    int m_nModalResult = -1;

protected:
    virtual void OnOK();
    virtual void OnCancel();
    BOOL PreTranslateInput(LPMSG lpMsg);
    BOOL CreateDlgIndirect(const DialogTemplate* lpDialogTemplate, HWND hWndParent);

    DECLARE_MESSAGE_MAP()
};

// The procedure the framework gives the dialog manager for its dialogs.
INT_PTR AfxDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
