// Owner-draw structures and codes of WM_DRAWITEM and WM_MEASUREITEM: the
// system interface's, under the framework's name for them.
#pragma once

#include "platform/system/controls/OwnerDraw.h"
