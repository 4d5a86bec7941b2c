#include "platform/system/menu/Menu.h"

#include "platform/base/CString.h"
#include "platform/system/dialog/Resource.h"
#include "platform/system/menu/MenuInternal.h"
#include "platform/system/window/WindowTree.h"

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

struct MenuItem {
    UINT flags;
    UINT_PTR id; // a submenu handle for MF_POPUP
    std::string text;
};

struct MenuRecord {
    std::vector<MenuItem> items;
    bool popup = false;
};

struct MenuSlot {
    std::unique_ptr<MenuRecord> menu;
    std::uint32_t generation = 1;
};

std::vector<MenuSlot>& Menus()
{
    static std::vector<MenuSlot> menus;
    return menus;
}

HMENU NewMenu(bool popup)
{
    auto& menus = Menus();
    std::size_t index = menus.size();
    for (std::size_t i = 0; i < menus.size(); ++i)
        if (!menus[i].menu) {
            index = i;
            break;
        }
    if (index == menus.size()) menus.emplace_back();
    menus[index].menu = std::make_unique<MenuRecord>();
    menus[index].menu->popup = popup;
    auto v = ((static_cast<std::uintptr_t>(menus[index].generation) & 0xFFFFFF) << 24 | (index + 1)) << 4 | 0x8;
    return reinterpret_cast<HMENU>(v);
}

MenuRecord* Find(HMENU menu, std::size_t* indexOut = nullptr)
{
    auto v = reinterpret_cast<std::uintptr_t>(menu);
    if ((v & 0xF) != 0x8) return nullptr;
    v >>= 4;
    std::size_t index1 = v & 0xFFFFFF;
    if (index1 == 0 || index1 > Menus().size()) return nullptr;
    MenuSlot& s = Menus()[index1 - 1];
    if (!s.menu || (s.generation & 0xFFFFFF) != ((v >> 24) & 0xFFFFFF)) return nullptr;
    if (indexOut) *indexOut = index1 - 1;
    return s.menu.get();
}

// The item an item reference names: by position, or by command searched
// through submenus.
MenuItem* FindItem(HMENU menu, UINT item, UINT flags, MenuRecord** owner = nullptr, std::size_t* pos = nullptr)
{
    MenuRecord* m = Find(menu);
    if (!m) return nullptr;
    if (flags & MF_BYPOSITION) {
        if (item >= m->items.size()) return nullptr;
        if (owner) *owner = m;
        if (pos) *pos = item;
        return &m->items[item];
    }
    for (std::size_t i = 0; i < m->items.size(); ++i) {
        MenuItem& it = m->items[i];
        if (it.flags & MF_POPUP) {
            if (MenuItem* sub = FindItem(reinterpret_cast<HMENU>(it.id), item, flags, owner, pos)) return sub;
        } else if (!(it.flags & MF_SEPARATOR) && it.id == item) {
            if (owner) *owner = m;
            if (pos) *pos = i;
            return &it;
        }
    }
    return nullptr;
}

MenuItem MakeItem(UINT flags, UINT_PTR id, LPCSTR text)
{
    MenuItem item{flags & ~MF_BYPOSITION, id, {}};
    if (!(flags & MF_SEPARATOR) && text) item.text = text;
    return item;
}

void FillSystemMenu(HMENU menu)
{
    AppendMenu(menu, MF_STRING, SC_RESTORE, "&Restore");
    AppendMenu(menu, MF_STRING, SC_MOVE, "&Move");
    AppendMenu(menu, MF_STRING, SC_SIZE, "&Size");
    AppendMenu(menu, MF_STRING, SC_MINIMIZE, "Mi&nimize");
    AppendMenu(menu, MF_STRING, SC_MAXIMIZE, "Ma&ximize");
    AppendMenu(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenu(menu, MF_STRING, SC_CLOSE, "&Close\tAlt+F4");
}

bool LoadRegisteredString(UINT id, CString* out)
{
    const std::string* text = sys::FindString(id);
    if (!text) return false;
    *out = CString(text->data(), static_cast<std::ptrdiff_t>(text->size()));
    return true;
}

// CString::LoadString reads the resource registry. Installed from here because
// every program with windows links this file (DefWindowProc opens menus).
[[maybe_unused]] const bool kStringLoaderInstalled = (corvane::SetStringLoader(&LoadRegisteredString), true);

} // namespace

bool sys::CopyMenuItems(HMENU menu, std::vector<MenuEntry>* out)
{
    MenuRecord* m = Find(menu);
    if (!m || !out) return false;
    out->clear();
    for (const MenuItem& it : m->items)
        out->push_back(MenuEntry{it.flags, it.id, it.text});
    return true;
}

HMENU CreateMenu() { return NewMenu(false); }
HMENU CreatePopupMenu() { return NewMenu(true); }

BOOL DestroyMenu(HMENU menu)
{
    std::size_t index;
    MenuRecord* m = Find(menu, &index);
    if (!m) return FALSE;
    std::vector<MenuItem> items = std::move(m->items);
    MenuSlot& s = Menus()[index];
    s.menu.reset();
    s.generation = (s.generation + 1) & 0xFFFFFF;
    if (!s.generation) s.generation = 1;
    for (MenuItem& it : items)
        if (it.flags & MF_POPUP) DestroyMenu(reinterpret_cast<HMENU>(it.id));
    return TRUE;
}

BOOL IsMenu(HMENU menu) { return Find(menu) != nullptr; }

BOOL AppendMenu(HMENU menu, UINT flags, UINT_PTR id, LPCSTR text)
{
    MenuRecord* m = Find(menu);
    if (!m) return FALSE;
    if ((flags & MF_POPUP) && (!Find(reinterpret_cast<HMENU>(id)) || reinterpret_cast<HMENU>(id) == menu))
        return FALSE;
    m->items.push_back(MakeItem(flags, id, text));
    return TRUE;
}

BOOL InsertMenu(HMENU menu, UINT position, UINT flags, UINT_PTR id, LPCSTR text)
{
    MenuRecord* m = Find(menu);
    if (!m) return FALSE;
    if ((flags & MF_POPUP) && !Find(reinterpret_cast<HMENU>(id))) return FALSE;
    if (flags & MF_BYPOSITION) {
        std::size_t at = position >= m->items.size() ? m->items.size() : position;
        m->items.insert(m->items.begin() + static_cast<std::ptrdiff_t>(at), MakeItem(flags, id, text));
        return TRUE;
    }
    MenuRecord* owner = nullptr;
    std::size_t pos = 0;
    if (!FindItem(menu, position, flags, &owner, &pos)) {
        m->items.push_back(MakeItem(flags, id, text));
        return TRUE;
    }
    owner->items.insert(owner->items.begin() + static_cast<std::ptrdiff_t>(pos), MakeItem(flags, id, text));
    return TRUE;
}

BOOL RemoveMenu(HMENU menu, UINT position, UINT flags)
{
    MenuRecord* owner = nullptr;
    std::size_t pos = 0;
    if (!FindItem(menu, position, flags, &owner, &pos)) return FALSE;
    owner->items.erase(owner->items.begin() + static_cast<std::ptrdiff_t>(pos));
    return TRUE;
}

BOOL DeleteMenu(HMENU menu, UINT position, UINT flags)
{
    MenuRecord* owner = nullptr;
    std::size_t pos = 0;
    MenuItem* item = FindItem(menu, position, flags, &owner, &pos);
    if (!item) return FALSE;
    MenuItem copy = *item;
    owner->items.erase(owner->items.begin() + static_cast<std::ptrdiff_t>(pos));
    if (copy.flags & MF_POPUP) DestroyMenu(reinterpret_cast<HMENU>(copy.id));
    return TRUE;
}

int GetMenuItemCount(HMENU menu)
{
    MenuRecord* m = Find(menu);
    return m ? static_cast<int>(m->items.size()) : -1;
}

UINT GetMenuItemID(HMENU menu, int position)
{
    MenuRecord* m = Find(menu);
    if (!m || position < 0 || static_cast<std::size_t>(position) >= m->items.size()) return static_cast<UINT>(-1);
    const MenuItem& it = m->items[static_cast<std::size_t>(position)];
    if (it.flags & MF_POPUP) return static_cast<UINT>(-1);
    return (it.flags & MF_SEPARATOR) ? 0 : static_cast<UINT>(it.id);
}

UINT GetMenuState(HMENU menu, UINT item, UINT flags)
{
    MenuItem* it = FindItem(menu, item, flags);
    return it ? (it->flags & (MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_POPUP | MF_SEPARATOR)) : static_cast<UINT>(-1);
}

int GetMenuString(HMENU menu, UINT item, LPSTR buffer, int maxCount, UINT flags)
{
    MenuItem* it = FindItem(menu, item, flags);
    if (!it) return 0;
    int len = static_cast<int>(it->text.size());
    if (!buffer || maxCount <= 0) return len;
    int n = std::min(len, maxCount - 1);
    std::memcpy(buffer, it->text.data(), static_cast<std::size_t>(n));
    buffer[n] = '\0';
    return n;
}

UINT EnableMenuItem(HMENU menu, UINT item, UINT enable)
{
    MenuItem* it = FindItem(menu, item, enable & MF_BYPOSITION);
    if (!it) return static_cast<UINT>(-1);
    UINT old = it->flags & (MF_GRAYED | MF_DISABLED);
    it->flags = (it->flags & ~(MF_GRAYED | MF_DISABLED)) | (enable & (MF_GRAYED | MF_DISABLED));
    return old;
}

DWORD CheckMenuItem(HMENU menu, UINT item, UINT check)
{
    MenuItem* it = FindItem(menu, item, check & MF_BYPOSITION);
    if (!it) return static_cast<DWORD>(-1);
    DWORD old = it->flags & MF_CHECKED;
    it->flags = (it->flags & ~MF_CHECKED) | (check & MF_CHECKED);
    return old;
}

HMENU GetSystemMenu(HWND hwnd, BOOL revert)
{
    sys::Window* w = sys::Lookup(hwnd);
    if (!w || !(w->style & WS_SYSMENU)) return nullptr;
    if (revert) {
        if (w->sysMenu) DestroyMenu(w->sysMenu);
        w->sysMenu = nullptr;
        return nullptr;
    }
    if (!IsMenu(w->sysMenu)) {
        w->sysMenu = CreatePopupMenu();
        FillSystemMenu(w->sysMenu);
    }
    return w->sysMenu;
}
