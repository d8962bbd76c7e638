#include "player/VerbSupport.h"

#include "player/ElementRef.h"
#include "player/KeyCombo.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>

namespace player {

bool ParseInt(const std::string& text, long min, long max, long& value) {
    if (text.empty() || text.size() > 9) {
        return false;
    }
    for (char c : text) {
        if (c < '0' || c > '9') {
            return false;
        }
    }
    value = std::strtol(text.c_str(), nullptr, 10);
    return value >= min && value <= max;
}

bool ParseSeconds(const std::string& text, double& seconds) {
    if (text.empty() || text.find_first_not_of("0123456789.") != std::string::npos) {
        return false;
    }
    char* end = nullptr;
    errno = 0;
    seconds = std::strtod(text.c_str(), &end);
    return errno == 0 && end == text.c_str() + text.size() && seconds >= 0 && seconds <= 86400;
}

bool OneOf(BuildContext& c, size_t i, std::initializer_list<const char*> choices) {
    for (const char* choice : choices) {
        if (c.Arg(i) == choice) {
            return true;
        }
    }
    std::string list;
    for (const char* choice : choices) {
        list += list.empty() ? choice : std::string("|") + choice;
    }
    return c.Fail("'" + c.Arg(i) + "' is not one of " + list);
}

bool KeyArg(BuildContext& c, size_t i) {
    KeyCombo combo;
    return ParseKeyCombo(c.Arg(i), combo, c.error);
}

bool ElementArg(BuildContext& c, size_t i) {
    ElementRef element;
    return ParseElementRef(c.Arg(i), element, c.error);
}

bool CountArg(BuildContext& c, size_t i, long& value) {
    if (!ParseInt(c.Arg(i), 0, 1000000, value)) {
        return c.Fail("'" + c.Arg(i) + "' is not a count (a whole number from 0)");
    }
    return true;
}

bool SizeArgs(BuildContext& c, size_t i) {
    long value = 0;
    for (size_t k = i; k < i + 2; ++k) {
        if (!ParseInt(c.Arg(k), 1, 100000, value)) {
            return c.Fail("'" + c.Arg(k) + "' is not a size in pixels");
        }
    }
    return true;
}

bool WindowsPathArg(BuildContext& c, size_t i) {
    const std::string& path = c.Arg(i);
    bool absolute = path.size() >= 3 && std::isalpha(static_cast<unsigned char>(path[0])) &&
                    path[1] == ':' && path[2] == '\\';
    if (!absolute) {
        return c.Fail("'" + path + "' is not a full Windows path such as 'C:\\folder\\file'");
    }
    return true;
}

} // namespace player
