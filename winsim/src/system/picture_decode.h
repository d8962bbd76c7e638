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

// The most pixels a picture may have: 2^25, an 8K screen (7680 x 4320) and a little more, 128 MiB
// decoded. A picture is held several times over while it is loaded and shown (the decoded
// pixels, the bitmap made of them, the bits a program copies out), which a 32-bit program's
// address space cannot do for a larger one. A file declaring more is refused before anything of
// it is decoded: a JPEG of a few bytes may declare 65535 x 65535 pixels, 16 GiB.
constexpr uint64_t kMaxPicturePixels = uint64_t{1} << 25;
bool PictureTooLarge(uint64_t width, uint64_t height);

enum class PictureFormat { Jpeg, Bmp, Gif, Icon, Metafile, Unknown };

PictureFormat SniffPictureFormat(const unsigned char* bytes, size_t size);

// False when the bytes are not a complete picture of that format, or one too large.
bool DecodeJpeg(const unsigned char* bytes, size_t size, DecodedPicture& out);
bool DecodeBmp(const unsigned char* bytes, size_t size, DecodedPicture& out);

} // namespace winsim::system
