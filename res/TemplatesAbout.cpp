#include "platform/system/dialog/DialogDefs.h"
#include "platform/system/window/WinStyles.h"
#include "res/ResourceIds.h"
#include "res/TemplateStyles.h"
#include "res/Templates.h"

DialogTemplate AboutBoxTemplate()
{
    using namespace tmpl;
    return DialogTemplate{.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT,
                          .x = 0,
                          .y = 0,
                          .cx = 235,
                          .cy = 55,
                          .caption = "关于 Corvane",
                          .className = "",
                          .pointSize = 9,
                          .faceName = "宋体",
                          .items = {
                              {.className = "Static",
                               .text = "#128",
                               .id = IDC_STATIC,
                               .style = WS_CHILD | WS_VISIBLE | kSsIcon,
                               .x = 11,
                               .y = 17,
                               .cx = 20,
                               .cy = 20},
                              {.className = "Static",
                               .text = "Corvane 1.0 版",
                               .id = IDC_STATIC,
                               .style = WS_CHILD | WS_VISIBLE | kSsLeft | kSsNoPrefix | WS_GROUP,
                               .x = 39,
                               .y = 17,
                               .cx = 61,
                               .cy = 8},
                              {.className = "Button",
                               .text = "确定",
                               .id = IDOK,
                               .style = WS_CHILD | WS_VISIBLE | kBsDefPushButton | WS_GROUP | WS_TABSTOP,
                               .x = 178,
                               .y = 7,
                               .cx = 50,
                               .cy = 14},
                          }};
}
