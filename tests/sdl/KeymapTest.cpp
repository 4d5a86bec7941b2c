// Conversions that need no display: keys, clipboard text, screenshot files.
#include "platform/display/Keymap.h"

#include "platform/display/Event.h"
#include "platform/display/SdlClipboard.h"
#include "tests/sdl/ScreenCapture.h"

#include <gtest/gtest.h>

namespace corvane::test {
namespace {

using display::VirtualKeyFromSdl;

TEST(Keymap, KeysMapToClassicVirtualKeys)
{
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_a, SDL_SCANCODE_A), static_cast<unsigned>('A'));
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_z, SDL_SCANCODE_Z), static_cast<unsigned>('Z'));
    // Letters follow the layout: the key at Q's place typing 'a' is 'A'.
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_a, SDL_SCANCODE_Q), static_cast<unsigned>('A'));
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_0, SDL_SCANCODE_0), static_cast<unsigned>('0'));
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_9, SDL_SCANCODE_9), static_cast<unsigned>('9'));
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_RETURN, SDL_SCANCODE_RETURN), 0x0Du);
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_KP_ENTER, SDL_SCANCODE_KP_ENTER), 0x0Du);
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_ESCAPE, SDL_SCANCODE_ESCAPE), 0x1Bu);
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_TAB, SDL_SCANCODE_TAB), 0x09u);
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_LEFT, SDL_SCANCODE_LEFT), 0x25u);
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_UP, SDL_SCANCODE_UP), 0x26u);
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_RIGHT, SDL_SCANCODE_RIGHT), 0x27u);
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_DOWN, SDL_SCANCODE_DOWN), 0x28u);
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_HOME, SDL_SCANCODE_HOME), 0x24u);
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_END, SDL_SCANCODE_END), 0x23u);
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_PAGEUP, SDL_SCANCODE_PAGEUP), 0x21u);
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_PAGEDOWN, SDL_SCANCODE_PAGEDOWN), 0x22u);
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_DELETE, SDL_SCANCODE_DELETE), 0x2Eu);
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_BACKSPACE, SDL_SCANCODE_BACKSPACE), 0x08u);
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_F1, SDL_SCANCODE_F1), 0x70u);
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_F12, SDL_SCANCODE_F12), 0x7Bu);
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_KP_0, SDL_SCANCODE_KP_0), 0x60u);
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_KP_9, SDL_SCANCODE_KP_9), 0x69u);
    // Both shift, control and alt keys are the generic modifier keys.
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_LSHIFT, SDL_SCANCODE_LSHIFT), 0x10u);
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_RSHIFT, SDL_SCANCODE_RSHIFT), 0x10u);
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_RCTRL, SDL_SCANCODE_RCTRL), 0x11u);
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_LALT, SDL_SCANCODE_LALT), 0x12u);
    // Punctuation keeps its position, whatever the layout types there.
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_SEMICOLON, SDL_SCANCODE_SEMICOLON), 0xBAu);
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_COMMA, SDL_SCANCODE_COMMA), 0xBCu);
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_MINUS, SDL_SCANCODE_MINUS), 0xBDu);
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_PERIOD, SDL_SCANCODE_PERIOD), 0xBEu);
    EXPECT_EQ(VirtualKeyFromSdl(0xF6 /* ö */, SDL_SCANCODE_SEMICOLON), 0xBAu);
    // A letter key whose layout gives a non-ASCII character still has a code.
    EXPECT_EQ(VirtualKeyFromSdl(0xE9 /* é */, SDL_SCANCODE_2), static_cast<unsigned>('2'));
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_UNKNOWN, SDL_SCANCODE_UNKNOWN), 0u);
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_AUDIOPLAY, SDL_SCANCODE_AUDIOPLAY), 0u);
}

TEST(Keymap, ModifierStateMapsEitherSideKeys)
{
    EXPECT_EQ(display::ModifiersFromSdl(KMOD_NONE), 0u);
    EXPECT_EQ(display::ModifiersFromSdl(KMOD_RSHIFT), display::kModShift);
    EXPECT_EQ(display::ModifiersFromSdl(KMOD_LCTRL | KMOD_RALT), display::kModControl | display::kModAlt);
    EXPECT_EQ(display::ModifiersFromSdl(KMOD_NUM | KMOD_CAPS), 0u);
}

TEST(SdlClipboard, ConvertsCodePageAndLineEndsBothWays)
{
    // 访 is B7 C3 in code page 936.
    EXPECT_EQ(display::ClipboardToDesktop("\xB7\xC3\r\nb\r\n"), "\xE8\xAE\xBF\nb\n");
    EXPECT_EQ(display::ClipboardFromDesktop("\xE8\xAE\xBF\nb\n"), "\xB7\xC3\r\nb\r\n");
    // Line ends already classic stay single; a lone CR is kept.
    EXPECT_EQ(display::ClipboardFromDesktop("a\r\nb\rc"), "a\r\nb\rc");
    EXPECT_EQ(display::ClipboardToDesktop("a\rb"), "a\rb");
    EXPECT_EQ(display::ClipboardFromDesktop("\n"), "\r\n");
    EXPECT_EQ(display::ClipboardToDesktop(""), "");
    EXPECT_EQ(display::ClipboardToDesktop("a\r"), "a\r");
    EXPECT_EQ(display::ClipboardToDesktop("\r\r\n\r\n"), "\r\n\n");
    // Plain ASCII passes as it is; one byte of code page 936 anywhere, even
    // after whole words of ASCII, is converted.
    EXPECT_EQ(display::ClipboardToDesktop("abcdefghijklmnopq\tr"), "abcdefghijklmnopq\tr");
    EXPECT_EQ(display::ClipboardToDesktop("abcdefghijklmnop\xB7\xC3"), "abcdefghijklmnop\xE8\xAE\xBF");
    EXPECT_EQ(display::ClipboardToDesktop("abcdefg\xB7\xC3"), "abcdefg\xE8\xAE\xBF");
    // Text that is not UTF-8 does not get through as raw bytes.
    std::string fromBad = display::ClipboardFromDesktop("ok\xFF");
    EXPECT_EQ(fromBad.substr(0, 2), "ok");
    EXPECT_NE(fromBad, "ok\xFF");
}

TEST(Ppm, ReadsScreenshotsAndRejectsDamagedFiles)
{
    gfx::Surface image;
    std::string ppm = std::string("P6\n# made by a test\n2 1\n255\n") + std::string("\xFF\x00\x00\x00\x80\xFF", 6);
    ASSERT_TRUE(ParsePpm(ppm, &image));
    EXPECT_EQ(image.Width(), 2);
    EXPECT_EQ(image.Height(), 1);
    EXPECT_EQ(image.At(0, 0), 0xFF0000u);
    EXPECT_EQ(image.At(1, 0), 0x0080FFu);
    std::string wide = std::string("P6 1 1 65535 ") + std::string("\xFF\xFF\x00\x00\x80\x00", 6);
    ASSERT_TRUE(ParsePpm(wide, &image));
    EXPECT_EQ(image.At(0, 0), 0xFF0080u);

    for (std::string bad : {std::string(""), std::string("P3 1 1 255 0 0 0"), std::string("P6 2 1 255 \xFF\x00"),
                            std::string("P6 0 1 255 "), std::string("P6 99999999 99999999 255 "),
                            std::string("P6 1 1 0 abc"), std::string("P6 1"), std::string("P6 1 1 255")})
        EXPECT_FALSE(ParsePpm(bad, &image)) << bad;
}

} // namespace
} // namespace corvane::test
