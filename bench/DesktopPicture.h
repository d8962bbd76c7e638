// A full-HD 32-bit picture that looks like a desktop, as a packed DIB, for the benchmarks of
// the capture path: a gradient background, overlapping windows with gradient title bars, light
// client areas with lines of small dark glyphs, buttons and a task bar.
#pragma once

#include "platform/win32.h"

#include <cstdint>
#include <cstring>
#include <vector>

namespace bench {

constexpr LONG kWidth = 1920;
constexpr LONG kHeight = 1080;

class ScreenDib {
public:
    ScreenDib() : words_(sizeof(BITMAPINFOHEADER) / 4 + static_cast<size_t>(kWidth) * kHeight) {
        BITMAPINFOHEADER header = {};
        header.biSize = sizeof header;
        header.biWidth = kWidth;
        header.biHeight = kHeight;
        header.biPlanes = 1;
        header.biBitCount = 32;
        header.biSizeImage = kWidth * kHeight * 4;
        std::memcpy(words_.data(), &header, sizeof header);
        Paint();
    }

    const BITMAPINFOHEADER* Dib() const {
        return reinterpret_cast<const BITMAPINFOHEADER*>(words_.data());
    }
    // The stored rows, bottom row first.
    const BYTE* Pixels() const {
        return reinterpret_cast<const BYTE*>(words_.data()) + sizeof(BITMAPINFOHEADER);
    }

private:
    DWORD& At(LONG x, LONG y) { // y from the top
        return words_[sizeof(BITMAPINFOHEADER) / 4 + static_cast<size_t>(kHeight - 1 - y) * kWidth +
                      x];
    }
    void Rect(LONG left, LONG top, LONG right, LONG bottom, DWORD colour) {
        for (LONG y = top; y < bottom && y < kHeight; ++y) {
            for (LONG x = left; x < right && x < kWidth; ++x) {
                At(x, y) = colour;
            }
        }
    }
    uint32_t Next() { return seed_ = seed_ * 1664525u + 1013904223u; }

    void Window(LONG left, LONG top, LONG right, LONG bottom) {
        Rect(left, top, right, bottom, 0xD4D0C8);
        for (LONG x = left + 3; x < right - 3; ++x) {
            const DWORD blue = 0x80 + 0x7F * (x - left) / (right - left);
            const DWORD colour =
                (0x0A << 16) | (0x24 + (x - left) * 0x60 / (right - left)) << 8 | blue;
            for (LONG y = top + 3; y < top + 22; ++y) {
                At(x, y) = colour;
            }
        }
        Rect(left + 6, top + 26, right - 6, bottom - 40, 0xFFFFFF);
        // Lines of text: glyph cells of 7 x 12 with a few dark strokes each.
        for (LONG line = top + 32; line + 12 < bottom - 44; line += 16) {
            const LONG lineEnd = left + 12 + static_cast<LONG>(Next() % (right - left - 24));
            for (LONG cell = left + 12; cell + 7 < lineEnd; cell += 7) {
                if (Next() % 6 == 0) {
                    continue; // a blank between words
                }
                for (int stroke = 0; stroke < 9; ++stroke) {
                    const uint32_t r = Next();
                    At(cell + static_cast<LONG>(r % 6), line + static_cast<LONG>((r >> 8) % 11)) =
                        0x202020 + (r >> 24) % 0x30 * 0x010101;
                }
            }
        }
        for (LONG b = 0; b < 2; ++b) {
            const LONG bl = right - 180 + b * 88;
            Rect(bl, bottom - 34, bl + 80, bottom - 10, 0x404040);
            Rect(bl + 1, bottom - 33, bl + 79, bottom - 11, 0xE8E4DC);
        }
    }

    void Paint() {
        for (LONG y = 0; y < kHeight; ++y) {
            for (LONG x = 0; x < kWidth; ++x) {
                At(x, y) = (0x3A + y * 0x30 / kHeight) << 16 | (0x6E + x * 0x20 / kWidth) << 8 |
                           (0xA5 + (x + y) * 0x30 / (kWidth + kHeight));
            }
        }
        Window(80, 60, 1100, 800);
        Window(700, 240, 1780, 1000);
        Window(300, 500, 900, 760);
        Rect(0, kHeight - 30, kWidth, kHeight, 0xD4D0C8); // task bar
    }

    std::vector<DWORD> words_;
    uint32_t seed_ = 12345;
};

} // namespace bench
