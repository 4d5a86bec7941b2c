#include "platform/framework/ListCtrl.h"

#include "platform/framework/OwnerDraw.h"
#include "platform/framework/TempMap.h"
#include "platform/system/controls/listview/ListViewClass.h"

IMPLEMENT_DYNAMIC(CListCtrl, CWnd)

namespace {

// The temporary header wrapper GetHeaderCtrl hands out when no object owns the
// header window; it never owns the window.
struct TempHeader : CHeaderCtrl {
    static void ReleaseTemporary(TempHeader* h) { h->m_hWnd = nullptr; }
};

WPARAM W(int v) { return static_cast<WPARAM>(static_cast<LONG_PTR>(v)); }
template <class T> LPARAM L(T* p) { return reinterpret_cast<LPARAM>(p); }

} // namespace

CListCtrl::~CListCtrl() = default;

LRESULT CListCtrl::Send(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return m_hWnd ? ::SendMessage(m_hWnd, message, wParam, lParam) : 0;
}

BOOL CListCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    sys::RegisterListViewClasses();
    return CWnd::Create(WC_LISTVIEW, nullptr, dwStyle, rect, pParentWnd, nID);
}

COLORREF CListCtrl::GetBkColor() const { return static_cast<COLORREF>(Send(LVM_GETBKCOLOR)); }
BOOL CListCtrl::SetBkColor(COLORREF cr) { return static_cast<BOOL>(Send(LVM_SETBKCOLOR, 0, static_cast<LPARAM>(cr))); }
COLORREF CListCtrl::GetTextColor() const { return static_cast<COLORREF>(Send(LVM_GETTEXTCOLOR)); }
BOOL CListCtrl::SetTextColor(COLORREF cr) { return static_cast<BOOL>(Send(LVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(cr))); }
COLORREF CListCtrl::GetTextBkColor() const { return static_cast<COLORREF>(Send(LVM_GETTEXTBKCOLOR)); }
BOOL CListCtrl::SetTextBkColor(COLORREF cr)
{
    return static_cast<BOOL>(Send(LVM_SETTEXTBKCOLOR, 0, static_cast<LPARAM>(cr)));
}

DWORD CListCtrl::GetExtendedStyle() const { return static_cast<DWORD>(Send(LVM_GETEXTENDEDLISTVIEWSTYLE)); }

DWORD CListCtrl::SetExtendedStyle(DWORD dwNewStyle)
{
    // A zero mask replaces every extended style.
    return static_cast<DWORD>(Send(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, static_cast<LPARAM>(dwNewStyle)));
}

CHeaderCtrl* CListCtrl::GetHeaderCtrl() const
{
    auto header = reinterpret_cast<HWND>(Send(LVM_GETHEADER));
    if (!header) return nullptr;
    if (CWnd* owner = CWnd::FromHandlePermanent(header)) {
        if (auto* h = dynamic_cast<CHeaderCtrl*>(owner)) return h;
    }
    return afxinternal::TempMap<TempHeader>::Get(header, [header] {
        auto* h = new TempHeader;
        h->m_hWnd = header;
        return h;
    });
}

int CListCtrl::GetTopIndex() const { return static_cast<int>(Send(LVM_GETTOPINDEX)); }
int CListCtrl::GetCountPerPage() const { return static_cast<int>(Send(LVM_GETCOUNTPERPAGE)); }
UINT CListCtrl::GetSelectedCount() const { return static_cast<UINT>(Send(LVM_GETSELECTEDCOUNT)); }
int CListCtrl::GetSelectionMark() const { return static_cast<int>(Send(LVM_GETSELECTIONMARK)); }
int CListCtrl::SetSelectionMark(int iIndex) { return static_cast<int>(Send(LVM_SETSELECTIONMARK, 0, iIndex)); }
int CListCtrl::GetStringWidth(LPCSTR lpsz) const { return static_cast<int>(Send(LVM_GETSTRINGWIDTH, 0, L(lpsz))); }

int CListCtrl::GetItemCount() const { return static_cast<int>(Send(LVM_GETITEMCOUNT)); }
BOOL CListCtrl::SetItemCount(int nItems) { return static_cast<BOOL>(Send(LVM_SETITEMCOUNT, W(nItems))); }
BOOL CListCtrl::GetItem(LVITEM* pItem) const { return static_cast<BOOL>(Send(LVM_GETITEM, 0, L(pItem))); }
BOOL CListCtrl::SetItem(const LVITEM* pItem) { return static_cast<BOOL>(Send(LVM_SETITEM, 0, L(pItem))); }

BOOL CListCtrl::SetItem(int nItem, int nSubItem, UINT nMask, LPCSTR lpszItem, int nImage, UINT nState,
                        UINT nStateMask, LPARAM lParam)
{
    LVITEM item{};
    item.mask = nMask;
    item.iItem = nItem;
    item.iSubItem = nSubItem;
    item.state = nState;
    item.stateMask = nStateMask;
    item.pszText = const_cast<LPSTR>(lpszItem);
    item.iImage = nImage;
    item.lParam = lParam;
    return SetItem(&item);
}

UINT CListCtrl::GetItemState(int nItem, UINT nMask) const
{
    return static_cast<UINT>(Send(LVM_GETITEMSTATE, W(nItem), static_cast<LPARAM>(nMask)));
}

BOOL CListCtrl::SetItemState(int nItem, UINT nState, UINT nMask)
{
    LVITEM item{};
    item.state = nState;
    item.stateMask = nMask;
    return SetItemState(nItem, &item);
}

BOOL CListCtrl::SetItemState(int nItem, LVITEM* pItem)
{
    return static_cast<BOOL>(Send(LVM_SETITEMSTATE, W(nItem), L(pItem)));
}

CString CListCtrl::GetItemText(int nItem, int nSubItem) const
{
    // Grow the buffer until the text fits with room to spare.
    for (int size = 256;; size *= 2) {
        CString text;
        LVITEM item{};
        item.iSubItem = nSubItem;
        item.cchTextMax = size;
        item.pszText = text.GetBuffer(size);
        int n = static_cast<int>(Send(LVM_GETITEMTEXT, W(nItem), L(&item)));
        text.ReleaseBuffer(n);
        if (n < size - 1 || size >= (1 << 28)) return text;
    }
}

int CListCtrl::GetItemText(int nItem, int nSubItem, LPSTR lpszText, int nLen) const
{
    LVITEM item{};
    item.iSubItem = nSubItem;
    item.cchTextMax = nLen;
    item.pszText = lpszText;
    return static_cast<int>(Send(LVM_GETITEMTEXT, W(nItem), L(&item)));
}

BOOL CListCtrl::SetItemText(int nItem, int nSubItem, LPCSTR lpszText)
{
    LVITEM item{};
    item.iSubItem = nSubItem;
    item.pszText = const_cast<LPSTR>(lpszText);
    return static_cast<BOOL>(Send(LVM_SETITEMTEXT, W(nItem), L(&item)));
}

BOOL CListCtrl::SetItemText(int nItem, int nSubItem, const CString& strText)
{
    LVITEM item{};
    item.mask = LVIF_SHAREDTEXT;
    item.iSubItem = nSubItem;
    item.pszText = reinterpret_cast<LPSTR>(const_cast<CString*>(&strText));
    return static_cast<BOOL>(Send(LVM_SETITEMTEXT, W(nItem), L(&item)));
}

DWORD_PTR CListCtrl::GetItemData(int nItem) const
{
    LVITEM item{};
    item.mask = LVIF_PARAM;
    item.iItem = nItem;
    return GetItem(&item) ? static_cast<DWORD_PTR>(item.lParam) : 0;
}

BOOL CListCtrl::SetItemData(int nItem, DWORD_PTR dwData)
{
    return SetItem(nItem, 0, LVIF_PARAM, nullptr, 0, 0, 0, static_cast<LPARAM>(dwData));
}

int CListCtrl::GetNextItem(int nItem, int nFlags) const
{
    return static_cast<int>(Send(LVM_GETNEXTITEM, W(nItem), MAKELPARAM(static_cast<WORD>(nFlags), 0)));
}

POSITION CListCtrl::GetFirstSelectedItemPosition() const
{
    return reinterpret_cast<POSITION>(static_cast<std::intptr_t>(1 + GetNextItem(-1, LVNI_SELECTED)));
}

int CListCtrl::GetNextSelectedItem(POSITION& pos) const
{
    int current = static_cast<int>(reinterpret_cast<std::intptr_t>(pos)) - 1;
    pos = reinterpret_cast<POSITION>(static_cast<std::intptr_t>(1 + GetNextItem(current, LVNI_SELECTED)));
    return current;
}

BOOL CListCtrl::GetItemRect(int nItem, LPRECT lpRect, UINT nCode) const
{
    if (!lpRect) return FALSE;
    lpRect->left = static_cast<LONG>(nCode);
    return static_cast<BOOL>(Send(LVM_GETITEMRECT, W(nItem), L(lpRect)));
}

BOOL CListCtrl::GetSubItemRect(int iItem, int iSubItem, int nArea, CRect& ref) const
{
    ref.top = iSubItem;
    ref.left = nArea;
    return static_cast<BOOL>(Send(LVM_GETSUBITEMRECT, W(iItem), L(static_cast<RECT*>(&ref))));
}

int CListCtrl::InsertItem(const LVITEM* pItem) { return static_cast<int>(Send(LVM_INSERTITEM, 0, L(pItem))); }

int CListCtrl::InsertItem(int nItem, LPCSTR lpszItem)
{
    return InsertItem(LVIF_TEXT, nItem, lpszItem, 0, 0, 0, 0);
}

int CListCtrl::InsertItem(int nItem, const CString& strItem)
{
    LVITEM item{};
    item.mask = LVIF_TEXT | LVIF_SHAREDTEXT;
    item.iItem = nItem;
    item.pszText = reinterpret_cast<LPSTR>(const_cast<CString*>(&strItem));
    return InsertItem(&item);
}

int CListCtrl::InsertItem(int nItem, LPCSTR lpszItem, int nImage)
{
    return InsertItem(LVIF_TEXT | LVIF_IMAGE, nItem, lpszItem, 0, 0, nImage, 0);
}

int CListCtrl::InsertItem(UINT nMask, int nItem, LPCSTR lpszItem, UINT nState, UINT nStateMask, int nImage,
                          LPARAM lParam)
{
    LVITEM item{};
    item.mask = nMask;
    item.iItem = nItem;
    item.state = nState;
    item.stateMask = nStateMask;
    item.pszText = const_cast<LPSTR>(lpszItem);
    item.iImage = nImage;
    item.lParam = lParam;
    return InsertItem(&item);
}

BOOL CListCtrl::DeleteItem(int nItem) { return static_cast<BOOL>(Send(LVM_DELETEITEM, W(nItem))); }
BOOL CListCtrl::DeleteAllItems() { return static_cast<BOOL>(Send(LVM_DELETEALLITEMS)); }

int CListCtrl::HitTest(LVHITTESTINFO* pHitTestInfo) const
{
    return static_cast<int>(Send(LVM_HITTEST, 0, L(pHitTestInfo)));
}

int CListCtrl::HitTest(CPoint pt, UINT* pFlags) const
{
    LVHITTESTINFO info{};
    info.pt = pt;
    int item = HitTest(&info);
    if (pFlags) *pFlags = info.flags;
    return item;
}

int CListCtrl::SubItemHitTest(LPLVHITTESTINFO pInfo) { return static_cast<int>(Send(LVM_SUBITEMHITTEST, 0, L(pInfo))); }

BOOL CListCtrl::EnsureVisible(int nItem, BOOL bPartialOK)
{
    return static_cast<BOOL>(Send(LVM_ENSUREVISIBLE, W(nItem), bPartialOK));
}

BOOL CListCtrl::Scroll(CSize size) { return static_cast<BOOL>(Send(LVM_SCROLL, W(size.cx), size.cy)); }
BOOL CListCtrl::RedrawItems(int nFirst, int nLast) { return static_cast<BOOL>(Send(LVM_REDRAWITEMS, W(nFirst), nLast)); }
BOOL CListCtrl::Update(int nItem) { return static_cast<BOOL>(Send(LVM_UPDATE, W(nItem))); }

BOOL CListCtrl::GetColumn(int nCol, LVCOLUMN* pColumn) const
{
    return static_cast<BOOL>(Send(LVM_GETCOLUMN, W(nCol), L(pColumn)));
}

BOOL CListCtrl::SetColumn(int nCol, const LVCOLUMN* pColumn)
{
    return static_cast<BOOL>(Send(LVM_SETCOLUMN, W(nCol), L(pColumn)));
}

int CListCtrl::GetColumnWidth(int nCol) const { return static_cast<int>(Send(LVM_GETCOLUMNWIDTH, W(nCol))); }

BOOL CListCtrl::SetColumnWidth(int nCol, int cx)
{
    return static_cast<BOOL>(Send(LVM_SETCOLUMNWIDTH, W(nCol), MAKELPARAM(static_cast<WORD>(cx), 0)));
}

int CListCtrl::InsertColumn(int nCol, const LVCOLUMN* pColumn)
{
    if (!m_hWnd) return -1;
    return static_cast<int>(Send(LVM_INSERTCOLUMN, W(nCol), L(pColumn)));
}

int CListCtrl::InsertColumn(int nCol, LPCSTR lpszColumnHeading, int nFormat, int nWidth, int nSubItem)
{
    LVCOLUMN column{};
    column.mask = LVCF_TEXT | LVCF_FMT;
    column.pszText = const_cast<LPSTR>(lpszColumnHeading);
    column.fmt = nFormat;
    if (nWidth != -1) {
        column.mask |= LVCF_WIDTH;
        column.cx = nWidth;
    }
    if (nSubItem != -1) {
        column.mask |= LVCF_SUBITEM;
        column.iSubItem = nSubItem;
    }
    return InsertColumn(nCol, &column);
}

BOOL CListCtrl::DeleteColumn(int nCol) { return static_cast<BOOL>(Send(LVM_DELETECOLUMN, W(nCol))); }

void CListCtrl::DrawItem(LPDRAWITEMSTRUCT) {}

BOOL CListCtrl::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message != WM_DRAWITEM) return CWnd::OnChildNotify(message, wParam, lParam, pResult);
    DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
    if (pResult) *pResult = TRUE;
    return TRUE;
}
