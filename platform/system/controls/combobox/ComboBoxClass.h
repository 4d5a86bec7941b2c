// The combo box ("ComboBox") as a drop-down list: a face showing the chosen
// string and a button; the arrow keys change the choice in place, F4, Alt+Down
// or a click drop a list below it.
#pragma once

#include "platform/system/controls/combobox/ComboBox.h"

namespace sys {

// Registers "ComboBox" (and the list box it drops) as built-in classes (idempotent).
bool RegisterComboBoxClass();

} // namespace sys
