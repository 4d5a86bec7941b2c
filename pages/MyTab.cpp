#include "pages/MyTab.h"

#include "platform/framework/AfxMsg.h"

namespace {

constexpr UINT_PTR kSlideTimer = 1;
constexpr UINT kSlideElapse = 10;
// Tabs 0 to 6 each have their own selection message.
constexpr int kNotifiedTabs = 7;
constexpr int kRestX = 4;

} // namespace

BEGIN_MESSAGE_MAP(CMyTab, CTabCtrl)
    ON_WM_TIMER()
    ON_NOTIFY_REFLECT(TCN_SELCHANGE, OnSelchange)
    ON_NOTIFY_REFLECT(TCN_SELCHANGING, OnSelchanging)
    ON_WM_CREATE()
END_MESSAGE_MAP()

CMyTab::CMyTab()
    : m_nStep(20), m_bAnimate(1), m_nWidth(0), m_ptBottomRight(0, 0), m_ptTopLeft(0, 0), m_pCurPage(nullptr),
      m_ptOffset(kRestX, 28), m_nCount(0), m_hNotifyWnd(nullptr)
{
}

CMyTab::~CMyTab() {}

void CMyTab::AddPage(CWnd* pPage, LPCSTR lpszTitle)
{
    // A tab without a page could never be shown; refuse it rather than store a null page.
    if (!pPage || !::IsWindow(pPage->GetSafeHwnd())) return;
    LPARAM lParam = reinterpret_cast<LPARAM>(pPage);
    if (InsertItem(TCIF_TEXT | TCIF_PARAM, m_nCount, lpszTitle ? lpszTitle : "", 0, lParam) < 0) return;
    pPage->SetWindowPos(nullptr, m_ptOffset.x, m_ptOffset.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    pPage->ShowWindow(m_nCount == 0 ? SW_SHOW : SW_HIDE);
    ++m_nCount;
}

void CMyTab::SetNotifyWnd(HWND hWnd)
{
    m_hNotifyWnd = hWnd;
}

CWnd* CMyTab::GetPage(int nItem) const
{
    if (nItem < 0) return nullptr;
    TCITEM item{};
    item.mask = TCIF_PARAM;
    if (!GetItem(nItem, &item)) return nullptr;
    auto* pPage = reinterpret_cast<CWnd*>(item.lParam);
    // Tabs inserted by others carry no page.
    if (!pPage || !::IsWindow(pPage->GetSafeHwnd())) return nullptr;
    return pPage;
}

void CMyTab::SnapPage(CWnd* pPage, int nWidth)
{
    CRect rt;
    pPage->GetWindowRect(&rt);
    ScreenToClient(&rt);
    rt.left = kRestX;
    rt.right = nWidth + kRestX;
    pPage->MoveWindow(&rt, TRUE);
}

int CMyTab::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CTabCtrl::OnCreate(lpCreateStruct) == -1) return -1;
    return 0;
}

void CMyTab::OnSelchanging(NMHDR* /*pNMHDR*/, LRESULT* pResult)
{
    if (CWnd* pPage = GetPage(GetCurSel())) pPage->ShowWindow(SW_HIDE);
    *pResult = 0;
}

void CMyTab::OnSelchange(NMHDR* /*pNMHDR*/, LRESULT* pResult)
{
    *pResult = 0;
    int nSel = GetCurSel();
    CWnd* pPage = GetPage(nSel);
    // The receiver fills the page before it is shown.
    if (nSel >= 0 && nSel < kNotifiedTabs && m_hNotifyWnd)
        ::SendMessage(m_hNotifyWnd, WM_USER + 1 + static_cast<UINT>(nSel), 0, 0);
    // The receiver may have destroyed the page or this control meanwhile.
    if (!pPage || !::IsWindow(pPage->GetSafeHwnd()) || !::IsWindow(m_hWnd)) return;

    if (!m_bAnimate) {
        pPage->ShowWindow(SW_SHOW);
        return;
    }
    CRect rt;
    pPage->GetWindowRect(&rt);
    ScreenToClient(&rt);
    m_nWidth = rt.Width();
    m_pCurPage = pPage;
    if (m_nStep <= 0) {
        // A step that never reaches the rest position would slide forever.
        KillTimer(kSlideTimer);
        SnapPage(pPage, m_nWidth);
        pPage->ShowWindow(SW_SHOW);
        return;
    }
    rt.OffsetRect(-m_nWidth, 0);
    m_ptTopLeft = rt.TopLeft();
    m_ptBottomRight = rt.BottomRight();
    pPage->MoveWindow(&rt, TRUE);
    pPage->ShowWindow(SW_SHOW);
    SetTimer(kSlideTimer, kSlideElapse, nullptr);
}

void CMyTab::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == kSlideTimer) {
        if (!m_pCurPage || !::IsWindow(m_pCurPage->GetSafeHwnd())) {
            KillTimer(kSlideTimer);
        } else {
            CRect rt;
            m_pCurPage->GetWindowRect(&rt);
            ScreenToClient(&rt);
            if (m_nStep > 0 && rt.left < kRestX - m_nStep) {
                rt.OffsetRect(m_nStep, 0);
                m_pCurPage->MoveWindow(&rt, TRUE);
            } else {
                SnapPage(m_pCurPage, m_nWidth);
                KillTimer(kSlideTimer);
            }
        }
    }
    CTabCtrl::OnTimer(nIDEvent);
}
