#include "controls/MouseTrackEdit.h"

#include "controls/TrackMouse.h"

CMouseTrackEdit::CMouseTrackEdit()
{
    m_bPointerOver = false;
    m_bTracking = false;
}

CMouseTrackEdit::~CMouseTrackEdit() {}

LRESULT CMouseTrackEdit::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = CEdit::WindowProc(message, wParam, lParam);
    switch (message) {
    case WM_MOUSEMOVE:
        if (!m_bTracking && TrackHoverAndLeave(m_hWnd)) m_bTracking = true;
        break;
    case WM_MOUSEHOVER:
        m_bPointerOver = true;
        OnPointerRest();
        break;
    case WM_MOUSELEAVE:
        m_bPointerOver = false;
        m_bTracking = false;
        OnPointerLeave();
        break;
    default: break;
    }
    return lResult;
}
