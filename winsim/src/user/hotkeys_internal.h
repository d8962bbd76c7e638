// Hot-key matching for the keyboard of the simulated person.
#pragma once

#include "user/user_state.h"

namespace winsim::user {

// A key went down with these MOD_* modifiers held: when the combination is registered, posts
// WM_HOTKEY to its window (nothing for another program's key) and returns true: the key is
// then not delivered as key messages.
bool DeliverHotKey(UINT modifiers, UINT vk);
// Another program registers the combination; false when someone holds it already.
bool TakeHotKeyForOtherProgram(UINT modifiers, UINT vk);
void ResetHotKeys();
void ResetAtoms();

} // namespace winsim::user
