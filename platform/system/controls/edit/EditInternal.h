// What an edit window keeps (internal to the edit control's files): its text
// and selection, font, horizontal scroll and the geometry derived from them.
#pragma once

#include "platform/system/controls/PressTracker.h"
#include "platform/system/controls/edit/EditBuffer.h"
#include "platform/system/window/WinUser.h"

#include <vector>

namespace sys {

struct EditState {
    EditBuffer buffer;
    EditCharAssembler typed;
    HFONT font = nullptr; // as WM_SETFONT set it; null for the system font
    int scrollX = 0;      // pixels of text scrolled out on the left
    int leftMargin = 1;
    int rightMargin = 1;
    bool focused = false;
    PressTracker drag; // the left button selecting text
    bool modified = false;
    // x of every character boundary (EditBuffer::Boundaries), from 0.
    std::vector<int> xs;
    bool xsValid = false;
};

// The state of a live edit window, null for any other.
EditState* FindEditState(HWND hwnd);

// Geometry of the text inside the client area.
struct EditLayout {
    RECT format{0, 0, 0, 0}; // client area less the margins: where text may show
    int originX = 0;         // client x of text position 0 (scroll and alignment applied)
    int top = 0;             // client y of the text's cell
    int lineHeight = 0;
};

void InvalidateEditMetrics(EditState& s);
const std::vector<int>& EditXs(EditState& s);
EditLayout LayOutEdit(HWND hwnd, EditState& s);
// Client x of a text position, and the position nearest a client x.
int EditXOfPos(HWND hwnd, EditState& s, std::size_t pos);
std::size_t EditPosFromX(HWND hwnd, EditState& s, int clientX);
// With ES_AUTOHSCROLL, scrolls so the caret is inside the format rectangle.
void ScrollCaretIntoView(HWND hwnd, EditState& s);
// Width of the whole text in pixels.
int EditTextWidth(EditState& s);
void PaintEdit(HWND hwnd, EditState& s, HDC hdc);

} // namespace sys
