#include "platform/framework/CtlEdit.h"

#include "platform/framework/AfxMsg.h"
#include "platform/system/controls/ControlClasses.h"
#include "platform/system/window/WindowClass.h"

IMPLEMENT_DYNAMIC(CEdit, CWnd)

BEGIN_MESSAGE_MAP(CEdit, CWnd)
END_MESSAGE_MAP()

BOOL CEdit::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    if (!sys::RegisterEditButtonStaticClasses()) return FALSE;
    return CWnd::Create(sys::kEditClass, nullptr, dwStyle, rect, pParentWnd, nID);
}

void CEdit::GetSel(int& nStartChar, int& nEndChar) const
{
    DWORD start = 0, end = 0;
    ::SendMessage(m_hWnd, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    nStartChar = static_cast<int>(start);
    nEndChar = static_cast<int>(end);
}

DWORD CEdit::GetSel() const
{
    return static_cast<DWORD>(::SendMessage(m_hWnd, EM_GETSEL, 0, 0));
}

void CEdit::SetSel(int nStartChar, int nEndChar, BOOL bNoScroll)
{
    ::SendMessage(m_hWnd, EM_SETSEL, static_cast<WPARAM>(nStartChar), nEndChar);
    if (!bNoScroll) ::SendMessage(m_hWnd, EM_SCROLLCARET, 0, 0);
}

void CEdit::SetSel(DWORD dwSelection, BOOL bNoScroll)
{
    SetSel(static_cast<short>(LOWORD(dwSelection)), static_cast<short>(HIWORD(dwSelection)), bNoScroll);
}

void CEdit::ReplaceSel(LPCSTR lpszNewText, BOOL bCanUndo)
{
    ::SendMessage(m_hWnd, EM_REPLACESEL, static_cast<WPARAM>(bCanUndo), reinterpret_cast<LPARAM>(lpszNewText));
}

BOOL CEdit::SetReadOnly(BOOL bReadOnly)
{
    return static_cast<BOOL>(::SendMessage(m_hWnd, EM_SETREADONLY, static_cast<WPARAM>(bReadOnly), 0));
}

void CEdit::LimitText(int nChars)
{
    ::SendMessage(m_hWnd, EM_LIMITTEXT, static_cast<WPARAM>(nChars), 0);
}
void CEdit::SetLimitText(UINT nMax)
{
    ::SendMessage(m_hWnd, EM_SETLIMITTEXT, nMax, 0);
}
UINT CEdit::GetLimitText() const
{
    return static_cast<UINT>(::SendMessage(m_hWnd, EM_GETLIMITTEXT, 0, 0));
}
BOOL CEdit::GetModify() const
{
    return static_cast<BOOL>(::SendMessage(m_hWnd, EM_GETMODIFY, 0, 0));
}
void CEdit::SetModify(BOOL bModified)
{
    ::SendMessage(m_hWnd, EM_SETMODIFY, static_cast<WPARAM>(bModified), 0);
}
int CEdit::GetLineCount() const
{
    return static_cast<int>(::SendMessage(m_hWnd, EM_GETLINECOUNT, 0, 0));
}

int CEdit::LineLength(int nLine) const
{
    return static_cast<int>(::SendMessage(m_hWnd, EM_LINELENGTH, static_cast<WPARAM>(nLine), 0));
}

void CEdit::SetMargins(UINT nLeft, UINT nRight)
{
    ::SendMessage(m_hWnd, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN,
                  MAKELPARAM(static_cast<WORD>(nLeft), static_cast<WORD>(nRight)));
}

DWORD CEdit::GetMargins() const
{
    return static_cast<DWORD>(::SendMessage(m_hWnd, EM_GETMARGINS, 0, 0));
}
BOOL CEdit::CanUndo() const
{
    return static_cast<BOOL>(::SendMessage(m_hWnd, EM_CANUNDO, 0, 0));
}
BOOL CEdit::Undo()
{
    return static_cast<BOOL>(::SendMessage(m_hWnd, EM_UNDO, 0, 0));
}
void CEdit::Clear()
{
    ::SendMessage(m_hWnd, WM_CLEAR, 0, 0);
}
void CEdit::Copy()
{
    ::SendMessage(m_hWnd, WM_COPY, 0, 0);
}
void CEdit::Cut()
{
    ::SendMessage(m_hWnd, WM_CUT, 0, 0);
}
void CEdit::Paste()
{
    ::SendMessage(m_hWnd, WM_PASTE, 0, 0);
}
