#include "htmlview/src/InlineStyle.h"

#include "htmlview/src/Utf.h"

#include <vector>

namespace htmlview::internal {

namespace {

std::string_view Trim(std::string_view text) {
    const auto isSpace = [](char c) {
        return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
    };
    while (!text.empty() && isSpace(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isSpace(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

struct Declaration {
    std::string name; // lower case
    std::string value;
};

// Splits at semicolons outside parentheses and quotes (url(a;b) and "a;b" stay whole).
std::vector<Declaration> Parse(std::string_view style) {
    std::vector<Declaration> result;
    size_t start = 0;
    int depth = 0;
    char quote = 0;
    for (size_t i = 0; i <= style.size(); ++i) {
        const char c = i < style.size() ? style[i] : ';';
        if (quote) {
            if (c == quote) {
                quote = 0;
            }
            if (i < style.size()) {
                continue;
            }
        } else if (c == '"' || c == '\'') {
            quote = c;
            continue;
        } else if (c == '(') {
            ++depth;
            continue;
        } else if (c == ')' && depth > 0) {
            --depth;
            continue;
        }
        if (c != ';' || (depth > 0 && i < style.size())) {
            continue;
        }
        const std::string_view item = style.substr(start, i - start);
        start = i + 1;
        const size_t colon = item.find(':');
        if (colon == std::string_view::npos) {
            continue;
        }
        const std::string_view name = Trim(item.substr(0, colon));
        if (name.empty()) {
            continue;
        }
        result.push_back({AsciiLower(name), std::string(Trim(item.substr(colon + 1)))});
    }
    return result;
}

} // namespace

std::string GetStyleProperty(std::string_view style, std::string_view property) {
    const std::string wanted = AsciiLower(property);
    std::string value;
    for (const Declaration& declaration : Parse(style)) {
        if (declaration.name == wanted) {
            value = declaration.value;
        }
    }
    return value;
}

std::string SetStyleProperty(std::string_view style, std::string_view property,
                             std::string_view value) {
    const std::string wanted = AsciiLower(property);
    std::string out;
    for (const Declaration& declaration : Parse(style)) {
        if (declaration.name == wanted) {
            continue;
        }
        out += (out.empty() ? "" : "; ") + declaration.name + ": " + declaration.value;
    }
    const std::string_view trimmed = Trim(value);
    if (!trimmed.empty()) {
        out += (out.empty() ? "" : "; ") + wanted + ": " + std::string(trimmed);
    }
    return out;
}

} // namespace htmlview::internal
