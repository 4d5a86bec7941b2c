// The DC's own clip region (device coordinates), on top of what the window
// manager lets it touch.
#include "platform/system/gdi/Gdi.h"
#include "platform/system/paint/DcState.h"

using sys::DcObject;
using sys::LookupDc;

namespace {

POINT DeviceOffset(const DcObject& dc)
{
    return POINT{dc.cur.viewportOrg.x - dc.cur.windowOrg.x, dc.cur.viewportOrg.y - dc.cur.windowOrg.y};
}

// Every pixel the DC could draw without a clip region of its own, in device coordinates.
gfx::Region DeviceArea(const DcObject& dc)
{
    if (dc.memory) {
        auto* bitmap = sys::Lookup<sys::BitmapObject>(dc.cur.bitmap);
        return bitmap ? gfx::Region(bitmap->surface.Bounds()) : gfx::Region();
    }
    gfx::Region area = dc.visible;
    area.Offset(-dc.origin.x, -dc.origin.y);
    return area;
}

// What drawing is clipped to, in device coordinates.
gfx::Region EffectiveClip(const DcObject& dc)
{
    gfx::Region area = DeviceArea(dc);
    return dc.cur.clip ? area.Intersect(*dc.cur.clip) : area;
}

int Combine(HDC hdc, const gfx::Region& with, int mode)
{
    DcObject* dc = LookupDc(hdc);
    if (!dc || mode < RGN_AND || mode > RGN_COPY) return ERROR;
    if (mode == RGN_COPY) {
        dc->cur.clip = with;
    } else {
        gfx::Region current = dc->cur.clip ? *dc->cur.clip : DeviceArea(*dc);
        dc->cur.clip = gfx::Region::Combine(current, with, static_cast<gfx::RegionOp>(mode));
    }
    return sys::RegionComplexity(EffectiveClip(*dc));
}

gfx::Region DeviceRect(const DcObject& dc, int left, int top, int right, int bottom)
{
    POINT d = DeviceOffset(dc);
    return gfx::Region(left + d.x, top + d.y, right + d.x, bottom + d.y);
}

} // namespace

int SelectClipRgn(HDC hdc, HRGN region) { return ExtSelectClipRgn(hdc, region, RGN_COPY); }

int ExtSelectClipRgn(HDC hdc, HRGN region, int mode)
{
    DcObject* dc = LookupDc(hdc);
    if (!dc) return ERROR;
    if (!region) {
        // Only a copy may reset the clip region.
        if (mode != RGN_COPY) return ERROR;
        dc->cur.clip.reset();
        return sys::RegionComplexity(EffectiveClip(*dc));
    }
    const gfx::Region* pixels = sys::RegionOf(region);
    if (!pixels) return ERROR;
    return Combine(hdc, *pixels, mode);
}

int IntersectClipRect(HDC hdc, int left, int top, int right, int bottom)
{
    DcObject* dc = LookupDc(hdc);
    if (!dc) return ERROR;
    return Combine(hdc, DeviceRect(*dc, left, top, right, bottom), RGN_AND);
}

int ExcludeClipRect(HDC hdc, int left, int top, int right, int bottom)
{
    DcObject* dc = LookupDc(hdc);
    if (!dc) return ERROR;
    return Combine(hdc, DeviceRect(*dc, left, top, right, bottom), RGN_DIFF);
}

int OffsetClipRgn(HDC hdc, int dx, int dy)
{
    DcObject* dc = LookupDc(hdc);
    if (!dc) return ERROR;
    if (dc->cur.clip) dc->cur.clip->Offset(dx, dy);
    return sys::RegionComplexity(EffectiveClip(*dc));
}

int GetClipBox(HDC hdc, LPRECT rect)
{
    DcObject* dc = LookupDc(hdc);
    if (!dc || !rect) return ERROR;
    gfx::Region clip = EffectiveClip(*dc);
    CRect box = clip.Bounds();
    if (!clip.IsEmpty()) {
        POINT d = DeviceOffset(*dc);
        box.OffsetRect(-d.x, -d.y);
    }
    *rect = box;
    return sys::RegionComplexity(clip);
}

int GetClipRgn(HDC hdc, HRGN region)
{
    DcObject* dc = LookupDc(hdc);
    if (!dc || !sys::RegionOf(region)) return -1;
    if (!dc->cur.clip) return 0;
    sys::SetRegion(region, *dc->cur.clip);
    return 1;
}

BOOL PtVisible(HDC hdc, int x, int y)
{
    DcObject* dc = LookupDc(hdc);
    if (!dc) return FALSE;
    POINT d = DeviceOffset(*dc);
    return EffectiveClip(*dc).Contains(x + d.x, y + d.y) ? TRUE : FALSE;
}

BOOL RectVisible(HDC hdc, const RECT* rect)
{
    DcObject* dc = LookupDc(hdc);
    if (!dc || !rect) return FALSE;
    POINT d = DeviceOffset(*dc);
    CRect r(rect);
    r.NormalizeRect();
    r.OffsetRect(d.x, d.y);
    return EffectiveClip(*dc).Intersects(r) ? TRUE : FALSE;
}
