// Captured text through the markup neutraliser. Whatever the text, the output holds only the
// formatting tags with their few attributes, properly nested (so the cell around it stays
// whole), no address or script, and grows at most by a constant factor.
#include "list/MarkupNeutraliser.h"

#include <winsim/sim.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

const char* const kAllowed[] = {"b",    "i",     "u",   "em",  "strong", "br",   "p",   "span",
                                "font", "small", "big", "sub", "sup",    "code", "pre", "wbr"};

bool IsAllowed(const std::string& name) {
    for (const char* allowed : kAllowed) {
        if (name == allowed) {
            return true;
        }
    }
    return false;
}

bool IsVoid(const std::string& name) {
    return name == "br" || name == "wbr";
}

[[noreturn]] void Fault() {
    std::abort();
}

void CheckTag(const std::string& tag, std::vector<std::string>& open) {
    // tag: what lies between '<' and '>'.
    size_t i = 0;
    const bool end = !tag.empty() && tag[0] == '/';
    i += end ? 1 : 0;
    std::string name;
    while (i < tag.size() && tag[i] >= 'a' && tag[i] <= 'z') {
        name += tag[i++];
    }
    if (!IsAllowed(name)) {
        Fault();
    }
    // No function (url(), expression()), escape, reference or rule can be written without
    // these characters; a colon only separates a style's property from its value.
    for (const char* bad : {"(", "\\", "&", "<", "@", "!", "/*"}) {
        if (tag.find(bad) != std::string::npos) {
            Fault();
        }
    }
    // Attributes: name="value" pairs of the allowed names only.
    while (i < tag.size()) {
        if (tag[i] == '/' && i + 1 == tag.size() && IsVoid(name)) {
            break;
        }
        if (tag[i] != ' ') {
            Fault();
        }
        ++i;
        std::string attribute;
        while (i < tag.size() && tag[i] != '=') {
            attribute += tag[i++];
        }
        if (attribute != "style" && attribute != "color" && attribute != "size" &&
            attribute != "face") {
            Fault();
        }
        if (i + 1 >= tag.size() || tag[i + 1] != '"') {
            Fault();
        }
        const size_t close = tag.find('"', i + 2);
        if (close == std::string::npos ||
            (attribute != "style" &&
             tag.substr(i + 2, close - i - 2).find(':') != std::string::npos)) {
            Fault();
        }
        i = close + 1;
    }
    if (IsVoid(name)) {
        if (end) {
            Fault();
        }
        return;
    }
    if (!end) {
        open.push_back(name);
    } else if (open.empty() || open.back() != name) {
        Fault();
    } else {
        open.pop_back();
    }
}

void Check(const std::string& out, size_t inputSize) {
    if (out.size() > 6 * inputSize + 512) {
        Fault();
    }
    std::vector<std::string> open;
    size_t i = 0;
    while ((i = out.find('<', i)) != std::string::npos) {
        const size_t close = out.find('>', i);
        if (close == std::string::npos) {
            Fault();
        }
        CheckTag(out.substr(i + 1, close - i - 1), open);
        i = close + 1;
    }
    if (!open.empty()) {
        Fault();
    }
}

} // namespace

// A double-byte code page: its lead bytes take the trail byte behind them, and every other byte
// is read as in a single-byte one.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    winsim::DesktopConfig config;
    config.codePage = 932;
    winsim::ResetDesktop(config);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string text;
    for (size_t i = 0; i < size; ++i) {
        // A window text ends at its first zero.
        if (data[i] == 0) {
            break;
        }
        text += static_cast<char>(data[i]);
    }
    Check(NeutraliseMarkup(CString(text)).str(), text.size());
    return 0;
}
