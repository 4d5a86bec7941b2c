// The message box: a modal dialog made from a template built here, laid out in
// pixels when it starts so that it fits its text.
#include "platform/system/controls/messagebox/MessageBox.h"

#include "platform/system/controls/ControlClasses.h"
#include "platform/system/controls/button/Button.h"
#include "platform/system/controls/static/Static.h"
#include "platform/system/dialog/Dialog.h"
#include "platform/system/dialog/DialogTemplateBuilder.h"
#include "platform/system/gdi/Gdi.h"
#include "platform/system/window/Desktop.h"
#include "platform/system/window/SysMetrics.h"
#include "platform/system/window/WindowClass.h"

#include <algorithm>
#include <string>

namespace sys {

namespace {

constexpr int kTextId = 0xFFFF;
constexpr int kMargin = 11;
constexpr int kIconSize = 32;
constexpr int kButtonGap = 6;

struct Box {
    UINT type = 0;
    int ids[3] = {IDOK, 0, 0};
    int count = 1;
    std::string text;
};

const char* ButtonText(int id)
{
    switch (id) {
    case IDOK: return "确定";
    case IDCANCEL: return "取消";
    case IDABORT: return "中止(&A)";
    case IDRETRY: return "重试(&R)";
    case IDIGNORE: return "忽略(&I)";
    case IDYES: return "是(&Y)";
    case IDNO: return "否(&N)";
    default: return "";
    }
}

bool HasButton(const Box& box, int id)
{
    return std::find(box.ids, box.ids + box.count, id) != box.ids + box.count;
}

// The text's rectangle in the dialog's font: lines as written, and only a line
// wider than about five eighths of the screen wraps.
RECT MeasureText(HWND dialog, const Box& box, const RECT& work)
{
    RECT text{0, 0, std::max(100, (work.right - work.left) * 5 / 8), 0};
    // A memory DC measures even while the dialog is hidden.
    HDC hdc = CreateCompatibleDC(nullptr);
    if (!hdc) return text;
    HGDIOBJ old = SelectObject(hdc, reinterpret_cast<HGDIOBJ>(SendMessage(dialog, WM_GETFONT, 0, 0)));
    int limit = text.right;
    RECT natural{0, 0, 0, 0};
    DrawTextA(hdc, box.text.c_str(), static_cast<int>(box.text.size()), &natural,
              DT_CALCRECT | DT_EXPANDTABS | DT_NOPREFIX);
    if (natural.right - natural.left <= limit) {
        text = natural;
    } else {
        DrawTextA(hdc, box.text.c_str(), static_cast<int>(box.text.size()), &text,
                  DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX);
        text.right = std::min<LONG>(text.right, limit);
    }
    SelectObject(hdc, old);
    DeleteDC(hdc);
    return text;
}

// Sizes the dialog around its client area and centres it on the work area.
void PlaceBox(HWND dialog, int clientW, int clientH, const RECT& work)
{
    RECT frame{0, 0, clientW, clientH};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLong(dialog, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLong(dialog, GWL_EXSTYLE)));
    int w = frame.right - frame.left, h = frame.bottom - frame.top;
    int left = std::max(work.left, work.left + (work.right - work.left - w) / 2);
    int top = std::max(work.top, work.top + (work.bottom - work.top - h) / 2);
    SetWindowPos(dialog, nullptr, left, top, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
}

void LayOut(HWND dialog, const Box& box)
{
    RECT work = WorkAreaRect();
    SIZE units = DialogBaseUnits(dialog);
    if (units.cx <= 0 || units.cy <= 0) units = FontBaseUnits(nullptr);
    int buttonW = MulDiv(50, units.cx, 4), buttonH = MulDiv(14, units.cy, 8);
    bool icon = (box.type & MB_ICONMASK) != 0 && (box.type & MB_ICONMASK) <= MB_ICONASTERISK;

    HWND textWnd = GetDlgItem(dialog, kTextId);
    RECT text = MeasureText(dialog, box, work);
    int textW = text.right - text.left, textH = text.bottom - text.top;
    int textLeft = kMargin + (icon ? kIconSize + kMargin : 0);
    int bandH = std::max(textH, icon ? kIconSize : 0);
    int buttonsW = box.count * buttonW + (box.count - 1) * kButtonGap;
    int clientW = std::max(textLeft + textW + kMargin, buttonsW + 2 * kMargin);
    int clientH = kMargin + bandH + kMargin + buttonH + kMargin;
    if (textWnd) MoveWindow(textWnd, textLeft, kMargin + (bandH - textH) / 2, textW + 1, textH, FALSE);
    int x = (clientW - buttonsW) / 2, y = clientH - kMargin - buttonH;
    for (int i = 0; i < box.count; ++i) {
        if (HWND b = GetDlgItem(dialog, box.ids[i])) MoveWindow(b, x, y, buttonW, buttonH, FALSE);
        x += buttonW + kButtonGap;
    }
    PlaceBox(dialog, clientW, clientH, work);
}

INT_PTR InitBox(HWND dialog, LPARAM lParam)
{
    auto* box = reinterpret_cast<const Box*>(lParam);
    SetWindowLongPtr(dialog, DWLP_USER, lParam);
    LayOut(dialog, *box);
    int pick = static_cast<int>((box->type & MB_DEFMASK) >> 8);
    int defId = box->ids[pick < box->count ? pick : 0];
    SendMessage(dialog, DM_SETDEFID, static_cast<WPARAM>(defId), 0);
    if (HWND b = GetDlgItem(dialog, defId)) SendMessage(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(b), TRUE);
    return FALSE; // the focus is set
}

INT_PTR PaintIcon(HWND dialog, const Box* box)
{
    if (!box || !(box->type & MB_ICONMASK)) return FALSE;
    PAINTSTRUCT ps;
    if (HDC hdc = BeginPaint(dialog, &ps)) {
        DrawMessageBoxIcon(hdc, kMargin, kMargin, box->type);
        EndPaint(dialog, &ps);
    }
    return TRUE;
}

INT_PTR OnCommand(HWND dialog, const Box* box, int id)
{
    if (!box) return FALSE;
    if (HasButton(*box, id)) {
        EndDialog(dialog, id);
        return TRUE;
    }
    // Esc and the close box: Cancel where there is none only for a lone OK.
    if (id == IDCANCEL && box->count == 1 && box->ids[0] == IDOK) EndDialog(dialog, IDOK);
    return TRUE;
}

INT_PTR BoxProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* box = reinterpret_cast<const Box*>(GetWindowLongPtr(dialog, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG: return InitBox(dialog, lParam);
    case WM_PAINT: return PaintIcon(dialog, box);
    case WM_COMMAND: return OnCommand(dialog, box, LOWORD(wParam));
    default: return FALSE;
    }
}

DialogTemplate MakeTemplate(const Box& box, LPCSTR caption)
{
    DialogTemplate t;
    bool canCancel = HasButton(box, IDCANCEL) || (box.count == 1 && box.ids[0] == IDOK);
    t.style = WS_POPUP | WS_CAPTION | DS_MODALFRAME | DS_SETFONT | (canCancel ? WS_SYSMENU : 0);
    t.cx = 100;
    t.cy = 50;
    t.caption = caption ? caption : "错误";
    t.pointSize = 9;
    t.faceName = "宋体";
    // Laid out in pixels when the box starts.
    t.items.push_back(DialogItem(kStaticClass, kTextId, WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 0, 0, 0, 0, box.text));
    for (int i = 0; i < box.count; ++i) {
        DWORD style = WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON | (i == 0 ? WS_GROUP : 0);
        t.items.push_back(DialogItem(kButtonClass, box.ids[i], style, 0, 0, 0, 0, ButtonText(box.ids[i])));
    }
    return t;
}

} // namespace

int MessageBoxButtons(UINT type, int ids[3])
{
    ids[1] = ids[2] = 0;
    switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL: ids[0] = IDOK, ids[1] = IDCANCEL; return 2;
    case MB_ABORTRETRYIGNORE: ids[0] = IDABORT, ids[1] = IDRETRY, ids[2] = IDIGNORE; return 3;
    case MB_YESNOCANCEL: ids[0] = IDYES, ids[1] = IDNO, ids[2] = IDCANCEL; return 3;
    case MB_YESNO: ids[0] = IDYES, ids[1] = IDNO; return 2;
    case MB_RETRYCANCEL: ids[0] = IDRETRY, ids[1] = IDCANCEL; return 2;
    default: ids[0] = IDOK; return 1;
    }
}

} // namespace sys

int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type)
{
    using namespace sys;
    if (owner && !IsWindow(owner)) owner = nullptr;
    if (!RegisterEditButtonStaticClasses()) return 0;
    Box box;
    box.type = type;
    box.count = MessageBoxButtons(type, box.ids);
    box.text = text ? text : "";

    DialogTemplate t = MakeTemplate(box, caption);
    INT_PTR result = DialogBoxIndirectParamA(nullptr, &t, owner, BoxProc, reinterpret_cast<LPARAM>(&box));
    return result < 0 ? 0 : static_cast<int>(result);
}
