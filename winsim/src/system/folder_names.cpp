#include "system/folder_names.h"

#include "system/codepage.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <cstring>
#include <map>
#include <mutex>
#include <set>
#include <string_view>
#include <unordered_map>

namespace winsim::system {

namespace {

// More folders than this and all are forgotten: each holds a watch, and users have few.
constexpr size_t kMaxFolders = 64;

std::u16string Folded(std::string_view utf8) {
    std::u16string wide = Utf8ToWide(utf8);
    for (char16_t& c : wide) {
        c = FoldCase(c);
    }
    return wide;
}

struct Folder {
    int watch = -1;
    // By folded name; a case-sensitive host may hold several spellings of one name.
    std::map<std::u16string, std::set<std::string>> names;
};

class FolderNames {
public:
    ~FolderNames() { Reset(); }

    std::optional<std::string> Find(const std::string& folder, const std::string& name) {
        if (!Watching()) {
            return ReadOnce(folder, name);
        }
        DrainEvents();
        auto found = folders_.find(folder);
        if (found == folders_.end()) {
            if (folders_.size() >= kMaxFolders) {
                Reset();
                if (!Watching()) {
                    return ReadOnce(folder, name);
                }
            }
            found = Load(folder);
            if (found == folders_.end()) {
                return ReadOnce(folder, name);
            }
        }
        const auto spellings = found->second.names.find(Folded(name));
        if (spellings == found->second.names.end() || spellings->second.empty()) {
            return std::nullopt;
        }
        return *spellings->second.begin();
    }

    void Reset() {
        if (fd_ >= 0) {
            close(fd_);
        }
        fd_ = -1;
        failed_ = false;
        folders_.clear();
        byWatch_.clear();
    }

private:
    bool Watching() {
        if (fd_ < 0 && !failed_) {
            fd_ = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
            failed_ = fd_ < 0;
        }
        return fd_ >= 0;
    }

    // The folder read after its watch is set: a change while it is read is seen either way.
    std::map<std::string, Folder>::iterator Load(const std::string& folder) {
        const int watch = inotify_add_watch(fd_, folder.c_str(),
                                            IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO |
                                                IN_DELETE_SELF | IN_MOVE_SELF | IN_ONLYDIR);
        if (watch < 0) {
            return folders_.end();
        }
        DIR* listing = opendir(folder.c_str());
        if (listing == nullptr) {
            inotify_rm_watch(fd_, watch);
            return folders_.end();
        }
        Folder entry;
        entry.watch = watch;
        while (const dirent* item = readdir(listing)) {
            const std::string_view candidate(item->d_name);
            if (candidate != "." && candidate != "..") {
                entry.names[Folded(candidate)].insert(std::string(candidate));
            }
        }
        closedir(listing);
        // One folder watched under two paths (a link) keeps one watch: the later path wins.
        Forget(watch);
        byWatch_[watch] = folder;
        return folders_.insert_or_assign(folder, std::move(entry)).first;
    }

    void Forget(int watch) {
        const auto path = byWatch_.find(watch);
        if (path != byWatch_.end()) {
            folders_.erase(path->second);
            byWatch_.erase(path);
        }
    }

    void DrainEvents() {
        alignas(inotify_event) char buffer[16384];
        for (;;) {
            const ssize_t length = read(fd_, buffer, sizeof buffer);
            if (length <= 0) {
                return; // EAGAIN: nothing more
            }
            for (ssize_t at = 0; at < length;) {
                inotify_event event;
                std::memcpy(&event, buffer + at, sizeof event);
                const char* name = buffer + at + sizeof event;
                at += static_cast<ssize_t>(sizeof event + event.len);
                if (event.mask & IN_Q_OVERFLOW) {
                    Reset(); // events were lost: nothing kept can be trusted
                    Watching();
                    return;
                }
                Apply(event, event.len > 0 ? std::string(name) : std::string());
            }
        }
    }

    void Apply(const inotify_event& event, const std::string& name) {
        const auto path = byWatch_.find(event.wd);
        if (path == byWatch_.end()) {
            return;
        }
        if (event.mask & (IN_DELETE_SELF | IN_MOVE_SELF | IN_IGNORED)) {
            inotify_rm_watch(fd_, event.wd);
            Forget(event.wd);
            return;
        }
        if (name.empty()) {
            return;
        }
        Folder& folder = folders_[path->second];
        if (event.mask & (IN_CREATE | IN_MOVED_TO)) {
            folder.names[Folded(name)].insert(name);
        } else if (event.mask & (IN_DELETE | IN_MOVED_FROM)) {
            const auto spellings = folder.names.find(Folded(name));
            if (spellings != folder.names.end()) {
                spellings->second.erase(name);
                if (spellings->second.empty()) {
                    folder.names.erase(spellings);
                }
            }
        }
    }

    static std::optional<std::string> ReadOnce(const std::string& folder, const std::string& name) {
        DIR* listing = opendir(folder.c_str());
        if (listing == nullptr) {
            return std::nullopt;
        }
        const std::u16string wanted = Folded(name);
        std::optional<std::string> found;
        while (const dirent* item = readdir(listing)) {
            const std::string_view candidate(item->d_name);
            if (candidate != "." && candidate != ".." && Folded(candidate) == wanted) {
                found = std::string(candidate);
                break;
            }
        }
        closedir(listing);
        return found;
    }

    int fd_ = -1;
    bool failed_ = false;
    std::map<std::string, Folder> folders_;
    std::unordered_map<int, std::string> byWatch_;
};

FolderNames& Names() {
    static FolderNames names;
    return names;
}

std::mutex& NamesLock() {
    static std::mutex lock;
    return lock;
}

} // namespace

std::optional<std::string> FindNameNoCase(const std::string& folder, const std::string& name) {
    std::lock_guard<std::mutex> hold(NamesLock());
    return Names().Find(folder, name);
}

void ResetFolderNames() {
    std::lock_guard<std::mutex> hold(NamesLock());
    Names().Reset();
}

} // namespace winsim::system
