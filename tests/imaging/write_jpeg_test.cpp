#include "imaging/WindowCapture.h"
#include "DibBuilder.h"
#include "JpegFile.h"

#include <winsim/sim.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <string>

namespace {

class WriteJpegTest : public ::testing::Test {
protected:
    void SetUp() override { winsim::ResetDesktop(); }

    // Writes `dib` to C:\<name>; returns the result and leaves the text in `error`.
    bool Write(const DibBuilder& dib, const std::string& name, int quality = 100) {
        const std::string path = "C:\\" + name;
        return WindowCapture().WriteJpeg(dib.Dib(), quality, path.c_str(), &error);
    }

    std::string error = "leftover";
};

// A smooth 32-bit picture, as a window's gradients and flat areas are.
DibBuilder SmoothPicture(LONG width, LONG height) {
    DibBuilder dib(width, height, 32);
    dib.Fill32([&](LONG x, LONG y) -> DWORD {
        const DWORD red = 40 + 160 * x / width;
        const DWORD green = 200 - 150 * y / height;
        const DWORD blue = 90 + 60 * (x + y) / (width + height);
        return (red << 16) | (green << 8) | blue;
    });
    return dib;
}

TEST_F(WriteJpegTest, OnePixelFileHasTheTwelvePiecesOfABaselineJfif) {
    DibBuilder dib(1, 1, 24);
    dib.StoredRow(0, {0x10, 0x80, 0xF0});
    ASSERT_TRUE(Write(dib, "one.jpg"));
    EXPECT_EQ(error, "");

    const std::vector<JpegSegment> s = ParseJpegSegments(ReadHostFile("one.jpg"));
    ASSERT_EQ(s.size(), 11u) << "SOI, APP0, 2 DQT, SOF0, 4 DHT, SOS with its data, EOI";
    const uint8_t markers[] = {0xD8, 0xE0, 0xDB, 0xDB, 0xC0, 0xC4, 0xC4, 0xC4, 0xC4, 0xDA, 0xD9};
    for (size_t i = 0; i < 11; ++i) {
        EXPECT_EQ(markers[i], s[i].marker) << "segment " << i;
    }

    EXPECT_EQ(s[1].lengthField, 16);
    EXPECT_EQ((Bytes{'J', 'F', 'I', 'F', 0, 1, 1, 0, 0, 1, 0, 1, 0, 0}), s[1].payload);

    for (uint8_t table : {0, 1}) {
        const JpegSegment& dqt = s[2 + table];
        EXPECT_EQ(dqt.lengthField, 67);
        ASSERT_EQ(dqt.payload.size(), 65u);
        EXPECT_EQ(table, dqt.payload[0]) << "8-bit precision, table " << int(table);
        EXPECT_TRUE(std::all_of(dqt.payload.begin() + 1, dqt.payload.end(),
                                [](uint8_t v) { return v == 1; }));
    }

    EXPECT_EQ(s[4].lengthField, 17);
    EXPECT_EQ(s[4].payload, (Bytes{8, 0, 1, 0, 1, 3, 1, 0x22, 0, 2, 0x11, 1, 3, 0x11, 1}));

    // The standard tables: class and id, then the 16 code-length counts.
    const Bytes dcLuma = {0x00, 0, 1, 5, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0};
    const Bytes acLuma = {0x10, 0, 2, 1, 3, 3, 2, 4, 3, 5, 5, 4, 4, 0, 0, 1, 0x7D};
    const Bytes dcChroma = {0x01, 0, 3, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0};
    const Bytes acChroma = {0x11, 0, 2, 1, 2, 4, 4, 3, 4, 7, 5, 4, 4, 0, 1, 2, 0x77};
    const Bytes* heads[] = {&dcLuma, &acLuma, &dcChroma, &acChroma};
    const int lengths[] = {31, 181, 31, 181};
    for (size_t i = 0; i < 4; ++i) {
        const JpegSegment& dht = s[5 + i];
        EXPECT_EQ(lengths[i], dht.lengthField) << "table " << i;
        ASSERT_GE(dht.payload.size(), 17u);
        EXPECT_EQ(*heads[i], Bytes(dht.payload.begin(), dht.payload.begin() + 17)) << i;
    }
    // DC values are the categories 0 to 11 in order; the AC tables start as the standard's.
    for (size_t i : {0u, 2u}) {
        for (uint8_t v = 0; v < 12; ++v) {
            EXPECT_EQ(v, s[5 + i].payload[17 + v]);
        }
    }
    EXPECT_EQ(Bytes(s[6].payload.begin() + 17, s[6].payload.begin() + 23),
              (Bytes{0x01, 0x02, 0x03, 0x00, 0x04, 0x11}));
    EXPECT_EQ(Bytes(s[8].payload.begin() + 17, s[8].payload.begin() + 23),
              (Bytes{0x00, 0x01, 0x02, 0x03, 0x11, 0x04}));

    EXPECT_EQ(s[9].lengthField, 12);
    EXPECT_EQ(s[9].payload, (Bytes{3, 1, 0x00, 2, 0x11, 3, 0x11, 0, 63, 0}));
    EXPECT_GT(s[9].entropyBytes, 0u);
}

TEST_F(WriteJpegTest, FrameHeaderCarriesHeightThenWidth) {
    ASSERT_TRUE(Write(SmoothPicture(300, 7), "wide.jpg"));
    const std::vector<JpegSegment> s = ParseJpegSegments(ReadHostFile("wide.jpg"));
    ASSERT_EQ(s.size(), 11u);
    EXPECT_EQ(Bytes(s[4].payload.begin(), s[4].payload.begin() + 5), (Bytes{8, 0, 7, 1, 44}));
}

TEST_F(WriteJpegTest, DecodesBackToThePictureWithinJpegTolerance) {
    const LONG width = 37, height = 23; // not multiples of the 16-pixel blocks
    DibBuilder dib = SmoothPicture(width, height);
    ASSERT_TRUE(Write(dib, "smooth.jpg"));

    RgbRows expected(height, 3 * width);
    std::string conversionError;
    ASSERT_TRUE(
        WindowCapture().DibToRgbRows(dib.Dib(), 3 * width, expected.Pointers(), &conversionError));
    DecodedImage decoded;
    ASSERT_TRUE(DecodeJpeg(ReadHostFile("smooth.jpg"), &decoded));
    ASSERT_EQ(width, decoded.width);
    ASSERT_EQ(height, decoded.height);
    int worst = 0;
    for (size_t i = 0; i < decoded.rgb.size(); ++i) {
        worst = std::max(worst, std::abs(int(decoded.rgb[i]) - int(expected.Bytes()[i])));
    }
    EXPECT_LE(worst, 6) << "quality 100 keeps a smooth picture within a few levels";
}

TEST_F(WriteJpegTest, IndexedPicturesKeepTheirColoursInFlatAreas) {
    // 8 bits per pixel, four 16 x 16 areas of one palette colour each; the middle of each area
    // decodes to that colour.
    DibBuilder dib(32, 32, 8);
    dib.Colour(0, 255, 0, 0).Colour(1, 0, 255, 0).Colour(2, 0, 0, 255).Colour(3, 250, 250, 250);
    for (LONG stored = 0; stored < 32; ++stored) {
        const LONG y = 31 - stored;
        std::vector<BYTE> row(32);
        for (LONG x = 0; x < 32; ++x) {
            row[x] = static_cast<BYTE>((y / 16) * 2 + x / 16);
        }
        dib.StoredRow(stored, row);
    }
    ASSERT_TRUE(Write(dib, "palette.jpg"));
    DecodedImage decoded;
    ASSERT_TRUE(DecodeJpeg(ReadHostFile("palette.jpg"), &decoded));
    const uint8_t colours[4][3] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {250, 250, 250}};
    for (int area = 0; area < 4; ++area) {
        const int x = (area % 2) * 16 + 8, y = (area / 2) * 16 + 8;
        const uint8_t* p = &decoded.rgb[(static_cast<size_t>(y) * 32 + x) * 3];
        for (int c = 0; c < 3; ++c) {
            EXPECT_NEAR(colours[area][c], p[c], 3) << "area " << area << " component " << c;
        }
    }
}

TEST_F(WriteJpegTest, QualityOutsideZeroToHundredIsRefusedAndZeroIsTheCoarsestBaseline) {
    DibBuilder dib = SmoothPicture(8, 8);
    for (int quality : {-1, 101}) {
        error = "leftover";
        EXPECT_FALSE(Write(dib, "refused.jpg", quality)) << quality;
        EXPECT_EQ(error, "Invalid input data");
        EXPECT_FALSE(HostFileExists("refused.jpg"));
    }

    ASSERT_TRUE(Write(dib, "coarse.jpg", 0));
    EXPECT_EQ(error, "");
    const std::vector<JpegSegment> s = ParseJpegSegments(ReadHostFile("coarse.jpg"));
    ASSERT_EQ(s.size(), 11u);
    for (size_t i : {2u, 3u}) {
        ASSERT_EQ(s[i].payload.size(), 65u);
        EXPECT_EQ(i - 2, s[i].payload[0]) << "8-bit tables only: baseline is forced";
        EXPECT_TRUE(std::all_of(s[i].payload.begin() + 1, s[i].payload.end(),
                                [](uint8_t v) { return v == 255; }));
    }
    DecodedImage decoded;
    EXPECT_TRUE(DecodeJpeg(ReadHostFile("coarse.jpg"), &decoded));
}

TEST_F(WriteJpegTest, MissingInputsAreRefusedBeforeAnyFileIsMade) {
    WindowCapture capture;
    DibBuilder dib = SmoothPicture(4, 4);
    EXPECT_FALSE(capture.WriteJpeg(nullptr, 100, "C:\\a.jpg", &error));
    EXPECT_EQ(error, "Invalid input data");

    for (const char* path : {"", static_cast<const char*>(nullptr)}) {
        error = "leftover";
        EXPECT_FALSE(capture.WriteJpeg(dib.Dib(), 100, path, &error));
        EXPECT_EQ(error, "Invalid input data");
    }

    EXPECT_FALSE(capture.WriteJpeg(dib.Dib(), 100, "C:\\a.jpg", nullptr))
        << "without an error holder nothing is written";
    EXPECT_FALSE(HostFileExists("a.jpg"));
}

TEST_F(WriteJpegTest, AnUnopenablePathIsReportedWithThePath) {
    DibBuilder dib = SmoothPicture(4, 4);
    EXPECT_FALSE(Write(dib, "no such folder\\x.jpg"));
    EXPECT_EQ(error, "Cannot open C:\\no such folder\\x.jpg");
    EXPECT_FALSE(HostFileExists("no such folder"));
}

TEST_F(WriteJpegTest, OutputIsStableAndReplacesAnExistingFile) {
    DibBuilder dib = SmoothPicture(50, 40);
    ASSERT_TRUE(Write(dib, "first.jpg"));
    {
        std::ofstream old(winsim::RootDir() + "/second.jpg", std::ios::binary);
        old << std::string(100000, 'x');
    }
    ASSERT_TRUE(Write(dib, "second.jpg"));
    const Bytes first = ReadHostFile("first.jpg");
    ASSERT_FALSE(first.empty());
    EXPECT_EQ(first, ReadHostFile("second.jpg"));
}

} // namespace
