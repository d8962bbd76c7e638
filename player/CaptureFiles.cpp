#include "player/CaptureFiles.h"

#include "player/DesktopObserver.h"
#include "player/DesktopText.h"

#include <winsim/sim.h>
#include <winsim/sim_system.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace player {

std::string ImageFolder() {
    const std::string& exe = winsim::Config().exePath;
    size_t slash = FindLastOfAnsi(exe, "\\");
    return (slash == std::string::npos ? std::string() : exe.substr(0, slash + 1)) + "tmp";
}

size_t ImageFolderFileCount() {
    std::optional<std::string> host = winsim::HostPath(ImageFolder());
    std::error_code error;
    if (!host || !std::filesystem::is_directory(*host, error)) {
        return 0;
    }
    size_t count = 0;
    for (std::filesystem::directory_iterator it(*host, error), end; !error && it != end;
         it.increment(error)) {
        if (it->is_regular_file(error)) {
            ++count;
        }
    }
    return count;
}

std::optional<JpegHeader> ReadJpegHeader(const std::string& windowsPath) {
    std::optional<std::string> host = winsim::HostPath(windowsPath);
    if (!host) {
        return std::nullopt;
    }
    std::ifstream in(*host, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    const std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)),
                                           std::istreambuf_iterator<char>());
    if (bytes.size() < 4 || bytes[0] != 0xFF || bytes[1] != 0xD8) {
        return std::nullopt;
    }
    JpegHeader header;
    header.complete = bytes[bytes.size() - 2] == 0xFF && bytes[bytes.size() - 1] == 0xD9;
    // Walk the marker segments up to the first frame header.
    size_t pos = 2;
    bool first = true;
    while (pos + 4 <= bytes.size()) {
        if (bytes[pos] != 0xFF) {
            return std::nullopt;
        }
        const unsigned char marker = bytes[pos + 1];
        if (marker == 0xFF) {
            ++pos; // fill byte
            continue;
        }
        const size_t length = static_cast<size_t>(bytes[pos + 2]) << 8 | bytes[pos + 3];
        if (length < 2 || pos + 2 + length > bytes.size()) {
            return std::nullopt;
        }
        const unsigned char* segment = &bytes[pos + 4];
        if (first) {
            header.jfif =
                marker == 0xE0 && length >= 7 &&
                std::string(reinterpret_cast<const char*>(segment), 5) == std::string("JFIF\0", 5);
            first = false;
        }
        const bool frame =
            marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (frame) {
            if (length < 8) {
                return std::nullopt;
            }
            header.baseline = marker == 0xC0;
            header.height = segment[1] << 8 | segment[2];
            header.width = segment[3] << 8 | segment[4];
            return header;
        }
        if (marker == 0xDA || marker == 0xD9) {
            return std::nullopt; // scan or end before any frame
        }
        pos += 2 + length;
    }
    return std::nullopt;
}

void KeepCaptureOutputs(const DesktopSnapshot& before, const DesktopSnapshot& after,
                        const std::filesystem::path& outDir) {
    if (outDir.empty()) {
        return;
    }
    const std::string folder = ImageFolder() + "\\";
    std::error_code error;
    for (const auto& [path, fingerprint] : after.files) {
        auto old = before.files.find(path);
        if (path.compare(0, folder.size(), folder) != 0 ||
            path.find('\\', folder.size()) != std::string::npos ||
            (old != before.files.end() && old->second == fingerprint)) {
            continue;
        }
        std::optional<std::string> host = winsim::HostPath(path);
        if (!host) {
            continue;
        }
        std::filesystem::create_directories(outDir, error);
        std::filesystem::copy_file(*host, outDir / path.substr(folder.size()),
                                   std::filesystem::copy_options::overwrite_existing, error);
    }
    if (after.clipboardText && after.clipboardText != before.clipboardText) {
        std::filesystem::create_directories(outDir, error);
        std::ofstream out(outDir / "clipboard.txt", std::ios::binary | std::ios::trunc);
        out << *after.clipboardText;
    }
}

} // namespace player
