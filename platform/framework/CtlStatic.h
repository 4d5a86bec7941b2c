// CStatic: the framework's wrapper of a static control.
#pragma once

#include "platform/framework/Wnd.h"
#include "platform/system/controls/static/Static.h"

class CStatic : public CWnd {
    DECLARE_DYNAMIC(CStatic)
public:
    CStatic() = default;
    ~CStatic() override = default;

    BOOL Create(LPCSTR lpszText, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID = 0xFFFF);
    HICON SetIcon(HICON hIcon);
    HICON GetIcon() const;

    DECLARE_MESSAGE_MAP()
};
