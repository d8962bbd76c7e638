#include "imaging/WindowCapture.h"
#include "DibBuilder.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Converts with rows of exactly 3 x width bytes; the error text starts with a leftover.
struct Conversion {
    explicit Conversion(const DibBuilder& dib) : rows(dib.Dib()->biHeight, 3 * dib.Dib()->biWidth) {
        ok = WindowCapture().DibToRgbRows(dib.Dib(), rows.RowLength(), rows.Pointers(), &error);
    }
    RgbRows rows;
    std::string error = "leftover";
    bool ok = false;
};

TEST(DibToRgbRows, TwentyFourBitsSwapToRedGreenBlueAndSkipTheFillBytes) {
    DibBuilder one(1, 1, 24);
    one.StoredRow(0, {0x30, 0x20, 0x10}); // blue, green, red; one fill byte follows
    Conversion single(one);
    ASSERT_TRUE(single.ok);
    EXPECT_EQ(one.Stride(), 4u);
    EXPECT_EQ((std::vector<BYTE>{0x10, 0x20, 0x30}), single.rows.Bytes());
    EXPECT_EQ(single.error, "leftover") << "success does not touch the error text";

    // Width 3: 9 bytes of pixels and 3 fill bytes per stored row; the last stored row is the top.
    DibBuilder three(3, 2, 24);
    three.StoredRow(0, {1, 2, 3, 4, 5, 6, 7, 8, 9})
        .StoredRow(1, {11, 12, 13, 14, 15, 16, 17, 18, 19});
    Conversion wide(three);
    ASSERT_TRUE(wide.ok);
    EXPECT_EQ(three.Stride(), 12u);
    EXPECT_EQ(wide.rows.Pixel(0, 0), 0x0D0C0Bu);
    EXPECT_EQ(wide.rows.Pixel(2, 0), 0x131211u);
    EXPECT_EQ(wide.rows.Pixel(0, 1), 0x030201u);
    EXPECT_EQ(wide.rows.Pixel(2, 1), 0x090807u);
}

TEST(DibToRgbRows, ThirtyTwoBitsIgnoreTheFourthByte) {
    // Width 37: two blocks of sixteen pixels (the step of the fast way), a group of four and
    // one more; every pixel distinct.
    constexpr int kWidth = 37;
    auto base = [](LONG stored, int x) { return static_cast<BYTE>(100 * stored + 5 * x); };
    DibBuilder a(kWidth, 2, 32);
    DibBuilder b(kWidth, 2, 32);
    for (LONG stored = 0; stored < 2; ++stored) {
        std::vector<BYTE> plain, noisy;
        for (int x = 0; x < kWidth; ++x) {
            const BYTE blue = base(stored, x);
            const std::vector<BYTE> bgr = {blue, BYTE(blue + 1), BYTE(blue + 2)};
            plain.insert(plain.end(), bgr.begin(), bgr.end());
            noisy.insert(noisy.end(), bgr.begin(), bgr.end());
            plain.push_back(0x00);
            noisy.push_back(static_cast<BYTE>(0xFF - 37 * x));
        }
        a.StoredRow(stored, plain);
        b.StoredRow(stored, noisy);
    }
    Conversion first(a);
    Conversion second(b);
    ASSERT_TRUE(first.ok);
    ASSERT_TRUE(second.ok);
    EXPECT_EQ(first.rows.Bytes(), second.rows.Bytes());
    for (int x = 0; x < kWidth; ++x) {
        for (LONG y = 0; y < 2; ++y) {
            const BYTE blue = base(1 - y, x);
            const DWORD rgb = (DWORD{BYTE(blue + 2)} << 16) | (DWORD{BYTE(blue + 1)} << 8) | blue;
            EXPECT_EQ(rgb, first.rows.Pixel(x, y)) << x << "," << y;
        }
    }
}

TEST(DibToRgbRows, SixteenBitsAreLittleEndian555Words) {
    // Width 3: 6 bytes of pixels and 2 fill bytes per stored row.
    DibBuilder dib(3, 2, 16);
    const WORD white = 0x7FFF, red = 0x7C00, blueOne = 0x0001;
    const WORD fieldsAreOne = (1 << 10) | (1 << 5) | 1, topBitOnly = 0x8000;
    const WORD mixed = (30 << 10) | (2 << 5) | 31;
    auto bytes = [](WORD a, WORD b, WORD c) {
        return std::vector<BYTE>{BYTE(a),      BYTE(a >> 8), BYTE(b),
                                 BYTE(b >> 8), BYTE(c),      BYTE(c >> 8)};
    };
    dib.StoredRow(0, bytes(white, red, blueOne))
        .StoredRow(1, bytes(fieldsAreOne, topBitOnly, mixed));
    Conversion c(dib);
    ASSERT_TRUE(c.ok);
    EXPECT_EQ(dib.Stride(), 8u);
    EXPECT_EQ(c.rows.Pixel(0, 0), 0x101010u);
    EXPECT_EQ(c.rows.Pixel(1, 0), 0x000000u);
    EXPECT_EQ(c.rows.Pixel(2, 0), 0xF818FFu);
    EXPECT_EQ(c.rows.Pixel(0, 1), 0xFFFFFFu);
    EXPECT_EQ(c.rows.Pixel(1, 1), 0xFF0000u);
    EXPECT_EQ(c.rows.Pixel(2, 1), 0x000010u);
}

TEST(DibToRgbRows, OneBitIsMostSignificantBitFirstThroughTheColourTable) {
    // Width 10: 2 bytes of pixels and 2 fill bytes; the second byte gives two pixels.
    DibBuilder dib(10, 2, 1);
    dib.Colour(0, 0x11, 0x22, 0x33).Colour(1, 0xAA, 0xBB, 0xCC);
    dib.StoredRow(0, {0x80, 0x40}).StoredRow(1, {0x01, 0xBF});
    Conversion c(dib);
    ASSERT_TRUE(c.ok);
    EXPECT_EQ(dib.Stride(), 4u);
    const DWORD zero = 0x112233, one = 0xAABBCC;
    // Top row: stored row 1 = 0000 0001 10.
    for (int x = 0; x < 10; ++x) {
        EXPECT_EQ((x == 7 || x == 8) ? one : zero, c.rows.Pixel(x, 0)) << "x = " << x;
    }
    // Bottom row: stored row 0 = 1000 0000 01.
    for (int x = 0; x < 10; ++x) {
        EXPECT_EQ((x == 0 || x == 9) ? one : zero, c.rows.Pixel(x, 1)) << "x = " << x;
    }
}

TEST(DibToRgbRows, FourBitsTakeTheHighNibbleFirst) {
    DibBuilder dib(3, 1, 4);
    for (unsigned i = 0; i < 16; ++i) {
        dib.Colour(i, BYTE(i * 16), BYTE(i), BYTE(255 - i));
    }
    dib.StoredRow(0, {0x2E, 0x7F}); // pixels 2, 14, 7; the low half of byte 1 is unused
    Conversion c(dib);
    ASSERT_TRUE(c.ok);
    EXPECT_EQ(dib.Stride(), 4u);
    EXPECT_EQ(c.rows.Pixel(0, 0), 0x2002FDu);
    EXPECT_EQ(c.rows.Pixel(1, 0), 0xE00EF1u);
    EXPECT_EQ(c.rows.Pixel(2, 0), 0x7007F8u);
}

TEST(DibToRgbRows, EightBitsIndexTheWholeTableAndRowsArePaddedToFourBytes) {
    DibBuilder dib(5, 2, 8);
    for (unsigned i = 0; i < 256; ++i) {
        dib.Colour(i, BYTE(i), BYTE(255 - i), BYTE(i ^ 0x55));
    }
    dib.StoredRow(0, {0, 1, 2, 3, 255}).StoredRow(1, {200, 100, 50, 25, 128});
    Conversion c(dib);
    ASSERT_TRUE(c.ok);
    EXPECT_EQ(dib.Stride(), 8u);
    auto expected = [](unsigned i) { return (i << 16) | ((255 - i) << 8) | (i ^ 0x55); };
    const unsigned top[] = {200, 100, 50, 25, 128}, bottom[] = {0, 1, 2, 3, 255};
    for (int x = 0; x < 5; ++x) {
        EXPECT_EQ(expected(top[x]), c.rows.Pixel(x, 0)) << "x = " << x;
        EXPECT_EQ(expected(bottom[x]), c.rows.Pixel(x, 1)) << "x = " << x;
    }
}

TEST(DibToRgbRows, RowsLongerThanThePictureKeepTheirTail) {
    DibBuilder dib(2, 1, 24);
    dib.StoredRow(0, {1, 2, 3, 4, 5, 6});
    RgbRows rows(1, 10);
    std::string error;
    ASSERT_TRUE(WindowCapture().DibToRgbRows(dib.Dib(), 10, rows.Pointers(), &error));
    EXPECT_EQ((std::vector<BYTE>{3, 2, 1, 6, 5, 4, 0xA5, 0xA5, 0xA5, 0xA5}), rows.Bytes());
}

TEST(DibToRgbRows, RefusalsSetTheirTextAndLeaveTheRowsUntouched) {
    WindowCapture capture;
    for (WORD bits : {0, 2, 15, 48}) {
        DibBuilder dib(2, 2, bits);
        RgbRows rows(2, 6);
        std::string error = "earlier text";
        EXPECT_FALSE(capture.DibToRgbRows(dib.Dib(), 6, rows.Pointers(), &error)) << bits;
        EXPECT_EQ(error, "Invalid bitmap bit count");
        EXPECT_TRUE(rows.AllUntouched());
    }

    DibBuilder dib(2, 2, 24);
    RgbRows rows(2, 6);
    std::string error;
    EXPECT_FALSE(capture.DibToRgbRows(nullptr, 6, rows.Pointers(), &error));
    EXPECT_EQ(error, "Invalid input data");
    for (int length : {0, -6, 5}) { // 5 is shorter than two pixels
        error.clear();
        EXPECT_FALSE(capture.DibToRgbRows(dib.Dib(), length, rows.Pointers(), &error)) << length;
        EXPECT_EQ(error, "Invalid input data");
    }
    error.clear();
    EXPECT_FALSE(capture.DibToRgbRows(dib.Dib(), 6, nullptr, &error));
    EXPECT_EQ(error, "Invalid input data");

    // Without an error holder nothing is converted, even from a valid DIB.
    EXPECT_FALSE(capture.DibToRgbRows(dib.Dib(), 6, rows.Pointers(), nullptr));
    EXPECT_TRUE(rows.AllUntouched());
}

TEST(DibToRgbRows, AnEmptyPictureConvertsToNothing) {
    WindowCapture capture;
    for (LONG height : {0, -2}) {
        DibBuilder dib(2, 2, 24);
        dib.Header()->biHeight = height;
        RgbRows rows(2, 6);
        std::string error = "old";
        EXPECT_TRUE(capture.DibToRgbRows(dib.Dib(), 6, rows.Pointers(), &error));
        EXPECT_EQ(error, "old");
        EXPECT_TRUE(rows.AllUntouched());
    }
}

TEST(Expand555, ExpandsEachFieldThroughTheTableAndPacksBlueLowest) {
    EXPECT_EQ(WindowCapture::Expand555(0x7FFF), 0x00FFFFFFu);
    EXPECT_EQ(WindowCapture::Expand555(0xFFFF), 0x00FFFFFFu);
    EXPECT_EQ(WindowCapture::Expand555(0x8000), 0u);
    EXPECT_EQ(WindowCapture::Expand555((1 << 10) | (1 << 5) | 1), 0x00101010u);
    EXPECT_EQ(WindowCapture::Expand555((30 << 10) | (30 << 5) | 30), 0x00F8F8F8u);
    EXPECT_EQ(WindowCapture::Expand555(31 << 10), 0x00FF0000u);
    EXPECT_EQ(WindowCapture::Expand555(2), 0x00000018u);
    EXPECT_EQ(WindowCapture::Expand555(3 << 5), 0x00002000u);
    // The whole table: 0, then 8k + 8, then 255.
    for (WORD k = 0; k < 32; ++k) {
        const DWORD value = k == 0 ? 0 : k == 31 ? 255 : 8u * k + 8;
        EXPECT_EQ(value << 16, WindowCapture::Expand555(WORD(k << 10))) << "k = " << k;
    }
}

} // namespace
