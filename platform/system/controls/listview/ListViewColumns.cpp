// The list view's columns, mirrored as the items of its header; widths follow
// the header's notifications, so dragging a divider resizes the column.
#include "platform/system/controls/listview/ListViewInternal.h"
#include "platform/system/gdi/Gdi.h"

#include <algorithm>
#include <cstring>

namespace sys::lv {

namespace {

constexpr int kAutosizePad = 12;

HDITEM HeaderItemOf(const Column& c)
{
    HDITEM hdi{};
    hdi.mask = HDI_WIDTH | HDI_FORMAT | HDI_TEXT;
    hdi.cxy = c.width;
    hdi.fmt = (c.fmt & HDF_JUSTIFYMASK) | HDF_STRING;
    hdi.pszText = const_cast<LPSTR>(c.text.GetString());
    return hdi;
}

void SyncWidth(ListView& lv, int column)
{
    if (!lv.header || column < 0 || column >= static_cast<int>(lv.columns.size())) return;
    HDITEM hdi{};
    hdi.mask = HDI_WIDTH;
    if (SendMessage(lv.header, HDM_GETITEM, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&hdi)))
        lv.columns[static_cast<std::size_t>(column)].width = std::max(0, hdi.cxy);
}

void Apply(Column& c, const LVCOLUMN& in)
{
    if (in.mask & LVCF_FMT) c.fmt = in.fmt;
    if (in.mask & LVCF_WIDTH) c.width = std::max(0, in.cx);
    if (in.mask & LVCF_TEXT) c.text = (in.pszText && in.pszText != LPSTR_TEXTCALLBACK) ? in.pszText : "";
    if (in.mask & LVCF_SUBITEM) c.subItem = in.iSubItem;
    if (in.mask & LVCF_IMAGE) c.image = in.iImage;
}

LRESULT InsertColumn(ListView& lv, int index, const LVCOLUMN* in)
{
    if (!in || index < 0) return -1;
    if ((in->mask & LVCF_SUBITEM) && (in->iSubItem < 0 || in->iSubItem >= ListRows::kMaxSubItems)) return -1;
    index = std::min(index, static_cast<int>(lv.columns.size()));
    Column c;
    c.subItem = index;
    Apply(c, *in);
    lv.columns.insert(lv.columns.begin() + index, c);
    if (lv.header) {
        HDITEM hdi = HeaderItemOf(lv.columns[static_cast<std::size_t>(index)]);
        SendMessage(lv.header, HDM_INSERTITEM, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&hdi));
    }
    if (ListView* cur = From(lv.hwnd)) Refresh(*cur);
    return index;
}

LRESULT GetColumn(const ListView& lv, int index, LVCOLUMN* out)
{
    if (!out || index < 0 || index >= static_cast<int>(lv.columns.size())) return FALSE;
    const Column& c = lv.columns[static_cast<std::size_t>(index)];
    if (out->mask & LVCF_FMT) out->fmt = c.fmt;
    if (out->mask & LVCF_WIDTH) out->cx = c.width;
    if ((out->mask & LVCF_TEXT) && out->pszText && out->cchTextMax > 0) {
        int n = static_cast<int>(std::min<std::ptrdiff_t>(c.text.GetLength(), out->cchTextMax - 1));
        std::memcpy(out->pszText, c.text.GetString(), static_cast<std::size_t>(n));
        out->pszText[n] = '\0';
    }
    if (out->mask & LVCF_SUBITEM) out->iSubItem = c.subItem;
    if (out->mask & LVCF_IMAGE) out->iImage = c.image;
    if (out->mask & LVCF_ORDER) out->iOrder = index;
    return TRUE;
}

LRESULT SetColumn(ListView& lv, int index, const LVCOLUMN* in)
{
    if (!in || index < 0 || index >= static_cast<int>(lv.columns.size())) return FALSE;
    if ((in->mask & LVCF_SUBITEM) && (in->iSubItem < 0 || in->iSubItem >= ListRows::kMaxSubItems)) return FALSE;
    Apply(lv.columns[static_cast<std::size_t>(index)], *in);
    if (lv.header) {
        HDITEM hdi = HeaderItemOf(lv.columns[static_cast<std::size_t>(index)]);
        SendMessage(lv.header, HDM_SETITEM, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&hdi));
    }
    if (ListView* cur = From(lv.hwnd)) {
        SyncWidth(*cur, index);
        Refresh(*cur);
    }
    return TRUE;
}

int TextWidth(HDC hdc, const CString& text)
{
    SIZE size{0, 0};
    GetTextExtentPoint32(hdc, text.GetString(), static_cast<int>(text.GetLength()), &size);
    return size.cx;
}

// The widest text of a column, its title included when asked.
int AutoWidth(const ListView& lv, int index, bool withHeader)
{
    HDC hdc = GetDC(lv.hwnd);
    if (!hdc) return 0;
    HGDIOBJ old = SelectObject(hdc, lv.font ? static_cast<HGDIOBJ>(lv.font) : GetStockObject(DEFAULT_GUI_FONT));
    const Column& c = lv.columns[static_cast<std::size_t>(index)];
    int widest = withHeader ? TextWidth(hdc, c.text) : 0;
    for (int row = 0; row < lv.rows.Count(); ++row)
        widest = std::max(widest, TextWidth(hdc, lv.rows.Text(row, c.subItem)));
    SelectObject(hdc, old);
    ReleaseDC(lv.hwnd, hdc);
    return widest + kAutosizePad;
}

LRESULT SetColumnWidth(ListView& lv, int index, int width)
{
    if (index < 0 || index >= static_cast<int>(lv.columns.size())) return FALSE;
    if (width == LVSCW_AUTOSIZE || width == LVSCW_AUTOSIZE_USEHEADER) {
        bool useHeader = width == LVSCW_AUTOSIZE_USEHEADER;
        width = AutoWidth(lv, index, useHeader);
        // The last column then fills what is left of the client area.
        if (useHeader && index + 1 == static_cast<int>(lv.columns.size())) {
            RECT client{};
            GetClientRect(lv.hwnd, &client);
            width = std::max(width, client.right - ColumnLeft(lv, index));
        }
    }
    width = std::max(0, width);
    lv.columns[static_cast<std::size_t>(index)].width = width;
    HWND self = lv.hwnd;
    if (lv.header) {
        HDITEM hdi{};
        hdi.mask = HDI_WIDTH;
        hdi.cxy = width;
        SendMessage(lv.header, HDM_SETITEM, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&hdi));
    }
    if (ListView* cur = From(self)) {
        SyncWidth(*cur, index);
        Refresh(*cur);
    }
    return TRUE;
}

LRESULT DeleteColumn(ListView& lv, int index)
{
    if (index < 0 || index >= static_cast<int>(lv.columns.size())) return FALSE;
    lv.columns.erase(lv.columns.begin() + index);
    if (lv.header) SendMessage(lv.header, HDM_DELETEITEM, static_cast<WPARAM>(index), 0);
    if (ListView* cur = From(lv.hwnd)) Refresh(*cur);
    return TRUE;
}

} // namespace

LRESULT ColumnMessage(ListView& lv, UINT message, WPARAM wParam, LPARAM lParam, bool* handled)
{
    *handled = true;
    int index = static_cast<int>(static_cast<LONG_PTR>(wParam));
    switch (message) {
    case LVM_INSERTCOLUMN: return InsertColumn(lv, index, reinterpret_cast<const LVCOLUMN*>(lParam));
    case LVM_GETCOLUMN: return GetColumn(lv, index, reinterpret_cast<LVCOLUMN*>(lParam));
    case LVM_SETCOLUMN: return SetColumn(lv, index, reinterpret_cast<const LVCOLUMN*>(lParam));
    case LVM_DELETECOLUMN: return DeleteColumn(lv, index);
    case LVM_GETCOLUMNWIDTH:
        if (index < 0 || index >= static_cast<int>(lv.columns.size())) return 0;
        return lv.columns[static_cast<std::size_t>(index)].width;
    case LVM_SETCOLUMNWIDTH:
        return SetColumnWidth(lv, index,
                              static_cast<int>(static_cast<short>(LOWORD(static_cast<std::uintptr_t>(lParam)))));
    case LVM_GETHEADER: return reinterpret_cast<LRESULT>(lv.header);
    case LVM_GETCOLUMNORDERARRAY: {
        auto* order = reinterpret_cast<int*>(lParam);
        if (!order || index < 0 || index > static_cast<int>(lv.columns.size())) return FALSE;
        for (int i = 0; i < index; ++i)
            order[i] = i;
        return TRUE;
    }
    default: *handled = false; return 0;
    }
}

LRESULT OnHeaderNotify(ListView& lv, NMHDR* hdr, LPARAM lParam)
{
    HWND self = lv.hwnd;
    auto* nm = reinterpret_cast<NMHEADER*>(hdr);
    if (hdr->code == HDN_ITEMCHANGED && nm->pitem && (nm->pitem->mask & HDI_WIDTH) && nm->iItem >= 0 &&
        nm->iItem < static_cast<int>(lv.columns.size())) {
        lv.columns[static_cast<std::size_t>(nm->iItem)].width = std::max(0, nm->pitem->cxy);
        Refresh(lv);
    }
    ListView* cur = From(self);
    if (!cur || !cur->notify) return 0;
    if (hdr->code == HDN_ITEMCLICK) {
        int column = nm->iItem;
        NMLISTVIEW click{};
        click.iItem = -1;
        click.iSubItem = column;
        Notify(*cur, LVN_COLUMNCLICK, &click.hdr);
        cur = From(self);
        if (!cur || !cur->notify) return 0;
    }
    // The owner sees its list's header notifications as they are, and may veto.
    return SendMessage(cur->notify, WM_NOTIFY, hdr->idFrom, lParam);
}

} // namespace sys::lv
