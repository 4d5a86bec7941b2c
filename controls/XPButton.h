// CXPButton: a push button that paints itself: a thin rounded border, a face in
// a 64-band vertical gradient, a green inner frame while the mouse rests on it,
// a blue one with a focus rectangle while it has the focus, and its caption
// centred. The mouse is followed by hover and leave tracking, not by capture.
#pragma once

#include "platform/framework/Afxwin.h"
#include "platform/framework/CtlButton.h"

class CXPButton : public CButton {
public:
    CXPButton();
    ~CXPButton() override;

protected:
    CPen m_penBorder;
    CPen m_penHoverLeft;
    CPen m_penHoverRight;
    CPen m_penHoverTop;
    CPen m_penHoverBottom;
    CPen m_penFocusLeft;
    CPen m_penFocusRight;
    CPen m_penFocusTop;
    CPen m_penFocusBottom;
    BOOL m_bOver;     // the mouse rests on the button
    BOOL m_bTracking; // hover and leave tracking is armed
    BOOL m_bFocus;    // focused at the last paint
    BOOL m_bActive;   // focused, pressed or default at the last paint

    void PreSubclassWindow() override;
    void DrawItem(DRAWITEMSTRUCT* lpDrawItemStruct) override;
    virtual void DrawFace(CDC* pDC, const CRect* pRect);
    virtual void DrawFrame(CDC* pDC, const CRect* pRect);

    void OnMouseMove(UINT nFlags, CPoint point);
    LRESULT OnMouseLeave(WPARAM wParam, LPARAM lParam);
    LRESULT OnMouseHover(WPARAM wParam, LPARAM lParam);
    BOOL OnEraseBkgnd(CDC* pDC);

    DECLARE_MESSAGE_MAP()
};
