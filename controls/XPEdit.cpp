#include "controls/XPEdit.h"

#include "platform/framework/AfxMsg.h"
#include "platform/framework/DcStateSaver.h"

BEGIN_MESSAGE_MAP(CXPEdit, CMouseTrackEdit)
    ON_WM_NCPAINT()
END_MESSAGE_MAP()

CXPEdit::CXPEdit()
{
    m_brushHover.CreateSolidBrush(RGB(187, 200, 143));
}

CXPEdit::~CXPEdit()
{
    m_brushHover.DeleteObject();
}

// Both hooks repaint the whole control, border included, the next time the queue is idle.
void CXPEdit::OnPointerRest()
{
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME);
}

void CXPEdit::OnPointerLeave()
{
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME);
}

void CXPEdit::OnNcPaint()
{
    CWindowDC dc(this);
    if (!dc.GetSafeHdc()) return;
    CRect rt;
    GetWindowRect(&rt);
    CRect rtBorder(0, 0, rt.Width(), rt.Height());
    if (IsPointerOver()) {
        // The window DC's own pen (black, one pixel) outlines it.
        CDCStateSaver state(dc);
        dc.SelectObject(&m_brushHover);
        dc.Rectangle(&rtBorder);
    } else {
        dc.DrawEdge(&rtBorder, EDGE_SUNKEN, BF_RECT | BF_FLAT);
    }
}
