// How buttons look: classic raised push buttons with the default frame, the
// pressed look and the focus rectangle; check boxes, radio buttons and group
// boxes; owner-draw buttons are drawn by their parent through WM_DRAWITEM.
#include "platform/system/controls/ControlColor.h"
#include "platform/system/controls/ControlCommon.h"
#include "platform/system/controls/OwnerDraw.h"
#include "platform/system/controls/button/ButtonInternal.h"
#include "platform/system/gdi/Gdi.h"
#include "platform/system/window/SysMetrics.h"

#include <string>

namespace sys {

namespace {

constexpr int kCheckSize = 13;

HFONT FontOf(HWND hwnd)
{
    auto font = reinterpret_cast<HFONT>(GetWindowLongPtr(hwnd, kBtnFontSlot));
    return font ? font : static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
}

// The parent's colours for the button; the brush when it gives one.
HBRUSH ParentColors(HWND hwnd, HDC hdc)
{
    return sys::ControlColorBrush(hwnd, hdc, WM_CTLCOLORBTN);
}

// The caption with its "&" mnemonic, in the DC's colour or embossed when disabled.
void DrawCaption(HDC hdc, const std::string& text, const RECT& box, UINT align, bool disabled, int shift)
{
    if (text.empty()) return;
    RECT measure{0, 0, 0, 0};
    DrawTextA(hdc, text.c_str(), static_cast<int>(text.size()), &measure, DT_CALCRECT | DT_SINGLELINE);
    int cx = measure.right - measure.left, cy = measure.bottom - measure.top;
    int x = box.left;
    if (align == DT_CENTER)
        x = (box.left + box.right - cx) / 2;
    else if (align == DT_RIGHT)
        x = box.right - cx;
    int y = (box.top + box.bottom - cy) / 2;
    int oldMode = SetBkMode(hdc, TRANSPARENT);
    DrawStateA(hdc, nullptr, nullptr, reinterpret_cast<LPARAM>(text.c_str()), static_cast<WPARAM>(text.size()),
               x + shift, y + shift, cx, cy, DST_PREFIXTEXT | (disabled ? DSS_DISABLED : DSS_NORMAL));
    SetBkMode(hdc, oldMode);
}

void PaintPush(HWND hwnd, HDC hdc, LONG_PTR bits, bool disabled)
{
    RECT r{};
    GetClientRect(hwnd, &r);
    bool isDefault = ButtonType(hwnd) == BS_DEFPUSHBUTTON;
    bool pushed = (bits & kBtnPushed) != 0;
    FillRect(hdc, &r, GetSysColorBrush(COLOR_BTNFACE));
    RECT face = r;
    if (isDefault || pushed) {
        FrameRect(hdc, &face, GetSysColorBrush(COLOR_WINDOWFRAME));
        InflateRect(&face, -1, -1);
    }
    if (pushed) {
        FrameRect(hdc, &face, GetSysColorBrush(COLOR_BTNSHADOW));
    } else {
        RECT edge = face;
        DrawEdge(hdc, &edge, EDGE_RAISED, BF_RECT | BF_SOFT);
    }
    SetTextColor(hdc, GetSysColor(COLOR_BTNTEXT));
    RECT text = face;
    InflateRect(&text, -2, -2);
    DrawCaption(hdc, ControlText(hwnd), text, DT_CENTER, disabled, pushed ? 1 : 0);
    if (bits & kBtnFocus) {
        RECT focus = face;
        InflateRect(&focus, -3, -3);
        if (!IsRectEmpty(&focus)) DrawFocusRect(hdc, &focus);
    }
}

void PaintCheck(HWND hwnd, HDC hdc, LONG_PTR bits, bool disabled, HBRUSH background)
{
    RECT r{};
    GetClientRect(hwnd, &r);
    if (background) FillRect(hdc, &r, background);
    DWORD type = ButtonType(hwnd);
    bool radio = type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON;
    bool leftText = (GetWindowLong(hwnd, GWL_STYLE) & BS_LEFTTEXT) != 0;
    int top = (r.top + r.bottom - kCheckSize) / 2;
    RECT box{leftText ? r.right - kCheckSize : r.left, top, 0, top + kCheckSize};
    box.right = box.left + kCheckSize;
    LONG_PTR check = bits & kBtnCheckMask;
    COLORREF mark = GetSysColor(disabled ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT);
    if (radio) {
        HGDIOBJ oldPen = SelectObject(hdc, GetStockObject(BLACK_PEN));
        HGDIOBJ oldBrush = SelectObject(hdc, GetSysColorBrush((bits & kBtnPushed) ? COLOR_BTNFACE : COLOR_WINDOW));
        Ellipse(hdc, box.left, box.top, box.right, box.bottom);
        if (check) {
            HBRUSH dot = CreateSolidBrush(mark);
            SelectObject(hdc, dot);
            Ellipse(hdc, box.left + 4, box.top + 4, box.right - 4, box.bottom - 4);
            SelectObject(hdc, oldBrush);
            DeleteObject(dot);
        }
        SelectObject(hdc, oldBrush);
        SelectObject(hdc, oldPen);
    } else {
        RECT inner = box;
        DrawEdge(hdc, &inner, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
        bool grey = (bits & kBtnPushed) || check == BST_INDETERMINATE;
        FillRect(hdc, &inner, GetSysColorBrush(grey ? COLOR_BTNFACE : COLOR_WINDOW));
        if (check) {
            // A tick of three-pixel strokes.
            for (int i = 0; i < 7; ++i) {
                int x = inner.left + 1 + i;
                int y = i < 3 ? inner.top + 3 + i : inner.top + 7 - (i - 2);
                RECT stroke{x, y, x + 1, y + 3};
                HBRUSH b = CreateSolidBrush(check == BST_INDETERMINATE ? GetSysColor(COLOR_BTNSHADOW) : mark);
                FillRect(hdc, &stroke, b);
                DeleteObject(b);
            }
        }
    }
    RECT text = r;
    if (leftText)
        text.right = box.left - 4;
    else
        text.left = box.right + 4;
    DrawCaption(hdc, ControlText(hwnd), text, DT_LEFT, disabled, 0);
    if (bits & kBtnFocus) {
        RECT focus = text;
        InflateRect(&focus, 1, -1);
        if (!IsRectEmpty(&focus)) DrawFocusRect(hdc, &focus);
    }
}

void PaintGroup(HWND hwnd, HDC hdc, bool disabled, HBRUSH background)
{
    RECT r{};
    GetClientRect(hwnd, &r);
    TEXTMETRICA tm{};
    GetTextMetricsA(hdc, &tm);
    RECT frame{r.left, r.top + tm.tmHeight / 2, r.right, r.bottom};
    DrawEdge(hdc, &frame, EDGE_ETCHED, BF_RECT);
    std::string text = ControlText(hwnd);
    if (text.empty()) return;
    RECT measure{0, 0, 0, 0};
    DrawTextA(hdc, text.c_str(), static_cast<int>(text.size()), &measure, DT_CALCRECT | DT_SINGLELINE);
    RECT label{r.left + 8, r.top, r.left + 8 + measure.right + 4, r.top + tm.tmHeight};
    if (background) FillRect(hdc, &label, background);
    RECT inside{label.left + 2, label.top, label.right - 2, label.bottom};
    DrawCaption(hdc, text, inside, DT_LEFT, disabled, 0);
}

} // namespace

void DrawOwnerButton(HWND hwnd, HDC hdc, UINT action)
{
    HWND parent = GetParent(hwnd);
    if (!parent) return;
    bool own = hdc == nullptr;
    if (own) hdc = GetDC(hwnd);
    if (!hdc) return;
    LONG_PTR bits = ButtonBits(hwnd);
    ParentColors(hwnd, hdc);
    DRAWITEMSTRUCT dis{};
    dis.CtlType = ODT_BUTTON;
    dis.CtlID = static_cast<UINT>(GetDlgCtrlID(hwnd));
    dis.itemID = 0;
    dis.itemAction = action;
    dis.itemState = ((bits & kBtnPushed) ? ODS_SELECTED : 0) | ((bits & kBtnFocus) ? ODS_FOCUS : 0) |
                    (IsWindowEnabled(hwnd) ? 0 : ODS_DISABLED) | ((bits & kBtnOwnerDefault) ? ODS_DEFAULT : 0);
    dis.hwndItem = hwnd;
    dis.hDC = hdc;
    GetClientRect(hwnd, &dis.rcItem);
    int saved = SaveDC(hdc);
    SendMessage(parent, WM_DRAWITEM, dis.CtlID, reinterpret_cast<LPARAM>(&dis));
    RestoreDC(hdc, saved);
    if (own) ReleaseDC(hwnd, hdc);
}

void PaintButton(HWND hwnd, HDC hdc)
{
    DWORD type = ButtonType(hwnd);
    if (type == BS_OWNERDRAW) {
        DrawOwnerButton(hwnd, hdc, ODA_DRAWENTIRE);
        return;
    }
    int saved = SaveDC(hdc);
    SelectObject(hdc, FontOf(hwnd));
    HBRUSH background = ParentColors(hwnd, hdc);
    bool disabled = !IsWindowEnabled(hwnd);
    LONG_PTR bits = ButtonBits(hwnd);
    if (IsPushType(type))
        PaintPush(hwnd, hdc, bits, disabled);
    else if (type == BS_GROUPBOX)
        PaintGroup(hwnd, hdc, disabled, background);
    else
        PaintCheck(hwnd, hdc, bits, disabled, background);
    RestoreDC(hdc, saved);
}

} // namespace sys
