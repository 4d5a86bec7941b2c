// The byte store of shipped images and the calls that turn its entries into
// bitmaps and icons.
#include "platform/system/gdi/GdiResources.h"

#include "platform/base/CodePage.h"
#include "platform/gfx/Bmp.h"
#include "platform/gfx/Png.h"
#include "platform/system/gdi/Gdi.h"
#include "platform/system/gdi/GdiObjects.h"
#include "platform/system/window/SysMetrics.h"

#include <cctype>
#include <cstring>
#include <fstream>
#include <map>
#include <sstream>
#include <tuple>

namespace sys {
namespace {

// "#12" for an integer id (or a "#12" string), the upper-case name otherwise.
std::string Key(LPCSTR name)
{
    if (!name) return {};
    if (IS_INTRESOURCE(name)) {
        auto id = reinterpret_cast<std::uintptr_t>(name);
        return id == 0 ? std::string() : "#" + std::to_string(id);
    }
    std::string key(name);
    if (key.size() > 1 && key[0] == '#') {
        std::size_t digits = 1;
        while (digits < key.size() && std::isdigit(static_cast<unsigned char>(key[digits]))) ++digits;
        if (digits == key.size()) {
            unsigned long id = 0;
            for (std::size_t i = 1; i < key.size(); ++i) id = (id * 10 + static_cast<unsigned>(key[i] - '0')) & 0xFFFFFF;
            return "#" + std::to_string(id & 0xFFFF);
        }
    }
    for (char& c : key) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return key;
}

std::map<std::pair<std::string, std::string>, std::string>& Store()
{
    static auto* store = new std::map<std::pair<std::string, std::string>, std::string>;
    return *store;
}

// Icons loaded shared, by type, name and size; DestroyIcon leaves them alone.
std::map<std::tuple<std::string, int, int>, HICON>& SharedIcons()
{
    static auto* icons = new std::map<std::tuple<std::string, int, int>, HICON>;
    return *icons;
}

bool IsShared(HICON icon)
{
    for (const auto& entry : SharedIcons())
        if (entry.second == icon) return true;
    return false;
}

gfx::Bytes AsBytes(const void* data, std::size_t size)
{
    return gfx::Bytes(static_cast<const std::uint8_t*>(data), size);
}

unsigned Read16(const std::uint8_t* p) { return p[0] | (p[1] << 8); }
std::uint32_t Read32(const std::uint8_t* p)
{
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

// Nearest-pixel resampling, alpha included.
gfx::Surface Scaled(const gfx::Surface& src, int width, int height)
{
    if (src.Width() == width && src.Height() == height) return src;
    gfx::Surface out(width, height, 0);
    for (int y = 0; y < out.Height(); ++y)
        for (int x = 0; x < out.Width(); ++x)
            out.Set(x, y, src.At(static_cast<int>(static_cast<long long>(x) * src.Width() / out.Width()),
                                 static_cast<int>(static_cast<long long>(y) * src.Height() / out.Height())));
    return out;
}

HICON NewIcon(gfx::Surface image, bool isIcon, int xHot, int yHot)
{
    auto icon = std::make_unique<IconObject>();
    icon->image = std::move(image);
    icon->isIcon = isIcon;
    icon->xHotspot = xHot;
    icon->yHotspot = yHot;
    return static_cast<HICON>(AddGdiObject(GdiKind::Icon, std::move(icon)));
}

bool ReadFileBytes(LPCSTR path, std::string* out)
{
    if (!path || IS_INTRESOURCE(path)) return false;
    std::ifstream in(Cp936ToUtf8(path), std::ios::binary);
    if (!in) return false;
    std::ostringstream s;
    s << in.rdbuf();
    *out = s.str();
    return true;
}

} // namespace

void RegisterResourceData(LPCSTR type, UINT id, const void* bytes, std::size_t size)
{
    std::string typeKey = Key(type), nameKey = Key(MAKEINTRESOURCE(id));
    if (typeKey.empty() || nameKey.empty()) return;
    Store()[{typeKey, nameKey}] = bytes ? std::string(static_cast<const char*>(bytes), size) : std::string();
}

void RegisterResourceData(LPCSTR type, UINT id, const std::string& bytes)
{
    RegisterResourceData(type, id, bytes.data(), bytes.size());
}

const std::string* FindResourceData(LPCSTR type, LPCSTR name)
{
    auto it = Store().find({Key(type), Key(name)});
    return it == Store().end() ? nullptr : &it->second;
}

void ClearResourceData()
{
    Store().clear();
    for (auto& entry : SharedIcons()) RemoveGdiObject(entry.second);
    SharedIcons().clear();
}

HBITMAP CreateBitmapFromBmpBytes(const void* bytes, std::size_t size)
{
    if (!bytes) return nullptr;
    gfx::Image image;
    std::string error;
    bool fileHeader = size >= 2 && std::memcmp(bytes, "BM", 2) == 0;
    bool ok = fileHeader ? gfx::DecodeBmp(AsBytes(bytes, size), &image, &error)
                         : gfx::DecodeDib(AsBytes(bytes, size), &image, &error);
    if (!ok || image.pixels.IsEmpty()) return nullptr;
    auto bitmap = std::make_unique<BitmapObject>();
    bitmap->surface = std::move(image.pixels);
    bitmap->hasAlpha = image.hasAlpha;
    bitmap->bitsPixel = 32;
    return static_cast<HBITMAP>(AddGdiObject(GdiKind::Bitmap, std::move(bitmap)));
}

HICON CreateIconFromIcoBytes(const void* data, std::size_t size, int width, int height)
{
    const auto* p = static_cast<const std::uint8_t*>(data);
    if (!p || size < 6 || Read16(p) != 0 || (Read16(p + 2) != 1 && Read16(p + 2) != 2)) return nullptr;
    bool isIcon = Read16(p + 2) == 1;
    std::size_t count = Read16(p + 4);
    if (count == 0 || size < 6 + count * 16) return nullptr;

    // The entry closest in size to the request (the largest for 0), deeper colour breaking ties.
    std::size_t best = count;
    long long bestScore = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t* e = p + 6 + i * 16;
        int w = e[0] ? e[0] : 256, h = e[1] ? e[1] : 256;
        int bits = static_cast<int>(Read16(e + 6));
        long long distance = width > 0 || height > 0
                                 ? std::abs(w - (width > 0 ? width : w)) + std::abs(h - (height > 0 ? height : h))
                                 : 512 - w;
        long long score = distance * 64 - bits;
        if (best == count || score < bestScore) {
            best = i;
            bestScore = score;
        }
    }
    const std::uint8_t* e = p + 6 + best * 16;
    std::uint32_t length = Read32(e + 8), offset = Read32(e + 12);
    if (offset > size || length > size - offset) return nullptr;
    gfx::Bytes entry = AsBytes(p + offset, length);
    gfx::Image image;
    std::string error;
    bool ok = gfx::IsPng(entry) ? gfx::DecodePng(entry, &image, &error) : gfx::DecodeDib(entry, &image, &error, true);
    if (!ok || image.pixels.IsEmpty()) return nullptr;
    gfx::Surface pixels = std::move(image.pixels);
    if (!image.hasAlpha)
        for (int y = 0; y < pixels.Height(); ++y)
            for (int x = 0; x < pixels.Width(); ++x) pixels.Set(x, y, pixels.At(x, y) | 0xFF000000u);
    if (width > 0 && height > 0) pixels = Scaled(pixels, width, height);
    int xHot = isIcon ? pixels.Width() / 2 : static_cast<int>(Read16(e + 4));
    int yHot = isIcon ? pixels.Height() / 2 : static_cast<int>(Read16(e + 6));
    return NewIcon(std::move(pixels), isIcon, xHot, yHot);
}


// Loads an icon (or cursor) resource or file at a size; shared ones are kept
// and handed out again.
HICON LoadIconImage(LPCSTR name, int width, int height, UINT flags)
{
    std::string fileBytes;
    const std::string* bytes = nullptr;
    if (flags & LR_LOADFROMFILE) {
        if (!ReadFileBytes(name, &fileBytes)) return nullptr;
        bytes = &fileBytes;
    } else {
        bytes = FindResourceData(RT_GROUP_ICON, name);
        if (!bytes) bytes = FindResourceData(RT_ICON, name);
        if (!bytes) return nullptr;
    }
    if (width == 0 && (flags & LR_DEFAULTSIZE)) width = GetSystemMetrics(SM_CXICON);
    if (height == 0 && (flags & LR_DEFAULTSIZE)) height = GetSystemMetrics(SM_CYICON);
    if (width < 0 || height < 0 || width > gfx::Surface::kMaxDimension || height > gfx::Surface::kMaxDimension)
        return nullptr;
    bool shared = (flags & LR_SHARED) && !(flags & LR_LOADFROMFILE);
    std::tuple<std::string, int, int> key{Key(name), width, height};
    if (shared) {
        auto it = SharedIcons().find(key);
        if (it != SharedIcons().end() && KindOf(it->second) == GdiKind::Icon) return it->second;
    }
    HICON icon = CreateIconFromIcoBytes(bytes->data(), bytes->size(), width, height);
    if (icon && shared) SharedIcons()[key] = icon;
    return icon;
}

HBITMAP LoadBitmapImage(LPCSTR name, UINT flags)
{
    std::string fileBytes;
    const std::string* bytes = nullptr;
    if (flags & LR_LOADFROMFILE) {
        if (!ReadFileBytes(name, &fileBytes)) return nullptr;
        bytes = &fileBytes;
    } else {
        bytes = FindResourceData(RT_BITMAP, name);
        if (!bytes) return nullptr;
    }
    return CreateBitmapFromBmpBytes(bytes->data(), bytes->size());
}

} // namespace sys

HBITMAP LoadBitmapA(HINSTANCE, LPCSTR name) { return sys::LoadBitmapImage(name, 0); }

HICON LoadIconA(HINSTANCE, LPCSTR name)
{
    return sys::LoadIconImage(name, 0, 0, LR_DEFAULTSIZE | LR_SHARED);
}

void* LoadImageA(HINSTANCE, LPCSTR name, UINT type, int width, int height, UINT flags)
{
    switch (type) {
    case IMAGE_BITMAP: {
        HBITMAP bitmap = sys::LoadBitmapImage(name, flags);
        auto* object = sys::Lookup<sys::BitmapObject>(bitmap);
        if (object && width > 0 && height > 0) object->surface = sys::Scaled(object->surface, width, height);
        return bitmap;
    }
    case IMAGE_ICON:
    case IMAGE_CURSOR: return sys::LoadIconImage(name, width, height, flags);
    default: return nullptr;
    }
}

BOOL DestroyIcon(HICON icon)
{
    if (sys::KindOf(icon) != sys::GdiKind::Icon) return FALSE;
    if (!sys::IsShared(icon)) sys::RemoveGdiObject(icon);
    return TRUE;
}

BOOL GetIconInfo(HICON icon, ICONINFO* info)
{
    auto* object = sys::Lookup<sys::IconObject>(icon);
    if (!object || !info) return FALSE;
    const gfx::Surface& image = object->image;
    auto color = std::make_unique<sys::BitmapObject>();
    color->surface = image;
    color->hasAlpha = true;
    auto mask = std::make_unique<sys::BitmapObject>();
    mask->bitsPixel = 1;
    mask->surface.Resize(image.Width(), image.Height(), 0);
    // The AND mask: white where the icon lets the background through.
    for (int y = 0; y < image.Height(); ++y)
        for (int x = 0; x < image.Width(); ++x)
            if (gfx::AlphaOf(image.At(x, y)) == 0) mask->surface.Set(x, y, 0xFFFFFF);
    HBITMAP colorHandle = static_cast<HBITMAP>(sys::AddGdiObject(sys::GdiKind::Bitmap, std::move(color)));
    HBITMAP maskHandle = static_cast<HBITMAP>(sys::AddGdiObject(sys::GdiKind::Bitmap, std::move(mask)));
    if (!colorHandle || !maskHandle) {
        DeleteObject(colorHandle);
        DeleteObject(maskHandle);
        return FALSE;
    }
    info->fIcon = object->isIcon ? TRUE : FALSE;
    info->xHotspot = static_cast<DWORD>(object->xHotspot);
    info->yHotspot = static_cast<DWORD>(object->yHotspot);
    info->hbmColor = colorHandle;
    info->hbmMask = maskHandle;
    return TRUE;
}
