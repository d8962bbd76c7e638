#include "player/DesktopFiles.h"

#include <winsim/sim.h>
#include <winsim/sim_system.h>

#include <fstream>
#include <functional>
#include <sstream>
#include <system_error>

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
        files["C:\\" + relative] = Fingerprint(it->path());
    }
    return files;
}

} // namespace player
