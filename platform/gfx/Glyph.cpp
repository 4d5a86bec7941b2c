#include "platform/gfx/Glyph.h"

#include <utility>

namespace gfx {

const Glyph& GlyphCache::Insert(char32_t c, const Glyph& metrics, std::vector<std::uint8_t> pixels)
{
    auto [it, fresh] = m_entries.try_emplace(c);
    Entry& e = it->second;
    if (!fresh) m_bytes -= e.pixels.size() + sizeof(Entry);
    e.pixels = std::move(pixels);
    e.glyph = metrics;
    e.glyph.coverage = e.pixels.empty() ? nullptr : e.pixels.data();
    m_bytes += e.pixels.size() + sizeof(Entry);
    return e.glyph;
}

void GlyphCache::Clear()
{
    m_entries.clear();
    m_bytes = 0;
}

} // namespace gfx
