// CDCStateSaver: keeps a device context's state for one scope. Made, it saves
// the DC (SaveDC: selected pen, brush, font and bitmap, colours, modes, ROP,
// text alignment, origins, current position, clip region); gone, it brings
// that state back (RestoreDC), so a painter may change what it likes without
// putting each object back by hand. Savers nest like the scopes they live in.
#pragma once

#include "platform/framework/Dc.h"

class CDCStateSaver {
public:
    explicit CDCStateSaver(HDC hDC);
    explicit CDCStateSaver(CDC* pDC) : CDCStateSaver(pDC ? pDC->GetSafeHdc() : nullptr) {}
    explicit CDCStateSaver(CDC& dc) : CDCStateSaver(dc.GetSafeHdc()) {}
    ~CDCStateSaver() { Restore(); }
    CDCStateSaver(const CDCStateSaver&) = delete;
    CDCStateSaver& operator=(const CDCStateSaver&) = delete;

    // Brings the saved state back now, dropping any saved after it; later
    // calls and the destructor do nothing more.
    void Restore();
    // False for a null or bad DC: nothing was saved, nothing will be restored.
    bool IsSaved() const { return m_nSaved > 0; }

private:
    HDC m_hDC;
    int m_nSaved;
};
