// Fills and block transfers through a DC.
#include "platform/system/gdi/Gdi.h"
#include "platform/system/paint/DcState.h"

using sys::DcCanvas;

namespace {

RECT Extent(int x, int y, int width, int height)
{
    auto add = [](int a, int b) {
        long long s = static_cast<long long>(a) + b;
        return static_cast<LONG>(std::clamp<long long>(s, -gfx::Region::kCoordLimit, gfx::Region::kCoordLimit));
    };
    CRect r(x, y, add(x, width), add(y, height));
    r.NormalizeRect();
    return r;
}

} // namespace

int FillRect(HDC hdc, const RECT* rect, HBRUSH brush)
{
    DcCanvas canvas;
    gfx::Brush fill;
    if (!rect || !sys::BeginCanvas(hdc, canvas) || !sys::BrushForFill(*canvas.dc, brush, &fill)) return 0;
    if (IsRectEmpty(rect)) return 1;
    sys::MakePainter(canvas).FillRect(*rect, fill);
    sys::EndCanvas(canvas, *rect);
    return 1;
}

int FrameRect(HDC hdc, const RECT* rect, HBRUSH brush)
{
    DcCanvas canvas;
    gfx::Brush fill;
    if (!rect || !sys::BeginCanvas(hdc, canvas) || !sys::BrushForFill(*canvas.dc, brush, &fill)) return 0;
    if (IsRectEmpty(rect)) return 1;
    sys::MakePainter(canvas).FrameRect(*rect, fill);
    sys::EndCanvas(canvas, *rect);
    return 1;
}

BOOL InvertRect(HDC hdc, const RECT* rect)
{
    DcCanvas canvas;
    if (!rect || !sys::BeginCanvas(hdc, canvas)) return FALSE;
    if (IsRectEmpty(rect)) return TRUE;
    sys::MakePainter(canvas).InvertRect(*rect);
    sys::EndCanvas(canvas, *rect);
    return TRUE;
}

BOOL PatBlt(HDC hdc, int x, int y, int width, int height, DWORD rop)
{
    DcCanvas canvas;
    if (!sys::BeginCanvas(hdc, canvas) || gfx::RopUsesSource(rop)) return FALSE;
    sys::MakePainter(canvas).PatBlt(x, y, width, height, sys::CurrentBrush(*canvas.dc), rop);
    sys::EndCanvas(canvas, Extent(x, y, width, height));
    return TRUE;
}

BOOL BitBlt(HDC dest, int x, int y, int width, int height, HDC src, int srcX, int srcY, DWORD rop)
{
    if (!gfx::RopUsesSource(rop)) return PatBlt(dest, x, y, width, height, rop);
    DcCanvas to, from;
    if (!sys::BeginCanvas(dest, to) || !sys::BeginCanvas(src, from)) return FALSE;
    if (width <= 0 || height <= 0) return TRUE;
    gfx::Brush brush = sys::CurrentBrush(*to.dc);
    long long sx = static_cast<long long>(srcX) + from.offset.x;
    long long sy = static_cast<long long>(srcY) + from.offset.y;
    sx = std::clamp<long long>(sx, -gfx::Region::kCoordLimit, gfx::Region::kCoordLimit);
    sy = std::clamp<long long>(sy, -gfx::Region::kCoordLimit, gfx::Region::kCoordLimit);
    sys::MakePainter(to).BitBlt(x, y, width, height, *from.surface, static_cast<int>(sx), static_cast<int>(sy), rop,
                                &brush);
    sys::EndCanvas(to, Extent(x, y, width, height));
    return TRUE;
}

BOOL StretchBlt(HDC dest, int x, int y, int width, int height, HDC src, int srcX, int srcY, int srcWidth,
                int srcHeight, DWORD rop)
{
    DcCanvas to, from;
    if (!sys::BeginCanvas(dest, to) || !sys::BeginCanvas(src, from)) return FALSE;
    if (width == 0 || height == 0 || srcWidth == 0 || srcHeight == 0) return TRUE;
    RECT d = Extent(x, y, width, height);
    // A negative extent mirrors, so the rectangles keep their signs.
    RECT dst{x, y, d.left == x ? d.right : d.left, d.top == y ? d.bottom : d.top};
    RECT s = Extent(srcX, srcY, srcWidth, srcHeight);
    RECT srcRect{s.left + from.offset.x, s.top + from.offset.y, s.right + from.offset.x, s.bottom + from.offset.y};
    if (srcWidth < 0) std::swap(srcRect.left, srcRect.right);
    if (srcHeight < 0) std::swap(srcRect.top, srcRect.bottom);
    sys::MakePainter(to).StretchBlt(dst, *from.surface, srcRect, rop);
    sys::EndCanvas(to, d);
    return TRUE;
}

COLORREF SetPixel(HDC hdc, int x, int y, COLORREF color)
{
    DcCanvas canvas;
    if (!sys::BeginCanvas(hdc, canvas)) return CLR_INVALID;
    gfx::Painter painter = sys::MakePainter(canvas);
    gfx::Pixel old;
    if (!painter.GetPixel(x, y, &old)) return CLR_INVALID;
    painter.SetPixel(x, y, gfx::PixelFromColor(color));
    sys::EndCanvas(canvas, Extent(x, y, 1, 1));
    return color & 0x00FFFFFF;
}

COLORREF GetPixel(HDC hdc, int x, int y)
{
    DcCanvas canvas;
    if (!sys::BeginCanvas(hdc, canvas)) return CLR_INVALID;
    gfx::Pixel p;
    if (!sys::MakePainter(canvas).GetPixel(x, y, &p)) return CLR_INVALID;
    return gfx::ColorFromPixel(p);
}

BOOL FillRgn(HDC hdc, HRGN region, HBRUSH brush)
{
    DcCanvas canvas;
    gfx::Brush fill;
    const gfx::Region* pixels = sys::RegionOf(region);
    if (!pixels || !sys::BeginCanvas(hdc, canvas) || !sys::BrushForFill(*canvas.dc, brush, &fill)) return FALSE;
    sys::MakePainter(canvas).FillRegion(*pixels, fill);
    sys::EndCanvas(canvas, pixels->Bounds());
    return TRUE;
}

BOOL PaintRgn(HDC hdc, HRGN region)
{
    sys::DcObject* dc = sys::LookupDc(hdc);
    return dc ? FillRgn(hdc, region, dc->cur.brush) : FALSE;
}
