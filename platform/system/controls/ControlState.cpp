#include "platform/system/controls/ControlState.h"

namespace sys {

LONG_PTR NextControlSerial()
{
    static LONG_PTR next = 1;
    return next++;
}

} // namespace sys
