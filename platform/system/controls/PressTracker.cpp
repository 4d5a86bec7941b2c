#include "platform/system/controls/PressTracker.h"

namespace sys {

void PressTracker::Press()
{
    m_held = true;
    m_over = true;
}

bool PressTracker::Move(bool over)
{
    if (!m_held || m_over == over) return false;
    m_over = over;
    return true;
}

PressEnd PressTracker::Release(bool over)
{
    if (!m_held) return PressEnd::None;
    m_held = false;
    m_over = false;
    return over ? PressEnd::Action : PressEnd::Cancel;
}

PressEnd PressTracker::Cancel()
{
    if (!m_held) return PressEnd::None;
    m_held = false;
    m_over = false;
    return PressEnd::Cancel;
}

void EndCapture(HWND hwnd)
{
    if (GetCapture() == hwnd) ReleaseCapture();
}

} // namespace sys
