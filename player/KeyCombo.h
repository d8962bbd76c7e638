// Key combinations as scenarios write them: modifiers and one key joined by '+', such as
// "Alt+C", "Ctrl+Shift+X", "Ctrl+Insert", "Esc", "Enter", "F5", "Win+Ctrl+Left".
//
// Names are compared without regard to case. Modifiers: Ctrl (Control), Shift, Alt, Win. Keys:
// letters and digits, F1 to F24, Esc, Enter, Tab, Space, Backspace, Insert, Delete, Home, End,
// PageUp, PageDown, the arrows Left/Up/Right/Down, Pause, PrintScreen, CapsLock, NumLock,
// ScrollLock, Apps, NumPad0 to NumPad9, Multiply, Add, Subtract, Decimal, Divide, and the
// punctuation keys of a US keyboard (; = , - . / ` [ \ ] ' and "Plus" or a final "+" for '=').
#pragma once

#include <string>
#include <string_view>

namespace player {

struct KeyCombo {
    // The Win32 virtual-key code of the key.
    unsigned vk = 0;
    bool ctrl = false;
    bool shift = false;
    bool alt = false;
    bool win = false;
    // The key sends the extended-key flag (arrows, Insert, Delete, Home, End, Page Up/Down ...):
    // a hot-key control shows such keys with its extended flag.
    bool extended = false;
};

// Returns false and describes the fault in `error`.
bool ParseKeyCombo(std::string_view text, KeyCombo& combo, std::string& error);

// The combination in its canonical spelling ("Ctrl+Shift+X").
std::string FormatKeyCombo(const KeyCombo& combo);

} // namespace player
