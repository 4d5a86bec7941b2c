// Creating pens, brushes, fonts and bitmaps.
#include "platform/system/gdi/Gdi.h"
#include "platform/system/paint/DcState.h"
#include "platform/system/window/SysMetrics.h"

#include <algorithm>
#include <cstring>
#include <map>

namespace {

// Wider pens than this draw nothing sensible on any surface of this program.
constexpr int kMaxPenWidth = 1 << 15;

HBRUSH NewBrush(UINT style, COLORREF color, bool stock = false)
{
    auto brush = std::make_unique<sys::BrushObject>();
    brush->style = style;
    brush->color = color & 0x00FFFFFF;
    return static_cast<HBRUSH>(sys::AddGdiObject(sys::GdiKind::Brush, std::move(brush), stock));
}

HBITMAP NewBitmap(int width, int height, int bitsPixel)
{
    if (width <= 0 || height <= 0 || width > gfx::Surface::kMaxDimension || height > gfx::Surface::kMaxDimension)
        return nullptr;
    auto bitmap = std::make_unique<sys::BitmapObject>();
    bitmap->surface.Resize(width, height, 0);
    bitmap->bitsPixel = bitsPixel;
    return static_cast<HBITMAP>(sys::AddGdiObject(sys::GdiKind::Bitmap, std::move(bitmap)));
}

} // namespace

HPEN CreatePen(int style, int width, COLORREF color)
{
    if (style < PS_SOLID || style > PS_INSIDEFRAME) return nullptr;
    width = std::clamp(width, 0, kMaxPenWidth);
    if (width == 0) width = 1;
    // Styled lines are one pixel wide; wider ones draw solid.
    if (width > 1 && style >= PS_DASH && style <= PS_DASHDOTDOT) style = PS_SOLID;
    auto pen = std::make_unique<sys::PenObject>();
    pen->style = style;
    pen->width = width;
    pen->color = color & 0x00FFFFFF;
    return static_cast<HPEN>(sys::AddGdiObject(sys::GdiKind::Pen, std::move(pen)));
}

HPEN CreatePenIndirect(const LOGPEN* logPen)
{
    if (!logPen) return nullptr;
    return CreatePen(static_cast<int>(logPen->lopnStyle), logPen->lopnWidth.x, logPen->lopnColor);
}

HBRUSH CreateSolidBrush(COLORREF color) { return NewBrush(BS_SOLID, color); }

HBRUSH CreateBrushIndirect(const LOGBRUSH* logBrush)
{
    if (!logBrush) return nullptr;
    if (logBrush->lbStyle == BS_SOLID) return NewBrush(BS_SOLID, logBrush->lbColor);
    if (logBrush->lbStyle == BS_NULL) return NewBrush(BS_NULL, 0);
    return nullptr; // hatched and pattern brushes are not supported
}

HBRUSH GetSysColorBrush(int index)
{
    // One brush per colour index for the life of the process, like a stock object.
    static auto* brushes = new std::map<int, HBRUSH>;
    if (index < 0 || index > COLOR_GRADIENTINACTIVECAPTION) return nullptr;
    auto it = brushes->find(index);
    if (it != brushes->end()) return it->second;
    HBRUSH brush = NewBrush(BS_SOLID, GetSysColor(index), true);
    if (brush) (*brushes)[index] = brush;
    return brush;
}

HFONT CreateFontIndirectA(const LOGFONTA* logFont)
{
    if (!logFont) return nullptr;
    auto font = std::make_unique<sys::FontObject>();
    font->log = *logFont;
    font->log.lfFaceName[LF_FACESIZE - 1] = '\0';
    return static_cast<HFONT>(sys::AddGdiObject(sys::GdiKind::Font, std::move(font)));
}

HFONT CreateFontA(int height, int width, int escapement, int orientation, int weight, DWORD italic, DWORD underline,
                  DWORD strikeOut, DWORD charSet, DWORD outPrecision, DWORD clipPrecision, DWORD quality,
                  DWORD pitchAndFamily, LPCSTR faceName)
{
    LOGFONTA lf{};
    lf.lfHeight = height;
    lf.lfWidth = width;
    lf.lfEscapement = escapement;
    lf.lfOrientation = orientation;
    lf.lfWeight = weight;
    lf.lfItalic = static_cast<BYTE>(italic);
    lf.lfUnderline = static_cast<BYTE>(underline);
    lf.lfStrikeOut = static_cast<BYTE>(strikeOut);
    lf.lfCharSet = static_cast<BYTE>(charSet);
    lf.lfOutPrecision = static_cast<BYTE>(outPrecision);
    lf.lfClipPrecision = static_cast<BYTE>(clipPrecision);
    lf.lfQuality = static_cast<BYTE>(quality);
    lf.lfPitchAndFamily = static_cast<BYTE>(pitchAndFamily);
    if (faceName) std::strncpy(lf.lfFaceName, faceName, LF_FACESIZE - 1);
    return CreateFontIndirectA(&lf);
}

HBITMAP CreateCompatibleBitmap(HDC hdc, int width, int height)
{
    if (!sys::LookupDc(hdc) || width < 0 || height < 0) return nullptr;
    if (width == 0 || height == 0) return sys::StockBitmap();
    // Every bitmap is a colour one: surfaces here are always 32-bit.
    return NewBitmap(width, height, 32);
}

HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits)
{
    if (planes != 1 || (bitsPerPixel != 1 && bitsPerPixel != 32)) return nullptr;
    if (width == 0 || height == 0) return sys::StockBitmap();
    HBITMAP handle = NewBitmap(width, height, static_cast<int>(bitsPerPixel));
    auto* bitmap = sys::Lookup<sys::BitmapObject>(handle);
    if (!bitmap || !bits) return handle;
    const auto* bytes = static_cast<const std::uint8_t*>(bits);
    if (bitsPerPixel == 32) {
        for (int y = 0; y < height; ++y)
            std::memcpy(bitmap->surface.Row(y), bytes + static_cast<std::size_t>(y) * width * 4,
                        static_cast<std::size_t>(width) * 4);
    } else {
        std::size_t rowBytes = ((static_cast<std::size_t>(width) + 15) / 16) * 2;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                bool set = (bytes[y * rowBytes + static_cast<std::size_t>(x) / 8] >> (7 - x % 8)) & 1;
                bitmap->surface.Set(x, y, set ? 0xFFFFFF : 0);
            }
    }
    return handle;
}
