#include "platform/system/dialog/DialogCreate.h"
#include "platform/system/dialog/Resource.h"

namespace sys {
namespace {

// What the loop returns when the dialog goes away without EndDialog (WM_QUIT,
// the window destroyed under it): nothing was chosen.
constexpr INT_PTR kNoChoice = IDCANCEL;

INT_PTR RunModalLoop(HWND dialog)
{
    bool idleSent = false;
    for (;;) {
        DialogState* s = FindDialogState(dialog);
        if (s == nullptr) return kNoChoice;
        if (s->ended) return s->result;
        MSG msg{};
        HWND owner = s->owner;
        if (!idleSent && owner != nullptr && (s->templateStyle & DS_NOIDLEMSG) == 0 &&
            !PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            idleSent = true;
            SendMessage(owner, WM_ENTERIDLE, MSGF_DIALOGBOX, reinterpret_cast<LPARAM>(dialog));
            continue;
        }
        BOOL got = GetMessage(&msg, nullptr, 0, 0);
        if (got == 0) {
            // The outer loop must see the quit too.
            PostQuitMessage(static_cast<int>(msg.wParam));
            s = FindDialogState(dialog);
            return s && s->ended ? s->result : kNoChoice;
        }
        if (got == -1) {
            s = FindDialogState(dialog);
            return s && s->ended ? s->result : kNoChoice;
        }
        idleSent = false;
        if (!IsDialogMessage(dialog, &msg)) {
            TranslateMessage(&msg);
            DispatchMessage(&msg);
        }
    }
}

void GiveBackOwner(HWND dialog)
{
    DialogState* s = FindDialogState(dialog);
    if (s == nullptr || !s->modal) return;
    HWND owner = s->owner;
    bool enable = s->ownerDisabledByUs;
    s->ownerDisabledByUs = false;
    if (enable && IsWindow(owner)) EnableWindow(owner, TRUE);
}

} // namespace
} // namespace sys

INT_PTR DialogBoxIndirectParamA(HINSTANCE instance, const DialogTemplate* dialogTemplate, HWND parent,
                                DLGPROC dialogProc, LPARAM initParam)
{
    using namespace sys;
    if (dialogTemplate == nullptr) return -1;
    if (parent != nullptr && !IsWindow(parent)) return -1;
    ModalInfo modal;
    modal.owner = parent ? GetAncestor(parent, GA_ROOT) : nullptr;
    if (modal.owner != nullptr && IsWindowEnabled(modal.owner)) {
        EnableWindow(modal.owner, FALSE);
        modal.ownerDisabled = true;
    }
    HWND dialog = CreateDialogFromTemplate(instance, dialogTemplate, parent, dialogProc, initParam, &modal);
    if (dialog == nullptr) {
        if (modal.ownerDisabled && IsWindow(modal.owner) && !IsWindowEnabled(modal.owner))
            EnableWindow(modal.owner, TRUE);
        return -1;
    }
    DialogState* s = FindDialogState(dialog);
    if (s != nullptr && !s->ended && !IsWindowVisible(dialog)) ShowWindow(dialog, SW_SHOWNORMAL);

    INT_PTR result = RunModalLoop(dialog);

    if (IsWindow(dialog)) {
        GiveBackOwner(dialog);
        bool active = GetActiveWindow() == dialog;
        if (IsWindowVisible(dialog)) ShowWindow(dialog, SW_HIDE);
        if (modal.owner != nullptr && IsWindow(modal.owner) && (active || GetActiveWindow() == nullptr))
            SetActiveWindow(modal.owner);
        DestroyWindow(dialog);
    }
    return result;
}

INT_PTR DialogBoxParamA(HINSTANCE instance, LPCSTR templateName, HWND parent, DLGPROC dialogProc, LPARAM initParam)
{
    return DialogBoxIndirectParamA(instance, sys::FindDialogTemplate(templateName), parent, dialogProc, initParam);
}

BOOL EndDialog(HWND dialog, INT_PTR result)
{
    using namespace sys;
    DialogState* s = FindDialogState(dialog);
    if (s == nullptr) return FALSE;
    s->ended = true;
    s->result = result;
    bool modal = s->modal;
    HWND owner = s->owner;
    // The owner is enabled before the dialog hides, so activation can return to it.
    GiveBackOwner(dialog);
    bool active = GetActiveWindow() == dialog;
    if (IsWindow(dialog) && IsWindowVisible(dialog)) ShowWindow(dialog, SW_HIDE);
    if (modal && active && owner != nullptr && IsWindow(owner)) SetActiveWindow(owner);
    // Wakes the loop when EndDialog came from outside a dispatched message.
    if (modal && IsWindow(dialog)) PostMessage(dialog, WM_NULL, 0, 0);
    return TRUE;
}
