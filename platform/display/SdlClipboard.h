// Clipboard text between the program (code page 936, CR LF line ends, as the
// classic edit control expects) and the desktop (UTF-8, LF line ends).
#pragma once

#include <string>
#include <string_view>

namespace display {

std::string ClipboardToDesktop(std::string_view cp936);
std::string ClipboardFromDesktop(std::string_view utf8);

} // namespace display
