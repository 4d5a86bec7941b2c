// The framework's message boxes: over the application's main window, with the
// application's name as caption, the text given or loaded from the strings.
#pragma once

#include "platform/base/WinDef.h"
#include "platform/system/controls/messagebox/MessageBox.h"

int AfxMessageBox(LPCSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
// The text of string nIDPrompt; an empty text when the string is missing.
int AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = static_cast<UINT>(-1));
