// Building a dialog window and its controls from a template. Internal to the
// system tier; the public calls are in Dialog.h.
#pragma once

#include "platform/system/dialog/DialogInternal.h"

namespace sys {

struct ModalInfo {
    HWND owner = nullptr;
    bool ownerDisabled = false; // disabled by the modal loop, to enable again
};

// modal non-null makes a modal dialog (always a popup, owned by modal->owner).
HWND CreateDialogFromTemplate(HINSTANCE instance, const DialogTemplate* dialogTemplate, HWND parent, DLGPROC dialogProc,
                              LPARAM initParam, const ModalInfo* modal);

} // namespace sys
