#include "platform/system/dialog/DialogInternal.h"
#include "platform/system/window/WindowClass.h"

#include <cstring>
#include <map>
#include <memory>
#include <strings.h>

namespace sys {
namespace {

// A serial in the window's private slot ties the state to this window, so a
// handle value reused by a later window never finds a stale state.
constexpr int kSerialSlot = DWLP_USER + static_cast<int>(sizeof(LONG_PTR));

std::map<HWND, std::unique_ptr<DialogState>>& States()
{
    static std::map<HWND, std::unique_ptr<DialogState>> states;
    return states;
}

std::uint64_t g_nextSerial = 1;
DLGPROC g_pendingProc = nullptr;
bool g_pending = false;

bool IsPushButtonClass(HWND hwnd)
{
    char name[16] = {};
    return GetClassName(hwnd, name, sizeof name) > 0 && strcasecmp(name, kButtonClass) == 0;
}

} // namespace

DialogState* FindDialogState(HWND dialog)
{
    auto& states = States();
    auto it = states.find(dialog);
    if (it == states.end()) return nullptr;
    if (!IsWindow(dialog) || static_cast<std::uint64_t>(GetWindowLongPtr(dialog, kSerialSlot)) != it->second->serial) {
        states.erase(it);
        return nullptr;
    }
    return it->second.get();
}

bool AttachDialogState(HWND dialog)
{
    if (FindDialogState(dialog) != nullptr) return true;
    std::uint64_t serial = g_nextSerial++;
    SetWindowLongPtr(dialog, kSerialSlot, static_cast<LONG_PTR>(serial));
    if (static_cast<std::uint64_t>(GetWindowLongPtr(dialog, kSerialSlot)) != serial) return false;
    auto state = std::make_unique<DialogState>();
    state->serial = serial;
    States()[dialog] = std::move(state);
    return true;
}

void DropDialogState(HWND dialog)
{
    States().erase(dialog);
}

void SetPendingDialogProc(DLGPROC proc)
{
    g_pendingProc = proc;
    g_pending = true;
}

void ClaimPendingDialogProc(HWND dialog)
{
    bool pending = g_pending;
    g_pending = false;
    if (!AttachDialogState(dialog) || !pending) return;
    SetWindowLongPtr(dialog, DWLP_DLGPROC, reinterpret_cast<LONG_PTR>(g_pendingProc));
}

void ClearPendingDialogProc()
{
    g_pending = false;
}

LRESULT DialogCode(HWND control)
{
    LRESULT code = SendMessage(control, WM_GETDLGCODE, 0, 0);
    if ((code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) == 0 && IsPushButtonClass(control)) {
        DWORD type = static_cast<DWORD>(GetWindowLong(control, GWL_STYLE)) & kBsTypeMask;
        if (type == kBsDefPushButton)
            code |= DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
        else if (type == kBsPushButton)
            code |= DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
    }
    return code;
}

HWND DialogControlOf(HWND dialog, HWND hwnd)
{
    if (dialog == nullptr || hwnd == nullptr || hwnd == dialog || !IsChild(dialog, hwnd)) return nullptr;
    // Climb to the window whose parent is the dialog or a control container.
    for (HWND h = hwnd; h != nullptr && h != dialog;) {
        HWND parent = GetParent(h);
        if (parent == dialog) return h;
        if (parent != nullptr && (GetWindowLong(parent, GWL_EXSTYLE) & WS_EX_CONTROLPARENT) != 0) {
            // Only when the whole chain up to the dialog is made of containers.
            HWND up = parent;
            while (up != dialog && up != nullptr && (GetWindowLong(up, GWL_EXSTYLE) & WS_EX_CONTROLPARENT) != 0)
                up = GetParent(up);
            if (up == dialog) return h;
        }
        h = parent;
    }
    return nullptr;
}

void UpdateDefaultButtons(HWND dialog, HWND focusControl)
{
    HWND defaultButton = nullptr;
    LRESULT focusCode = focusControl ? DialogCode(focusControl) : 0;
    if ((focusCode & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) != 0) {
        defaultButton = focusControl; // a focused push button acts as the default
    } else {
        int id = 0;
        if (DialogDefaultId(dialog, &id)) defaultButton = GetDlgItem(dialog, id);
    }
    for (HWND c = GetWindow(dialog, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
        LRESULT code = DialogCode(c);
        if (c == defaultButton && (code & DLGC_UNDEFPUSHBUTTON) != 0)
            SendMessage(c, kBmSetStyle, kBsDefPushButton, TRUE);
        else if (c != defaultButton && (code & DLGC_DEFPUSHBUTTON) != 0)
            SendMessage(c, kBmSetStyle, kBsPushButton, TRUE);
        if (!IsWindow(dialog)) return;
    }
}

void DialogSetFocus(HWND dialog, HWND control)
{
    if (control == nullptr || !IsWindow(control)) return;
    if ((DialogCode(control) & DLGC_HASSETSEL) != 0) SendMessage(control, kEmSetSel, 0, -1);
    UpdateDefaultButtons(dialog, control);
    if (!IsWindow(control)) return;
    if (DialogState* s = FindDialogState(dialog)) s->savedFocus = control;
    SetFocus(control);
}

} // namespace sys
