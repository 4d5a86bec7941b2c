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

} // namespace

HWND CreateDialogFromTemplate(HINSTANCE instance, const DialogTemplate* t, HWND parent, DLGPROC dialogProc,
                              LPARAM initParam, const ModalInfo* modal)
{
    if (t == nullptr) return nullptr;
    if (parent != nullptr && !IsWindow(parent)) return nullptr;
    if (!EnsureDialogClass()) return nullptr;

    DWORD style = t->style;
    DWORD exStyle = t->exStyle;
    if (modal != nullptr && (style & WS_CHILD) != 0) style = (style & ~WS_CHILD) | WS_POPUP;
    bool child = (style & WS_CHILD) != 0;
    if (child && parent == nullptr) return nullptr;
    if ((style & DS_MODALFRAME) != 0) exStyle |= WS_EX_DLGMODALFRAME;
    if ((style & DS_CONTROL) != 0) {
        style &= ~(WS_CAPTION | WS_SYSMENU);
        exStyle |= WS_EX_CONTROLPARENT;
    }
    HWND owner = child || parent == nullptr ? nullptr : GetAncestor(parent, GA_ROOT);
    if (modal != nullptr) owner = modal->owner;

    HFONT font = (t->style & DS_SETFONT) != 0 ? CreateTemplateFont(*t) : nullptr;
    SIZE units = font ? FontBaseUnits(font) : FontBaseUnits(nullptr);

    RECT frame{0, 0, MulDiv(t->cx, units.cx, 4), MulDiv(t->cy, units.cy, 8)};
    AdjustWindowRectEx(&frame, style & ~WS_VISIBLE, FALSE, exStyle);
    SIZE size{frame.right - frame.left, frame.bottom - frame.top};
    POINT pos{MulDiv(t->x, units.cx, 4), MulDiv(t->y, units.cy, 8)};
    if (!child) pos = PlacePopup(*t, owner, pos, size);

    LPCSTR className = t->className.empty() ? kDialogClass : t->className.c_str();
    SetPendingDialogProc(dialogProc);
    HWND dialog =
        CreateWindowEx(exStyle, className, t->caption.c_str(), style & ~WS_VISIBLE, pos.x, pos.y, size.cx, size.cy,
                       child ? parent : owner, nullptr, instance, reinterpret_cast<LPVOID>(initParam));
    ClearPendingDialogProc();
    if (dialog == nullptr) {
        if (font != nullptr) DeleteObject(font);
        return nullptr;
    }
    if (FindDialogState(dialog) == nullptr) {
        // A template class whose procedure did not pass WM_NCCREATE on.
        if (AttachDialogState(dialog)) SetWindowLongPtr(dialog, DWLP_DLGPROC, reinterpret_cast<LONG_PTR>(dialogProc));
    }
    DialogState* s = FindDialogState(dialog);
    if (s == nullptr) {
        DestroyWindow(dialog);
        if (font != nullptr) DeleteObject(font);
        return nullptr;
    }
    s->ownedFont = font;
    s->font = font;
    s->baseUnits = units;
    s->templateStyle = t->style;
    if (modal != nullptr) {
        s->modal = true;
        s->owner = modal->owner;
        s->ownerDisabledByUs = modal->ownerDisabled;
    }

    if (font != nullptr) SendMessage(dialog, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    for (const DialogItemTemplate& item : t->items) {
        if (!IsWindow(dialog)) return nullptr;
        if (!CreateControl(dialog, instance, item, units, font) && (t->style & DS_NOFAILCREATE) == 0) {
            DestroyWindow(dialog);
            return nullptr;
        }
    }
    if (!IsWindow(dialog)) return nullptr;

    HWND first = GetNextDlgTabItem(dialog, nullptr, FALSE);
    LRESULT setFocus = SendMessage(dialog, WM_INITDIALOG, reinterpret_cast<WPARAM>(first), initParam);
    if (!IsWindow(dialog)) return nullptr;
    s = FindDialogState(dialog);
    bool ended = s != nullptr && s->ended;
    if (setFocus != 0 && first != nullptr && IsWindow(first) && !ended) {
        DialogSetFocus(dialog, first);
    } else if (s != nullptr) {
        // Whatever the procedure focused is what activation gives back.
        if (HWND focus = DialogControlOf(dialog, GetFocus())) s->savedFocus = focus;
    }
    if ((t->style & WS_VISIBLE) != 0 && !ended && IsWindow(dialog)) {
        ShowWindow(dialog, child ? SW_SHOW : SW_SHOWNORMAL);
        if (!child && (t->style & DS_SETFOREGROUND) != 0) SetForegroundWindow(dialog);
    }
    return IsWindow(dialog) ? dialog : nullptr;
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
