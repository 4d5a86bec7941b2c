// Taking a list's rows out: select all, copy to the clipboard, export as CSV,
// from the keys and from the context menu.
#include "controls/ListCtrlCl.h"

#include "analysis/CsvExport.h"
#include "controls/ListRowsCsv.h"
#include "platform/framework/FileDialog.h"
#include "platform/framework/Menu.h"
#include "platform/framework/MsgBox.h"
#include "platform/system/input/Clipboard.h"
#include "platform/system/input/VirtualKeys.h"

#include <cstring>
#include <new>

namespace {

constexpr UINT kCmdCopy = 1;
constexpr UINT kCmdSelectAll = 2;
constexpr UINT kCmdExport = 3;

// More than this is no text to paste: the clipboard would hold several
// copies of it on its way to other programs.
constexpr std::size_t kMaxCopyBytes = std::size_t(256) << 20;

constexpr char kCsvFilter[] = "CSV 文件(*.csv)|*.csv|All Files(*.*)|*.*||";

// The cells a list stores itself, for lists without a row source.
class CStoredRows : public CListRowSource {
public:
    explicit CStoredRows(const CListCtrlCl& list) : m_list(list) {}
    int GetCellText(int nRow, int nColumn, char* pszBuffer, int nSize) const override
    {
        return m_list.GetItemText(nRow, nColumn, pszBuffer, nSize);
    }

private:
    const CListCtrlCl& m_list;
};

} // namespace

const CListRowSource& CListCtrlCl::RowsForExport() const
{
    if (m_pRowSource) return *m_pRowSource;
    auto& stored = const_cast<std::unique_ptr<CListRowSource>&>(m_pStoredRows);
    if (!stored) stored = std::make_unique<CStoredRows>(*this);
    return *stored;
}

std::vector<std::string_view> CListCtrlCl::ColumnTitles() const
{
    std::vector<std::string_view> titles;
    CHeaderCtrl* pHeader = GetHeaderCtrl();
    const int nColumns = pHeader ? pHeader->GetItemCount() : 0;
    for (int c = 0; c < nColumns; ++c) {
        if (c < m_header.m_titles.GetSize()) {
            const CString& str = m_header.m_titles[c];
            titles.emplace_back(str.GetString(), static_cast<std::size_t>(str.GetLength()));
        } else {
            titles.emplace_back();
        }
    }
    return titles;
}

std::function<int(int)> CListCtrlCl::SelectedRowWalk() const
{
    const int nRows = GetItemCount();
    const auto nSelected = static_cast<int>(GetSelectedCount());
    // One selected row (the one clicked last) does not make an export of it alone.
    if (nSelected <= 1 || nSelected >= nRows) return AllListRows(nRows);
    return [this](int nRow) { return GetNextItem(nRow, LVNI_SELECTED); };
}

void CListCtrlCl::SelectAllRows()
{
    if (GetItemCount() > 0) SetItemState(-1, LVIS_SELECTED, LVIS_SELECTED);
}

BOOL CListCtrlCl::CopySelectedRows()
{
    const int nRows = GetItemCount();
    const auto nSelected = static_cast<int>(GetSelectedCount());
    if (nSelected <= 0) return FALSE;
    CListRowWalk walk = nSelected >= nRows ? AllListRows(nRows)
                                           : CListRowWalk([this](int nRow) { return GetNextItem(nRow, LVNI_SELECTED); });
    std::string text;
    bool bFits = false;
    try {
        bFits = AppendRowsText(text, static_cast<int>(ColumnTitles().size()), RowsForExport(), walk, kMaxCopyBytes);
    } catch (const std::bad_alloc&) {
        bFits = false;
    } catch (CException* e) {
        e->Delete();
        bFits = false;
    }
    if (!bFits) {
        AfxMessageBox("选中的行太多，无法放到剪贴板上。\n请少选一些行，或把它们导出为 CSV 文件。", MB_OK | MB_ICONWARNING);
        return FALSE;
    }
    HGLOBAL hText = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    char* pText = hText ? static_cast<char*>(GlobalLock(hText)) : nullptr;
    if (!pText) {
        if (hText) GlobalFree(hText);
        return FALSE;
    }
    std::memcpy(pText, text.data(), text.size());
    pText[text.size()] = '\0';
    GlobalUnlock(hText);
    text = std::string(); // the block holds it now
    if (!::OpenClipboard(m_hWnd)) {
        GlobalFree(hText);
        return FALSE;
    }
    ::EmptyClipboard();
    const bool bSet = ::SetClipboardData(CF_TEXT, hText) != nullptr;
    if (!bSet) GlobalFree(hText);
    ::CloseClipboard();
    return bSet ? TRUE : FALSE;
}

BOOL CListCtrlCl::ExportRowsCsv(LPCSTR lpszPath, CString& strError)
{
    int nError = 0;
    try {
        CAtomicFileWriter file;
        nError = file.Open(lpszPath);
        if (nError == 0) {
            CCsvWriter out(file.Fd());
            WriteRowsCsv(out, ColumnTitles(), RowsForExport(), SelectedRowWalk());
            nError = out.Flush() ? file.Commit() : out.Error();
        }
    } catch (const std::bad_alloc&) {
        nError = ENOMEM;
    } catch (CException* e) {
        e->Delete();
        nError = ENOMEM;
    }
    if (nError == 0) return TRUE;
    strError = FileErrorText(lpszPath, nError).c_str();
    return FALSE;
}

void CListCtrlCl::ExportRowsWithDialog()
{
    // The folder saved to is no reason to change the program's working folder.
    CFileDialog dlg(FALSE, "csv", m_strExportName, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_NOCHANGEDIR, kCsvFilter,
                    this);
    dlg.m_ofn.lpstrTitle = "导出为 CSV";
    if (dlg.DoModal() != IDOK) return;
    HCURSOR hOld = ::SetCursor(::LoadCursor(nullptr, IDC_WAIT));
    CString strError;
    const BOOL bDone = ExportRowsCsv(dlg.GetPathName(), strError);
    ::SetCursor(hOld);
    if (!bDone) {
        CString strText = "无法导出到这个文件，什么也没有写入：\n";
        strText += strError;
        AfxMessageBox(strText, MB_OK | MB_ICONERROR);
    }
}

void CListCtrlCl::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    const bool bCtrl = ::GetKeyState(VK_CONTROL) < 0;
    const bool bOther = ::GetKeyState(VK_SHIFT) < 0 || ::GetKeyState(VK_MENU) < 0;
    if (bCtrl && !bOther && (nChar == 'A' || nChar == 'C')) {
        if (nChar == 'A')
            SelectAllRows();
        else
            CopySelectedRows();
        return;
    }
    CListCtrl::OnKeyDown(nChar, nRepCnt, nFlags);
}

void CListCtrlCl::OnContextMenu(CWnd* pWnd, CPoint point)
{
    (void)pWnd;
    if (point.x == -1 && point.y == -1) {
        // From the keyboard: under the focused row when it shows, else at the corner.
        CRect rtClient, rtRow;
        GetClientRect(&rtClient);
        const int nFocus = GetNextItem(-1, LVNI_FOCUSED);
        if (nFocus >= 0 && GetItemRect(nFocus, &rtRow, LVIR_BOUNDS) && rtRow.bottom > rtClient.top &&
            rtRow.bottom < rtClient.bottom)
            point = CPoint(rtRow.left + 8, rtRow.bottom);
        else
            point = CPoint(rtClient.left + 8, rtClient.top + 8);
        ClientToScreen(&point);
    }
    const bool bRows = GetItemCount() > 0;
    CMenu menu;
    if (!menu.CreatePopupMenu()) return;
    menu.AppendMenu(MF_STRING | (GetSelectedCount() > 0 ? MF_ENABLED : MF_GRAYED), kCmdCopy, "复制(&C)\tCtrl+C");
    menu.AppendMenu(MF_STRING | (bRows ? MF_ENABLED : MF_GRAYED), kCmdSelectAll, "全选(&A)\tCtrl+A");
    menu.AppendMenu(MF_SEPARATOR);
    menu.AppendMenu(MF_STRING | (bRows ? MF_ENABLED : MF_GRAYED), kCmdExport, "导出为 CSV(&E)...");
    const UINT nCmd = static_cast<UINT>(
        menu.TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY, point.x, point.y, this));
    switch (nCmd) {
    case kCmdCopy: CopySelectedRows(); break;
    case kCmdSelectAll: SelectAllRows(); break;
    case kCmdExport: ExportRowsWithDialog(); break;
    default: break;
    }
}
