#include "tools/resgen/Coverage.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace resgen {
namespace {

constexpr int kGrid = 8; // samples per pixel side

double SegmentDistanceSquared(PointF p, PointF a, PointF b)
{
    double vx = b.x - a.x, vy = b.y - a.y;
    double wx = p.x - a.x, wy = p.y - a.y;
    double len = vx * vx + vy * vy;
    double t = len > 0 ? std::clamp((wx * vx + wy * vy) / len, 0.0, 1.0) : 0.0;
    double dx = wx - t * vx, dy = wy - t * vy;
    return dx * dx + dy * dy;
}

int Channel(gfx::Pixel p, int shift)
{
    return static_cast<int>((p >> shift) & 0xFF);
}

gfx::Pixel Pack(int a, int r, int g, int b)
{
    return (static_cast<gfx::Pixel>(a) << 24) | (static_cast<gfx::Pixel>(r) << 16) | (static_cast<gfx::Pixel>(g) << 8) |
           static_cast<gfx::Pixel>(b);
}

} // namespace

Shape Capsule(PointF a, PointF b, double radius)
{
    double r2 = radius * radius;
    return Shape{[=](double x, double y) {
                     return SegmentDistanceSquared({x, y}, a, b) <= r2;
                 },
                 std::min(a.x, b.x) - radius, std::min(a.y, b.y) - radius, std::max(a.x, b.x) + radius,
                 std::max(a.y, b.y) + radius};
}

Shape Ellipse(double cx, double cy, double rx, double ry)
{
    return Shape{[=](double x, double y) {
                     double u = (x - cx) / rx, v = (y - cy) / ry;
                     return u * u + v * v <= 1.0;
                 },
                 cx - rx, cy - ry, cx + rx, cy + ry};
}

Shape Rect(double left, double top, double right, double bottom)
{
    return Shape{[=](double x, double y) { return x >= left && x < right && y >= top && y < bottom; }, left, top, right,
                 bottom};
}

Shape RoundRect(double left, double top, double right, double bottom, double radius)
{
    return Shape{[=](double x, double y) {
                     if (x < left || x >= right || y < top || y >= bottom) return false;
                     double cx = std::clamp(x, left + radius, right - radius);
                     double cy = std::clamp(y, top + radius, bottom - radius);
                     double dx = x - cx, dy = y - cy;
                     return dx * dx + dy * dy <= radius * radius;
                 },
                 left, top, right, bottom};
}

Shape Polygon(std::vector<PointF> points)
{
    Shape s;
    if (points.empty()) return Shape{[](double, double) { return false; }, 0, 0, 0, 0};
    s.left = s.right = points[0].x;
    s.top = s.bottom = points[0].y;
    for (const PointF& p : points) {
        s.left = std::min(s.left, p.x);
        s.right = std::max(s.right, p.x);
        s.top = std::min(s.top, p.y);
        s.bottom = std::max(s.bottom, p.y);
    }
    s.inside = [pts = std::move(points)](double x, double y) {
        bool in = false;
        for (std::size_t i = 0, j = pts.size() - 1; i < pts.size(); j = i++) {
            const PointF &a = pts[i], &b = pts[j];
            if ((a.y > y) != (b.y > y) && x < (b.x - a.x) * (y - a.y) / (b.y - a.y) + a.x) in = !in;
        }
        return in;
    };
    return s;
}

Shape Stroke(const std::vector<PointF>& points, double radius)
{
    std::vector<Shape> parts;
    for (std::size_t i = 1; i < points.size(); ++i)
        parts.push_back(Capsule(points[i - 1], points[i], radius));
    if (points.size() == 1) parts.push_back(Ellipse(points[0].x, points[0].y, radius, radius));
    return Union(std::move(parts));
}

Shape Union(std::vector<Shape> parts)
{
    Shape s{nullptr, 0, 0, 0, 0};
    if (parts.empty()) return Shape{[](double, double) { return false; }, 0, 0, 0, 0};
    s.left = parts[0].left;
    s.top = parts[0].top;
    s.right = parts[0].right;
    s.bottom = parts[0].bottom;
    for (const Shape& p : parts) {
        s.left = std::min(s.left, p.left);
        s.top = std::min(s.top, p.top);
        s.right = std::max(s.right, p.right);
        s.bottom = std::max(s.bottom, p.bottom);
    }
    s.inside = [all = std::move(parts)](double x, double y) {
        return std::any_of(all.begin(), all.end(), [&](const Shape& p) { return p.inside(x, y); });
    };
    return s;
}

Shape Intersect(Shape a, Shape b)
{
    Shape s{nullptr, std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
            std::min(a.bottom, b.bottom)};
    s.inside = [a = std::move(a), b = std::move(b)](double x, double y) { return a.inside(x, y) && b.inside(x, y); };
    return s;
}

Shape Subtract(Shape a, Shape b)
{
    Shape s{nullptr, a.left, a.top, a.right, a.bottom};
    s.inside = [a = std::move(a), b = std::move(b)](double x, double y) { return a.inside(x, y) && !b.inside(x, y); };
    return s;
}

Shape Offset(Shape s, double dx, double dy)
{
    Shape r{nullptr, s.left + dx, s.top + dy, s.right + dx, s.bottom + dy};
    r.inside = [s = std::move(s), dx, dy](double x, double y) { return s.inside(x - dx, y - dy); };
    return r;
}

Shape MirrorX(Shape s, double axis)
{
    Shape r{nullptr, 2 * axis - s.right, s.top, 2 * axis - s.left, s.bottom};
    r.inside = [s = std::move(s), axis](double x, double y) { return s.inside(2 * axis - x, y); };
    return r;
}

Shape Scale(Shape s, double cx, double cy, double k)
{
    Shape r{nullptr, cx + (s.left - cx) * k, cy + (s.top - cy) * k, cx + (s.right - cx) * k, cy + (s.bottom - cy) * k};
    r.inside = [s = std::move(s), cx, cy, k](double x, double y) {
        return s.inside(cx + (x - cx) / k, cy + (y - cy) / k);
    };
    return r;
}

Paint Solid(gfx::Pixel rgb)
{
    return [rgb](double, double) { return rgb; };
}

Paint VerticalGradient(double y0, gfx::Pixel from, double y1, gfx::Pixel to)
{
    return [=](double, double y) {
        double t = y1 != y0 ? std::clamp((y - y0) / (y1 - y0), 0.0, 1.0) : 0.0;
        return Mix(from, to, static_cast<int>(std::lround(t * 255)));
    };
}

Paint RadialGradient(double cx, double cy, double radius, gfx::Pixel inner, gfx::Pixel outer)
{
    return [=](double x, double y) {
        double d = std::sqrt((x - cx) * (x - cx) + (y - cy) * (y - cy));
        double t = radius > 0 ? std::clamp(d / radius, 0.0, 1.0) : 1.0;
        return Mix(inner, outer, static_cast<int>(std::lround(t * 255)));
    };
}

void Fill(gfx::Surface& surface, const Shape& shape, const Paint& paint, int opacity)
{
    if (!shape.inside || opacity <= 0) return;
    opacity = std::min(opacity, 255);
    int x0 = std::max(0, static_cast<int>(std::floor(shape.left)));
    int y0 = std::max(0, static_cast<int>(std::floor(shape.top)));
    int x1 = std::min(surface.Width(), static_cast<int>(std::ceil(shape.right)) + 1);
    int y1 = std::min(surface.Height(), static_cast<int>(std::ceil(shape.bottom)) + 1);
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            int hits = 0;
            for (int sy = 0; sy < kGrid; ++sy)
                for (int sx = 0; sx < kGrid; ++sx)
                    if (shape.inside(x + (sx + 0.5) / kGrid, y + (sy + 0.5) / kGrid)) ++hits;
            if (hits == 0) continue;
            int alpha = (hits * 255 * opacity + (kGrid * kGrid * 255) / 2) / (kGrid * kGrid * 255);
            surface.Set(x, y, BlendOver(surface.At(x, y), paint(x + 0.5, y + 0.5) & 0xFFFFFF, alpha));
        }
    }
}

void Fill(gfx::Surface& surface, const Shape& shape, gfx::Pixel rgb, int opacity)
{
    Fill(surface, shape, Solid(rgb), opacity);
}

gfx::Pixel BlendOver(gfx::Pixel dst, gfx::Pixel rgb, int alpha)
{
    alpha = std::clamp(alpha, 0, 255);
    int da = Channel(dst, 24);
    int outA255 = alpha * 255 + da * (255 - alpha); // out alpha times 255
    if (outA255 == 0) return 0;
    auto mix = [&](int shift) {
        int num = Channel(rgb, shift) * alpha * 255 + Channel(dst, shift) * da * (255 - alpha);
        return (num + outA255 / 2) / outA255;
    };
    return Pack((outA255 + 127) / 255, mix(16), mix(8), mix(0));
}

gfx::Pixel Mix(gfx::Pixel a, gfx::Pixel b, int t)
{
    t = std::clamp(t, 0, 255);
    auto ch = [&](int shift) { return (Channel(a, shift) * (255 - t) + Channel(b, shift) * t + 127) / 255; };
    return Pack(0, ch(16), ch(8), ch(0));
}

} // namespace resgen
