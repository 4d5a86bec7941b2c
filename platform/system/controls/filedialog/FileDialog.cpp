// The open-file and save-file dialogs: their template, their procedure, and
// the hand-back of the chosen path through OPENFILENAMEA.
#include "platform/system/controls/filedialog/FileDialog.h"

#include "platform/base/CodePage.h"
#include "platform/system/controls/ControlClasses.h"
#include "platform/system/controls/button/Button.h"
#include "platform/system/controls/combobox/ComboBoxClass.h"
#include "platform/system/controls/edit/Edit.h"
#include "platform/system/controls/filedialog/FileDialogList.h"
#include "platform/system/controls/listbox/ListBoxClass.h"
#include "platform/system/controls/messagebox/MessageBox.h"
#include "platform/system/controls/static/Static.h"
#include "platform/system/dialog/Dialog.h"
#include "platform/system/dialog/DialogTemplateBuilder.h"
#include "platform/system/window/WindowClass.h"

#include <algorithm>
#include <cstring>
#include <filesystem>

namespace fs = std::filesystem;

namespace sys::filedlg {

namespace {

DWORD g_lastError = 0;

// Posted from WM_INITDIALOG when the first folder cannot be read, so the
// message shows over the dialog rather than before it.
constexpr UINT kShowPendingError = WM_USER + 0x100;

struct State {
    OPENFILENAMEA* ofn = nullptr;
    std::vector<Filter> filters;
    int filter = 0;                    // index into filters
    std::vector<std::string> wildcard; // typed patterns that replace the filter's
    std::string folder;                // UTF-8, absolute
    std::vector<Entry> entries;
    std::string pendingError;
    DWORD error = 0;
    bool save = false; // the save dialog: a new name is fine, an existing file may be replaced
};

State* StateOf(HWND dlg)
{
    return reinterpret_cast<State*>(GetWindowLongPtr(dlg, DWLP_USER));
}

std::string Cp936(const std::string& utf8)
{
    return Utf8ToCp936(utf8);
}

std::string Caption(const State& s)
{
    if (s.ofn->lpstrTitle) return s.ofn->lpstrTitle;
    return s.save ? "另存为" : "打开";
}

void Warn(HWND dlg, const State& s, const std::string& cp936Text)
{
    MessageBoxA(dlg, cp936Text.c_str(), Caption(s).c_str(), MB_OK | MB_ICONWARNING);
}

const std::vector<std::string>& Patterns(const State& s)
{
    static const std::vector<std::string> all;
    if (!s.wildcard.empty()) return s.wildcard;
    if (s.filter >= 0 && s.filter < static_cast<int>(s.filters.size()))
        return s.filters[static_cast<std::size_t>(s.filter)].patterns;
    return all;
}

std::string ErrorText(const std::error_code& error)
{
    return Utf8ToCp936(error.message());
}

void FillList(HWND dlg, State& s)
{
    HWND list = GetDlgItem(dlg, kFileDlgListId);
    SendMessage(list, LB_RESETCONTENT, 0, 0);
    if (s.folder != "/") {
        LRESULT at = SendMessage(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("[..]"));
        SendMessage(list, LB_SETITEMDATA, static_cast<WPARAM>(at), -1);
    }
    for (std::size_t i = 0; i < s.entries.size(); ++i) {
        const Entry& e = s.entries[i];
        std::string shown = Cp936(e.name);
        if (e.folder) shown = "[" + shown + "]";
        LRESULT at = SendMessage(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(shown.c_str()));
        SendMessage(list, LB_SETITEMDATA, static_cast<WPARAM>(at), static_cast<LPARAM>(i));
    }
    SetDlgItemTextA(dlg, kFileDlgPathId, Cp936(s.folder).c_str());
}

// Shows folder; false (with a message) when it cannot be read, leaving the
// dialog on the folder it showed.
bool Navigate(HWND dlg, State& s, const std::string& folder, bool quiet = false)
{
    std::error_code error;
    std::vector<Entry> entries = ListFolder(folder, Patterns(s), error);
    if (error) {
        std::string text = "无法读取文件夹\n" + Cp936(folder) + "\n" + ErrorText(error);
        if (quiet)
            s.pendingError = text;
        else
            Warn(dlg, s, text);
        return false;
    }
    s.folder = folder;
    s.entries = std::move(entries);
    FillList(dlg, s);
    return true;
}

void Refresh(HWND dlg, State& s)
{
    Navigate(dlg, s, s.folder);
}

std::string Parent(const std::string& folder)
{
    std::string p = fs::path(folder).parent_path().string();
    return p.empty() ? "/" : p;
}

void CopyOut(LPSTR out, DWORD size, const std::string& text)
{
    if (!out || size == 0) return;
    std::size_t n = std::min<std::size_t>(text.size(), size - 1);
    std::memcpy(out, text.data(), n);
    out[n] = '\0';
}

// Hands the file back and ends the dialog; a buffer too small ends it with
// FNERR_BUFFERTOOSMALL and the size needed in the buffer's first two bytes.
void Finish(HWND dlg, State& s, const std::string& utf8Path)
{
    OPENFILENAMEA& ofn = *s.ofn;
    std::string path = Cp936(utf8Path);
    if (s.ofn->lpstrFilter) ofn.nFilterIndex = static_cast<DWORD>(s.filter + 1);
    if (!ofn.lpstrFile || ofn.nMaxFile < path.size() + 1) {
        s.error = FNERR_BUFFERTOOSMALL;
        if (ofn.lpstrFile && ofn.nMaxFile >= 2) {
            auto needed = static_cast<WORD>(std::min<std::size_t>(path.size() + 1, 0xFFFF));
            std::memcpy(ofn.lpstrFile, &needed, sizeof needed);
        }
        EndDialog(dlg, IDCANCEL);
        return;
    }
    std::memcpy(ofn.lpstrFile, path.c_str(), path.size() + 1);
    std::size_t slash = path.rfind('/');
    std::size_t nameAt = slash == std::string::npos ? 0 : slash + 1;
    std::size_t dot = path.rfind('.');
    ofn.nFileOffset = static_cast<WORD>(std::min<std::size_t>(nameAt, 0xFFFF));
    ofn.nFileExtension = static_cast<WORD>(
        std::min<std::size_t>(dot != std::string::npos && dot >= nameAt ? dot + 1 : path.size(), 0xFFFF));
    CopyOut(ofn.lpstrFileTitle, ofn.nMaxFileTitle, path.substr(nameAt));
    if (!(ofn.Flags & OFN_NOCHANGEDIR)) {
        std::error_code ignored;
        fs::current_path(fs::path(utf8Path).parent_path(), ignored);
    }
    s.error = 0;
    EndDialog(dlg, IDOK);
}

// The file to save to: a new one in a folder that exists, or one that is there
// and may be replaced (asked first with OFN_OVERWRITEPROMPT).
void SaveEntry(HWND dlg, State& s, const std::string& path, const fs::file_status& st)
{
    std::string name = Cp936(fs::path(path).filename().string());
    if (fs::exists(st)) {
        if (!fs::is_regular_file(st)) {
            Warn(dlg, s, name + "\n无法保存到这个位置。\n请换一个文件名。");
            return;
        }
        if (s.ofn->Flags & OFN_OVERWRITEPROMPT) {
            std::string text = name + " 已存在。\n要替换它吗?";
            if (MessageBoxA(dlg, text.c_str(), Caption(s).c_str(), MB_YESNO | MB_ICONWARNING) != IDYES) return;
        }
        Finish(dlg, s, path);
        return;
    }
    std::error_code parentError;
    if (!fs::is_directory(fs::path(path).parent_path(), parentError)) {
        Warn(dlg, s, Cp936(path) + "\n路径不存在。\n请检查路径是否正确。");
        return;
    }
    Finish(dlg, s, path);
}

// A folder, or a file that must exist (a vanished one gets a message and a fresh list).
void OpenEntry(HWND dlg, State& s, const std::string& path)
{
    std::error_code error;
    fs::file_status st = fs::status(fs::path(path), error);
    if (fs::is_directory(st)) {
        Navigate(dlg, s, path);
        return;
    }
    if (s.save) {
        SaveEntry(dlg, s, path, st);
        return;
    }
    if (fs::exists(st)) {
        Finish(dlg, s, path);
        return;
    }
    std::error_code parentError;
    bool parentThere = fs::is_directory(fs::path(path).parent_path(), parentError);
    std::string name = Cp936(fs::path(path).filename().string());
    if (!parentThere)
        Warn(dlg, s, Cp936(path) + "\n路径不存在。\n请检查路径是否正确。");
    else
        Warn(dlg, s, name + "\n找不到文件。\n请检查文件名是否正确。");
    Refresh(dlg, s);
}

void ActivateSelection(HWND dlg, State& s)
{
    HWND list = GetDlgItem(dlg, kFileDlgListId);
    LRESULT sel = SendMessage(list, LB_GETCURSEL, 0, 0);
    if (sel < 0) return;
    LRESULT data = SendMessage(list, LB_GETITEMDATA, static_cast<WPARAM>(sel), 0);
    if (data == -1) {
        Navigate(dlg, s, Parent(s.folder));
        return;
    }
    if (data < 0 || data >= static_cast<LRESULT>(s.entries.size())) return;
    const Entry& e = s.entries[static_cast<std::size_t>(data)];
    OpenEntry(dlg, s, (fs::path(s.folder) / e.name).string());
}

void OpenTyped(HWND dlg, State& s, const std::string& typedCp936)
{
    std::string typed = Cp936ToUtf8(typedCp936);
    std::size_t a = typed.find_first_not_of(" \t");
    std::size_t b = typed.find_last_not_of(" \t");
    typed = a == std::string::npos ? std::string() : typed.substr(a, b - a + 1);
    if (typed.empty()) return;
    if (HasWildcards(typed)) {
        // A typed pattern lists the folder through it, as the filter would.
        std::string folderPart = typed.find('/') == std::string::npos ? s.folder : Parent(ResolvePath(s.folder, typed));
        s.wildcard = SplitPatterns(fs::path(typed).filename().string());
        Navigate(dlg, s, folderPart);
        return;
    }
    std::string path = ResolvePath(s.folder, typed);
    std::error_code error;
    if (fs::is_directory(fs::path(path), error)) {
        if (Navigate(dlg, s, path)) SetDlgItemTextA(dlg, kFileDlgNameId, "");
        return;
    }
    const char* defExt = s.ofn->lpstrDefExt;
    if (defExt && *defExt && !fs::exists(fs::path(path), error) && fs::path(path).extension().empty()) {
        std::string withExt = path + "." + Cp936ToUtf8(defExt);
        // A name saved to takes the extension; a name opened only when that file is there.
        if (s.save || fs::exists(fs::path(withExt), error)) path = withExt;
    }
    OpenEntry(dlg, s, path);
}

void OnOk(HWND dlg, State& s)
{
    HWND list = GetDlgItem(dlg, kFileDlgListId);
    char typed[4096] = {};
    GetDlgItemTextA(dlg, kFileDlgNameId, typed, sizeof typed);
    bool listFocused = GetFocus() == list;
    if ((listFocused || typed[0] == '\0') && SendMessage(list, LB_GETCURSEL, 0, 0) >= 0)
        ActivateSelection(dlg, s);
    else
        OpenTyped(dlg, s, typed);
}

void OnSelChange(HWND dlg, State& s)
{
    HWND list = GetDlgItem(dlg, kFileDlgListId);
    LRESULT sel = SendMessage(list, LB_GETCURSEL, 0, 0);
    if (sel < 0) return;
    LRESULT data = SendMessage(list, LB_GETITEMDATA, static_cast<WPARAM>(sel), 0);
    if (data < 0 || data >= static_cast<LRESULT>(s.entries.size())) return;
    const Entry& e = s.entries[static_cast<std::size_t>(data)];
    if (!e.folder) SetDlgItemTextA(dlg, kFileDlgNameId, Cp936(e.name).c_str());
}

std::string StartFolder(const OPENFILENAMEA& ofn, std::string* initialName)
{
    std::error_code error;
    std::string folder;
    if (ofn.lpstrInitialDir && *ofn.lpstrInitialDir) {
        std::string dir = Cp936ToUtf8(ofn.lpstrInitialDir);
        if (fs::is_directory(fs::path(dir), error))
            folder = fs::absolute(fs::path(dir), error).lexically_normal().string();
    }
    if (folder.empty()) folder = fs::current_path(error).string();
    if (folder.empty()) folder = "/";
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    if (ofn.lpstrFile && ofn.nMaxFile > 0 && ofn.lpstrFile[0]) {
        std::string given(ofn.lpstrFile, strnlen(ofn.lpstrFile, ofn.nMaxFile));
        std::string path = ResolvePath(folder, Cp936ToUtf8(given));
        if (fs::is_directory(fs::path(path), error)) {
            folder = path;
        } else {
            std::string parent = Parent(path);
            if (fs::is_directory(fs::path(parent), error)) folder = parent;
            *initialName = Cp936(fs::path(path).filename().string());
        }
    }
    return folder;
}

INT_PTR InitDialog(HWND dlg, State& s)
{
    SetWindowLongPtr(dlg, DWLP_USER, reinterpret_cast<LONG_PTR>(&s));
    SetWindowTextA(dlg, Caption(s).c_str());
    if (s.save) SetDlgItemTextA(dlg, IDOK, "保存(&S)");
    HWND combo = GetDlgItem(dlg, kFileDlgFilterId);
    for (const Filter& f : s.filters)
        SendMessage(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(f.text.c_str()));
    if (!s.filters.empty())
        SendMessage(combo, CB_SETCURSEL, static_cast<WPARAM>(s.filter), 0);
    else
        EnableWindow(combo, FALSE);
    std::string initialName;
    std::string folder = StartFolder(*s.ofn, &initialName);
    SetDlgItemTextA(dlg, kFileDlgNameId, initialName.c_str());
    if (!Navigate(dlg, s, folder, true)) {
        s.folder = folder;
        s.entries.clear();
        FillList(dlg, s);
        PostMessage(dlg, kShowPendingError, 0, 0);
    }
    return TRUE;
}

INT_PTR ShowPendingError(HWND dlg, State& s)
{
    if (!s.pendingError.empty()) {
        std::string text = std::move(s.pendingError);
        s.pendingError.clear();
        Warn(dlg, s, text);
    }
    return TRUE;
}

void OnFilterChange(HWND dlg, State& s)
{
    LRESULT sel = SendMessage(GetDlgItem(dlg, kFileDlgFilterId), CB_GETCURSEL, 0, 0);
    if (sel >= 0) s.filter = static_cast<int>(sel);
    s.wildcard.clear();
    Refresh(dlg, s);
}

INT_PTR OnCommand(HWND dlg, State& s, int id, WORD code)
{
    if (id == IDOK && code == BN_CLICKED)
        OnOk(dlg, s);
    else if (id == IDCANCEL && code == BN_CLICKED)
        EndDialog(dlg, IDCANCEL);
    else if (id == kFileDlgListId && code == LBN_DBLCLK)
        ActivateSelection(dlg, s);
    else if (id == kFileDlgListId && code == LBN_SELCHANGE)
        OnSelChange(dlg, s);
    else if (id == kFileDlgFilterId && code == CBN_SELCHANGE)
        OnFilterChange(dlg, s);
    else
        return FALSE;
    return TRUE;
}

INT_PTR DialogProc(HWND dlg, UINT message, WPARAM wParam, LPARAM lParam)
{
    State* s = message == WM_INITDIALOG ? reinterpret_cast<State*>(lParam) : StateOf(dlg);
    if (!s) return FALSE;
    switch (message) {
    case WM_INITDIALOG: return InitDialog(dlg, *s);
    case kShowPendingError: return ShowPendingError(dlg, *s);
    case WM_COMMAND: return OnCommand(dlg, *s, LOWORD(wParam), HIWORD(wParam));
    default: return FALSE;
    }
}

DialogTemplate MakeTemplate()
{
    DialogTemplate t;
    t.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT | DS_CENTER;
    t.cx = 280;
    t.cy = 176;
    t.pointSize = 9;
    t.faceName = "宋体";
    t.items = {
        DialogItem(kStaticClass, -1, SS_LEFT, 7, 7, 46, 9, "查找范围:"),
        DialogItem(kStaticClass, kFileDlgPathId, SS_LEFTNOWORDWRAP | SS_NOPREFIX | SS_PATHELLIPSIS, 54, 7, 219, 9),
        DialogItem(kStaticClass, -1, SS_LEFT, 7, 134, 54, 9, "文件名(&N):"),
        DialogItem(kEditClass, kFileDlgNameId, WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 62, 132, 148, 13),
        DialogItem(kListBoxClass, kFileDlgListId, WS_BORDER | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY, 7, 19, 266, 108),
        DialogItem(kStaticClass, -1, SS_LEFT, 7, 154, 54, 9, "文件类型(&T):"),
        DialogItem(kComboBoxClass, kFileDlgFilterId, WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 62, 152, 148, 60),
        DialogItem(kButtonClass, IDOK, WS_TABSTOP | BS_DEFPUSHBUTTON, 218, 131, 55, 14, "打开(&O)"),
        DialogItem(kButtonClass, IDCANCEL, WS_TABSTOP | BS_PUSHBUTTON, 218, 151, 55, 14, "取消"),
    };
    for (DialogItemTemplate& item : t.items)
        item.style |= WS_VISIBLE;
    return t;
}

} // namespace

} // namespace sys::filedlg

namespace {

BOOL RunFileDialog(LPOPENFILENAMEA ofn, bool save)
{
    using namespace sys::filedlg;
    g_lastError = 0;
    if (!ofn || ofn->lStructSize != sizeof(OPENFILENAMEA)) {
        g_lastError = CDERR_STRUCTSIZE;
        return FALSE;
    }
    if (!sys::RegisterEditButtonStaticClasses() || !sys::RegisterListBoxClass() || !sys::RegisterComboBoxClass()) {
        g_lastError = CDERR_INITIALIZATION;
        return FALSE;
    }
    State state;
    state.ofn = ofn;
    state.save = save;
    state.filters = ParseFilters(ofn->lpstrFilter);
    int index = ofn->nFilterIndex == 0 ? 0 : static_cast<int>(ofn->nFilterIndex) - 1;
    state.filter = std::clamp(index, 0, std::max(0, static_cast<int>(state.filters.size()) - 1));
    DialogTemplate t = MakeTemplate();
    INT_PTR result =
        DialogBoxIndirectParamA(nullptr, &t, ofn->hwndOwner, &DialogProc, reinterpret_cast<LPARAM>(&state));
    if (result == -1) {
        g_lastError = CDERR_DIALOGFAILURE;
        return FALSE;
    }
    g_lastError = state.error;
    return result == IDOK && state.error == 0 ? TRUE : FALSE;
}

} // namespace

BOOL GetOpenFileNameA(LPOPENFILENAMEA ofn)
{
    return RunFileDialog(ofn, false);
}

BOOL GetSaveFileNameA(LPOPENFILENAMEA ofn)
{
    return RunFileDialog(ofn, true);
}

DWORD CommDlgExtendedError()
{
    return sys::filedlg::g_lastError;
}
