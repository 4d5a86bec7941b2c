// DrawText: lines laid out by DrawTextLayout, placed in the rectangle and drawn
// with the DC's font, colours and background mode.
#include "platform/gfx/TextLayout.h"
#include "platform/system/gdi/Gdi.h"
#include "platform/system/paint/DcText.h"
#include "platform/system/paint/DrawTextLayout.h"

#include <algorithm>
#include <cstring>

namespace {

LONG Clamp(long long v)
{
    return static_cast<LONG>(std::clamp<long long>(v, -gfx::Region::kCoordLimit, gfx::Region::kCoordLimit));
}

} // namespace

int DrawTextA(HDC hdc, LPCSTR text, int count, LPRECT rect, UINT format)
{
    sys::DcObject* dc = sys::LookupDc(hdc);
    if (!dc || !rect) return 0;
    if (!text) {
        if (count != 0) return 0;
        text = "";
    }
    std::size_t n = count < 0 ? std::strlen(text) : static_cast<std::size_t>(count);
    gfx::Font* font = sys::CurrentFont(*dc);
    if (!font) return 0;
    const gfx::TextMetrics& tm = font->Metrics();
    const int lineHeight = static_cast<int>(tm.tmHeight + ((format & DT_EXTERNALLEADING) ? tm.tmExternalLeading : 0));

    sys::TextLayoutRequest request;
    request.text = text;
    request.length = n;
    request.format = format;
    request.maxWidth = Clamp(static_cast<long long>(rect->right) - rect->left);
    auto measure = [font](const char* s, std::size_t len) { return sys::RunWidth(*font, s, len); };
    std::vector<sys::TextLine> lines = sys::LayOutText(request, measure);
    const long long total = static_cast<long long>(lines.size()) * lineHeight;

    if (format & DT_CALCRECT) {
        int widest = 0;
        for (const sys::TextLine& line : lines) widest = std::max(widest, line.width);
        rect->right = Clamp(static_cast<long long>(rect->left) + widest);
        rect->bottom = Clamp(static_cast<long long>(rect->top) + total);
        return static_cast<int>(std::min<long long>(total, gfx::Region::kCoordLimit));
    }

    long long y = rect->top;
    bool placedVertically = (format & DT_SINGLELINE) && (format & (DT_VCENTER | DT_BOTTOM));
    if (placedVertically) {
        long long height = static_cast<long long>(rect->bottom) - rect->top;
        if (format & DT_VCENTER) y = rect->top + (height - lineHeight) / 2;
        else y = static_cast<long long>(rect->bottom) - lineHeight;
    }
    const long long firstY = y;

    sys::DcCanvas canvas;
    if (sys::BeginCanvas(hdc, canvas)) {
        const RECT* clip = (format & DT_NOCLIP) ? nullptr : rect;
        const bool opaque = dc->cur.bkMode == OPAQUE;
        const bool underline = !(format & DT_HIDEPREFIX) && !(format & DT_NOPREFIX);
        const gfx::Pixel ink = gfx::PixelFromColor(dc->cur.textColor);
        CRect changed;
        for (const sys::TextLine& line : lines) {
            long long width = static_cast<long long>(rect->right) - rect->left;
            long long x = rect->left;
            if (format & DT_CENTER) x = rect->left + (width - line.width) / 2;
            else if (format & DT_RIGHT) x = static_cast<long long>(rect->right) - line.width;
            LONG lx = Clamp(x), ly = Clamp(y);
            if (!(format & DT_PREFIXONLY))
                sys::DrawRun(canvas, *font, lx, ly, line.text.data(), line.text.size(), dc->cur.textColor, clip, opaque);
            if (underline) {
                gfx::Painter painter = sys::MakePainter(canvas);
                if (clip) painter.IntersectClip(*clip);
                for (const auto& mark : line.underlined) {
                    int x0 = measure(line.text.data(), mark.first);
                    int x1 = measure(line.text.data(), mark.first + mark.second);
                    LONG uy = Clamp(static_cast<long long>(ly) + tm.tmAscent + 1);
                    painter.FillRect(CRect(Clamp(static_cast<long long>(lx) + x0), uy,
                                           Clamp(static_cast<long long>(lx) + x1), Clamp(uy + 1LL)),
                                     ink);
                }
            }
            CRect box(lx, ly, Clamp(static_cast<long long>(lx) + line.width), Clamp(y + lineHeight));
            changed.UnionRect(&changed, &box);
            y += lineHeight;
        }
        sys::EndCanvas(canvas, changed);
    }
    long long result = placedVertically ? firstY + total - rect->top : total;
    return static_cast<int>(std::clamp<long long>(result, 0, gfx::Region::kCoordLimit));
}
