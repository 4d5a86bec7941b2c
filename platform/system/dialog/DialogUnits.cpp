#include "platform/system/dialog/DialogInternal.h"
#include "platform/system/gdi/Gdi.h"

namespace sys {
namespace {

// What a machine without any usable font reports.
constexpr SIZE kFallbackBaseUnits{8, 16};

bool Measure(HDC dc, HGDIOBJ font, SIZE* out)
{
    HGDIOBJ old = SelectObject(dc, font);
    if (old == nullptr || old == HGDI_ERROR) return false;
    static const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    TEXTMETRICA tm{};
    SIZE extent{0, 0};
    bool ok = GetTextMetrics(dc, &tm) && GetTextExtentPoint32(dc, kAlphabet, 52, &extent);
    SelectObject(dc, old);
    if (!ok) return false;
    // The average of the 52 letters, rounded to the nearest pixel.
    SIZE units{(extent.cx / 26 + 1) / 2, tm.tmHeight};
    if (units.cx <= 0 || units.cy <= 0) return false;
    *out = units;
    return true;
}

} // namespace

SIZE FontBaseUnits(HFONT font)
{
    HDC dc = CreateCompatibleDC(nullptr);
    if (dc == nullptr) return kFallbackBaseUnits;
    SIZE units = kFallbackBaseUnits;
    if (font == nullptr || !Measure(dc, font, &units)) Measure(dc, GetStockObject(SYSTEM_FONT), &units);
    DeleteDC(dc);
    return units;
}

RECT DialogUnitsToPixels(const RECT& units, SIZE baseUnits)
{
    return RECT{MulDiv(units.left, baseUnits.cx, 4), MulDiv(units.top, baseUnits.cy, 8),
                MulDiv(units.right, baseUnits.cx, 4), MulDiv(units.bottom, baseUnits.cy, 8)};
}

SIZE DialogBaseUnits(HWND dialog)
{
    DialogState* s = FindDialogState(dialog);
    return s ? s->baseUnits : SIZE{0, 0};
}

} // namespace sys

BOOL MapDialogRect(HWND dialog, LPRECT rect)
{
    if (rect == nullptr) return FALSE;
    SIZE units = sys::DialogBaseUnits(dialog);
    if (units.cx <= 0 || units.cy <= 0) return FALSE;
    *rect = sys::DialogUnitsToPixels(*rect, units);
    return TRUE;
}

LONG GetDialogBaseUnits()
{
    // The system font never changes while the program runs.
    static SIZE units{0, 0};
    if (units.cx == 0) units = sys::FontBaseUnits(nullptr);
    return MAKELONG(static_cast<WORD>(units.cx), static_cast<WORD>(units.cy));
}
