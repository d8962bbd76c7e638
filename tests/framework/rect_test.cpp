#include "framework/CRect.h"

#include <gtest/gtest.h>

namespace {

TEST(Rect, SizeAndCornersUseExclusiveRightAndBottom) {
    CRect rect(10, 20, 110, 70);
    EXPECT_EQ(rect.Width(), 100);
    EXPECT_EQ(rect.Height(), 50);
    EXPECT_EQ(rect.Size(), CSize(100, 50));
    EXPECT_EQ(rect.TopLeft(), CPoint(10, 20));
    EXPECT_EQ(rect.BottomRight(), CPoint(110, 70));
    EXPECT_TRUE(rect.PtInRect(CPoint(10, 20)));
    EXPECT_FALSE(rect.PtInRect(CPoint(110, 69)));
    EXPECT_FALSE(rect.PtInRect(CPoint(109, 70)));
}

TEST(Rect, EmptyAndNullAreDifferent) {
    EXPECT_TRUE(CRect().IsRectNull());
    EXPECT_TRUE(CRect().IsRectEmpty());
    CRect line(5, 5, 50, 5);
    EXPECT_TRUE(line.IsRectEmpty());
    EXPECT_FALSE(line.IsRectNull());
    EXPECT_TRUE(CRect(10, 0, 0, 10).IsRectEmpty());
}

TEST(Rect, IntersectionAndUnion) {
    CRect a(0, 0, 10, 10), b(5, 5, 20, 20), r;
    EXPECT_TRUE(r.IntersectRect(&a, &b));
    EXPECT_EQ(r, CRect(5, 5, 10, 10));
    CRect far(30, 30, 40, 40);
    EXPECT_FALSE(r.IntersectRect(&a, &far));
    EXPECT_TRUE(r.IsRectNull());

    EXPECT_TRUE(r.UnionRect(&a, &b));
    EXPECT_EQ(r, CRect(0, 0, 20, 20));
    CRect empty(100, 100, 100, 100);
    EXPECT_TRUE(r.UnionRect(&empty, &a));
    EXPECT_EQ(a, r);
}

TEST(Rect, MovingAndGrowing) {
    CRect rect(0, 0, 10, 10);
    rect.OffsetRect(5, -5);
    EXPECT_EQ(rect, CRect(5, -5, 15, 5));
    rect.InflateRect(1, 2);
    EXPECT_EQ(rect, CRect(4, -7, 16, 7));
    rect.DeflateRect(1, 2, 3, 4);
    EXPECT_EQ(rect, CRect(5, -5, 13, 3));
    rect.MoveToXY(0, 0);
    EXPECT_EQ(rect, CRect(0, 0, 8, 8));
    CRect flipped(10, 10, 0, 0);
    flipped.NormalizeRect();
    EXPECT_EQ(flipped, CRect(0, 0, 10, 10));
}

TEST(Point, PackedMessageCoordinatesAreSigned) {
    LPARAM packed = MAKELPARAM(static_cast<WORD>(-3), 40);
    CPoint p(packed);
    EXPECT_EQ(p.x, -3);
    EXPECT_EQ(p.y, 40);
    EXPECT_EQ(CPoint(5, 3) - CPoint(1, 5), CSize(4, -2));
}

} // namespace
