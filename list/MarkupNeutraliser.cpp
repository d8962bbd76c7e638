#include "list/MarkupNeutraliser.h"

#include "platform/win32.h"

#include <array>
#include <cstdlib>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

namespace {

// How many elements may be open inside one text, and how many of them may enlarge the font.
constexpr size_t kMaxOpenElements = 32;
constexpr int kMaxEnlargers = 2;
// Characters in a row without a blank before a break opportunity is offered.
constexpr int kMaxRun = 20;
// Character references longer than this are taken as text.
constexpr size_t kMaxReference = 12;

bool IsBlank(char ch) {
    return ch == ' ' || ch == '\t' || ch == '\n' || ch == '\r' || ch == '\f';
}

bool IsAsciiLetter(char ch) {
    return (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z');
}

bool IsAsciiDigit(char ch) {
    return ch >= '0' && ch <= '9';
}

char ToLowerAscii(char ch) {
    return (ch >= 'A' && ch <= 'Z') ? static_cast<char>(ch - 'A' + 'a') : ch;
}

std::string Trimmed(const std::string& text) {
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && IsBlank(text[begin])) {
        ++begin;
    }
    while (end > begin && IsBlank(text[end - 1])) {
        --end;
    }
    return text.substr(begin, end - begin);
}

std::string ToLowerAscii(std::string text) {
    for (char& ch : text) {
        ch = ToLowerAscii(ch);
    }
    return text;
}

// The lead bytes of the code page, looked up once per text rather than once per byte.
class LeadBytes {
public:
    LeadBytes() {
        for (int byte = 0; byte < 256; ++byte) {
            lead_[static_cast<size_t>(byte)] = ::IsDBCSLeadByte(static_cast<BYTE>(byte)) != FALSE;
        }
    }
    bool operator()(char ch) const { return lead_[static_cast<unsigned char>(ch)]; }

private:
    std::array<bool, 256> lead_ = {};
};

// No double-byte code page of the system has a trail byte below 0x40, where every character of
// the markup lies: so '<', '>', quotes and '&' are never the second half of a character.
bool CanBeTrailByte(char ch) {
    return static_cast<unsigned char>(ch) >= 0x40;
}

// A lead byte that has no trail byte behind it becomes '?'.
std::string RepairLeadBytes(const std::string& text, const LeadBytes& IsLeadByte) {
    std::string result;
    result.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (!IsLeadByte(text[i])) {
            result += text[i];
        } else if (i + 1 < text.size() && CanBeTrailByte(text[i + 1])) {
            result += text[i];
            result += text[++i];
        } else {
            result += '?';
        }
    }
    return result;
}

struct Attribute {
    std::string name;  // lower case
    std::string value; // as written
};

struct Tag {
    std::string name; // lower case
    bool endTag = false;
    bool selfClosing = false;
    std::vector<Attribute> attributes;
};

// Reads the tag in text[start, limit): text[start] is '<' and text[limit] the first '>' after
// it. False when that is no well-formed tag (a quote left open, a name that is none ...).
bool ParseTag(const std::string& text, size_t start, size_t limit, Tag& tag) {
    size_t j = start + 1;
    if (j < limit && text[j] == '/') {
        tag.endTag = true;
        ++j;
    }
    if (j >= limit || !IsAsciiLetter(text[j])) {
        return false;
    }
    while (j < limit && (IsAsciiLetter(text[j]) || IsAsciiDigit(text[j]))) {
        tag.name += ToLowerAscii(text[j++]);
    }
    if (j < limit && !IsBlank(text[j]) && text[j] != '/') {
        return false;
    }
    for (;;) {
        while (j < limit && (IsBlank(text[j]) || text[j] == '/')) {
            tag.selfClosing = text[j] == '/';
            ++j;
        }
        if (j >= limit) {
            return true;
        }
        tag.selfClosing = false;
        Attribute attribute;
        while (j < limit && !IsBlank(text[j]) && text[j] != '/' && text[j] != '=') {
            attribute.name += ToLowerAscii(text[j++]);
        }
        while (j < limit && IsBlank(text[j])) {
            ++j;
        }
        if (j < limit && text[j] == '=') {
            ++j;
            while (j < limit && IsBlank(text[j])) {
                ++j;
            }
            if (j < limit && (text[j] == '"' || text[j] == '\'')) {
                const char quote = text[j++];
                size_t close = j;
                while (close < limit && text[close] != quote) {
                    ++close;
                }
                if (close >= limit) {
                    return false;
                }
                attribute.value = text.substr(j, close - j);
                j = close + 1;
            } else {
                while (j < limit && !IsBlank(text[j])) {
                    attribute.value += text[j++];
                }
            }
        }
        tag.attributes.push_back(std::move(attribute));
    }
}

struct ElementRule {
    const char* name;
    bool isVoid;
    bool enlarges; // makes the font bigger by itself
};

constexpr ElementRule kElements[] = {
    {"b", false, false},     {"i", false, false},      {"u", false, false},
    {"em", false, false},    {"strong", false, false}, {"br", true, false},
    {"p", false, false},     {"span", false, false},   {"font", false, false},
    {"small", false, false}, {"big", false, true},     {"sub", false, false},
    {"sup", false, false},   {"code", false, false},   {"pre", false, false},
};

const ElementRule* FindElement(const std::string& name) {
    for (const ElementRule& rule : kElements) {
        if (name == rule.name) {
            return &rule;
        }
    }
    return nullptr;
}

// Values are made of these characters only: no quotes, parentheses, escapes, entities or
// colons, so no address, function or second declaration can hide in one.
bool HasOnlyPlainCharacters(const std::string& value) {
    for (char ch : value) {
        if (!IsAsciiLetter(ch) && !IsAsciiDigit(ch) && ch != ' ' && ch != '#' && ch != '.' &&
            ch != '%' && ch != '-' && ch != ',') {
            return false;
        }
    }
    return !value.empty();
}

bool IsOneOf(const std::string& value, std::initializer_list<const char*> words) {
    for (const char* word : words) {
        if (value == word) {
            return true;
        }
    }
    return false;
}

bool IsColor(const std::string& value) {
    if (!HasOnlyPlainCharacters(value) || value.size() > 20) {
        return false;
    }
    if (value[0] == '#') {
        if (value.size() != 4 && value.size() != 7) {
            return false;
        }
        for (size_t k = 1; k < value.size(); ++k) {
            const char ch = ToLowerAscii(value[k]);
            if (!IsAsciiDigit(ch) && (ch < 'a' || ch > 'f')) {
                return false;
            }
        }
        return true;
    }
    for (char ch : value) {
        if (!IsAsciiLetter(ch)) {
            return false;
        }
    }
    return true;
}

// A font size no larger than a heading: absolute keywords up to x-large, or a length.
bool IsBoundedFontSize(const std::string& value) {
    if (IsOneOf(value, {"xx-small", "x-small", "small", "medium", "large", "x-large", "smaller",
                        "larger"})) {
        return true;
    }
    if (!HasOnlyPlainCharacters(value) || value.size() > 12 || !IsAsciiDigit(value[0])) {
        return false;
    }
    char* unit = nullptr;
    const double number = std::strtod(value.c_str(), &unit);
    const std::string units(unit);
    return (units == "px" && number <= 24) || (units == "pt" && number <= 18) ||
           (units == "em" && number <= 1.5) || (units == "%" && number <= 150);
}

// The font element's own size: 1 to 5, or a small step up or down.
bool IsBoundedFontElementSize(const std::string& value) {
    return IsOneOf(value, {"1", "2", "3", "4", "5", "+1", "+2", "-1", "-2", "-3", "-4"});
}

bool IsFontFace(const std::string& value) {
    return HasOnlyPlainCharacters(value) && value.size() <= 64 &&
           value.find('#') == std::string::npos;
}

bool IsTextDecoration(const std::string& value) {
    size_t start = 0;
    while (start < value.size()) {
        size_t end = value.find(' ', start);
        if (end == std::string::npos) {
            end = value.size();
        }
        if (end > start && !IsOneOf(value.substr(start, end - start),
                                    {"none", "underline", "overline", "line-through"})) {
            return false;
        }
        start = end + 1;
    }
    return !value.empty();
}

bool IsAllowedDeclaration(const std::string& property, const std::string& value, bool mayEnlarge) {
    if (!HasOnlyPlainCharacters(value)) {
        return false;
    }
    if (property == "color") {
        return IsColor(value);
    }
    if (property == "font-weight") {
        return IsOneOf(value, {"normal", "bold", "bolder", "lighter", "100", "200", "300", "400",
                               "500", "600", "700", "800", "900"});
    }
    if (property == "font-style") {
        return IsOneOf(value, {"normal", "italic", "oblique"});
    }
    if (property == "text-decoration") {
        return IsTextDecoration(value);
    }
    if (property == "font-size") {
        return mayEnlarge && IsBoundedFontSize(value);
    }
    return false;
}

// The declarations of a style attribute that are allowed, written anew ("a:b;c:d"); empty when
// none is. A declaration is dropped whole when its property or value is not allowed.
std::string FilteredStyle(const std::string& style, bool mayEnlarge, bool& setsSize) {
    std::string result;
    size_t start = 0;
    while (start <= style.size()) {
        size_t end = style.find(';', start);
        if (end == std::string::npos) {
            end = style.size();
        }
        const std::string declaration = style.substr(start, end - start);
        const size_t colon = declaration.find(':');
        if (colon != std::string::npos) {
            const std::string property = ToLowerAscii(Trimmed(declaration.substr(0, colon)));
            const std::string value = ToLowerAscii(Trimmed(declaration.substr(colon + 1)));
            if (IsAllowedDeclaration(property, value, mayEnlarge)) {
                if (!result.empty()) {
                    result += ';';
                }
                result += property + ':' + value;
                setsSize = setsSize || property == "font-size";
            }
        }
        start = end + 1;
    }
    return result;
}

class Neutraliser {
public:
    explicit Neutraliser(const LeadBytes& isLeadByte) : IsLeadByte(isLeadByte) {}

    std::string Run(const std::string& in) {
        out_.reserve(in.size() + in.size() / 8);
        size_t i = 0;
        while (i < in.size()) {
            const char ch = in[i];
            if (ch == '<') {
                i = Markup(in, i);
            } else if (ch == '&') {
                i = Reference(in, i);
            } else if (IsLeadByte(ch)) {
                TextCharacter(in.data() + i, 2);
                i += 2;
            } else if (IsBlank(ch)) {
                out_ += ch;
                run_ = 0;
                ++i;
            } else {
                TextCharacter(in.data() + i, 1);
                ++i;
            }
        }
        while (!open_.empty()) {
            CloseTop();
        }
        return std::move(out_);
    }

private:
    struct OpenElement {
        std::string name;
        bool setsSize;
    };

    void TextCharacter(const char* bytes, size_t length) {
        if (run_ >= kMaxRun) {
            out_ += "<wbr>";
            run_ = 0;
        }
        out_.append(bytes, length);
        ++run_;
    }

    // A character reference stays whole and counts as one character.
    size_t Reference(const std::string& in, size_t i) {
        size_t j = i + 1;
        if (j < in.size() && in[j] == '#') {
            ++j;
        }
        while (j < in.size() && j - i <= kMaxReference &&
               (IsAsciiLetter(in[j]) || IsAsciiDigit(in[j]))) {
            ++j;
        }
        if (j < in.size() && in[j] == ';' && j > i + 1 && j - i <= kMaxReference) {
            TextCharacter(in.data() + i, j + 1 - i);
            return j + 1;
        }
        TextCharacter(in.data() + i, 1);
        return i + 1;
    }

    // Handles the '<' at in[i] and returns where to go on. A candidate tag reaches to the first
    // '>' and may hold no '<': so whatever fails, the next look starts no later than where this
    // one stopped, and each byte is read at most twice.
    size_t Markup(const std::string& in, size_t i) {
        size_t limit = i + 1;
        while (limit < in.size() && in[limit] != '>' && in[limit] != '<') {
            ++limit;
        }
        Tag tag;
        if (limit < in.size() && in[limit] == '>' && ParseTag(in, i, limit, tag) &&
            (tag.endTag ? EndTag(tag) : StartTag(tag))) {
            run_ = 0;
            return limit + 1;
        }
        TextCharacter("&lt;", 4);
        return i + 1;
    }

    int OpenEnlargers() const {
        int count = 0;
        for (const OpenElement& element : open_) {
            count += element.setsSize ? 1 : 0;
        }
        return count;
    }

    bool IsOpen(const std::string& name) const {
        for (const OpenElement& element : open_) {
            if (element.name == name) {
                return true;
            }
        }
        return false;
    }

    void CloseTop() {
        out_ += "</";
        out_ += open_.back().name;
        out_ += '>';
        open_.pop_back();
    }

    void CloseThrough(const std::string& name) {
        while (!open_.empty()) {
            const bool last = open_.back().name == name;
            CloseTop();
            if (last) {
                return;
            }
        }
    }

    bool EndTag(const Tag& tag) {
        if (!IsOpen(tag.name)) {
            return false;
        }
        CloseThrough(tag.name);
        return true;
    }

    bool StartTag(const Tag& tag) {
        const ElementRule* rule = FindElement(tag.name);
        if (rule == nullptr) {
            return false;
        }
        if (rule->isVoid) {
            out_ += '<';
            out_ += tag.name;
            out_ += tag.selfClosing ? "/>" : ">";
            return true;
        }
        const bool mayEnlarge = OpenEnlargers() < kMaxEnlargers;
        if (open_.size() >= kMaxOpenElements || (rule->enlarges && !mayEnlarge)) {
            return false;
        }
        // A paragraph or preformatted block ends the paragraph it is in, as the page's parser
        // would, so the elements open here are those the page has open.
        if ((tag.name == "p" || tag.name == "pre") && IsOpen("p")) {
            CloseThrough("p");
        }
        bool setsSize = rule->enlarges;
        std::string attributes;
        if (tag.name == "pre") {
            attributes = " style=\"white-space:pre-wrap\"";
        } else {
            attributes = AllowedAttributes(tag, mayEnlarge, setsSize);
        }
        out_ += '<';
        out_ += tag.name;
        out_ += attributes;
        out_ += '>';
        open_.push_back({tag.name, setsSize});
        return true;
    }

    static std::string AllowedAttributes(const Tag& tag, bool mayEnlarge, bool& setsSize) {
        std::string result;
        const auto append = [&result](const std::string& name, const std::string& value) {
            result += ' ';
            result += name;
            result += "=\"";
            result += value;
            result += '"';
        };
        for (const Attribute& attribute : tag.attributes) {
            const std::string& value = attribute.value;
            if (attribute.name == "style") {
                const std::string style = FilteredStyle(value, mayEnlarge, setsSize);
                if (!style.empty()) {
                    append("style", style);
                }
            } else if (tag.name == "font" && attribute.name == "color" && IsColor(value)) {
                append("color", value);
            } else if (tag.name == "font" && attribute.name == "face" && IsFontFace(value)) {
                append("face", value);
            } else if (tag.name == "font" && attribute.name == "size" && mayEnlarge &&
                       IsBoundedFontElementSize(value)) {
                append("size", value);
                setsSize = true;
            }
        }
        return result;
    }

    const LeadBytes& IsLeadByte;
    std::string out_;
    std::vector<OpenElement> open_;
    int run_ = 0;
};

} // namespace

CString NeutraliseMarkup(const CString& text) {
    const LeadBytes isLeadByte;
    return CString(Neutraliser(isLeadByte).Run(RepairLeadBytes(text.str(), isLeadByte)));
}
