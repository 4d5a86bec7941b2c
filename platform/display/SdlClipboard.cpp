#include "platform/display/SdlClipboard.h"

#include "platform/base/CodePage.h"

namespace display {

std::string ClipboardToDesktop(std::string_view cp936)
{
    std::string utf8 = Cp936ToUtf8(cp936);
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        if (utf8[i] == '\r' && i + 1 < utf8.size() && utf8[i + 1] == '\n') continue;
        out += utf8[i];
    }
    return out;
}

std::string ClipboardFromDesktop(std::string_view utf8)
{
    std::string withCr;
    withCr.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        if (utf8[i] == '\n' && (i == 0 || utf8[i - 1] != '\r')) withCr += '\r';
        withCr += utf8[i];
    }
    return Utf8ToCp936(withCr);
}

} // namespace display
