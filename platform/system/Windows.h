// The whole system interface in one include, as programs written against it
// expect.
#pragma once

#include "platform/base/Color.h"
#include "platform/base/Geometry.h"
#include "platform/base/WinDef.h"
#include "platform/system/gdi/Gdi.h"
#include "platform/system/input/VirtualKeys.h"
#include "platform/system/menu/Menu.h"
#include "platform/system/window/Handles.h"
#include "platform/system/window/SysMetrics.h"
#include "platform/system/window/WinMessages.h"
#include "platform/system/window/WinStyles.h"
#include "platform/system/window/WinUser.h"
