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

// Both markups read side by side, at `i` in the old and `j` in the fresh one.
struct SideBySide {
    WideView old;
    WideView fresh;
    size_t i = 0;
    size_t j = 0;

    // Where, from `i` on, the old markup has its first code unit that `stop` accepts.
    template <typename Stop> size_t Find(Stop stop) const {
        size_t k = i;
        while (k < old.size() && !stop(old[k])) {
            ++k;
        }
        return k;
    }
    // Whether the fresh markup has the old one's code units up to `end` next; steps past them.
    bool Take(size_t end) {
        const size_t length = end - i;
        if (fresh.size() - j < length ||
            std::memcmp(old.data() + i, fresh.data() + j, length * sizeof(WCHAR)) != 0) {
            return false;
        }
        i = end;
        j += length;
        return true;
    }
    bool AtEnd() const { return i >= old.size() || j >= fresh.size(); }
};

bool EndsName(WCHAR c) {
    return IsSpace(c) || c == static_cast<WCHAR>('/') || c == static_cast<WCHAR>('>') ||
           c == static_cast<WCHAR>('=');
}

// Reads the attributes of one tag in both markups, from just past the tag's name to just past
// its '>', as the parser's tokenizer splits them: all must be equal but quoted values, and each
// changed value is recorded for the tag's element (none may change in an end tag: `match`
// null). A name given twice in the tag fails the match: the parser keeps the first, and which
// of the two a change belongs to is then not known.
bool MatchAttributes(SideBySide& at, RowMatch* match) {
    constexpr size_t kNamesKept = 16;
    WideView names[kNamesKept];
    size_t nameCount = 0;
    const auto notSpace = [](WCHAR c) { return !IsSpace(c); };
    for (;;) {
        // Between attributes: spaces and slashes.
        if (!at.Take(
                at.Find([](WCHAR c) { return !IsSpace(c) && c != static_cast<WCHAR>('/'); })) ||
            at.AtEnd()) {
            return false;
        }
        if (at.old[at.i] == static_cast<WCHAR>('>')) {
            return at.Take(at.i + 1);
        }
        // The name: an '=' first is part of it.
        const size_t nameStart = at.i;
        ++at.i;
        const size_t nameEnd = at.Find(EndsName);
        at.i = nameStart;
        if (!at.Take(nameEnd)) {
            return false;
        }
        const WideView name = at.old.substr(nameStart, nameEnd - nameStart);
        if (nameCount == kNamesKept) {
            return false; // more than a row's element plausibly has: let the parser do it
        }
        for (size_t k = 0; k < nameCount; ++k) {
            if (SameNameIgnoringCase(names[k], name)) {
                return false;
            }
        }
        names[nameCount++] = name;
        if (!at.Take(at.Find(notSpace)) || at.AtEnd()) {
            return false;
        }
        if (at.old[at.i] != static_cast<WCHAR>('=')) {
            continue; // no value
        }
        if (!at.Take(at.i + 1) || !at.Take(at.Find(notSpace)) || at.AtEnd()) {
            return false;
        }
        const WCHAR quote = at.old[at.i];
        if (quote != static_cast<WCHAR>('"') && quote != static_cast<WCHAR>('\'')) {
            // Unquoted: up to a space or the tag's end, and the same in both.
            if (!at.Take(
                    at.Find([](WCHAR c) { return IsSpace(c) || c == static_cast<WCHAR>('>'); }))) {
                return false;
            }
            continue;
        }
        if (at.fresh[at.j] != quote) {
            return false;
        }
        const size_t oldClose = at.old.find(quote, at.i + 1);
        const size_t freshClose = at.fresh.find(quote, at.j + 1);
        if (oldClose == WideView::npos || freshClose == WideView::npos) {
            return false;
        }
        const WideView oldValue = at.old.substr(at.i + 1, oldClose - at.i - 1);
        const WideView freshValue = at.fresh.substr(at.j + 1, freshClose - at.j - 1);
        if (oldValue.size() != freshValue.size() ||
            std::memcmp(oldValue.data(), freshValue.data(), oldValue.size() * sizeof(WCHAR)) != 0) {
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
        at.i = oldClose + 1;
        at.j = freshClose + 1;
    }
}

} // namespace

bool MatchRowAttributes(WideView old, WideView fresh, RowMatch* match) {
    SideBySide at{old, fresh};
    match->tags.clear();
    match->changes.clear();
    match->changes.reserve(8); // a row of the list: ids and classes of four elements
    while (at.i < old.size()) {
        // Text up to the next tag must come again as it was: compared in one go.
        if (!at.Take(std::min(old.find(static_cast<WCHAR>('<'), at.i), old.size()))) {
            return false;
        }
        if (at.i == old.size()) {
            break;
        }
        if (!at.Take(at.i + 1) || at.i >= old.size() || old[at.i] == static_cast<WCHAR>('!')) {
            return false; // a comment or a declaration, or a row that ends in a '<'
        }
        const bool endTag = old[at.i] == static_cast<WCHAR>('/');
        if (endTag && !at.Take(at.i + 1)) {
            return false;
        }
        // The tag's name: a letter first, or the parser reads something else than a tag here.
        const size_t nameStart = at.i;
        if (at.i >= old.size() || !IsAsciiLetter(old[at.i])) {
            return false;
        }
        if (!at.Take(at.Find([](WCHAR c) {
                return IsSpace(c) || c == static_cast<WCHAR>('/') || c == static_cast<WCHAR>('>');
            }))) {
            return false;
        }
        if (endTag) {
            // An end tag's attributes are read and dropped: they must be the same.
            if (!MatchAttributes(at, nullptr)) {
                return false;
            }
            continue;
        }
        std::string name = LowerName(old.substr(nameStart, at.i - nameStart));
        if (IsSpecialContent(name)) {
            return false;
        }
        match->tags.push_back(std::move(name));
        if (!MatchAttributes(at, match)) {
            return false;
        }
    }
    match->length = at.j;
    return !match->tags.empty() && match->tags.front() == "tr";
}

} // namespace htmlview::internal
