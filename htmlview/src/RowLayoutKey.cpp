// Look-up keys for the measures of long tables' rows: two rows with the same key are laid out
// alike, so a row parsed anew (the list's rows after a deleted entry, renumbered and with their
// even and odd classes swapped) takes the measure of the row it repeats.
#include "htmlview/src/RowPlan.h"

#include "htmlview/src/Utf.h"

#include <algorithm>
#include <cctype>
#include <functional>
#include <string_view>

namespace htmlview::internal {

namespace {

// Properties that change how an element is painted, never where anything goes.
bool IsPaintOnlyProperty(const std::string& name) {
    static constexpr std::string_view kPrefixes[] = {"background", "scrollbar-", "text-decoration"};
    static constexpr std::string_view kNames[] = {"color", "filter", "opacity", "cursor"};
    for (std::string_view prefix : kPrefixes) {
        if (name.compare(0, prefix.size(), prefix) == 0) {
            return true;
        }
    }
    return std::find(std::begin(kNames), std::end(kNames), name) != std::end(kNames);
}

std::string WithoutComments(const std::string& sheet) {
    std::string out;
    for (size_t i = 0; i < sheet.size();) {
        if (sheet.compare(i, 2, "/*") == 0) {
            const size_t end = sheet.find("*/", i + 2);
            i = end == std::string::npos ? sheet.size() : end + 2;
            out += ' ';
        } else {
            out += sheet[i++];
        }
    }
    return out;
}

bool IsNameChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_' ||
           static_cast<unsigned char>(c) >= 0x80;
}

void AppendClasses(const std::string& selector, std::set<std::string, std::less<>>& classes) {
    for (size_t dot = selector.find('.'); dot != std::string::npos;
         dot = selector.find('.', dot + 1)) {
        size_t end = dot + 1;
        while (end < selector.size() && IsNameChar(selector[end])) {
            ++end;
        }
        classes.insert(AsciiLower(selector.substr(dot + 1, end - dot - 1)));
    }
}

// Whether any declaration of the block could move something.
bool PlacesAnything(const std::string& declarations) {
    size_t start = 0;
    while (start < declarations.size()) {
        size_t end = declarations.find(';', start);
        if (end == std::string::npos) {
            end = declarations.size();
        }
        const std::string declaration = declarations.substr(start, end - start);
        const size_t colon = declaration.find(':');
        if (colon != std::string::npos) {
            std::string name = declaration.substr(0, colon);
            name.erase(
                std::remove_if(name.begin(), name.end(),
                               [](char c) { return std::isspace(static_cast<unsigned char>(c)); }),
                name.end());
            if (!IsPaintOnlyProperty(AsciiLower(name))) {
                return true;
            }
        }
        start = end + 1;
    }
    return false;
}

// Only the classes that some rule lays out by, in their order. Classes are mostly written in
// lower case, which is looked up as it stands.
void AppendLayingOutClasses(const std::string& value, const RowKeyRules& rules, std::string& key) {
    size_t start = 0;
    while (start < value.size()) {
        size_t end = value.find_first_of(" \t\r\n\f", start);
        if (end == std::string::npos) {
            end = value.size();
        }
        const std::string_view token(value.data() + start, end - start);
        const bool lower =
            std::none_of(token.begin(), token.end(), [](char c) { return c >= 'A' && c <= 'Z'; });
        const std::string folded = lower ? std::string() : AsciiLower(token);
        const std::string_view name = lower ? token : std::string_view(folded);
        if (!name.empty() && rules.layingOutClasses.find(name) != rules.layingOutClasses.end()) {
            key += name;
            key += ' ';
        }
        start = end + 1;
    }
}

void AppendKey(const DomNode& node, const RowKeyRules& rules, std::string& key) {
    if (!node.IsElement()) {
        key += '\x01';
        key += node.text();
        return;
    }
    key += '<';
    key += node.tag();
    for (const auto& [name, value] : node.attributes()) {
        if (name == "id" && rules.ignoreIds) {
            continue;
        }
        key += '\x02';
        key += name;
        key += '=';
        if (name != "class" || !rules.classesKnown) {
            key += value;
            continue;
        }
        AppendLayingOutClasses(value, rules, key);
    }
    key += '>';
    for (const DomNodePtr& child : node.children()) {
        AppendKey(*child, rules, key);
    }
    key += '\x03';
}

} // namespace

RowKeyRules RowKeyRulesOf(const std::vector<std::string>& styleSheets) {
    RowKeyRules rules;
    rules.ignoreIds = true;
    rules.classesKnown = true;
    for (const std::string& raw : styleSheets) {
        const std::string sheet = WithoutComments(raw);
        if (sheet.find('@') != std::string::npos) {
            // Rules inside rules (media, imports): read as picking by anything.
            return RowKeyRules();
        }
        size_t at = 0;
        while (at < sheet.size()) {
            const size_t open = sheet.find('{', at);
            if (open == std::string::npos) {
                break;
            }
            const size_t close = sheet.find('}', open);
            const std::string selector = sheet.substr(at, open - at);
            const std::string declarations = sheet.substr(
                open + 1, (close == std::string::npos ? sheet.size() : close) - open - 1);
            if (selector.find('[') != std::string::npos) {
                return RowKeyRules(); // picks by attribute
            }
            if (selector.find('#') != std::string::npos) {
                rules.ignoreIds = false;
            }
            if (PlacesAnything(declarations)) {
                AppendClasses(selector, rules.layingOutClasses);
            }
            if (close == std::string::npos) {
                break;
            }
            at = close + 1;
        }
    }
    return rules;
}

bool KeepsRowKey(const std::string& name, const std::string& before, const std::string& after,
                 const RowKeyRules& rules) {
    if (name == "id") {
        return rules.ignoreIds;
    }
    if (name != "class" || !rules.classesKnown) {
        return false;
    }
    std::string kept;
    std::string keptAfter;
    AppendLayingOutClasses(before, rules, kept);
    AppendLayingOutClasses(after, rules, keptAfter);
    return kept == keptAfter;
}

size_t RowLayoutKey(const DomNode& row, const RowKeyRules& rules) {
    std::string key;
    AppendKey(row, rules, key);
    return std::hash<std::string>()(key);
}

} // namespace htmlview::internal
