// The message-map lookup is remembered per class and message: a derived
// class's entry must still win over its base's for the same message, whichever
// object asked first, and a remembered answer must survive being pushed out of
// the small front table by many other messages.
#include "tests/controls/ControlsFixture.h"

#include "platform/framework/AfxMsg.h"

namespace xptest {
namespace {

constexpr UINT kShared = WM_USER + 5;   // handled by both classes
constexpr UINT kBaseOnly = WM_USER + 6; // handled by the base only

class CRouteBase : public CWnd {
protected:
    LRESULT OnShared(WPARAM w, LPARAM) { return 100 + static_cast<LRESULT>(w); }
    LRESULT OnBaseOnly(WPARAM, LPARAM) { return 7; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CRouteBase, CWnd)
    ON_MESSAGE(kShared, OnShared)
    ON_MESSAGE(kBaseOnly, OnBaseOnly)
END_MESSAGE_MAP()

class CRouteDerived : public CRouteBase {
protected:
    LRESULT OnShared(WPARAM w, LPARAM) { return 200 + static_cast<LRESULT>(w); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CRouteDerived, CRouteBase)
    ON_MESSAGE(kShared, OnShared)
END_MESSAGE_MAP()

class RoutingCacheTest : public ControlsTest {};

TEST_F(RoutingCacheTest, DerivedEntryWinsWhicheverClassAskedFirstAndSurvivesEviction)
{
    CRouteBase base;
    CRouteDerived derived;
    ASSERT_TRUE(base.CreateEx(0, nullptr, "base", WS_POPUP, 0, 0, 20, 20, nullptr, nullptr));
    ASSERT_TRUE(derived.CreateEx(0, nullptr, "derived", WS_POPUP, 0, 0, 20, 20, nullptr, nullptr));

    // The base's answer is looked up (and remembered) before the derived asks.
    EXPECT_EQ(base.SendMessage(kShared, 1, 0), 101);
    EXPECT_EQ(derived.SendMessage(kShared, 2, 0), 202);
    EXPECT_EQ(base.SendMessage(kShared, 3, 0), 103);
    // An entry found only through the chain reaches the base's handler.
    EXPECT_EQ(derived.SendMessage(kBaseOnly, 0, 0), 7);

    // Thousands of other (class, message) pairs, none mapped: each falls to
    // the default, and they crowd every slot of the front table.
    AfxMessageCacheStats before = AfxGetMessageCacheStats();
    for (UINT m = WM_USER + 100; m < WM_USER + 2100; ++m) {
        ASSERT_EQ(base.SendMessage(m, 0, 0), 0) << m;
        ASSERT_EQ(derived.SendMessage(m, 0, 0), 0) << m;
    }
    AfxMessageCacheStats mid = AfxGetMessageCacheStats();
    EXPECT_EQ(mid.misses - before.misses, 4000u); // each new pair walks its chain once

    EXPECT_EQ(derived.SendMessage(kShared, 4, 0), 204);
    EXPECT_EQ(base.SendMessage(kShared, 5, 0), 105);
    EXPECT_EQ(derived.SendMessage(kBaseOnly, 0, 0), 7);
    for (UINT m = WM_USER + 100; m < WM_USER + 2100; ++m) ASSERT_EQ(derived.SendMessage(m, 0, 0), 0) << m;
    // Pairs met before are not searched for again, even once pushed out.
    EXPECT_EQ(AfxGetMessageCacheStats().misses, mid.misses);

    base.DestroyWindow();
    derived.DestroyWindow();
}

} // namespace
} // namespace xptest
