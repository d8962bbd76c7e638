// Pixels through GetDIBits at 32 bits per pixel, and the ANSI code-page conversions.
#include "tests/conformance/Conformance.h"

#include <cstring>
#include <vector>

namespace {

// A 3 x 2 bitmap compatible with the screen: red, green, blue on top, white, black, grey below.
HBITMAP MakeTestBitmap(HDC memory) {
    HDC screen = ::GetDC(nullptr);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, 3, 2);
    ::ReleaseDC(nullptr, screen);
    HGDIOBJ old = ::SelectObject(memory, bitmap);
    const COLORREF colours[6] = {RGB(255, 0, 0),     RGB(0, 255, 0), RGB(0, 0, 255),
                                 RGB(255, 255, 255), RGB(0, 0, 0),   RGB(128, 128, 128)};
    for (int i = 0; i < 6; ++i) {
        ::SetPixel(memory, i % 3, i / 3, colours[i]);
    }
    ::SelectObject(memory, old);
    return bitmap;
}

} // namespace

CONFORMANCE_TEST(GetDIBitsAt32BitsGivesBlueGreenRedRows) {
    HDC memory = ::CreateCompatibleDC(nullptr);
    HBITMAP bitmap = MakeTestBitmap(memory);

    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    // A query with no bits fills in the bitmap's size.
    EXPECT(::GetDIBits(memory, bitmap, 0, 0, nullptr, &info, DIB_RGB_COLORS) != 0);
    EXPECT_EQ(static_cast<int>(info.bmiHeader.biWidth), 3);
    EXPECT_EQ(static_cast<int>(info.bmiHeader.biHeight), 2);

    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    info.bmiHeader.biPlanes = 1;
    std::vector<DWORD> pixels(6, 0xDEADBEEF);
    EXPECT_EQ(::GetDIBits(memory, bitmap, 0, 2, pixels.data(), &info, DIB_RGB_COLORS), 2);
    // A positive height is bottom-up: the lower row comes first. Each pixel is blue, green, red
    // and a zero byte, little-endian.
    EXPECT_EQ(pixels[0], 0x00FFFFFFu);
    EXPECT_EQ(pixels[1], 0x00000000u);
    EXPECT_EQ(pixels[2], 0x00808080u);
    EXPECT_EQ(pixels[3], 0x00FF0000u);
    EXPECT_EQ(pixels[4], 0x0000FF00u);
    EXPECT_EQ(pixels[5], 0x000000FFu);

    // A negative height asks for the rows top-down.
    info.bmiHeader.biHeight = -2;
    std::fill(pixels.begin(), pixels.end(), 0xDEADBEEF);
    EXPECT_EQ(::GetDIBits(memory, bitmap, 0, 2, pixels.data(), &info, DIB_RGB_COLORS), 2);
    EXPECT_EQ(pixels[0], 0x00FF0000u);
    EXPECT_EQ(pixels[5], 0x00808080u);

    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
}

CONFORMANCE_TEST(BitBltCopiesPixelsBetweenContexts) {
    HDC source = ::CreateCompatibleDC(nullptr);
    HBITMAP bitmap = MakeTestBitmap(source);
    HDC target = ::CreateCompatibleDC(nullptr);
    HDC screen = ::GetDC(nullptr);
    HBITMAP copy = ::CreateCompatibleBitmap(screen, 3, 2);
    ::ReleaseDC(nullptr, screen);
    HGDIOBJ oldSource = ::SelectObject(source, bitmap);
    HGDIOBJ oldTarget = ::SelectObject(target, copy);
    EXPECT(::BitBlt(target, 0, 0, 3, 2, source, 0, 0, SRCCOPY));
    EXPECT_EQ(static_cast<COLORREF>(RGB(0, 255, 0)), ::GetPixel(target, 1, 0));
    EXPECT_EQ(static_cast<COLORREF>(RGB(128, 128, 128)), ::GetPixel(target, 2, 1));
    // Outside the bitmap there is no pixel.
    EXPECT_EQ(::GetPixel(target, 3, 0), static_cast<COLORREF>(CLR_INVALID));
    ::SelectObject(source, oldSource);
    ::SelectObject(target, oldTarget);
    ::DeleteObject(bitmap);
    ::DeleteObject(copy);
    ::DeleteDC(source);
    ::DeleteDC(target);
}

CONFORMANCE_TEST(CodePage1252ConvertsBothWays) {
    // "été €" in Windows-1252.
    const char ansi[] = "\xe9t\xe9 \x80";
    WCHAR wide[16] = {};
    // With -1 the terminating zero is converted and counted.
    EXPECT_EQ(::MultiByteToWideChar(1252, 0, ansi, -1, nullptr, 0), 6);
    EXPECT_EQ(::MultiByteToWideChar(1252, 0, ansi, -1, wide, 16), 6);
    EXPECT_EQ(static_cast<int>(wide[0]), 0x00E9);
    EXPECT_EQ(static_cast<int>(wide[4]), 0x20AC);
    EXPECT_EQ(static_cast<int>(wide[5]), 0);
    // With an explicit length it is not.
    EXPECT_EQ(::MultiByteToWideChar(1252, 0, ansi, 3, wide, 16), 3);

    // Too small a buffer: nothing counted, and the error says why.
    ::SetLastError(0);
    EXPECT_EQ(::MultiByteToWideChar(1252, 0, ansi, -1, wide, 2), 0);
    EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));

    char back[16] = {};
    const WCHAR source[] = {0x00E9, 't', 0x20AC, 0};
    EXPECT_EQ(::WideCharToMultiByte(1252, 0, source, -1, nullptr, 0, nullptr, nullptr), 4);
    EXPECT_EQ(::WideCharToMultiByte(1252, 0, source, -1, back, 16, nullptr, nullptr), 4);
    EXPECT_STREQ("\xe9t\x80", back);

    // A character the code page lacks becomes the default character.
    const WCHAR cyrillic[] = {0x0416, 0};
    BOOL usedDefault = FALSE;
    EXPECT_EQ(::WideCharToMultiByte(1252, 0, cyrillic, -1, back, 16, nullptr, &usedDefault), 2);
    EXPECT_EQ(back[0], '?');
    EXPECT(usedDefault);
}
