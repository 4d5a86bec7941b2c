#include "platform/system/paint/DcState.h"

#include "platform/system/gdi/Gdi.h"
#include "platform/system/window/SysMetrics.h"

#include <algorithm>

namespace sys {
namespace {

// Live DCs, so "is this object selected anywhere" is a short scan.
std::vector<HDC>& LiveDcs()
{
    static auto* dcs = new std::vector<HDC>;
    return *dcs;
}

DcSelection DefaultSelection(bool memory)
{
    DcSelection s;
    s.pen = static_cast<HPEN>(StockObject(BLACK_PEN));
    s.brush = static_cast<HBRUSH>(StockObject(WHITE_BRUSH));
    s.font = static_cast<HFONT>(StockObject(SYSTEM_FONT));
    s.bitmap = memory ? StockBitmap() : nullptr;
    return s;
}

// A restored state may name objects deleted since it was saved, or a bitmap
// that another DC holds now: those fall back to the defaults.
void RepairSelection(HDC hdc, DcObject& dc)
{
    DcSelection d = DefaultSelection(dc.memory);
    if (KindOf(dc.cur.pen) != GdiKind::Pen) dc.cur.pen = d.pen;
    if (KindOf(dc.cur.brush) != GdiKind::Brush) dc.cur.brush = d.brush;
    if (KindOf(dc.cur.font) != GdiKind::Font) dc.cur.font = d.font;
    if (dc.memory) {
        HDC holder = DcHoldingBitmap(dc.cur.bitmap);
        if (KindOf(dc.cur.bitmap) != GdiKind::Bitmap || (holder && holder != hdc)) dc.cur.bitmap = d.bitmap;
    }
}

} // namespace

HDC NewDc(bool memory)
{
    auto dc = std::make_unique<DcObject>();
    dc->memory = memory;
    dc->cur = DefaultSelection(memory);
    HDC hdc = static_cast<HDC>(AddGdiObject(GdiKind::Dc, std::move(dc)));
    if (hdc) LiveDcs().push_back(hdc);
    return hdc;
}

DcObject* LookupDc(HDC hdc) { return Lookup<DcObject>(hdc); }

bool IsMemoryDc(HDC hdc)
{
    DcObject* dc = LookupDc(hdc);
    return dc && dc->memory;
}

bool IsSelectedInDc(const void* handle)
{
    if (!handle) return false;
    for (HDC hdc : LiveDcs()) {
        const DcObject* dc = LookupDc(hdc);
        if (!dc) continue;
        const DcSelection& s = dc->cur;
        if (s.pen == handle || s.brush == handle || s.font == handle || s.bitmap == handle) return true;
    }
    return false;
}

HDC DcHoldingBitmap(HBITMAP bitmap)
{
    if (!bitmap || bitmap == StockBitmap()) return nullptr;
    for (HDC hdc : LiveDcs()) {
        const DcObject* dc = LookupDc(hdc);
        if (dc && dc->cur.bitmap == bitmap) return hdc;
    }
    return nullptr;
}

void FreeDc(HDC hdc)
{
    if (!LookupDc(hdc)) return;
    auto& dcs = LiveDcs();
    dcs.erase(std::remove(dcs.begin(), dcs.end(), hdc), dcs.end());
    RemoveGdiObject(hdc);
}

bool BeginCanvas(HDC hdc, DcCanvas& out)
{
    DcObject* dc = LookupDc(hdc);
    if (!dc) return false;
    out.dc = dc;
    POINT device{dc->cur.viewportOrg.x - dc->cur.windowOrg.x, dc->cur.viewportOrg.y - dc->cur.windowOrg.y};
    if (dc->memory) {
        BitmapObject* bitmap = Lookup<BitmapObject>(dc->cur.bitmap);
        if (!bitmap) return false;
        out.surface = &bitmap->surface;
        out.offset = device;
        // The shared 1x1 bitmap of a fresh memory DC is never drawn on.
        if (dc->cur.bitmap == StockBitmap()) {
            out.clip.Clear();
            return true;
        }
        out.clip = gfx::Region(bitmap->surface.Bounds());
        if (dc->cur.clip) out.clip = out.clip.Intersect(*dc->cur.clip);
        return true;
    }
    if (!dc->windowSurface) return false;
    out.surface = dc->windowSurface;
    out.offset = POINT{device.x + dc->origin.x, device.y + dc->origin.y};
    out.clip = dc->visible.Intersect(gfx::Region(dc->windowSurface->Bounds()));
    if (dc->cur.clip) {
        gfx::Region own = *dc->cur.clip;
        own.Offset(dc->origin.x, dc->origin.y);
        out.clip = out.clip.Intersect(own);
    }
    return true;
}

gfx::Painter MakePainter(const DcCanvas& canvas)
{
    gfx::Painter painter(*canvas.surface);
    painter.SetOrigin(canvas.offset.x, canvas.offset.y);
    painter.SetClip(canvas.clip);
    return painter;
}

void EndCanvas(const DcCanvas& canvas, const RECT& changed, int margin)
{
    if (!canvas.dc || canvas.dc->memory || !canvas.dc->dirty) return;
    auto at = [&](LONG v, LONG offset, int grow) {
        long long s = static_cast<long long>(v) + offset + grow;
        return static_cast<LONG>(std::clamp<long long>(s, -gfx::Region::kCoordLimit, gfx::Region::kCoordLimit));
    };
    CRect logical(changed);
    logical.NormalizeRect();
    CRect surfaceRect(at(logical.left, canvas.offset.x, -margin), at(logical.top, canvas.offset.y, -margin),
                      at(logical.right, canvas.offset.x, margin), at(logical.bottom, canvas.offset.y, margin));
    CRect box = canvas.clip.Bounds();
    CRect r;
    if (r.IntersectRect(&box, &surfaceRect)) canvas.dc->dirty(canvas.surface, r);
}

COLORREF PenColor(const DcObject& dc, const PenObject& pen)
{
    return &pen == Lookup<PenObject>(StockObject(DC_PEN)) ? dc.cur.dcPenColor : pen.color;
}

COLORREF BrushColor(const DcObject& dc, const BrushObject& brush)
{
    return &brush == Lookup<BrushObject>(StockObject(DC_BRUSH)) ? dc.cur.dcBrushColor : brush.color;
}

gfx::Pen CurrentPen(const DcObject& dc)
{
    const PenObject* pen = Lookup<PenObject>(dc.cur.pen);
    if (!pen) return gfx::Pen::None();
    return gfx::Pen{static_cast<gfx::PenStyle>(pen->style), pen->width, gfx::PixelFromColor(PenColor(dc, *pen))};
}

gfx::Brush CurrentBrush(const DcObject& dc)
{
    gfx::Brush brush = gfx::Brush::None();
    BrushForFill(dc, dc.cur.brush, &brush);
    return brush;
}

bool BrushForFill(const DcObject& dc, HBRUSH handle, gfx::Brush* out)
{
    std::uintptr_t value = reinterpret_cast<std::uintptr_t>(handle);
    if (value >= 1 && value <= COLOR_GRADIENTINACTIVECAPTION + 1) {
        *out = gfx::Brush::Solid(gfx::PixelFromColor(GetSysColor(static_cast<int>(value - 1))));
        return true;
    }
    const BrushObject* brush = Lookup<BrushObject>(handle);
    if (!brush) return false;
    *out = brush->style == BS_NULL ? gfx::Brush::None() : gfx::Brush::Solid(gfx::PixelFromColor(BrushColor(dc, *brush)));
    return true;
}

} // namespace sys

using sys::DcObject;
using sys::LookupDc;

HDC CreateCompatibleDC(HDC hdc)
{
    if (hdc && !LookupDc(hdc)) return nullptr;
    return sys::NewDc(true);
}

BOOL DeleteDC(HDC hdc)
{
    DcObject* dc = LookupDc(hdc);
    // Window DCs go back through ReleaseDC or EndPaint.
    if (!dc || !dc->memory) return FALSE;
    sys::FreeDc(hdc);
    return TRUE;
}

int SaveDC(HDC hdc)
{
    DcObject* dc = LookupDc(hdc);
    if (!dc) return 0;
    dc->saved.push_back(dc->cur);
    return static_cast<int>(dc->saved.size());
}

BOOL RestoreDC(HDC hdc, int savedDc)
{
    DcObject* dc = LookupDc(hdc);
    if (!dc || savedDc == 0) return FALSE;
    long long count = static_cast<long long>(dc->saved.size());
    long long level = savedDc > 0 ? savedDc : count + 1 + savedDc;
    if (level < 1 || level > count) return FALSE;
    dc->cur = std::move(dc->saved[static_cast<std::size_t>(level - 1)]);
    dc->saved.resize(static_cast<std::size_t>(level - 1));
    sys::RepairSelection(hdc, *dc);
    return TRUE;
}

HGDIOBJ SelectObject(HDC hdc, HGDIOBJ object)
{
    DcObject* dc = LookupDc(hdc);
    if (!dc) return nullptr;
    sys::DcSelection& s = dc->cur;
    auto swap = [](auto& slot, HGDIOBJ next) -> HGDIOBJ {
        HGDIOBJ previous = slot;
        slot = static_cast<std::remove_reference_t<decltype(slot)>>(next);
        return previous;
    };
    switch (sys::KindOf(object)) {
    case sys::GdiKind::Pen: return swap(s.pen, object);
    case sys::GdiKind::Brush: return swap(s.brush, object);
    case sys::GdiKind::Font: return swap(s.font, object);
    case sys::GdiKind::Bitmap: {
        if (!dc->memory) return nullptr;
        HDC holder = sys::DcHoldingBitmap(static_cast<HBITMAP>(object));
        if (holder && holder != hdc) return nullptr; // a bitmap lives in one DC at a time
        return swap(s.bitmap, object);
    }
    case sys::GdiKind::Region: {
        int result = SelectClipRgn(hdc, static_cast<HRGN>(object));
        if (result == ERROR) return HGDI_ERROR;
        return reinterpret_cast<HGDIOBJ>(static_cast<std::intptr_t>(result));
    }
    default: return nullptr;
    }
}

HGDIOBJ GetCurrentObject(HDC hdc, UINT objectType)
{
    DcObject* dc = LookupDc(hdc);
    if (!dc) return nullptr;
    switch (objectType) {
    case OBJ_PEN: return dc->cur.pen;
    case OBJ_BRUSH: return dc->cur.brush;
    case OBJ_FONT: return dc->cur.font;
    case OBJ_BITMAP: return dc->cur.bitmap;
    default: return nullptr;
    }
}
