#include "platform/system/dialog/DialogTemplateBuilder.h"

#include <utility>

namespace sys {

DialogItemTemplate DialogItem(std::string className, int id, DWORD style, short x, short y, short cx, short cy,
                              std::string text)
{
    return DialogItemTemplate{.className = std::move(className),
                              .text = std::move(text),
                              .id = id,
                              .style = style,
                              .x = x,
                              .y = y,
                              .cx = cx,
                              .cy = cy};
}

} // namespace sys
