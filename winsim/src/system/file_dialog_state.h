// The file dialog open now, for the inspection and answer functions.
#pragma once

#include <winsim/wintypes.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace winsim::system {

struct FileDialogView {
    bool save = true;
    HWND window = nullptr; // the dialog window, once it is made
    HWND owner = nullptr;
    std::string title;
    std::string fileName; // the proposed name, without folder; the field holds what is typed
    std::string defaultExtension;
    std::vector<std::pair<std::string, std::string>> filters; // shown name, pattern
    DWORD filterIndex = 0;
    DWORD flags = 0;
    std::string folder; // the folder shown
};

const std::optional<FileDialogView>& OpenFileDialogView();
// A path is typed into the file-name field and Save (Open) pressed; the dialog takes it
// relative to the folder shown. An empty path presses Cancel.
void AnswerOpenFileDialog(const std::string& path);

} // namespace winsim::system
