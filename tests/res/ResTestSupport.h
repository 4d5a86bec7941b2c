// Helpers shared by the resource tests.
#pragma once

#include "tests/support/TestPaths.h"

#include <cstdint>
#include <fstream>
#include <iterator>
#include <span>
#include <string>
#include <vector>

namespace restest {

// The bytes of a file under res/ of the source tree; empty when it cannot be read.
inline std::vector<std::uint8_t> ReadResFile(const std::string& path)
{
    std::ifstream in(corvane::test::SourceDir() + "/res/" + path, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline std::uint32_t Le16(std::span<const std::uint8_t> b, std::size_t at)
{
    return b[at] | (b[at + 1] << 8);
}
inline std::uint32_t Le32(std::span<const std::uint8_t> b, std::size_t at)
{
    return Le16(b, at) | (Le16(b, at + 2) << 16);
}

// Hex of a byte string, for readable failures on code page 936 text.
inline std::string Hex(const std::string& s)
{
    static const char* digits = "0123456789abcdef";
    std::string out;
    for (unsigned char c : s) {
        out.push_back(digits[c >> 4]);
        out.push_back(digits[c & 15]);
    }
    return out;
}

} // namespace restest
