#include "platform/system/window/WindowTree.h"

#include "platform/system/window/Desktop.h"

#include <algorithm>
#include <cstdint>

namespace sys {

namespace {

struct Slot {
    std::unique_ptr<Window> window;
    std::uint32_t generation = 1;
};

std::vector<Slot>& Slots()
{
    static std::vector<Slot> slots;
    return slots;
}

std::vector<std::size_t>& FreeSlots()
{
    static std::vector<std::size_t> free;
    return free;
}

constexpr std::uintptr_t kIndexBits = 24;
constexpr std::uintptr_t kIndexMask = (std::uintptr_t{1} << kIndexBits) - 1;
constexpr std::uintptr_t kGenerationMask = 0xFFFFFF;

HWND Encode(std::size_t index, std::uint32_t generation)
{
    std::uintptr_t v = ((static_cast<std::uintptr_t>(generation) & kGenerationMask) << kIndexBits) | (index + 1);
    return reinterpret_cast<HWND>(v << 4);
}

} // namespace

Window* Lookup(HWND hwnd)
{
    auto v = reinterpret_cast<std::uintptr_t>(hwnd);
    if (v & 0xF) return nullptr;
    v >>= 4;
    std::uintptr_t index1 = v & kIndexMask;
    if (index1 == 0) return nullptr;
    std::size_t index = index1 - 1;
    auto& slots = Slots();
    if (index >= slots.size()) return nullptr;
    Slot& s = slots[index];
    if (!s.window || (s.generation & kGenerationMask) != ((v >> kIndexBits) & kGenerationMask)) return nullptr;
    return s.window.get();
}

Window* LookupLive(HWND hwnd)
{
    Window* w = Lookup(hwnd);
    return w && !w->destroying ? w : nullptr;
}

HWND AllocateWindow(std::unique_ptr<Window> w)
{
    auto& slots = Slots();
    auto& free = FreeSlots();
    std::size_t index;
    if (!free.empty()) {
        index = free.back();
        free.pop_back();
    } else {
        if (slots.size() >= kIndexMask) return nullptr;
        index = slots.size();
        slots.emplace_back();
    }
    Slot& s = slots[index];
    HWND h = Encode(index, s.generation);
    w->handle = h;
    s.window = std::move(w);
    return h;
}

void FreeWindow(HWND hwnd)
{
    if (!Lookup(hwnd)) return;
    std::size_t index = ((reinterpret_cast<std::uintptr_t>(hwnd) >> 4) & kIndexMask) - 1;
    Slot& s = Slots()[index];
    s.window.reset();
    s.generation = (s.generation + 1) & kGenerationMask;
    if (s.generation == 0) s.generation = 1;
    FreeSlots().push_back(index);
}

std::vector<HWND> AllWindows()
{
    std::vector<HWND> out;
    for (Slot& s : Slots())
        if (s.window) out.push_back(s.window->handle);
    return out;
}

std::vector<HWND>& TopLevels()
{
    static std::vector<HWND> tops;
    return tops;
}

bool IsTopLevel(const Window& w) { return !(w.style & WS_CHILD) || !w.parent; }

HWND RootOf(HWND hwnd)
{
    Window* w = Lookup(hwnd);
    while (w && w->parent) {
        Window* p = Lookup(w->parent);
        if (!p) break;
        w = p;
    }
    return w ? w->handle : nullptr;
}

bool IsDescendant(HWND ancestor, HWND hwnd)
{
    for (Window* w = Lookup(hwnd); w; w = Lookup(w->parent))
        if (w->handle == ancestor) return true;
    return false;
}

bool IsReallyVisible(HWND hwnd)
{
    Window* w = Lookup(hwnd);
    if (!w) return false;
    for (; w; w = Lookup(w->parent))
        if (!(w->style & WS_VISIBLE)) return false;
    return true;
}

std::vector<HWND> Subtree(HWND hwnd)
{
    std::vector<HWND> out;
    std::vector<HWND> stack{hwnd};
    while (!stack.empty()) {
        HWND h = stack.back();
        stack.pop_back();
        Window* w = Lookup(h);
        if (!w) continue;
        out.push_back(h);
        for (auto it = w->children.rbegin(); it != w->children.rend(); ++it) stack.push_back(*it);
    }
    return out;
}

POINT WindowScreenOrigin(const Window& w)
{
    if (!w.parent) return POINT{w.rect.left, w.rect.top};
    Window* p = Lookup(w.parent);
    if (!p) return POINT{w.rect.left, w.rect.top};
    POINT o = ClientScreenOrigin(*p);
    return POINT{o.x + w.rect.left, o.y + w.rect.top};
}

POINT ClientScreenOrigin(const Window& w)
{
    POINT o = WindowScreenOrigin(w);
    return POINT{o.x + w.client.left, o.y + w.client.top};
}

POINT SurfaceOffset(const Window& w)
{
    if (!w.parent) return POINT{0, 0};
    Window* p = Lookup(w.parent);
    if (!p) return POINT{0, 0};
    POINT o = SurfaceOffset(*p);
    return POINT{o.x + p->client.left + w.rect.left, o.y + p->client.top + w.rect.top};
}

namespace {

// The pixels a window covers in its top-level surface.
gfx::Region Footprint(const Window& w)
{
    POINT off = SurfaceOffset(w);
    gfx::Region r(off.x, off.y, off.x + Width(w.rect), off.y + Height(w.rect));
    if (w.shape) {
        gfx::Region shape = *w.shape;
        shape.Offset(off.x, off.y);
        r = r.Intersect(shape);
    }
    return r;
}

} // namespace

gfx::Region VisibleRegion(const Window& w, bool wholeWindow)
{
    POINT off = SurfaceOffset(w);
    RECT area = wholeWindow ? RECT{0, 0, Width(w.rect), Height(w.rect)} : w.client;
    OffsetRect(&area, off.x, off.y);
    gfx::Region rgn(area);
    if (w.shape) {
        gfx::Region shape = *w.shape;
        shape.Offset(off.x, off.y);
        rgn = rgn.Intersect(shape);
    }
    if (w.style & WS_CLIPCHILDREN) {
        for (HWND c : w.children) {
            Window* child = Lookup(c);
            if (child && (child->style & WS_VISIBLE)) rgn = rgn.Subtract(Footprint(*child));
        }
    }
    const Window* cur = &w;
    while (cur->parent) {
        Window* p = Lookup(cur->parent);
        if (!p) break;
        POINT poff = SurfaceOffset(*p);
        RECT pc = p->client;
        OffsetRect(&pc, poff.x, poff.y);
        rgn = rgn.Intersect(gfx::Region(pc));
        if (p->shape) {
            gfx::Region shape = *p->shape;
            shape.Offset(poff.x, poff.y);
            rgn = rgn.Intersect(shape);
        }
        for (HWND s : p->children) {
            if (s == cur->handle) break;
            Window* sib = Lookup(s);
            if (sib && (sib->style & WS_VISIBLE)) rgn = rgn.Subtract(Footprint(*sib));
        }
        cur = p;
    }
    return rgn;
}

void SyncNativeStacking()
{
    std::vector<display::WindowId> ids;
    for (HWND h : TopLevels())
        if (Window* w = Lookup(h); w && w->native) ids.push_back(w->native);
    Backend().Restack(ids);
}

} // namespace sys
