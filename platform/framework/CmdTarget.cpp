#include "platform/framework/CmdTarget.h"

#include "platform/system/window/WinMessages.h"

#include <cstdint>
#include <unordered_map>

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

namespace {

struct CacheKey {
    const AFX_MSGMAP* map;
    UINT message;
    bool operator==(const CacheKey&) const = default;
};

struct CacheKeyHash {
    std::size_t operator()(const CacheKey& k) const noexcept
    {
        return std::hash<const void*>()(k.map) ^ (static_cast<std::size_t>(k.message) * 0x9E3779B97F4A7C15ull);
    }
};

// Maps never change after start-up, so a found (or missing) entry stays valid.
// The cap keeps odd message numbers from growing it without bound.
constexpr std::size_t kCacheCap = 8192;
std::unordered_map<CacheKey, const AFX_MSGMAP_ENTRY*, CacheKeyHash> g_cache;
AfxMessageCacheStats g_stats{};

// In front of it, a small table indexed by the key's hash holds the pairs in
// use right now, so a stream of one message to one class costs a compare.
struct FrontSlot {
    const AFX_MSGMAP* map = nullptr;
    UINT message = 0;
    const AFX_MSGMAP_ENTRY* entry = nullptr;
};
constexpr std::size_t kFrontSlots = 512;
FrontSlot g_front[kFrontSlots];

std::size_t FrontIndex(const CacheKey& k)
{
    std::size_t h = (reinterpret_cast<std::uintptr_t>(k.map) >> 4) * 0x9E3779B97F4A7C15ull;
    h ^= static_cast<std::size_t>(k.message) * 0xC2B2AE3D27D4EB4Full;
    return (h >> 40) & (kFrontSlots - 1);
}

const AFX_MSGMAP_ENTRY* SearchChain(const AFX_MSGMAP* map, UINT message, UINT code, UINT id)
{
    for (; map; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
        if (const AFX_MSGMAP_ENTRY* e = AfxFindMessageEntry(map->lpEntries, message, code, id)) return e;
    }
    return nullptr;
}

} // namespace

const AFX_MSGMAP_ENTRY* AfxFindMessageEntry(const AFX_MSGMAP_ENTRY* entry, UINT message, UINT code, UINT id)
{
    if (!entry) return nullptr;
    for (; entry->nSig != AfxSig_end; ++entry) {
        if (entry->nMessage == message && entry->nCode == code && id >= entry->nID && id <= entry->nLastID)
            return entry;
    }
    return nullptr;
}

AfxMessageCacheStats AfxGetMessageCacheStats() { return g_stats; }

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, AfxSig_end, nullptr}};
    static const AFX_MSGMAP map = {nullptr, &entries[0]};
    return &map;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const { return GetThisMessageMap(); }

const AFX_MSGMAP_ENTRY* CCmdTarget::FindMessageEntry(UINT message) const
{
    const AFX_MSGMAP* map = GetMessageMap();
    ++g_stats.lookups;
    CacheKey key{map, message};
    FrontSlot& slot = g_front[FrontIndex(key)];
    if (slot.map == map && slot.message == message) return slot.entry;
    const AFX_MSGMAP_ENTRY* e;
    if (auto it = g_cache.find(key); it != g_cache.end()) {
        e = it->second;
    } else {
        ++g_stats.misses;
        e = SearchChain(map, message, 0, 0);
        if (g_cache.size() >= kCacheCap) g_cache.clear();
        g_cache.emplace(key, e);
    }
    slot = FrontSlot{map, message, e};
    return e;
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    UINT message = HIWORD(static_cast<UINT>(nCode));
    UINT code = LOWORD(static_cast<UINT>(nCode));
    if (message == 0) message = WM_COMMAND;
    // Notification codes are negative numbers carried in 16 bits; entries keep them whole.
    if (message == WM_NOTIFY || message == WM_NOTIFY + WM_REFLECT_BASE)
        code = static_cast<UINT>(static_cast<int>(static_cast<short>(code)));

    const AFX_MSGMAP_ENTRY* e = SearchChain(GetMessageMap(), message, code, nID);
    if (!e || !e->pfn) return FALSE;
    if (pHandlerInfo) {
        pHandlerInfo->pTarget = this;
        pHandlerInfo->pEntry = e;
        return TRUE;
    }
    AFX_MSGCALL call{message, static_cast<WPARAM>(nID), 0, pExtra, 0, TRUE};
    e->pfn(this, call);
    return call.handled;
}
