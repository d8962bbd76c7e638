#include "framework/CDC.h"

#include <winsim/sim.h>

#include <gtest/gtest.h>

namespace {

class GdiWrapperTest : public ::testing::Test {
protected:
    void SetUp() override { winsim::ResetDesktop(); }
};

TEST_F(GdiWrapperTest, SelectObjectReturnsThePreviousObjectAsItsOwnKind) {
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateBitmap(8, 4, 1, 32, nullptr));
    CBitmap* previous = dc.SelectObject(&bitmap);
    // The memory DC's original one-pixel bitmap, as a temporary CBitmap.
    ASSERT_NE(nullptr, previous);
    EXPECT_TRUE(previous->IsKindOf(RUNTIME_CLASS(CBitmap)));
    EXPECT_NE(bitmap.m_hObject, previous->m_hObject);
    // Asking again for the same handle gives the same temporary object.
    EXPECT_EQ(previous, CBitmap::FromHandle(static_cast<HBITMAP>(previous->m_hObject)));
    // The bitmap is selected: selecting the old one back returns our object itself.
    EXPECT_EQ(&bitmap, dc.SelectObject(previous));
    CGdiObject::DeleteTempMap();

    CPen pen(PS_SOLID, 1, RGB(1, 2, 3));
    CPen* previousPen = dc.SelectObject(&pen);
    ASSERT_NE(nullptr, previousPen);
    EXPECT_EQ(CBrush::FromHandle(static_cast<HBRUSH>(previousPen->m_hObject)), nullptr);
    dc.SelectObject(previousPen);
    CGdiObject::DeleteTempMap();
}

TEST_F(GdiWrapperTest, FillSolidRectAndBitmapDescription) {
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateBitmap(10, 6, 1, 32, nullptr));
    BITMAP info = {};
    ASSERT_NE(0, bitmap.GetBitmap(&info));
    EXPECT_EQ(info.bmWidth, 10);
    EXPECT_EQ(info.bmHeight, 6);
    EXPECT_EQ(info.bmBitsPixel, 32);

    CBitmap* old = dc.SelectObject(&bitmap);
    dc.FillSolidRect(0, 0, 10, 6, RGB(255, 255, 255));
    CRect inner(2, 1, 5, 3);
    dc.FillSolidRect(&inner, RGB(200, 10, 20));
    EXPECT_EQ(dc.GetPixel(2, 1), RGB(200, 10, 20));
    EXPECT_EQ(dc.GetPixel(4, 2), RGB(200, 10, 20));
    EXPECT_EQ(dc.GetPixel(5, 2), RGB(255, 255, 255));
    EXPECT_EQ(dc.GetPixel(1, 1), RGB(255, 255, 255));
    dc.SelectObject(old);
    CGdiObject::DeleteTempMap();
}

TEST_F(GdiWrapperTest, HimetricConversionUsesPixelsPerInch) {
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    int dpi = dc.GetDeviceCaps(LOGPIXELSX);
    ASSERT_GT(dpi, 0);
    // One inch is 2540 HIMETRIC units.
    SIZE size = {2540, 5080};
    dc.HIMETRICtoDP(&size);
    EXPECT_EQ(dpi, size.cx);
    EXPECT_EQ(2 * dc.GetDeviceCaps(LOGPIXELSY), size.cy);
    dc.DPtoHIMETRIC(&size);
    EXPECT_EQ(size.cx, 2540);
    EXPECT_EQ(size.cy, 5080);
}

TEST_F(GdiWrapperTest, ObjectsDeleteTheirHandlesAndDetachKeepsThem) {
    HGDIOBJ kept = nullptr;
    {
        CBrush brush(RGB(9, 9, 9));
        kept = brush.Detach();
        EXPECT_EQ(brush.m_hObject, nullptr);
    }
    // Still a brush after its first object went.
    EXPECT_EQ(GetObjectType(kept), static_cast<DWORD>(OBJ_BRUSH));
    HGDIOBJ deleted = nullptr;
    {
        CBrush brush;
        ASSERT_TRUE(brush.CreateSolidBrush(RGB(1, 1, 1)));
        deleted = brush.m_hObject;
    }
    EXPECT_EQ(GetObjectType(deleted), 0u);
    DeleteObject(kept);
}

TEST_F(GdiWrapperTest, PaletteEntryCount) {
    struct {
        LOGPALETTE header;
        PALETTEENTRY more[3];
    } palette = {};
    palette.header.palVersion = 0x300;
    palette.header.palNumEntries = 4;
    CPalette wrapper;
    EXPECT_EQ(wrapper.GetEntryCount(), 0);
    ASSERT_TRUE(wrapper.CreatePalette(&palette.header));
    EXPECT_EQ(wrapper.GetEntryCount(), 4);
}

} // namespace

namespace {

TEST(BitmapResource, LoadsFromTheModuleAndFailsForMissingOnes) {
    winsim::ResetDesktop();
    CBitmap toolbar;
    ASSERT_TRUE(toolbar.LoadBitmap(150));
    BITMAP info = {};
    ASSERT_NE(0, toolbar.GetBitmap(&info));
    EXPECT_EQ(info.bmWidth, 80);
    EXPECT_EQ(info.bmHeight, 15);
    CBitmap missing;
    EXPECT_FALSE(missing.LoadBitmap(4242));
    EXPECT_EQ(missing.m_hObject, nullptr);
}

} // namespace
