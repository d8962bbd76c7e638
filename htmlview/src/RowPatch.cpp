#include "htmlview/src/RowPatch.h"

#include "htmlview/src/Utf.h"

#include <algorithm>

namespace htmlview::internal {

namespace {

bool IsSpace(WCHAR c) {
    return c == static_cast<WCHAR>(' ') || c == static_cast<WCHAR>('\t') ||
           c == static_cast<WCHAR>('\n') || c == static_cast<WCHAR>('\r') ||
           c == static_cast<WCHAR>('\f');
}

// Elements whose content the parser does not read as markup, or reads by other rules.
bool IsSpecialContent(const std::string& tag) {
    static const char* const kSpecial[] = {
        "script",   "style",     "textarea", "title",  "xmp",    "noscript", "iframe", "noembed",
        "noframes", "plaintext", "template", "select", "option", "input",    "button"};
    return std::find(std::begin(kSpecial), std::end(kSpecial), tag) != std::end(kSpecial);
}

} // namespace

bool MatchRowAttributes(WideView old, WideView fresh, RowMatch* match) {
    enum class State { Text, TagName, Tag, EndTag };
    State state = State::Text;
    size_t i = 0;
    size_t j = 0;
    WideString token;
    std::string attribute;
    match->tags.clear();
    match->changes.clear();
    while (i < old.size()) {
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
                match->changes.push_back(
                    {match->tags.size() - 1, attribute, ToUtf8(WideString(freshValue))});
            }
            i = oldClose + 1;
            j = freshClose + 1;
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
                    token.clear();
                }
            }
            break;
        case State::TagName:
            if (IsSpace(c) || c == static_cast<WCHAR>('/') || c == static_cast<WCHAR>('>')) {
                const std::string tag = AsciiLower(ToUtf8(token));
                if (tag.empty() || IsSpecialContent(tag)) {
                    return false;
                }
                match->tags.push_back(tag);
                token.clear();
                state = c == static_cast<WCHAR>('>') ? State::Text : State::Tag;
            } else {
                token.push_back(c);
            }
            break;
        case State::Tag:
            if (c == static_cast<WCHAR>('>')) {
                state = State::Text;
            } else if (c == static_cast<WCHAR>('=')) {
                attribute = AsciiLower(ToUtf8(token));
                token.clear();
            } else if (IsSpace(c) || c == static_cast<WCHAR>('/')) {
                token.clear();
            } else {
                token.push_back(c);
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
