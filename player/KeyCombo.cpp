#include "player/KeyCombo.h"

#include <cctype>
#include <vector>

namespace player {
namespace {

struct NamedKey {
    const char* name;
    unsigned vk;
    bool extended;
};

// Win32 virtual-key codes. The first name of a code is its canonical spelling.
const NamedKey kNamedKeys[] = {
    {"Esc", 0x1B, false},       {"Escape", 0x1B, false},     {"Enter", 0x0D, false},
    {"Return", 0x0D, false},    {"Tab", 0x09, false},        {"Space", 0x20, false},
    {"Backspace", 0x08, false}, {"Insert", 0x2D, true},      {"Ins", 0x2D, true},
    {"Delete", 0x2E, true},     {"Del", 0x2E, true},         {"Home", 0x24, true},
    {"End", 0x23, true},        {"PageUp", 0x21, true},      {"PgUp", 0x21, true},
    {"PageDown", 0x22, true},   {"PgDn", 0x22, true},        {"Left", 0x25, true},
    {"Up", 0x26, true},         {"Right", 0x27, true},       {"Down", 0x28, true},
    {"Pause", 0x13, false},     {"PrintScreen", 0x2C, true}, {"CapsLock", 0x14, false},
    {"NumLock", 0x90, true},    {"ScrollLock", 0x91, false}, {"Apps", 0x5D, true},
    {"Multiply", 0x6A, false},  {"Add", 0x6B, false},        {"Subtract", 0x6D, false},
    {"Decimal", 0x6E, false},   {"Divide", 0x6F, true},      {"Plus", 0xBB, false},
    {";", 0xBA, false},         {"=", 0xBB, false},          {",", 0xBC, false},
    {"-", 0xBD, false},         {".", 0xBE, false},          {"/", 0xBF, false},
    {"`", 0xC0, false},         {"[", 0xDB, false},          {"\\", 0xDC, false},
    {"]", 0xDD, false},         {"'", 0xDE, false},
};

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

// Parses a decimal number of 1 or 2 digits after `prefix` ("F12", "NumPad7").
bool NumberAfter(std::string_view name, std::string_view prefix, unsigned& number) {
    if (name.size() <= prefix.size() || name.size() > prefix.size() + 2 ||
        !SameName(name.substr(0, prefix.size()), prefix)) {
        return false;
    }
    number = 0;
    for (char c : name.substr(prefix.size())) {
        if (!std::isdigit(static_cast<unsigned char>(c))) {
            return false;
        }
        number = number * 10 + static_cast<unsigned>(c - '0');
    }
    return name[prefix.size()] != '0';
}

bool ParseKey(std::string_view name, KeyCombo& combo) {
    if (name.size() == 1 && std::isalnum(static_cast<unsigned char>(name[0]))) {
        combo.vk = static_cast<unsigned>(std::toupper(static_cast<unsigned char>(name[0])));
        return true;
    }
    unsigned number = 0;
    if (NumberAfter(name, "F", number) && number >= 1 && number <= 24) {
        combo.vk = 0x70 + number - 1;
        return true;
    }
    if (SameName(name, "NumPad0")) {
        combo.vk = 0x60;
        return true;
    }
    if (NumberAfter(name, "NumPad", number) && number <= 9) {
        combo.vk = 0x60 + number;
        return true;
    }
    for (const NamedKey& key : kNamedKeys) {
        if (SameName(name, key.name)) {
            combo.vk = key.vk;
            combo.extended = key.extended;
            return true;
        }
    }
    return false;
}

// Sets the modifier that `name` names; false when it names none.
bool ParseModifier(std::string_view name, KeyCombo& combo, bool*& flag) {
    if (SameName(name, "Ctrl") || SameName(name, "Control")) {
        flag = &combo.ctrl;
    } else if (SameName(name, "Shift")) {
        flag = &combo.shift;
    } else if (SameName(name, "Alt")) {
        flag = &combo.alt;
    } else if (SameName(name, "Win")) {
        flag = &combo.win;
    } else {
        return false;
    }
    return true;
}

std::vector<std::string_view> SplitParts(std::string_view text) {
    std::vector<std::string_view> parts;
    // A final "++" names the '+' key itself ("Ctrl++").
    bool plusKey = text.size() >= 2 && text.substr(text.size() - 2) == "++";
    if (plusKey) {
        text.remove_suffix(2);
    }
    size_t start = 0;
    while (true) {
        size_t plus = text.find('+', start);
        parts.push_back(text.substr(start, plus == std::string_view::npos ? plus : plus - start));
        if (plus == std::string_view::npos) {
            break;
        }
        start = plus + 1;
    }
    if (plusKey) {
        parts.push_back("Plus");
    }
    return parts;
}

} // namespace

bool ParseKeyCombo(std::string_view text, KeyCombo& combo, std::string& error) {
    combo = KeyCombo();
    if (text.empty()) {
        error = "empty key combination";
        return false;
    }
    std::vector<std::string_view> parts = SplitParts(text);
    for (size_t i = 0; i + 1 < parts.size(); ++i) {
        bool* flag = nullptr;
        if (parts[i].empty()) {
            error = "key combination '" + std::string(text) + "' has an empty part";
            return false;
        }
        if (!ParseModifier(parts[i], combo, flag)) {
            error = "'" + std::string(parts[i]) + "' in '" + std::string(text) +
                    "' is not a modifier (Ctrl, Shift, Alt, Win); only the last part is a key";
            return false;
        }
        if (*flag) {
            error = "modifier '" + std::string(parts[i]) + "' named twice in '" +
                    std::string(text) + "'";
            return false;
        }
        *flag = true;
    }
    std::string_view key = parts.back();
    if (key.empty()) {
        error = "key combination '" + std::string(text) + "' ends without a key";
        return false;
    }
    if (!ParseKey(key, combo)) {
        bool* flag = nullptr;
        KeyCombo ignored;
        error = ParseModifier(key, ignored, flag)
                    ? "key combination '" + std::string(text) + "' has modifiers but no key"
                    : "unknown key '" + std::string(key) + "' in '" + std::string(text) + "'";
        return false;
    }
    return true;
}

std::string FormatKeyCombo(const KeyCombo& combo) {
    std::string text;
    if (combo.win) {
        text += "Win+";
    }
    if (combo.ctrl) {
        text += "Ctrl+";
    }
    if (combo.shift) {
        text += "Shift+";
    }
    if (combo.alt) {
        text += "Alt+";
    }
    unsigned vk = combo.vk;
    if ((vk >= '0' && vk <= '9') || (vk >= 'A' && vk <= 'Z')) {
        return text + static_cast<char>(vk);
    }
    if (vk >= 0x70 && vk <= 0x87) {
        return text + "F" + std::to_string(vk - 0x70 + 1);
    }
    if (vk >= 0x60 && vk <= 0x69) {
        return text + "NumPad" + std::to_string(vk - 0x60);
    }
    for (const NamedKey& key : kNamedKeys) {
        if (key.vk == vk) {
            return text + key.name;
        }
    }
    return text + "VK" + std::to_string(vk);
}

} // namespace player
