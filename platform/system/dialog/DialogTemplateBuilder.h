// Dialog templates made in code: the file dialog, the message box and the
// tests add their controls one call each.
#pragma once

#include "platform/system/dialog/DialogTemplate.h"

#include <string>

namespace sys {

// One control of a template, its rectangle in dialog units. The style is taken
// as given: the dialog manager adds WS_CHILD, WS_VISIBLE is the caller's.
DialogItemTemplate DialogItem(std::string className, int id, DWORD style, short x, short y, short cx, short cy,
                              std::string text = {});

} // namespace sys
