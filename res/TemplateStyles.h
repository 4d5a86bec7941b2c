// Control styles the templates use, with their classic values. Kept under
// their own names so they never clash with the system's declarations.
#pragma once

#include "platform/base/WinDef.h"

namespace tmpl {

constexpr DWORD kEsAutoHScroll = 0x0080;
constexpr DWORD kBsPushButton = 0x0000;
constexpr DWORD kBsDefPushButton = 0x0001;
constexpr DWORD kSsLeft = 0x0000;
constexpr DWORD kSsIcon = 0x0003;
constexpr DWORD kSsNoPrefix = 0x0080;
constexpr DWORD kLvsReport = 0x0001;
constexpr DWORD kTcsHotTrack = 0x0040;

} // namespace tmpl
