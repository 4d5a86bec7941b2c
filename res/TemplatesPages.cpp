#include "platform/system/dialog/DialogDefs.h"
#include "platform/system/window/WinStyles.h"
#include "res/ResourceIds.h"
#include "res/TemplateStyles.h"
#include "res/Templates.h"

namespace {

// A hidden, captionless child page holding one report list.
DialogTemplate PageTemplate(short cy, int listId, short listCx)
{
    using namespace tmpl;
    return DialogTemplate{.style = WS_CHILD | DS_SETFONT,
                          .cx = 394,
                          .cy = cy,
                          .caption = "",
                          .className = "",
                          .pointSize = 8,
                          .faceName = "MS Sans Serif",
                          .items = {
                              {.className = "SysListView32",
                               .text = "List1",
                               .id = listId,
                               .style = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | kLvsReport,
                               .x = 0,
                               .y = 0,
                               .cx = listCx,
                               .cy = 140},
                          }};
}

} // namespace

DialogTemplate AllLinesPageTemplate()
{
    return PageTemplate(141, IDC_LIST_ALL, 394);
}

DialogTemplate CrawlerPageTemplate()
{
    return PageTemplate(140, IDC_LIST_CRAWLER, 393);
}
