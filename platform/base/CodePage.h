// Conversion between code page 936 text and UTF-8, for the places where text
// crosses to Linux (file names, fonts, the desktop). Code page 936 is taken as
// its GB18030 superset, so every Unicode file name has a form and round-trips.
// Nothing fails: an undecodable byte becomes U+FFFD on the way to UTF-8, and a
// byte that is not valid UTF-8 becomes '?' on the way back.
#pragma once

#include "platform/base/CString.h"

#include <string>
#include <string_view>

std::string Cp936ToUtf8(std::string_view text);
std::string Cp936ToUtf8(const char* text);
std::string Cp936ToUtf8(const CString& text);

std::string Utf8ToCp936(std::string_view text);
std::string Utf8ToCp936(const char* text);
CString CStringFromUtf8(std::string_view text);
