#include "htmlview/src/RowPatch.h"

#include "htmlview/src/Utf.h"

#include <algorithm>
#include <cstring>

namespace htmlview::internal {

namespace {

bool IsSpace(WCHAR c) {
    return c == static_cast<WCHAR>(' ') || c == static_cast<WCHAR>('\t') ||
           c == static_cast<WCHAR>('\n') || c == static_cast<WCHAR>('\r') ||
           c == static_cast<WCHAR>('\f');
}

// Elements whose content the parser does not read as markup, or reads by other rules.
bool IsSpecialContent(std::string_view tag) {
    static constexpr std::string_view kSpecial[] = {
        "script",   "style",     "textarea", "title",  "xmp",    "noscript", "iframe", "noembed",
        "noframes", "plaintext", "template", "select", "option", "input",    "button"};
    return std::find(std::begin(kSpecial), std::end(kSpecial), tag) != std::end(kSpecial);
}

// A tag or attribute name in lower case, as the parser keeps it; every row after a deleted
// entry passes here, so plain ASCII names are folded without a conversion between.
std::string LowerName(WideView name) {
    std::string lower(name.size(), '\0');
    for (size_t k = 0; k < name.size(); ++k) {
        const WCHAR c = name[k];
        if (c >= 0x80) {
            return AsciiLower(ToUtf8(WideString(name)));
        }
        lower[k] = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    }
    return lower;
}

// An attribute value as the document keeps it; the ids and classes of rows are plain ASCII,
// which needs no conversion.
std::string Utf8Of(WideView value) {
    std::string utf8(value.size(), '\0');
    for (size_t k = 0; k < value.size(); ++k) {
        if (value[k] >= 0x80) {
            return ToUtf8(WideString(value));
        }
        utf8[k] = static_cast<char>(value[k]);
    }
    return utf8;
}

} // namespace

bool MatchRowAttributes(WideView old, WideView fresh, RowMatch* match) {
    enum class State { Text, TagName, Tag, EndTag };
    State state = State::Text;
    size_t i = 0;
    size_t j = 0;
    size_t tokenStart = 0; // in old: where the name being read began
    std::string attribute;
    match->tags.clear();
    match->changes.clear();
    match->tags.reserve(8); // a row of the list: the row, three cells, a picture
    match->changes.reserve(8);
    while (i < old.size()) {
        if (state == State::Text && old[i] != static_cast<WCHAR>('<')) {
            // Text up to the next tag must come again as it was: compared in one go.
            const size_t tag = std::min(old.find(static_cast<WCHAR>('<'), i), old.size());
            const size_t length = tag - i;
            if (fresh.size() - j < length ||
                std::memcmp(old.data() + i, fresh.data() + j, length * sizeof(WCHAR)) != 0) {
                return false;
            }
            i = tag;
            j += length;
            continue;
        }
        const WCHAR c = old[i];
        if (j >= fresh.size()) {
            return false;
        }
        if (state != State::Text && state != State::TagName &&
            (c == static_cast<WCHAR>('"') || c == static_cast<WCHAR>('\''))) {
            if (fresh[j] != c) {
                return false;
            }
            const size_t oldClose = old.find(c, i + 1);
            const size_t freshClose = fresh.find(c, j + 1);
            if (oldClose == WideView::npos || freshClose == WideView::npos) {
                return false;
            }
            const WideView oldValue = old.substr(i + 1, oldClose - i - 1);
            const WideView freshValue = fresh.substr(j + 1, freshClose - j - 1);
            if (oldValue != freshValue) {
                if (state == State::EndTag || attribute.empty() ||
                    oldValue.find(static_cast<WCHAR>('&')) != WideView::npos ||
                    freshValue.find(static_cast<WCHAR>('&')) != WideView::npos) {
                    return false;
                }
                match->changes.push_back({match->tags.size() - 1, attribute, Utf8Of(freshValue)});
            }
            i = oldClose + 1;
            j = freshClose + 1;
            tokenStart = i;
            attribute.clear();
            continue;
        }
        if (fresh[j] != c) {
            return false;
        }
        ++i;
        ++j;
        switch (state) {
        case State::Text:
            if (c == static_cast<WCHAR>('<')) {
                if (i < old.size() && old[i] == static_cast<WCHAR>('/')) {
                    state = State::EndTag;
                } else if (i < old.size() && old[i] == static_cast<WCHAR>('!')) {
                    return false; // a comment or a declaration
                } else {
                    state = State::TagName;
                    tokenStart = i;
                }
            }
            break;
        case State::TagName:
            if (IsSpace(c) || c == static_cast<WCHAR>('/') || c == static_cast<WCHAR>('>')) {
                std::string tag = LowerName(old.substr(tokenStart, i - 1 - tokenStart));
                if (tag.empty() || IsSpecialContent(tag)) {
                    return false;
                }
                match->tags.push_back(std::move(tag));
                tokenStart = i;
                state = c == static_cast<WCHAR>('>') ? State::Text : State::Tag;
            }
            break;
        case State::Tag:
            if (c == static_cast<WCHAR>('>')) {
                state = State::Text;
            } else if (c == static_cast<WCHAR>('=')) {
                attribute = LowerName(old.substr(tokenStart, i - 1 - tokenStart));
                tokenStart = i;
            } else if (IsSpace(c) || c == static_cast<WCHAR>('/')) {
                tokenStart = i;
            }
            break;
        case State::EndTag:
            if (c == static_cast<WCHAR>('>')) {
                state = State::Text;
            }
            break;
        }
    }
    match->length = j;
    return state == State::Text && !match->tags.empty() && match->tags.front() == "tr";
}

} // namespace htmlview::internal
