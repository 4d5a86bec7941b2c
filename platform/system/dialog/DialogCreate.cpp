#include "platform/system/dialog/DialogCreate.h"

#include "platform/system/dialog/Resource.h"
#include "platform/system/gdi/Gdi.h"
#include "platform/system/window/Desktop.h"
#include "platform/system/window/SysMetrics.h"
#include "platform/system/window/WindowClass.h"

#include <algorithm>
#include <cstring>

namespace sys {
namespace {

bool EnsureDialogClass()
{
    WNDCLASS wc{};
    wc.style = CS_DBLCLKS | CS_SAVEBITS;
    wc.lpfnWndProc = DefDlgProcA;
    wc.cbWndExtra = DLGWINDOWEXTRA;
    wc.lpszClassName = kDialogClass;
    return RegisterSystemClass(wc);
}

HFONT CreateTemplateFont(const DialogTemplate& t)
{
    LOGFONTA lf{};
    lf.lfHeight = -MulDiv(t.pointSize, 96, 72);
    lf.lfWeight = t.weight;
    lf.lfItalic = t.italic;
    lf.lfCharSet = t.charSet;
    std::size_t n = std::min<std::size_t>(t.faceName.size(), LF_FACESIZE - 1);
    std::memcpy(lf.lfFaceName, t.faceName.data(), n);
    lf.lfFaceName[n] = '\0';
    return CreateFontIndirect(&lf);
}

// Where a top-level dialog goes: the template's point (relative to the owner's
// client area unless DS_ABSALIGN), or centred with DS_CENTER, kept on the work area.
POINT PlacePopup(const DialogTemplate& t, HWND owner, POINT pos, SIZE size)
{
    RECT work = WorkAreaRect();
    if ((t.style & DS_CENTER) != 0) {
        pos.x = work.left + (work.right - work.left - size.cx) / 2;
        pos.y = work.top + (work.bottom - work.top - size.cy) / 2;
    } else if ((t.style & DS_ABSALIGN) == 0 && owner != nullptr) {
        POINT origin{0, 0};
        ClientToScreen(owner, &origin);
        pos.x += origin.x;
        pos.y += origin.y;
    }
    pos.x = std::max(work.left, std::min(pos.x, work.right - size.cx));
    pos.y = std::max(work.top, std::min(pos.y, work.bottom - size.cy));
    return pos;
}

// Creates one control; false when it cannot be made.
bool CreateControl(HWND dialog, HINSTANCE instance, const DialogItemTemplate& item, SIZE units, HFONT font)
{
    int x = MulDiv(item.x, units.cx, 4);
    int y = MulDiv(item.y, units.cy, 8);
    int cx = MulDiv(item.cx, units.cx, 4);
    int cy = MulDiv(item.cy, units.cy, 8);
    DWORD style = (item.style | WS_CHILD) & ~WS_POPUP;
    HMENU id = reinterpret_cast<HMENU>(static_cast<std::intptr_t>(item.id));
    HWND control = CreateWindowEx(item.exStyle | WS_EX_NOPARENTNOTIFY, item.className.c_str(), item.text.c_str(), style,
                                  x, y, cx, cy, dialog, id, instance, nullptr);
    if (control == nullptr) return false;
    if (font != nullptr) SendMessage(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    if (!IsWindow(control)) return true;
    DialogState* s = FindDialogState(dialog);
    if (s != nullptr && !s->hasDefId && (DialogCode(control) & DLGC_DEFPUSHBUTTON) != 0) {
        s = FindDialogState(dialog);
        if (s != nullptr) {
            s->defId = item.id;
            s->hasDefId = true;
        }
    }
    return true;
}

// The dialog window's own styles and owner, from its template and how it is run.
struct DialogWindowStyle {
    DWORD style = 0;
    DWORD exStyle = 0;
    bool child = false;
    HWND owner = nullptr;
};

DialogWindowStyle WindowStyleOf(const DialogTemplate& t, HWND parent, const ModalInfo* modal)
{
    DialogWindowStyle d{t.style, t.exStyle};
    if (modal != nullptr && (d.style & WS_CHILD) != 0) d.style = (d.style & ~WS_CHILD) | WS_POPUP;
    d.child = (d.style & WS_CHILD) != 0;
    if ((d.style & DS_MODALFRAME) != 0) d.exStyle |= WS_EX_DLGMODALFRAME;
    if ((d.style & DS_CONTROL) != 0) {
        d.style &= ~(WS_CAPTION | WS_SYSMENU);
        d.exStyle |= WS_EX_CONTROLPARENT;
    }
    d.owner = d.child || parent == nullptr ? nullptr : GetAncestor(parent, GA_ROOT);
    if (modal != nullptr) d.owner = modal->owner;
    return d;
}

// The window's rectangle: the template's client size in dialog units with the
// frame around it, a popup placed on the work area.
RECT DialogWindowRect(const DialogTemplate& t, const DialogWindowStyle& d, SIZE units)
{
    RECT frame{0, 0, MulDiv(t.cx, units.cx, 4), MulDiv(t.cy, units.cy, 8)};
    AdjustWindowRectEx(&frame, d.style & ~WS_VISIBLE, FALSE, d.exStyle);
    SIZE size{frame.right - frame.left, frame.bottom - frame.top};
    POINT pos{MulDiv(t.x, units.cx, 4), MulDiv(t.y, units.cy, 8)};
    if (!d.child) pos = PlacePopup(t, d.owner, pos, size);
    return RECT{pos.x, pos.y, pos.x + size.cx, pos.y + size.cy};
}

// The dialog window with its dialog state; null when either cannot be made.
HWND CreateDialogWindow(HINSTANCE instance, const DialogTemplate& t, const DialogWindowStyle& d, HWND parent,
                        DLGPROC dialogProc, LPARAM initParam, SIZE units)
{
    RECT r = DialogWindowRect(t, d, units);
    LPCSTR className = t.className.empty() ? kDialogClass : t.className.c_str();
    SetPendingDialogProc(dialogProc);
    HWND dialog = CreateWindowEx(d.exStyle, className, t.caption.c_str(), d.style & ~WS_VISIBLE, r.left, r.top,
                                 r.right - r.left, r.bottom - r.top, d.child ? parent : d.owner, nullptr, instance,
                                 reinterpret_cast<LPVOID>(initParam));
    ClearPendingDialogProc();
    if (dialog == nullptr) return nullptr;
    if (FindDialogState(dialog) == nullptr) {
        // A template class whose procedure did not pass WM_NCCREATE on.
        if (AttachDialogState(dialog)) SetWindowLongPtr(dialog, DWLP_DLGPROC, reinterpret_cast<LONG_PTR>(dialogProc));
    }
    if (FindDialogState(dialog) == nullptr) {
        DestroyWindow(dialog);
        return nullptr;
    }
    return dialog;
}

void KeepTemplateState(DialogState& s, const DialogTemplate& t, HFONT font, SIZE units, const ModalInfo* modal)
{
    s.ownedFont = font;
    s.font = font;
    s.baseUnits = units;
    s.templateStyle = t.style;
    if (modal != nullptr) {
        s.modal = true;
        s.owner = modal->owner;
        s.ownerDisabledByUs = modal->ownerDisabled;
    }
}

// False when the dialog is gone, or destroyed because a control could not be
// made and the template has no DS_NOFAILCREATE.
bool CreateControls(HWND dialog, HINSTANCE instance, const DialogTemplate& t, SIZE units, HFONT font)
{
    for (const DialogItemTemplate& item : t.items) {
        if (!IsWindow(dialog)) return false;
        if (!CreateControl(dialog, instance, item, units, font) && (t.style & DS_NOFAILCREATE) == 0) {
            DestroyWindow(dialog);
            return false;
        }
    }
    return IsWindow(dialog) != FALSE;
}

// WM_INITDIALOG, the focus it asks for, then the dialog shown as its template
// says; null when the dialog did not survive.
HWND InitDialog(HWND dialog, const DialogTemplate& t, bool child, LPARAM initParam)
{
    HWND first = GetNextDlgTabItem(dialog, nullptr, FALSE);
    LRESULT setFocus = SendMessage(dialog, WM_INITDIALOG, reinterpret_cast<WPARAM>(first), initParam);
    if (!IsWindow(dialog)) return nullptr;
    DialogState* s = FindDialogState(dialog);
    bool ended = s != nullptr && s->ended;
    if (setFocus != 0 && first != nullptr && IsWindow(first) && !ended) {
        DialogSetFocus(dialog, first);
    } else if (s != nullptr) {
        // Whatever the procedure focused is what activation gives back.
        if (HWND focus = DialogControlOf(dialog, GetFocus())) s->savedFocus = focus;
    }
    if ((t.style & WS_VISIBLE) != 0 && !ended && IsWindow(dialog)) {
        ShowWindow(dialog, child ? SW_SHOW : SW_SHOWNORMAL);
        if (!child && (t.style & DS_SETFOREGROUND) != 0) SetForegroundWindow(dialog);
    }
    return IsWindow(dialog) ? dialog : nullptr;
}

} // namespace

HWND CreateDialogFromTemplate(HINSTANCE instance, const DialogTemplate* t, HWND parent, DLGPROC dialogProc,
                              LPARAM initParam, const ModalInfo* modal)
{
    if (t == nullptr) return nullptr;
    if (parent != nullptr && !IsWindow(parent)) return nullptr;
    if (!EnsureDialogClass()) return nullptr;
    DialogWindowStyle d = WindowStyleOf(*t, parent, modal);
    if (d.child && parent == nullptr) return nullptr;

    HFONT font = (t->style & DS_SETFONT) != 0 ? CreateTemplateFont(*t) : nullptr;
    SIZE units = font ? FontBaseUnits(font) : FontBaseUnits(nullptr);
    HWND dialog = CreateDialogWindow(instance, *t, d, parent, dialogProc, initParam, units);
    if (dialog == nullptr) {
        if (font != nullptr) DeleteObject(font);
        return nullptr;
    }
    KeepTemplateState(*FindDialogState(dialog), *t, font, units, modal);
    if (font != nullptr) SendMessage(dialog, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    if (!CreateControls(dialog, instance, *t, units, font)) return nullptr;
    return InitDialog(dialog, *t, d.child, initParam);
}

} // namespace sys

HWND CreateDialogIndirectParamA(HINSTANCE instance, const DialogTemplate* dialogTemplate, HWND parent,
                                DLGPROC dialogProc, LPARAM initParam)
{
    return sys::CreateDialogFromTemplate(instance, dialogTemplate, parent, dialogProc, initParam, nullptr);
}

HWND CreateDialogParamA(HINSTANCE instance, LPCSTR templateName, HWND parent, DLGPROC dialogProc, LPARAM initParam)
{
    return CreateDialogIndirectParamA(instance, sys::FindDialogTemplate(templateName), parent, dialogProc, initParam);
}
