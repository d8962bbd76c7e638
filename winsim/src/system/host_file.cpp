#include "system/host_file.h"

#include <sys/stat.h>

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
    // Room for the whole file at once when its length is known; the file may still grow or
    // shrink while it is read, so it is read to its end rather than to that length.
    struct stat status = {};
    if (fstat(fileno(file.get()), &status) == 0 && S_ISREG(status.st_mode) && status.st_size > 0) {
        bytes.reserve(static_cast<size_t>(status.st_size));
    }
    // A read error (a folder opened as a file) ends the bytes there, as a stream read would.
    char block[16 * 1024];
    size_t got = 0;
    while ((got = std::fread(block, 1, sizeof block, file.get())) > 0) {
        bytes.insert(bytes.end(), block, block + got);
    }
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
