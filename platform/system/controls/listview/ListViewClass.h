// Registration of the list view and its header as built-in classes.
#pragma once

namespace sys {

// Registers "SysListView32" and "SysHeader32" as built-in classes (idempotent).
bool RegisterListViewClasses();

} // namespace sys
