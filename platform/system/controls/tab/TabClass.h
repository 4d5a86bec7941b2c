// The tab control ("SysTabControl32"): a row of tabs over a display area,
// one selected, with selection changes announced to the parent.
#pragma once

namespace sys {

// Registers "SysTabControl32" as a built-in class (idempotent).
bool RegisterTabClass();

} // namespace sys
