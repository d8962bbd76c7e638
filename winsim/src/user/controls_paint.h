// Drawing of the system controls (their WM_PAINT).
#pragma once

#include "user/user_state.h"

#include <string>

namespace winsim::user {

void PaintStatic(HWND hwnd);
void PaintButton(HWND hwnd, bool focused);
// Edit fields and the hot-key control: text on the window colour.
void PaintEditLike(HWND hwnd, const std::string& text);
// Combo boxes: the field with the selected text, and the drop-down button at its right.
void PaintComboBox(HWND hwnd, const std::string& text, bool focused);
// What the hot-key control shows for a value: "Ctrl + Shift + X", "None".
std::string HotKeyText(WORD value);

} // namespace winsim::user
