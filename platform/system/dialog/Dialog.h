// The dialog manager: dialogs built from templates, modeless and modal, the
// dialog window procedure, keyboard navigation and dialog units.
#pragma once

#include "platform/system/dialog/DialogDefs.h"
#include "platform/system/dialog/DialogTemplate.h"
#include "platform/system/window/WinUser.h"

// Modeless: a WS_CHILD template makes a child page of parent, any other an
// owned popup. Shown when the template has WS_VISIBLE. Null when the window or
// (without DS_NOFAILCREATE) a control cannot be created.
HWND CreateDialogIndirectParamA(HINSTANCE instance, const DialogTemplate* dialogTemplate, HWND parent,
                                DLGPROC dialogProc, LPARAM initParam);
// By template name through the resource registry.
HWND CreateDialogParamA(HINSTANCE instance, LPCSTR templateName, HWND parent, DLGPROC dialogProc, LPARAM initParam);

// Modal: disables the owner (the top-level window of parent), runs a loop over
// the one message queue until EndDialog, re-enables and activates the owner,
// destroys the dialog and returns the EndDialog result; -1 when the dialog
// cannot be created. A WM_QUIT during the loop ends it and is posted again.
INT_PTR DialogBoxIndirectParamA(HINSTANCE instance, const DialogTemplate* dialogTemplate, HWND parent,
                                DLGPROC dialogProc, LPARAM initParam);
INT_PTR DialogBoxParamA(HINSTANCE instance, LPCSTR templateName, HWND parent, DLGPROC dialogProc, LPARAM initParam);

// Ends a modal dialog's loop with result (also from inside WM_INITDIALOG). The
// dialog is hidden at once and destroyed by its loop; a modeless dialog is hidden.
BOOL EndDialog(HWND dialog, INT_PTR result);

// The window procedure of the dialog class: calls the dialog procedure, then
// does the default dialog processing.
LRESULT DefDlgProcA(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Handles keyboard navigation for messages meant for the dialog or its
// controls (dispatching them); FALSE for any other message.
BOOL IsDialogMessageA(HWND dialog, LPMSG msg);
HWND GetNextDlgTabItem(HWND dialog, HWND control, BOOL previous);
HWND GetNextDlgGroupItem(HWND dialog, HWND control, BOOL previous);

// Dialog units to pixels with the dialog's font.
BOOL MapDialogRect(HWND dialog, LPRECT rect);
// Base units of the system font: width in the low word, height in the high word.
LONG GetDialogBaseUnits();

BOOL SetDlgItemTextA(HWND dialog, int id, LPCSTR text);
UINT GetDlgItemTextA(HWND dialog, int id, LPSTR buffer, int size);
BOOL SetDlgItemInt(HWND dialog, int id, UINT value, BOOL isSigned);
UINT GetDlgItemInt(HWND dialog, int id, BOOL* translated, BOOL isSigned);
BOOL CheckDlgButton(HWND dialog, int id, UINT check);
UINT IsDlgButtonChecked(HWND dialog, int id);

inline HWND CreateDialogIndirectParam(HINSTANCE i, const DialogTemplate* t, HWND p, DLGPROC f, LPARAM l)
{
    return CreateDialogIndirectParamA(i, t, p, f, l);
}
inline HWND CreateDialogIndirect(HINSTANCE i, const DialogTemplate* t, HWND p, DLGPROC f)
{
    return CreateDialogIndirectParamA(i, t, p, f, 0);
}
inline HWND CreateDialogParam(HINSTANCE i, LPCSTR n, HWND p, DLGPROC f, LPARAM l)
{
    return CreateDialogParamA(i, n, p, f, l);
}
inline HWND CreateDialog(HINSTANCE i, LPCSTR n, HWND p, DLGPROC f)
{
    return CreateDialogParamA(i, n, p, f, 0);
}
inline INT_PTR DialogBoxIndirectParam(HINSTANCE i, const DialogTemplate* t, HWND p, DLGPROC f, LPARAM l)
{
    return DialogBoxIndirectParamA(i, t, p, f, l);
}
inline INT_PTR DialogBoxIndirect(HINSTANCE i, const DialogTemplate* t, HWND p, DLGPROC f)
{
    return DialogBoxIndirectParamA(i, t, p, f, 0);
}
inline INT_PTR DialogBoxParam(HINSTANCE i, LPCSTR n, HWND p, DLGPROC f, LPARAM l)
{
    return DialogBoxParamA(i, n, p, f, l);
}
inline INT_PTR DialogBox(HINSTANCE i, LPCSTR n, HWND p, DLGPROC f)
{
    return DialogBoxParamA(i, n, p, f, 0);
}
inline LRESULT DefDlgProc(HWND d, UINT m, WPARAM w, LPARAM l)
{
    return DefDlgProcA(d, m, w, l);
}
inline BOOL IsDialogMessage(HWND d, LPMSG m)
{
    return IsDialogMessageA(d, m);
}
inline BOOL SetDlgItemText(HWND d, int id, LPCSTR t)
{
    return SetDlgItemTextA(d, id, t);
}
inline UINT GetDlgItemText(HWND d, int id, LPSTR b, int n)
{
    return GetDlgItemTextA(d, id, b, n);
}

namespace sys {

// Base units of a font: average width of "A".."Z" "a".."z" rounded, and the
// text height. The system font's when font is null or unusable.
SIZE FontBaseUnits(HFONT font);
// Dialog units to pixels with base units.
RECT DialogUnitsToPixels(const RECT& units, SIZE baseUnits);
// The dialog's base units (its template font's); zero size for a non-dialog.
SIZE DialogBaseUnits(HWND dialog);
// The default push button's id and whether there is one.
bool DialogDefaultId(HWND dialog, int* id);

} // namespace sys
