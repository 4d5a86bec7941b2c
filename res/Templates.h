// The dialog templates of Corvane, as data for the resource registry.
// Rectangles are in dialog units; texts are code page 936.
#pragma once

#include "platform/system/dialog/DialogTemplate.h"

DialogTemplate AboutBoxTemplate();     // IDD_ABOUTBOX
DialogTemplate MainDialogTemplate();   // IDD_CORVANE_DIALOG
DialogTemplate AllLinesPageTemplate(); // IDD_FDLG
DialogTemplate CrawlerPageTemplate();  // IDD_SDLG
