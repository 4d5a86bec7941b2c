// Commands, notifications and reflection: a control's WM_COMMAND, WM_NOTIFY,
// owner-draw and colour messages go to its parent, which offers them back to
// the control first; PreTranslateMessage runs along the parent chain.
#include "platform/framework/AfxMsg.h"
#include "platform/framework/OwnerDraw.h"
#include "platform/system/dialog/Dialog.h"

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
    ON_WM_DRAWITEM()
    ON_WM_MEASUREITEM()
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

namespace {
LPARAM PackCode(UINT code, UINT message)
{
    return static_cast<LPARAM>(MAKELONG(static_cast<WORD>(code & 0xFFFF), static_cast<WORD>(message)));
}
} // namespace

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    UINT nID = LOWORD(wParam);
    auto hWndCtrl = reinterpret_cast<HWND>(lParam);
    UINT nCode = HIWORD(wParam);
    if (!hWndCtrl) {
        nCode = CN_COMMAND; // a menu or accelerator
    } else if (CWnd* child = FromHandlePermanent(hWndCtrl)) {
        LRESULT ignored = 0;
        if (child->OnChildNotify(WM_COMMAND, wParam, lParam, &ignored)) return TRUE;
    }
    return OnCmdMsg(nID, static_cast<int>(nCode), nullptr, nullptr);
}

BOOL CWnd::OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult)
{
    auto* hdr = reinterpret_cast<NMHDR*>(lParam);
    if (!hdr) return FALSE;
    LRESULT local = 0;
    if (!pResult) pResult = &local;
    if (CWnd* child = FromHandlePermanent(hdr->hwndFrom)) {
        if (child->OnChildNotify(WM_NOTIFY, static_cast<WPARAM>(hdr->idFrom), lParam, pResult)) return TRUE;
    }
    AFX_NOTIFY notify{pResult, hdr};
    return OnCmdMsg(static_cast<UINT>(hdr->idFrom), static_cast<int>(PackCode(hdr->code, WM_NOTIFY)), &notify,
                    nullptr);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    return ReflectChildNotify(message, wParam, lParam, pResult);
}

BOOL CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    LRESULT local = 0;
    if (!pResult) pResult = &local;
    switch (message) {
    case WM_COMMAND: {
        // Only this object's map: the reflected command must not wander to the application.
        UINT code = HIWORD(wParam);
        if (CCmdTarget::OnCmdMsg(0, static_cast<int>(PackCode(code, WM_REFLECT_BASE + WM_COMMAND)), nullptr,
                                 nullptr)) {
            *pResult = 1;
            return TRUE;
        }
        return FALSE;
    }
    case WM_NOTIFY: {
        auto* hdr = reinterpret_cast<NMHDR*>(lParam);
        if (!hdr) return FALSE;
        AFX_NOTIFY notify{pResult, hdr};
        return CCmdTarget::OnCmdMsg(0, static_cast<int>(PackCode(hdr->code, WM_REFLECT_BASE + WM_NOTIFY)), &notify,
                                    nullptr);
    }
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_DELETEITEM:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_PARENTNOTIFY:
        return OnWndMsg(WM_REFLECT_BASE + message, wParam, lParam, pResult);
    default:
        break;
    }
    if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) {
        LRESULT brush = 0;
        if (!OnWndMsg(WM_REFLECT_BASE + WM_CTLCOLOR, wParam, static_cast<LPARAM>(message - WM_CTLCOLORMSGBOX), &brush))
            return FALSE;
        // A control that answers with no brush leaves the colours to its parent.
        if (brush == 0) return FALSE;
        *pResult = brush;
        return TRUE;
    }
    return FALSE;
}

BOOL CWnd::ReflectLastMsg(HWND hWndChild, LRESULT* pResult)
{
    CWnd* child = FromHandlePermanent(hWndChild);
    if (!child) return FALSE;
    const AfxCurrentMessage& m = AfxGetCurrentMessage();
    return child->OnChildNotify(m.message, m.wParam, m.lParam, pResult);
}

void CWnd::OnDrawItem(int, DRAWITEMSTRUCT* lpDrawItemStruct)
{
    if (lpDrawItemStruct && lpDrawItemStruct->CtlType != ODT_MENU && ReflectLastMsg(lpDrawItemStruct->hwndItem))
        return;
    Default();
}

void CWnd::OnMeasureItem(int, MEASUREITEMSTRUCT* lpMeasureItemStruct)
{
    // The structure names the control by id only.
    if (lpMeasureItemStruct && lpMeasureItemStruct->CtlType != ODT_MENU) {
        HWND child = ::GetDlgItem(m_hWnd, static_cast<int>(lpMeasureItemStruct->CtlID));
        if (child && ReflectLastMsg(child)) return;
    }
    Default();
}

HBRUSH CWnd::OnCtlColor(CDC*, CWnd* pWnd, UINT)
{
    LRESULT brush = 0;
    if (pWnd && pWnd->m_hWnd && pWnd->m_hWnd != m_hWnd && ReflectLastMsg(pWnd->m_hWnd, &brush))
        return reinterpret_cast<HBRUSH>(brush);
    return reinterpret_cast<HBRUSH>(Default());
}

BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }

BOOL CWnd::WalkPreTranslateTree(HWND hWndStop, MSG* pMsg)
{
    if (!pMsg) return FALSE;
    for (HWND h = pMsg->hwnd; h; h = ::GetParent(h)) {
        if (CWnd* p = FromHandlePermanent(h)) {
            if (p->PreTranslateMessage(pMsg)) return TRUE;
        }
        if (h == hWndStop) break;
    }
    return FALSE;
}

BOOL CWnd::IsDialogMessage(LPMSG lpMsg) { return m_hWnd && lpMsg ? ::IsDialogMessage(m_hWnd, lpMsg) : FALSE; }
