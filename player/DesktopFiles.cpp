#include "player/DesktopFiles.h"

#include <winsim/sim.h>
#include <winsim/sim_system.h>

#include <sys/stat.h>

#include <algorithm>
#include <ctime>
#include <fstream>
#include <functional>
#include <sstream>
#include <system_error>
#include <unordered_map>

namespace player {
namespace {

const char kRegistryStore[] = "registry.txt";

std::string Fingerprint(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    std::string bytes = content.str();
    return std::to_string(bytes.size()) + ":" + std::to_string(std::hash<std::string>()(bytes));
}

long long Nanoseconds(const timespec& time) {
    return static_cast<long long>(time.tv_sec) * 1000000000LL + time.tv_nsec;
}

long long NowNanoseconds() {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return Nanoseconds(now);
}

// What a file's metadata said when its content was last read.
struct KnownFile {
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    long long modified = 0;
    long long changed = 0;
    long long readAt = 0; // when the look at the drive that read it began
    std::string fingerprint;
};

// File times come from a clock that ticks in steps of a few milliseconds: a file written in the
// same tick as an earlier read can keep its time. Its content is trusted only once its time lies
// clearly before the read (as version control systems treat "racily clean" files).
constexpr long long kClockStep = 50'000'000; // 50 ms

// The fingerprint of a file, read again only when its metadata changed since it was last read
// (or it may have changed unseen): a long session's many pictures are not read after every step.
std::string CachedFingerprint(const std::filesystem::path& file, long long lookStart) {
    static std::unordered_map<std::string, KnownFile> known;
    struct stat status {};
    const std::string key = file.string();
    if (stat(key.c_str(), &status) != 0) {
        known.erase(key);
        return Fingerprint(file);
    }
    KnownFile now;
    now.device = status.st_dev;
    now.inode = status.st_ino;
    now.size = status.st_size;
    now.modified = Nanoseconds(status.st_mtim);
    now.changed = Nanoseconds(status.st_ctim);
    auto found = known.find(key);
    if (found != known.end()) {
        const KnownFile& old = found->second;
        const bool same = old.device == now.device && old.inode == now.inode &&
                          old.size == now.size && old.modified == now.modified &&
                          old.changed == now.changed;
        if (same && std::max(now.modified, now.changed) + kClockStep < old.readAt) {
            return old.fingerprint;
        }
    }
    now.readAt = lookStart;
    now.fingerprint = Fingerprint(file);
    known[key] = now;
    return now.fingerprint;
}

} // namespace

bool WindowsFileExists(const std::string& windowsPath) {
    std::optional<std::string> host = winsim::HostPath(windowsPath);
    std::error_code error;
    return host && std::filesystem::exists(*host, error);
}

std::map<std::string, std::string> DriveFiles() {
    std::map<std::string, std::string> files;
    std::filesystem::path root = winsim::RootDir();
    std::error_code error;
    const long long lookStart = NowNanoseconds();
    for (std::filesystem::recursive_directory_iterator it(root, error), end; !error && it != end;
         it.increment(error)) {
        if (!it->is_regular_file(error)) {
            continue;
        }
        std::string relative = it->path().lexically_relative(root).string();
        // The simulated registry keeps its store in the root folder; on a PC it is no file of
        // drive C:, and its changes show as registry values instead.
        if (relative == kRegistryStore) {
            continue;
        }
        for (char& c : relative) {
            if (c == '/') {
                c = '\\';
            }
        }
        files["C:\\" + relative] = CachedFingerprint(it->path(), lookStart);
    }
    return files;
}

} // namespace player
