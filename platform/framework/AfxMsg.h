// The message-map entry macros and the argument cracking of each message.
// Handlers are named without their class, as in ON_WM_PAINT() or
// ON_MESSAGE(WM_USER + 1, OnShowAll).
#pragma once

#include "platform/framework/Dc.h"
#include "platform/framework/OwnerDraw.h"
#include "platform/framework/Wnd.h"

namespace afx {

template <class O, class F, class... A>
void Call(AFX_MSGCALL& c, O* o, F f, A&&... a)
{
    using R = decltype((o->*f)(static_cast<A&&>(a)...));
    if constexpr (std::is_void_v<R>) {
        (o->*f)(static_cast<A&&>(a)...);
        c.result = 0;
    } else {
        c.result = ToResult((o->*f)(static_cast<A&&>(a)...));
    }
}

inline CWnd* WndW(WPARAM w) { return CWnd::FromHandle(reinterpret_cast<HWND>(w)); }
inline CWnd* WndL(LPARAM l) { return CWnd::FromHandle(reinterpret_cast<HWND>(l)); }
inline CDC* DcW(WPARAM w) { return CDC::FromHandle(reinterpret_cast<HDC>(w)); }

struct Void {
    template <class O, class F> static void Call(O* o, F f, AFX_MSGCALL& c) { afx::Call(c, o, f); }
};
struct WParamLParam {
    template <class O, class F> static void Call(O* o, F f, AFX_MSGCALL& c) { afx::Call(c, o, f, c.wParam, c.lParam); }
};
struct WParam {
    template <class O, class F> static void Call(O* o, F f, AFX_MSGCALL& c) { afx::Call(c, o, f, c.wParam); }
};
struct FlagsPoint {
    template <class O, class F> static void Call(O* o, F f, AFX_MSGCALL& c)
    {
        afx::Call(c, o, f, static_cast<UINT>(c.wParam), CPoint(c.lParam));
    }
};
struct Point {
    template <class O, class F> static void Call(O* o, F f, AFX_MSGCALL& c) { afx::Call(c, o, f, CPoint(c.lParam)); }
};
struct Dc {
    template <class O, class F> static void Call(O* o, F f, AFX_MSGCALL& c) { afx::Call(c, o, f, DcW(c.wParam)); }
};
template <class T>
struct LPtr {
    template <class O, class F> static void Call(O* o, F f, AFX_MSGCALL& c)
    {
        afx::Call(c, o, f, reinterpret_cast<T*>(c.lParam));
    }
};
template <class T>
struct IdLPtr {
    template <class O, class F> static void Call(O* o, F f, AFX_MSGCALL& c)
    {
        afx::Call(c, o, f, static_cast<int>(c.wParam), reinterpret_cast<T*>(c.lParam));
    }
};
struct Create {
    template <class O, class F> static void Call(O* o, F f, AFX_MSGCALL& c)
    {
        afx::Call(c, o, f, reinterpret_cast<LPCREATESTRUCT>(c.lParam));
    }
};
struct UIntLParam {
    template <class O, class F> static void Call(O* o, F f, AFX_MSGCALL& c)
    {
        afx::Call(c, o, f, static_cast<UINT>(c.wParam), c.lParam);
    }
};
struct Size {
    template <class O, class F> static void Call(O* o, F f, AFX_MSGCALL& c)
    {
        afx::Call(c, o, f, static_cast<UINT>(c.wParam), static_cast<int>(LOWORD(c.lParam)),
                  static_cast<int>(HIWORD(c.lParam)));
    }
};
struct Move {
    template <class O, class F> static void Call(O* o, F f, AFX_MSGCALL& c)
    {
        afx::Call(c, o, f, GET_X_LPARAM(c.lParam), GET_Y_LPARAM(c.lParam));
    }
};
struct Key {
    template <class O, class F> static void Call(O* o, F f, AFX_MSGCALL& c)
    {
        afx::Call(c, o, f, static_cast<UINT>(c.wParam), static_cast<UINT>(LOWORD(c.lParam)),
                  static_cast<UINT>(HIWORD(c.lParam)));
    }
};
struct WndW_ {
    template <class O, class F> static void Call(O* o, F f, AFX_MSGCALL& c) { afx::Call(c, o, f, WndW(c.wParam)); }
};
struct WndL_ {
    template <class O, class F> static void Call(O* o, F f, AFX_MSGCALL& c) { afx::Call(c, o, f, WndL(c.lParam)); }
};
struct DropW {
    template <class O, class F> static void Call(O* o, F f, AFX_MSGCALL& c)
    {
        afx::Call(c, o, f, reinterpret_cast<HDROP>(c.wParam));
    }
};
struct BoolW {
    template <class O, class F> static void Call(O* o, F f, AFX_MSGCALL& c)
    {
        afx::Call(c, o, f, static_cast<BOOL>(c.wParam != 0));
    }
};
struct ShowWindow {
    template <class O, class F> static void Call(O* o, F f, AFX_MSGCALL& c)
    {
        afx::Call(c, o, f, static_cast<BOOL>(c.wParam != 0), static_cast<UINT>(c.lParam));
    }
};
struct Activate {
    template <class O, class F> static void Call(O* o, F f, AFX_MSGCALL& c)
    {
        afx::Call(c, o, f, static_cast<UINT>(LOWORD(c.wParam)), WndL(c.lParam),
                  static_cast<BOOL>(HIWORD(c.wParam) != 0));
    }
};
struct NcCalcSize {
    template <class O, class F> static void Call(O* o, F f, AFX_MSGCALL& c)
    {
        afx::Call(c, o, f, static_cast<BOOL>(c.wParam != 0), reinterpret_cast<NCCALCSIZE_PARAMS*>(c.lParam));
    }
};
struct SetCursor {
    template <class O, class F> static void Call(O* o, F f, AFX_MSGCALL& c)
    {
        afx::Call(c, o, f, WndW(c.wParam), static_cast<UINT>(LOWORD(c.lParam)), static_cast<UINT>(HIWORD(c.lParam)));
    }
};
struct MouseWheel {
    template <class O, class F> static void Call(O* o, F f, AFX_MSGCALL& c)
    {
        afx::Call(c, o, f, static_cast<UINT>(LOWORD(c.wParam)), static_cast<short>(HIWORD(c.wParam)),
                  CPoint(c.lParam));
    }
};
struct ContextMenu {
    template <class O, class F> static void Call(O* o, F f, AFX_MSGCALL& c)
    {
        afx::Call(c, o, f, WndW(c.wParam), CPoint(c.lParam));
    }
};
// Every WM_CTLCOLORxxx message arrives here; the kind is the message's offset.
struct CtlColor {
    template <class O, class F> static void Call(O* o, F f, AFX_MSGCALL& c)
    {
        afx::Call(c, o, f, DcW(c.wParam), WndL(c.lParam), c.message - WM_CTLCOLORMSGBOX);
    }
};
struct CtlColorReflect {
    template <class O, class F> static void Call(O* o, F f, AFX_MSGCALL& c)
    {
        afx::Call(c, o, f, DcW(c.wParam), static_cast<UINT>(c.lParam));
    }
};
struct Command {
    template <class O, class F> static void Call(O* o, F f, AFX_MSGCALL&) { (o->*f)(); }
};
struct CommandRange {
    template <class O, class F> static void Call(O* o, F f, AFX_MSGCALL& c) { (o->*f)(static_cast<UINT>(c.wParam)); }
};
struct CommandEx {
    template <class O, class F> static void Call(O* o, F f, AFX_MSGCALL& c) { c.handled = (o->*f)() ? TRUE : FALSE; }
};
struct Notify {
    template <class O, class F> static void Call(O* o, F f, AFX_MSGCALL& c)
    {
        auto* n = static_cast<AFX_NOTIFY*>(c.pExtra);
        (o->*f)(n->pNMHDR, n->pResult);
    }
};
struct NotifyEx {
    template <class O, class F> static void Call(O* o, F f, AFX_MSGCALL& c)
    {
        auto* n = static_cast<AFX_NOTIFY*>(c.pExtra);
        c.handled = (o->*f)(n->pNMHDR, n->pResult) ? TRUE : FALSE;
    }
};

} // namespace afx

#define CORVANE_ON_MSG(msg, fn, crack) {msg, 0, 0, 0, AfxSig_msg, &afx::Dispatch<&ThisClass::fn, crack>},

// Custom messages: LRESULT OnXxx(WPARAM, LPARAM).
#define ON_MESSAGE(message, memberFxn) CORVANE_ON_MSG(message, memberFxn, afx::WParamLParam)

#define ON_WM_CREATE() CORVANE_ON_MSG(WM_CREATE, OnCreate, afx::Create)
#define ON_WM_DESTROY() CORVANE_ON_MSG(WM_DESTROY, OnDestroy, afx::Void)
#define ON_WM_NCDESTROY() CORVANE_ON_MSG(WM_NCDESTROY, OnNcDestroy, afx::Void)
#define ON_WM_CLOSE() CORVANE_ON_MSG(WM_CLOSE, OnClose, afx::Void)
#define ON_WM_PAINT() CORVANE_ON_MSG(WM_PAINT, OnPaint, afx::Void)
#define ON_WM_NCPAINT() CORVANE_ON_MSG(WM_NCPAINT, OnNcPaint, afx::Void)
#define ON_WM_ERASEBKGND() CORVANE_ON_MSG(WM_ERASEBKGND, OnEraseBkgnd, afx::Dc)
#define ON_WM_SYSCOMMAND() CORVANE_ON_MSG(WM_SYSCOMMAND, OnSysCommand, afx::UIntLParam)
#define ON_WM_DROPFILES() CORVANE_ON_MSG(WM_DROPFILES, OnDropFiles, afx::DropW)
#define ON_WM_QUERYDRAGICON() CORVANE_ON_MSG(WM_QUERYDRAGICON, OnQueryDragIcon, afx::Void)
#define ON_WM_CTLCOLOR() CORVANE_ON_MSG(WM_CTLCOLOR, OnCtlColor, afx::CtlColor)
#define ON_WM_DRAWITEM() CORVANE_ON_MSG(WM_DRAWITEM, OnDrawItem, afx::IdLPtr<DRAWITEMSTRUCT>)
#define ON_WM_MEASUREITEM() CORVANE_ON_MSG(WM_MEASUREITEM, OnMeasureItem, afx::IdLPtr<MEASUREITEMSTRUCT>)
#define ON_WM_MOUSEMOVE() CORVANE_ON_MSG(WM_MOUSEMOVE, OnMouseMove, afx::FlagsPoint)
#define ON_WM_LBUTTONDOWN() CORVANE_ON_MSG(WM_LBUTTONDOWN, OnLButtonDown, afx::FlagsPoint)
#define ON_WM_LBUTTONUP() CORVANE_ON_MSG(WM_LBUTTONUP, OnLButtonUp, afx::FlagsPoint)
#define ON_WM_LBUTTONDBLCLK() CORVANE_ON_MSG(WM_LBUTTONDBLCLK, OnLButtonDblClk, afx::FlagsPoint)
#define ON_WM_RBUTTONDOWN() CORVANE_ON_MSG(WM_RBUTTONDOWN, OnRButtonDown, afx::FlagsPoint)
#define ON_WM_RBUTTONUP() CORVANE_ON_MSG(WM_RBUTTONUP, OnRButtonUp, afx::FlagsPoint)
#define ON_WM_RBUTTONDBLCLK() CORVANE_ON_MSG(WM_RBUTTONDBLCLK, OnRButtonDblClk, afx::FlagsPoint)
#define ON_WM_MBUTTONDOWN() CORVANE_ON_MSG(WM_MBUTTONDOWN, OnMButtonDown, afx::FlagsPoint)
#define ON_WM_MBUTTONUP() CORVANE_ON_MSG(WM_MBUTTONUP, OnMButtonUp, afx::FlagsPoint)
#define ON_WM_MOUSEWHEEL() CORVANE_ON_MSG(WM_MOUSEWHEEL, OnMouseWheel, afx::MouseWheel)
#define ON_WM_NCMOUSEMOVE() CORVANE_ON_MSG(WM_NCMOUSEMOVE, OnNcMouseMove, afx::FlagsPoint)
#define ON_WM_NCLBUTTONDOWN() CORVANE_ON_MSG(WM_NCLBUTTONDOWN, OnNcLButtonDown, afx::FlagsPoint)
#define ON_WM_NCLBUTTONUP() CORVANE_ON_MSG(WM_NCLBUTTONUP, OnNcLButtonUp, afx::FlagsPoint)
#define ON_WM_NCLBUTTONDBLCLK() CORVANE_ON_MSG(WM_NCLBUTTONDBLCLK, OnNcLButtonDblClk, afx::FlagsPoint)
#define ON_WM_NCRBUTTONDOWN() CORVANE_ON_MSG(WM_NCRBUTTONDOWN, OnNcRButtonDown, afx::FlagsPoint)
#define ON_WM_NCRBUTTONUP() CORVANE_ON_MSG(WM_NCRBUTTONUP, OnNcRButtonUp, afx::FlagsPoint)
#define ON_WM_NCHITTEST() CORVANE_ON_MSG(WM_NCHITTEST, OnNcHitTest, afx::Point)
#define ON_WM_NCACTIVATE() CORVANE_ON_MSG(WM_NCACTIVATE, OnNcActivate, afx::BoolW)
#define ON_WM_NCCALCSIZE() CORVANE_ON_MSG(WM_NCCALCSIZE, OnNcCalcSize, afx::NcCalcSize)
#define ON_WM_ACTIVATE() CORVANE_ON_MSG(WM_ACTIVATE, OnActivate, afx::Activate)
#define ON_WM_TIMER() CORVANE_ON_MSG(WM_TIMER, OnTimer, afx::WParam)
#define ON_WM_SIZE() CORVANE_ON_MSG(WM_SIZE, OnSize, afx::Size)
#define ON_WM_MOVE() CORVANE_ON_MSG(WM_MOVE, OnMove, afx::Move)
#define ON_WM_SHOWWINDOW() CORVANE_ON_MSG(WM_SHOWWINDOW, OnShowWindow, afx::ShowWindow)
#define ON_WM_SETFOCUS() CORVANE_ON_MSG(WM_SETFOCUS, OnSetFocus, afx::WndW_)
#define ON_WM_KILLFOCUS() CORVANE_ON_MSG(WM_KILLFOCUS, OnKillFocus, afx::WndW_)
#define ON_WM_KEYDOWN() CORVANE_ON_MSG(WM_KEYDOWN, OnKeyDown, afx::Key)
#define ON_WM_KEYUP() CORVANE_ON_MSG(WM_KEYUP, OnKeyUp, afx::Key)
#define ON_WM_CHAR() CORVANE_ON_MSG(WM_CHAR, OnChar, afx::Key)
#define ON_WM_SYSKEYDOWN() CORVANE_ON_MSG(WM_SYSKEYDOWN, OnSysKeyDown, afx::Key)
#define ON_WM_SETCURSOR() CORVANE_ON_MSG(WM_SETCURSOR, OnSetCursor, afx::SetCursor)
#define ON_WM_GETDLGCODE() CORVANE_ON_MSG(WM_GETDLGCODE, OnGetDlgCode, afx::Void)
#define ON_WM_GETMINMAXINFO() CORVANE_ON_MSG(WM_GETMINMAXINFO, OnGetMinMaxInfo, afx::LPtr<MINMAXINFO>)
#define ON_WM_WINDOWPOSCHANGING() CORVANE_ON_MSG(WM_WINDOWPOSCHANGING, OnWindowPosChanging, afx::LPtr<WINDOWPOS>)
#define ON_WM_WINDOWPOSCHANGED() CORVANE_ON_MSG(WM_WINDOWPOSCHANGED, OnWindowPosChanged, afx::LPtr<WINDOWPOS>)
#define ON_WM_CAPTURECHANGED() CORVANE_ON_MSG(WM_CAPTURECHANGED, OnCaptureChanged, afx::WndL_)
#define ON_WM_CONTEXTMENU() CORVANE_ON_MSG(WM_CONTEXTMENU, OnContextMenu, afx::ContextMenu)
#define ON_WM_ENABLE() CORVANE_ON_MSG(WM_ENABLE, OnEnable, afx::BoolW)

// Messages a parent reflects back to the control that sent them.
#define ON_WM_DRAWITEM_REFLECT() \
    CORVANE_ON_MSG(WM_REFLECT_BASE + WM_DRAWITEM, DrawItem, afx::LPtr<DRAWITEMSTRUCT>)
#define ON_WM_MEASUREITEM_REFLECT() \
    CORVANE_ON_MSG(WM_REFLECT_BASE + WM_MEASUREITEM, MeasureItem, afx::LPtr<MEASUREITEMSTRUCT>)
#define ON_WM_CTLCOLOR_REFLECT() CORVANE_ON_MSG(WM_REFLECT_BASE + WM_CTLCOLOR, CtlColor, afx::CtlColorReflect)

// Commands and control notifications through WM_COMMAND: void OnXxx().
#define ON_COMMAND(id, memberFxn) \
    {WM_COMMAND, static_cast<UINT>(CN_COMMAND), static_cast<UINT>(id), static_cast<UINT>(id), AfxSig_cmd, \
     &afx::Dispatch<&ThisClass::memberFxn, afx::Command>},
#define ON_COMMAND_RANGE(id, idLast, memberFxn) \
    {WM_COMMAND, static_cast<UINT>(CN_COMMAND), static_cast<UINT>(id), static_cast<UINT>(idLast), AfxSig_cmd, \
     &afx::Dispatch<&ThisClass::memberFxn, afx::CommandRange>},
#define ON_CONTROL(wNotifyCode, id, memberFxn) \
    {WM_COMMAND, static_cast<UINT>(wNotifyCode), static_cast<UINT>(id), static_cast<UINT>(id), AfxSig_cmd, \
     &afx::Dispatch<&ThisClass::memberFxn, afx::Command>},
#define ON_CONTROL_REFLECT(wNotifyCode, memberFxn) \
    {WM_COMMAND + WM_REFLECT_BASE, static_cast<UINT>(wNotifyCode), 0, 0, AfxSig_cmd, \
     &afx::Dispatch<&ThisClass::memberFxn, afx::Command>},
#define ON_CONTROL_REFLECT_EX(wNotifyCode, memberFxn) \
    {WM_COMMAND + WM_REFLECT_BASE, static_cast<UINT>(wNotifyCode), 0, 0, AfxSig_cmd, \
     &afx::Dispatch<&ThisClass::memberFxn, afx::CommandEx>},

// Button notifications.
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(0, id, memberFxn)
#define ON_BN_DOUBLECLICKED(id, memberFxn) ON_CONTROL(5, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn) ON_CONTROL(0x0300, id, memberFxn)

// WM_NOTIFY: void OnXxx(NMHDR* pNMHDR, LRESULT* pResult).
#define ON_NOTIFY(wNotifyCode, id, memberFxn) \
    {WM_NOTIFY, static_cast<UINT>(wNotifyCode), static_cast<UINT>(id), static_cast<UINT>(id), AfxSig_notify, \
     &afx::Dispatch<&ThisClass::memberFxn, afx::Notify>},
#define ON_NOTIFY_REFLECT(wNotifyCode, memberFxn) \
    {WM_NOTIFY + WM_REFLECT_BASE, static_cast<UINT>(wNotifyCode), 0, 0, AfxSig_notify, \
     &afx::Dispatch<&ThisClass::memberFxn, afx::Notify>},
// The handler returns TRUE when the parent should not see the notification too.
#define ON_NOTIFY_REFLECT_EX(wNotifyCode, memberFxn) \
    {WM_NOTIFY + WM_REFLECT_BASE, static_cast<UINT>(wNotifyCode), 0, 0, AfxSig_notify, \
     &afx::Dispatch<&ThisClass::memberFxn, afx::NotifyEx>},

