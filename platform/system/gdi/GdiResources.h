// The resource registry: images the program ships, registered by type and id at
// start-up, and the calls that load them as bitmaps and icons.
#pragma once

#include "platform/system/gdi/GdiDefs.h"

#include <cstddef>
#include <string>

namespace sys {

// Registers bytes under a type (RT_BITMAP: a BMP file, with or without its file
// header; RT_GROUP_ICON: an ICO file) and an integer id. Registering the same
// type and id again replaces the bytes.
void RegisterResourceData(LPCSTR type, UINT id, const void* bytes, std::size_t size);
void RegisterResourceData(LPCSTR type, UINT id, const std::string& bytes);
// The registered bytes, or null.
const std::string* FindResourceData(LPCSTR type, LPCSTR name);
// Forgets every registration (tests).
void ClearResourceData();

// The icon of an ICO file's bytes closest to width x height (0 picks the
// largest); null when the bytes do not decode.
HICON CreateIconFromIcoBytes(const void* bytes, std::size_t size, int width, int height);
// A bitmap from a BMP file's bytes; null when they do not decode.
HBITMAP CreateBitmapFromBmpBytes(const void* bytes, std::size_t size);

} // namespace sys

// The instance is ignored: every resource lives in the one registry.
HBITMAP LoadBitmapA(HINSTANCE instance, LPCSTR name);
inline HBITMAP LoadBitmap(HINSTANCE instance, LPCSTR name) { return LoadBitmapA(instance, name); }
HICON LoadIconA(HINSTANCE instance, LPCSTR name);
inline HICON LoadIcon(HINSTANCE instance, LPCSTR name) { return LoadIconA(instance, name); }
// IMAGE_BITMAP gives an HBITMAP, IMAGE_ICON and IMAGE_CURSOR an HICON; null on failure.
void* LoadImageA(HINSTANCE instance, LPCSTR name, UINT type, int width, int height, UINT flags);
inline void* LoadImage(HINSTANCE instance, LPCSTR name, UINT type, int width, int height, UINT flags)
{
    return LoadImageA(instance, name, type, width, height, flags);
}
BOOL DestroyIcon(HICON icon);
BOOL GetIconInfo(HICON icon, ICONINFO* info);
