// Where a control keeps its state: one object a window, made at WM_NCCREATE
// and dropped at WM_NCDESTROY, found through a serial kept in the window's
// first extra slot and checked against the window it was made for. A stale
// or foreign handle, or a slot a program wrote over, finds nothing instead
// of freed memory.
#pragma once

#include "platform/system/window/WinUser.h"
#include "platform/system/window/WindowClass.h"

#include <map>
#include <memory>

namespace sys {

// One counter for every kind of control, so a serial never names the state
// of another kind.
LONG_PTR NextControlSerial();

template <class State>
class ControlState {
public:
    static constexpr int kExtraBytes = static_cast<int>(sizeof(LONG_PTR));

    // The new window's state; nullptr when the window has no slot for it.
    static State* Create(HWND hwnd)
    {
        LONG_PTR serial = NextControlSerial();
        SetWindowLongPtr(hwnd, kSlot, serial);
        if (GetWindowLongPtr(hwnd, kSlot) != serial) return nullptr;
        Entry& entry = States()[serial];
        entry.owner = hwnd;
        entry.state = std::make_unique<State>();
        if constexpr (requires { entry.state->hwnd; }) entry.state->hwnd = hwnd;
        return entry.state.get();
    }

    // The state a message is for: made on WM_NCCREATE, then found.
    static State* ForMessage(HWND hwnd, UINT message)
    {
        return message == WM_NCCREATE ? Create(hwnd) : Find(hwnd);
    }

    static State* Find(HWND hwnd)
    {
        if (!IsWindow(hwnd)) return nullptr;
        auto it = States().find(GetWindowLongPtr(hwnd, kSlot));
        return it == States().end() || it->second.owner != hwnd ? nullptr : it->second.state.get();
    }

    // The state is taken out of the table before it is destroyed, so code
    // its destructor runs finds nothing rather than a half-destroyed state.
    static void Destroy(HWND hwnd)
    {
        auto it = States().find(GetWindowLongPtr(hwnd, kSlot));
        if (it == States().end() || it->second.owner != hwnd) return;
        auto node = States().extract(it);
        SetWindowLongPtr(hwnd, kSlot, 0);
    }

private:
    static constexpr int kSlot = 0;

    struct Entry {
        HWND owner = nullptr;
        std::unique_ptr<State> state;
    };

    static std::map<LONG_PTR, Entry>& States()
    {
        static std::map<LONG_PTR, Entry> states;
        return states;
    }
};

// Registers a system control class whose windows keep their state in ControlState<State>.
template <class State>
bool RegisterControlClass(LPCSTR name, WNDPROC proc, UINT style = CS_DBLCLKS | CS_GLOBALCLASS)
{
    WNDCLASS wc{};
    wc.style = style;
    wc.lpfnWndProc = proc;
    wc.cbWndExtra = ControlState<State>::kExtraBytes;
    wc.lpszClassName = name;
    return RegisterSystemClass(wc);
}

} // namespace sys
