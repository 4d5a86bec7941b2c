// DCs that draw into a window: the window manager says where its pixels are
// and which of them are visible.
#include "platform/system/gdi/Gdi.h"
#include "platform/system/paint/DcState.h"
#include "platform/system/paint/DrawTarget.h"

namespace sys {

HDC CreateWindowDC(HWND hwnd, bool wholeWindow, const gfx::Region* extraClip)
{
    DrawTarget target;
    if (!GetWindowDrawTarget(hwnd, wholeWindow, &target) || !target.surface) return nullptr;
    HDC hdc = NewDc(false);
    DcObject* dc = LookupDc(hdc);
    if (!dc) return nullptr;
    dc->hwnd = hwnd;
    dc->windowSurface = target.surface;
    dc->origin = target.origin;
    dc->visible = extraClip ? target.clip.Intersect(*extraClip) : std::move(target.clip);
    dc->dirty = &MarkSurfaceDirty;
    return hdc;
}

void DestroyWindowDC(HDC hdc)
{
    DcObject* dc = LookupDc(hdc);
    if (dc && !dc->memory) FreeDc(hdc);
}

} // namespace sys

HWND WindowFromDC(HDC hdc)
{
    sys::DcObject* dc = sys::LookupDc(hdc);
    return dc ? dc->hwnd : nullptr;
}
