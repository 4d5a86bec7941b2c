#include "platform/framework/Dialog.h"

#include "platform/framework/AfxMsg.h"
#include "platform/framework/WinApp.h"
#include "platform/framework/WndInternal.h"
#include "platform/system/dialog/Resource.h"

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_COMMAND(IDOK, OnOK)
    ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

namespace {

constexpr UINT kContinueModal = 0x0001;
constexpr UINT kInModalLoop = 0x0002;

// The framework's dialog class: the dialog manager's procedure behind the
// framework's, so the object sees a dialog's messages from WM_NCCREATE on.
LPCSTR FrameworkDialogClass()
{
    static const char kName[] = "CorvaneDialog";
    // The desktop forgets classes when it is reset, so ask rather than remember.
    WNDCLASS existing{};
    bool registered = ::GetClassInfo(nullptr, kName, &existing) != 0;
    if (!registered) {
        WNDCLASS wc{};
        wc.style = CS_DBLCLKS | CS_SAVEBITS;
        wc.lpfnWndProc = &AfxWndProc;
        wc.cbWndExtra = DLGWINDOWEXTRA;
        wc.lpszClassName = kName;
        registered = ::RegisterClass(&wc) != 0;
    }
    return registered ? kName : nullptr;
}

const DialogTemplate* FindTemplate(LPCSTR name) { return name ? sys::FindDialogTemplate(name) : nullptr; }

} // namespace

CDialog::CDialog() = default;

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_lpszTemplateName(MAKEINTRESOURCE(nIDTemplate)), m_nIDHelp(nIDTemplate), m_pParentWnd(pParentWnd)
{
}

CDialog::CDialog(LPCSTR lpszTemplateName, CWnd* pParentWnd)
    : m_lpszTemplateName(lpszTemplateName), m_pParentWnd(pParentWnd)
{
}

CDialog::~CDialog()
{
    if (m_hWnd && FromHandlePermanent(m_hWnd) == this) DestroyWindow();
}

INT_PTR AfxDlgProc(HWND hWnd, UINT message, WPARAM, LPARAM)
{
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    // A template that names its own window class: take the dialog over at its
    // first message to the dialog procedure.
    if (!pWnd && afxinternal::AttachCreating(hWnd)) pWnd = CWnd::FromHandlePermanent(hWnd);
    if (message == WM_INITDIALOG) {
        auto* dlg = DYNAMIC_DOWNCAST(CDialog, pWnd);
        return dlg ? dlg->OnInitDialog() : TRUE;
    }
    return FALSE;
}

BOOL CDialog::CreateDlgIndirect(const DialogTemplate* lpDialogTemplate, HWND hWndParent)
{
    if (!lpDialogTemplate || m_hWnd) return FALSE;
    DialogTemplate copy = *lpDialogTemplate;
    bool ownClass = copy.className.empty();
    if (ownClass) {
        LPCSTR cls = FrameworkDialogClass();
        if (!cls) return FALSE;
        copy.className = cls;
    }
    afxinternal::PendingWnd prev = afxinternal::SetWndInit({this, &DefDlgProcA});
    HWND h = ::CreateDialogIndirectParam(nullptr, &copy, hWndParent, &AfxDlgProc, 0);
    afxinternal::SetWndInit(prev);
    if (!h) {
        // The window may have come and gone during creation.
        if (m_hWnd && !::IsWindow(m_hWnd)) Detach();
        return FALSE;
    }
    if (m_hWnd != h && !FromHandlePermanent(h)) SubclassWindow(h);
    return m_hWnd == h;
}

BOOL CDialog::Create(LPCSTR lpszTemplateName, CWnd* pParentWnd)
{
    m_lpszTemplateName = lpszTemplateName;
    if (IS_INTRESOURCE(lpszTemplateName))
        m_nIDHelp = static_cast<UINT>(reinterpret_cast<std::uintptr_t>(lpszTemplateName));
    m_pParentWnd = pParentWnd;
    return CreateDlgIndirect(FindTemplate(lpszTemplateName), AfxSafeHwnd(pParentWnd));
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd) { return Create(MAKEINTRESOURCE(nIDTemplate), pParentWnd); }

BOOL CDialog::CreateIndirect(const DialogTemplate* lpDialogTemplate, CWnd* pParentWnd)
{
    m_pParentWnd = pParentWnd;
    return CreateDlgIndirect(lpDialogTemplate, AfxSafeHwnd(pParentWnd));
}

INT_PTR CDialog::DoModal()
{
    const DialogTemplate* tmpl = FindTemplate(m_lpszTemplateName);
    if (!tmpl || m_hWnd) return -1;

    HWND owner = nullptr;
    GetSafeOwner(m_pParentWnd, &owner);
    if (owner == m_hWnd) owner = nullptr;
    bool reenable = false;
    if (owner && ::IsWindowEnabled(owner)) {
        ::EnableWindow(owner, FALSE);
        reenable = true;
    }

    // A modal dialog is a popup even when its template says child.
    DialogTemplate popup = *tmpl;
    if ((popup.style & WS_CHILD) != 0) popup.style = (popup.style & ~WS_CHILD) | WS_POPUP;

    m_nModalResult = -1;
    m_nFlags |= kContinueModal;
    if (CreateDlgIndirect(&popup, owner)) {
        if (ContinueModal()) RunModalLoop();
    }
    m_nFlags &= ~(kContinueModal | kInModalLoop);

    if (m_hWnd)
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                       SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
    if (reenable && ::IsWindow(owner)) ::EnableWindow(owner, TRUE);
    if (owner && ::IsWindow(owner) && (!m_hWnd || ::GetActiveWindow() == m_hWnd || !::GetActiveWindow()))
        ::SetActiveWindow(owner);
    if (m_hWnd) DestroyWindow();
    return m_nModalResult;
}

BOOL CDialog::ContinueModal() const { return (m_nFlags & kContinueModal) != 0 && m_hWnd != nullptr; }

void CDialog::EndModalLoop(int nResult)
{
    m_nModalResult = nResult;
    if (m_nFlags & kContinueModal) {
        m_nFlags &= ~kContinueModal;
        // Wakes the loop if it is waiting for a message.
        ::PostMessage(m_hWnd, WM_NULL, 0, 0);
    }
}

int CDialog::RunModalLoop()
{
    bool showOnIdle = (GetStyle() & WS_VISIBLE) == 0;
    HWND parent = ::GetParent(m_hWnd);
    m_nFlags |= kInModalLoop;
    MSG msg{};
    while (ContinueModal()) {
        if (!::PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            if (showOnIdle) {
                ShowWindow(SW_SHOWNORMAL);
                UpdateWindow();
                showOnIdle = false;
            }
            if (parent && (GetStyle() & DS_NOIDLEMSG) == 0)
                ::SendMessage(parent, WM_ENTERIDLE, MSGF_DIALOGBOX, reinterpret_cast<LPARAM>(m_hWnd));
            AfxIdleCleanup();
            if (!ContinueModal()) break;
        }
        if (!AfxPumpMessage()) {
            // The program is ending: let the outer loop see the quit as well.
            ::PostQuitMessage(static_cast<int>(AfxGetCurrentPumpedMessage().wParam));
            break;
        }
    }
    m_nFlags &= ~kInModalLoop;
    return m_nModalResult;
}

void CDialog::EndDialog(int nResult)
{
    if (m_nFlags & (kInModalLoop | kContinueModal)) EndModalLoop(nResult);
    if (m_hWnd) ::EndDialog(m_hWnd, nResult);
}

BOOL CDialog::OnInitDialog()
{
    if (!UpdateData(FALSE)) {
        EndDialog(-1);
        return FALSE;
    }
    return TRUE;
}

void CDialog::OnOK()
{
    if (!UpdateData(TRUE)) return;
    EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

BOOL CDialog::PreTranslateInput(LPMSG lpMsg)
{
    if (!lpMsg) return FALSE;
    bool key = lpMsg->message >= WM_KEYFIRST && lpMsg->message <= WM_KEYLAST;
    bool mouse = lpMsg->message >= WM_MOUSEFIRST && lpMsg->message <= WM_MOUSELAST;
    if (!key && !mouse) return FALSE;
    return IsDialogMessage(lpMsg);
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg)
{
    if (CWnd::PreTranslateMessage(pMsg)) return TRUE;
    return PreTranslateInput(pMsg);
}

BOOL CDialog::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
    // Plain commands the dialog does not handle go on to the application.
    if (HIWORD(static_cast<UINT>(nCode)) != 0 || LOWORD(static_cast<UINT>(nCode)) != CN_COMMAND) return FALSE;
    CWinApp* app = AfxGetApp();
    return app ? app->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo) : FALSE;
}

void CDialog::NextDlgCtrl() const { ::SendMessage(m_hWnd, WM_NEXTDLGCTL, 0, 0); }
void CDialog::PrevDlgCtrl() const { ::SendMessage(m_hWnd, WM_NEXTDLGCTL, 1, 0); }
void CDialog::GotoDlgCtrl(CWnd* pWndCtrl)
{
    ::SendMessage(m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(AfxSafeHwnd(pWndCtrl)), 1);
}
void CDialog::MapDialogRect(LPRECT lpRect) const { ::MapDialogRect(m_hWnd, lpRect); }
