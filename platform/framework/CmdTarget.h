// The base of every class that receives messages or commands through a message map.
#pragma once

#include "platform/framework/MessageMap.h"
#include "platform/framework/Object.h"

struct AFX_CMDHANDLERINFO {
    CCmdTarget* pTarget;
    const AFX_MSGMAP_ENTRY* pEntry;
};

class CCmdTarget : public CObject {
    DECLARE_DYNAMIC(CCmdTarget)
public:
    CCmdTarget() = default;

    // Routes a command or notification through the message map. nCode carries the
    // notification code in its low word and, above it, the message (0 for WM_COMMAND,
    // WM_NOTIFY, or either plus WM_REFLECT_BASE). With pHandlerInfo only finds the handler.
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

    // The window-message entry of this object's map chain, through a per-class cache.
    const AFX_MSGMAP_ENTRY* FindMessageEntry(UINT message) const;

protected:
    static const AFX_MSGMAP* GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;
};

// Counters of the message-entry cache, for tests and benchmarks.
struct AfxMessageCacheStats {
    unsigned long long lookups;
    unsigned long long misses;
};
AfxMessageCacheStats AfxGetMessageCacheStats();
