// The installed layout: `cmake --install` puts the program and its font
// aliases where the program looks for them.
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

} // namespace
} // namespace corvane::test
