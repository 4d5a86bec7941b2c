// CMouseTrackEdit: an edit control that follows the mouse with hover and leave
// tracking and calls a hook when the mouse comes to rest on it and when it leaves.
#pragma once

#include "platform/framework/Afxwin.h"
#include "platform/framework/CtlEdit.h"

class CMouseTrackEdit : public CEdit {
public:
    CMouseTrackEdit();
    ~CMouseTrackEdit() override;

    bool IsPointerOver() const { return m_bPointerOver; }

protected:
    // Every message has its ordinary handling first; the tracking reacts afterwards.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    virtual void OnPointerRest() = 0;
    virtual void OnPointerLeave() = 0;

private:
    bool m_bTracking;    // hover and leave tracking is armed
    bool m_bPointerOver; // the mouse rests on the control
};
