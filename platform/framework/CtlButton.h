// CButton: the framework's wrapper of a button control. Owner-draw buttons get
// their WM_DRAWITEM back from the parent as a call of DrawItem.
#pragma once

#include "platform/framework/Wnd.h"
#include "platform/system/controls/button/Button.h"

struct DRAWITEMSTRUCT;

class CButton : public CWnd {
    DECLARE_DYNAMIC(CButton)
public:
    CButton() = default;
    ~CButton() override = default;

    BOOL Create(LPCSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    UINT GetState() const;
    void SetState(BOOL bHighlight);
    int GetCheck() const;
    void SetCheck(int nCheck);
    UINT GetButtonStyle() const;
    void SetButtonStyle(UINT nStyle, BOOL bRedraw = TRUE);
    HICON SetIcon(HICON hIcon);
    HICON GetIcon() const;

    // Draws an owner-draw button; the base does nothing.
    virtual void DrawItem(DRAWITEMSTRUCT* lpDrawItemStruct);

protected:
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    DECLARE_MESSAGE_MAP()
};
