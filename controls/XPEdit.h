// CXPEdit: an edit box that paints its own border: a flat sunken edge, or while
// the mouse rests on it a black outline filled with a pale green-grey brush.
#pragma once

#include "controls/MouseTrackEdit.h"

class CXPEdit : public CMouseTrackEdit {
public:
    CXPEdit();
    ~CXPEdit() override;

protected:
    CBrush m_brushHover;

    void OnPointerRest() override;
    void OnPointerLeave() override;
    // Paints the border in place of the system's; the system's is never drawn.
    void OnNcPaint();

    DECLARE_MESSAGE_MAP()
};
