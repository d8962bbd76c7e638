#include "player/DesktopFiles.h"

#include <winsim/sim.h>

#include <cctype>
#include <fstream>
#include <functional>
#include <sstream>
#include <system_error>

namespace player {
namespace {

bool SameNameIgnoringCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

// The entry of `folder` whose name matches `name` without regard to case, or `name` itself.
std::filesystem::path MatchEntry(const std::filesystem::path& folder, const std::string& name) {
    std::error_code error;
    if (std::filesystem::exists(folder / name, error)) {
        return folder / name;
    }
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
         it.increment(error)) {
        if (SameNameIgnoringCase(it->path().filename().string(), name)) {
            return it->path();
        }
    }
    return folder / name;
}

std::string Fingerprint(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    std::string bytes = content.str();
    return std::to_string(bytes.size()) + ":" + std::to_string(std::hash<std::string>()(bytes));
}

} // namespace

std::optional<std::filesystem::path> HostPathOf(const std::string& windowsPath) {
    if (windowsPath.size() < 3 || std::toupper(static_cast<unsigned char>(windowsPath[0])) != 'C' ||
        windowsPath[1] != ':' || windowsPath[2] != '\\') {
        return std::nullopt;
    }
    std::filesystem::path host = winsim::RootDir();
    std::string rest = windowsPath.substr(3);
    size_t start = 0;
    while (start <= rest.size()) {
        size_t slash = rest.find('\\', start);
        std::string name = rest.substr(start, slash == std::string::npos ? slash : slash - start);
        if (name == "..") {
            return std::nullopt;
        }
        if (!name.empty() && name != ".") {
            host = MatchEntry(host, name);
        }
        if (slash == std::string::npos) {
            break;
        }
        start = slash + 1;
    }
    return host;
}

bool WindowsFileExists(const std::string& windowsPath) {
    std::optional<std::filesystem::path> host = HostPathOf(windowsPath);
    std::error_code error;
    return host && std::filesystem::exists(*host, error);
}

std::map<std::string, std::string> DriveFiles() {
    std::map<std::string, std::string> files;
    std::filesystem::path root = winsim::RootDir();
    std::error_code error;
    for (std::filesystem::recursive_directory_iterator it(root, error), end; !error && it != end;
         it.increment(error)) {
        if (!it->is_regular_file(error)) {
            continue;
        }
        std::string relative = it->path().lexically_relative(root).string();
        for (char& c : relative) {
            if (c == '/') {
                c = '\\';
            }
        }
        files["C:\\" + relative] = Fingerprint(it->path());
    }
    return files;
}

} // namespace player
