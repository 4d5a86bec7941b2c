#include "platform/display/SdlClipboard.h"

#include "platform/base/CodePage.h"

namespace display {

std::string ClipboardToDesktop(std::string_view cp936)
{
    std::string utf8 = Cp936ToUtf8(cp936);
    // CR LF becomes LF: whole runs between CRs are copied at once.
    std::string out;
    out.reserve(utf8.size());
    std::size_t from = 0;
    for (;;) {
        std::size_t cr = utf8.find('\r', from);
        if (cr == std::string::npos) break;
        out.append(utf8, from, cr - from);
        if (cr + 1 >= utf8.size() || utf8[cr + 1] != '\n') out += '\r';
        from = cr + 1;
    }
    out.append(utf8, from, std::string::npos);
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
