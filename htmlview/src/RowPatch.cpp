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

namespace {

bool IsAsciiLetter(WCHAR c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool SameNameIgnoringCase(WideView a, WideView b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t k = 0; k < a.size(); ++k) {
        const auto fold = [](WCHAR c) {
            return static_cast<WCHAR>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
        };
        if (fold(a[k]) != fold(b[k])) {
            return false;
        }
    }
    return true;
}

// Reads the attributes of one start tag in both markups, from just past the tag's name to just
// past its '>', as the parser's tokenizer splits them: all must be equal but quoted values, and
// each changed value is recorded for the tag's element (none may change in an end tag: `match`
// null). A name given twice in the tag fails the match: the parser keeps the first, and which
// of the two a change belongs to is then not known.
bool MatchAttributes(WideView old, size_t& i, WideView fresh, size_t& j, RowMatch* match) {
    constexpr size_t kNamesKept = 16;
    WideView names[kNamesKept];
    size_t nameCount = 0;
    // The next code unit of both, when they are the same.
    const auto take = [&](WCHAR* c) {
        if (i >= old.size() || j >= fresh.size() || old[i] != fresh[j]) {
            return false;
        }
        *c = old[i++];
        ++j;
        return true;
    };
    const auto skipSpaces = [&] {
        while (i < old.size() && IsSpace(old[i]) && j < fresh.size() && fresh[j] == old[i]) {
            ++i;
            ++j;
        }
    };
    WCHAR c = 0;
    for (;;) {
        // Between attributes: spaces and slashes.
        while (i < old.size() && (IsSpace(old[i]) || old[i] == static_cast<WCHAR>('/'))) {
            if (!take(&c)) {
                return false;
            }
        }
        if (i >= old.size()) {
            return false;
        }
        if (old[i] == static_cast<WCHAR>('>')) {
            return take(&c);
        }
        // The name: an '=' first is part of it.
        const size_t nameStart = i;
        if (!take(&c)) {
            return false;
        }
        while (i < old.size() && !IsSpace(old[i]) && old[i] != static_cast<WCHAR>('/') &&
               old[i] != static_cast<WCHAR>('>') && old[i] != static_cast<WCHAR>('=')) {
            if (!take(&c)) {
                return false;
            }
        }
        const WideView name = old.substr(nameStart, i - nameStart);
        if (nameCount == kNamesKept) {
            return false; // more than a row's element plausibly has: let the parser do it
        }
        for (size_t k = 0; k < nameCount; ++k) {
            if (SameNameIgnoringCase(names[k], name)) {
                return false;
            }
        }
        names[nameCount++] = name;
        skipSpaces();
        if (i >= old.size() || old[i] != static_cast<WCHAR>('=')) {
            continue; // no value
        }
        take(&c);
        skipSpaces();
        if (i >= old.size() || j >= fresh.size()) {
            return false;
        }
        const WCHAR quote = old[i];
        if (quote != static_cast<WCHAR>('"') && quote != static_cast<WCHAR>('\'')) {
            // Unquoted: up to a space or the tag's end, and the same in both.
            while (i < old.size() && !IsSpace(old[i]) && old[i] != static_cast<WCHAR>('>')) {
                if (!take(&c)) {
                    return false;
                }
            }
            continue;
        }
        if (fresh[j] != quote) {
            return false;
        }
        const size_t oldClose = old.find(quote, i + 1);
        const size_t freshClose = fresh.find(quote, j + 1);
        if (oldClose == WideView::npos || freshClose == WideView::npos) {
            return false;
        }
        const WideView oldValue = old.substr(i + 1, oldClose - i - 1);
        const WideView freshValue = fresh.substr(j + 1, freshClose - j - 1);
        if (oldValue != freshValue) {
            if (match == nullptr) {
                return false;
            }
            // A character reference would have to be decoded as the parser does.
            if (oldValue.find(static_cast<WCHAR>('&')) != WideView::npos ||
                freshValue.find(static_cast<WCHAR>('&')) != WideView::npos) {
                return false;
            }
            match->changes.push_back({match->tags.size() - 1, LowerName(name), Utf8Of(freshValue)});
        }
        i = oldClose + 1;
        j = freshClose + 1;
    }
}

} // namespace

bool MatchRowAttributes(WideView old, WideView fresh, RowMatch* match) {
    size_t i = 0;
    size_t j = 0;
    match->tags.clear();
    match->changes.clear();
    while (i < old.size()) {
        // Text up to the next tag must come again as it was: compared in one go.
        const size_t tag = std::min(old.find(static_cast<WCHAR>('<'), i), old.size());
        const size_t length = tag - i;
        if (fresh.size() - j < length ||
            std::memcmp(old.data() + i, fresh.data() + j, length * sizeof(WCHAR)) != 0) {
            return false;
        }
        i = tag;
        j += length;
        if (i == old.size()) {
            break;
        }
        if (j >= fresh.size() || fresh[j] != old[i]) {
            return false;
        }
        ++i;
        ++j;
        if (i < old.size() && old[i] == static_cast<WCHAR>('!')) {
            return false; // a comment or a declaration
        }
        const bool endTag = i < old.size() && old[i] == static_cast<WCHAR>('/');
        if (endTag) {
            if (j >= fresh.size() || fresh[j] != old[i]) {
                return false;
            }
            ++i;
            ++j;
        }
        // The tag's name: a letter first, or the parser reads something else than a tag here.
        const size_t nameStart = i;
        if (i >= old.size() || !IsAsciiLetter(old[i])) {
            return false;
        }
        while (i < old.size() && !IsSpace(old[i]) && old[i] != static_cast<WCHAR>('/') &&
               old[i] != static_cast<WCHAR>('>')) {
            if (j >= fresh.size() || fresh[j] != old[i]) {
                return false;
            }
            ++i;
            ++j;
        }
        if (endTag) {
            // An end tag's attributes are read and dropped: they must be the same.
            if (!MatchAttributes(old, i, fresh, j, nullptr)) {
                return false;
            }
            continue;
        }
        std::string name = LowerName(old.substr(nameStart, i - nameStart));
        if (IsSpecialContent(name)) {
            return false;
        }
        match->tags.push_back(std::move(name));
        if (!MatchAttributes(old, i, fresh, j, match)) {
            return false;
        }
    }
    match->length = j;
    return !match->tags.empty() && match->tags.front() == "tr";
}

} // namespace htmlview::internal
