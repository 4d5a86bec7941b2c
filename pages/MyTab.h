// CMyTab: the tab control of the main dialog. Each tab carries its page (a
// child dialog) as item data; choosing a tab tells the notify window which one
// was chosen and then shows the page, sliding it in from the left on timer 1.
#pragma once

#include "platform/framework/Afxwin.h"
#include "platform/framework/TabCtrl.h"

class CMyTab : public CTabCtrl {
public:
    CMyTab();
    ~CMyTab() override;

    // Pixels the sliding page moves per tick; 0 or less shows it at rest at once.
    int m_nStep;
    // Non-zero: a newly chosen page slides in; zero: it is shown where it stands.
    BOOL m_bAnimate;

    // Adds a tab for pPage (a child of this control) and places the page at m_ptOffset;
    // only the first page added is shown.
    void AddPage(CWnd* pPage, LPCSTR lpszTitle);
    // The window that receives WM_USER + 1 + i when tab i (0 to 6) is chosen.
    void SetNotifyWnd(HWND hWnd);

protected:
    int m_nWidth;           // width of the sliding page
    CPoint m_ptBottomRight; // bottom-right corner of the slide's start position
    CPoint m_ptTopLeft;     // top-left corner of the slide's start position
    CWnd* m_pCurPage;       // the page sliding in (not owned)
    CPoint m_ptOffset;      // where every page rests inside the control
    int m_nCount;           // pages added
    HWND m_hNotifyWnd;      // receiver of the selection messages

    CWnd* GetPage(int nItem) const;
    // Puts the page at its rest position: left edge at x of m_ptOffset, top unchanged.
    void SnapPage(CWnd* pPage, int nWidth);

    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnTimer(UINT_PTR nIDEvent);
    void OnSelchange(NMHDR* pNMHDR, LRESULT* pResult);
    void OnSelchanging(NMHDR* pNMHDR, LRESULT* pResult);

    DECLARE_MESSAGE_MAP()
};
