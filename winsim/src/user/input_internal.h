// Keyboard and pointer state of the simulated person, as the message functions use it.
#pragma once

#include "user/user_state.h"

namespace winsim::user {

POINT CursorPosition();
// The character a key press gives with the current state of Shift, Ctrl and Caps Lock, or 0.
int CharacterForKey(UINT vk);
bool KeyIsDown(int vk);

} // namespace winsim::user
