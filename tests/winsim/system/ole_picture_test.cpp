// OLE pictures loaded from files and rendered into device contexts.
#include <winsim/sim.h>
#include <winsim/sim_system.h>
#include <winsim/windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <jpeglib.h>

namespace fs = std::filesystem;

namespace {

struct Rgb {
    unsigned char r, g, b;
};

// A picture of four solid quadrants: red top left, green top right, blue bottom left, white
// bottom right.
Rgb Quadrant(int x, int y, int width, int height) {
    bool right = x >= width / 2;
    bool bottom = y >= height / 2;
    if (!bottom) {
        return right ? Rgb{0, 255, 0} : Rgb{255, 0, 0};
    }
    return right ? Rgb{255, 255, 255} : Rgb{0, 0, 255};
}

void WriteQuadrantBmp(const fs::path& path, int width, int height) {
    int stride = (width * 3 + 3) / 4 * 4;
    std::vector<unsigned char> file(54 + static_cast<size_t>(stride * height), 0);
    auto put32 = [&](size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i) {
            file[at + i] = static_cast<unsigned char>(v >> (8 * i));
        }
    };
    file[0] = 'B';
    file[1] = 'M';
    put32(2, static_cast<uint32_t>(file.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<uint32_t>(width));
    put32(22, static_cast<uint32_t>(height));
    file[26] = 1;
    file[28] = 24;
    for (int y = 0; y < height; ++y) {
        unsigned char* row = &file[54 + static_cast<size_t>(stride * (height - 1 - y))];
        for (int x = 0; x < width; ++x) {
            Rgb c = Quadrant(x, y, width, height);
            row[x * 3] = c.b;
            row[x * 3 + 1] = c.g;
            row[x * 3 + 2] = c.r;
        }
    }
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<char*>(file.data()), static_cast<std::streamsize>(file.size()));
}

// A grey JPEG writes one sample per pixel: the quadrants' brightness.
void WriteQuadrantJpeg(const fs::path& path, int width, int height, bool grey = false) {
    FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    jpeg_compress_struct info;
    jpeg_error_mgr error;
    info.err = jpeg_std_error(&error);
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, file);
    info.image_width = static_cast<JDIMENSION>(width);
    info.image_height = static_cast<JDIMENSION>(height);
    info.input_components = grey ? 1 : 3;
    info.in_color_space = grey ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 100, TRUE);
    jpeg_start_compress(&info, TRUE);
    std::vector<unsigned char> row(static_cast<size_t>(width) * 3);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            Rgb c = Quadrant(x, y, width, height);
            if (grey) {
                row[x] = static_cast<unsigned char>((c.r + c.g + c.b) / 3);
            } else {
                row[x * 3] = c.r;
                row[x * 3 + 1] = c.g;
                row[x * 3 + 2] = c.b;
            }
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::fclose(file);
}

IPicture* Load(const char16_t* path, HRESULT* result = nullptr) {
    void* object = reinterpret_cast<void*>(1);
    HRESULT hr = OleLoadPicturePath(const_cast<LPOLESTR>(path), nullptr, 0, 0xFFFFFFFF,
                                    IID_IPicture, &object);
    if (result) {
        *result = hr;
    }
    if (FAILED(hr)) {
        EXPECT_EQ(object, nullptr);
        return nullptr;
    }
    return static_cast<IPicture*>(object);
}

bool Near(COLORREF actual, Rgb expected) {
    return std::abs(GetRValue(actual) - expected.r) <= 12 &&
           std::abs(GetGValue(actual) - expected.g) <= 12 &&
           std::abs(GetBValue(actual) - expected.b) <= 12;
}

class Pictures : public ::testing::Test {
protected:
    void SetUp() override {
        winsim::ResetDesktop();
        dc_ = CreateCompatibleDC(nullptr);
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = 40;
        info.bmiHeader.biHeight = 40;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        target_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        previous_ = SelectObject(dc_, target_);
    }
    void TearDown() override {
        SelectObject(dc_, previous_);
        DeleteObject(target_);
        DeleteDC(dc_);
        EXPECT_EQ(winsim::LivePictureCount(), 0);
    }

    // Checks the four quadrants of a w x h picture drawn at the origin.
    void ExpectUpright(int width, int height) {
        EXPECT_TRUE(Near(GetPixel(dc_, 1, 1), Rgb{255, 0, 0}));
        EXPECT_TRUE(Near(GetPixel(dc_, width - 2, 1), Rgb{0, 255, 0}));
        EXPECT_TRUE(Near(GetPixel(dc_, 1, height - 2), Rgb{0, 0, 255}));
        EXPECT_TRUE(Near(GetPixel(dc_, width - 2, height - 2), Rgb{255, 255, 255}));
    }

    HDC dc_ = nullptr;
    HBITMAP target_ = nullptr;
    HGDIOBJ previous_ = nullptr;
};

TEST_F(Pictures, AJpegFileGivesItsSizeInHimetric) {
    WriteQuadrantJpeg(fs::path(winsim::RootDir()) / "shot.jpg", 32, 16);
    IPicture* picture = Load(u"C:\\SHOT.jpg");
    ASSERT_NE(picture, nullptr);
    OLE_XSIZE_HIMETRIC width = 0;
    OLE_YSIZE_HIMETRIC height = 0;
    picture->get_Width(&width);
    picture->get_Height(&height);
    EXPECT_EQ(width, 847);  // 32 pixels at 96 dots per inch, in 0.01 mm
    EXPECT_EQ(height, 423); // 16 pixels
    SHORT type = 0;
    picture->get_Type(&type);
    EXPECT_EQ(type, PICTYPE_BITMAP);
    void* other = reinterpret_cast<void*>(1);
    IID unknownInterface = {1, 2, 3, {4, 5, 6, 7, 8, 9, 10, 11}};
    EXPECT_EQ(picture->QueryInterface(unknownInterface, &other), E_NOINTERFACE);
    EXPECT_EQ(other, nullptr);
    EXPECT_EQ(picture->Release(), 0u);
}

TEST_F(Pictures, RenderingUpwardsGivesAnUprightPicture) {
    WriteQuadrantJpeg(fs::path(winsim::RootDir()) / "shot.jpg", 32, 16);
    IPicture* picture = Load(u"C:\\shot.jpg");
    ASSERT_NE(picture, nullptr);
    OLE_XSIZE_HIMETRIC width = 0;
    OLE_YSIZE_HIMETRIC height = 0;
    picture->get_Width(&width);
    picture->get_Height(&height);
    // The destination drawn upwards from y = height, the source from (0, 0) over the full size.
    ASSERT_EQ(picture->Render(dc_, 0, 16, 32, -16, 0, 0, width, height, nullptr), S_OK);
    ExpectUpright(32, 16);
    // The other common way: the destination downwards, the source upwards from its top.
    PatBlt(dc_, 0, 0, 40, 40, BLACKNESS);
    ASSERT_EQ(picture->Render(dc_, 0, 0, 32, 16, 0, height, width, -height, nullptr), S_OK);
    ExpectUpright(32, 16);
    EXPECT_EQ(GetPixel(dc_, 35, 5), RGB(0, 0, 0)); // nothing drawn beyond the destination
    picture->Release();
}

// The bits of a picture's bitmap, as a program takes them with GetDIBits: 32-bit pixels whose
// fourth byte is zero, whatever the decoder left there; colour and grey JPEGs alike.
TEST_F(Pictures, APicturesBitmapGivesItsColoursAndNothingInTheUnusedByte) {
    const fs::path root = winsim::RootDir();
    WriteQuadrantJpeg(root / "colour.jpg", 16, 8);
    WriteQuadrantJpeg(root / "grey.jpg", 16, 8, true);
    WriteQuadrantBmp(root / "colour.bmp", 16, 8);
    struct Case {
        const char16_t* path;
        Rgb topRight;
        Rgb bottomLeft;
    };
    for (const Case& c : {Case{u"C:\\colour.jpg", {0, 255, 0}, {0, 0, 255}},
                          Case{u"C:\\grey.jpg", {85, 85, 85}, {85, 85, 85}},
                          Case{u"C:\\colour.bmp", {0, 255, 0}, {0, 0, 255}}}) {
        IPicture* picture = Load(c.path);
        ASSERT_NE(picture, nullptr);
        OLE_HANDLE handle = 0;
        ASSERT_EQ(picture->get_Handle(&handle), S_OK);
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = 16;
        info.bmiHeader.biHeight = -8;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        std::vector<uint32_t> bits(16 * 8, 0xDEADBEEFu);
        HBITMAP bitmap = reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle));
        ASSERT_EQ(GetDIBits(dc_, bitmap, 0, 8, bits.data(), &info, DIB_RGB_COLORS), 8);
        for (uint32_t pixel : bits) {
            EXPECT_EQ(pixel >> 24, 0u);
        }
        auto colour = [&](int x, int y) {
            const uint32_t pixel = bits[static_cast<size_t>(y * 16 + x)];
            return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
        };
        EXPECT_TRUE(Near(colour(14, 1), c.topRight));
        EXPECT_TRUE(Near(colour(1, 6), c.bottomLeft));
        picture->Release();
    }
}

TEST_F(Pictures, RenderingStretchesAndMirrorsAsTheRectanglesSay) {
    WriteQuadrantBmp(fs::path(winsim::RootDir()) / "quad.bmp", 2, 2);
    IPicture* picture = Load(u"file:///C:/quad.bmp");
    ASSERT_NE(picture, nullptr);
    OLE_XSIZE_HIMETRIC width = 0;
    OLE_YSIZE_HIMETRIC height = 0;
    picture->get_Width(&width);
    picture->get_Height(&height);
    ASSERT_EQ(picture->Render(dc_, 0, 20, 20, -20, 0, 0, width, height, nullptr), S_OK);
    ExpectUpright(20, 20);
    // Drawn downwards with the source measured upwards from the bottom: upside down.
    ASSERT_EQ(picture->Render(dc_, 0, 0, 20, 20, 0, 0, width, height, nullptr), S_OK);
    EXPECT_EQ(GetPixel(dc_, 1, 1), RGB(0, 0, 255));
    EXPECT_EQ(GetPixel(dc_, 18, 18), RGB(0, 255, 0));
    EXPECT_EQ(picture->Render(nullptr, 0, 0, 20, 20, 0, 0, width, height, nullptr), E_INVALIDARG);
    EXPECT_EQ(picture->Render(dc_, 0, 0, 20, 20, 0, 0, 0, height, nullptr), E_INVALIDARG);
    picture->Release();
}

// A picture of more than 2^25 pixels is refused before it is decoded: a JPEG of a few bytes
// that declares a huge size, and a BMP that holds every pixel of one.
TEST_F(Pictures, APictureOfMoreThanTwoToTheTwentyFivePixelsIsRefused) {
    const fs::path root = winsim::RootDir();
    WriteQuadrantJpeg(root / "small.jpg", 16, 16);
    std::ifstream in(root / "small.jpg", std::ios::binary);
    std::string jpeg((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const size_t frame = jpeg.find("\xff\xc0");
    ASSERT_NE(frame, std::string::npos);
    // The frame header: marker, length, precision, then height and width, big-endian.
    auto declare = [&](unsigned width, unsigned height) {
        std::string bytes = jpeg;
        bytes[frame + 5] = static_cast<char>(height >> 8);
        bytes[frame + 6] = static_cast<char>(height & 0xFF);
        bytes[frame + 7] = static_cast<char>(width >> 8);
        bytes[frame + 8] = static_cast<char>(width & 0xFF);
        std::ofstream(root / "declared.jpg", std::ios::binary) << bytes;
    };
    HRESULT result = S_OK;
    declare(8193, 4096);
    EXPECT_EQ(Load(u"C:\\declared.jpg", &result), nullptr);
    EXPECT_EQ(result, CTL_E_INVALIDPICTURE);
    declare(65535, 65535);
    EXPECT_EQ(Load(u"C:\\declared.jpg", &result), nullptr);
    EXPECT_EQ(result, CTL_E_INVALIDPICTURE);
    declare(32, 16); // the data is read as far as it goes, the rest left grey
    IPicture* picture = Load(u"C:\\declared.jpg");
    ASSERT_NE(picture, nullptr);
    picture->Release();

    // One bit per pixel, 32768 pixels a row: 2^25 pixels in 1024 rows, one row more refused.
    auto writeBmp = [&](uint32_t rows) {
        const uint32_t stride = 32768 / 8;
        std::string file(62 + size_t{stride} * rows, '\0');
        auto put32 = [&](size_t at, uint32_t v) {
            for (int i = 0; i < 4; ++i) {
                file[at + i] = static_cast<char>(v >> (8 * i));
            }
        };
        file[0] = 'B';
        file[1] = 'M';
        put32(2, static_cast<uint32_t>(file.size()));
        put32(10, 62);
        put32(14, 40);
        put32(18, 32768);
        put32(22, rows);
        file[26] = 1;
        file[28] = 1;
        put32(58, 0x00FFFFFF); // palette: black, white
        std::ofstream(root / "wide.bmp", std::ios::binary) << file;
    };
    writeBmp(1025);
    EXPECT_EQ(Load(u"C:\\wide.bmp", &result), nullptr);
    EXPECT_EQ(result, CTL_E_INVALIDPICTURE);
    writeBmp(1024);
    picture = Load(u"C:\\wide.bmp");
    ASSERT_NE(picture, nullptr);
    picture->Release();
}

TEST_F(Pictures, MissingFilesAndOtherDataFailAsOnWindows) {
    HRESULT result = S_OK;
    EXPECT_EQ(Load(u"C:\\none.jpg", &result), nullptr);
    EXPECT_TRUE(FAILED(result));
    EXPECT_EQ(Load(u"D:\\none.jpg", &result), nullptr);
    EXPECT_TRUE(FAILED(result));

    std::ofstream(fs::path(winsim::RootDir()) / "text.jpg") << "not a picture at all";
    EXPECT_EQ(Load(u"C:\\text.jpg", &result), nullptr);
    EXPECT_EQ(result, CTL_E_INVALIDPICTURE);

    // A JPEG cut inside its header.
    WriteQuadrantJpeg(fs::path(winsim::RootDir()) / "whole.jpg", 16, 16);
    std::ifstream in(fs::path(winsim::RootDir()) / "whole.jpg", std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::ofstream(fs::path(winsim::RootDir()) / "cut.jpg", std::ios::binary) << bytes.substr(0, 40);
    EXPECT_EQ(Load(u"C:\\cut.jpg", &result), nullptr);
    EXPECT_EQ(result, CTL_E_INVALIDPICTURE);

    void* object = nullptr;
    EXPECT_EQ(OleLoadPicturePath(nullptr, nullptr, 0, 0, IID_IPicture, &object), E_INVALIDARG);
    EXPECT_EQ(OleLoadPicturePath(const_cast<LPOLESTR>(u"C:\\whole.jpg"), nullptr, 0, 0,
                                 IID_IPicture, nullptr),
              E_POINTER);
}

} // namespace
