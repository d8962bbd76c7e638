// Decoding picture files into device-independent bitmaps for the OLE picture object.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace winsim::system {

// A top-down picture of 32-bit pixels (blue, green, red, unused), rows without padding. The
// unused byte has no meaning (a JPEG leaves it 0xFF, a BMP 0); GDI clears it wherever the bits
// are copied out of the bitmap made from them.
struct DecodedPicture {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;
};

enum class PictureFormat { Jpeg, Bmp, Gif, Icon, Metafile, Unknown };

PictureFormat SniffPictureFormat(const unsigned char* bytes, size_t size);

// False when the bytes are not a complete picture of that format.
bool DecodeJpeg(const unsigned char* bytes, size_t size, DecodedPicture& out);
bool DecodeBmp(const unsigned char* bytes, size_t size, DecodedPicture& out);

} // namespace winsim::system
