// Deterministic synthetic access logs in the combined format: a crawler mix,
// statuses, sizes written as "-", referrers with hyphens. The same seed and
// size give the same bytes on every machine.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

namespace corvane::bench {

struct LogGenOptions {
    std::uint64_t bytes = 1 << 20; // stop at the first line end at or past this size
    std::uint64_t seed = 1;
};

// Appends one line (with its "\n") to out.
class LogLineGenerator {
public:
    explicit LogLineGenerator(std::uint64_t seed) : m_state(seed ^ 0x9E3779B97F4A7C15ull) {}
    void AppendLine(std::string& out);

private:
    std::uint64_t Next();
    std::uint32_t Below(std::uint32_t n) { return static_cast<std::uint32_t>((Next() >> 32) * n >> 32); }
    std::uint64_t m_state;
    std::uint32_t m_clock = 0;
};

// Writes a log of about options.bytes bytes to file; returns false on a write error.
bool WriteSyntheticLog(std::FILE* file, const LogGenOptions& options);

} // namespace corvane::bench
