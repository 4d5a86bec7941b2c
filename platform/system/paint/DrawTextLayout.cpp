#include "platform/system/paint/DrawTextLayout.h"

#include "platform/base/Cp936Decode.h"
#include "platform/system/gdi/GdiDefs.h"

#include <algorithm>

namespace sys {
namespace {

using Marks = std::vector<std::pair<std::size_t, std::size_t>>;

std::size_t CharLength(const std::string& s, std::size_t i)
{
    char32_t c;
    int used = corvane::DecodeCp936(reinterpret_cast<const unsigned char*>(s.data()) + i, s.size() - i, &c);
    return used > 0 ? static_cast<std::size_t>(used) : 1;
}

// Byte offsets where each character starts, plus the end.
std::vector<std::size_t> CharStarts(const std::string& s, std::size_t from, std::size_t to)
{
    std::vector<std::size_t> starts;
    for (std::size_t i = from; i < to; i += CharLength(s, i)) starts.push_back(i);
    starts.push_back(to);
    if (starts.size() > 1 && starts[starts.size() - 2] > to) starts.erase(starts.end() - 2);
    return starts;
}

struct Piece {
    std::size_t begin;
    std::size_t end;
};

// Splits a paragraph [begin, end) of the text into lines no wider than maxWidth,
// breaking after spaces and around double-byte characters. A word wider than the
// line stays whole on a line of its own. Widths add up character by character.
void Wrap(const std::string& s, Piece paragraph, int maxWidth, const MeasureFn& measure, std::vector<Piece>& out)
{
    std::vector<std::size_t> starts = CharStarts(s, paragraph.begin, paragraph.end);
    std::size_t count = starts.size() - 1; // characters
    std::vector<long long> x(count + 1, 0);  // x[k]: width of characters before k
    for (std::size_t k = 0; k < count; ++k)
        x[k + 1] = x[k] + measure(s.data() + starts[k], starts[k + 1] - starts[k]);
    auto wide = [&](std::size_t k) { return k < count && starts[k + 1] - starts[k] > 1; };
    auto space = [&](std::size_t k) { return k < count && s[starts[k]] == ' '; };

    const std::size_t linesBefore = out.size();
    std::size_t first = 0; // first character of the current line
    while (first < count) {
        std::size_t best = 0, bestNext = 0; // line end (characters) and next line's first character
        bool found = false;
        for (std::size_t cut = first + 1; cut <= count; ++cut) {
            bool canBreak = cut == count || space(cut - 1) || wide(cut - 1) || wide(cut);
            if (!canBreak) continue;
            std::size_t end = cut;
            while (end > first && space(end - 1)) --end;
            if (end == first) continue;
            if (x[end] - x[first] <= maxWidth || !found) {
                bool fits = x[end] - x[first] <= maxWidth;
                best = end;
                bestNext = cut;
                found = true;
                if (!fits) break; // a first word too wide for the line stays whole
            } else {
                break;
            }
        }
        if (!found) break; // only spaces remain
        out.push_back({starts[first], starts[best]});
        first = bestNext;
        while (first < count && space(first)) ++first;
    }
    if (out.size() == linesBefore) out.push_back({paragraph.begin, paragraph.begin});
}

// Keeps the longest leading run of characters that fits with "..." after it.
void Ellipsize(TextLine& line, int maxWidth, const MeasureFn& measure)
{
    static const std::string kDots = "...";
    if (line.width <= maxWidth) return;
    std::vector<std::size_t> starts = CharStarts(line.text, 0, line.text.size());
    std::size_t keep = 0;
    for (std::size_t k = starts.size(); k-- > 0;) {
        std::string candidate = line.text.substr(0, starts[k]) + kDots;
        if (measure(candidate.data(), candidate.size()) <= maxWidth) {
            keep = starts[k];
            break;
        }
    }
    line.text = line.text.substr(0, keep) + kDots;
    line.width = measure(line.text.data(), line.text.size());
    Marks kept;
    for (auto& m : line.underlined)
        if (m.first + m.second <= keep) kept.push_back(m);
    line.underlined = std::move(kept);
}

} // namespace

std::string StripPrefixes(const char* s, std::size_t n, Marks* marks)
{
    std::string out;
    out.reserve(n);
    const auto* bytes = reinterpret_cast<const unsigned char*>(s);
    for (std::size_t i = 0; i < n;) {
        if (s[i] == '&') {
            if (i + 1 >= n) break; // a lone mark at the end
            if (s[i + 1] == '&') {
                out.push_back('&');
                i += 2;
                continue;
            }
            char32_t c;
            std::size_t used = static_cast<std::size_t>(corvane::DecodeCp936(bytes + i + 1, n - i - 1, &c));
            if (marks) marks->push_back({out.size(), used});
            out.append(s + i + 1, used);
            i += 1 + used;
            continue;
        }
        char32_t c;
        std::size_t used = static_cast<std::size_t>(corvane::DecodeCp936(bytes + i, n - i, &c));
        out.append(s + i, used);
        i += used;
    }
    return out;
}

std::vector<TextLine> LayOutText(const TextLayoutRequest& request, const MeasureFn& measure)
{
    const unsigned format = request.format;
    Marks marks;
    std::string clean = (format & DT_NOPREFIX) ? std::string(request.text ? request.text : "", request.text ? request.length : 0)
                                               : StripPrefixes(request.text ? request.text : "", request.text ? request.length : 0, &marks);

    std::vector<Piece> paragraphs;
    if (format & DT_SINGLELINE) {
        paragraphs.push_back({0, clean.size()});
    } else {
        std::size_t start = 0;
        for (std::size_t i = 0; i < clean.size();) {
            if (clean[i] == '\r' || clean[i] == '\n') {
                paragraphs.push_back({start, i});
                std::size_t skip = (clean[i] == '\r' && i + 1 < clean.size() && clean[i + 1] == '\n') ? 2 : 1;
                i += skip;
                start = i;
            } else {
                i += CharLength(clean, i);
            }
        }
        paragraphs.push_back({start, clean.size()});
    }

    std::vector<Piece> pieces;
    bool wrap = (format & DT_WORDBREAK) && !(format & DT_SINGLELINE);
    for (const Piece& p : paragraphs) {
        if (wrap && p.end > p.begin) Wrap(clean, p, std::max(request.maxWidth, 0), measure, pieces);
        else pieces.push_back(p);
    }

    std::vector<TextLine> lines;
    lines.reserve(pieces.size());
    for (const Piece& p : pieces) {
        TextLine line;
        line.text = clean.substr(p.begin, p.end - p.begin);
        line.width = measure(line.text.data(), line.text.size());
        for (auto& m : marks)
            if (m.first >= p.begin && m.first + m.second <= p.end) line.underlined.push_back({m.first - p.begin, m.second});
        if (format & (DT_END_ELLIPSIS | DT_WORD_ELLIPSIS | DT_PATH_ELLIPSIS))
            Ellipsize(line, std::max(request.maxWidth, 0), measure);
        lines.push_back(std::move(line));
    }
    return lines;
}

} // namespace sys
