// RECT and POINT as values in test expectations: EXPECT_EQ compares them whole, and a failure
// prints them as {left, top, right, bottom} and (x, y) instead of their bytes.
#pragma once

#include "platform/win32.h"

#include <ostream>

inline bool operator==(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

inline bool operator!=(const RECT& a, const RECT& b) {
    return !(a == b);
}

inline bool operator==(const POINT& a, const POINT& b) {
    return a.x == b.x && a.y == b.y;
}

inline bool operator!=(const POINT& a, const POINT& b) {
    return !(a == b);
}

inline std::ostream& operator<<(std::ostream& out, const RECT& r) {
    return out << '{' << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << '}';
}

inline std::ostream& operator<<(std::ostream& out, const POINT& p) {
    return out << '(' << p.x << ", " << p.y << ')';
}
