// Long use of the real main window: a sizeable log opened again and again and
// every page filled round after round ends with the pages right and the shared
// empty string's count where it began.
#include "tests/app/AppFixture.h"
#include "tests/support/TestPaths.h"

namespace apptest {
namespace {

TEST_F(AppTest, ManyOpensAndRefillsKeepThePagesAndTheEmptyStringCount)
{
    const char* agents[] = {"Baiduspider", "Googlebot", "YoudaoFeedFetcher", "Sosospider", "Sogou web spider",
                            "bingbot",     "-"};
    const int kLines = 200000;
    std::string log;
    log.reserve(static_cast<std::size_t>(kLines) * 72);
    for (int i = 0; i < kLines; ++i)
        log += "10.0.0." + std::to_string(i % 200) + " - - [1/Jan/2024:00:00:00 +0000] \"GET /" + std::to_string(i) +
               " HTTP/1.1\" " + (i % 5 ? "200" : "404") + " 9 \"" + agents[i % 7] + "\"\n";
    const std::string path = corvane::test::WriteScratchFile("long-use.log", log);
    log.clear();

    Open();
    const int emptyRefs = CString::SharedEmptyRefs();
    for (int n = 0; n < 40; ++n)
        ASSERT_TRUE(dlg->OpenLogFile(path.c_str())) << "open " << n;
    for (int round = 0; round < 20; ++round)
        for (UINT msg = WM_USER + 1; msg <= WM_USER + CCorvaneDlg::kPageCount; ++msg)
            dlg->SendMessage(msg, 0, 0);
    ChooseTab(2);
    Pump();
    EXPECT_EQ(CString::SharedEmptyRefs(), emptyRefs);

    EXPECT_EQ(Text(dlg->m_editPath.m_hWnd), path);
    ASSERT_EQ(List(0).GetItemCount(), kLines);
    EXPECT_EQ(Row(0, kLines - 1)[0], std::to_string(kLines));
    for (int page = 1; page < CCorvaneDlg::kPageCount; ++page) {
        // Lines page, page + 7, ... name the page's crawler (lines count from 1).
        const int count = (kLines - page + 7) / 7;
        ASSERT_EQ(List(page).GetItemCount(), count) << "page " << page;
        const int last = page + 7 * (count - 1) - 1;
        // The fields keep the spaces around them, as the line has them.
        std::vector<std::string> want{std::to_string(count),
                                      " 10.0.0." + std::to_string(last % 200),
                                      " 1/Jan/2024:00:00:00",
                                      "  /" + std::to_string(last) + " ",
                                      " HTTP/1.1",
                                      last % 5 ? " 200" : " 404",
                                      " 9"};
        EXPECT_EQ(Row(page, count - 1), want) << "page " << page;
    }
}

} // namespace
} // namespace apptest
