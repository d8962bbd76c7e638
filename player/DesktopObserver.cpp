#include "player/DesktopObserver.h"

#include "player/DesktopFiles.h"

namespace player {

DesktopSnapshot TakeSnapshot() {
    DesktopSnapshot snapshot;
    snapshot.files = DriveFiles();
    return snapshot;
}

std::vector<std::string> DescribeChanges(const DesktopSnapshot& before,
                                         const DesktopSnapshot& after) {
    std::vector<std::string> changes;
    for (const auto& [path, fingerprint] : after.files) {
        auto old = before.files.find(path);
        if (old == before.files.end() || old->second != fingerprint) {
            changes.push_back("file written " + path);
        }
    }
    for (const auto& [path, fingerprint] : before.files) {
        if (after.files.count(path) == 0) {
            changes.push_back("file deleted " + path);
        }
    }
    return changes;
}

} // namespace player
