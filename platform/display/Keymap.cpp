#include "platform/display/Keymap.h"

#include "platform/display/Event.h"

namespace display {

namespace {

struct KeyPair {
    SDL_Keycode key;
    unsigned vk;
};

// Keys named by what they do, whatever the layout.
constexpr KeyPair kNamedKeys[] = {
    {SDLK_BACKSPACE, 0x08},  {SDLK_TAB, 0x09},         {SDLK_CLEAR, 0x0C},     {SDLK_RETURN, 0x0D},
    {SDLK_RETURN2, 0x0D},    {SDLK_KP_ENTER, 0x0D},    {SDLK_LSHIFT, 0x10},    {SDLK_RSHIFT, 0x10},
    {SDLK_LCTRL, 0x11},      {SDLK_RCTRL, 0x11},       {SDLK_LALT, 0x12},      {SDLK_RALT, 0x12},
    {SDLK_PAUSE, 0x13},      {SDLK_CAPSLOCK, 0x14},    {SDLK_ESCAPE, 0x1B},    {SDLK_SPACE, 0x20},
    {SDLK_PAGEUP, 0x21},     {SDLK_PAGEDOWN, 0x22},    {SDLK_END, 0x23},       {SDLK_HOME, 0x24},
    {SDLK_LEFT, 0x25},       {SDLK_UP, 0x26},          {SDLK_RIGHT, 0x27},     {SDLK_DOWN, 0x28},
    {SDLK_SELECT, 0x29},     {SDLK_PRINTSCREEN, 0x2C}, {SDLK_INSERT, 0x2D},    {SDLK_DELETE, 0x2E},
    {SDLK_HELP, 0x2F},       {SDLK_LGUI, 0x5B},        {SDLK_RGUI, 0x5C},      {SDLK_APPLICATION, 0x5D},
    {SDLK_MENU, 0x5D},       {SDLK_KP_MULTIPLY, 0x6A}, {SDLK_KP_PLUS, 0x6B},   {SDLK_KP_MINUS, 0x6D},
    {SDLK_KP_PERIOD, 0x6E},  {SDLK_KP_DECIMAL, 0x6E},  {SDLK_KP_DIVIDE, 0x6F}, {SDLK_NUMLOCKCLEAR, 0x90},
    {SDLK_SCROLLLOCK, 0x91},
};

// Punctuation keys by position on a US keyboard, as the OEM codes are defined.
struct ScanPair {
    SDL_Scancode scancode;
    unsigned vk;
};
constexpr ScanPair kPositionalKeys[] = {
    {SDL_SCANCODE_SEMICOLON, 0xBA},    {SDL_SCANCODE_EQUALS, 0xBB},      {SDL_SCANCODE_COMMA, 0xBC},
    {SDL_SCANCODE_MINUS, 0xBD},        {SDL_SCANCODE_PERIOD, 0xBE},      {SDL_SCANCODE_SLASH, 0xBF},
    {SDL_SCANCODE_GRAVE, 0xC0},        {SDL_SCANCODE_LEFTBRACKET, 0xDB}, {SDL_SCANCODE_BACKSLASH, 0xDC},
    {SDL_SCANCODE_RIGHTBRACKET, 0xDD}, {SDL_SCANCODE_APOSTROPHE, 0xDE},  {SDL_SCANCODE_NONUSBACKSLASH, 0xE2},
    {SDL_SCANCODE_NONUSHASH, 0xDC},
};

} // namespace

unsigned VirtualKeyFromSdl(SDL_Keycode key, SDL_Scancode scancode)
{
    if (key >= SDLK_a && key <= SDLK_z) return static_cast<unsigned>('A' + (key - SDLK_a));
    if (key >= SDLK_0 && key <= SDLK_9) return static_cast<unsigned>('0' + (key - SDLK_0));
    if (key >= SDLK_F1 && key <= SDLK_F12) return 0x70 + static_cast<unsigned>(key - SDLK_F1);
    if (key >= SDLK_F13 && key <= SDLK_F24) return 0x7C + static_cast<unsigned>(key - SDLK_F13);
    if (key >= SDLK_KP_1 && key <= SDLK_KP_9) return 0x61 + static_cast<unsigned>(key - SDLK_KP_1);
    if (key == SDLK_KP_0) return 0x60;
    for (const KeyPair& p : kNamedKeys)
        if (p.key == key) return p.vk;
    // Layouts put letters of their own on punctuation positions; the code follows the position.
    for (const ScanPair& p : kPositionalKeys)
        if (p.scancode == scancode) return p.vk;
    // A letter or digit key of a layout whose keycode is not ASCII still has its position.
    if (scancode >= SDL_SCANCODE_A && scancode <= SDL_SCANCODE_Z)
        return static_cast<unsigned>('A' + (scancode - SDL_SCANCODE_A));
    if (scancode >= SDL_SCANCODE_1 && scancode <= SDL_SCANCODE_9)
        return static_cast<unsigned>('1' + (scancode - SDL_SCANCODE_1));
    if (scancode == SDL_SCANCODE_0) return '0';
    return 0;
}

unsigned ModifiersFromSdl(Uint16 mod)
{
    unsigned out = 0;
    if (mod & KMOD_SHIFT) out |= kModShift;
    if (mod & KMOD_CTRL) out |= kModControl;
    if (mod & KMOD_ALT) out |= kModAlt;
    return out;
}

} // namespace display
