// The resource registry: everything the program ships, registered by type and
// id at start-up and looked up by the classic calls. Dialog templates and
// strings live here; image and other bytes (RT_BITMAP, RT_GROUP_ICON, "PNG", ...)
// share the byte store of GdiResources.h, so both sets of calls see the same
// data. The instance and language arguments are accepted and ignored: the
// program has one module and one language (2052).
#pragma once

#include "platform/system/dialog/DialogTemplate.h"
#include "platform/system/gdi/GdiResources.h"

#include <cstddef>
#include <string>
#include <string_view>

#define RT_CURSOR MAKEINTRESOURCE(1)
#define RT_MENU MAKEINTRESOURCE(4)
#define RT_DIALOG MAKEINTRESOURCE(5)
#define RT_STRING MAKEINTRESOURCE(6)
#define RT_RCDATA MAKEINTRESOURCE(10)
#define RT_GROUP_CURSOR MAKEINTRESOURCE(12)
#define RT_VERSION MAKEINTRESOURCE(16)

namespace sys {

// Registering an id again replaces the earlier entry.
void RegisterDialogTemplate(UINT id, const DialogTemplate& dialogTemplate);
void RegisterDialogTemplate(LPCSTR name, const DialogTemplate& dialogTemplate);
// Null when nothing is registered under the name (MAKEINTRESOURCE(id), "#id" or a name).
// Valid until that name is registered again or the registry is cleared.
const DialogTemplate* FindDialogTemplate(LPCSTR name);

// Text in code page 936; it may hold NUL bytes.
void RegisterString(UINT id, std::string_view cp936);
// Null when the id is not registered.
const std::string* FindString(UINT id);

// Forgets templates, strings and registered bytes (tests).
void ClearResources();

// The key a resource name is stored under: "#102" for an integer id or "#102",
// the upper-case name otherwise; empty for id 0 or an empty name.
std::string ResourceKey(LPCSTR name);

} // namespace sys

// Copies string id into buffer, truncated to size - 1 bytes without splitting a
// double-byte character, always terminated. Returns the bytes copied; 0 when
// the id is missing or the buffer unusable.
int LoadStringA(HINSTANCE instance, UINT id, LPSTR buffer, int size);
inline int LoadString(HINSTANCE instance, UINT id, LPSTR buffer, int size)
{
    return LoadStringA(instance, id, buffer, size);
}

// Classic resource access. For RT_DIALOG, LockResource gives a const
// DialogTemplate*; for byte types, the registered bytes. RT_STRING is reached
// through LoadString only.
HRSRC FindResourceA(HMODULE module, LPCSTR name, LPCSTR type);
inline HRSRC FindResource(HMODULE module, LPCSTR name, LPCSTR type)
{
    return FindResourceA(module, name, type);
}
HRSRC FindResourceExA(HMODULE module, LPCSTR type, LPCSTR name, WORD language);
inline HRSRC FindResourceEx(HMODULE module, LPCSTR type, LPCSTR name, WORD language)
{
    return FindResourceExA(module, type, name, language);
}
HGLOBAL LoadResource(HMODULE module, HRSRC resource);
LPVOID LockResource(HGLOBAL loaded);
DWORD SizeofResource(HMODULE module, HRSRC resource);
BOOL FreeResource(HGLOBAL loaded);
