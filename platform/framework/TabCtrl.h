// CTabCtrl: the framework's wrapper of a tab control.
#pragma once

#include "platform/framework/Wnd.h"
#include "platform/system/CommCtrl.h"

class CTabCtrl : public CWnd {
    DECLARE_DYNAMIC(CTabCtrl)
public:
    CTabCtrl() = default;
    ~CTabCtrl() override = default;

    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    LONG InsertItem(int nItem, TCITEM* pTabCtrlItem);
    LONG InsertItem(int nItem, LPCSTR lpszItem);
    LONG InsertItem(int nItem, LPCSTR lpszItem, int nImage);
    LONG InsertItem(UINT nMask, int nItem, LPCSTR lpszItem, int nImage, LPARAM lParam);
    BOOL DeleteItem(int nItem);
    BOOL DeleteAllItems();
    BOOL GetItem(int nItem, TCITEM* pTabCtrlItem) const;
    BOOL SetItem(int nItem, TCITEM* pTabCtrlItem);
    int GetItemCount() const;
    int GetCurSel() const;
    // Selects without TCN_SELCHANGING / TCN_SELCHANGE; the previous selection or -1.
    int SetCurSel(int nItem);
    int GetCurFocus() const;
    void SetCurFocus(int nItem);
    BOOL GetItemRect(int nItem, LPRECT lpRect) const;
    // bLarger FALSE: the display area of a window rectangle; TRUE: the reverse.
    void AdjustRect(BOOL bLarger, LPRECT lpRect);
    int HitTest(TCHITTESTINFO* pHitTestInfo) const;
    CSize SetItemSize(CSize size);
    void SetPadding(CSize size);
    int SetMinTabWidth(int cx);
    int GetRowCount() const;

    DECLARE_MESSAGE_MAP()
};
