// The single-line edit control: typing, selection by keyboard and mouse, the
// clipboard, notifications to the parent and the messages programs send it.
// Its border is the system's client edge, painted by DefWindowProc in
// WM_NCPAINT, so a subclass that takes over WM_NCPAINT replaces it.
#include "platform/system/controls/edit/Edit.h"

#include "platform/system/controls/ControlClasses.h"
#include "platform/system/controls/ControlCommon.h"
#include "platform/system/controls/ControlState.h"
#include "platform/system/controls/edit/EditInternal.h"
#include "platform/system/dialog/DialogDefs.h"
#include "platform/system/gdi/Gdi.h"
#include "platform/system/input/Clipboard.h"
#include "platform/system/input/VirtualKeys.h"
#include "platform/system/window/WindowClass.h"

#include <algorithm>
#include <cstring>

namespace sys {

namespace {

DWORD StyleOf(HWND hwnd)
{
    return static_cast<DWORD>(GetWindowLong(hwnd, GWL_STYLE));
}
bool ReadOnly(HWND hwnd)
{
    return (StyleOf(hwnd) & ES_READONLY) != 0;
}
bool Shift()
{
    return (GetKeyState(VK_SHIFT) & 0x8000) != 0;
}
bool Control()
{
    return (GetKeyState(VK_CONTROL) & 0x8000) != 0;
}

void Redraw(HWND hwnd)
{
    InvalidateRect(hwnd, nullptr, TRUE);
}

// After the selection or caret moved.
void SelectionMoved(HWND hwnd, EditState& s)
{
    ScrollCaretIntoView(hwnd, s);
    Redraw(hwnd);
}

// After the text changed: repaint, then tell the parent (which may change it again).
void TextChanged(HWND hwnd, EditState& s, bool byUser)
{
    InvalidateEditMetrics(s);
    if (byUser) s.modified = true;
    ScrollCaretIntoView(hwnd, s);
    Redraw(hwnd);
    NotifyParentCommand(hwnd, EN_UPDATE);
    if (IsWindow(hwnd)) NotifyParentCommand(hwnd, EN_CHANGE);
}

// Without ES_AUTOHSCROLL the user cannot type past the visible width.
bool FitsWithoutScrolling(HWND hwnd, EditState& s, const std::string& candidate)
{
    if (StyleOf(hwnd) & ES_AUTOHSCROLL) return true;
    EditState probe;
    probe.font = s.font;
    probe.buffer.SetLimit(EditBuffer::kMaxLimit);
    probe.buffer.SetText(candidate);
    EditLayout l = LayOutEdit(hwnd, s);
    return EditTextWidth(probe) <= l.format.right - l.format.left - 1;
}

// User input replacing the selection; false when refused.
bool UserReplace(HWND hwnd, EditState& s, const std::string& text)
{
    EditBuffer trial = s.buffer;
    bool whole = trial.ReplaceSel(text);
    if (!FitsWithoutScrolling(hwnd, s, trial.Text())) return false;
    bool changed = trial.Text() != s.buffer.Text();
    s.buffer = trial;
    if (changed)
        TextChanged(hwnd, s, true);
    else
        SelectionMoved(hwnd, s);
    if (!whole && IsWindow(hwnd)) NotifyParentCommand(hwnd, EN_MAXTEXT);
    return true;
}

void Copy(HWND hwnd, EditState& s)
{
    if (!s.buffer.HasSelection() || (StyleOf(hwnd) & ES_PASSWORD)) return;
    if (!OpenClipboard(hwnd)) return;
    EmptyClipboard();
    std::string text = s.buffer.SelectedText();
    if (HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1)) {
        std::memcpy(GlobalLock(block), text.c_str(), text.size() + 1);
        GlobalUnlock(block);
        if (!SetClipboardData(CF_TEXT, block)) GlobalFree(block);
    }
    CloseClipboard();
}

void Paste(HWND hwnd, EditState& s)
{
    if (ReadOnly(hwnd) || !OpenClipboard(hwnd)) return;
    std::string text;
    if (HGLOBAL block = GetClipboardData(CF_TEXT)) {
        if (auto* p = static_cast<const char*>(GlobalLock(block))) text.assign(p, strnlen(p, GlobalSize(block)));
        GlobalUnlock(block);
    }
    CloseClipboard();
    if (!text.empty()) UserReplace(hwnd, s, text);
}

void Cut(HWND hwnd, EditState& s)
{
    if (ReadOnly(hwnd) || !s.buffer.HasSelection()) return;
    Copy(hwnd, s);
    UserReplace(hwnd, s, std::string());
}

void OnChar(HWND hwnd, EditState& s, WPARAM ch)
{
    switch (ch) {
    case 0x01: // Ctrl+A
        s.buffer.SetSel(0, -1);
        SelectionMoved(hwnd, s);
        return;
    case 0x03: Copy(hwnd, s); return;  // Ctrl+C
    case 0x16: Paste(hwnd, s); return; // Ctrl+V
    case 0x18: Cut(hwnd, s); return;   // Ctrl+X
    case '\b':
        if (ReadOnly(hwnd)) return;
        s.typed.Reset();
        if (s.buffer.DeleteBack()) TextChanged(hwnd, s, true);
        return;
    default: break;
    }
    if (ch < 0x20 || ch > 0xFF || ReadOnly(hwnd)) return; // Enter, Esc, Tab and other controls
    std::string character;
    if (!s.typed.Feed(static_cast<unsigned char>(ch), &character)) return;
    DWORD style = StyleOf(hwnd);
    if (character.size() == 1) {
        char c = character[0];
        if ((style & ES_NUMBER) && (c < '0' || c > '9')) return;
        if (style & ES_UPPERCASE) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
        if (style & ES_LOWERCASE) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
        character[0] = c;
    } else if (style & ES_NUMBER) {
        return;
    }
    UserReplace(hwnd, s, character);
}

void OnKeyDown(HWND hwnd, EditState& s, WPARAM key)
{
    bool shift = Shift(), control = Control();
    EditBuffer& b = s.buffer;
    std::size_t to = b.Caret();
    switch (key) {
    case VK_LEFT:
        if (!shift && !control && b.HasSelection())
            to = b.SelStart();
        else
            to = control ? b.PrevWord(to) : b.Prev(to);
        break;
    case VK_RIGHT:
        if (!shift && !control && b.HasSelection())
            to = b.SelEnd();
        else
            to = control ? b.NextWord(to) : b.Next(to);
        break;
    case VK_HOME: to = 0; break;
    case VK_END: to = b.Size(); break;
    case VK_DELETE:
        if (ReadOnly(hwnd)) return;
        if (shift) {
            Cut(hwnd, s);
            return;
        }
        s.typed.Reset();
        if (b.DeleteForward()) TextChanged(hwnd, s, true);
        return;
    case VK_INSERT:
        if (control)
            Copy(hwnd, s);
        else if (shift)
            Paste(hwnd, s);
        return;
    default: return;
    }
    s.typed.Reset();
    b.MoveCaret(to, shift);
    SelectionMoved(hwnd, s);
}

POINT PointOf(LPARAM lParam)
{
    return POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
}

void OnButtonDown(HWND hwnd, EditState& s, LPARAM lParam)
{
    if (GetFocus() != hwnd) SetFocus(hwnd);
    EditState* live = FindEditState(hwnd);
    if (live != &s) return;
    std::size_t pos = EditPosFromX(hwnd, s, PointOf(lParam).x);
    s.buffer.MoveCaret(pos, Shift());
    s.drag.Press();
    SetCapture(hwnd);
    SelectionMoved(hwnd, s);
}

void OnDrag(HWND hwnd, EditState& s, LPARAM lParam)
{
    if (!s.drag.Held()) return;
    std::size_t pos = EditPosFromX(hwnd, s, PointOf(lParam).x);
    if (pos == s.buffer.Caret()) return;
    s.buffer.MoveCaret(pos, true);
    SelectionMoved(hwnd, s);
}

LRESULT GetText(EditState& s, WPARAM size, LPARAM lParam)
{
    auto* out = reinterpret_cast<char*>(lParam);
    if (!out || size == 0) return 0;
    const std::string& text = s.buffer.Text();
    std::size_t n = std::min<std::size_t>(text.size(), size - 1);
    // Never end a copy with half a character.
    n = FitBytes(text, n);
    std::memcpy(out, text.data(), n);
    out[n] = '\0';
    return static_cast<LRESULT>(n);
}

// Classic edits with a plain border take the three-dimensional client edge instead.
void TakeClientEdge(HWND hwnd)
{
    DWORD style = StyleOf(hwnd);
    if (!(style & WS_BORDER)) return;
    SetWindowLong(hwnd, GWL_STYLE, static_cast<LONG>(style & ~WS_BORDER));
    SetWindowLong(hwnd, GWL_EXSTYLE, GetWindowLong(hwnd, GWL_EXSTYLE) | static_cast<LONG>(WS_EX_CLIENTEDGE));
}

LRESULT CreateState(HWND hwnd, LPARAM lParam)
{
    EditState* state = ControlState<EditState>::Create(hwnd);
    if (!state) return FALSE;
    auto* cs = reinterpret_cast<const CREATESTRUCT*>(lParam);
    if (cs && cs->lpszName && !IS_INTRESOURCE(cs->lpszName)) state->buffer.SetText(cs->lpszName);
    TakeClientEdge(hwnd);
    return TRUE;
}

LRESULT SetText(HWND hwnd, EditState& s, const char* text)
{
    s.typed.Reset();
    s.buffer.SetText(text ? text : "");
    s.scrollX = 0;
    s.modified = false;
    TextChanged(hwnd, s, false);
    return TRUE;
}

LRESULT SetFont(HWND hwnd, EditState& s, HFONT font, LPARAM redraw)
{
    s.font = font;
    InvalidateEditMetrics(s);
    ScrollCaretIntoView(hwnd, s);
    if (LOWORD(redraw)) Redraw(hwnd);
    return 0;
}

LRESULT OnPaint(HWND hwnd, EditState& s)
{
    PAINTSTRUCT ps;
    if (HDC hdc = BeginPaint(hwnd, &ps)) {
        PaintEdit(hwnd, s, hdc);
        EndPaint(hwnd, &ps);
    }
    return 0;
}

LRESULT OnSize(HWND hwnd, EditState& s)
{
    ScrollCaretIntoView(hwnd, s);
    Redraw(hwnd);
    return 0;
}

LRESULT OnSetFocus(HWND hwnd, EditState& s)
{
    s.focused = true;
    ScrollCaretIntoView(hwnd, s);
    Redraw(hwnd);
    NotifyParentCommand(hwnd, EN_SETFOCUS);
    return 0;
}

LRESULT OnKillFocus(HWND hwnd, EditState& s)
{
    s.focused = false;
    s.typed.Reset();
    Redraw(hwnd);
    NotifyParentCommand(hwnd, EN_KILLFOCUS);
    return 0;
}

LRESULT OnButtonUp(HWND hwnd, EditState& s)
{
    if (s.drag.Release() != PressEnd::None) EndCapture(hwnd);
    return 0;
}

// A double click selects the word under the pointer.
LRESULT OnDoubleClick(HWND hwnd, EditState& s, LPARAM lParam)
{
    if (GetFocus() != hwnd) SetFocus(hwnd);
    if (FindEditState(hwnd) != &s) return 0;
    std::size_t start = 0, end = 0;
    s.buffer.WordAt(EditPosFromX(hwnd, s, PointOf(lParam).x), &start, &end);
    s.buffer.SetSel(static_cast<long long>(start), static_cast<long long>(end));
    SelectionMoved(hwnd, s);
    return 0;
}

LRESULT GetSel(const EditState& s, WPARAM startOut, LPARAM endOut)
{
    auto start = static_cast<DWORD>(s.buffer.SelStart());
    auto end = static_cast<DWORD>(s.buffer.SelEnd());
    if (startOut) *reinterpret_cast<DWORD*>(startOut) = start;
    if (endOut) *reinterpret_cast<DWORD*>(endOut) = end;
    return MAKELONG(static_cast<WORD>(std::min<DWORD>(start, 0xFFFF)), static_cast<WORD>(std::min<DWORD>(end, 0xFFFF)));
}

LRESULT SetSel(HWND hwnd, EditState& s, WPARAM start, LPARAM end)
{
    s.buffer.SetSel(static_cast<long long>(static_cast<int>(start)), static_cast<long long>(static_cast<int>(end)));
    SelectionMoved(hwnd, s);
    return 0;
}

// A program's replacement is held to the limit only, not to the visible width.
LRESULT ReplaceSel(HWND hwnd, EditState& s, const char* text)
{
    bool whole = s.buffer.ReplaceSel(text ? text : "");
    TextChanged(hwnd, s, true);
    if (!whole && IsWindow(hwnd)) NotifyParentCommand(hwnd, EN_MAXTEXT);
    return 0;
}

LRESULT SetReadOnly(HWND hwnd, bool readOnly)
{
    DWORD style = StyleOf(hwnd);
    SetWindowLong(hwnd, GWL_STYLE, static_cast<LONG>(readOnly ? (style | ES_READONLY) : (style & ~ES_READONLY)));
    Redraw(hwnd);
    return TRUE;
}

LRESULT SetMargins(HWND hwnd, EditState& s, WPARAM which, LPARAM margins)
{
    if (which & EC_LEFTMARGIN) s.leftMargin = std::max(0, static_cast<int>(LOWORD(margins)));
    if (which & EC_RIGHTMARGIN) s.rightMargin = std::max(0, static_cast<int>(HIWORD(margins)));
    SelectionMoved(hwnd, s);
    return 0;
}

LRESULT GetRect(HWND hwnd, EditState& s, RECT* out)
{
    if (out) *out = LayOutEdit(hwnd, s).format;
    return 0;
}

LRESULT PosFromChar(HWND hwnd, EditState& s, WPARAM pos)
{
    if (pos > s.buffer.Size()) return -1;
    EditLayout l = LayOutEdit(hwnd, s);
    return MAKELONG(static_cast<WORD>(EditXOfPos(hwnd, s, pos)), static_cast<WORD>(l.top));
}

LRESULT Clear(HWND hwnd, EditState& s)
{
    if (!ReadOnly(hwnd) && s.buffer.HasSelection()) UserReplace(hwnd, s, std::string());
    return 0;
}

// The messages that need the edit's state.
LRESULT StateMessage(HWND hwnd, EditState& s, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_GETDLGCODE: return DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
    case WM_SETTEXT: return SetText(hwnd, s, reinterpret_cast<const char*>(lParam));
    case WM_GETTEXT: return GetText(s, wParam, lParam);
    case WM_GETTEXTLENGTH: return static_cast<LRESULT>(s.buffer.Size());
    case WM_SETFONT: return SetFont(hwnd, s, reinterpret_cast<HFONT>(wParam), lParam);
    case WM_GETFONT: return reinterpret_cast<LRESULT>(s.font);
    case WM_ERASEBKGND: return 1; // WM_PAINT fills the background with the parent's brush
    case WM_PAINT: return OnPaint(hwnd, s);
    case WM_SIZE: return OnSize(hwnd, s);
    case WM_SETFOCUS: return OnSetFocus(hwnd, s);
    case WM_KILLFOCUS: return OnKillFocus(hwnd, s);
    case WM_ENABLE: Redraw(hwnd); return 0;
    case WM_CHAR: OnChar(hwnd, s, wParam); return 0;
    case WM_KEYDOWN: OnKeyDown(hwnd, s, wParam); return 0;
    case WM_LBUTTONDOWN: OnButtonDown(hwnd, s, lParam); return 0;
    case WM_MOUSEMOVE: OnDrag(hwnd, s, lParam); return 0;
    case WM_LBUTTONUP: return OnButtonUp(hwnd, s);
    case WM_CAPTURECHANGED: s.drag.Cancel(); return 0;
    case WM_LBUTTONDBLCLK: return OnDoubleClick(hwnd, s, lParam);
    case EM_GETSEL: return GetSel(s, wParam, lParam);
    case EM_SETSEL: return SetSel(hwnd, s, wParam, lParam);
    case EM_REPLACESEL: return ReplaceSel(hwnd, s, reinterpret_cast<const char*>(lParam));
    case EM_LIMITTEXT: s.buffer.SetLimit(static_cast<std::size_t>(wParam)); return 0;
    case EM_GETLIMITTEXT: return static_cast<LRESULT>(s.buffer.Limit());
    case EM_SETREADONLY: return SetReadOnly(hwnd, wParam != 0);
    case EM_GETMODIFY: return s.modified ? TRUE : FALSE;
    case EM_SETMODIFY: s.modified = wParam != 0; return 0;
    case EM_GETLINECOUNT: return 1;
    case EM_LINELENGTH: return static_cast<LRESULT>(s.buffer.Size());
    case EM_GETFIRSTVISIBLELINE: return 0;
    case EM_SCROLLCARET: SelectionMoved(hwnd, s); return TRUE;
    case EM_CANUNDO:
    case EM_UNDO: return FALSE; // no undo buffer
    case EM_SETMARGINS: return SetMargins(hwnd, s, wParam, lParam);
    case EM_GETMARGINS: return MAKELONG(static_cast<WORD>(s.leftMargin), static_cast<WORD>(s.rightMargin));
    case EM_GETRECT: return GetRect(hwnd, s, reinterpret_cast<RECT*>(lParam));
    case EM_POSFROMCHAR: return PosFromChar(hwnd, s, wParam);
    case EM_CHARFROMPOS: return static_cast<LRESULT>(EditPosFromX(hwnd, s, GET_X_LPARAM(lParam)) & 0xFFFF);
    case WM_COPY: Copy(hwnd, s); return 0;
    case WM_CUT: Cut(hwnd, s); return 0;
    case WM_PASTE: Paste(hwnd, s); return 0;
    case WM_CLEAR: return Clear(hwnd, s);
    default: return DefWindowProc(hwnd, message, wParam, lParam);
    }
}

// The state is made with the window and dropped with it; without one the
// window behaves as a plain window.
LRESULT EditProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        if (!CreateState(hwnd, lParam)) return FALSE;
        return DefWindowProc(hwnd, message, wParam, lParam);
    }
    EditState* s = FindEditState(hwnd);
    if (message == WM_NCDESTROY) {
        if (s) ControlState<EditState>::Destroy(hwnd);
        return DefWindowProc(hwnd, message, wParam, lParam);
    }
    if (!s) return DefWindowProc(hwnd, message, wParam, lParam);
    return StateMessage(hwnd, *s, message, wParam, lParam);
}

} // namespace

EditState* FindEditState(HWND hwnd)
{
    return ControlState<EditState>::Find(hwnd);
}

bool RegisterEditClass()
{
    return RegisterControlClass<EditState>(kEditClass, &EditProc, CS_DBLCLKS);
}

} // namespace sys
