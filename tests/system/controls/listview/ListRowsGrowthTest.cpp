// Growing the row stores keeps every row in place: small stores grow on the
// heap, large ones in their own mappings that are enlarged rather than copied,
// and a store whose ring has wrapped moves only its shorter run.
#include "platform/system/controls/listview/ListViewRows.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

namespace {

// Rows added at both ends (twice as often at the top), past the sizes where a
// store leaves the heap (2 MiB) and is then enlarged twice, checked against a
// plain double-ended queue each time a store has just grown.
TEST(ListRowsGrowth, RowsKeepTheirOrderAcrossHeapAndMappedGrowth)
{
    std::vector<CString> pool;
    for (int i = 0; i < 97; ++i) pool.emplace_back(std::to_string(i * 7919).c_str());
    sys::ListRows rows;
    std::deque<int> model;
    constexpr int kRows = 1100000; // 8-byte cells: 8.8 MB, four times the first mapped size
    auto check = [&](int count) {
        for (int i = 0; i < count; ++i) {
            int id = model[static_cast<std::size_t>(i)];
            if (rows.Param(i) != id + 1 || !rows.Text(i, 0).SharesBufferWith(pool[static_cast<std::size_t>(id % 97)]))
                return ::testing::AssertionFailure() << "row " << i << " of " << count;
        }
        return ::testing::AssertionSuccess();
    };
    for (int id = 0; id < kRows; ++id) {
        bool atEnd = id % 3 == 0;
        int at = atEnd ? rows.Count() : 0;
        ASSERT_TRUE(rows.Insert(at));
        ASSERT_TRUE(rows.SetParam(at, id + 1));
        ASSERT_TRUE(rows.SetText(at, 0, pool[static_cast<std::size_t>(id % 97)]));
        if (atEnd) model.push_back(id);
        else model.push_front(id);
        int n = rows.Count();
        // Just after a doubling (the stores started at 16 cells).
        if (n > 16 && ((n - 1) & (n - 2)) == 0) {
            ASSERT_TRUE(check(n)) << "after growing to " << n;
        }
    }
    ASSERT_TRUE(check(kRows));
    // Growth never copied a store whole: at most its shorter run each time.
    EXPECT_LE(rows.Moves(), static_cast<std::size_t>(3) * kRows);

    // A row in the middle still goes where asked, and erasing restores order.
    ASSERT_TRUE(rows.Insert(kRows / 2));
    EXPECT_EQ(rows.Param(kRows / 2), 0);
    EXPECT_TRUE(rows.Text(kRows / 2, 0).IsEmpty());
    rows.Erase(kRows / 2);
    EXPECT_TRUE(check(kRows));
    rows.Clear();
    EXPECT_EQ(rows.Count(), 0);
    EXPECT_EQ(rows.Param(0), 0);
}

} // namespace
