// The button control: push and default push buttons, owner-draw buttons,
// check boxes and radio buttons. A click is reported to the parent as
// BN_CLICKED when the mouse button or Space is released on the button.
#include "platform/system/controls/ControlClasses.h"
#include "platform/system/controls/ControlCommon.h"
#include "platform/system/controls/OwnerDraw.h"
#include "platform/system/controls/PressTracker.h"
#include "platform/system/controls/button/ButtonInternal.h"
#include "platform/system/dialog/DialogDefs.h"
#include "platform/system/gdi/Gdi.h"
#include "platform/system/input/VirtualKeys.h"
#include "platform/system/window/WindowClass.h"

#include <strings.h>

namespace sys {

namespace {

void SetBits(HWND hwnd, LONG_PTR bits)
{
    SetWindowLongPtr(hwnd, kBtnStateSlot, bits);
}

bool IsOwnerDraw(HWND hwnd)
{
    return ButtonType(hwnd) == BS_OWNERDRAW;
}

// Shows a change: owner-draw buttons are drawn at once with the action that
// names the change, the others repaint through WM_PAINT.
void ShowChange(HWND hwnd, UINT ownerAction)
{
    if (IsOwnerDraw(hwnd)) {
        if (IsWindowVisible(hwnd)) DrawOwnerButton(hwnd, nullptr, ownerAction);
        return;
    }
    InvalidateRect(hwnd, nullptr, TRUE);
}

void SetPushed(HWND hwnd, bool pushed)
{
    LONG_PTR bits = ButtonBits(hwnd);
    if (((bits & kBtnPushed) != 0) == pushed) return;
    SetBits(hwnd, pushed ? (bits | kBtnPushed) : (bits & ~kBtnPushed));
    ShowChange(hwnd, ODA_SELECT);
}

// The click itself: auto check boxes and radio buttons change, then the parent hears of it.
void Click(HWND hwnd)
{
    DWORD type = ButtonType(hwnd);
    LONG_PTR bits = ButtonBits(hwnd);
    LONG_PTR check = bits & kBtnCheckMask;
    if (type == BS_AUTOCHECKBOX) {
        SendMessage(hwnd, BM_SETCHECK, check ? BST_UNCHECKED : BST_CHECKED, 0);
    } else if (type == BS_AUTO3STATE) {
        SendMessage(hwnd, BM_SETCHECK, static_cast<WPARAM>((check + 1) % 3), 0);
    } else if (type == BS_AUTORADIOBUTTON) {
        // The other automatic radio buttons of the group go out.
        HWND parent = GetParent(hwnd);
        SendMessage(hwnd, BM_SETCHECK, BST_CHECKED, 0);
        if (parent) {
            for (HWND c = GetWindow(parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
                if (c == hwnd) continue;
                char name[16] = {};
                GetClassName(c, name, sizeof name);
                if (strcasecmp(name, kButtonClass) == 0 && ButtonType(c) == BS_AUTORADIOBUTTON &&
                    GetParent(c) == parent)
                    SendMessage(c, BM_SETCHECK, BST_UNCHECKED, 0);
            }
        }
    }
    if (IsWindow(hwnd)) NotifyParentCommand(hwnd, BN_CLICKED);
}

bool Inside(HWND hwnd, LPARAM lParam)
{
    RECT client{};
    GetClientRect(hwnd, &client);
    return PtInRect(&client, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}) != FALSE;
}

// The mouse press kept in the state bits: held while the button went down on
// it, over while it is drawn pushed.
PressTracker MousePress(HWND hwnd)
{
    LONG_PTR bits = ButtonBits(hwnd);
    return PressTracker((bits & kBtnMouseDown) != 0, (bits & kBtnPushed) != 0);
}

void StoreMousePress(HWND hwnd, const PressTracker& press)
{
    LONG_PTR bits = ButtonBits(hwnd);
    SetBits(hwnd, press.Held() ? (bits | kBtnMouseDown) : (bits & ~kBtnMouseDown));
}

// Ends a press that did not complete (focus or capture lost).
void CancelPress(HWND hwnd)
{
    LONG_PTR bits = ButtonBits(hwnd);
    if (!(bits & (kBtnMouseDown | kBtnSpaceDown))) return;
    SetBits(hwnd, bits & ~(kBtnMouseDown | kBtnSpaceDown));
    EndCapture(hwnd);
    if (IsWindow(hwnd)) SetPushed(hwnd, false);
}

LRESULT DialogCode(HWND hwnd)
{
    switch (ButtonType(hwnd)) {
    case BS_DEFPUSHBUTTON: return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
    case BS_PUSHBUTTON:
    case BS_USERBUTTON: return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
    case BS_OWNERDRAW:
        // An owner-draw button takes part in the default-button rules like a push button.
        return DLGC_BUTTON | ((ButtonBits(hwnd) & kBtnOwnerDefault) ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON: return DLGC_BUTTON | DLGC_RADIOBUTTON;
    case BS_GROUPBOX: return DLGC_STATIC;
    default: return DLGC_BUTTON;
    }
}

void SetStyle(HWND hwnd, WPARAM wParam, LPARAM redraw)
{
    auto style = static_cast<DWORD>(GetWindowLong(hwnd, GWL_STYLE));
    auto wanted = static_cast<DWORD>(wParam) & BS_TYPEMASK;
    if ((style & BS_TYPEMASK) == BS_OWNERDRAW && (wanted == BS_PUSHBUTTON || wanted == BS_DEFPUSHBUTTON)) {
        // The dialog manager moves the default look: an owner-draw button keeps its kind.
        LONG_PTR bits = ButtonBits(hwnd);
        SetBits(hwnd, wanted == BS_DEFPUSHBUTTON ? (bits | kBtnOwnerDefault) : (bits & ~kBtnOwnerDefault));
    } else {
        SetWindowLong(hwnd, GWL_STYLE, static_cast<LONG>((style & ~BS_TYPEMASK) | wanted));
    }
    if (redraw) InvalidateRect(hwnd, nullptr, TRUE);
}

LRESULT OnEnable(HWND hwnd, bool enabled)
{
    if (!enabled) CancelPress(hwnd);
    InvalidateRect(hwnd, nullptr, TRUE);
    return 0;
}

LRESULT OnSetFocus(HWND hwnd)
{
    SetBits(hwnd, ButtonBits(hwnd) | kBtnFocus);
    ShowChange(hwnd, ODA_FOCUS);
    if (GetWindowLong(hwnd, GWL_STYLE) & BS_NOTIFY) NotifyParentCommand(hwnd, BN_SETFOCUS);
    return 0;
}

LRESULT OnKillFocus(HWND hwnd)
{
    CancelPress(hwnd);
    if (!IsWindow(hwnd)) return 0;
    SetBits(hwnd, ButtonBits(hwnd) & ~kBtnFocus);
    ShowChange(hwnd, ODA_FOCUS);
    if (GetWindowLong(hwnd, GWL_STYLE) & BS_NOTIFY) NotifyParentCommand(hwnd, BN_KILLFOCUS);
    return 0;
}

LRESULT OnButtonDown(HWND hwnd)
{
    if (ButtonType(hwnd) == BS_GROUPBOX) return 0;
    if (GetFocus() != hwnd) SetFocus(hwnd);
    if (!IsWindow(hwnd)) return 0;
    PressTracker press = MousePress(hwnd);
    press.Press();
    StoreMousePress(hwnd, press);
    SetCapture(hwnd);
    SetPushed(hwnd, press.Pressed());
    return 0;
}

// Leaving the button while holding the mouse button unpresses it; coming back presses it again.
LRESULT OnMouseMove(HWND hwnd, LPARAM lParam)
{
    PressTracker press = MousePress(hwnd);
    if (press.Held() && press.Move(Inside(hwnd, lParam))) SetPushed(hwnd, press.Pressed());
    return 0;
}

LRESULT OnButtonUp(HWND hwnd, LPARAM lParam)
{
    PressTracker press = MousePress(hwnd);
    PressEnd end = press.Release(Inside(hwnd, lParam));
    if (end == PressEnd::None) return 0;
    StoreMousePress(hwnd, press);
    EndCapture(hwnd);
    if (!IsWindow(hwnd)) return 0;
    SetPushed(hwnd, press.Pressed());
    if (end == PressEnd::Action && IsWindow(hwnd)) Click(hwnd);
    return 0;
}

LRESULT OnCaptureChanged(HWND hwnd)
{
    if (MousePress(hwnd).Held()) CancelPress(hwnd);
    return 0;
}

bool IsFirstPress(LPARAM keyData)
{
    return !(keyData & (LPARAM{1} << 30));
}

LRESULT OnKeyDown(HWND hwnd, WPARAM key, LPARAM keyData)
{
    if (key == VK_SPACE && IsFirstPress(keyData) && !(ButtonBits(hwnd) & kBtnMouseDown)) {
        SetBits(hwnd, ButtonBits(hwnd) | kBtnSpaceDown);
        SetPushed(hwnd, true);
    }
    return 0;
}

LRESULT OnKeyUp(HWND hwnd, WPARAM key)
{
    if (key == VK_SPACE && (ButtonBits(hwnd) & kBtnSpaceDown)) {
        SetBits(hwnd, ButtonBits(hwnd) & ~kBtnSpaceDown);
        SetPushed(hwnd, false);
        if (IsWindow(hwnd)) Click(hwnd);
    }
    return 0;
}

// A default push button made owner-draw stays the default.
LRESULT OnStyleChanged(HWND hwnd, WPARAM which, LPARAM lParam)
{
    if (static_cast<int>(which) == GWL_STYLE && lParam) {
        auto* ss = reinterpret_cast<const STYLESTRUCT*>(lParam);
        if ((ss->styleOld & BS_TYPEMASK) == BS_DEFPUSHBUTTON && (ss->styleNew & BS_TYPEMASK) == BS_OWNERDRAW)
            SetBits(hwnd, ButtonBits(hwnd) | kBtnOwnerDefault);
    }
    return 0;
}

LRESULT SetCheck(HWND hwnd, WPARAM wParam)
{
    LONG_PTR bits = ButtonBits(hwnd);
    LONG_PTR check = static_cast<LONG_PTR>(wParam) & kBtnCheckMask;
    DWORD type = ButtonType(hwnd);
    if (check == BST_INDETERMINATE && type != BS_3STATE && type != BS_AUTO3STATE) check = BST_CHECKED;
    if (IsPushType(type)) return 0;
    if ((bits & kBtnCheckMask) != check) {
        SetBits(hwnd, (bits & ~kBtnCheckMask) | check);
        InvalidateRect(hwnd, nullptr, TRUE);
    }
    // Checking a radio button makes it the tab stop of its group.
    if (type == BS_AUTORADIOBUTTON) {
        auto style = static_cast<DWORD>(GetWindowLong(hwnd, GWL_STYLE));
        SetWindowLong(hwnd, GWL_STYLE, static_cast<LONG>(check ? (style | WS_TABSTOP) : (style & ~WS_TABSTOP)));
    }
    return 0;
}

LRESULT ClickMessage(HWND hwnd)
{
    if (!IsWindowEnabled(hwnd)) return 0;
    SetPushed(hwnd, true);
    SetPushed(hwnd, false);
    Click(hwnd);
    return 0;
}

LRESULT SetImage(HWND hwnd, LPARAM image)
{
    LONG_PTR old = GetWindowLongPtr(hwnd, kBtnImageSlot);
    SetWindowLongPtr(hwnd, kBtnImageSlot, image);
    InvalidateRect(hwnd, nullptr, TRUE);
    return old;
}

LRESULT ButtonProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_GETDLGCODE: return DialogCode(hwnd);
    case WM_ERASEBKGND: return 1; // WM_PAINT covers the whole button
    case WM_PAINT: return PaintClient(hwnd, PaintButton);
    case WM_SETFONT: return SetFontSlot(hwnd, kBtnFontSlot, wParam, lParam);
    case WM_GETFONT: return GetWindowLongPtr(hwnd, kBtnFontSlot);
    case WM_SETTEXT: return SetTextAndRedraw(hwnd, wParam, lParam);
    case WM_ENABLE: return OnEnable(hwnd, wParam != 0);
    case WM_SETFOCUS: return OnSetFocus(hwnd);
    case WM_KILLFOCUS: return OnKillFocus(hwnd);
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: return OnButtonDown(hwnd);
    case WM_MOUSEMOVE: return OnMouseMove(hwnd, lParam);
    case WM_LBUTTONUP: return OnButtonUp(hwnd, lParam);
    case WM_CAPTURECHANGED: return OnCaptureChanged(hwnd);
    case WM_KEYDOWN: return OnKeyDown(hwnd, wParam, lParam);
    case WM_KEYUP: return OnKeyUp(hwnd, wParam);
    case WM_STYLECHANGED: return OnStyleChanged(hwnd, wParam, lParam);
    case BM_GETCHECK: return ButtonBits(hwnd) & kBtnCheckMask;
    case BM_SETCHECK: return SetCheck(hwnd, wParam);
    case BM_GETSTATE: return ButtonBits(hwnd) & (kBtnCheckMask | kBtnPushed | kBtnFocus);
    case BM_SETSTATE: SetPushed(hwnd, wParam != 0); return 0;
    case BM_SETSTYLE: SetStyle(hwnd, wParam, lParam); return 0;
    case BM_CLICK: return ClickMessage(hwnd);
    case BM_GETIMAGE: return GetWindowLongPtr(hwnd, kBtnImageSlot);
    case BM_SETIMAGE: return SetImage(hwnd, lParam);
    default: return DefWindowProc(hwnd, message, wParam, lParam);
    }
}

} // namespace

bool RegisterButtonClass()
{
    WNDCLASS wc{};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = ButtonProc;
    wc.cbWndExtra = kBtnExtraBytes;
    wc.lpszClassName = kButtonClass;
    return RegisterSystemClass(wc);
}

} // namespace sys
