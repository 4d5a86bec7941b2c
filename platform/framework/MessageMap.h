// Message maps: per-class tables that route window messages, commands and
// notifications to member handlers, each table chained to its base class's.
// Every entry carries a typed dispatcher that cracks the message's arguments
// and calls the handler with the exact signature the entry macro names.
#pragma once

#include "platform/base/WinDef.h"

#include <type_traits>

class CCmdTarget;

// Messages reflected back to the child control that caused them.
constexpr UINT WM_REFLECT_BASE = 0xBC00;

// Command codes of OnCmdMsg.
constexpr int CN_COMMAND = 0;

// The call one entry handles: the message as it arrived and where its result goes.
struct AFX_MSGCALL {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    void* pExtra;   // the AFX_NOTIFY of a notification
    LRESULT result; // what the window procedure returns
    BOOL handled;   // cleared by the "_EX" entries whose handler declines
};

// A notification on its way through OnCmdMsg.
struct NMHDR;
struct AFX_NOTIFY {
    LRESULT* pResult;
    NMHDR* pNMHDR;
};

// Kinds of entry, by how the dispatcher reports its outcome.
enum AfxSig : UINT {
    AfxSig_end = 0,
    AfxSig_msg,    // a window message; the handler's value is the result
    AfxSig_cmd,    // a command or control notification through WM_COMMAND
    AfxSig_notify, // a WM_NOTIFY notification; the handler writes the result
};

using AFX_PDISPATCH = void (*)(CCmdTarget* target, AFX_MSGCALL& call);

struct AFX_MSGMAP_ENTRY {
    UINT nMessage; // window message, or WM_COMMAND / WM_NOTIFY (plus WM_REFLECT_BASE when reflected)
    UINT nCode;    // control or notification code
    UINT nID;      // first control id
    UINT nLastID;  // last control id of a range
    UINT nSig;     // AfxSig
    AFX_PDISPATCH pfn;
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* (*pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

namespace afx {

template <class T>
struct MemberOf;
template <class C, class R, class... A>
struct MemberOf<R (C::*)(A...)> {
    using Class = C;
    using Result = R;
};

// Handler values become window-procedure results; unsigned hit-test codes keep their sign.
template <class R>
LRESULT ToResult(R value)
{
    if constexpr (std::is_pointer_v<R>)
        return reinterpret_cast<LRESULT>(value);
    else if constexpr (std::is_same_v<R, bool>)
        return value ? 1 : 0;
    else if constexpr (std::is_unsigned_v<R> && sizeof(R) == 4)
        return static_cast<LRESULT>(static_cast<std::int32_t>(value));
    else
        return static_cast<LRESULT>(value);
}

// One dispatcher per handler: Crack knows the message, Pmf the handler.
template <auto Pmf, class Crack>
void Dispatch(CCmdTarget* target, AFX_MSGCALL& call)
{
    using C = typename MemberOf<decltype(Pmf)>::Class;
    Crack::Call(static_cast<C*>(target), Pmf, call);
}

} // namespace afx

#define DECLARE_MESSAGE_MAP()                              \
protected:                                                 \
    static const AFX_MSGMAP* GetThisMessageMap();          \
    const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                           \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); }    \
    const AFX_MSGMAP* theClass::GetThisMessageMap()                                      \
    {                                                                                    \
        using ThisClass [[maybe_unused]] = theClass;                                                 \
        using TheBaseClass [[maybe_unused]] = baseClass;                                                 \
        static const AFX_MSGMAP_ENTRY entries[] = {

#define END_MESSAGE_MAP()                                                                \
    {0, 0, 0, 0, AfxSig_end, nullptr}                                                    \
    }                                                                                    \
    ;                                                                                    \
    static const AFX_MSGMAP map = {&TheBaseClass::GetThisMessageMap, &entries[0]};      \
    return &map;                                                                         \
    }

// Finds the first entry of one table (not its bases) for the message, code and id.
const AFX_MSGMAP_ENTRY* AfxFindMessageEntry(const AFX_MSGMAP_ENTRY* entry, UINT message, UINT code, UINT id);
