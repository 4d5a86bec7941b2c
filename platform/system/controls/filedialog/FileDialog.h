// The common open-file and save-file dialogs: a modal dialog over the file
// system that lists a folder's subfolders and the files matching the chosen
// filter, and returns the full path of the file picked, in code page 936.
#pragma once

#include "platform/system/window/WinUser.h"

struct OPENFILENAMEA {
    DWORD lStructSize;
    HWND hwndOwner;
    HINSTANCE hInstance;
    // Pairs of NUL-terminated strings (shown text, patterns such as "*.txt;*.log"),
    // closed by an extra NUL.
    LPCSTR lpstrFilter;
    LPSTR lpstrCustomFilter;
    DWORD nMaxCustFilter;
    // 1-based; 0 takes the first pair. Set to the pair in use when the dialog ends.
    DWORD nFilterIndex;
    // In: an initial file name (may be empty). Out: the full path.
    LPSTR lpstrFile;
    DWORD nMaxFile;
    // Out: the file name without its folder (optional).
    LPSTR lpstrFileTitle;
    DWORD nMaxFileTitle;
    LPCSTR lpstrInitialDir;
    LPCSTR lpstrTitle;
    DWORD Flags;
    WORD nFileOffset;
    WORD nFileExtension;
    LPCSTR lpstrDefExt;
    LPARAM lCustData;
    void* lpfnHook;
    LPCSTR lpTemplateName;
};
using OPENFILENAME = OPENFILENAMEA;
using LPOPENFILENAMEA = OPENFILENAMEA*;
using LPOPENFILENAME = OPENFILENAMEA*;

constexpr DWORD OFN_READONLY = 0x00000001;
constexpr DWORD OFN_OVERWRITEPROMPT = 0x00000002;
constexpr DWORD OFN_HIDEREADONLY = 0x00000004;
constexpr DWORD OFN_NOCHANGEDIR = 0x00000008;
constexpr DWORD OFN_SHOWHELP = 0x00000010;
constexpr DWORD OFN_ENABLEHOOK = 0x00000020;
constexpr DWORD OFN_ENABLETEMPLATE = 0x00000040;
constexpr DWORD OFN_NOVALIDATE = 0x00000100;
constexpr DWORD OFN_ALLOWMULTISELECT = 0x00000200;
constexpr DWORD OFN_EXTENSIONDIFFERENT = 0x00000400;
constexpr DWORD OFN_PATHMUSTEXIST = 0x00000800;
constexpr DWORD OFN_FILEMUSTEXIST = 0x00001000;
constexpr DWORD OFN_CREATEPROMPT = 0x00002000;
constexpr DWORD OFN_NOREADONLYRETURN = 0x00008000;
constexpr DWORD OFN_EXPLORER = 0x00080000;
constexpr DWORD OFN_NODEREFERENCELINKS = 0x00100000;
constexpr DWORD OFN_LONGNAMES = 0x00200000;

// CommDlgExtendedError codes.
constexpr DWORD CDERR_DIALOGFAILURE = 0xFFFF;
constexpr DWORD CDERR_STRUCTSIZE = 0x0001;
constexpr DWORD CDERR_INITIALIZATION = 0x0002;
constexpr DWORD FNERR_SUBCLASSFAILURE = 0x3001;
constexpr DWORD FNERR_INVALIDFILENAME = 0x3002;
constexpr DWORD FNERR_BUFFERTOOSMALL = 0x3003;

// Runs the dialog modally over hwndOwner. TRUE with the path in lpstrFile when
// a file was picked; FALSE when cancelled (CommDlgExtendedError 0) or on an
// error (its code from CommDlgExtendedError).
BOOL GetOpenFileNameA(LPOPENFILENAMEA ofn);
inline BOOL GetOpenFileName(LPOPENFILENAMEA ofn)
{
    return GetOpenFileNameA(ofn);
}
// The same dialog for a file to write: a name that does not exist yet is taken
// (in a folder that does), lpstrDefExt is added to a name without extension,
// and with OFN_OVERWRITEPROMPT an existing file is taken only when the user
// agrees to replace it.
BOOL GetSaveFileNameA(LPOPENFILENAMEA ofn);
inline BOOL GetSaveFileName(LPOPENFILENAMEA ofn)
{
    return GetSaveFileNameA(ofn);
}
// The error of the last file dialog; 0 when it succeeded or was cancelled.
DWORD CommDlgExtendedError();

// Control ids of the dialog, for tests and hooks.
constexpr int kFileDlgPathId = 1088;   // the folder being shown
constexpr int kFileDlgListId = 1120;   // folders and files
constexpr int kFileDlgNameId = 1152;   // the file name box
constexpr int kFileDlgFilterId = 1136; // the filter selector
