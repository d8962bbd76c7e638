// Regions as lists of non-overlapping rectangles: enough for clipping by rectangles and for the
// visible part of a window (its rectangle minus the windows above it).
#pragma once

#include <winsim/wintypes.h>

#include <vector>

namespace winsim::gdi {

class Region {
public:
    Region() = default;
    explicit Region(const RECT& r) { Add(r); }

    const std::vector<RECT>& Rects() const { return rects_; }
    bool Empty() const { return rects_.empty(); }
    bool Contains(int x, int y) const;
    RECT Box() const;
    // NULLREGION, SIMPLEREGION or COMPLEXREGION.
    int Complexity() const;

    void Intersect(const Region& other);
    void Intersect(const RECT& r);
    void Subtract(const Region& other);
    void Subtract(const RECT& r);
    void Union(const Region& other);
    void Xor(const Region& other);
    void Offset(int dx, int dy);

private:
    void Add(const RECT& r);
    std::vector<RECT> rects_;
};

bool RectEmpty(const RECT& r);
RECT Intersection(const RECT& a, const RECT& b);

} // namespace winsim::gdi
