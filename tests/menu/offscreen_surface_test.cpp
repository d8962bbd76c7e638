#include "menu/OffscreenSurface.h"

#include "icon_canvas.h"

#include <winsim/sim.h>

#include <gtest/gtest.h>

namespace {

using menu_test::Canvas;

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kRed = RGB(255, 0, 0);

void FillWith(HDC dc, const RECT& rect, COLORREF colour) {
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &rect, brush);
    DeleteObject(brush);
}

TEST(OffscreenSurface, DrawingReachesTheTargetOnlyWhenTheSurfaceGoes) {
    winsim::ResetDesktop();
    Canvas target(20, 20);
    target.Fill(kWhite);
    const RECT item = {5, 6, 15, 12};
    {
        OffscreenSurface surface(target.Dc(), item);
        ASSERT_TRUE(surface.DrawsOffscreen());
        ASSERT_NE(target.Dc(), surface.GetDc());
        // Drawn in the target's coordinates, and wider than the rectangle on purpose.
        const RECT wide = {0, 0, 20, 20};
        FillWith(surface.GetDc(), wide, kRed);
        const RECT corner = {14, 11, 15, 12};
        FillWith(surface.GetDc(), corner, RGB(0, 255, 0));
        EXPECT_EQ(target.Get(6, 7), kWhite);
    }
    EXPECT_EQ(target.Get(5, 6), kRed);
    EXPECT_EQ(target.Get(10, 9), kRed);
    EXPECT_EQ(target.Get(14, 11), RGB(0, 255, 0));
    EXPECT_EQ(target.Get(4, 6), kWhite);
    EXPECT_EQ(target.Get(5, 5), kWhite);
    EXPECT_EQ(target.Get(15, 11), kWhite);
    EXPECT_EQ(target.Get(14, 12), kWhite);
}

} // namespace
