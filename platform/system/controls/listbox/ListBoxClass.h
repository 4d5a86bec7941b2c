// The list box ("ListBox"): a single-selection list of strings with item data,
// sorted on request, scrolled by its vertical bar, the wheel and the keyboard.
#pragma once

#include "platform/system/controls/listbox/ListBox.h"

namespace sys {

// Registers "ListBox" as a built-in class (idempotent).
bool RegisterListBoxClass();

} // namespace sys
