// The whole system interface in one include, as programs written against it
// expect.
#pragma once

#include "platform/base/Color.h"
#include "platform/base/Geometry.h"
#include "platform/base/WinDef.h"
#include "platform/system/Gdi.h"
#include "platform/system/Handles.h"
#include "platform/system/Menu.h"
#include "platform/system/SysMetrics.h"
#include "platform/system/VirtualKeys.h"
#include "platform/system/WinMessages.h"
#include "platform/system/WinStyles.h"
#include "platform/system/WinUser.h"
