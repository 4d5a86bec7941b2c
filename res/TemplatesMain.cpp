#include "platform/system/dialog/DialogDefs.h"
#include "platform/system/window/WinStyles.h"
#include "res/ResourceIds.h"
#include "res/TemplateStyles.h"
#include "res/Templates.h"

// No system menu and no minimize or maximize box: the program paints its own caption buttons.
DialogTemplate MainDialogTemplate()
{
    using namespace tmpl;
    return DialogTemplate{.style = WS_POPUP | WS_VISIBLE | WS_CAPTION | DS_MODALFRAME | DS_SETFONT,
                          .exStyle = WS_EX_APPWINDOW,
                          .x = 0,
                          .y = 0,
                          .cx = 431,
                          .cy = 206,
                          .caption = "",
                          .className = "",
                          .pointSize = 9,
                          .weight = 0,
                          .italic = 0,
                          .charSet = 1,
                          .faceName = "宋体",
                          .items = {
                              {.className = "Edit",
                               .text = "",
                               .id = IDC_EDIT_PATH,
                               .style = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | kEsAutoHScroll,
                               .x = 7,
                               .y = 13,
                               .cx = 352,
                               .cy = 14},
                              {.className = "Button",
                               .text = "打开...",
                               .id = IDC_BUTTON_OPEN,
                               .style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | kBsPushButton,
                               .x = 367,
                               .y = 13,
                               .cx = 50,
                               .cy = 14},
                              {.className = "SysTabControl32",
                               .text = "Tab1",
                               .id = IDC_TAB,
                               .style = WS_CHILD | WS_VISIBLE | kTcsHotTrack,
                               .x = 13,
                               .y = 35,
                               .cx = 402,
                               .cy = 165},
                          }};
}
