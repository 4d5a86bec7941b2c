// What the menu loop and the popup window share (internal).
#pragma once

#include "platform/system/menu/Menu.h"

#include <string>
#include <vector>

namespace sys {

struct MenuEntry {
    UINT flags = 0;
    UINT_PTR id = 0;
    std::string text;
};

// A copy of the menu's items; false for a bad handle.
bool CopyMenuItems(HMENU menu, std::vector<MenuEntry>* out);

// An open popup menu: its items as laid out, and the one highlighted.
struct PopupMenuState {
    std::vector<MenuEntry> items;
    std::vector<RECT> rects; // client coordinates, one per item
    SIZE size{0, 0};         // the whole window
    int selected = -1;
};

// Measures the items with the menu font and fills rects and size.
void LayoutPopupMenu(PopupMenuState& state);
// A hidden popup window that paints the state (which must outlive it).
HWND CreatePopupMenuWindow(PopupMenuState* state);
// The item under a client point, -1 for none (frame, separators included as items).
int PopupMenuItemAt(const PopupMenuState& state, POINT client);
bool IsSelectableMenuEntry(const MenuEntry& entry);
bool IsChoosableMenuEntry(const MenuEntry& entry);

// Shows the window's system menu under its caption icon and sends the chosen
// item as WM_SYSCOMMAND; keyboard opening highlights the first item.
void TrackSystemMenu(HWND hwnd, bool byKeyboard);

} // namespace sys
