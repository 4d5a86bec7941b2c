// corvane-snapshot run as a program: one PNG of the main window per tab.
#include "app/Corvane.h"
#include "app/CorvaneDlg.h"
#include "platform/display/HeadlessBackend.h"
#include "platform/system/window/Desktop.h"
#include "res/ResourceIds.h"
#include "res/Resources.h"
#include "tests/support/TestPaths.h"
#include "tests/tools/RunTool.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <set>

namespace corvane::test {
namespace {

namespace fs = std::filesystem;

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Width and height from a PNG's header; (0, 0) when it is no PNG.
CSize PngSize(const std::string& png)
{
    static const std::string kSignature("\x89PNG\r\n\x1a\n", 8);
    if (png.size() < 24 || png.compare(0, 8, kSignature) != 0 || png.compare(12, 4, "IHDR") != 0) return CSize(0, 0);
    auto be32 = [&png](std::size_t at) {
        return static_cast<int>(static_cast<unsigned char>(png[at]) << 24 |
                                static_cast<unsigned char>(png[at + 1]) << 16 |
                                static_cast<unsigned char>(png[at + 2]) << 8 | static_cast<unsigned char>(png[at + 3]));
    };
    return CSize(be32(16), be32(20));
}

// The main window's size, measured here on a desktop of our own.
CSize MainWindowSize()
{
    display::HeadlessBackend screen;
    sys::SetBackend(&screen);
    RegisterCorvaneResources();
    CSize size(0, 0);
    {
        EXPECT_EQ(AfxGetApp(), &theApp);
        CCorvaneDlg dlg;
        if (dlg.Create(IDD_CORVANE_DIALOG)) {
            CRect r;
            dlg.GetWindowRect(&r);
            size = r.Size();
            dlg.DestroyWindow();
        }
    }
    sys::SetBackend(nullptr);
    AfxDeleteTempMaps();
    return size;
}

TEST(SnapshotTest, WritesSevenDifferentScreenshotsOfTheMainWindow)
{
    std::string dir = ScratchDir() + "/shots";
    ToolRun run = RunTool(CORVANE_SNAPSHOT, {"--out", dir, SourceDir() + "/samples/access.log"});
    ASSERT_EQ(run.code, 0) << run.err;

    CSize window = MainWindowSize();
    ASSERT_GT(window.cx, 0);
    std::set<std::string> images;
    const char* names[7] = {"corvane-tab0-all.png",    "corvane-tab1-baidu.png", "corvane-tab2-google.png",
                            "corvane-tab3-youdao.png", "corvane-tab4-soso.png",  "corvane-tab5-sogou.png",
                            "corvane-tab6-bing.png"};
    for (const char* name : names) {
        std::string path = dir + "/" + name;
        std::string png = ReadFile(path);
        EXPECT_EQ(PngSize(png), window) << name;
        // Where they are is told.
        EXPECT_NE(run.out.find(path), std::string::npos) << run.out;
        images.insert(png);
    }
    EXPECT_EQ(images.size(), 7u) << "some tabs look alike";
}

TEST(SnapshotTest, BadUsageAndAnUnloadableLogEndBadly)
{
    ToolRun bad = RunTool(CORVANE_SNAPSHOT, {"--bogus"});
    EXPECT_EQ(bad.code, 2);
    EXPECT_NE(bad.err.find("usage: corvane-snapshot"), std::string::npos) << bad.err;

    std::string dir = ScratchDir() + "/no-shots";
    ToolRun missing = RunTool(CORVANE_SNAPSHOT, {"--out", dir, ScratchDir() + "/missing.log"});
    EXPECT_EQ(missing.code, 1);
    EXPECT_NE(missing.err.find("missing.log"), std::string::npos) << missing.err;
    EXPECT_TRUE(!fs::exists(dir) || fs::is_empty(dir));
}

} // namespace
} // namespace corvane::test
