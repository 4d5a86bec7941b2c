#include "platform/system/paint/DcText.h"

#include "platform/gfx/TextLayout.h"
#include "platform/gfx/TextRender.h"
#include "platform/system/gdi/Gdi.h"

#include <algorithm>
#include <cstring>

namespace sys {
namespace {

LONG ClampAdd(long long a, long long b)
{
    return static_cast<LONG>(std::clamp<long long>(a + b, -gfx::Region::kCoordLimit, gfx::Region::kCoordLimit));
}

} // namespace

gfx::Font* CurrentFont(const DcObject& dc)
{
    gfx::Font* font = ResolveFont(dc.cur.font);
    return font ? font : ResolveFont(static_cast<HFONT>(StockObject(SYSTEM_FONT)));
}

int RunWidth(gfx::Font& font, const char* s, std::size_t n) { return gfx::MeasureText(font, s, n).cx; }

void DrawRun(const DcCanvas& canvas, gfx::Font& font, int x, int y, const char* s, std::size_t n, COLORREF color,
             const RECT* clip, bool opaque)
{
    gfx::Region region = canvas.clip;
    if (clip) {
        CRect c(ClampAdd(clip->left, canvas.offset.x), ClampAdd(clip->top, canvas.offset.y),
                ClampAdd(clip->right, canvas.offset.x), ClampAdd(clip->bottom, canvas.offset.y));
        region = region.Intersect(gfx::Region(c));
    }
    if (region.IsEmpty()) return;
    LONG sx = ClampAdd(x, canvas.offset.x), sy = ClampAdd(y, canvas.offset.y);
    if (opaque && n > 0) {
        gfx::TextSize size = gfx::MeasureText(font, s, n);
        gfx::Painter painter(*canvas.surface);
        painter.SetClip(region);
        painter.FillRect(CRect(sx, sy, ClampAdd(sx, size.cx), ClampAdd(sy, size.cy)),
                         gfx::PixelFromColor(canvas.dc->cur.bkColor));
    }
    gfx::DrawString(*canvas.surface, region, sx, sy, font, s, n, color);
}

} // namespace sys

BOOL ExtTextOutA(HDC hdc, int x, int y, UINT options, const RECT* rect, LPCSTR text, UINT count, const int* /*dx*/)
{
    sys::DcCanvas canvas;
    if (!sys::BeginCanvas(hdc, canvas) || (count > 0 && !text)) return FALSE;
    if (count > static_cast<UINT>(gfx::Region::kCoordLimit)) return FALSE;
    sys::DcObject& dc = *canvas.dc;
    gfx::Font* font = sys::CurrentFont(dc);
    if (!font) return FALSE;
    std::size_t n = count;
    int width = sys::RunWidth(*font, text, n);
    int height = static_cast<int>(font->Metrics().tmHeight);
    const RECT* clip = (options & ETO_CLIPPED) && rect ? rect : nullptr;

    // The reference point: the current position, or (x, y), aligned as the DC says.
    UINT align = dc.cur.textAlign;
    if (align & TA_UPDATECP) {
        x = dc.cur.position.x;
        y = dc.cur.position.y;
    }
    int left = x;
    if ((align & TA_CENTER) == TA_CENTER) left = x - width / 2;
    else if (align & TA_RIGHT) left = x - width;
    int top = y;
    if ((align & TA_BASELINE) == TA_BASELINE) top = y - static_cast<int>(font->Metrics().tmAscent);
    else if (align & TA_BOTTOM) top = y - height;

    CRect changed(left, top, sys::ClampAdd(left, width), sys::ClampAdd(top, height));
    if ((options & ETO_OPAQUE) && rect) {
        gfx::Painter painter = sys::MakePainter(canvas);
        painter.FillRect(*rect, gfx::PixelFromColor(dc.cur.bkColor));
        changed.UnionRect(&changed, rect);
    }
    bool opaqueCells = dc.cur.bkMode == OPAQUE && !(options & ETO_OPAQUE);
    sys::DrawRun(canvas, *font, left, top, text, n, dc.cur.textColor, clip, opaqueCells);
    if (align & TA_UPDATECP) {
        if ((align & TA_CENTER) == TA_CENTER) {
        } else if (align & TA_RIGHT) {
            dc.cur.position.x = left;
        } else {
            dc.cur.position.x = sys::ClampAdd(left, width);
        }
    }
    sys::EndCanvas(canvas, changed);
    return TRUE;
}

BOOL TextOutA(HDC hdc, int x, int y, LPCSTR text, int count)
{
    if (count < 0) return FALSE;
    return ExtTextOutA(hdc, x, y, 0, nullptr, text, static_cast<UINT>(count), nullptr);
}

BOOL GetTextExtentPoint32A(HDC hdc, LPCSTR text, int count, SIZE* size)
{
    sys::DcObject* dc = sys::LookupDc(hdc);
    if (!dc || !size || count < 0 || (count > 0 && !text)) return FALSE;
    gfx::Font* font = sys::CurrentFont(*dc);
    if (!font) return FALSE;
    gfx::TextSize s = gfx::MeasureText(*font, text, static_cast<std::size_t>(count));
    *size = SIZE{s.cx, s.cy};
    return TRUE;
}

BOOL GetTextMetricsA(HDC hdc, TEXTMETRICA* out)
{
    sys::DcObject* dc = sys::LookupDc(hdc);
    if (!dc || !out) return FALSE;
    gfx::Font* font = sys::CurrentFont(*dc);
    if (!font) return FALSE;
    const gfx::TextMetrics& m = font->Metrics();
    TEXTMETRICA tm{};
    tm.tmHeight = m.tmHeight;
    tm.tmAscent = m.tmAscent;
    tm.tmDescent = m.tmDescent;
    tm.tmInternalLeading = m.tmInternalLeading;
    tm.tmExternalLeading = m.tmExternalLeading;
    tm.tmAveCharWidth = m.tmAveCharWidth;
    tm.tmMaxCharWidth = m.tmMaxCharWidth;
    tm.tmWeight = m.tmWeight;
    tm.tmOverhang = m.tmOverhang;
    tm.tmDigitizedAspectX = m.tmDigitizedAspectX;
    tm.tmDigitizedAspectY = m.tmDigitizedAspectY;
    tm.tmFirstChar = m.tmFirstChar;
    tm.tmLastChar = m.tmLastChar;
    tm.tmDefaultChar = m.tmDefaultChar;
    tm.tmBreakChar = m.tmBreakChar;
    tm.tmItalic = m.tmItalic;
    tm.tmUnderlined = m.tmUnderlined;
    tm.tmStruckOut = m.tmStruckOut;
    tm.tmPitchAndFamily = m.tmPitchAndFamily;
    tm.tmCharSet = m.tmCharSet;
    *out = tm;
    return TRUE;
}

int GetTextFaceA(HDC hdc, int size, LPSTR name)
{
    sys::DcObject* dc = sys::LookupDc(hdc);
    auto* font = dc ? sys::Lookup<sys::FontObject>(dc->cur.font) : nullptr;
    if (!font) return 0;
    std::size_t length = strnlen(font->log.lfFaceName, LF_FACESIZE);
    if (!name) return static_cast<int>(length + 1);
    if (size <= 0) return 0;
    std::size_t copied = std::min(length, static_cast<std::size_t>(size - 1));
    std::memcpy(name, font->log.lfFaceName, copied);
    name[copied] = '\0';
    return static_cast<int>(copied);
}
