// A rendered glyph: its advance and an 8-bit coverage bitmap placed against the pen.
#pragma once

#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <vector>

namespace gfx {

struct Glyph {
    int advance = 0; // pixels the pen moves
    int left = 0;    // first coverage column, from the pen
    int top = 0;     // first coverage row, upwards from the baseline
    int width = 0;
    int height = 0;
    const std::uint8_t* coverage = nullptr; // width * height bytes, rows top to bottom
};

// Rendered glyphs of one font by code point. Glyph references stay valid until the next
// Insert or Clear.
class GlyphCache {
public:
    const Glyph* Find(char32_t c) const
    {
        auto it = m_entries.find(c);
        return it == m_entries.end() ? nullptr : &it->second.glyph;
    }
    const Glyph& Insert(char32_t c, const Glyph& metrics, std::vector<std::uint8_t> pixels);
    std::size_t Bytes() const { return m_bytes; }
    std::size_t Count() const { return m_entries.size(); }
    void Clear();

private:
    struct Entry {
        Glyph glyph;
        std::vector<std::uint8_t> pixels;
    };
    std::unordered_map<char32_t, Entry> m_entries;
    std::size_t m_bytes = 0;
};

} // namespace gfx
