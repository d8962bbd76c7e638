#include "system/host_file.h"

#include <cstdio>
#include <memory>

namespace winsim::system {

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

template <typename Bytes> bool ReadAll(const std::string& host, Bytes& bytes) {
    bytes.clear();
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(host.c_str(), "rb"));
    if (!file) {
        return false;
    }
    // The file may grow or shrink while it is read: read until the end rather than trusting
    // its size.
    constexpr size_t kBlock = 64 * 1024;
    size_t filled = 0;
    for (;;) {
        bytes.resize(filled + kBlock);
        const size_t got = std::fread(&bytes[filled], 1, kBlock, file.get());
        filled += got;
        if (got < kBlock) {
            break;
        }
    }
    // A read error (a folder opened as a file) ends the bytes there, as a stream read would.
    bytes.resize(filled);
    return true;
}

} // namespace

bool ReadHostFile(const std::string& host, std::vector<unsigned char>& bytes) {
    return ReadAll(host, bytes);
}

bool ReadHostFile(const std::string& host, std::string& bytes) {
    return ReadAll(host, bytes);
}

} // namespace winsim::system
