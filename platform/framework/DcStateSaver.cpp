#include "platform/framework/DcStateSaver.h"

#include "platform/system/gdi/Gdi.h"

CDCStateSaver::CDCStateSaver(HDC hDC) : m_hDC(hDC), m_nSaved(hDC ? ::SaveDC(hDC) : 0) {}

void CDCStateSaver::Restore()
{
    if (m_nSaved > 0) ::RestoreDC(m_hDC, m_nSaved);
    m_nSaved = 0;
}
