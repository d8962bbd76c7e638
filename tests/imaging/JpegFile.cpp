#include "JpegFile.h"

#include <winsim/sim.h>

#include <csetjmp>
#include <cstdio>
#include <fstream>
#include <iterator>

#include <jpeglib.h>

Bytes ReadHostFile(const std::string& relativeName) {
    std::ifstream in(winsim::RootDir() + "/" + relativeName, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool HostFileExists(const std::string& relativeName) {
    return std::ifstream(winsim::RootDir() + "/" + relativeName).good();
}

std::vector<JpegSegment> ParseJpegSegments(const Bytes& file) {
    std::vector<JpegSegment> segments;
    size_t at = 0;
    while (at + 1 < file.size()) {
        if (file[at] != 0xFF) {
            return {};
        }
        JpegSegment segment;
        segment.marker = file[at + 1];
        at += 2;
        if (segment.marker == 0xD8 || segment.marker == 0xD9) {
            segments.push_back(segment);
            if (segment.marker == 0xD9) {
                return at == file.size() ? segments : std::vector<JpegSegment>{};
            }
            continue;
        }
        if (at + 2 > file.size()) {
            return {};
        }
        segment.lengthField = (file[at] << 8) | file[at + 1];
        if (segment.lengthField < 2 || at + segment.lengthField > file.size()) {
            return {};
        }
        segment.payload.assign(file.begin() + at + 2, file.begin() + at + segment.lengthField);
        at += segment.lengthField;
        if (segment.marker == 0xDA) {
            const size_t start = at;
            while (at + 1 < file.size() && !(file[at] == 0xFF && file[at + 1] != 0x00 &&
                                             !(file[at + 1] >= 0xD0 && file[at + 1] <= 0xD7))) {
                ++at;
            }
            segment.entropyBytes = at - start;
        }
        segments.push_back(segment);
    }
    return {};
}

namespace {

struct DecodeErrors {
    jpeg_error_mgr standard;
    std::jmp_buf escape;
};

void FailDecoding(j_common_ptr object) {
    std::longjmp(reinterpret_cast<DecodeErrors*>(object->err)->escape, 1);
}

void IgnoreMessage(j_common_ptr) {}

// Only trivially destructible locals: a decoding error comes back to the setjmp by longjmp.
bool DecodeInto(const Bytes* file, DecodedImage* image, jpeg_decompress_struct* decoder,
                DecodeErrors* errors) {
    decoder->err = jpeg_std_error(&errors->standard);
    errors->standard.error_exit = FailDecoding;
    errors->standard.output_message = IgnoreMessage;
    if (setjmp(errors->escape) != 0) {
        jpeg_destroy_decompress(decoder);
        return false;
    }
    jpeg_create_decompress(decoder);
    jpeg_mem_src(decoder, file->data(), static_cast<unsigned long>(file->size()));
    jpeg_read_header(decoder, TRUE);
    decoder->out_color_space = JCS_RGB;
    jpeg_start_decompress(decoder);
    image->width = static_cast<int>(decoder->output_width);
    image->height = static_cast<int>(decoder->output_height);
    image->rgb.resize(static_cast<size_t>(image->width) * image->height * 3);
    while (decoder->output_scanline < decoder->output_height) {
        JSAMPROW row =
            image->rgb.data() + static_cast<size_t>(decoder->output_scanline) * image->width * 3;
        jpeg_read_scanlines(decoder, &row, 1);
    }
    jpeg_finish_decompress(decoder);
    jpeg_destroy_decompress(decoder);
    return true;
}

} // namespace

bool DecodeJpeg(const Bytes& file, DecodedImage* image) {
    *image = DecodedImage();
    jpeg_decompress_struct decoder;
    DecodeErrors errors;
    if (!DecodeInto(&file, image, &decoder, &errors)) {
        *image = DecodedImage();
        return false;
    }
    return true;
}
