#include "platform/framework/TabCtrl.h"

#include "platform/framework/AfxMsg.h"
#include "platform/system/controls/tab/TabClass.h"
#include "platform/system/window/WindowClass.h"

IMPLEMENT_DYNAMIC(CTabCtrl, CWnd)

BEGIN_MESSAGE_MAP(CTabCtrl, CWnd)
END_MESSAGE_MAP()

BOOL CTabCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    if (!sys::RegisterTabClass()) return FALSE;
    return CWnd::Create(sys::kTabControlClass, nullptr, dwStyle, rect, pParentWnd, nID);
}

LONG CTabCtrl::InsertItem(int nItem, TCITEM* pTabCtrlItem)
{
    return static_cast<LONG>(
        ::SendMessage(m_hWnd, TCM_INSERTITEM, static_cast<WPARAM>(nItem), reinterpret_cast<LPARAM>(pTabCtrlItem)));
}

LONG CTabCtrl::InsertItem(int nItem, LPCSTR lpszItem)
{
    return InsertItem(TCIF_TEXT, nItem, lpszItem, 0, 0);
}

LONG CTabCtrl::InsertItem(int nItem, LPCSTR lpszItem, int nImage)
{
    return InsertItem(TCIF_TEXT | TCIF_IMAGE, nItem, lpszItem, nImage, 0);
}

LONG CTabCtrl::InsertItem(UINT nMask, int nItem, LPCSTR lpszItem, int nImage, LPARAM lParam)
{
    TCITEM item{};
    item.mask = nMask;
    item.pszText = const_cast<LPSTR>(lpszItem);
    item.iImage = nImage;
    item.lParam = lParam;
    return InsertItem(nItem, &item);
}

BOOL CTabCtrl::DeleteItem(int nItem)
{
    return static_cast<BOOL>(::SendMessage(m_hWnd, TCM_DELETEITEM, static_cast<WPARAM>(nItem), 0));
}

BOOL CTabCtrl::DeleteAllItems()
{
    return static_cast<BOOL>(::SendMessage(m_hWnd, TCM_DELETEALLITEMS, 0, 0));
}

BOOL CTabCtrl::GetItem(int nItem, TCITEM* pTabCtrlItem) const
{
    return static_cast<BOOL>(
        ::SendMessage(m_hWnd, TCM_GETITEM, static_cast<WPARAM>(nItem), reinterpret_cast<LPARAM>(pTabCtrlItem)));
}

BOOL CTabCtrl::SetItem(int nItem, TCITEM* pTabCtrlItem)
{
    return static_cast<BOOL>(
        ::SendMessage(m_hWnd, TCM_SETITEM, static_cast<WPARAM>(nItem), reinterpret_cast<LPARAM>(pTabCtrlItem)));
}

int CTabCtrl::GetItemCount() const
{
    return static_cast<int>(::SendMessage(m_hWnd, TCM_GETITEMCOUNT, 0, 0));
}
int CTabCtrl::GetCurSel() const
{
    return static_cast<int>(::SendMessage(m_hWnd, TCM_GETCURSEL, 0, 0));
}

int CTabCtrl::SetCurSel(int nItem)
{
    return static_cast<int>(::SendMessage(m_hWnd, TCM_SETCURSEL, static_cast<WPARAM>(nItem), 0));
}

int CTabCtrl::GetCurFocus() const
{
    return static_cast<int>(::SendMessage(m_hWnd, TCM_GETCURFOCUS, 0, 0));
}
void CTabCtrl::SetCurFocus(int nItem)
{
    ::SendMessage(m_hWnd, TCM_SETCURFOCUS, static_cast<WPARAM>(nItem), 0);
}

BOOL CTabCtrl::GetItemRect(int nItem, LPRECT lpRect) const
{
    return static_cast<BOOL>(
        ::SendMessage(m_hWnd, TCM_GETITEMRECT, static_cast<WPARAM>(nItem), reinterpret_cast<LPARAM>(lpRect)));
}

void CTabCtrl::AdjustRect(BOOL bLarger, LPRECT lpRect)
{
    ::SendMessage(m_hWnd, TCM_ADJUSTRECT, static_cast<WPARAM>(bLarger), reinterpret_cast<LPARAM>(lpRect));
}

int CTabCtrl::HitTest(TCHITTESTINFO* pHitTestInfo) const
{
    return static_cast<int>(::SendMessage(m_hWnd, TCM_HITTEST, 0, reinterpret_cast<LPARAM>(pHitTestInfo)));
}

CSize CTabCtrl::SetItemSize(CSize size)
{
    LRESULT old = ::SendMessage(m_hWnd, TCM_SETITEMSIZE, 0, MAKELPARAM(size.cx, size.cy));
    return CSize(static_cast<int>(LOWORD(old)), static_cast<int>(HIWORD(old)));
}

void CTabCtrl::SetPadding(CSize size)
{
    ::SendMessage(m_hWnd, TCM_SETPADDING, 0, MAKELPARAM(size.cx, size.cy));
}

int CTabCtrl::SetMinTabWidth(int cx)
{
    return static_cast<int>(::SendMessage(m_hWnd, TCM_SETMINTABWIDTH, 0, static_cast<LPARAM>(cx)));
}

int CTabCtrl::GetRowCount() const
{
    return static_cast<int>(::SendMessage(m_hWnd, TCM_GETROWCOUNT, 0, 0));
}
