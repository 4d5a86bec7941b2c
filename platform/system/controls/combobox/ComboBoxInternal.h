// The drop-down list combo box's state and the pieces its procedure is made of.
#pragma once

#include "platform/system/controls/combobox/ComboBox.h"
#include "platform/system/controls/listbox/ListBoxInternal.h"

#include <vector>

namespace sys::cb {

struct Combo {
    HWND hwnd = nullptr;
    HFONT font = nullptr;
    std::vector<lb::Item> items;
    int sel = -1;
    HWND list = nullptr; // the dropped list, while dropped
    bool armed = false;  // a press landed in the dropped list
    bool focused = false;
    int dropHeight = 0; // the created height: face plus list
};

Combo* From(HWND hwnd);
// The face's height for the font: the text, padding and the sunken edge.
int FaceHeight(const Combo& c);
// Makes the window as tall as its face.
void FitFace(Combo& c);
// The face's parts in client coordinates: the drop button at the right end,
// inside the sunken edge, and the field left of it that shows the choice.
struct FaceLayout {
    RECT button{0, 0, 0, 0};
    RECT field{0, 0, 0, 0};
};
FaceLayout LayoutFace(const Combo& c);
void Paint(const Combo& c, HDC hdc);
void Notify(HWND hwnd, WORD code);
void DropDown(Combo& c);
// Closes the dropped list; accept takes the list's selection as the choice.
void CloseUp(Combo& c, bool accept);

} // namespace sys::cb
