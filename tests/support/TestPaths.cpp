#include "tests/support/TestPaths.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace corvane::test {

std::string SourceDir()
{
    const char* dir = std::getenv("CORVANE_SOURCE_DIR");
    return dir ? dir : ".";
}

namespace {
struct Scratch {
    std::filesystem::path path;
    Scratch()
    {
        path = std::filesystem::temp_directory_path() / ("corvane-test-" + std::to_string(getpid()));
        std::filesystem::remove_all(path);
        std::filesystem::create_directories(path);
    }
    ~Scratch()
    {
        std::error_code ec;
        std::filesystem::permissions(path, std::filesystem::perms::owner_all, ec);
        std::filesystem::remove_all(path, ec);
    }
};
Scratch& TheScratch()
{
    static Scratch s;
    return s;
}
} // namespace

std::string ScratchDir() { return TheScratch().path.string(); }

std::string WriteScratchFile(const std::string& name, const std::string& bytes)
{
    std::filesystem::path p = TheScratch().path / name;
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return p.string();
}

std::string ProgramPath(const std::string& name)
{
    const char* path = std::getenv("PATH");
    std::istringstream dirs(path ? path : "/usr/bin:/bin");
    for (std::string dir; std::getline(dirs, dir, ':');)
        if (!dir.empty() && access((dir + "/" + name).c_str(), X_OK) == 0) return dir + "/" + name;
    return std::string();
}

} // namespace corvane::test
