#include "platform/system/input/Clipboard.h"

#include "platform/system/window/Desktop.h"

#include <cstdint>
#include <cstring>
#include <map>
#include <vector>

namespace {

struct Block {
    std::vector<char> bytes;
    int locks = 0;
};

// Handles are never reused, so a freed or forged one is simply not found.
struct Blocks {
    std::map<std::uintptr_t, Block> live;
    std::uintptr_t next = 0x10;
};

Blocks& Table()
{
    static Blocks t;
    return t;
}

Block* Find(HGLOBAL h)
{
    auto& live = Table().live;
    auto it = live.find(reinterpret_cast<std::uintptr_t>(h));
    return it == live.end() ? nullptr : &it->second;
}

struct ClipboardState {
    bool open = false;
    HWND owner = nullptr;
    HGLOBAL handed = nullptr; // the block GetClipboardData gave out
};

ClipboardState& Clip()
{
    static ClipboardState c;
    return c;
}

void DropHanded()
{
    if (Clip().handed) GlobalFree(Clip().handed);
    Clip().handed = nullptr;
}

// The largest block the clipboard takes; larger requests fail like an out-of-memory allocation.
constexpr std::size_t kMaxBlock = std::size_t{1} << 30;

} // namespace

HGLOBAL GlobalAlloc(UINT, std::size_t bytes)
{
    if (bytes > kMaxBlock) return nullptr;
    Blocks& t = Table();
    std::uintptr_t key = t.next;
    t.next += 0x10;
    t.live[key].bytes.assign(bytes == 0 ? 1 : bytes, '\0');
    return reinterpret_cast<HGLOBAL>(key);
}

LPVOID GlobalLock(HGLOBAL block)
{
    Block* b = Find(block);
    if (!b) return nullptr;
    ++b->locks;
    return b->bytes.data();
}

BOOL GlobalUnlock(HGLOBAL block)
{
    Block* b = Find(block);
    if (!b || b->locks == 0) return FALSE;
    return --b->locks > 0;
}

std::size_t GlobalSize(HGLOBAL block)
{
    Block* b = Find(block);
    return b ? b->bytes.size() : 0;
}

HGLOBAL GlobalFree(HGLOBAL block)
{
    if (!Find(block)) return block;
    Table().live.erase(reinterpret_cast<std::uintptr_t>(block));
    return nullptr;
}

BOOL OpenClipboard(HWND owner)
{
    if (Clip().open) return FALSE;
    if (owner && !IsWindow(owner)) return FALSE;
    Clip().open = true;
    Clip().owner = owner;
    return TRUE;
}

BOOL CloseClipboard()
{
    if (!Clip().open) return FALSE;
    Clip().open = false;
    Clip().owner = nullptr;
    DropHanded();
    return TRUE;
}

BOOL EmptyClipboard()
{
    if (!Clip().open) return FALSE;
    DropHanded();
    sys::Backend().SetClipboardText(std::string());
    return TRUE;
}

BOOL IsClipboardFormatAvailable(UINT format)
{
    if (format != CF_TEXT && format != CF_OEMTEXT) return FALSE;
    return !sys::Backend().GetClipboardText().empty();
}

HGLOBAL GetClipboardData(UINT format)
{
    if (!Clip().open || (format != CF_TEXT && format != CF_OEMTEXT)) return nullptr;
    std::string text = sys::ClipboardText();
    if (text.empty()) return nullptr;
    DropHanded();
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    if (!h) return nullptr;
    std::memcpy(Find(h)->bytes.data(), text.data(), text.size());
    Clip().handed = h;
    return h;
}

HGLOBAL SetClipboardData(UINT format, HGLOBAL data)
{
    if (!Clip().open || (format != CF_TEXT && format != CF_OEMTEXT)) return nullptr;
    Block* b = Find(data);
    if (!b) return nullptr;
    std::string text(b->bytes.data(), strnlen(b->bytes.data(), b->bytes.size()));
    GlobalFree(data);
    sys::Backend().SetClipboardText(text);
    return data;
}

namespace sys {

std::string ClipboardText()
{
    std::string text = Backend().GetClipboardText();
    auto nul = text.find('\0');
    if (nul != std::string::npos) text.resize(nul);
    return text;
}

void SetClipboardText(const std::string& cp936)
{
    Backend().SetClipboardText(cp936.substr(0, cp936.find('\0')));
}

} // namespace sys
