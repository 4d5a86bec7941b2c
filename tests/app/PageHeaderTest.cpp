// Every page's header stands at its taller height from the first paint on, not
// only once a load has laid the lists out again.
#include "tests/app/AppFixture.h"
#include "tests/support/TestPaths.h"

namespace apptest {
namespace {

TEST_F(AppTest, EveryPageHeaderIsTallerBeforeAndAfterALoad)
{
    Open();
    // The system's header for the list font is 17 pixels; the pages ask for 1.5 times that.
    auto heights = [this] {
        std::vector<int> out;
        for (int p = 0; p < CCorvaneDlg::kPageCount; ++p)
            out.push_back(WindowRect(List(p).GetHeaderCtrl()->GetSafeHwnd()).Height());
        return out;
    };
    const std::vector<int> tall(CCorvaneDlg::kPageCount, 25);
    EXPECT_EQ(heights(), tall);

    std::string log;
    for (int i = 0; i < 40; ++i)
        log += "192.0.2.1 - - [10/Oct/2011:13:55:36 -0700] \"GET /" + std::to_string(i) +
               " HTTP/1.1\" 200 5 \"-\" \"Googlebot/2.1\"\n";
    ASSERT_TRUE(dlg->OpenLogFile(corvane::test::WriteScratchFile("header.log", log).c_str()));
    Pump();
    EXPECT_EQ(heights(), tall);
    // The rows begin right below the header.
    for (int p : {0, 2}) {
        CRect cell;
        ASSERT_TRUE(List(p).GetSubItemRect(0, 1, LVIR_BOUNDS, cell));
        EXPECT_EQ(cell.top, 25) << "page " << p;
    }
}

} // namespace
} // namespace apptest
