// Draws the program's images and writes them under the resource folder:
//   corvane_resgen <res-folder> [--sheet <png>]
// The written files are committed; the build embeds them as they are.
#include "platform/gfx/Png.h"
#include "tools/resgen/Catalog.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>

namespace {

bool WriteFile(const std::filesystem::path& path, const resgen::ByteVector& bytes)
{
    std::error_code ec;
    std::filesystem::create_directories(path.parent_path(), ec);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

int Usage()
{
    std::fprintf(stderr, "usage: corvane_resgen <res-folder> [--sheet <png>]\n");
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2 && argc != 4) return Usage();
    if (argc == 4 && std::strcmp(argv[2], "--sheet") != 0) return Usage();
    std::filesystem::path root(argv[1]);

    std::vector<resgen::GeneratedFile> files;
    std::string error;
    if (!resgen::GenerateResourceFiles(&files, &error)) {
        std::fprintf(stderr, "corvane_resgen: %s\n", error.c_str());
        return 1;
    }
    for (const resgen::GeneratedFile& f : files) {
        if (!WriteFile(root / f.path, f.bytes)) {
            std::fprintf(stderr, "corvane_resgen: cannot write %s\n", (root / f.path).c_str());
            return 1;
        }
        std::printf("%s (%zu bytes)\n", (root / f.path).c_str(), f.bytes.size());
    }
    if (argc == 4) {
        if (!gfx::WritePngFile(resgen::DrawContactSheet(), argv[3], false, &error)) {
            std::fprintf(stderr, "corvane_resgen: %s: %s\n", argv[3], error.c_str());
            return 1;
        }
        std::printf("%s\n", argv[3]);
    }
    return 0;
}
