// corvane_loggen: writes a synthetic combined-format access log.
//   corvane_loggen [--size N[K|M|G]] [--seed S] OUT
#include "bench/LogGenerator.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

bool ParseSize(const char* text, std::uint64_t& out)
{
    char* end = nullptr;
    unsigned long long v = std::strtoull(text, &end, 10);
    if (end == text) return false;
    std::uint64_t mult = 1;
    if (*end == 'K' || *end == 'k') mult = 1ull << 10;
    else if (*end == 'M' || *end == 'm') mult = 1ull << 20;
    else if (*end == 'G' || *end == 'g') mult = 1ull << 30;
    else if (*end) return false;
    out = v * mult;
    return true;
}

int Usage()
{
    std::fprintf(stderr, "usage: corvane_loggen [--size N[K|M|G]] [--seed S] OUT\n");
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    corvane::bench::LogGenOptions options;
    const char* out = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--size") && i + 1 < argc) {
            if (!ParseSize(argv[++i], options.bytes)) return Usage();
        } else if (!std::strcmp(argv[i], "--seed") && i + 1 < argc) {
            options.seed = std::strtoull(argv[++i], nullptr, 10);
        } else if (argv[i][0] != '-' && !out) {
            out = argv[i];
        } else {
            return Usage();
        }
    }
    if (!out) return Usage();
    std::FILE* file = std::fopen(out, "wb");
    if (!file) {
        std::perror(out);
        return 1;
    }
    bool ok = corvane::bench::WriteSyntheticLog(file, options);
    if (std::fclose(file) != 0) ok = false;
    if (!ok) {
        std::fprintf(stderr, "corvane_loggen: cannot write %s\n", out);
        return 1;
    }
    return 0;
}
