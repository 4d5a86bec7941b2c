#include "tests/e2e/ScreenScan.h"

#include <algorithm>

namespace corvane::test {

namespace {

bool Dark(gfx::Pixel p)
{
    return ((p >> 16) & 0xFF) < 0x80 && ((p >> 8) & 0xFF) < 0x80 && (p & 0xFF) < 0x80;
}

bool Black(gfx::Pixel p)
{
    return (p & 0xFFFFFF) == 0;
}

CRect Clip(const gfx::Surface& s, const CRect& area)
{
    CRect bounds = s.Bounds();
    CRect r;
    r.IntersectRect(&area, &bounds);
    return r;
}

} // namespace

std::vector<Band> StatusBands(const gfx::Surface& s, const CRect& areaIn, int minHeight)
{
    CRect area = Clip(s, areaIn);
    std::vector<Band> bands;
    const gfx::Pixel colours[3] = {kGreenRow, kRedRow, kYellowRow};
    const Shade shades[3] = {Shade::Green, Shade::Red, Shade::Yellow};
    auto close = [&](int end) {
        if (!bands.empty() && bands.back().bottom < 0) {
            bands.back().bottom = end;
            if (end - bands.back().top < minHeight) bands.pop_back();
        }
    };
    for (int y = area.top; y < area.bottom; ++y) {
        int count[3] = {0, 0, 0};
        for (int x = area.left; x < area.right; ++x)
            for (int c = 0; c < 3; ++c)
                if ((s.At(x, y) & 0xFFFFFF) == colours[c]) ++count[c];
        int shade = -1;
        for (int c = 0; c < 3; ++c)
            if (count[c] * 2 >= area.Width()) shade = c;
        bool open = !bands.empty() && bands.back().bottom < 0;
        if (open && (shade < 0 || bands.back().shade != shades[shade])) {
            close(y);
            open = false;
        }
        if (!open && shade >= 0) bands.push_back(Band{shades[shade], y, -1});
    }
    close(area.bottom);
    return bands;
}

std::string Names(const std::vector<Band>& bands)
{
    std::string out;
    for (const Band& b : bands) {
        if (!out.empty()) out += ' ';
        out += b.shade == Shade::Green ? "green" : b.shade == Shade::Red ? "red" : "yellow";
    }
    return out;
}

std::vector<Span> TextLines(const gfx::Surface& s, const CRect& areaIn, int gap)
{
    CRect area = Clip(s, areaIn);
    std::vector<Span> lines;
    for (int y = area.top; y < area.bottom; ++y) {
        bool dark = false;
        for (int x = area.left; x < area.right && !dark; ++x)
            dark = Dark(s.At(x, y));
        if (!dark) continue;
        if (!lines.empty() && y - lines.back().to <= gap)
            lines.back().to = y + 1;
        else
            lines.push_back(Span{y, y + 1});
    }
    return lines;
}

bool BlackColumn(const gfx::Surface& s, int x, int top, int bottom)
{
    if (x < 0 || x >= s.Width() || top < 0 || bottom > s.Height() || top >= bottom) return false;
    for (int y = top; y < bottom; ++y)
        if (!Black(s.At(x, y))) return false;
    return true;
}

int RightmostBlackColumn(const gfx::Surface& s, const CRect& areaIn)
{
    CRect area = Clip(s, areaIn);
    for (int x = area.right - 1; x >= area.left; --x)
        if (BlackColumn(s, x, area.top, area.bottom)) return x;
    return -1;
}

Span BlackRunThrough(const gfx::Surface& s, int x, int y)
{
    if (x < 0 || x >= s.Width() || y < 0 || y >= s.Height() || !Black(s.At(x, y))) return Span{y, y};
    int top = y, bottom = y + 1;
    while (top > 0 && Black(s.At(x, top - 1)))
        --top;
    while (bottom < s.Height() && Black(s.At(x, bottom)))
        ++bottom;
    return Span{top, bottom};
}

std::vector<Span> WhiteRuns(const gfx::Surface& s, int top, int bottom, int x0, int x1, int minLength)
{
    std::vector<Span> runs;
    for (int y = std::max(top, 0); y < std::min(bottom, s.Height()); ++y) {
        int x = std::max(x0, 0);
        int end = std::min(x1, s.Width());
        while (x < end) {
            if ((s.At(x, y) & 0xFFFFFF) != 0xFFFFFF) {
                ++x;
                continue;
            }
            int start = x;
            while (x < end && (s.At(x, y) & 0xFFFFFF) == 0xFFFFFF)
                ++x;
            if (x - start < minLength) continue;
            Span run{start, x};
            auto overlapping = std::find_if(runs.begin(), runs.end(),
                                            [&](const Span& r) { return r.from < run.to && run.from < r.to; });
            if (overlapping == runs.end()) {
                runs.push_back(run);
            } else {
                overlapping->from = std::min(overlapping->from, run.from);
                overlapping->to = std::max(overlapping->to, run.to);
            }
        }
    }
    std::sort(runs.begin(), runs.end(), [](const Span& a, const Span& b) { return a.from < b.from; });
    return runs;
}

int DifferentPixels(const gfx::Surface& a, const gfx::Surface& b)
{
    if (a.Width() != b.Width() || a.Height() != b.Height()) return -1;
    int n = 0;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            if ((a.At(x, y) & 0xFFFFFF) != (b.At(x, y) & 0xFFFFFF)) ++n;
    return n;
}

int CountPixels(const gfx::Surface& s, gfx::Pixel p)
{
    int n = 0;
    for (int y = 0; y < s.Height(); ++y)
        for (int x = 0; x < s.Width(); ++x)
            if ((s.At(x, y) & 0xFFFFFF) == p) ++n;
    return n;
}

} // namespace corvane::test
