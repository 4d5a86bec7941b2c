// A dialog template as data: the dialog's window, its font and its controls in
// tab order, with every rectangle in dialog units. Written as literals by the
// program's resource code, for example
//
//   DialogTemplate about{
//       .style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT,
//       .cx = 235, .cy = 55, .caption = "About", .pointSize = 9, .faceName = "宋体",
//       .items = {{.className = "Button", .text = "OK", .id = IDOK,
//                  .style = WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON,
//                  .x = 178, .y = 7, .cx = 50, .cy = 14}}};
#pragma once

#include "platform/base/WinDef.h"

#include <string>
#include <vector>

struct DialogItemTemplate {
    // "Button", "Edit", "Static", "SysListView32", "SysTabControl32", "SysHeader32"
    // or any registered class.
    std::string className;
    // Code page 936. A picture static names its image as "#128" (the resource id).
    std::string text;
    int id = -1;
    DWORD style = 0; // WS_CHILD is implied
    DWORD exStyle = 0;
    short x = 0;
    short y = 0;
    short cx = 0;
    short cy = 0;
};

struct DialogTemplate {
    DWORD style = 0;
    DWORD exStyle = 0;
    short x = 0;
    short y = 0;
    short cx = 0; // client width
    short cy = 0; // client height
    std::string caption;
    // Empty: the system's dialog class. A named class must reserve DLGWINDOWEXTRA.
    std::string className;
    // Used when style holds DS_SETFONT.
    WORD pointSize = 0;
    WORD weight = 0;
    BYTE italic = 0;
    BYTE charSet = 1; // DEFAULT_CHARSET
    std::string faceName;
    std::vector<DialogItemTemplate> items;
};
