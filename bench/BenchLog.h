// The log the benchmarks read: CORVANE_BENCH_LOG, or a generated 1 GiB file
// in /tmp (CORVANE_BENCH_SIZE bytes), made once and reused.
#pragma once

#include "bench/LogGenerator.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/stat.h>

namespace corvane::bench {

inline std::string BenchLogPath()
{
    if (const char* path = std::getenv("CORVANE_BENCH_LOG")) return path;
    LogGenOptions options;
    options.bytes = 1ull << 30;
    if (const char* size = std::getenv("CORVANE_BENCH_SIZE")) options.bytes = std::strtoull(size, nullptr, 10);
    std::string path = "/tmp/corvane-bench-" + std::to_string(options.bytes) + ".log";
    struct stat st;
    if (stat(path.c_str(), &st) == 0 && static_cast<std::uint64_t>(st.st_size) >= options.bytes) return path;
    std::fprintf(stderr, "generating %s ...\n", path.c_str());
    std::string tmp = path + ".part";
    std::FILE* file = std::fopen(tmp.c_str(), "wb");
    bool ok = file && WriteSyntheticLog(file, options);
    if (file && std::fclose(file) != 0) ok = false;
    if (!ok || std::rename(tmp.c_str(), path.c_str()) != 0) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        std::exit(1);
    }
    return path;
}

} // namespace corvane::bench
