// Registration of the built-in "Button", "Edit" and "Static" window classes.
#pragma once

namespace sys {

// Registers the three classes as built-in classes; safe to call any number of
// times, and they survive desktop resets. True when all three are available.
bool RegisterEditButtonStaticClasses();

bool RegisterButtonClass();
bool RegisterEditClass();
bool RegisterStaticClass();

} // namespace sys
