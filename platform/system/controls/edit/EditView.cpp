// Where an edit's text sits and how it is painted.
#include "platform/gfx/TextLayout.h"
#include "platform/system/controls/ControlColor.h"
#include "platform/system/controls/edit/Edit.h"
#include "platform/system/controls/edit/EditInternal.h"
#include "platform/system/gdi/Gdi.h"
#include "platform/system/gdi/GdiObjects.h"
#include "platform/system/window/SysMetrics.h"

#include <algorithm>

namespace sys {

namespace {

gfx::Font* FontOf(const EditState& s)
{
    gfx::Font* f = s.font ? ResolveFont(s.font) : nullptr;
    if (!f) f = ResolveFont(static_cast<HFONT>(GetStockObject(SYSTEM_FONT)));
    return f;
}

DWORD StyleOf(HWND hwnd)
{
    return static_cast<DWORD>(GetWindowLong(hwnd, GWL_STYLE));
}

// The brush and colours the parent chooses; a read-only or disabled edit asks as a static.
HBRUSH ControlBrush(HWND hwnd, HDC hdc)
{
    UINT message = (StyleOf(hwnd) & (ES_READONLY | WS_DISABLED)) ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT;
    return sys::ControlColorBrush(hwnd, hdc, message);
}

} // namespace

void InvalidateEditMetrics(EditState& s)
{
    s.xsValid = false;
}

const std::vector<int>& EditXs(EditState& s)
{
    if (s.xsValid) return s.xs;
    const std::string& text = s.buffer.Text();
    const auto& bounds = s.buffer.Boundaries();
    s.xs.assign(bounds.size(), 0);
    if (gfx::Font* font = FontOf(s); font && !text.empty()) {
        std::vector<int> ends;
        gfx::CharacterEnds(*font, text.data(), text.size(), ends);
        for (std::size_t k = 1; k < bounds.size(); ++k)
            s.xs[k] = ends[bounds[k] - 1];
    }
    s.xsValid = true;
    return s.xs;
}

int EditTextWidth(EditState& s)
{
    return EditXs(s).back();
}

EditLayout LayOutEdit(HWND hwnd, EditState& s)
{
    EditLayout l;
    RECT client{};
    GetClientRect(hwnd, &client);
    l.format = RECT{client.left + s.leftMargin, client.top,
                    std::max(client.left + s.leftMargin, client.right - s.rightMargin), client.bottom};
    gfx::Font* font = FontOf(s);
    l.lineHeight = font ? font->Metrics().tmHeight : 0;
    // A tall box shows its line at the top, a short one keeps the line's top visible.
    l.top = client.top + (client.bottom - client.top > l.lineHeight + 1 ? 1 : 0);
    int visible = l.format.right - l.format.left;
    int width = EditTextWidth(s);
    int align = 0;
    DWORD style = StyleOf(hwnd);
    if (width < visible && s.scrollX == 0) {
        if ((style & 3) == ES_RIGHT)
            align = visible - width - 1;
        else if ((style & 3) == ES_CENTER)
            align = (visible - width) / 2;
    }
    l.originX = l.format.left + align - s.scrollX;
    return l;
}

int EditXOfPos(HWND hwnd, EditState& s, std::size_t pos)
{
    const auto& bounds = s.buffer.Boundaries();
    const auto& xs = EditXs(s);
    auto it = std::upper_bound(bounds.begin(), bounds.end(), pos);
    std::size_t k = it == bounds.begin() ? 0 : static_cast<std::size_t>(it - bounds.begin() - 1);
    return LayOutEdit(hwnd, s).originX + xs[k];
}

std::size_t EditPosFromX(HWND hwnd, EditState& s, int clientX)
{
    const auto& bounds = s.buffer.Boundaries();
    const auto& xs = EditXs(s);
    int x = clientX - LayOutEdit(hwnd, s).originX;
    // The nearer edge of the character under x.
    auto it = std::upper_bound(xs.begin(), xs.end(), x);
    if (it == xs.begin()) return 0;
    if (it == xs.end()) return bounds.back();
    auto k = static_cast<std::size_t>(it - xs.begin());
    return (x - xs[k - 1] < xs[k] - x) ? bounds[k - 1] : bounds[k];
}

void ScrollCaretIntoView(HWND hwnd, EditState& s)
{
    if (!(StyleOf(hwnd) & ES_AUTOHSCROLL)) {
        s.scrollX = 0;
        return;
    }
    EditLayout l = LayOutEdit(hwnd, s);
    int visible = l.format.right - l.format.left;
    if (visible <= 0) return;
    int caret = EditXs(s)[static_cast<std::size_t>(
        std::lower_bound(s.buffer.Boundaries().begin(), s.buffer.Boundaries().end(), s.buffer.Caret()) -
        s.buffer.Boundaries().begin())];
    int width = EditTextWidth(s);
    // The caret needs one pixel of its own after the last character.
    if (caret - s.scrollX > visible - 1) s.scrollX = caret - visible + 1;
    if (caret < s.scrollX) s.scrollX = caret;
    // Never leave empty room on the right while text is scrolled out on the left.
    if (s.scrollX > 0 && width - s.scrollX < visible - 1) s.scrollX = std::max(0, width - visible + 1);
    s.scrollX = std::max(0, s.scrollX);
}

void PaintEdit(HWND hwnd, EditState& s, HDC hdc)
{
    DWORD style = StyleOf(hwnd);
    bool enabled = !(style & WS_DISABLED);
    int saved = SaveDC(hdc);
    HFONT font = s.font ? s.font : static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
    SelectObject(hdc, font);
    HBRUSH brush = ControlBrush(hwnd, hdc);
    RECT client{};
    GetClientRect(hwnd, &client);
    if (brush) FillRect(hdc, &client, brush);
    if (!enabled) SetTextColor(hdc, GetSysColor(COLOR_GRAYTEXT));

    EditLayout l = LayOutEdit(hwnd, s);
    IntersectClipRect(hdc, l.format.left, l.format.top, l.format.right, l.format.bottom);
    const std::string& text = s.buffer.Text();
    const auto& bounds = s.buffer.Boundaries();
    const auto& xs = EditXs(s);
    auto xOf = [&](std::size_t pos) {
        return xs[static_cast<std::size_t>(std::lower_bound(bounds.begin(), bounds.end(), pos) - bounds.begin())];
    };
    bool showSel = s.buffer.HasSelection() && (s.focused || (style & ES_NOHIDESEL)) && enabled;
    std::size_t a = showSel ? s.buffer.SelStart() : text.size();
    std::size_t b = showSel ? s.buffer.SelEnd() : text.size();
    auto run = [&](std::size_t from, std::size_t to) {
        if (to > from) TextOutA(hdc, l.originX + xOf(from), l.top, text.data() + from, static_cast<int>(to - from));
    };
    run(0, a);
    run(b, text.size());
    if (showSel) {
        SetBkMode(hdc, OPAQUE);
        SetBkColor(hdc, GetSysColor(COLOR_HIGHLIGHT));
        SetTextColor(hdc, GetSysColor(COLOR_HIGHLIGHTTEXT));
        run(a, b);
    }
    if (s.focused && enabled) {
        int x = l.originX + xOf(s.buffer.Caret());
        // A caret at the right edge stays inside the box.
        x = std::min(x, l.format.right - 1);
        PatBlt(hdc, x, l.top, 1, l.lineHeight, DSTINVERT);
    }
    RestoreDC(hdc, saved);
}

} // namespace sys
