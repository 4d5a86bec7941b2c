// The common controls' interface in one include: list view, header and tab
// control, as programs written against it expect.
#pragma once

#include "platform/system/controls/CommonControls.h"
#include "platform/system/controls/header/Header.h"
#include "platform/system/controls/listview/ListView.h"
#include "platform/system/controls/tab/TabControl.h"
