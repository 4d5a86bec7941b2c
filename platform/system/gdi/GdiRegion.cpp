// Region objects over gfx::Region.
#include "platform/system/gdi/Gdi.h"
#include "platform/system/paint/DcState.h"

#include <algorithm>
#include <cstdlib>

namespace {

int Complexity(const gfx::Region& r)
{
    if (r.IsEmpty()) return NULLREGION;
    return r.IsRect() ? SIMPLEREGION : COMPLEXREGION;
}

gfx::Region* RegionPixels(HRGN region)
{
    auto* object = sys::Lookup<sys::RegionObject>(region);
    return object ? &object->region : nullptr;
}

// Regions take their box in either order.
void Order(int& left, int& top, int& right, int& bottom)
{
    if (left > right) std::swap(left, right);
    if (top > bottom) std::swap(top, bottom);
}

} // namespace

namespace sys {

int RegionComplexity(const gfx::Region& region) { return Complexity(region); }

const gfx::Region* RegionOf(HRGN region) { return RegionPixels(region); }

bool TakeRegion(HRGN region, gfx::Region* out)
{
    gfx::Region* pixels = RegionPixels(region);
    if (!pixels || !out) return false;
    *out = std::move(*pixels);
    RemoveGdiObject(region);
    return true;
}

HRGN NewRegion(const gfx::Region& pixels)
{
    auto object = std::make_unique<RegionObject>();
    object->region = pixels;
    return static_cast<HRGN>(AddGdiObject(GdiKind::Region, std::move(object)));
}

bool SetRegion(HRGN region, const gfx::Region& pixels)
{
    gfx::Region* target = RegionPixels(region);
    if (!target) return false;
    *target = pixels;
    return true;
}

} // namespace sys

HRGN CreateRectRgn(int left, int top, int right, int bottom)
{
    Order(left, top, right, bottom);
    return sys::NewRegion(gfx::Region(left, top, right, bottom));
}

HRGN CreateRectRgnIndirect(const RECT* rect)
{
    return rect ? CreateRectRgn(rect->left, rect->top, rect->right, rect->bottom) : nullptr;
}

HRGN CreateRoundRectRgn(int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight)
{
    Order(left, top, right, bottom);
    return sys::NewRegion(gfx::Region::RoundRect(left, top, right, bottom, std::abs(ellipseWidth),
                                                 std::abs(ellipseHeight)));
}

HRGN CreateEllipticRgn(int left, int top, int right, int bottom)
{
    Order(left, top, right, bottom);
    return sys::NewRegion(gfx::Region::Ellipse(left, top, right, bottom));
}

int CombineRgn(HRGN dest, HRGN src1, HRGN src2, int mode)
{
    gfx::Region* out = RegionPixels(dest);
    const gfx::Region* a = RegionPixels(src1);
    if (!out || !a || mode < RGN_AND || mode > RGN_COPY) return ERROR;
    if (mode == RGN_COPY) {
        *out = *a;
        return Complexity(*out);
    }
    const gfx::Region* b = RegionPixels(src2);
    if (!b) return ERROR;
    *out = gfx::Region::Combine(*a, *b, static_cast<gfx::RegionOp>(mode));
    return Complexity(*out);
}

BOOL SetRectRgn(HRGN region, int left, int top, int right, int bottom)
{
    Order(left, top, right, bottom);
    return sys::SetRegion(region, gfx::Region(left, top, right, bottom)) ? TRUE : FALSE;
}

int OffsetRgn(HRGN region, int dx, int dy)
{
    gfx::Region* r = RegionPixels(region);
    if (!r) return ERROR;
    r->Offset(dx, dy);
    return Complexity(*r);
}

int GetRgnBox(HRGN region, LPRECT rect)
{
    gfx::Region* r = RegionPixels(region);
    if (!r || !rect) return ERROR;
    *rect = r->Bounds();
    return Complexity(*r);
}

BOOL PtInRegion(HRGN region, int x, int y)
{
    gfx::Region* r = RegionPixels(region);
    return r && r->Contains(x, y) ? TRUE : FALSE;
}

BOOL RectInRegion(HRGN region, const RECT* rect)
{
    gfx::Region* r = RegionPixels(region);
    return r && rect && r->Intersects(*rect) ? TRUE : FALSE;
}

BOOL EqualRgn(HRGN a, HRGN b)
{
    gfx::Region* ra = RegionPixels(a);
    gfx::Region* rb = RegionPixels(b);
    if (!ra || !rb) return ERROR;
    return *ra == *rb ? TRUE : FALSE;
}
