// The installed layout: `cmake --install` puts the program and its font
// aliases where the program looks for them, and its menu entry and icon where
// desktops look for them.
#include "platform/gfx/FontEngine.h"
#include "tests/support/TestPaths.h"
#include "tests/tools/RunTool.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <string>
#include <unistd.h>

namespace corvane::test {
namespace {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Takes variables out of this process's environment for one test.
class WithoutEnv {
public:
    explicit WithoutEnv(std::vector<std::string> names) : m_names(std::move(names))
    {
        for (const std::string& n : m_names) {
            const char* v = std::getenv(n.c_str());
            m_saved.emplace_back(v != nullptr, v ? v : "");
            unsetenv(n.c_str());
        }
    }
    ~WithoutEnv()
    {
        for (std::size_t i = 0; i < m_names.size(); ++i)
            if (m_saved[i].first) setenv(m_names[i].c_str(), m_saved[i].second.c_str(), 1);
    }

private:
    std::vector<std::string> m_names;
    std::vector<std::pair<bool, std::string>> m_saved;
};

TEST(InstallTest, InstalledProgramFindsItsFontAliasesFromWhereItReallyIs)
{
    fs::path prefix = fs::path(ScratchDir()) / "prefix";
    ToolRun install = RunTool(CORVANE_CMAKE, {"--install", CORVANE_BUILD_DIR, "--prefix", prefix.string()});
    ASSERT_EQ(install.code, 0) << install.out << install.err;

    fs::path program = prefix / "bin" / "corvane";
    fs::path conf = prefix / "share" / "corvane" / "res" / "fonts" / "corvane-fonts.conf";
    ASSERT_TRUE(fs::is_regular_file(program));
    EXPECT_EQ(access(program.c_str(), X_OK), 0);
    ASSERT_TRUE(fs::is_regular_file(conf));
    EXPECT_EQ(ReadFile(conf), ReadFile(fs::path(SourceDir()) / "res" / "fonts" / "corvane-fonts.conf"));

    fs::path sourceConf = fs::canonical(fs::path(SourceDir()) / "res" / "fonts" / "corvane-fonts.conf");
    // Nothing but the program's own place may lead there.
    WithoutEnv clean({"CORVANE_RES_DIR", "CORVANE_SOURCE_DIR"});
    EXPECT_EQ(gfx::FindAliasFile(program.string()), conf.string());
    // Through a link elsewhere (as in /usr/local/bin), the real place counts.
    fs::path links = fs::path(ScratchDir()) / "links" / "bin";
    fs::create_directories(links);
    fs::create_symlink(program, links / "corvane");
    EXPECT_EQ(gfx::FindAliasFile((links / "corvane").string()), conf.string());
    // A build tree keeps finding res/ beside it or the sources it came from, not an install.
    std::string tried;
    std::string fromSources = gfx::FindAliasFile((fs::path(ScratchDir()) / "nowhere" / "corvane").string(), &tried);
    EXPECT_EQ(fromSources, sourceConf.string());
    EXPECT_NE(tried.find("nowhere/res/fonts/corvane-fonts.conf"), std::string::npos) << tried;
    EXPECT_NE(tried.find("share/corvane/res/fonts/corvane-fonts.conf"), std::string::npos) << tried;
}

TEST(InstallTest, DesktopEntryAndIconAreInstalledWhereDesktopsFindThem)
{
    fs::path prefix = fs::path(ScratchDir()) / "desktop-prefix";
    ToolRun install = RunTool(CORVANE_CMAKE, {"--install", CORVANE_BUILD_DIR, "--prefix", prefix.string()});
    ASSERT_EQ(install.code, 0) << install.out << install.err;

    fs::path entry = prefix / "share" / "applications" / "corvane.desktop";
    ASSERT_TRUE(fs::is_regular_file(entry));
    const std::string text = ReadFile(entry);
    for (const char* line : {"[Desktop Entry]\n", "\nType=Application\n", "\nName=Corvane\n", "\nExec=corvane %f\n",
                             "\nIcon=corvane\n", "\nCategories=", "\nComment=",
                             "\nMimeType=text/plain;text/x-log;application/gzip;application/x-gzip;application/zstd;"
                             "application/x-bzip2;application/x-xz;\n"})
        EXPECT_NE(text.find(line), std::string::npos) << "no " << line << " in:\n" << text;
    if (std::system("command -v desktop-file-validate >/dev/null") == 0) {
        ToolRun check = RunTool("/bin/sh", {"-c", "desktop-file-validate \"$0\"", entry.string()});
        EXPECT_EQ(check.code, 0) << check.out << check.err;
    }

    // The icon the entry names, as a 48 x 48 PNG in the hicolor theme.
    fs::path icon = prefix / "share" / "icons" / "hicolor" / "48x48" / "apps" / "corvane.png";
    ASSERT_TRUE(fs::is_regular_file(icon));
    const std::string png = ReadFile(icon);
    ASSERT_GE(png.size(), 24u);
    EXPECT_EQ(png.substr(0, 8), "\x89PNG\r\n\x1A\n");
    auto be32 = [&](std::size_t at) {
        return (std::uint32_t(std::uint8_t(png[at])) << 24) | (std::uint32_t(std::uint8_t(png[at + 1])) << 16) |
               (std::uint32_t(std::uint8_t(png[at + 2])) << 8) | std::uint8_t(png[at + 3]);
    };
    EXPECT_EQ(be32(16), 48u); // IHDR width
    EXPECT_EQ(be32(20), 48u); // and height
}

} // namespace
} // namespace corvane::test
