// Window classes the system itself provides (dialogs, buttons, edits, lists):
// registered once by the control code, kept across desktop resets, and never
// replaced by an application class of the same name.
#pragma once

#include "platform/system/window/WinUser.h"

namespace sys {

// Registers a built-in class; true if registered now or already present.
bool RegisterSystemClass(const WNDCLASS& wc);

// Names the built-in controls will take.
constexpr const char* kDialogClass = "#32770";
constexpr const char* kButtonClass = "Button";
constexpr const char* kEditClass = "Edit";
constexpr const char* kStaticClass = "Static";
constexpr const char* kListBoxClass = "ListBox";
constexpr const char* kComboBoxClass = "ComboBox";
constexpr const char* kScrollBarClass = "ScrollBar";
constexpr const char* kListViewClass = "SysListView32";
constexpr const char* kHeaderClass = "SysHeader32";
constexpr const char* kTabControlClass = "SysTabControl32";

bool IsReservedClassName(LPCSTR name);

} // namespace sys
