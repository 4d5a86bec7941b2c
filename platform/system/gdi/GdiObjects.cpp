#include "platform/system/gdi/GdiObjects.h"

#include "platform/gfx/FontEngine.h"
#include "platform/gfx/FontRequest.h"
#include "platform/system/gdi/Gdi.h"
#include "platform/system/paint/DcState.h"

#include <array>
#include <cstring>
#include <vector>

namespace sys {
namespace {

// A handle is (generation << 32) | (index + 1): never null, and a reused slot
// gets a new generation, so an old handle to it stays invalid.
constexpr std::size_t kMaxObjects = 1u << 20;

struct Slot {
    GdiKind kind = GdiKind::Free;
    bool stock = false;
    std::uint32_t generation = 1;
    std::unique_ptr<GdiPayload> payload;
};

struct Table {
    std::vector<Slot> slots;
    std::vector<std::uint32_t> freeList;
    std::size_t live = 0;
};

Table& GetTable()
{
    static Table* table = new Table; // lives for the process: handles may be used by static objects
    return *table;
}

void* MakeHandle(std::uint32_t index, std::uint32_t generation)
{
    std::uintptr_t value = (static_cast<std::uintptr_t>(generation) << 32) | (static_cast<std::uintptr_t>(index) + 1);
    return reinterpret_cast<void*>(value);
}

Slot* SlotOf(const void* handle)
{
    std::uintptr_t value = reinterpret_cast<std::uintptr_t>(handle);
    std::uintptr_t low = value & 0xFFFFFFFFu;
    if (low == 0) return nullptr;
    Table& t = GetTable();
    std::size_t index = low - 1;
    if (index >= t.slots.size()) return nullptr;
    Slot& s = t.slots[index];
    if (s.kind == GdiKind::Free || s.generation != static_cast<std::uint32_t>(value >> 32)) return nullptr;
    return &s;
}

struct StockSet {
    std::array<HGDIOBJ, DC_PEN + 1> objects{};
    HBITMAP bitmap = nullptr;
};

HGDIOBJ MakeStockPen(int style, COLORREF color)
{
    auto pen = std::make_unique<PenObject>();
    pen->style = style;
    pen->color = color;
    return AddGdiObject(GdiKind::Pen, std::move(pen), true);
}

HGDIOBJ MakeStockBrush(UINT style, COLORREF color)
{
    auto brush = std::make_unique<BrushObject>();
    brush->style = style;
    brush->color = color;
    return AddGdiObject(GdiKind::Brush, std::move(brush), true);
}

HGDIOBJ MakeStockFont(const gfx::FontRequest& request, BYTE pitchAndFamily, BYTE charSet)
{
    auto font = std::make_unique<FontObject>();
    font->log.lfHeight = request.height;
    font->log.lfWidth = request.width;
    font->log.lfWeight = request.weight;
    font->log.lfCharSet = charSet;
    font->log.lfPitchAndFamily = pitchAndFamily;
    std::strncpy(font->log.lfFaceName, request.faceName.c_str(), LF_FACESIZE - 1);
    return AddGdiObject(GdiKind::Font, std::move(font), true);
}

const StockSet& Stock()
{
    static const StockSet* set = [] {
        auto* s = new StockSet;
        s->objects[WHITE_BRUSH] = MakeStockBrush(BS_SOLID, RGB(255, 255, 255));
        s->objects[LTGRAY_BRUSH] = MakeStockBrush(BS_SOLID, RGB(192, 192, 192));
        s->objects[GRAY_BRUSH] = MakeStockBrush(BS_SOLID, RGB(128, 128, 128));
        s->objects[DKGRAY_BRUSH] = MakeStockBrush(BS_SOLID, RGB(64, 64, 64));
        s->objects[BLACK_BRUSH] = MakeStockBrush(BS_SOLID, RGB(0, 0, 0));
        s->objects[NULL_BRUSH] = MakeStockBrush(BS_NULL, 0);
        s->objects[WHITE_PEN] = MakeStockPen(PS_SOLID, RGB(255, 255, 255));
        s->objects[BLACK_PEN] = MakeStockPen(PS_SOLID, RGB(0, 0, 0));
        s->objects[NULL_PEN] = MakeStockPen(PS_NULL, 0);
        // The DC pen and brush take their colour from the DC they are selected into.
        s->objects[DC_BRUSH] = MakeStockBrush(BS_SOLID, RGB(255, 255, 255));
        s->objects[DC_PEN] = MakeStockPen(PS_SOLID, RGB(0, 0, 0));

        gfx::FontRequest system = gfx::SystemFontRequest();
        gfx::FontRequest gui = gfx::DefaultGuiFontRequest();
        constexpr BYTE kVariable = VARIABLE_PITCH | FF_SWISS;
        s->objects[SYSTEM_FONT] = MakeStockFont(system, kVariable, GB2312_CHARSET);
        s->objects[DEVICE_DEFAULT_FONT] = MakeStockFont(system, kVariable, GB2312_CHARSET);
        s->objects[DEFAULT_GUI_FONT] = MakeStockFont(gui, kVariable, GB2312_CHARSET);
        s->objects[ANSI_VAR_FONT] = MakeStockFont(gui, kVariable, ANSI_CHARSET);
        gfx::FontRequest fixed = gui;
        fixed.faceName = "Courier New";
        s->objects[ANSI_FIXED_FONT] = MakeStockFont(fixed, FIXED_PITCH | FF_MODERN, ANSI_CHARSET);
        s->objects[OEM_FIXED_FONT] = MakeStockFont(fixed, FIXED_PITCH | FF_MODERN, GB2312_CHARSET);
        s->objects[SYSTEM_FIXED_FONT] = MakeStockFont(fixed, FIXED_PITCH | FF_MODERN, GB2312_CHARSET);

        auto bitmap = std::make_unique<BitmapObject>();
        bitmap->surface.Resize(1, 1, 0);
        bitmap->bitsPixel = 1;
        s->bitmap = static_cast<HBITMAP>(AddGdiObject(GdiKind::Bitmap, std::move(bitmap), true));
        return s;
    }();
    return *set;
}

} // namespace

void* AddGdiObject(GdiKind kind, std::unique_ptr<GdiPayload> payload, bool stock)
{
    if (kind == GdiKind::Free || !payload) return nullptr;
    Table& t = GetTable();
    std::uint32_t index;
    if (!t.freeList.empty()) {
        index = t.freeList.back();
        t.freeList.pop_back();
    } else {
        if (t.slots.size() >= kMaxObjects) return nullptr;
        index = static_cast<std::uint32_t>(t.slots.size());
        t.slots.emplace_back();
    }
    Slot& s = t.slots[index];
    s.kind = kind;
    s.stock = stock;
    s.payload = std::move(payload);
    if (!stock) ++t.live; // stock objects are made on first use and live forever: not counted
    return MakeHandle(index, s.generation);
}

GdiKind KindOf(const void* handle)
{
    Slot* s = SlotOf(handle);
    return s ? s->kind : GdiKind::Free;
}

bool IsStockObject(const void* handle)
{
    Slot* s = SlotOf(handle);
    return s && s->stock;
}

GdiPayload* PayloadOf(const void* handle, GdiKind kind)
{
    Slot* s = SlotOf(handle);
    return s && s->kind == kind ? s->payload.get() : nullptr;
}

void RemoveGdiObject(const void* handle)
{
    Slot* s = SlotOf(handle);
    if (!s) return;
    Table& t = GetTable();
    std::unique_ptr<GdiPayload> payload = std::move(s->payload);
    if (!s->stock) --t.live;
    s->kind = GdiKind::Free;
    s->stock = false;
    if (++s->generation == 0) s->generation = 1;
    t.freeList.push_back(static_cast<std::uint32_t>(s - t.slots.data()));
    payload.reset(); // after the slot is free, in case the payload's destructor looks handles up
}

std::size_t GdiObjectCount() { return GetTable().live; }

HGDIOBJ StockObject(int index)
{
    if (index < 0 || index > DC_PEN) return nullptr;
    return Stock().objects[static_cast<std::size_t>(index)];
}

HBITMAP StockBitmap() { return Stock().bitmap; }

gfx::Font* ResolveFont(HFONT handle)
{
    FontObject* f = Lookup<FontObject>(handle);
    if (!f) return nullptr;
    if (!f->font) {
        const LOGFONTA& lf = f->log;
        gfx::FontRequest request;
        request.height = lf.lfHeight;
        request.width = lf.lfWidth;
        request.weight = lf.lfWeight;
        request.italic = lf.lfItalic != 0;
        request.underline = lf.lfUnderline != 0;
        request.strikeOut = lf.lfStrikeOut != 0;
        request.faceName.assign(lf.lfFaceName, strnlen(lf.lfFaceName, LF_FACESIZE));
        f->font = gfx::FontEngine::Instance().Get(request);
    }
    return f->font.get();
}

} // namespace sys

HGDIOBJ GetStockObject(int index) { return sys::StockObject(index); }

DWORD GetObjectType(HGDIOBJ handle)
{
    switch (sys::KindOf(handle)) {
    case sys::GdiKind::Pen: return OBJ_PEN;
    case sys::GdiKind::Brush: return OBJ_BRUSH;
    case sys::GdiKind::Font: return OBJ_FONT;
    case sys::GdiKind::Bitmap: return OBJ_BITMAP;
    case sys::GdiKind::Region: return OBJ_REGION;
    case sys::GdiKind::Dc: return sys::IsMemoryDc(static_cast<HDC>(handle)) ? OBJ_MEMDC : OBJ_DC;
    default: return 0;
    }
}

BOOL DeleteObject(HGDIOBJ handle)
{
    sys::GdiKind kind = sys::KindOf(handle);
    switch (kind) {
    case sys::GdiKind::Pen:
    case sys::GdiKind::Brush:
    case sys::GdiKind::Font:
    case sys::GdiKind::Bitmap:
    case sys::GdiKind::Region: break;
    default: return FALSE; // null, stale, a DC or an icon
    }
    if (sys::IsStockObject(handle)) return TRUE; // harmless, and the object stays
    if (sys::IsSelectedInDc(handle)) return FALSE;
    sys::RemoveGdiObject(handle);
    return TRUE;
}

int GetObjectA(HGDIOBJ handle, int size, LPVOID out)
{
    auto give = [&](const auto& value) -> int {
        int need = static_cast<int>(sizeof(value));
        if (!out) return need;
        if (size < need) return 0;
        std::memcpy(out, &value, sizeof(value));
        return need;
    };
    if (size < 0) return 0;
    if (auto* pen = sys::Lookup<sys::PenObject>(handle)) {
        LOGPEN lp{static_cast<UINT>(pen->style), POINT{pen->width, 0}, pen->color};
        return give(lp);
    }
    if (auto* brush = sys::Lookup<sys::BrushObject>(handle)) {
        LOGBRUSH lb{brush->style, brush->color, static_cast<std::uintptr_t>(brush->hatch)};
        return give(lb);
    }
    if (auto* font = sys::Lookup<sys::FontObject>(handle)) return give(font->log);
    if (auto* bitmap = sys::Lookup<sys::BitmapObject>(handle)) {
        BITMAP bm{};
        bm.bmWidth = bitmap->surface.Width();
        bm.bmHeight = bitmap->surface.Height();
        bm.bmBitsPixel = static_cast<WORD>(bitmap->bitsPixel);
        bm.bmPlanes = 1;
        // Rows are padded to a whole number of 16-bit words.
        bm.bmWidthBytes = ((bm.bmWidth * bitmap->bitsPixel + 15) / 16) * 2;
        return give(bm);
    }
    return 0;
}
