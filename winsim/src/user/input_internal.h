// Keyboard and pointer state of the simulated person, as the message functions use it.
#pragma once

#include "user/user_state.h"

namespace winsim::user {

POINT CursorPosition();
// The character a key press gives with the current state of Shift, Ctrl and Caps Lock, or 0.
int CharacterForKey(UINT vk);
// MK_* flags of the buttons and modifier keys held down, as mouse messages carry them.
WPARAM MouseKeyFlags();
// The key state that goes with the messages taken so far (what GetKeyState reports).
bool KeyIsDownForMessages(int vk);
bool IsKeyboardMessage(UINT msg);
// A key message waiting in a thread's input queue goes to the window that has the thread's
// keyboard focus when it is read, not when the key was pressed (typed-ahead keys reach a field
// or dialog that got the focus meanwhile); without a focus, to the active window as a system
// key. A key pressed while a menu was open stays the menu's while the menu is.
void ResolveKeyboardMessage(DWORD thread, MSG* msg);
// An input message leaves its queue: the message-synchronous key state follows it.
void TakeInputMessage(const MSG& msg);

} // namespace winsim::user
