#include "platform/gfx/Painter.h"
#include "tools/resgen/Catalog.h"

#include <algorithm>
#include <string>

namespace resgen {
namespace {

constexpr gfx::Pixel kSheet = 0xF2F2EE;
constexpr gfx::Pixel kLabel = 0x303030;
constexpr int kGap = 16;

// Digits 0-9 as 3 x 5 bitmaps, rows top to bottom, high bit on the left.
constexpr unsigned char kDigits[10][5] = {{7, 5, 5, 5, 7}, {2, 6, 2, 2, 7}, {7, 1, 7, 4, 7}, {7, 1, 7, 1, 7},
                                          {5, 5, 7, 1, 1}, {7, 4, 7, 1, 7}, {7, 4, 7, 5, 7}, {7, 1, 1, 1, 1},
                                          {7, 5, 7, 5, 7}, {7, 5, 7, 1, 7}};

void DrawNumber(gfx::Painter& p, int x, int y, int value, int scale)
{
    std::string text = std::to_string(value);
    for (char ch : text) {
        const unsigned char* rows = kDigits[ch - '0'];
        for (int r = 0; r < 5; ++r)
            for (int c = 0; c < 3; ++c)
                if (rows[r] & (4 >> c))
                    p.FillRect(CRect(x + c * scale, y + r * scale, x + (c + 1) * scale, y + (r + 1) * scale), kLabel);
        x += 4 * scale;
    }
}

void Checkerboard(gfx::Painter& p, const CRect& r)
{
    for (int y = r.top; y < r.bottom; y += 8)
        for (int x = r.left; x < r.right; x += 8) {
            gfx::Pixel c = (((x - r.left) / 8 + (y - r.top) / 8) % 2) ? 0xD6D6D6 : 0xFFFFFF;
            p.FillRect(
                CRect(x, y, std::min(x + 8, static_cast<int>(r.right)), std::min(y + 8, static_cast<int>(r.bottom))),
                c);
        }
}

// Draws an image scaled to w x h at (x, y): magnified by nearest pixels, reduced smoothly.
void Place(gfx::Painter& p, const gfx::Surface& img, int x, int y, int w, int h)
{
    bool smooth = w < img.Width();
    p.AlphaBlend(CRect(x, y, x + w, y + h), img, img.Bounds(), 255, false, smooth);
}

// Area-averaged reduction with premultiplied alpha, as an icon is shrunk for display.
gfx::Surface Reduce(const gfx::Surface& src, int w, int h)
{
    gfx::Surface out(w, h, 0);
    double kx = static_cast<double>(src.Width()) / w, ky = static_cast<double>(src.Height()) / h;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            double acc[4] = {0, 0, 0, 0}, area = 0;
            for (int sy = static_cast<int>(y * ky); sy < src.Height() && sy < (y + 1) * ky; ++sy)
                for (int sx = static_cast<int>(x * kx); sx < src.Width() && sx < (x + 1) * kx; ++sx) {
                    double wx = std::min<double>(sx + 1, (x + 1) * kx) - std::max<double>(sx, x * kx);
                    double wy = std::min<double>(sy + 1, (y + 1) * ky) - std::max<double>(sy, y * ky);
                    gfx::Pixel p = src.At(sx, sy);
                    double a = gfx::AlphaOf(p) / 255.0, wgt = wx * wy;
                    acc[0] += wgt * a;
                    acc[1] += wgt * a * ((p >> 16) & 0xFF);
                    acc[2] += wgt * a * ((p >> 8) & 0xFF);
                    acc[3] += wgt * a * (p & 0xFF);
                    area += wgt;
                }
            if (acc[0] <= 0) continue;
            auto ch = [&](int i) { return static_cast<gfx::Pixel>(acc[i] / acc[0] + 0.5) & 0xFF; };
            auto alpha = static_cast<gfx::Pixel>(acc[0] / area * 255 + 0.5);
            out.Set(x, y, (alpha << 24) | (ch(1) << 16) | (ch(2) << 8) | ch(3));
        }
    return out;
}

gfx::Surface Opaque(gfx::Surface s)
{
    for (int y = 0; y < s.Height(); ++y)
        for (int x = 0; x < s.Width(); ++x)
            s.Set(x, y, s.At(x, y) | 0xFF000000);
    return s;
}

} // namespace

gfx::Surface DrawContactSheet()
{
    constexpr int kZoom = 6;
    const int captionW = kCaptionWidth * kZoom, captionH = kCaptionHeight * kZoom;
    const int width = kGap + 10 * (captionW + kGap);
    const int height = 618;
    gfx::Surface sheet(width, height, kSheet);
    gfx::Painter p(sheet);

    // Row 1: caption bitmaps 135 to 144, magnified, each over its id.
    int y = kGap;
    int x = kGap;
    for (const CaptionBitmap& b : CaptionBitmaps()) {
        DrawNumber(p, x, y, b.id, 3);
        Place(p, Opaque(DrawCaptionButton(b.glyph, b.square)), x, y + 24, captionW, captionH);
        x += captionW + kGap;
    }
    y += 24 + captionH + kGap;

    // Row 2: the caption band as the frame paints it (normal images), 4 times.
    {
        constexpr int kBandW = 160, kBandH = 22, kBandZoom = 4;
        gfx::Surface band(kBandW, kBandH, 0xFF000000 | kFrameBand);
        gfx::Painter bp(band);
        gfx::Surface small = Reduce(DrawAppIcon(), 16, 15);
        bp.AlphaBlend(CRect(4, 4, 20, 19), small, small.Bounds());
        const CaptionGlyph order[4] = {CaptionGlyph::Close, CaptionGlyph::Maximize, CaptionGlyph::Minimize,
                                       CaptionGlyph::Help};
        const CaptionSquare rest[4] = {CaptionSquare::RedOrange, CaptionSquare::OliveGreen, CaptionSquare::OliveGreen,
                                       CaptionSquare::RedOrange};
        int left = kBandW - 4 - kCaptionWidth;
        for (int i = 0; i < 4; ++i) {
            bp.BitBlt(left, 3, kCaptionWidth, kCaptionHeight, DrawCaptionButton(order[i], rest[i]), 0, 0);
            left -= kCaptionWidth + 3;
        }
        Place(p, band, kGap, y, kBandW * kBandZoom, kBandH * kBandZoom);
        Place(p, band, kGap + kBandW * kBandZoom + kGap, y, kBandW, kBandH);
        y += kBandH * kBandZoom + kGap;
    }

    // Row 3: the icon magnified, then at 48, 32 and 16 on light, band and dark grounds.
    {
        gfx::Surface icon = DrawAppIcon();
        constexpr int kIconZoom = 5;
        int side = kIconSide * kIconZoom;
        Checkerboard(p, CRect(kGap, y, kGap + side, y + side));
        Place(p, icon, kGap, y, side, side);
        int gx = kGap * 2 + side;
        const gfx::Pixel grounds[3] = {0xFFFFFF, kFrameBand, 0x2B2B2B};
        const int sizes[3] = {48, 32, 16};
        for (int g = 0; g < 3; ++g) {
            int gy = y + g * 60;
            p.FillRect(CRect(gx, gy, gx + 130, gy + 52), grounds[g]);
            int sx = gx + 4;
            for (int s : sizes) {
                Place(p, s == kIconSide ? icon : Reduce(icon, s, s), sx, gy + 2, s, s);
                sx += s + 8;
            }
        }
        // The reduced sizes magnified, to judge their legibility.
        int mx = gx + 130 + kGap;
        for (int s : {32, 16}) {
            gfx::Surface small = Reduce(icon, s, s);
            int zoom = 160 / s;
            Checkerboard(p, CRect(mx, y, mx + s * zoom, y + s * zoom));
            Place(p, small, mx, y, s * zoom, s * zoom);
            mx += s * zoom + kGap;
        }
        y += side + kGap;
    }

    // Row 4: the tab pictures, magnified and at their size.
    {
        gfx::Surface strip = DrawTabStrip();
        constexpr int kStripZoom = 4;
        int w = strip.Width() * kStripZoom, h = strip.Height() * kStripZoom;
        Checkerboard(p, CRect(kGap, y, kGap + w, y + h));
        Place(p, strip, kGap, y, w, h);
        Place(p, strip, kGap * 2 + w, y, strip.Width(), strip.Height());
    }
    return sheet;
}

} // namespace resgen
