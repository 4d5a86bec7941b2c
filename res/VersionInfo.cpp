#include "res/VersionInfo.h"

#include "platform/base/CodePage.h"

#include <cstdint>

namespace {

constexpr DWORD kFixedSignature = 0xFEEF04BD;
constexpr DWORD kFixedStrucVersion = 0x00010000;

// Code page 936 text as UTF-16 code units, by way of UTF-8.
std::u16string Utf16FromCp936(std::string_view text)
{
    std::string utf8 = Cp936ToUtf8(text);
    std::u16string out;
    for (std::size_t i = 0; i < utf8.size();) {
        auto b = static_cast<unsigned char>(utf8[i]);
        std::uint32_t cp = b;
        std::size_t n = 1;
        if (b >= 0xF0)
            cp = b & 0x07, n = 4;
        else if (b >= 0xE0)
            cp = b & 0x0F, n = 3;
        else if (b >= 0xC0)
            cp = b & 0x1F, n = 2;
        if (i + n > utf8.size()) break;
        for (std::size_t k = 1; k < n; ++k)
            cp = (cp << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        i += n;
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(cp));
        }
    }
    return out;
}

void Put16(std::string& out, std::uint32_t v)
{
    out.push_back(static_cast<char>(v & 0xFF));
    out.push_back(static_cast<char>((v >> 8) & 0xFF));
}

void Put32(std::string& out, std::uint32_t v)
{
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

void PutText(std::string& out, const std::u16string& text)
{
    for (char16_t c : text)
        Put16(out, c);
    Put16(out, 0);
}

void Align4(std::string& out)
{
    while (out.size() % 4)
        out.push_back('\0');
}

// One node: length, value length, type, key, then the value and the children,
// each starting on a 32-bit boundary. The length leaves out trailing padding.
std::string Block(std::string_view key, WORD type, const std::string& value, WORD valueLength,
                  const std::string& children = {})
{
    std::string b;
    Put16(b, 0); // length, patched below
    Put16(b, valueLength);
    Put16(b, type);
    PutText(b, Utf16FromCp936(key));
    Align4(b);
    b += value;
    if (!children.empty()) {
        Align4(b);
        b += children;
    }
    b[0] = static_cast<char>(b.size() & 0xFF);
    b[1] = static_cast<char>((b.size() >> 8) & 0xFF);
    return b;
}

// Appends a child block on a 32-bit boundary.
void AddChild(std::string& children, const std::string& block)
{
    Align4(children);
    children += block;
}

DWORD High(const WORD v[4])
{
    return (static_cast<DWORD>(v[0]) << 16) | v[1];
}
DWORD Low(const WORD v[4])
{
    return (static_cast<DWORD>(v[2]) << 16) | v[3];
}

} // namespace

const VersionInfo& CorvaneVersionInfo()
{
    static const VersionInfo info{.fileVersion = {1, 0, 0, 1},
                                  .productVersion = {1, 0, 0, 1},
                                  .fileFlagsMask = 0x3F,
                                  .fileFlags = 0,
                                  .fileOS = kVosWindows32,
                                  .fileType = kVftApp,
                                  .fileSubtype = 0,
                                  .stringTable = "080404b0",
                                  .language = 0x0804,
                                  .codePage = 0x04B0,
                                  .strings = {{
                                      {"Comments", ""},
                                      {"CompanyName", ""},
                                      {"FileDescription", "Corvane 应用程序"},
                                      {"FileVersion", "1, 0, 0, 1"},
                                      {"InternalName", "Corvane"},
                                      {"LegalTrademarks", ""},
                                      {"OriginalFilename", "Corvane.EXE"},
                                      {"PrivateBuild", ""},
                                      {"ProductName", "Corvane 应用程序"},
                                      {"ProductVersion", "1, 0, 0, 1"},
                                      {"SpecialBuild", ""},
                                  }}};
    return info;
}

const char* FindVersionString(const VersionInfo& info, std::string_view key)
{
    for (const VersionEntry& e : info.strings)
        if (e.key != nullptr && key == e.key) return e.value;
    return nullptr;
}

std::string BuildVersionResource(const VersionInfo& info)
{
    std::string fixed;
    Put32(fixed, kFixedSignature);
    Put32(fixed, kFixedStrucVersion);
    Put32(fixed, High(info.fileVersion));
    Put32(fixed, Low(info.fileVersion));
    Put32(fixed, High(info.productVersion));
    Put32(fixed, Low(info.productVersion));
    Put32(fixed, info.fileFlagsMask);
    Put32(fixed, info.fileFlags);
    Put32(fixed, info.fileOS);
    Put32(fixed, info.fileType);
    Put32(fixed, info.fileSubtype);
    Put32(fixed, 0); // file date, high and low
    Put32(fixed, 0);

    std::string strings;
    for (const VersionEntry& e : info.strings) {
        std::string value;
        std::u16string text = Utf16FromCp936(e.value);
        PutText(value, text);
        // Text lengths count UTF-16 units with the terminator.
        AddChild(strings, Block(e.key, 1, value, static_cast<WORD>(text.size() + 1)));
    }
    std::string table = Block(info.stringTable, 1, {}, 0, strings);
    std::string stringInfo = Block("StringFileInfo", 1, {}, 0, table);

    std::string translation;
    Put16(translation, info.language);
    Put16(translation, info.codePage);
    std::string varInfo = Block("VarFileInfo", 1, {}, 0, Block("Translation", 0, translation, 4));

    std::string children;
    AddChild(children, stringInfo);
    AddChild(children, varInfo);
    return Block("VS_VERSION_INFO", 0, fixed, static_cast<WORD>(fixed.size()), children);
}
