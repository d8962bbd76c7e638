#include "menu/MenuText.h"

std::string ToAnsiText(const WideText& text) {
    if (text.empty()) {
        return std::string();
    }
    const int length = static_cast<int>(text.size());
    const int size = WideCharToMultiByte(CP_ACP, 0, text.data(), length, NULL, 0, NULL, NULL);
    if (size <= 0) {
        return std::string();
    }
    std::string result(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), length, &result[0], size, NULL, NULL);
    return result;
}

WideText ToWideText(const std::string& text) {
    if (text.empty()) {
        return WideText();
    }
    const int length = static_cast<int>(text.size());
    const int size = MultiByteToWideChar(CP_ACP, 0, text.data(), length, NULL, 0);
    if (size <= 0) {
        return WideText();
    }
    WideText result(static_cast<size_t>(size), 0);
    MultiByteToWideChar(CP_ACP, 0, text.data(), length, &result[0], size);
    return result;
}
