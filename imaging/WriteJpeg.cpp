// Encoding of a packed DIB as a baseline JFIF file through libjpeg.
#include "imaging/WindowCapture.h"

#include "imaging/JpegErrorManager.h"

#include <csetjmp>
#include <cstdio>
#include <exception>

#include <jpeglib.h>

namespace {

// The library object, its error manager and the file of one call. It lives in WriteJpeg's
// frame, which a fatal library error never leaves, and holds only trivially destructible data.
struct JpegJob {
    jpeg_compress_struct compressor;
    JpegErrorManager errors;
    FILE* file;
};

void SetText(std::string* error, const char* text, const char* more = "") {
    *error = text;
    *error += more;
}

// Runs the library's whole life cycle for one file. Returns false when the file could not be
// opened or the library gave up (its message was shown); the program's own failures are in
// `error`. A fatal library error comes back to the setjmp below, so this frame holds only
// trivially destructible objects and everything it touches after the jump lives in `job`.
bool Compress(const WindowCapture& capture, const BITMAPINFOHEADER* dib, int quality,
              const char* path, std::string* error, JpegJob* job,
              std::exception_ptr* pendingException) {
    jpeg_compress_struct* compressor = &job->compressor;
    job->file = nullptr;
    compressor->err = InstallJpegErrorManager(&job->errors, pendingException);
    if (setjmp(job->errors.escape) != 0) {
        // The error exit has shown the message and destroyed the library object; destroying
        // it again does nothing. The file stays on disk as far as it was written.
        if (job->file != nullptr) {
            std::fclose(job->file);
        }
        jpeg_destroy_compress(compressor);
        return false;
    }
    jpeg_create_compress(compressor);

    job->file = win32_fopen(path, "wb");
    if (job->file == nullptr) {
        SetText(error, "Cannot open ", path);
        jpeg_destroy_compress(compressor);
        return false;
    }
    jpeg_stdio_dest(compressor, job->file);

    // Sizes out of the library's range (negative ones become huge) are refused by it when the
    // compression starts, before any row memory is taken.
    compressor->image_width = static_cast<JDIMENSION>(dib->biWidth);
    compressor->image_height = static_cast<JDIMENSION>(dib->biHeight);
    compressor->input_components = 3;
    compressor->in_color_space = JCS_RGB;
    jpeg_set_defaults(compressor); // after the colour space, which the defaults depend on
    jpeg_set_quality(compressor, quality, TRUE);
    jpeg_start_compress(compressor, TRUE);

    const JDIMENSION rowBytes = compressor->image_width * 3;
    JSAMPARRAY rows =
        (*compressor->mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(compressor), JPOOL_IMAGE,
                                         rowBytes, compressor->image_height);
    if (capture.DibToRgbRows(dib, static_cast<int>(rowBytes), rows, error)) {
        jpeg_write_scanlines(compressor, rows, compressor->image_height);
    }
    // Without the rows this raises the library's "too few scanlines" error.
    jpeg_finish_compress(compressor);

    const bool closed = std::fclose(job->file) == 0;
    job->file = nullptr;
    jpeg_destroy_compress(compressor);
    return closed;
}

} // namespace

bool WindowCapture::WriteJpeg(const BITMAPINFOHEADER* dib, int quality, const char* path,
                              std::string* error) const {
    if (quality < 0 || quality > 100 || dib == nullptr) {
        if (error != nullptr) {
            *error = "Invalid input data";
        }
        return false;
    }
    if (error == nullptr) {
        return false;
    }
    const std::string ownPath = path != nullptr ? path : "";
    if (ownPath.empty()) {
        *error = "Invalid input data";
        return false;
    }
    error->clear();

    std::exception_ptr pendingException;
    JpegJob job;
    const bool completed =
        Compress(*this, dib, quality, ownPath.c_str(), error, &job, &pendingException);
    if (pendingException) {
        std::rethrow_exception(pendingException);
    }
    return completed && error->empty();
}
