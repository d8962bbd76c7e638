#include "system/host_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace winsim::system {

namespace {

// The file is read with the system's own calls: a stdio stream would allocate its buffer for
// every file, and settings and pictures are read again and again.
template <typename Bytes>
bool ReadAll(const std::string& host, Bytes& bytes, bool onlyRegularFile = false) {
    bytes.clear();
    const int file = open(host.c_str(), O_RDONLY | O_CLOEXEC);
    if (file < 0) {
        return false;
    }
    // Room for the whole file at once when its length is known; the file may still grow or
    // shrink while it is read, so it is read to its end rather than to that length.
    struct stat status = {};
    const bool regular = fstat(file, &status) == 0 && S_ISREG(status.st_mode);
    if (onlyRegularFile && !regular) {
        close(file);
        return false;
    }
    if (regular && status.st_size > 0) {
        bytes.reserve(static_cast<size_t>(status.st_size));
    }
    // A read error (a folder opened as a file) ends the bytes there, as a stream read would.
    char block[16 * 1024];
    for (;;) {
        const ssize_t got = read(file, block, sizeof block);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            break;
        }
        bytes.insert(bytes.end(), block, block + got);
    }
    close(file);
    return true;
}

} // namespace

bool ReadHostFile(const std::string& host, std::vector<unsigned char>& bytes) {
    return ReadAll(host, bytes);
}

bool ReadHostFile(const std::string& host, std::string& bytes) {
    return ReadAll(host, bytes);
}

bool ReadRegularHostFile(const std::string& host, std::string& bytes) {
    return ReadAll(host, bytes, true);
}

} // namespace winsim::system
