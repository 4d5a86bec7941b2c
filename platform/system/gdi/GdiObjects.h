// The table behind every drawing-object handle. A handle is an index plus the
// generation of its slot, so a deleted or foreign handle is recognised and the
// call fails instead of touching freed memory.
#pragma once

#include "platform/gfx/Region.h"
#include "platform/gfx/Surface.h"
#include "platform/system/gdi/GdiDefs.h"

#include <cstdint>
#include <memory>

namespace gfx {
class Font;
}

namespace sys {

enum class GdiKind : std::uint8_t { Free, Pen, Brush, Font, Bitmap, Region, Dc, Icon };

struct GdiPayload {
    virtual ~GdiPayload() = default;
};

struct PenObject : GdiPayload {
    static constexpr GdiKind kKind = GdiKind::Pen;
    int style = PS_SOLID;
    int width = 1;
    COLORREF color = 0;
};

struct BrushObject : GdiPayload {
    static constexpr GdiKind kKind = GdiKind::Brush;
    UINT style = BS_SOLID;
    COLORREF color = 0;
    int hatch = 0;
};

struct FontObject : GdiPayload {
    static constexpr GdiKind kKind = GdiKind::Font;
    LOGFONTA log{};
    std::shared_ptr<gfx::Font> font; // resolved on first use
};

struct BitmapObject : GdiPayload {
    static constexpr GdiKind kKind = GdiKind::Bitmap;
    gfx::Surface surface;
    int bitsPixel = 32;
    bool hasAlpha = false; // pixels carry straight alpha in their high byte
};

struct RegionObject : GdiPayload {
    static constexpr GdiKind kKind = GdiKind::Region;
    gfx::Region region;
};

// An icon: its colour image with straight alpha (a 1-bit mask already folded in).
struct IconObject : GdiPayload {
    static constexpr GdiKind kKind = GdiKind::Icon;
    gfx::Surface image;
    bool isIcon = true;
    int xHotspot = 0;
    int yHotspot = 0;
};

struct DcObject; // DcState.h

// Allocates a slot for the payload; null when the table is full. Stock objects
// survive DeleteObject.
void* AddGdiObject(GdiKind kind, std::unique_ptr<GdiPayload> payload, bool stock = false);
// The kind of a live handle, GdiKind::Free for anything else (null, stale, foreign).
GdiKind KindOf(const void* handle);
bool IsStockObject(const void* handle);
GdiPayload* PayloadOf(const void* handle, GdiKind kind);
// Releases the slot whatever its state (DeleteObject checks the rules first).
void RemoveGdiObject(const void* handle);
// Live objects made by the program (stock objects are not counted).
std::size_t GdiObjectCount();

template <class T>
T* Lookup(const void* handle)
{
    return static_cast<T*>(PayloadOf(handle, T::kKind));
}

// Stock objects by GetStockObject index, and the 1x1 bitmap every memory DC starts with.
HGDIOBJ StockObject(int index);
HBITMAP StockBitmap();

// NULLREGION, SIMPLEREGION or COMPLEXREGION.
int RegionComplexity(const gfx::Region& region);

// The font engine's font for a font object, resolved on first use; null for a bad handle.
gfx::Font* ResolveFont(HFONT font);

} // namespace sys
