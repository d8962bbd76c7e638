#include "list/MarkupNeutraliser.h"

#include "platform/win32.h"

#include <array>
#include <string>
#include <utility>
#include <vector>

namespace {

struct Attribute {
    std::string name;  // lower case
    std::string value; // as written, entities undecoded
    bool hasValue = false;
};

struct Tag {
    std::string name; // lower case
    bool endTag = false;
    bool selfClosing = false;
    std::vector<Attribute> attributes;
};

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
// the markup lies.
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

bool IsNameOfTag(const std::string& name) {
    for (char ch : name) {
        if (!IsAsciiLetter(ch) && !IsAsciiDigit(ch)) {
            return false;
        }
    }
    return !name.empty();
}

bool IsNameOfAttribute(const std::string& name) {
    for (char ch : name) {
        if (!IsAsciiLetter(ch) && !IsAsciiDigit(ch) && ch != '-' && ch != '_' && ch != ':' &&
            ch != '.') {
            return false;
        }
    }
    return !name.empty();
}

// Elements that run script, embed active content or other documents, change how the page is
// read or styled, or turn the rest of the page into text.
bool IsBlockedElement(const std::string& name) {
    static const char* const kBlocked[] = {
        "script",   "style",    "object",   "embed", "applet",    "iframe",
        "frame",    "frameset", "meta",     "link",  "base",      "xml",
        "import",   "svg",      "math",     "xmp",   "plaintext", "noembed",
        "noframes", "noscript", "textarea", "title", "template",
    };
    for (const char* blocked : kBlocked) {
        if (name == blocked) {
            return true;
        }
    }
    return false;
}

// Reads the tag that starts at text[start] ('<'). False when no well-formed tag starts there
// or the text ends inside it.
bool ParseTag(const std::string& text, size_t start, Tag& tag, size_t& end) {
    const size_t n = text.size();
    size_t j = start + 1;
    if (j < n && text[j] == '/') {
        tag.endTag = true;
        ++j;
    }
    if (j >= n || !IsAsciiLetter(text[j])) {
        return false;
    }
    while (j < n && !IsBlank(text[j]) && text[j] != '/' && text[j] != '>') {
        tag.name += ToLowerAscii(text[j++]);
    }
    if (!IsNameOfTag(tag.name)) {
        return false;
    }
    for (;;) {
        while (j < n && (IsBlank(text[j]) || text[j] == '/')) {
            tag.selfClosing = text[j] == '/';
            ++j;
        }
        if (j >= n) {
            return false;
        }
        if (text[j] == '>') {
            end = j + 1;
            return true;
        }
        tag.selfClosing = false;
        Attribute attribute;
        // A '=' in front of a name belongs to the name.
        attribute.name += ToLowerAscii(text[j++]);
        while (j < n && !IsBlank(text[j]) && text[j] != '/' && text[j] != '>' && text[j] != '=') {
            attribute.name += ToLowerAscii(text[j++]);
        }
        size_t afterName = j;
        while (j < n && IsBlank(text[j])) {
            ++j;
        }
        if (j < n && text[j] == '=') {
            ++j;
            while (j < n && IsBlank(text[j])) {
                ++j;
            }
            if (j >= n) {
                return false;
            }
            attribute.hasValue = true;
            if (text[j] == '"' || text[j] == '\'') {
                const char quote = text[j];
                size_t close = text.find(quote, j + 1);
                if (close == std::string::npos) {
                    return false;
                }
                attribute.value = text.substr(j + 1, close - j - 1);
                j = close + 1;
            } else {
                while (j < n && !IsBlank(text[j]) && text[j] != '>') {
                    attribute.value += text[j++];
                }
            }
        } else {
            j = afterName;
        }
        tag.attributes.push_back(std::move(attribute));
    }
}

// The value as the page would read it, for the checks only: character references decoded,
// blanks and control characters dropped, letters in lower case.
std::string NormalisedValue(const std::string& value) {
    std::string decoded;
    for (size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '&') {
            decoded += value[i];
            continue;
        }
        size_t j = i + 1;
        if (j < value.size() && value[j] == '#') {
            ++j;
            bool hex = j < value.size() && (value[j] == 'x' || value[j] == 'X');
            if (hex) {
                ++j;
            }
            unsigned long code = 0;
            size_t digits = 0;
            while (j < value.size()) {
                char ch = ToLowerAscii(value[j]);
                int digit = IsAsciiDigit(ch)                  ? ch - '0'
                            : (hex && ch >= 'a' && ch <= 'f') ? ch - 'a' + 10
                                                              : -1;
                if (digit < 0) {
                    break;
                }
                if (code < 0x110000) {
                    code = code * (hex ? 16 : 10) + static_cast<unsigned long>(digit);
                }
                ++j;
                ++digits;
            }
            if (digits == 0) {
                decoded += '&';
                continue;
            }
            if (j < value.size() && value[j] == ';') {
                ++j;
            }
            decoded += code < 0x80 ? static_cast<char>(code) : '?';
            i = j - 1;
            continue;
        }
        static const std::pair<const char*, char> kNamed[] = {
            {"tab;", '\t'}, {"newline;", '\n'}, {"colon;", ':'}, {"lpar;", '('},
            {"rpar;", ')'}, {"amp;", '&'},      {"sol;", '/'},
        };
        bool named = false;
        for (const auto& [name, ch] : kNamed) {
            const std::string entity(name);
            if (ToLowerAscii(value.substr(j, entity.size())) == entity) {
                decoded += ch;
                i = j + entity.size() - 1;
                named = true;
                break;
            }
        }
        if (!named) {
            decoded += '&';
        }
    }
    std::string result;
    for (char ch : decoded) {
        if (static_cast<unsigned char>(ch) > 0x20 && ch != 0x7f) {
            result += ToLowerAscii(ch);
        }
    }
    return result;
}

// The attributes through which the page's own code finds and binds its elements: captured
// markup with them could stand in for the program's elements (an id "ctrlHotkey" ahead of the
// real one moves the hot-key field, a class "odd" takes the row events, a label "for" a
// checkbox of the page changes a setting).
bool BindsToThePage(const std::string& name) {
    return name == "id" || name == "name" || name == "class" || name == "for";
}

bool IsDangerousAttribute(const Attribute& attribute) {
    if (!IsNameOfAttribute(attribute.name) || attribute.name.compare(0, 2, "on") == 0 ||
        BindsToThePage(attribute.name)) {
        return true;
    }
    const std::string value = NormalisedValue(attribute.value);
    for (const char* scheme : {"javascript:", "vbscript:", "livescript:", "mocha:"}) {
        if (value.find(scheme) != std::string::npos) {
            return true;
        }
    }
    if (attribute.name == "style") {
        // CSS escapes and comments can spell any of these in pieces: a style that has them goes.
        for (const char* active : {"expression", "behavior", "binding", "@import", "\\", "/*"}) {
            if (value.find(active) != std::string::npos) {
                return true;
            }
        }
    }
    return false;
}

void AppendTag(const Tag& tag, std::string& out) {
    out += tag.endTag ? "</" : "<";
    out += tag.name;
    if (!tag.endTag) {
        for (const Attribute& attribute : tag.attributes) {
            if (IsDangerousAttribute(attribute)) {
                continue;
            }
            out += ' ';
            out += attribute.name;
            if (!attribute.hasValue) {
                continue;
            }
            out += "=\"";
            for (char ch : attribute.value) {
                switch (ch) {
                case '"':
                    out += "&quot;";
                    break;
                case '<':
                    out += "&lt;";
                    break;
                case '>':
                    out += "&gt;";
                    break;
                default:
                    out += ch;
                }
            }
            out += '"';
        }
        if (tag.selfClosing) {
            out += '/';
        }
    }
    out += '>';
}

} // namespace

CString NeutraliseMarkup(const CString& text) {
    const LeadBytes IsLeadByte;
    const std::string in = RepairLeadBytes(text.str(), IsLeadByte);
    std::string out;
    out.reserve(in.size());
    size_t i = 0;
    while (i < in.size()) {
        if (IsLeadByte(in[i])) {
            out.append(in, i, 2);
            i += 2;
            continue;
        }
        if (in[i] != '<') {
            out += in[i++];
            continue;
        }
        Tag tag;
        size_t end = 0;
        if (ParseTag(in, i, tag, end) && !IsBlockedElement(tag.name)) {
            AppendTag(tag, out);
            i = end;
        } else {
            out += "&lt;";
            ++i;
        }
    }
    return CString(out);
}
