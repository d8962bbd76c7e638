#include "gdi/region.h"

#include <algorithm>

namespace winsim::gdi {

bool RectEmpty(const RECT& r) {
    return r.right <= r.left || r.bottom <= r.top;
}

RECT Intersection(const RECT& a, const RECT& b) {
    RECT r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
           std::min(a.bottom, b.bottom)};
    if (RectEmpty(r)) {
        r = RECT{0, 0, 0, 0};
    }
    return r;
}

void Region::Add(const RECT& r) {
    if (!RectEmpty(r)) {
        rects_.push_back(r);
    }
}

bool Region::Contains(int x, int y) const {
    for (const RECT& r : rects_) {
        if (x >= r.left && x < r.right && y >= r.top && y < r.bottom) {
            return true;
        }
    }
    return false;
}

RECT Region::Box() const {
    if (rects_.empty()) {
        return RECT{0, 0, 0, 0};
    }
    RECT box = rects_.front();
    for (const RECT& r : rects_) {
        box.left = std::min(box.left, r.left);
        box.top = std::min(box.top, r.top);
        box.right = std::max(box.right, r.right);
        box.bottom = std::max(box.bottom, r.bottom);
    }
    return box;
}

int Region::Complexity() const {
    if (rects_.empty()) {
        return 1; // NULLREGION
    }
    return rects_.size() == 1 ? 2 : 3;
}

void Region::Intersect(const RECT& clip) {
    std::vector<RECT> out;
    for (const RECT& r : rects_) {
        const RECT i = Intersection(r, clip);
        if (!RectEmpty(i)) {
            out.push_back(i);
        }
    }
    rects_.swap(out);
}

void Region::Intersect(const Region& other) {
    std::vector<RECT> out;
    for (const RECT& a : rects_) {
        for (const RECT& b : other.rects_) {
            const RECT i = Intersection(a, b);
            if (!RectEmpty(i)) {
                out.push_back(i);
            }
        }
    }
    rects_.swap(out);
}

void Region::Subtract(const RECT& cut) {
    std::vector<RECT> out;
    for (const RECT& r : rects_) {
        const RECT i = Intersection(r, cut);
        if (RectEmpty(i)) {
            out.push_back(r);
            continue;
        }
        // Up to four pieces: the bands above and below the cut, and left and right of it.
        if (r.top < i.top) {
            out.push_back(RECT{r.left, r.top, r.right, i.top});
        }
        if (i.bottom < r.bottom) {
            out.push_back(RECT{r.left, i.bottom, r.right, r.bottom});
        }
        if (r.left < i.left) {
            out.push_back(RECT{r.left, i.top, i.left, i.bottom});
        }
        if (i.right < r.right) {
            out.push_back(RECT{i.right, i.top, r.right, i.bottom});
        }
    }
    rects_.swap(out);
}

void Region::Subtract(const Region& other) {
    for (const RECT& r : other.rects_) {
        Subtract(r);
    }
}

void Region::Union(const Region& other) {
    Region extra = other;
    extra.Subtract(*this);
    rects_.insert(rects_.end(), extra.rects_.begin(), extra.rects_.end());
}

void Region::Xor(const Region& other) {
    Region onlyOther = other;
    onlyOther.Subtract(*this);
    Subtract(other);
    rects_.insert(rects_.end(), onlyOther.rects_.begin(), onlyOther.rects_.end());
}

void Region::Offset(int dx, int dy) {
    for (RECT& r : rects_) {
        r.left += dx;
        r.right += dx;
        r.top += dy;
        r.bottom += dy;
    }
}

} // namespace winsim::gdi
