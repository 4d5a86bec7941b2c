#include "platform/system/dialog/DialogInternal.h"
#include "platform/system/input/VirtualKeys.h"

#include <algorithm>
#include <vector>

namespace sys {
namespace {

bool IsContainer(HWND hwnd)
{
    return (GetWindowLong(hwnd, GWL_EXSTYLE) & WS_EX_CONTROLPARENT) != 0;
}

// By the control's own style, so a dialog that is not shown yet can be navigated.
bool Usable(HWND hwnd)
{
    auto style = static_cast<DWORD>(GetWindowLong(hwnd, GWL_STYLE));
    return (style & WS_VISIBLE) != 0 && (style & WS_DISABLED) == 0;
}

// The dialog's controls in tab order (z-order), entering usable control containers.
void CollectControls(HWND parent, std::vector<HWND>& out)
{
    for (HWND c = GetWindow(parent, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
        if (IsContainer(c)) {
            if (Usable(c)) CollectControls(c, out);
            continue;
        }
        out.push_back(c);
    }
}

bool IsTabStop(HWND hwnd)
{
    return (static_cast<DWORD>(GetWindowLong(hwnd, GWL_STYLE)) & WS_TABSTOP) != 0 && Usable(hwnd);
}

HWND Focused(HWND dialog)
{
    return DialogControlOf(dialog, GetFocus());
}

void SendCommand(HWND dialog, int id, HWND control)
{
    SendMessage(dialog, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), kBnClicked), reinterpret_cast<LPARAM>(control));
}

// Enter: the focused push button, else the default button, else IDOK. A
// disabled target swallows the key.
void PressEnter(HWND dialog)
{
    HWND focus = Focused(dialog);
    HWND target = nullptr;
    int id = IDOK;
    if (focus != nullptr && (DialogCode(focus) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) != 0) {
        target = focus;
        id = GetDlgCtrlID(focus);
    } else {
        LRESULT def = SendMessage(dialog, DM_GETDEFID, 0, 0);
        if (HIWORD(static_cast<std::uintptr_t>(def)) == DC_HASDEFID)
            id = static_cast<short>(LOWORD(static_cast<std::uintptr_t>(def)));
        target = GetDlgItem(dialog, id);
    }
    if (target != nullptr && !IsWindowEnabled(target)) return;
    SendCommand(dialog, id, target);
}

void PressEscape(HWND dialog)
{
    HWND cancel = GetDlgItem(dialog, IDCANCEL);
    if (cancel != nullptr && !IsWindowEnabled(cancel)) return;
    SendCommand(dialog, IDCANCEL, cancel);
}

void PressArrow(HWND dialog, unsigned key)
{
    HWND focus = Focused(dialog);
    if (focus == nullptr) return;
    HWND next = GetNextDlgGroupItem(dialog, focus, key == VK_LEFT || key == VK_UP);
    if (next == nullptr || next == focus) return;
    LRESULT code = DialogCode(next);
    DialogSetFocus(dialog, next);
    if ((code & DLGC_RADIOBUTTON) != 0 && IsWindow(next)) SendMessage(next, kBmClick, 0, 0);
}

bool IsShiftDown()
{
    return (GetKeyState(VK_SHIFT) & 0x8000) != 0;
}

} // namespace
} // namespace sys

HWND GetNextDlgTabItem(HWND dialog, HWND control, BOOL previous)
{
    using namespace sys;
    if (!IsWindow(dialog)) return nullptr;
    std::vector<HWND> all;
    CollectControls(dialog, all);
    if (all.empty()) return nullptr;
    auto n = static_cast<std::ptrdiff_t>(all.size());
    std::ptrdiff_t start = previous ? n : -1;
    if (control != nullptr) {
        auto it = std::find(all.begin(), all.end(), DialogControlOf(dialog, control));
        if (it != all.end()) start = it - all.begin();
    }
    std::ptrdiff_t step = previous ? -1 : 1;
    for (std::ptrdiff_t k = 1; k <= n; ++k) {
        HWND c = all[static_cast<std::size_t>(((start + step * k) % n + n) % n)];
        if (IsTabStop(c)) return c;
    }
    return nullptr;
}

HWND GetNextDlgGroupItem(HWND dialog, HWND control, BOOL previous)
{
    using namespace sys;
    if (!IsWindow(dialog)) return nullptr;
    std::vector<HWND> all;
    CollectControls(dialog, all);
    HWND from = DialogControlOf(dialog, control);
    auto it = std::find(all.begin(), all.end(), from);
    if (it == all.end()) {
        // Without a control to start from, the first usable one.
        for (HWND c : all)
            if (Usable(c)) return c;
        return nullptr;
    }
    // The group runs from a WS_GROUP control to the control before the next one.
    auto pos = it - all.begin();
    auto first = pos;
    while (first > 0 && (GetWindowLong(all[static_cast<std::size_t>(first)], GWL_STYLE) & WS_GROUP) == 0)
        --first;
    auto last = pos;
    while (last + 1 < static_cast<std::ptrdiff_t>(all.size()) &&
           (GetWindowLong(all[static_cast<std::size_t>(last + 1)], GWL_STYLE) & WS_GROUP) == 0)
        ++last;
    auto size = last - first + 1;
    std::ptrdiff_t step = previous ? -1 : 1;
    for (std::ptrdiff_t k = 1; k < size; ++k) {
        HWND c = all[static_cast<std::size_t>(first + ((pos - first + step * k) % size + size) % size)];
        if (Usable(c)) return c;
    }
    return from;
}

BOOL IsDialogMessageA(HWND dialog, LPMSG msg)
{
    using namespace sys;
    if (msg == nullptr || dialog == nullptr || !IsWindow(dialog)) return FALSE;
    if (msg->hwnd != dialog && !IsChild(dialog, msg->hwnd)) return FALSE;
    if (msg->message == WM_KEYDOWN) {
        LRESULT code = SendMessage(msg->hwnd, WM_GETDLGCODE, msg->wParam, reinterpret_cast<LPARAM>(msg));
        if (!IsWindow(dialog)) return TRUE;
        if ((code & DLGC_WANTALLKEYS) == 0) {
            switch (msg->wParam) {
            case VK_TAB:
                if ((code & DLGC_WANTTAB) != 0) break;
                SendMessage(dialog, WM_NEXTDLGCTL, IsShiftDown() ? 1 : 0, 0);
                return TRUE;
            case VK_LEFT:
            case VK_UP:
            case VK_RIGHT:
            case VK_DOWN:
                if ((code & DLGC_WANTARROWS) != 0) break;
                PressArrow(dialog, static_cast<unsigned>(msg->wParam));
                return TRUE;
            case VK_RETURN: PressEnter(dialog); return TRUE;
            case VK_ESCAPE: PressEscape(dialog); return TRUE;
            default: break;
            }
        }
    }
    TranslateMessage(msg);
    DispatchMessage(msg);
    return TRUE;
}
