// The control classes every program can name in a dialog template.
#pragma once

namespace sys {

// Registers edit, button, static, list box, drop-down list, list view, header
// and tab control. Safe to call again.
void RegisterBuiltinClasses();

} // namespace sys
