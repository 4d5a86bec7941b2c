// A font resolved from a request: a primary face at one pixel size, faces found on demand
// for characters the primary lacks, its text metrics, and its rendered glyphs.
#pragma once

#include "platform/gfx/FontRequest.h"
#include "platform/gfx/Glyph.h"

#include <array>
#include <memory>
#include <string>

namespace gfx {

class FontEngine;
struct FaceMatch;

// Largest cell or character height honoured; larger requests are clamped to it.
constexpr int kMaxFontHeight = 1000;

class Font {
public:
    Font(FontEngine& engine, const FontRequest& spec);
    ~Font();
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;

    // The request as made, before defaults and clamping.
    const FontRequest& Request() const { return m_spec; }
    const TextMetrics& Metrics() const { return m_metrics; }
    // Family and file of the primary face (UTF-8); empty when no face could be opened,
    // in which case every character draws as a box.
    const std::string& Family() const;
    const std::string& File() const;
    // The em in pixels the faces are rendered at.
    int PixelsPerEm() const;

    // Lines drawn for underline and strike-out: first row from the top of the cell, rows.
    int UnderlineTop() const { return m_underlineTop; }
    int UnderlineThickness() const { return m_underlineThickness; }
    int StrikeOutTop() const { return m_strikeOutTop; }
    int StrikeOutThickness() const { return m_strikeOutThickness; }

    // The glyph for a code point, from the primary face, else from the first face that
    // has it, else the primary's missing-glyph mark. Valid until the next call.
    const Glyph& GlyphFor(char32_t c)
    {
        if (c < m_ascii.size() && m_ascii[c] != nullptr) return *m_ascii[c];
        return LookUp(c);
    }
    // Family of the face that draws c; empty for the missing-glyph mark.
    std::string FamilyFor(char32_t c);
    // Rendered glyphs held, for tests and diagnostics.
    std::size_t CachedGlyphs() const { return m_cache.Count(); }

private:
    struct Impl;
    const Glyph& LookUp(char32_t c);

    FontRequest m_spec;
    TextMetrics m_metrics;
    int m_underlineTop = 0;
    int m_underlineThickness = 1;
    int m_strikeOutTop = 0;
    int m_strikeOutThickness = 1;
    std::unique_ptr<Impl> m_impl;
    GlyphCache m_cache;
    std::array<const Glyph*, 128> m_ascii{};
};

} // namespace gfx
