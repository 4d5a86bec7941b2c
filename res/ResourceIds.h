// Resource and control identifiers of Corvane.
#pragma once

// Dialog templates.
#define IDD_ABOUTBOX 100
#define IDD_CORVANE_DIALOG 102
#define IDD_FDLG 103 // the all-lines page
#define IDD_SDLG 104 // a crawler page

// Strings.
#define IDS_ABOUTBOX 101

// Images.
#define IDR_MAINFRAME 128   // application icon
#define IDR_PNG_TABS 131    // "PNG": seven 24 x 24 tab pictures, not loaded by the program
#define IDB_CLOSE_RED 135   // caption buttons, 16 x 15: white glyph on red-orange
#define IDB_CLOSE_GREEN 136 //   or on olive green
#define IDB_HELP_RED 137
#define IDB_HELP_GREEN 138
#define IDB_RESTORE_GREEN 139
#define IDB_MAX_RED 140
#define IDB_MAX_GREEN 141
#define IDB_MIN_RED 142
#define IDB_MIN_GREEN 143
#define IDB_RESTORE_RED 144

// Version information.
#define VS_VERSION_INFO 1

// System-menu command of the About entry.
#define IDM_ABOUTBOX 0x0010

// Controls.
#define IDC_STATIC (-1)
#define IDC_EDIT_PATH 1000
#define IDC_BUTTON_OPEN 1001
#define IDC_TAB 1002
#define IDC_LIST_ALL 1004
#define IDC_LIST_CRAWLER 1005
