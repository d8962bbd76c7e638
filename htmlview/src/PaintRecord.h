// What one paint of the page draws, written down instead of drawn: each drawing operation with
// everything that decides its pixels (its key) and the part of the view it can touch. Two
// records of the same view tell which part of it a new paint has to draw again: a capture
// appended below the visible rows changes only the scroll bar, a highlighted row only its cells.
#pragma once

#include "htmlview/src/Internal.h"

#include "platform/win32.h"

#include <cstring>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace htmlview::internal {

// The bytes of one operation's key, appended field by field.
class PaintKey {
public:
    explicit PaintKey(char kind) { bytes_.push_back(kind); }

    template <typename T> PaintKey& Add(const T& value) {
        static_assert(std::is_trivially_copyable_v<T>, "plain values only");
        const char* raw = reinterpret_cast<const char*>(&value);
        bytes_.append(raw, sizeof value);
        return *this;
    }
    // A text, with its length first so that two texts never run into each other.
    PaintKey& AddText(std::string_view text) {
        Add(text.size());
        bytes_.append(text.data(), text.size());
        return *this;
    }
    std::string Take() { return std::move(bytes_); }

private:
    std::string bytes_;
};

class PaintRecord {
public:
    // view: the part of the page being painted, in client coordinates.
    explicit PaintRecord(const RECT& view) : view_(view) {}

    const RECT& view() const { return view_; }
    // One operation that can touch pixels of area only; one that misses the view is left out.
    void Add(const RECT& area, std::string key);
    size_t size() const { return operations_.size(); }

    // The smallest rectangle of the view outside which a paint by `after` leaves every pixel as
    // a paint by `before` did (empty when nothing changed): the operations that the two records
    // share at their start and at their end draw the same pixels in the same order, so only the
    // areas of the operations between them can differ.
    static RECT ChangedArea(const PaintRecord& before, const PaintRecord& after);

private:
    struct Operation {
        RECT area;
        std::string key;
        bool operator==(const Operation& other) const;
    };

    RECT view_;
    std::vector<Operation> operations_;
};

} // namespace htmlview::internal
