// Antialiased shapes for the resource images: a shape is an inside test over
// real coordinates plus a bounding box, and filling samples each pixel on an
// 8 x 8 grid. Coverage becomes an integer alpha before any blending, so the
// same shapes always give the same bytes.
#pragma once

#include "platform/gfx/Surface.h"

#include <functional>
#include <vector>

namespace resgen {

struct PointF {
    double x = 0;
    double y = 0;
};

struct Shape {
    std::function<bool(double x, double y)> inside;
    double left = 0, top = 0, right = 0, bottom = 0;
};

// A line segment with round ends, `radius` from the segment.
Shape Capsule(PointF a, PointF b, double radius);
Shape Ellipse(double cx, double cy, double rx, double ry);
Shape Rect(double left, double top, double right, double bottom);
Shape RoundRect(double left, double top, double right, double bottom, double radius);
// Even-odd rule over the closed outline.
Shape Polygon(std::vector<PointF> points);
// Capsules along a polyline.
Shape Stroke(const std::vector<PointF>& points, double radius);

Shape Union(std::vector<Shape> parts);
Shape Intersect(Shape a, Shape b);
Shape Subtract(Shape a, Shape b);
Shape Offset(Shape s, double dx, double dy);
// Mirrors a shape around the vertical line x = axis.
Shape MirrorX(Shape s, double axis);
// Scales a shape by k about (cx, cy).
Shape Scale(Shape s, double cx, double cy, double k);

// Colour of a pixel as a function of its centre, 0x00RRGGBB.
using Paint = std::function<gfx::Pixel(double x, double y)>;
Paint Solid(gfx::Pixel rgb);
// Linear blend from `from` at y0 to `to` at y1, clamped outside.
Paint VerticalGradient(double y0, gfx::Pixel from, double y1, gfx::Pixel to);
// Radial blend from `inner` at the centre to `outer` at radius and beyond.
Paint RadialGradient(double cx, double cy, double radius, gfx::Pixel inner, gfx::Pixel outer);

// Blends the shape over the surface (straight alpha in the high byte) with its
// coverage times opacity / 255.
void Fill(gfx::Surface& surface, const Shape& shape, const Paint& paint, int opacity = 255);
void Fill(gfx::Surface& surface, const Shape& shape, gfx::Pixel rgb, int opacity = 255);

// Source-over of one straight-alpha colour onto a straight-alpha pixel.
gfx::Pixel BlendOver(gfx::Pixel dst, gfx::Pixel rgb, int alpha);
// Mixes two colours, t in 0..255 toward b.
gfx::Pixel Mix(gfx::Pixel a, gfx::Pixel b, int t);

} // namespace resgen
