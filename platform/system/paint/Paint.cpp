#include "platform/system/paint/Paint.h"

#include "platform/system/gdi/Gdi.h"
#include "platform/system/paint/DrawTarget.h"
#include "platform/system/window/Desktop.h"
#include "platform/system/window/DesktopState.h"
#include "platform/system/window/WindowTree.h"

#include <map>

namespace sys {

namespace {

std::map<HDC, gfx::Region>& PaintRegions()
{
    static std::map<HDC, gfx::Region> regions;
    return regions;
}

bool NeedsPaint(const Window& w) { return !w.update.IsEmpty() || w.internalPaint; }

bool ChildrenFollow(const Window& w, UINT flags)
{
    if (flags & RDW_ALLCHILDREN) return true;
    if (flags & RDW_NOCHILDREN) return false;
    return !(w.style & WS_CLIPCHILDREN);
}

void SendNcPaint(HWND hwnd)
{
    Window* w = Lookup(hwnd);
    if (!w || !w->ncDirty) return;
    w->ncDirty = false;
    SendMessage(hwnd, WM_NCPAINT, 1, 0);
}

void EraseNow(HWND hwnd)
{
    Window* w = Lookup(hwnd);
    if (!w || !w->eraseDirty) return;
    w->eraseDirty = false;
    if (w->update.IsEmpty()) return;
    gfx::Region clip = w->update;
    POINT off = SurfaceOffset(*w);
    clip.Offset(off.x, off.y);
    HDC hdc = CreateWindowDC(hwnd, false, &clip);
    if (!hdc) return;
    PaintRegions()[hdc] = clip;
    SendMessage(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(hdc), 0);
    PaintRegions().erase(hdc);
    DestroyWindowDC(hdc);
}

void PaintNow(HWND hwnd, UINT flags)
{
    if (!IsReallyVisible(hwnd)) return;
    SendNcPaint(hwnd);
    Window* w = Lookup(hwnd);
    if (!w) return;
    if (NeedsPaint(*w)) {
        if (flags & RDW_UPDATENOW) {
            SendMessage(hwnd, WM_PAINT, 0, 0);
            FinishPaintMessage(hwnd);
        } else {
            EraseNow(hwnd);
        }
    }
    w = Lookup(hwnd);
    if (!w || !ChildrenFollow(*w, flags)) return;
    std::vector<HWND> children = w->children;
    for (HWND c : children) PaintNow(c, flags);
}

} // namespace

bool TakePaintMessage(const std::function<bool(HWND)>& accept, MSG* out)
{
    // Painting a frame may change what else needs painting: search afresh
    // after every message sent, with a bound against endless repainting.
    for (int round = 0; round < 10000; ++round) {
        HWND frameOnly = nullptr;
        HWND client = nullptr;
        for (HWND top : TopLevels()) {
            for (HWND h : Subtree(top)) {
                Window* w = Lookup(h);
                if (!w || w->noRedraw || w->destroying || !accept(h) || !IsReallyVisible(h)) continue;
                if (NeedsPaint(*w)) {
                    client = h;
                    break;
                }
                if (w->ncDirty) {
                    frameOnly = h;
                    break;
                }
            }
            if (client || frameOnly) break;
        }
        if (frameOnly) {
            SendNcPaint(frameOnly);
            continue;
        }
        if (!client) return false;
        SendNcPaint(client);
        Window* w = Lookup(client);
        if (!w || !NeedsPaint(*w)) continue;
        *out = MSG{client, WM_PAINT, 0, 0, static_cast<DWORD>(NowMs()), State().cursor};
        return true;
    }
    return false;
}

void FinishPaintMessage(HWND hwnd)
{
    Window* w = Lookup(hwnd);
    if (!w) return;
    w->update.Clear();
    w->internalPaint = false;
    w->eraseDirty = false;
}

void RedrawArea(HWND hwnd, const gfx::Region* area, UINT flags)
{
    Window* w = Lookup(hwnd);
    if (!w) return;
    gfx::Region whole(0, 0, Width(w->rect), Height(w->rect));
    gfx::Region target = area ? area->Intersect(whole) : whole;
    gfx::Region client(w->client);
    if (flags & RDW_INVALIDATE) {
        gfx::Region inClient = target.Intersect(client);
        if (!inClient.IsEmpty()) {
            w->update = w->update.Union(inClient);
            if (flags & RDW_ERASE) w->eraseDirty = true;
        }
        if ((flags & RDW_FRAME) && !target.Subtract(client).IsEmpty()) w->ncDirty = true;
        if (flags & RDW_INTERNALPAINT) w->internalPaint = true;
    } else if (flags & RDW_VALIDATE) {
        w->update = w->update.Subtract(target);
        if ((flags & RDW_NOERASE) || w->update.IsEmpty()) w->eraseDirty = false;
        if ((flags & RDW_NOFRAME) && !target.Subtract(client).IsEmpty()) w->ncDirty = false;
        if (flags & RDW_NOINTERNALPAINT) w->internalPaint = false;
    }
    if ((flags & (RDW_INVALIDATE | RDW_VALIDATE)) && ChildrenFollow(*w, flags)) {
        gfx::Region inner = target.Intersect(client);
        UINT childFlags = flags & ~(RDW_UPDATENOW | RDW_ERASENOW);
        // A child repainted because its parent was is repainted whole, frame and background included.
        if (flags & RDW_INVALIDATE) childFlags |= RDW_FRAME | RDW_ERASE;
        std::vector<HWND> children = w->children;
        for (HWND c : children) {
            Window* child = Lookup(c);
            if (!child || !(child->style & WS_VISIBLE)) continue;
            gfx::Region sub = inner;
            sub.Offset(-(w->client.left + child->rect.left), -(w->client.top + child->rect.top));
            if (!sub.Intersects(RECT{0, 0, Width(child->rect), Height(child->rect)})) continue;
            RedrawArea(c, &sub, childFlags);
            w = Lookup(hwnd);
            if (!w) return;
        }
    }
    if (flags & (RDW_UPDATENOW | RDW_ERASENOW)) PaintNow(hwnd, flags);
}

const gfx::Region* PaintRegionOf(HDC hdc)
{
    auto it = PaintRegions().find(hdc);
    return it == PaintRegions().end() ? nullptr : &it->second;
}

void ForgetPaintState(HWND hwnd)
{
    if (Window* w = Lookup(hwnd)) w->dirty.Clear();
}

void PresentAll()
{
    for (HWND h : TopLevels()) {
        Window* w = Lookup(h);
        if (!w || !w->native || !w->surface || w->dirty.IsEmpty()) continue;
        std::vector<RECT> rects(w->dirty.Rects().begin(), w->dirty.Rects().end());
        w->dirty.Clear();
        Backend().Present(w->native, *w->surface, rects);
    }
}

bool GetWindowDrawTarget(HWND hwnd, bool wholeWindow, DrawTarget* out)
{
    Window* w = Lookup(hwnd);
    if (!w || !out || !IsReallyVisible(hwnd)) return false;
    Window* root = Lookup(RootOf(hwnd));
    if (!root || !root->surface) return false;
    POINT off = SurfaceOffset(*w);
    out->surface = root->surface.get();
    out->origin = wholeWindow ? off : POINT{off.x + w->client.left, off.y + w->client.top};
    out->clip = VisibleRegion(*w, wholeWindow).Intersect(gfx::Region(root->surface->Bounds()));
    return true;
}

void MarkSurfaceDirty(gfx::Surface* surface, const RECT& rect)
{
    if (!surface) return;
    for (HWND h : TopLevels()) {
        Window* w = Lookup(h);
        if (w && w->surface.get() == surface) {
            w->dirty = w->dirty.Union(gfx::Region(rect).Intersect(gfx::Region(surface->Bounds())));
            return;
        }
    }
}

} // namespace sys

namespace {

gfx::Region ClientArea(const sys::Window& w, const RECT* rect)
{
    if (!rect) return gfx::Region(w.client);
    RECT r = *rect;
    OffsetRect(&r, w.client.left, w.client.top);
    return gfx::Region(r).Intersect(gfx::Region(w.client));
}

} // namespace

BOOL RedrawWindow(HWND hwnd, const RECT* rect, HRGN region, UINT flags)
{
    if (!hwnd) {
        std::vector<HWND> tops = sys::TopLevels();
        for (HWND h : tops) RedrawWindow(h, rect, region, flags | RDW_ALLCHILDREN);
        return TRUE;
    }
    sys::Window* w = sys::Lookup(hwnd);
    if (!w) return FALSE;
    if (rect) {
        gfx::Region area = ClientArea(*w, rect);
        sys::RedrawArea(hwnd, &area, flags);
    } else if (region) {
        const gfx::Region* pixels = sys::RegionOf(region);
        if (!pixels) return FALSE;
        gfx::Region area = *pixels;
        area.Offset(w->client.left, w->client.top);
        sys::RedrawArea(hwnd, &area, flags);
    } else if (flags & RDW_FRAME) {
        sys::RedrawArea(hwnd, nullptr, flags);
    } else {
        gfx::Region area(w->client);
        sys::RedrawArea(hwnd, &area, flags);
    }
    return TRUE;
}

BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase)
{
    return RedrawWindow(hwnd, rect, nullptr, RDW_INVALIDATE | (erase ? RDW_ERASE : 0));
}

BOOL InvalidateRgn(HWND hwnd, HRGN region, BOOL erase)
{
    if (!region) return InvalidateRect(hwnd, nullptr, erase);
    return RedrawWindow(hwnd, nullptr, region, RDW_INVALIDATE | (erase ? RDW_ERASE : 0));
}

BOOL ValidateRect(HWND hwnd, const RECT* rect)
{
    if (!hwnd) return FALSE;
    return RedrawWindow(hwnd, rect, nullptr, RDW_VALIDATE | RDW_NOCHILDREN);
}

BOOL ValidateRgn(HWND hwnd, HRGN region)
{
    if (!region) return ValidateRect(hwnd, nullptr);
    return RedrawWindow(hwnd, nullptr, region, RDW_VALIDATE | RDW_NOCHILDREN);
}

BOOL GetUpdateRect(HWND hwnd, LPRECT rect, BOOL erase)
{
    sys::Window* w = sys::Lookup(hwnd);
    if (!w) return FALSE;
    if (erase) sys::EraseNow(hwnd);
    w = sys::Lookup(hwnd);
    if (!w) return FALSE;
    CRect bounds = w->update.Bounds();
    if (!w->update.IsEmpty()) bounds.OffsetRect(-w->client.left, -w->client.top);
    if (rect) *rect = bounds;
    return !w->update.IsEmpty();
}

BOOL UpdateWindow(HWND hwnd)
{
    if (!sys::Lookup(hwnd)) return FALSE;
    sys::PaintNow(hwnd, RDW_UPDATENOW | RDW_NOCHILDREN);
    return TRUE;
}

HDC BeginPaint(HWND hwnd, LPPAINTSTRUCT ps)
{
    if (!ps || !sys::Lookup(hwnd)) return nullptr;
    *ps = PAINTSTRUCT{};
    sys::SendNcPaint(hwnd);
    sys::Window* w = sys::Lookup(hwnd);
    if (!w) return nullptr;
    gfx::Region paint = w->update.Intersect(gfx::Region(w->client));
    bool erase = w->eraseDirty;
    w->update.Clear();
    w->eraseDirty = false;
    w->internalPaint = false;
    POINT off = sys::SurfaceOffset(*w);
    gfx::Region clip = paint;
    clip.Offset(off.x, off.y);
    CRect bounds = paint.Bounds();
    if (!paint.IsEmpty()) bounds.OffsetRect(-w->client.left, -w->client.top);
    HDC hdc = sys::CreateWindowDC(hwnd, false, &clip);
    if (!hdc) return nullptr;
    sys::PaintRegions()[hdc] = clip;
    ps->hdc = hdc;
    ps->rcPaint = bounds;
    // fErase tells the procedure the background still needs erasing.
    ps->fErase = FALSE;
    if (erase) ps->fErase = SendMessage(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(hdc), 0) ? FALSE : TRUE;
    return hdc;
}

BOOL EndPaint(HWND, const PAINTSTRUCT* ps)
{
    if (!ps || !ps->hdc) return FALSE;
    sys::PaintRegions().erase(ps->hdc);
    sys::DestroyWindowDC(ps->hdc);
    return TRUE;
}

HDC GetDC(HWND hwnd)
{
    if (hwnd && !sys::Lookup(hwnd)) return nullptr;
    return sys::CreateWindowDC(hwnd, false, nullptr);
}

HDC GetWindowDC(HWND hwnd)
{
    if (hwnd && !sys::Lookup(hwnd)) return nullptr;
    return sys::CreateWindowDC(hwnd, true, nullptr);
}

int ReleaseDC(HWND, HDC hdc)
{
    if (!hdc) return 0;
    sys::DestroyWindowDC(hdc);
    return 1;
}

int GetUpdateRgn(HWND hwnd, HRGN region, BOOL erase)
{
    sys::Window* w = sys::Lookup(hwnd);
    if (!w) return ERROR;
    if (erase) sys::EraseNow(hwnd);
    w = sys::Lookup(hwnd);
    if (!w) return ERROR;
    gfx::Region update = w->update;
    update.Offset(-w->client.left, -w->client.top);
    if (!sys::SetRegion(region, update)) return ERROR;
    if (update.IsEmpty()) return NULLREGION;
    return update.IsRect() ? SIMPLEREGION : COMPLEXREGION;
}
