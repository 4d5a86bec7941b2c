// The application framework in one include: run-time classes, message maps,
// windows, dialogs, the application object, device contexts and drawing objects.
#pragma once

#include "platform/framework/AfxMsg.h"
#include "platform/framework/DataExchange.h"
#include "platform/framework/Dc.h"
#include "platform/framework/Dialog.h"
#include "platform/framework/ExceptionReport.h"
#include "platform/framework/GdiObject.h"
#include "platform/framework/Menu.h"
#include "platform/framework/Object.h"
#include "platform/framework/OwnerDraw.h"
#include "platform/framework/WinApp.h"
#include "platform/framework/Wnd.h"
