#include "system/picture_decode.h"

#include <cstdio>

#include <jpeglib.h>

#include <csetjmp>
#include <cstdlib>
#include <cstring>

namespace winsim::system {
namespace {

struct JpegError {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
};

void JpegErrorExit(j_common_ptr info) {
    std::longjmp(reinterpret_cast<JpegError*>(info->err)->jump, 1);
}

void JpegQuiet(j_common_ptr, int) {}

// libjpeg reports fatal errors by jumping back here, so this frame holds only trivially
// destructible locals; the pixels go into a malloc'd buffer handed to the caller. libjpeg writes
// each row straight into it in the picture's own layout (blue, green, red, then a fourth byte),
// so no pass over the pixels is made here: a large picture costs its decoding only.
uint32_t* DecodeJpegPixels(const unsigned char* bytes, size_t size, int* width, int* height) {
    jpeg_decompress_struct info;
    JpegError error;
    uint32_t* volatile pixels = nullptr;
    info.err = jpeg_std_error(&error.manager);
    error.manager.error_exit = JpegErrorExit;
    error.manager.emit_message = JpegQuiet;
    if (setjmp(error.jump)) {
        jpeg_destroy_decompress(&info);
        std::free(pixels);
        return nullptr;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, bytes, static_cast<unsigned long>(size));
    jpeg_read_header(&info, TRUE);
    if (PictureTooLarge(info.image_width, info.image_height)) {
        jpeg_destroy_decompress(&info);
        return nullptr;
    }
    info.out_color_space = JCS_EXT_BGRA;
    jpeg_start_decompress(&info);
    size_t w = info.output_width;
    size_t h = info.output_height;
    pixels = static_cast<uint32_t*>(std::malloc(w * h * sizeof(uint32_t)));
    if (!pixels) {
        jpeg_destroy_decompress(&info);
        return nullptr;
    }
    while (info.output_scanline < info.output_height) {
        JSAMPROW rows[1] = {reinterpret_cast<JSAMPROW>(pixels + info.output_scanline * w)};
        jpeg_read_scanlines(&info, rows, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    *width = static_cast<int>(w);
    *height = static_cast<int>(h);
    return pixels;
}

uint32_t Read32(const unsigned char* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

uint16_t Read16(const unsigned char* p) {
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

} // namespace

bool PictureTooLarge(uint64_t width, uint64_t height) {
    return width * height > kMaxPicturePixels; // each side below 2^32: no overflow
}

PictureFormat SniffPictureFormat(const unsigned char* bytes, size_t size) {
    if (size >= 3 && bytes[0] == 0xFF && bytes[1] == 0xD8 && bytes[2] == 0xFF) {
        return PictureFormat::Jpeg;
    }
    if (size >= 2 && bytes[0] == 'B' && bytes[1] == 'M') {
        return PictureFormat::Bmp;
    }
    if (size >= 6 &&
        (std::memcmp(bytes, "GIF87a", 6) == 0 || std::memcmp(bytes, "GIF89a", 6) == 0)) {
        return PictureFormat::Gif;
    }
    if (size >= 4 && bytes[0] == 0 && bytes[1] == 0 && bytes[2] == 1 && bytes[3] == 0) {
        return PictureFormat::Icon;
    }
    if (size >= 4 && Read32(bytes) == 0x9AC6CDD7u) { // placeable metafile
        return PictureFormat::Metafile;
    }
    if (size >= 44 && Read32(bytes) == 1 && std::memcmp(bytes + 40, " EMF", 4) == 0) {
        return PictureFormat::Metafile;
    }
    return PictureFormat::Unknown;
}

bool DecodeJpeg(const unsigned char* bytes, size_t size, DecodedPicture& out) {
    int width = 0;
    int height = 0;
    uint32_t* pixels = DecodeJpegPixels(bytes, size, &width, &height);
    if (!pixels) {
        return false;
    }
    out.width = width;
    out.height = height;
    out.pixels.assign(pixels, pixels + static_cast<size_t>(width) * static_cast<size_t>(height));
    std::free(pixels);
    return true;
}

// Uncompressed bitmaps of 1, 4, 8, 24 and 32 bits per pixel, bottom-up or top-down.
bool DecodeBmp(const unsigned char* bytes, size_t size, DecodedPicture& out) {
    if (size < 14 + 40) {
        return false;
    }
    uint32_t offBits = Read32(bytes + 10);
    const unsigned char* header = bytes + 14;
    uint32_t headerSize = Read32(header);
    if (headerSize < 40 || 14 + static_cast<size_t>(headerSize) > size) {
        return false;
    }
    int32_t width = static_cast<int32_t>(Read32(header + 4));
    int32_t height = static_cast<int32_t>(Read32(header + 8));
    unsigned bits = Read16(header + 14);
    uint32_t compression = Read32(header + 16);
    uint32_t colorsUsed = Read32(header + 32);
    if (width <= 0 || height == 0 || width > 32768 || height > 32768 || height < -32768 ||
        compression != 0 || (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32)) {
        return false;
    }
    bool topDown = height < 0;
    size_t rows = static_cast<size_t>(topDown ? -height : height);
    if (PictureTooLarge(static_cast<uint64_t>(width), rows)) {
        return false;
    }
    size_t paletteSize = bits <= 8 ? (colorsUsed ? colorsUsed : (1u << bits)) : 0;
    const unsigned char* palette = header + headerSize;
    if (paletteSize > 256 || palette + paletteSize * 4 > bytes + size) {
        return false;
    }
    size_t stride = ((static_cast<size_t>(width) * bits + 31) / 32) * 4;
    if (offBits > size || stride * rows > size - offBits) {
        return false;
    }
    out.width = width;
    out.height = static_cast<int>(rows);
    out.pixels.assign(static_cast<size_t>(width) * rows, 0);
    for (size_t y = 0; y < rows; ++y) {
        const unsigned char* line = bytes + offBits + stride * (topDown ? y : rows - 1 - y);
        for (size_t x = 0; x < static_cast<size_t>(width); ++x) {
            uint32_t pixel = 0;
            if (bits <= 8) {
                size_t bit = x * bits;
                unsigned index = (line[bit / 8] >> (8 - bits - bit % 8)) & ((1u << bits) - 1);
                if (index < paletteSize) {
                    const unsigned char* entry = palette + index * 4;
                    pixel = (static_cast<uint32_t>(entry[2]) << 16) | (entry[1] << 8) | entry[0];
                }
            } else {
                const unsigned char* p = line + x * (bits / 8);
                pixel = (static_cast<uint32_t>(p[2]) << 16) | (p[1] << 8) | p[0];
            }
            out.pixels[y * static_cast<size_t>(width) + x] = pixel;
        }
    }
    return true;
}

} // namespace winsim::system
