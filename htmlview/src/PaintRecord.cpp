#include "htmlview/src/PaintRecord.h"

#include <algorithm>

namespace htmlview::internal {

namespace {

bool IsEmpty(const RECT& r) {
    return r.right <= r.left || r.bottom <= r.top;
}

RECT Intersection(const RECT& a, const RECT& b) {
    return RECT{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                std::min(a.bottom, b.bottom)};
}

RECT Union(const RECT& a, const RECT& b) {
    if (IsEmpty(a)) {
        return b;
    }
    if (IsEmpty(b)) {
        return a;
    }
    return RECT{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                std::max(a.bottom, b.bottom)};
}

} // namespace

bool PaintRecord::Operation::operator==(const Operation& other) const {
    return area.left == other.area.left && area.top == other.area.top &&
           area.right == other.area.right && area.bottom == other.area.bottom && key == other.key;
}

void PaintRecord::Add(const RECT& area, std::string key) {
    const RECT shown = Intersection(area, view_);
    if (!IsEmpty(shown)) {
        operations_.push_back(Operation{shown, std::move(key)});
    }
}

RECT PaintRecord::ChangedArea(const PaintRecord& before, const PaintRecord& after) {
    if (before.view_.left != after.view_.left || before.view_.top != after.view_.top ||
        before.view_.right != after.view_.right || before.view_.bottom != after.view_.bottom) {
        return after.view_;
    }
    const std::vector<Operation>& a = before.operations_;
    const std::vector<Operation>& b = after.operations_;
    const size_t shorter = std::min(a.size(), b.size());
    size_t head = 0;
    while (head < shorter && a[head] == b[head]) {
        ++head;
    }
    size_t tail = 0;
    while (tail < shorter - head && a[a.size() - 1 - tail] == b[b.size() - 1 - tail]) {
        ++tail;
    }
    RECT changed = {0, 0, 0, 0};
    for (size_t i = head; i < a.size() - tail; ++i) {
        changed = Union(changed, a[i].area);
    }
    for (size_t i = head; i < b.size() - tail; ++i) {
        changed = Union(changed, b[i].area);
    }
    return IsEmpty(changed) ? RECT{0, 0, 0, 0} : changed;
}

} // namespace htmlview::internal
