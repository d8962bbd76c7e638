// Conversion of a packed bottom-up DIB into top-down rows of red, green, blue samples.
#include "imaging/WindowCapture.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

#if defined(__i386__) || defined(__x86_64__)
#include <tmmintrin.h>
#endif

namespace {

// 5-bit to 8-bit component values: 0 stays 0, 31 becomes full intensity, the values between
// are 8k + 8.
constexpr BYTE MakeExpandEntry(int k) {
    return k == 0 ? 0 : k == 31 ? 255 : static_cast<BYTE>(8 * k + 8);
}

struct ExpandTable {
    BYTE values[32];
    constexpr ExpandTable() : values() {
        for (int k = 0; k < 32; ++k) {
            values[k] = MakeExpandEntry(k);
        }
    }
};

constexpr ExpandTable kExpand5To8;

// Entries of the colour table that precede the pixel rows, by bit count (the full table size;
// the header's count of used colours is not consulted).
size_t ColourTableEntries(WORD bitCount) {
    return bitCount <= 8 ? size_t{1} << bitCount : 0;
}

// Bytes from one stored row to the next: the row's bits padded to a multiple of 32.
size_t StoredRowLength(WORD bitCount, LONG width) {
    const uint64_t bits = static_cast<uint64_t>(width) * bitCount;
    return static_cast<size_t>((bits + 31) / 32 * 4);
}

bool IsSupportedBitCount(WORD bitCount) {
    return bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 16 || bitCount == 24 ||
           bitCount == 32;
}

// A colour-table entry is blue, green, red, reserved; the output is red, green, blue.
inline void PutTableColour(const BYTE* table, unsigned index, BYTE* out) {
    const BYTE* entry = table + 4 * static_cast<size_t>(index);
    out[0] = entry[2];
    out[1] = entry[1];
    out[2] = entry[0];
}

void ConvertRow1(const BYTE* src, const BYTE* table, LONG width, BYTE* out) {
    for (LONG x = 0; x < width; ++x, out += 3) {
        const unsigned bit = 7 - static_cast<unsigned>(x & 7);
        PutTableColour(table, (src[x >> 3] >> bit) & 1u, out);
    }
}

void ConvertRow4(const BYTE* src, const BYTE* table, LONG width, BYTE* out) {
    for (LONG x = 0; x < width; ++x, out += 3) {
        const BYTE pair = src[x >> 1];
        PutTableColour(table, (x & 1) ? (pair & 0x0Fu) : (pair >> 4), out);
    }
}

void ConvertRow8(const BYTE* src, const BYTE* table, LONG width, BYTE* out) {
    for (LONG x = 0; x < width; ++x, out += 3) {
        PutTableColour(table, src[x], out);
    }
}

void ConvertRow16(const BYTE* src, const BYTE*, LONG width, BYTE* out) {
    for (LONG x = 0; x < width; ++x, src += 2, out += 3) {
        const WORD pixel = static_cast<WORD>(src[0] | (src[1] << 8));
        out[0] = kExpand5To8.values[(pixel >> 10) & 0x1F];
        out[1] = kExpand5To8.values[(pixel >> 5) & 0x1F];
        out[2] = kExpand5To8.values[pixel & 0x1F];
    }
}

void ConvertRow24(const BYTE* src, const BYTE*, LONG width, BYTE* out) {
    for (LONG x = 0; x < width; ++x, src += 3, out += 3) {
        out[0] = src[2];
        out[1] = src[1];
        out[2] = src[0];
    }
}

inline uint32_t LoadWord(const BYTE* at) {
    uint32_t word;
    std::memcpy(&word, at, 4);
    return word;
}

inline void StoreWord(BYTE* at, uint32_t word) {
    std::memcpy(at, &word, 4);
}

// A 32-bit pixel word (blue lowest, unused byte highest) byte-reversed and shifted: red, green,
// blue from the lowest byte up.
inline uint32_t RedGreenBlue(uint32_t pixel) {
    return __builtin_bswap32(pixel) >> 8;
}

// Whole screens pass through here on every capture: four pixels are repacked as three words
// (Windows runs little-endian only, so a word's low byte is the first in memory).
void ConvertRow32(const BYTE* src, const BYTE*, LONG width, BYTE* out) {
    LONG x = 0;
    for (; x + 4 <= width; x += 4, src += 16, out += 12) {
        const uint32_t p0 = RedGreenBlue(LoadWord(src));
        const uint32_t p1 = RedGreenBlue(LoadWord(src + 4));
        const uint32_t p2 = RedGreenBlue(LoadWord(src + 8));
        const uint32_t p3 = RedGreenBlue(LoadWord(src + 12));
        StoreWord(out, p0 | (p1 << 24));
        StoreWord(out + 4, (p1 >> 8) | (p2 << 16));
        StoreWord(out + 8, (p2 >> 16) | (p3 << 8));
    }
    for (; x < width; ++x, src += 4, out += 3) {
        out[0] = src[2];
        out[1] = src[1];
        out[2] = src[0];
    }
}

using RowConverter = void (*)(const BYTE* src, const BYTE* table, LONG width, BYTE* out);

#if defined(__i386__) || defined(__x86_64__)
// The same with one byte shuffle per four pixels, on processors that have it (SSSE3: every
// x86 processor since about 2008). Sixteen pixels are read and 48 bytes written a step, so
// nothing is touched past either row; the rest of the row goes the plain way.
__attribute__((target("ssse3"))) void ConvertRow32Shuffled(const BYTE* src, const BYTE* table,
                                                           LONG width, BYTE* out) {
    // Red, green, blue of each of the four pixels into the low twelve bytes.
    const __m128i order = _mm_setr_epi8(2, 1, 0, 6, 5, 4, 10, 9, 8, 14, 13, 12, -1, -1, -1, -1);
    LONG x = 0;
    for (; x + 16 <= width; x += 16, src += 64, out += 48) {
        const __m128i a =
            _mm_shuffle_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(src)), order);
        const __m128i b =
            _mm_shuffle_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(src + 16)), order);
        const __m128i c =
            _mm_shuffle_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(src + 32)), order);
        const __m128i d =
            _mm_shuffle_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(src + 48)), order);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out), _mm_or_si128(a, _mm_slli_si128(b, 12)));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 16),
                         _mm_or_si128(_mm_srli_si128(b, 4), _mm_slli_si128(c, 8)));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 32),
                         _mm_or_si128(_mm_srli_si128(c, 8), _mm_slli_si128(d, 4)));
    }
    ConvertRow32(src, table, width - x, out);
}

RowConverter Row32Converter() {
    static const RowConverter converter =
        __builtin_cpu_supports("ssse3") ? ConvertRow32Shuffled : ConvertRow32;
    return converter;
}
#else
RowConverter Row32Converter() {
    return ConvertRow32;
}
#endif

RowConverter ConverterFor(WORD bitCount) {
    switch (bitCount) {
    case 1:
        return ConvertRow1;
    case 4:
        return ConvertRow4;
    case 8:
        return ConvertRow8;
    case 16:
        return ConvertRow16;
    case 24:
        return ConvertRow24;
    default:
        return Row32Converter();
    }
}

} // namespace

DWORD WindowCapture::Expand555(WORD pixel) {
    const DWORD blue = kExpand5To8.values[pixel & 0x1F];
    const DWORD green = kExpand5To8.values[(pixel >> 5) & 0x1F];
    const DWORD red = kExpand5To8.values[(pixel >> 10) & 0x1F];
    return blue | (green << 8) | (red << 16);
}

bool WindowCapture::DibToRgbRows(const BITMAPINFOHEADER* dib, int rowLength, BYTE* const* rows,
                                 std::string* error) const {
    // Rows shorter than a picture row would be written past their end: refused like a missing
    // DIB, before anything is touched.
    const bool rowsTooShort =
        dib != nullptr && dib->biWidth > 0 && rowLength < 3 * static_cast<int64_t>(dib->biWidth);
    if (dib == nullptr || rows == nullptr || rowLength <= 0 || rowsTooShort) {
        if (error) {
            *error = "Invalid input data";
        }
        return false;
    }
    if (error == nullptr) {
        return false;
    }
    const WORD bitCount = dib->biBitCount;
    if (!IsSupportedBitCount(bitCount)) {
        *error = "Invalid bitmap bit count";
        return false;
    }

    const LONG width = dib->biWidth;
    const LONG height = dib->biHeight;
    if (width <= 0 || height <= 0) {
        return true; // nothing to convert
    }

    const BYTE* table = reinterpret_cast<const BYTE*>(dib) + dib->biSize;
    const BYTE* pixels = table + 4 * ColourTableEntries(bitCount);
    const size_t stride = StoredRowLength(bitCount, width);
    const RowConverter convert = ConverterFor(bitCount);

    // The last stored row is the top of the picture.
    for (LONG y = 0; y < height; ++y) {
        const BYTE* stored = pixels + static_cast<size_t>(height - 1 - y) * stride;
        convert(stored, table, width, rows[y]);
    }
    return true;
}
