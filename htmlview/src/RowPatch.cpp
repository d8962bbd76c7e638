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

// Where, from `i` on, `text` has its first code unit that `stop` accepts.
template <typename Stop> size_t FindFrom(WideView text, size_t i, Stop stop) {
    while (i < text.size() && !stop(text[i])) {
        ++i;
    }
    return i;
}

// Where a tag's name ends, and an attribute's (which an '=' ends too).
bool EndsTagName(WCHAR c) {
    return IsSpace(c) || c == static_cast<WCHAR>('/') || c == static_cast<WCHAR>('>');
}

bool EndsName(WCHAR c) {
    return EndsTagName(c) || c == static_cast<WCHAR>('=');
}

bool NotSpace(WCHAR c) {
    return !IsSpace(c);
}

// Reads the attributes of one tag, from just past the tag's name to just past its '>', as the
// parser's tokenizer splits them. The quoted values of a start tag go into `shape` (none for an
// end tag, whose attributes the parser drops), `last` being where the markup since the value
// before began. A name given twice in the tag fails: the parser keeps the first, and which of
// the two a change belongs to would not be known.
bool ReadAttributes(WideView row, size_t& i, RowShape* shape, size_t element, size_t& last) {
    constexpr size_t kNamesKept = 16;
    WideView names[kNamesKept];
    size_t nameCount = 0;
    for (;;) {
        // Between attributes: spaces and slashes.
        i = FindFrom(row, i, [](WCHAR c) { return !IsSpace(c) && c != static_cast<WCHAR>('/'); });
        if (i >= row.size()) {
            return false;
        }
        if (row[i] == static_cast<WCHAR>('>')) {
            ++i;
            return true;
        }
        // The name: an '=' first is part of it.
        const size_t nameStart = i;
        i = FindFrom(row, i + 1, EndsName);
        const WideView name = row.substr(nameStart, i - nameStart);
        if (nameCount == kNamesKept) {
            return false; // more than a row's element plausibly has: let the parser do it
        }
        for (size_t k = 0; k < nameCount; ++k) {
            if (SameNameIgnoringCase(names[k], name)) {
                return false;
            }
        }
        names[nameCount++] = name;
        i = FindFrom(row, i, NotSpace);
        if (i >= row.size() || row[i] != static_cast<WCHAR>('=')) {
            continue; // no value
        }
        i = FindFrom(row, i + 1, NotSpace);
        if (i >= row.size()) {
            return false;
        }
        const WCHAR quote = row[i];
        if (quote != static_cast<WCHAR>('"') && quote != static_cast<WCHAR>('\'')) {
            // Unquoted: up to a space or the tag's end, and never to change.
            i = FindFrom(row, i,
                         [](WCHAR c) { return IsSpace(c) || c == static_cast<WCHAR>('>'); });
            continue;
        }
        const size_t close = row.find(quote, i + 1);
        if (close == WideView::npos) {
            return false;
        }
        if (shape != nullptr) {
            const size_t nameBack = i - nameStart;
            if (nameBack > UINT8_MAX || name.size() > UINT8_MAX || element > UINT16_MAX ||
                i + 1 - last > UINT32_MAX) {
                return false;
            }
            shape->values.push_back({nullptr, static_cast<uint32_t>(i + 1 - last),
                                     static_cast<uint16_t>(element), static_cast<uint8_t>(nameBack),
                                     static_cast<uint8_t>(name.size())});
            last = close;
        }
        i = close + 1;
    }
}

} // namespace

bool ReadRowShape(WideView row, RowShape* shape, std::vector<std::string>* tags) {
    shape->values.clear();
    shape->known = false;
    tags->clear();
    size_t i = 0;
    size_t last = 0; // where the markup since the last value began: its closing quote
    while (i < row.size()) {
        i = std::min(row.find(static_cast<WCHAR>('<'), i), row.size());
        if (i == row.size()) {
            break;
        }
        ++i;
        if (i >= row.size() || row[i] == static_cast<WCHAR>('!')) {
            return false; // a comment or a declaration, or a row that ends in a '<'
        }
        const bool endTag = row[i] == static_cast<WCHAR>('/');
        i += endTag ? 1 : 0;
        // The tag's name: a letter first, or the parser reads something else than a tag here.
        if (i >= row.size() || !IsAsciiLetter(row[i])) {
            return false;
        }
        const size_t nameStart = i;
        i = FindFrom(row, i, EndsTagName);
        if (!endTag) {
            std::string name = LowerName(row.substr(nameStart, i - nameStart));
            if (IsSpecialContent(name)) {
                return false;
            }
            tags->push_back(std::move(name));
        }
        if (!ReadAttributes(row, i, endTag ? nullptr : shape, tags->size() - 1, last)) {
            return false;
        }
    }
    if (tags->empty() || tags->front() != "tr" || row.size() - last > UINT32_MAX) {
        return false;
    }
    shape->tail = static_cast<uint32_t>(row.size() - last);
    shape->known = true;
    return true;
}

bool MatchRowShape(const RowShape& shape, WideView old, WideView fresh, RowMatch* match) {
    size_t i = 0;
    size_t j = 0;
    // The next `length` code units of both are the same; steps past them.
    const auto same = [&](size_t length) {
        if (old.size() - i < length || fresh.size() - j < length ||
            std::memcmp(old.data() + i, fresh.data() + j, length * sizeof(WCHAR)) != 0) {
            return false;
        }
        i += length;
        j += length;
        return true;
    };
    if (!shape.known) {
        return false;
    }
    match->changes.clear();
    match->changes.reserve(8); // a row of the list: ids and classes of four elements
    for (const RowShape::Value& value : shape.values) {
        if (!same(value.literal)) {
            return false;
        }
        const WCHAR quote = old[i - 1];
        const size_t oldClose = old.find(quote, i);
        const size_t freshClose = fresh.find(quote, j);
        if (oldClose == WideView::npos || freshClose == WideView::npos) {
            return false;
        }
        const WideView oldValue = old.substr(i, oldClose - i);
        const WideView freshValue = fresh.substr(j, freshClose - j);
        if (oldValue.size() != freshValue.size() ||
            std::memcmp(oldValue.data(), freshValue.data(), oldValue.size() * sizeof(WCHAR)) != 0) {
            // A character reference would have to be decoded as the parser does.
            if (oldValue.find(static_cast<WCHAR>('&')) != WideView::npos ||
                freshValue.find(static_cast<WCHAR>('&')) != WideView::npos) {
                return false;
            }
            const WideView name = old.substr(i - 1 - value.nameBack, value.nameLength);
            match->changes.push_back({value.element, LowerName(name), Utf8Of(freshValue)});
        }
        i = oldClose;
        j = freshClose;
    }
    // The shape must be that of the whole of the old row.
    if (!same(shape.tail) || i != old.size()) {
        return false;
    }
    match->length = j;
    return true;
}

} // namespace htmlview::internal
