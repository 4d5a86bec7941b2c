// Controls' messages to their parents: reflected notifications, owner-draw and
// commands reach the control first; what it declines reaches the parent.
#include "tests/framework/FrameworkFixture.h"

namespace corvane::test {
namespace {

constexpr UINT kSelChange = static_cast<UINT>(-551);  // a negative notification code
constexpr UINT kSelChanging = static_cast<UINT>(-552);

class CChildCtrl : public CWnd {
public:
    BOOL m_bPassChanging = FALSE;
    UINT m_nRowHeight = 0;

    void DrawItem(DRAWITEMSTRUCT* dis)
    {
        Record("child.DrawItem item=" + std::to_string(dis->itemID) + " state=" + std::to_string(dis->itemState));
    }
    void MeasureItem(MEASUREITEMSTRUCT* mis)
    {
        Record("child.MeasureItem");
        if (m_nRowHeight) mis->itemHeight = m_nRowHeight;
    }

protected:
    void OnSelChange(NMHDR* hdr, LRESULT* pResult)
    {
        Record("child.OnSelChange id=" + std::to_string(hdr->idFrom));
        *pResult = 42;
    }
    BOOL OnSelChanging(NMHDR*, LRESULT* pResult)
    {
        Record("child.OnSelChanging");
        *pResult = 0;
        return !m_bPassChanging;
    }
    void OnClickedReflect() { Record("child.clicked"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CChildCtrl, CWnd)
    ON_NOTIFY_REFLECT(kSelChange, OnSelChange)
    ON_NOTIFY_REFLECT_EX(kSelChanging, OnSelChanging)
    ON_CONTROL_REFLECT(7, OnClickedReflect)
    ON_WM_DRAWITEM_REFLECT()
    ON_WM_MEASUREITEM_REFLECT()
END_MESSAGE_MAP()

class CParentWnd : public CWnd {
protected:
    void OnNotifyChanging(NMHDR*, LRESULT* pResult)
    {
        Record("parent.OnNotifyChanging");
        *pResult = 1;
    }
    void OnNotifySel(NMHDR*, LRESULT*) { Record("parent.OnNotifySel"); }
    void OnClicked() { Record("parent.clicked"); }
    void OnCode7() { Record("parent.code7"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CParentWnd, CWnd)
    ON_NOTIFY(kSelChanging, 1002, OnNotifyChanging)
    ON_NOTIFY(kSelChange, 1002, OnNotifySel)
    ON_BN_CLICKED(1002, OnClicked)
    ON_CONTROL(7, 1002, OnCode7)
END_MESSAGE_MAP()

using ReflectionTest = FrameworkTest;

TEST_F(ReflectionTest, NotificationsOwnerDrawAndCommandsGoToTheControlFirst)
{
    CParentWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, nullptr, "p", WS_POPUP | WS_VISIBLE, 0, 0, 300, 200, nullptr, nullptr));
    CChildCtrl child;
    HWND raw = MakeRaw(WS_CHILD | WS_VISIBLE, 5, 5, 100, 50, parent.m_hWnd, 1002);
    ASSERT_TRUE(child.SubclassDlgItem(1002, &parent));

    NMHDR hdr{raw, 1002, kSelChange};
    EXPECT_EQ(parent.SendMessage(WM_NOTIFY, 1002, reinterpret_cast<LPARAM>(&hdr)), 42);

    // The _EX handler declines: the parent sees it too and has the last word.
    hdr.code = kSelChanging;
    child.m_bPassChanging = TRUE;
    EXPECT_EQ(parent.SendMessage(WM_NOTIFY, 1002, reinterpret_cast<LPARAM>(&hdr)), 1);
    child.m_bPassChanging = FALSE;
    EXPECT_EQ(parent.SendMessage(WM_NOTIFY, 1002, reinterpret_cast<LPARAM>(&hdr)), 0);

    DRAWITEMSTRUCT dis{};
    dis.CtlType = ODT_LISTVIEW;
    dis.CtlID = 1002;
    dis.itemID = 4;
    dis.itemState = ODS_SELECTED;
    dis.hwndItem = raw;
    parent.SendMessage(WM_DRAWITEM, 1002, reinterpret_cast<LPARAM>(&dis));

    MEASUREITEMSTRUCT mis{};
    mis.CtlType = ODT_LISTVIEW;
    mis.CtlID = 1002;
    mis.itemHeight = 14;
    child.m_nRowHeight = 20;
    parent.SendMessage(WM_MEASUREITEM, 1002, reinterpret_cast<LPARAM>(&mis));
    EXPECT_EQ(mis.itemHeight, 20u);

    // BN_CLICKED is not reflected by the control's map, so the parent handles it;
    // code 7 is taken by the control's reflected entry.
    parent.SendMessage(WM_COMMAND, MAKEWPARAM(1002, 0), reinterpret_cast<LPARAM>(raw));
    parent.SendMessage(WM_COMMAND, MAKEWPARAM(1002, 7), reinterpret_cast<LPARAM>(raw));

    std::vector<std::string> expected = {
        "child.OnSelChange id=1002", "child.OnSelChanging", "parent.OnNotifyChanging", "child.OnSelChanging",
        "child.DrawItem item=4 state=1", "child.MeasureItem", "parent.clicked", "child.clicked",
    };
    EXPECT_EQ(calls, expected);

    // Owner-draw for a window no object owns falls to the default: nothing recorded.
    calls.clear();
    HWND plain = MakeRaw(WS_CHILD, 0, 0, 10, 10, parent.m_hWnd, 9);
    dis.hwndItem = plain;
    parent.SendMessage(WM_DRAWITEM, 9, reinterpret_cast<LPARAM>(&dis));
    NMHDR plainHdr{plain, 9, kSelChange};
    EXPECT_EQ(parent.SendMessage(WM_NOTIFY, 9, reinterpret_cast<LPARAM>(&plainHdr)), 0);
    EXPECT_TRUE(calls.empty());
    parent.DestroyWindow();
}

} // namespace
} // namespace corvane::test
