// The text of a single-line edit as code page 936 bytes with its selection.
// Every position it hands out lies on a character boundary, so the caret and
// the selection never split a double-byte character.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace sys {

class EditBuffer {
public:
    // Classic default limit of a single-line edit (EM_LIMITTEXT 0 raises it to kMaxLimit).
    static constexpr std::size_t kDefaultLimit = 30000;
    static constexpr std::size_t kMaxLimit = 0x7FFFFFFE;

    const std::string& Text() const { return m_text; }
    std::size_t Size() const { return m_text.size(); }
    // Replaces the text (cut to the limit); the caret goes to the start.
    void SetText(std::string_view text);

    std::size_t Limit() const { return m_limit; }
    // 0 means the largest limit. The text already there is kept.
    void SetLimit(std::size_t limit);

    std::size_t Anchor() const { return m_anchor; }
    std::size_t Caret() const { return m_caret; }
    std::size_t SelStart() const { return m_anchor < m_caret ? m_anchor : m_caret; }
    std::size_t SelEnd() const { return m_anchor < m_caret ? m_caret : m_anchor; }
    bool HasSelection() const { return m_anchor != m_caret; }
    std::string SelectedText() const { return m_text.substr(SelStart(), SelEnd() - SelStart()); }

    // EM_SETSEL: a negative start removes the selection (the caret stays), a
    // negative or too large end means the end of the text; the caret goes to end.
    void SetSel(long long start, long long end);
    // Moves the caret; with extend the anchor stays (a selection grows or shrinks).
    void MoveCaret(std::size_t pos, bool extend);

    // Replaces the selection with text: stops at the first line break or NUL
    // and at the limit (never inside a character). Returns false when the
    // limit cut something off.
    bool ReplaceSel(std::string_view text);
    // Backspace and Delete: the selection, else the character before or after
    // the caret. False when nothing was removed.
    bool DeleteBack();
    bool DeleteForward();

    // Character boundaries: 0, the start of every character, and Size().
    const std::vector<std::size_t>& Boundaries() const;
    bool IsBoundary(std::size_t pos) const;
    // The boundary at or before pos (pos clamped to the text).
    std::size_t Snap(std::size_t pos) const;
    std::size_t Prev(std::size_t pos) const;
    std::size_t Next(std::size_t pos) const;
    // Word movement (Ctrl+arrows) and the word around a position (double click).
    std::size_t PrevWord(std::size_t pos) const;
    std::size_t NextWord(std::size_t pos) const;
    void WordAt(std::size_t pos, std::size_t* start, std::size_t* end) const;

private:
    bool IsSpaceAt(std::size_t pos) const;
    void Changed() { m_boundsValid = false; }

    std::string m_text;
    std::size_t m_anchor = 0;
    std::size_t m_caret = 0;
    std::size_t m_limit = kDefaultLimit;
    mutable std::vector<std::size_t> m_bounds;
    mutable bool m_boundsValid = false;
};

// Bytes of text that fit in limit without splitting a character.
std::size_t FitBytes(std::string_view text, std::size_t limit);

// Collects typed bytes: a lead byte waits for the rest of its character, so a
// double-byte character typed as two WM_CHAR bytes arrives whole.
class EditCharAssembler {
public:
    // Feeds one byte; returns true and fills out when a whole character is ready.
    // A lead byte followed by a byte that cannot continue it is dropped.
    bool Feed(unsigned char byte, std::string* out);
    void Reset() { m_pending.clear(); }

private:
    std::string m_pending;
};

} // namespace sys
