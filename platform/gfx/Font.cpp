#include "platform/gfx/Font.h"

#include "platform/base/Cp936Decode.h"
#include "platform/gfx/FontEngine.h"
#include "platform/gfx/GlyphRaster.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SIZES_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace gfx {

namespace {

// Rendered coverage one font may hold before its cache starts over.
constexpr std::size_t kCacheBudget = std::size_t{8} << 20;
constexpr int kDefaultHeight = -12;

// What the metrics are computed from, in font units.
struct FaceTables {
    long upem = 1000;
    long winAscent = 800;
    long winDescent = 200;
    long externalLeading = 0;
    long avgWidth = 500;
    long maxAdvance = 1000;
    long underlinePos = -100; // top of the line, from the baseline, up positive
    long underlineThickness = 50;
    long strikePos = 300; // top of the stroke above the baseline
    long strikeThickness = 50;
    bool fixedPitch = false;
    bool cjk = false;
};

FaceTables ReadTables(FT_Face f)
{
    FaceTables t;
    t.upem = f->units_per_EM;
    auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(f, FT_SFNT_OS2));
    auto* hhea = static_cast<TT_HoriHeader*>(FT_Get_Sfnt_Table(f, FT_SFNT_HHEA));
    auto* post = static_cast<TT_Postscript*>(FT_Get_Sfnt_Table(f, FT_SFNT_POST));
    if (os2 != nullptr && os2->version != 0xFFFF && os2->usWinAscent + os2->usWinDescent > 0) {
        t.winAscent = os2->usWinAscent;
        t.winDescent = os2->usWinDescent;
    } else {
        t.winAscent = f->ascender;
        t.winDescent = -f->descender;
    }
    if (hhea != nullptr) {
        long hheaHeight = hhea->Ascender - hhea->Descender;
        t.externalLeading = std::max(0L, hhea->Line_Gap - ((t.winAscent + t.winDescent) - hheaHeight));
        t.maxAdvance = hhea->advance_Width_Max;
    } else {
        t.maxAdvance = f->max_advance_width;
    }
    t.avgWidth = (os2 != nullptr && os2->version != 0xFFFF && os2->xAvgCharWidth > 0) ? os2->xAvgCharWidth : t.upem / 2;
    if (post != nullptr) {
        t.underlinePos = post->underlinePosition;
        t.underlineThickness = post->underlineThickness;
    }
    if (os2 != nullptr && os2->version != 0xFFFF && os2->yStrikeoutSize > 0) {
        t.strikePos = os2->yStrikeoutPosition;
        t.strikeThickness = os2->yStrikeoutSize;
    } else {
        t.strikePos = t.winAscent / 3;
        t.strikeThickness = t.underlineThickness;
    }
    t.fixedPitch = FT_IS_FIXED_WIDTH(f);
    t.cjk = FT_Get_Char_Index(f, 0x4E2D) != 0; // 中
    if (t.winAscent + t.winDescent <= 0) {
        t.winAscent = t.upem * 4 / 5;
        t.winDescent = t.upem - t.winAscent;
    }
    return t;
}

long Scale(long units, long pixels, long upem)
{
    return std::lround(static_cast<double>(units) * pixels / upem);
}

long ScaleUp(long units, long pixels, long upem)
{
    return std::max(0L, static_cast<long>(std::ceil(static_cast<double>(units) * pixels / upem - 1e-9)));
}

bool Contains(const std::string& hay, const char* needle)
{
    return hay.find(needle) != std::string::npos;
}

BYTE FamilyBits(const std::string& family, bool fixedPitch)
{
    if (fixedPitch || Contains(family, "Mono")) return kFamilyModern;
    if (Contains(family, "Serif") || Contains(family, "Ming") || Contains(family, "Song") || Contains(family, "Roman"))
        return kFamilyRoman;
    return kFamilySwiss;
}

} // namespace

struct FaceSlot {
    FT_Face face = nullptr;
    FT_Size size = nullptr;
    RasterOptions raster;
    std::string family;
    std::string file;
    int index = 0;
    bool failed = false;

    FaceSlot() = default;
    FaceSlot(const FaceSlot&) = delete;
    FaceSlot& operator=(const FaceSlot&) = delete;
    ~FaceSlot()
    {
        if (size != nullptr) FT_Done_Size(size);
    }
    bool Activate() const { return size != nullptr && FT_Activate_Size(size) == 0; }
};

struct Font::Impl {
    explicit Impl(FontEngine& e) : engine(e) {}
    ~Impl()
    {
        if (fallbacks != nullptr) FcFontSetDestroy(fallbacks);
        if (pattern != nullptr) FcPatternDestroy(pattern);
    }

    // Gives a face its own size object at this font's scale: faces are shared by fonts.
    bool OpenSlot(FaceSlot& slot, FT_Face face, const FaceMatch& m)
    {
        slot.family = m.family;
        slot.file = m.file;
        slot.index = m.index;
        if (face == nullptr || !FT_IS_SCALABLE(face) || face->units_per_EM == 0) return false;
        if (FT_New_Size(face, &slot.size) != 0) {
            slot.size = nullptr;
            return false;
        }
        slot.face = face;
        if (!slot.Activate() || FT_Set_Char_Size(face, xPpem26, static_cast<FT_F26Dot6>(ppem) * 64, 72, 72) != 0) {
            FT_Done_Size(slot.size);
            slot.size = nullptr;
            slot.face = nullptr;
            return false;
        }
        // Judge from the face itself: fontconfig's answer already claims what it would simulate.
        auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
        int faceWeight = (os2 != nullptr && os2->version != 0xFFFF && os2->usWeightClass > 0)
                             ? os2->usWeightClass
                             : ((face->style_flags & FT_STYLE_FLAG_BOLD) ? 700 : 400);
        slot.raster.emboldenPixel = weight >= 600 && faceWeight < 600;
        slot.raster.oblique = italic && (face->style_flags & FT_STYLE_FLAG_ITALIC) == 0;
        return true;
    }

    void LoadFallbacks()
    {
        if (fallbacksLoaded) return;
        fallbacksLoaded = true;
        if (pattern == nullptr || engine.Config() == nullptr) return;
        FcResult result;
        fallbacks = FcFontSort(engine.Config(), pattern, FcTrue, nullptr, &result);
        if (fallbacks != nullptr) fallbackSlots.resize(static_cast<std::size_t>(fallbacks->nfont));
    }

    // The slot that draws c and its glyph index there, or null.
    FaceSlot* SlotFor(char32_t c, unsigned& glyphIndex)
    {
        if (primary.face != nullptr) {
            glyphIndex = FT_Get_Char_Index(primary.face, c);
            if (glyphIndex != 0) return &primary;
        }
        LoadFallbacks();
        if (fallbacks == nullptr) return nullptr;
        for (int i = 0; i < fallbacks->nfont; ++i) {
            FcPattern* font = fallbacks->fonts[i];
            FcCharSet* charset = nullptr;
            if (FcPatternGetCharSet(font, FC_CHARSET, 0, &charset) != FcResultMatch || !FcCharSetHasChar(charset, c))
                continue;
            auto& slot = fallbackSlots[static_cast<std::size_t>(i)];
            if (slot == nullptr) {
                slot = std::make_unique<FaceSlot>();
                FaceMatch m;
                if (!FontEngine::Describe(font, m) || (m.file == primary.file && m.index == primary.index) ||
                    !OpenSlot(*slot, engine.Face(m.file, m.index), m))
                    slot->failed = true;
            }
            if (slot->failed) continue;
            glyphIndex = FT_Get_Char_Index(slot->face, c);
            if (glyphIndex != 0) return slot.get();
        }
        return nullptr;
    }

    FontEngine& engine;
    FcPattern* pattern = nullptr;
    FcFontSet* fallbacks = nullptr;
    bool fallbacksLoaded = false;
    std::vector<std::unique_ptr<FaceSlot>> fallbackSlots; // parallel to fallbacks, opened on demand
    FaceSlot primary;
    int ppem = 12;
    FT_F26Dot6 xPpem26 = 12 * 64;
    int weight = 400;
    bool italic = false;
};

Font::Font(FontEngine& engine, const FontRequest& spec) : m_spec(spec), m_impl(std::make_unique<Impl>(engine))
{
    Impl& im = *m_impl;
    long long requested = spec.height == 0 ? kDefaultHeight : spec.height;
    bool cellHeight = requested > 0;
    long mag = static_cast<long>(std::clamp<long long>(std::llabs(requested), 1, kMaxFontHeight));
    long width =
        static_cast<long>(std::clamp<long long>(std::llabs(static_cast<long long>(spec.width)), 0, kMaxFontHeight));
    im.weight = spec.weight <= 0 ? 400 : std::min(spec.weight, 1000);
    im.italic = spec.italic;

    FontRequest request = spec;
    request.weight = im.weight;
    im.pattern = engine.MakePattern(request);
    FaceMatch match;
    FT_Face face = nullptr;
    if (im.pattern != nullptr && engine.Match(im.pattern, match)) face = engine.Face(match.file, match.index);
    if (face != nullptr && (!FT_IS_SCALABLE(face) || face->units_per_EM == 0)) face = nullptr;
    FaceTables t = face != nullptr ? ReadTables(face) : FaceTables();

    // Integral em, as the system renders TrueType faces; a cell height is kept exactly.
    long cellUnits = t.winAscent + t.winDescent;
    long ascent, descent;
    // Descents are rounded up: the antialiased fringe of a descender stays in the cell.
    if (cellHeight) {
        im.ppem = static_cast<int>(std::max(1L, Scale(t.upem, mag, cellUnits)));
        descent = std::min(mag - 1, ScaleUp(t.winDescent, im.ppem, t.upem));
        ascent = mag - descent;
    } else {
        im.ppem = static_cast<int>(mag);
        ascent = Scale(t.winAscent, mag, t.upem);
        descent = ScaleUp(t.winDescent, mag, t.upem);
        if (ascent + descent < mag) ascent += mag - (ascent + descent);
    }
    im.xPpem26 = static_cast<FT_F26Dot6>(im.ppem) * 64;
    if (width > 0)
        im.xPpem26 =
            std::clamp<FT_F26Dot6>(std::lround(64.0 * width * t.upem / t.avgWidth), 64, 4L * kMaxFontHeight * 64);

    if (!im.OpenSlot(im.primary, face, match)) {
        im.primary.face = nullptr;
        im.primary.family.clear();
        im.primary.file.clear();
    }
    bool synthBold = im.primary.raster.emboldenPixel;

    TextMetrics& tm = m_metrics;
    tm.tmAscent = ascent;
    tm.tmDescent = descent;
    tm.tmHeight = ascent + descent;
    tm.tmInternalLeading = tm.tmHeight - im.ppem;
    tm.tmExternalLeading = Scale(t.externalLeading, im.ppem, t.upem);
    long xPixels = std::max(1L, static_cast<long>((im.xPpem26 + 32) / 64));
    tm.tmAveCharWidth = width > 0 ? width : std::max(1L, Scale(t.avgWidth, xPixels, t.upem));
    tm.tmMaxCharWidth = std::max<long>(tm.tmAveCharWidth, Scale(t.maxAdvance, xPixels, t.upem));
    if (synthBold) {
        ++tm.tmAveCharWidth;
        ++tm.tmMaxCharWidth;
    }
    tm.tmWeight = im.weight;
    tm.tmItalic = spec.italic ? 1 : 0;
    tm.tmUnderlined = spec.underline ? 1 : 0;
    tm.tmStruckOut = spec.strikeOut ? 1 : 0;
    tm.tmPitchAndFamily = static_cast<BYTE>(kTmpfVector | kTmpfTrueType | (t.fixedPitch ? 0 : kTmpfFixedPitch) |
                                            FamilyBits(im.primary.family, t.fixedPitch));
    tm.tmCharSet = t.cjk ? kGb2312Charset : kAnsiCharset;

    int cell = static_cast<int>(tm.tmHeight);
    m_underlineThickness =
        static_cast<int>(std::clamp(Scale(t.underlineThickness, im.ppem, t.upem), 1L, 1L + cell / 8));
    m_underlineTop = static_cast<int>(ascent - Scale(t.underlinePos, im.ppem, t.upem));
    m_underlineTop = std::clamp(m_underlineTop, static_cast<int>(ascent), std::max(0, cell - m_underlineThickness));
    m_strikeOutThickness = static_cast<int>(std::clamp(Scale(t.strikeThickness, im.ppem, t.upem), 1L, 1L + cell / 8));
    m_strikeOutTop = static_cast<int>(ascent - Scale(t.strikePos, im.ppem, t.upem));
    m_strikeOutTop = std::clamp(m_strikeOutTop, 0, std::max(0, cell - m_strikeOutThickness));
}

Font::~Font() = default;

const std::string& Font::Family() const
{
    return m_impl->primary.family;
}
const std::string& Font::File() const
{
    return m_impl->primary.file;
}
int Font::PixelsPerEm() const
{
    return m_impl->ppem;
}

std::string Font::FamilyFor(char32_t c)
{
    unsigned index = 0;
    FaceSlot* slot = c == corvane::kReplacementChar ? nullptr : m_impl->SlotFor(c, index);
    return slot != nullptr ? slot->family : std::string();
}

const Glyph& Font::LookUp(char32_t c)
{
    if (const Glyph* cached = m_cache.Find(c)) return *cached;
    if (m_cache.Bytes() > kCacheBudget) {
        m_cache.Clear();
        m_ascii.fill(nullptr);
    }
    Impl& im = *m_impl;
    Glyph g;
    std::vector<std::uint8_t> pixels;
    unsigned index = 0;
    // Invalid bytes decode to the replacement character: one mark of this font's own size,
    // rather than a borrowed glyph that may not fit the cell.
    FaceSlot* slot = c == corvane::kReplacementChar ? nullptr : im.SlotFor(c, index);
    if (c == corvane::kReplacementChar) {
        MakeReplacementGlyph(static_cast<int>(m_metrics.tmAveCharWidth), static_cast<int>(m_metrics.tmAscent),
                             static_cast<int>(m_metrics.tmDescent), g, pixels);
        const Glyph& stored = m_cache.Insert(c, g, std::move(pixels));
        return stored;
    }
    bool ok = slot != nullptr && slot->Activate() && RasterizeGlyph(slot->face, index, slot->raster, g, pixels);
    if (!ok && im.primary.face != nullptr && im.primary.Activate()) {
        // No face has it: the primary's missing-glyph mark, when that is visible.
        ok = RasterizeGlyph(im.primary.face, 0, im.primary.raster, g, pixels) && g.advance > 0 && g.width > 0;
    }
    if (!ok) MakeBoxGlyph(static_cast<int>(m_metrics.tmAveCharWidth), static_cast<int>(m_metrics.tmAscent), g, pixels);
    const Glyph& stored = m_cache.Insert(c, g, std::move(pixels));
    if (c < m_ascii.size()) m_ascii[c] = &stored;
    return stored;
}

} // namespace gfx
