// The handle map, the framework's window procedure and attaching windows to objects.
#include "platform/framework/AfxMsg.h"
#include "platform/framework/ExceptionReport.h"
#include "platform/framework/TempMap.h"
#include "platform/framework/WinApp.h"
#include "platform/framework/WndInternal.h"

#include <new>
#include <unordered_map>

IMPLEMENT_DYNCREATE(CWnd, CCmdTarget)

namespace {

std::unordered_map<HWND, CWnd*>& Permanent()
{
    static std::unordered_map<HWND, CWnd*> map;
    return map;
}

AfxCurrentMessage g_current{nullptr, 0, 0, 0};
int g_handlerDepth = 0; // window procedures running now
CWnd* g_pWndInit = nullptr;    // the object whose window is being created
WNDPROC g_initSuper = nullptr; // its default procedure when its class's is the framework's

WNDPROC AfxProc() { return &AfxWndProc; }

} // namespace

struct AfxWndAccess : CWnd {
    static void ReleaseTemporary(CWnd* w) { w->m_hWnd = nullptr; }
    static void SetSuper(CWnd* w, WNDPROC proc) { w->m_pfnSuper = proc; }
    static WNDPROC Super(CWnd* w) { return w->m_pfnSuper; }
};

namespace afxinternal {

PendingWnd SetWndInit(PendingWnd pending)
{
    PendingWnd prev{g_pWndInit, g_initSuper};
    g_pWndInit = pending.pWnd;
    g_initSuper = pending.classSuper;
    return prev;
}

bool AttachCreating(HWND hWnd)
{
    CWnd* pWnd = g_pWndInit;
    if (!pWnd || pWnd->m_hWnd || !hWnd || CWnd::FromHandlePermanent(hWnd)) return false;
    g_pWndInit = nullptr;
    if (!pWnd->Attach(hWnd)) return false;
    pWnd->PreSubclassWindow();
    auto old = reinterpret_cast<WNDPROC>(::GetWindowLongPtr(hWnd, GWLP_WNDPROC));
    if (old != AfxProc()) {
        ::SetWindowLongPtr(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(AfxProc()));
        AfxWndAccess::SetSuper(pWnd, old);
    } else {
        AfxWndAccess::SetSuper(pWnd, g_initSuper);
    }
    return true;
}

void SetSuperProc(CWnd* pWnd, WNDPROC proc) { AfxWndAccess::SetSuper(pWnd, proc); }

} // namespace afxinternal

const AfxCurrentMessage& AfxGetCurrentMessage() { return g_current; }

void AfxIdleCleanup()
{
    if (g_handlerDepth == 0) AfxDeleteTempMaps();
}

CWnd::CWnd(HWND hWnd) : m_hWnd(hWnd) {}

CWnd::~CWnd()
{
    if (m_hWnd && FromHandlePermanent(m_hWnd) == this) {
        // A window must not outlive the object that routes its messages.
        DestroyWindow();
    }
    if (m_hWnd && FromHandlePermanent(m_hWnd) == this) Detach();
    if (g_pWndInit == this) g_pWndInit = nullptr;
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd)
{
    if (!hWnd) return nullptr;
    auto& m = Permanent();
    auto it = m.find(hWnd);
    return it == m.end() ? nullptr : it->second;
}

CWnd* CWnd::FromHandle(HWND hWnd)
{
    if (!hWnd) return nullptr;
    if (CWnd* p = FromHandlePermanent(hWnd)) return p;
    return afxinternal::TempMap<AfxWndAccess>::Get(hWnd, [hWnd] {
        auto* w = new AfxWndAccess;
        w->m_hWnd = hWnd;
        w->m_bTemporary = true;
        return w;
    });
}

void CWnd::DeleteTempMap() { afxinternal::TempMap<AfxWndAccess>::Clear(); }
std::size_t CWnd::PermanentCount() { return Permanent().size(); }
std::size_t CWnd::TemporaryCount() { return afxinternal::TempMap<AfxWndAccess>::Size(); }

BOOL CWnd::Attach(HWND hWndNew)
{
    if (!hWndNew || m_hWnd || m_bTemporary || !::IsWindow(hWndNew)) return FALSE;
    if (FromHandlePermanent(hWndNew)) return FALSE; // one object per window
    Permanent().emplace(hWndNew, this);
    m_hWnd = hWndNew;
    return TRUE;
}

HWND CWnd::Detach()
{
    HWND h = m_hWnd;
    if (h) {
        auto& m = Permanent();
        if (auto it = m.find(h); it != m.end() && it->second == this) m.erase(it);
    }
    m_hWnd = nullptr;
    return h;
}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (!Attach(hWnd)) return FALSE;
    PreSubclassWindow();
    auto old = reinterpret_cast<WNDPROC>(::SetWindowLongPtr(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(AfxProc())));
    if (!old) {
        Detach();
        return FALSE;
    }
    m_pfnSuper = old == AfxProc() ? nullptr : old;
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent)
{
    HWND parent = AfxSafeHwnd(pParent);
    if (!parent) return FALSE;
    HWND item = ::GetDlgItem(parent, static_cast<int>(nID));
    return item ? SubclassWindow(item) : FALSE;
}

HWND CWnd::UnsubclassWindow()
{
    if (!m_hWnd) return nullptr;
    if (m_pfnSuper) ::SetWindowLongPtr(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    m_pfnSuper = nullptr;
    return Detach();
}

void CWnd::PreSubclassWindow() {}

void CWnd::PostNcDestroy() {}

BOOL CWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!cs.lpszClass) cs.lpszClass = AfxRegisterDefaultWndClass();
    return TRUE;
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, int x, int y,
                    int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam)
{
    if (m_hWnd) return FALSE;
    CREATESTRUCT cs{lpParam, nullptr, nIDorHMenu, hWndParent, nHeight, nWidth, y, x,
                    static_cast<LONG>(dwStyle), lpszWindowName, lpszClassName, dwExStyle};
    if (!PreCreateWindow(cs)) {
        PostNcDestroy();
        return FALSE;
    }
    afxinternal::PendingWnd prev = afxinternal::SetWndInit({this, nullptr});
    HWND h = ::CreateWindowEx(cs.dwExStyle, cs.lpszClass, cs.lpszName, static_cast<DWORD>(cs.style), cs.x, cs.y, cs.cx,
                              cs.cy, cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
    afxinternal::SetWndInit(prev);
    if (!h) return FALSE;
    // A class whose procedure is not the framework's: take it over now (its
    // creation messages have gone by).
    if (m_hWnd != h && !FromHandlePermanent(h) && !SubclassWindow(h)) return FALSE;
    return m_hWnd == h;
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                    CWnd* pParentWnd, UINT nID, LPVOID lpParam)
{
    return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top, rect.right - rect.left,
                    rect.bottom - rect.top, AfxSafeHwnd(pParentWnd),
                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)), lpParam);
}

BOOL CWnd::Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                  UINT nID, void*)
{
    return CreateEx(0, lpszClassName, lpszWindowName, (dwStyle | WS_CHILD) & ~WS_POPUP, rect, pParentWnd, nID);
}

BOOL CWnd::DestroyWindow()
{
    HWND h = m_hWnd;
    if (!h) return FALSE;
    bool permanent = FromHandlePermanent(h) == this;
    BOOL ok = ::DestroyWindow(h);
    // Permanent objects are detached by WM_NCDESTROY; a wrapper lets go here.
    if (!permanent && m_hWnd == h && !::IsWindow(h)) m_hWnd = nullptr;
    return ok;
}

LPCSTR AfxRegisterDefaultWndClass()
{
    static const char kName[] = "CorvaneWnd";
    // The desktop forgets classes when it is reset, so ask rather than remember.
    WNDCLASS existing{};
    bool registered = ::GetClassInfo(nullptr, kName, &existing) != 0;
    if (!registered) {
        WNDCLASS wc{};
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = &AfxWndProc;
        wc.lpszClassName = kName;
        registered = ::RegisterClass(&wc) != 0;
    }
    return kName;
}

LRESULT AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (!pWnd && afxinternal::AttachCreating(hWnd)) pWnd = CWnd::FromHandlePermanent(hWnd);
    if (!pWnd) return ::DefWindowProc(hWnd, message, wParam, lParam);
    return AfxCallWndProc(pWnd, hWnd, message, wParam, lParam);
}

namespace {

// What is left to do once a window's last message has been handled: the
// object lets go of the handle, the original procedure comes back.
void FinishNcDestroy(CWnd* pWnd, HWND hWnd)
{
    auto& m = Permanent();
    auto it = m.find(hWnd);
    if (it == m.end() || it->second != pWnd) return; // done already (or the object is gone)
    if (WNDPROC super = AfxWndAccess::Super(pWnd)) {
        if (::IsWindow(hWnd) &&
            reinterpret_cast<WNDPROC>(::GetWindowLongPtr(hWnd, GWLP_WNDPROC)) == AfxProc())
            ::SetWindowLongPtr(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(super));
        AfxWndAccess::SetSuper(pWnd, nullptr);
    }
    pWnd->Detach();
    pWnd->PostNcDestroy();
}

} // namespace

LRESULT AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    AfxCurrentMessage saved = g_current;
    g_current = AfxCurrentMessage{hWnd, message, wParam, lParam};
    ++g_handlerDepth;
    LRESULT result = 0;
    try {
        if (message == WM_NCDESTROY) {
            if (CWinApp* app = AfxGetApp(); app && app->m_pMainWnd == pWnd) app->m_pMainWnd = nullptr;
        }
        result = pWnd->WindowProc(message, wParam, lParam);
    } catch (CException* e) {
        result = afxinternal::HandleWndProcException(e, hWnd, message);
    } catch (const std::bad_alloc&) {
        CMemoryException e;
        result = afxinternal::HandleWndProcException(&e, hWnd, message, false);
    }
    if (message == WM_NCDESTROY) FinishNcDestroy(pWnd, hWnd);
    --g_handlerDepth;
    g_current = saved;
    return result;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result)) result = DefWindowProc(message, wParam, lParam);
    return result;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper) return ::CallWindowProc(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProc(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default()
{
    const AfxCurrentMessage& m = g_current;
    return DefWindowProc(m.message, m.wParam, m.lParam);
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    LRESULT result = 0;
    const AFX_MSGMAP_ENTRY* entry = nullptr;
    if (message == WM_COMMAND) {
        if (!OnCommand(wParam, lParam)) return FALSE;
        result = 1;
    } else if (message == WM_NOTIFY) {
        auto* hdr = reinterpret_cast<NMHDR*>(lParam);
        if (!hdr || !hdr->hwndFrom || !OnNotify(wParam, lParam, &result)) return FALSE;
    } else {
        bool ctlColor = message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC;
        entry = FindMessageEntry(ctlColor ? WM_CTLCOLOR : message);
        if (!entry || !entry->pfn) return FALSE;
        AFX_MSGCALL call{message, wParam, lParam, nullptr, 0, TRUE};
        entry->pfn(this, call);
        result = call.result;
    }
    if (pResult) *pResult = result;
    return TRUE;
}
