// Registers every resource of Corvane with the system's resource registry:
// the dialog templates, string 101, icon 128, the caption bitmaps 135 to 144,
// the tab-picture PNG 131 and the version block. Registering again replaces
// the entries with equal ones.
#pragma once

void RegisterCorvaneResources();

// The text of string IDS_ABOUTBOX, code page 936.
extern const char kAboutMenuText[];
