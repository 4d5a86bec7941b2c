// The program's version information: the fixed part, the string table
// "080404b0" and its translation, readable as data (for the About box and
// tests) and as the classic binary version block registered under RT_VERSION.
#pragma once

#include "platform/base/WinDef.h"

#include <array>
#include <string>
#include <string_view>

constexpr DWORD kVosWindows32 = 0x00000004; // VOS__WINDOWS32
constexpr DWORD kVftApp = 0x00000001;       // VFT_APP

struct VersionEntry {
    const char* key;
    const char* value; // code page 936
};

struct VersionInfo {
    WORD fileVersion[4];
    WORD productVersion[4];
    DWORD fileFlagsMask;
    DWORD fileFlags;
    DWORD fileOS;
    DWORD fileType;
    DWORD fileSubtype;
    const char* stringTable; // language and code page as eight hex digits
    WORD language;
    WORD codePage;
    std::array<VersionEntry, 11> strings;
};

const VersionInfo& CorvaneVersionInfo();

// The value under `key`, or null when the table has no such key.
const char* FindVersionString(const VersionInfo& info, std::string_view key);

// The VS_VERSIONINFO block: 16-bit lengths, UTF-16 keys and texts, 32-bit alignment.
std::string BuildVersionResource(const VersionInfo& info);
