// Logs reaching the main window from outside it: dropped on it, or named on
// the command line. Each opens exactly as if it had been chosen in the dialog,
// whatever its name, and a failure is reported the same way.
#include "app/CommandLine.h"
#include "platform/base/CodePage.h"
#include "platform/framework/MsgBox.h"
#include "tests/app/AppFixture.h"
#include "tests/support/TestPaths.h"

#include <filesystem>
#include <fstream>

namespace apptest {
namespace {

namespace fs = std::filesystem;
using Cells = std::vector<std::string>;

const char kLog[] = "head - - 0\n"
                    "192.0.2.1 - - [10/Oct/2011:13:55:36 -0700] \"GET /a HTTP/1.1\" 200 2326 \"-\" \"Googlebot/2.1\"\n"
                    "198.51.100.4 - - [10/Oct/2011:13:56:01 -0700] \"GET /b HTTP/1.1\" 404 0 \"-\" \"bingbot/2.0\"\n";

class DropAndStartFileTest : public AppTest {
protected:
    // Writes the log under a UTF-8 name in the scratch folder; returns its code page 936 path.
    static std::string WriteLog(const std::string& utf8Name, const std::string& text = kLog)
    {
        const std::string native = corvane::test::ScratchDir() + "/" + utf8Name;
        std::ofstream(native, std::ios::binary) << text;
        return Utf8ToCp936(native);
    }
    void DropOnWindow(std::vector<std::string> paths)
    {
        CRect r = WindowRect(dlg->m_hWnd);
        screen.DropFiles(r.CenterPoint().x, r.CenterPoint().y, std::move(paths));
        Pump();
    }
};

// Names with spaces, Chinese, and characters code page 936 never had; UTF-8, as Linux has them.
const char8_t* const kNames[] = {u8"with space.log", u8"访问 日志.log", u8"журнал доступа.log", u8"emoji 😀 log.txt"};

TEST_F(DropAndStartFileTest, DroppedChosenAndStartFilesShowTheSameWhateverTheName)
{
    for (const char8_t* utf8 : kNames) {
        const std::string name(reinterpret_cast<const char*>(utf8));
        SCOPED_TRACE(name);
        const std::string path = WriteLog(name);

        Open();
        OpenThroughDialog(path);
        const std::vector<Cells> chosen = Everything();
        ASSERT_EQ(chosen[0], Cells{path});
        ASSERT_EQ(List(0).GetItemCount(), 3);
        ASSERT_EQ(List(2).GetItemCount(), 1);
        dlg->DestroyWindow();

        Open();
        DropOnWindow({path});
        EXPECT_EQ(Everything(), chosen);
        dlg->DestroyWindow();

        auto* started = new CCorvaneDlg();
        started->m_strStartFile = path.c_str();
        Open(started);
        EXPECT_EQ(Everything(), chosen);
        EXPECT_TRUE(dlg->m_strStartFile.IsEmpty());
        dlg->DestroyWindow();
    }
}

TEST_F(DropAndStartFileTest, OfSeveralDroppedFilesTheFirstOpensAndABadDropKeepsTheLoad)
{
    Open();
    const std::string first = WriteLog("first.log");
    const std::string second = WriteLog("second.log", "x - - y\nz - - w\n");
    DropOnWindow({first, second});
    EXPECT_EQ(Text(dlg->m_editPath.m_hWnd), first);
    const std::vector<Cells> before = Everything();

    // A folder dropped: reported, and the pages stay.
    std::vector<std::string> reports;
    Script({[&] {
               reports.push_back(ActiveTexts());
               Key(VK_RETURN);
           }},
           [&] { DropOnWindow({corvane::test::ScratchDir()}); });
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_NE(reports[0].find(corvane::test::ScratchDir()), std::string::npos) << reports[0];
    EXPECT_EQ(Everything(), before);

    // While a message box holds the window, a drop on it is refused, not queued.
    Script({[&] {
               DropOnWindow({second});
               Key(VK_RETURN);
           }},
           [&] { AfxMessageBox("busy"); });
    Pump();
    EXPECT_EQ(Everything(), before);
}

TEST_F(DropAndStartFileTest, AnUnreadableStartFileIsReportedAndLeavesAnEmptyWindow)
{
    auto* started = new CCorvaneDlg();
    const std::string missing = corvane::test::ScratchDir() + "/missing.log";
    started->m_strStartFile = missing.c_str();
    std::vector<std::string> reports;
    Script({[&] {
               reports.push_back(ActiveTexts());
               Key(VK_RETURN);
           }},
           [&] { Open(started); });
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_NE(reports[0].find("找不到文件"), std::string::npos) << reports[0];
    EXPECT_NE(reports[0].find(missing), std::string::npos) << reports[0];
    ASSERT_TRUE(::IsWindow(dlg->m_hWnd));
    EXPECT_FALSE(dlg->m_bLoaded);
    EXPECT_EQ(Text(dlg->m_editPath.m_hWnd), "");
    EXPECT_EQ(List(0).GetItemCount(), 0);
}

TEST(CommandLine, ArgumentsGiveTheActionAndTheFile)
{
    using L = CCommandLine;
    const struct {
        std::vector<std::string> args;
        L::Action action;
        const char* file;
    } cases[] = {
        {{}, L::actionRun, ""},
        {{"access.log"}, L::actionRun, "access.log"},
        {{"日志 文件.gz"}, L::actionRun, "日志 文件.gz"},
        {{"--help"}, L::actionHelp, ""},
        {{"-h", "x.log"}, L::actionHelp, "x.log"},
        {{"--version"}, L::actionVersion, ""},
        {{"--", "--help"}, L::actionRun, "--help"}, // a file named like an option
        {{"-"}, L::actionRun, "-"},
        {{"--bogus"}, L::actionBadUsage, ""},
        {{"-x", "a.log"}, L::actionBadUsage, ""},
        {{"a.log", "b.log"}, L::actionBadUsage, ""},
        {{""}, L::actionBadUsage, ""},
    };
    for (const auto& c : cases) {
        std::string joined;
        for (const std::string& a : c.args)
            joined += "[" + a + "]";
        SCOPED_TRACE(joined);
        L line = L::Parse(c.args);
        EXPECT_EQ(line.nAction, c.action);
        if (c.action != L::actionBadUsage) {
            EXPECT_EQ(line.strFile, c.file);
        }
        EXPECT_EQ(line.strError.empty(), c.action != L::actionBadUsage);
    }
    EXPECT_NE(L::Usage().find("Usage: corvane [FILE]"), std::string::npos);
    EXPECT_EQ(L::Version(), "corvane 1.0.0.1\n");
}

} // namespace
} // namespace apptest
