#include "platform/system/controls/edit/EditBuffer.h"

#include "platform/base/Cp936Decode.h"

#include <algorithm>

namespace sys {

namespace {

std::size_t CharLength(std::string_view text, std::size_t pos)
{
    char32_t c = 0;
    int n = corvane::DecodeCp936(reinterpret_cast<const unsigned char*>(text.data()) + pos, text.size() - pos, &c);
    return n <= 0 ? 1 : static_cast<std::size_t>(n);
}

// The first line of text, without a NUL: a single-line edit holds one line.
std::string_view FirstLine(std::string_view text)
{
    std::size_t stop = text.find_first_of(std::string_view("\r\n\0", 3));
    return stop == std::string_view::npos ? text : text.substr(0, stop);
}

} // namespace

std::size_t FitBytes(std::string_view text, std::size_t limit)
{
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t n = CharLength(text, pos);
        if (pos + n > limit) break;
        pos += n;
    }
    return std::min(pos, text.size());
}

void EditBuffer::SetText(std::string_view text)
{
    text = text.substr(0, text.find('\0'));
    m_text.assign(text.substr(0, FitBytes(text, m_limit)));
    m_anchor = m_caret = 0;
    Changed();
}

void EditBuffer::SetLimit(std::size_t limit)
{
    m_limit = (limit == 0 || limit > kMaxLimit) ? kMaxLimit : limit;
}

void EditBuffer::SetSel(long long start, long long end)
{
    auto size = static_cast<long long>(m_text.size());
    if (start < 0) {
        m_anchor = m_caret;
        return;
    }
    if (end < 0 || end > size) end = size;
    start = std::min(start, size);
    m_anchor = Snap(static_cast<std::size_t>(start));
    m_caret = Snap(static_cast<std::size_t>(end));
}

void EditBuffer::MoveCaret(std::size_t pos, bool extend)
{
    m_caret = Snap(pos);
    if (!extend) m_anchor = m_caret;
}

bool EditBuffer::ReplaceSel(std::string_view text)
{
    text = FirstLine(text);
    std::size_t start = SelStart(), end = SelEnd();
    std::size_t room = m_limit > m_text.size() - (end - start) ? m_limit - (m_text.size() - (end - start)) : 0;
    std::size_t take = FitBytes(text, room);
    m_text.replace(start, end - start, text.substr(0, take));
    m_anchor = m_caret = start + take;
    Changed();
    return take == text.size();
}

bool EditBuffer::DeleteBack()
{
    if (!HasSelection()) {
        if (m_caret == 0) return false;
        m_anchor = Prev(m_caret);
    }
    ReplaceSel({});
    return true;
}

bool EditBuffer::DeleteForward()
{
    if (!HasSelection()) {
        if (m_caret >= m_text.size()) return false;
        m_anchor = Next(m_caret);
    }
    ReplaceSel({});
    return true;
}

const std::vector<std::size_t>& EditBuffer::Boundaries() const
{
    if (!m_boundsValid) {
        m_bounds.clear();
        std::size_t pos = 0;
        while (pos < m_text.size()) {
            m_bounds.push_back(pos);
            pos += CharLength(m_text, pos);
        }
        m_bounds.push_back(m_text.size());
        m_boundsValid = true;
    }
    return m_bounds;
}

bool EditBuffer::IsBoundary(std::size_t pos) const
{
    const auto& b = Boundaries();
    return std::binary_search(b.begin(), b.end(), pos);
}

std::size_t EditBuffer::Snap(std::size_t pos) const
{
    const auto& b = Boundaries();
    auto it = std::upper_bound(b.begin(), b.end(), pos);
    return it == b.begin() ? 0 : *(it - 1);
}

std::size_t EditBuffer::Prev(std::size_t pos) const
{
    const auto& b = Boundaries();
    auto it = std::lower_bound(b.begin(), b.end(), pos);
    return it == b.begin() ? 0 : *(it - 1);
}

std::size_t EditBuffer::Next(std::size_t pos) const
{
    const auto& b = Boundaries();
    auto it = std::upper_bound(b.begin(), b.end(), pos);
    return it == b.end() ? m_text.size() : *it;
}

bool EditBuffer::IsSpaceAt(std::size_t pos) const
{
    char c = m_text[pos];
    return c == ' ' || c == '\t';
}

std::size_t EditBuffer::PrevWord(std::size_t pos) const
{
    pos = Snap(pos);
    while (pos > 0 && IsSpaceAt(Prev(pos)))
        pos = Prev(pos);
    while (pos > 0 && !IsSpaceAt(Prev(pos)))
        pos = Prev(pos);
    return pos;
}

std::size_t EditBuffer::NextWord(std::size_t pos) const
{
    pos = Snap(pos);
    while (pos < m_text.size() && !IsSpaceAt(pos))
        pos = Next(pos);
    while (pos < m_text.size() && IsSpaceAt(pos))
        pos = Next(pos);
    return pos;
}

void EditBuffer::WordAt(std::size_t pos, std::size_t* start, std::size_t* end) const
{
    pos = Snap(pos);
    if (m_text.empty()) {
        *start = *end = 0;
        return;
    }
    // At the end of the text the word is the one before the caret.
    std::size_t probe = pos < m_text.size() ? pos : Prev(pos);
    bool space = IsSpaceAt(probe);
    std::size_t s = probe, e = probe;
    while (s > 0 && IsSpaceAt(Prev(s)) == space)
        s = Prev(s);
    while (e < m_text.size() && IsSpaceAt(e) == space)
        e = Next(e);
    *start = s;
    *end = e;
}

bool EditCharAssembler::Feed(unsigned char byte, std::string* out)
{
    m_pending.push_back(static_cast<char>(byte));
    auto first = static_cast<unsigned char>(m_pending[0]);
    if (first < 0x81 || first == 0xFF) {
        // Single-byte characters (0x80 is the euro sign).
        *out = m_pending;
        m_pending.clear();
        return true;
    }
    std::size_t n = m_pending.size();
    auto second = n > 1 ? static_cast<unsigned char>(m_pending[1]) : 0;
    if (n == 1) return false;
    bool fourByte = second >= 0x30 && second <= 0x39;
    bool twoByte = second >= 0x40 && second <= 0xFE && second != 0x7F;
    if (!fourByte && !twoByte) {
        // The lead cannot start a character with this byte: drop it, keep the byte.
        m_pending.erase(0, 1);
        std::string rest = m_pending;
        m_pending.clear();
        return !rest.empty() && Feed(static_cast<unsigned char>(rest[0]), out);
    }
    if (twoByte) {
        *out = m_pending;
        m_pending.clear();
        return true;
    }
    if (n == 2) return false;
    if (n == 3) {
        // The third byte of a four-byte character is a lead-range byte.
        auto third = static_cast<unsigned char>(m_pending[2]);
        if (third < 0x81 || third == 0xFF) m_pending.clear();
        return false;
    }
    auto fourth = static_cast<unsigned char>(m_pending[3]);
    bool ok = fourth >= 0x30 && fourth <= 0x39;
    if (ok) *out = m_pending;
    m_pending.clear();
    return ok;
}

} // namespace sys
