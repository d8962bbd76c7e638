#include "system/binary_stream.h"

#include <sys/types.h>

#include <memory>

namespace winsim::system {
namespace {

// 256 KB: a capture's JPEG file of a full screen is written in a handful of system calls.
constexpr size_t kBufferSize = 256 << 10;

struct BinaryCookie {
    FILE* file; // unbuffered: everything it is given goes straight to the file
    std::unique_ptr<char[]> buffer;
};

ssize_t ReadBinary(void* cookie, char* buffer, size_t size) {
    FILE* file = static_cast<BinaryCookie*>(cookie)->file;
    const size_t read = std::fread(buffer, 1, size, file);
    return read == 0 && std::ferror(file) ? -1 : static_cast<ssize_t>(read);
}

ssize_t WriteBinary(void* cookie, const char* buffer, size_t size) {
    FILE* file = static_cast<BinaryCookie*>(cookie)->file;
    const size_t written = std::fwrite(buffer, 1, size, file);
    return written == 0 && size != 0 ? -1 : static_cast<ssize_t>(written);
}

int SeekBinary(void* cookie, off64_t* offset, int whence) {
    FILE* file = static_cast<BinaryCookie*>(cookie)->file;
    if (fseeko(file, *offset, whence) != 0) {
        return -1;
    }
    *offset = ftello(file);
    return 0;
}

// The stream has written out its buffer before it calls this.
int CloseBinary(void* cookie) {
    auto* binary = static_cast<BinaryCookie*>(cookie);
    const int result = std::fclose(binary->file);
    delete binary;
    return result;
}

} // namespace

FILE* OpenBinaryStream(FILE* binary, const char* mode) {
    if (!binary) {
        return nullptr;
    }
    std::setvbuf(binary, nullptr, _IONBF, 0);
    auto* cookie = new BinaryCookie{binary, std::make_unique<char[]>(kBufferSize)};
    cookie_io_functions_t functions{ReadBinary, WriteBinary, SeekBinary, CloseBinary};
    FILE* stream = fopencookie(cookie, mode, functions);
    if (!stream) {
        std::fclose(binary);
        delete cookie;
        return nullptr;
    }
    std::setvbuf(stream, cookie->buffer.get(), _IOFBF, kBufferSize);
    return stream;
}

} // namespace winsim::system
