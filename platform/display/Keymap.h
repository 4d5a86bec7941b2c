// Desktop keys to the classic virtual-key codes the window manager speaks.
#pragma once

#include <SDL.h>

namespace display {

// The virtual-key code of a key, or 0 for keys the system has no code for.
// Letters and digits follow the keyboard layout (the key that types 'q' is 'Q');
// punctuation keys keep their position, as the classic OEM codes do.
unsigned VirtualKeyFromSdl(SDL_Keycode key, SDL_Scancode scancode);

// Modifier bits (kModShift, kModControl, kModAlt) of an SDL modifier state.
unsigned ModifiersFromSdl(Uint16 mod);

} // namespace display
