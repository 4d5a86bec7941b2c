// What the dialog manager keeps per dialog window, and helpers its files share.
// Internal to the system tier.
#pragma once

#include "platform/system/dialog/Dialog.h"

#include <cstdint>

namespace sys {

struct DialogState {
    std::uint64_t serial = 0;
    HFONT font = nullptr;      // as WM_SETFONT last set it
    HFONT ownedFont = nullptr; // made from the template, deleted with the dialog
    SIZE baseUnits{0, 0};
    DWORD templateStyle = 0;
    int defId = 0;
    bool hasDefId = false;
    HWND savedFocus = nullptr;
    // Modal dialogs.
    bool modal = false;
    bool ended = false;
    INT_PTR result = 0;
    HWND owner = nullptr;
    bool ownerDisabledByUs = false;
};

// The state of a live dialog window, null for any other window. The pointer is
// good until the next call into a window procedure.
DialogState* FindDialogState(HWND dialog);
// Creates the state; false when the window has no room for it (a class
// without DLGWINDOWEXTRA).
bool AttachDialogState(HWND dialog);
void DropDialogState(HWND dialog);

// The dialog procedure for the window being created, claimed at WM_NCCREATE.
void SetPendingDialogProc(DLGPROC proc);
// Any window of the dialog class gets its state at WM_NCCREATE.
void ClaimPendingDialogProc(HWND dialog);
void ClearPendingDialogProc();

// WM_GETDLGCODE of a control, with push-button bits for a "Button" class push
// button that does not answer it.
LRESULT DialogCode(HWND control);
// The control of dialog that holds hwnd (a direct child, or a child of a
// WS_EX_CONTROLPARENT container inside the dialog); null when outside.
HWND DialogControlOf(HWND dialog, HWND hwnd);
// Moves the focus to a control the way the dialog manager does: selects an
// edit's text and lets the default push button follow the focus.
void DialogSetFocus(HWND dialog, HWND control);
// Gives the default look to the push button newDefault (or, for null, to the
// dialog's default button) and takes it from every other push button.
void UpdateDefaultButtons(HWND dialog, HWND focusControl);

// Private constants of the controls the dialog manager drives.
constexpr UINT kBmGetCheck = 0x00F0;
constexpr UINT kBmSetCheck = 0x00F1;
constexpr UINT kBmSetStyle = 0x00F4;
constexpr UINT kBmClick = 0x00F5;
constexpr WORD kBnClicked = 0;
constexpr DWORD kBsPushButton = 0x0;
constexpr DWORD kBsDefPushButton = 0x1;
constexpr DWORD kBsTypeMask = 0xF;
constexpr UINT kEmSetSel = 0x00B1;

} // namespace sys
