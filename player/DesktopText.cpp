#include "player/DesktopText.h"

#include "player/Scenario.h"

#include <winsim/windows.h>

#include <string_view>
#include <vector>

namespace player {
namespace {

std::u16string ToWide(UINT codePage, const std::string& text) {
    if (text.empty()) {
        return std::u16string();
    }
    int length =
        MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::vector<WCHAR> wide(static_cast<size_t>(length > 0 ? length : 0));
    if (length > 0) {
        MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                            length);
    }
    return std::u16string(wide.begin(), wide.end());
}

std::string FromWide(UINT codePage, const std::u16string& wide, bool* lost) {
    if (wide.empty()) {
        return std::string();
    }
    BOOL usedDefault = FALSE;
    LPBOOL usedDefaultOut = codePage == CP_UTF8 ? nullptr : &usedDefault;
    int length = WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()),
                                     nullptr, 0, nullptr, usedDefaultOut);
    std::vector<char> bytes(static_cast<size_t>(length > 0 ? length : 0));
    if (length > 0) {
        WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), bytes.data(),
                            length, nullptr, usedDefaultOut);
    }
    if (lost) {
        *lost = usedDefault != FALSE || (length <= 0 && !wide.empty());
    }
    return std::string(bytes.begin(), bytes.end());
}

bool IsAscii(const std::string& text) {
    for (char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            return false;
        }
    }
    return true;
}

} // namespace

std::string ToAnsi(const std::string& utf8) {
    if (IsAscii(utf8)) {
        return utf8;
    }
    bool lost = false;
    std::string ansi = FromWide(CP_ACP, ToWide(CP_UTF8, utf8), &lost);
    if (lost) {
        throw StepFailure("the text '" + utf8 + "' cannot be written in the desktop's code page " +
                          std::to_string(GetACP()));
    }
    return ansi;
}

std::string ToCodePage(const std::string& utf8, unsigned codePage, bool& lost) {
    lost = false;
    if (IsAscii(utf8)) {
        return utf8;
    }
    return FromWide(codePage, ToWide(CP_UTF8, utf8), &lost);
}

size_t FindLastOfAnsi(const std::string& ansi, const char* chars) {
    const std::string_view wanted(chars);
    size_t found = std::string::npos;
    for (size_t i = 0; i < ansi.size(); ++i) {
        if (IsDBCSLeadByte(static_cast<BYTE>(ansi[i])) && i + 1 < ansi.size()) {
            ++i;
        } else if (wanted.find(ansi[i]) != std::string_view::npos) {
            found = i;
        }
    }
    return found;
}

std::string FromAnsi(const std::string& ansi) {
    if (IsAscii(ansi)) {
        return ansi;
    }
    return FromWide(CP_UTF8, ToWide(CP_ACP, ansi), nullptr);
}

} // namespace player
