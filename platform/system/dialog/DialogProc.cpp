#include "platform/system/dialog/DialogInternal.h"
#include "platform/system/gdi/Gdi.h"
#include "platform/system/window/SysMetrics.h"

namespace sys {
namespace {

// Messages whose answer is the dialog procedure's return value itself rather
// than the DWLP_MSGRESULT slot.
bool AnswersDirectly(UINT message)
{
    constexpr UINT kCompareItem = 0x0039;
    constexpr UINT kVKeyToItem = 0x002E;
    constexpr UINT kCharToItem = 0x002F;
    return (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) || message == WM_INITDIALOG ||
           message == WM_QUERYDRAGICON || message == kCompareItem || message == kVKeyToItem || message == kCharToItem;
}

HWND FocusedControl(HWND dialog)
{
    return DialogControlOf(dialog, GetFocus());
}

void SaveFocus(HWND dialog)
{
    HWND focus = FocusedControl(dialog);
    if (focus == nullptr) return;
    if (DialogState* s = FindDialogState(dialog)) s->savedFocus = focus;
}

// Gives the focus back to the control that had it, else to the first tab stop.
bool RestoreFocus(HWND dialog)
{
    DialogState* s = FindDialogState(dialog);
    HWND target = s ? s->savedFocus : nullptr;
    auto style = target ? static_cast<DWORD>(GetWindowLong(target, GWL_STYLE)) : 0;
    if (target == nullptr || DialogControlOf(dialog, target) == nullptr || (style & WS_DISABLED) != 0 ||
        (style & WS_VISIBLE) == 0)
        target = GetNextDlgTabItem(dialog, nullptr, FALSE);
    if (target == nullptr) return false;
    DialogSetFocus(dialog, target);
    return true;
}

void SetDefaultId(HWND dialog, int id)
{
    DialogState* s = FindDialogState(dialog);
    if (s == nullptr) return;
    s->defId = id;
    s->hasDefId = true;
    HWND focus = FocusedControl(dialog);
    bool focusIsButton = focus && (DialogCode(focus) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) != 0;
    UpdateDefaultButtons(dialog, focusIsButton ? focus : nullptr);
}

void NextControl(HWND dialog, WPARAM wParam, LPARAM lParam)
{
    HWND target = nullptr;
    if (LOWORD(static_cast<std::uintptr_t>(lParam)) != 0) {
        target = DialogControlOf(dialog, reinterpret_cast<HWND>(wParam));
    } else {
        target = GetNextDlgTabItem(dialog, FocusedControl(dialog), wParam != 0);
    }
    if (target != nullptr) DialogSetFocus(dialog, target);
}

LRESULT EraseBackground(HWND dialog, HDC hdc)
{
    RECT rc{};
    GetClientRect(dialog, &rc);
    auto brush = reinterpret_cast<HBRUSH>(
        SendMessage(dialog, WM_CTLCOLORDLG, reinterpret_cast<WPARAM>(hdc), reinterpret_cast<LPARAM>(dialog)));
    if (brush == nullptr) brush = GetSysColorBrush(COLOR_BTNFACE);
    FillRect(hdc, &rc, brush);
    return 1;
}

LRESULT ColorDialog(HDC hdc)
{
    SetBkColor(hdc, GetSysColor(COLOR_BTNFACE));
    SetTextColor(hdc, GetSysColor(COLOR_WINDOWTEXT));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

// Closing is cancelling, unless the Cancel button is there and disabled.
LRESULT CloseAsCancel(HWND dialog)
{
    HWND cancel = GetDlgItem(dialog, IDCANCEL);
    if (cancel != nullptr && !IsWindowEnabled(cancel)) return 0;
    PostMessage(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, kBnClicked), reinterpret_cast<LPARAM>(cancel));
    return 0;
}

LRESULT GetDefaultId(HWND dialog)
{
    int id = 0;
    if (!DialogDefaultId(dialog, &id)) return 0;
    return MAKELONG(static_cast<WORD>(id), DC_HASDEFID);
}

LRESULT TakeFocus(HWND dialog, WPARAM wParam, LPARAM lParam)
{
    if (!RestoreFocus(dialog)) return DefWindowProc(dialog, WM_SETFOCUS, wParam, lParam);
    return 0;
}

// Leaving keeps the focused control; coming back gives it the focus again.
LRESULT Activate(HWND dialog, WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(wParam) == WA_INACTIVE) {
        SaveFocus(dialog);
        return 0;
    }
    if (RestoreFocus(dialog)) return 0;
    return DefWindowProc(dialog, WM_ACTIVATE, wParam, lParam);
}

LRESULT ShowDialog(HWND dialog, WPARAM shown, LPARAM lParam)
{
    if (shown == FALSE) SaveFocus(dialog);
    return DefWindowProc(dialog, WM_SHOWWINDOW, shown, lParam);
}

LRESULT SetDialogFont(HWND dialog, WPARAM font)
{
    if (DialogState* s = FindDialogState(dialog)) s->font = reinterpret_cast<HFONT>(font);
    return 0;
}

LRESULT GetDialogFont(HWND dialog)
{
    DialogState* s = FindDialogState(dialog);
    return s ? reinterpret_cast<LRESULT>(s->font) : 0;
}

LRESULT DefaultProcessing(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ERASEBKGND: return EraseBackground(dialog, reinterpret_cast<HDC>(wParam));
    case WM_CTLCOLORDLG: return ColorDialog(reinterpret_cast<HDC>(wParam));
    case WM_CLOSE: return CloseAsCancel(dialog);
    case DM_GETDEFID: return GetDefaultId(dialog);
    case DM_SETDEFID: SetDefaultId(dialog, static_cast<int>(wParam)); return TRUE;
    case WM_NEXTDLGCTL: NextControl(dialog, wParam, lParam); return 0;
    case WM_SETFOCUS: return TakeFocus(dialog, wParam, lParam);
    case WM_ACTIVATE: return Activate(dialog, wParam, lParam);
    case WM_SHOWWINDOW: return ShowDialog(dialog, wParam, lParam);
    case WM_SETFONT: return SetDialogFont(dialog, wParam);
    case WM_GETFONT: return GetDialogFont(dialog);
    default: return DefWindowProc(dialog, message, wParam, lParam);
    }
}

void ReleaseDialog(HWND dialog)
{
    DialogState* s = FindDialogState(dialog);
    if (s == nullptr) return;
    HFONT font = s->ownedFont;
    HWND owner = s->owner;
    bool enableOwner = s->modal && s->ownerDisabledByUs;
    DropDialogState(dialog);
    if (font != nullptr) DeleteObject(font);
    // A modal dialog destroyed without EndDialog must not leave its owner disabled.
    if (enableOwner && IsWindow(owner)) EnableWindow(owner, TRUE);
}

// Gives the message to the dialog procedure; true when that answered it, or
// destroyed the dialog, and *answer is the message's result.
bool AskDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* answer)
{
    auto proc = reinterpret_cast<DLGPROC>(GetWindowLongPtr(dialog, DWLP_DLGPROC));
    if (proc == nullptr) return false;
    SetWindowLongPtr(dialog, DWLP_MSGRESULT, 0);
    INT_PTR handled = proc(dialog, message, wParam, lParam);
    if (handled != 0 && AnswersDirectly(message)) {
        *answer = handled;
        return true;
    }
    if (handled != 0) {
        *answer = IsWindow(dialog) ? GetWindowLongPtr(dialog, DWLP_MSGRESULT) : 0;
        return true;
    }
    // A dialog its procedure destroyed gets no default processing.
    *answer = 0;
    return !IsWindow(dialog) && message != WM_DESTROY;
}

} // namespace

bool DialogDefaultId(HWND dialog, int* id)
{
    DialogState* s = FindDialogState(dialog);
    if (s == nullptr || !s->hasDefId) return false;
    if (id != nullptr) *id = s->defId;
    return true;
}

} // namespace sys

LRESULT DefDlgProcA(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    using namespace sys;
    if (message == WM_NCCREATE) ClaimPendingDialogProc(dialog);
    if (message == WM_NCDESTROY) {
        ReleaseDialog(dialog);
        return DefWindowProc(dialog, message, wParam, lParam);
    }
    LRESULT answer = 0;
    if (AskDialogProc(dialog, message, wParam, lParam, &answer)) return answer;
    return DefaultProcessing(dialog, message, wParam, lParam);
}
