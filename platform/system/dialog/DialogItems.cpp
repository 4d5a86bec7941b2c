#include "platform/system/dialog/DialogInternal.h"

#include <cstdio>
#include <string>

BOOL SetDlgItemTextA(HWND dialog, int id, LPCSTR text)
{
    HWND control = GetDlgItem(dialog, id);
    if (control == nullptr) return FALSE;
    return SetWindowText(control, text ? text : "");
}

UINT GetDlgItemTextA(HWND dialog, int id, LPSTR buffer, int size)
{
    if (buffer == nullptr || size <= 0) return 0;
    buffer[0] = '\0';
    HWND control = GetDlgItem(dialog, id);
    if (control == nullptr) return 0;
    int n = GetWindowText(control, buffer, size);
    return n > 0 ? static_cast<UINT>(n) : 0;
}

BOOL SetDlgItemInt(HWND dialog, int id, UINT value, BOOL isSigned)
{
    char text[16];
    if (isSigned)
        std::snprintf(text, sizeof text, "%d", static_cast<int>(value));
    else
        std::snprintf(text, sizeof text, "%u", value);
    return SetDlgItemTextA(dialog, id, text);
}

UINT GetDlgItemInt(HWND dialog, int id, BOOL* translated, BOOL isSigned)
{
    if (translated != nullptr) *translated = FALSE;
    HWND control = GetDlgItem(dialog, id);
    if (control == nullptr) return 0;
    int length = GetWindowTextLength(control);
    if (length < 0 || length > 64) return 0; // no number is that long
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    GetWindowText(control, text.data(), length + 1);
    std::size_t i = 0;
    auto space = [](char c) { return c == ' ' || c == '\t'; };
    while (i < text.size() && space(text[i]))
        ++i;
    bool negative = false;
    if (isSigned && i < text.size() && text[i] == '-') {
        negative = true;
        ++i;
    }
    std::uint64_t v = 0;
    std::size_t digits = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
        v = v * 10 + static_cast<unsigned>(text[i] - '0');
        if (v > 0xFFFFFFFFull) return 0;
        ++i;
        ++digits;
    }
    while (i < text.size() && space(text[i]))
        ++i;
    if (digits == 0 || (i < text.size() && text[i] != '\0')) return 0;
    if (isSigned && v > (negative ? 0x80000000ull : 0x7FFFFFFFull)) return 0;
    if (translated != nullptr) *translated = TRUE;
    if (negative) return static_cast<UINT>(-static_cast<std::int64_t>(v));
    return static_cast<UINT>(v);
}

BOOL CheckDlgButton(HWND dialog, int id, UINT check)
{
    HWND control = GetDlgItem(dialog, id);
    if (control == nullptr) return FALSE;
    SendMessage(control, sys::kBmSetCheck, check, 0);
    return TRUE;
}

UINT IsDlgButtonChecked(HWND dialog, int id)
{
    HWND control = GetDlgItem(dialog, id);
    if (control == nullptr) return 0;
    return static_cast<UINT>(SendMessage(control, sys::kBmGetCheck, 0, 0));
}
