#include "platform/gfx/TextLayout.h"

#include "platform/base/Cp936Decode.h"

#include <algorithm>
#include <climits>
#include <cstdint>

namespace gfx {

namespace {

int ClampWidth(std::int64_t w)
{
    return static_cast<int>(std::min<std::int64_t>(w, INT_MAX));
}

} // namespace

TextSize MeasureText(Font& font, const char* s, std::size_t n)
{
    TextSize size;
    size.cy = static_cast<int>(font.Metrics().tmHeight);
    if (s == nullptr) return size;
    const auto* p = reinterpret_cast<const unsigned char*>(s);
    std::int64_t x = 0;
    for (std::size_t i = 0; i < n;) {
        char32_t c;
        i += static_cast<std::size_t>(corvane::DecodeCp936(p + i, n - i, &c));
        x += font.GlyphFor(c).advance;
    }
    size.cx = ClampWidth(x);
    return size;
}

void CharacterEnds(Font& font, const char* s, std::size_t n, std::vector<int>& ends)
{
    ends.assign(s == nullptr ? 0 : n, 0);
    if (s == nullptr) return;
    const auto* p = reinterpret_cast<const unsigned char*>(s);
    std::int64_t x = 0;
    for (std::size_t i = 0; i < n;) {
        char32_t c;
        std::size_t used = static_cast<std::size_t>(corvane::DecodeCp936(p + i, n - i, &c));
        x += font.GlyphFor(c).advance;
        std::fill(ends.begin() + static_cast<std::ptrdiff_t>(i), ends.begin() + static_cast<std::ptrdiff_t>(i + used),
                  ClampWidth(x));
        i += used;
    }
}

std::size_t BytesFitting(Font& font, const char* s, std::size_t n, int maxWidth)
{
    if (s == nullptr) return 0;
    const auto* p = reinterpret_cast<const unsigned char*>(s);
    std::int64_t x = 0;
    std::size_t i = 0;
    while (i < n) {
        char32_t c;
        std::size_t used = static_cast<std::size_t>(corvane::DecodeCp936(p + i, n - i, &c));
        x += font.GlyphFor(c).advance;
        if (x > maxWidth) break;
        i += used;
    }
    return i;
}

} // namespace gfx
