// Icons through a DC: blended by their alpha, stretched to the asked size.
#include "platform/system/gdi/Gdi.h"
#include "platform/system/paint/DcState.h"
#include "platform/system/window/SysMetrics.h"

BOOL DrawIconEx(HDC hdc, int x, int y, HICON icon, int width, int height, UINT /*step*/, HBRUSH flickerFree,
                UINT flags)
{
    auto* object = sys::Lookup<sys::IconObject>(icon);
    sys::DcCanvas canvas;
    if (!object || !sys::BeginCanvas(hdc, canvas) || !(flags & DI_NORMAL)) return FALSE;
    if (width < 0 || height < 0) return FALSE;
    const gfx::Surface& image = object->image;
    if (width == 0) width = (flags & DI_DEFAULTSIZE) ? GetSystemMetrics(SM_CXICON) : image.Width();
    if (height == 0) height = (flags & DI_DEFAULTSIZE) ? GetSystemMetrics(SM_CYICON) : image.Height();
    if (width == 0 || height == 0 || image.IsEmpty()) return TRUE;

    gfx::Painter painter = sys::MakePainter(canvas);
    RECT dst{x, y, static_cast<LONG>(std::min<long long>(static_cast<long long>(x) + width, gfx::Region::kCoordLimit)),
             static_cast<LONG>(std::min<long long>(static_cast<long long>(y) + height, gfx::Region::kCoordLimit))};
    gfx::Brush background;
    if (flickerFree && sys::BrushForFill(*canvas.dc, flickerFree, &background)) painter.FillRect(dst, background);
    RECT src{0, 0, image.Width(), image.Height()};
    if ((flags & DI_NORMAL) == DI_NORMAL) {
        painter.AlphaBlend(dst, image, src);
    } else if (flags & DI_IMAGE) {
        painter.StretchBlt(dst, image, src, gfx::kSrcCopy); // colours alone, as if opaque
    } else {
        // The mask alone: black where the icon covers, white where it lets through.
        gfx::Surface mask(image.Width(), image.Height(), 0);
        for (int row = 0; row < image.Height(); ++row)
            for (int col = 0; col < image.Width(); ++col)
                if (gfx::AlphaOf(image.At(col, row)) == 0) mask.Set(col, row, 0xFFFFFF);
        painter.StretchBlt(dst, mask, src, gfx::kSrcCopy);
    }
    sys::EndCanvas(canvas, dst);
    return TRUE;
}

BOOL DrawIcon(HDC hdc, int x, int y, HICON icon)
{
    return DrawIconEx(hdc, x, y, icon, 0, 0, 0, nullptr, DI_NORMAL | DI_DEFAULTSIZE);
}
