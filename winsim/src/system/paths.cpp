#include "system/paths.h"

#include "system/codepage.h"
#include "system/folder_names.h"

#include <winsim/sim.h>
#include <winsim/winerror.h>

#include <sys/stat.h>

#include <filesystem>
#include <map>
#include <optional>
#include <string_view>
#include <system_error>
#include <utility>

namespace fs = std::filesystem;

namespace winsim::system {
namespace {

struct PathState {
    bool foldersMade = false;
    std::optional<WindowsPath> currentDirectory;
    std::map<char16_t, std::string> extraDrives;
};

PathState& State() {
    static PathState state;
    return state;
}

bool IsSeparator(char16_t c) {
    return c == u'\\' || c == u'/';
}

bool IsForbiddenInName(char16_t c) {
    return c < 0x20 || c == u'<' || c == u'>' || c == u':' || c == u'"' || c == u'|' || c == u'?' ||
           c == u'*';
}

char16_t UpperDrive(char16_t c) {
    return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - 32) : c;
}

bool IsDriveLetter(char16_t c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

// Appends the components of text to path, resolving "." and ".." (never above the root) and
// dropping the trailing dots and blanks Windows drops from names.
DWORD AppendComponents(std::u16string_view text, WindowsPath& path) {
    size_t start = 0;
    path.trailingSeparator = !text.empty() && IsSeparator(text.back());
    while (start <= text.size()) {
        size_t end = start;
        while (end < text.size() && !IsSeparator(text[end])) {
            ++end;
        }
        std::u16string name(text.substr(start, end - start));
        bool last = end >= text.size();
        if (name == u"..") {
            if (!path.components.empty()) {
                path.components.pop_back();
            }
        } else if (!name.empty() && name != u".") {
            while (!name.empty() && (name.back() == u'.' || name.back() == u' ')) {
                name.pop_back();
            }
            for (char16_t c : name) {
                if (IsForbiddenInName(c)) {
                    return ERROR_INVALID_NAME;
                }
            }
            if (!name.empty()) {
                path.components.push_back(std::move(name));
            }
        }
        if (last) {
            break;
        }
        start = end + 1;
    }
    return ERROR_SUCCESS;
}

WindowsPath DefaultCurrentDirectory() {
    // A program started from the shell starts in its own folder.
    WindowsPath exe;
    if (NormalizePath(Config().exePath.c_str(), exe) == ERROR_SUCCESS && !exe.components.empty()) {
        exe.components.pop_back();
        exe.trailingSeparator = false;
        return exe;
    }
    return WindowsPath{};
}

std::optional<std::string> DriveRoot(char16_t drive) {
    if (drive == u'C') {
        return RootDir();
    }
    auto found = State().extraDrives.find(drive);
    if (found == State().extraDrives.end()) {
        return std::nullopt;
    }
    return found->second;
}

// A name's entry on the host: its path, and whether it is a folder there.
struct HostEntry {
    std::string path;
    bool isFolder = false;
};

// The entry in folder whose name equals name without regard to case; the exact name first,
// and a name found nowhere as it is.
HostEntry MatchHostName(const std::string& folder, const std::u16string& name) {
    const std::string exact = WideToUtf8(name);
    const std::string exactPath = (fs::path(folder) / exact).string();
    std::error_code error;
    const fs::file_status status = fs::status(exactPath, error);
    if (fs::exists(status)) {
        return {exactPath, fs::is_directory(status)};
    }
    const std::optional<std::string> found = FindNameNoCase(folder, exact);
    if (!found) {
        return {exactPath, false};
    }
    HostEntry entry{(fs::path(folder) / *found).string(), false};
    entry.isFolder = fs::is_directory(entry.path, error);
    return entry;
}

// The host path of the names exactly as they are written.
std::string ExactHostPath(const std::string& root, const WindowsPath& path) {
    std::string host = root;
    for (const std::u16string& name : path.components) {
        if (host.empty() || host.back() != '/') {
            host.push_back('/');
        }
        host += WideToUtf8(name);
    }
    return host;
}

// The Windows folder and the program's folder exist on every desktop, as on an installed PC.
void MakeStandardFolders() {
    PathState& state = State();
    if (state.foldersMade) {
        return;
    }
    state.foldersMade = true;
    std::vector<WindowsPath> folders{WindowsFolder()};
    WindowsPath exe;
    if (NormalizePath(Config().exePath.c_str(), exe) == ERROR_SUCCESS && !exe.components.empty()) {
        exe.components.pop_back();
        folders.push_back(exe);
    }
    for (const WindowsPath& folder : folders) {
        std::string host;
        if (MapToHost(folder, host) == ERROR_SUCCESS) {
            std::error_code ignored;
            fs::create_directories(host, ignored);
        }
    }
}

} // namespace

std::u16string WindowsPath::ToWide() const {
    std::u16string text;
    text.push_back(drive);
    text += u":\\";
    for (size_t i = 0; i < components.size(); ++i) {
        if (i > 0) {
            text.push_back(u'\\');
        }
        text += components[i];
    }
    return text;
}

std::string WindowsPath::ToAnsi() const {
    return WideToAnsi(ToWide());
}

DWORD NormalizePath(const char* path, WindowsPath& out) {
    if (!path || !*path) {
        return ERROR_PATH_NOT_FOUND;
    }
    std::u16string text = AnsiToWide(path);
    if (text.size() >= 2 && IsSeparator(text[0]) && IsSeparator(text[1])) {
        return ERROR_BAD_NETPATH;
    }
    WindowsPath result;
    std::u16string_view rest(text);
    if (rest.size() >= 2 && IsDriveLetter(rest[0]) && rest[1] == u':') {
        result.drive = UpperDrive(rest[0]);
        rest.remove_prefix(2);
        if (rest.empty() || !IsSeparator(rest[0])) {
            // Drive-relative: the current directory when it is on that drive, else its root.
            const WindowsPath& current = CurrentDirectory();
            if (current.drive == result.drive) {
                result.components = current.components;
            }
        }
    } else if (IsSeparator(rest[0])) {
        result.drive = CurrentDirectory().drive;
    } else {
        result = CurrentDirectory();
    }
    DWORD error = AppendComponents(rest, result);
    if (error != ERROR_SUCCESS) {
        return error;
    }
    out = std::move(result);
    return ERROR_SUCCESS;
}

DWORD MapToHost(const WindowsPath& path, std::string& host) {
    MakeStandardFolders();
    std::optional<std::string> root = DriveRoot(path.drive);
    if (!root) {
        return ERROR_PATH_NOT_FOUND;
    }
    if (path.ToAnsi().size() >= MAX_PATH) {
        return ERROR_FILENAME_EXCED_RANGE;
    }
    // Names are mostly written as they are on the drive: when the whole path exists as written,
    // every folder on the way does too, and looking each name up finds the same entries.
    std::string exact = ExactHostPath(*root, path);
    struct stat status = {};
    if (stat(exact.c_str(), &status) == 0) {
        host = std::move(exact);
        return ERROR_SUCCESS;
    }
    std::string folder = *root;
    bool folderExists = true;
    for (const std::u16string& name : path.components) {
        // Below a folder that does not exist nothing does: the names stay as they are.
        if (folderExists) {
            HostEntry entry = MatchHostName(folder, name);
            folder = std::move(entry.path);
            folderExists = entry.isFolder;
        } else {
            folder = (fs::path(folder) / WideToUtf8(name)).string();
        }
    }
    host = folder;
    return ERROR_SUCCESS;
}

DWORD ResolvePath(const char* path, WindowsPath& windowsPath, std::string& host) {
    DWORD error = NormalizePath(path, windowsPath);
    if (error != ERROR_SUCCESS) {
        return error;
    }
    return MapToHost(windowsPath, host);
}

DWORD MissingFileError(const std::string& host) {
    std::error_code error;
    fs::path parent = fs::path(host).parent_path();
    return fs::is_directory(parent, error) ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND;
}

const WindowsPath& CurrentDirectory() {
    PathState& state = State();
    if (!state.currentDirectory) {
        // Set first, so that normalising the program's path finds a current directory.
        state.currentDirectory = WindowsPath{};
        state.currentDirectory = DefaultCurrentDirectory();
    }
    return *state.currentDirectory;
}

void SetCurrentDirectoryPath(const WindowsPath& path) {
    State().currentDirectory = path;
    State().currentDirectory->trailingSeparator = false;
}

WindowsPath WindowsFolder() {
    WindowsPath folder;
    folder.drive = u'C';
    folder.components = {u"WINDOWS"};
    return folder;
}

void MapDriveToHost(char letter, const std::string& hostFolder) {
    State().extraDrives[UpperDrive(static_cast<char16_t>(letter))] = hostFolder;
}

void ResetPaths() {
    State() = PathState{};
    ResetFolderNames();
}

} // namespace winsim::system
