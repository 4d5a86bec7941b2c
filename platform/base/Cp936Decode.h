// Decoding code page 936 text (read as its GB18030 superset) one character at a time.
// Only glyph lookup decodes: strings stay bytes everywhere else.
#pragma once

#include <cstddef>
#include <string>

namespace corvane {

constexpr char32_t kReplacementChar = 0xFFFD;

// Decodes the character starting at s[0] into *out and returns the bytes it took: 1 for
// ASCII, 2 for a double-byte character, 4 for a four-byte GB18030 sequence. A byte that
// starts no valid sequence (a stray trail byte, 0xFF, a lead byte cut off by the end of the
// text) gives kReplacementChar and takes 1, so decoding resumes at the next byte. A
// well-formed four-byte sequence outside Unicode gives kReplacementChar and takes 4.
// Byte 0x80 is the euro sign, as in the system's code page 936. n == 0 returns 0.
int DecodeCp936(const unsigned char* s, std::size_t n, char32_t* out);

// Converts code page 936 bytes to UTF-8 for the Linux boundary (fontconfig and the like);
// invalid bytes become U+FFFD.
std::string Cp936ToUtf8(const char* s, std::size_t n);

} // namespace corvane
