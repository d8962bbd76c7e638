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
    HWND owner = nullptr;
    std::string title;
    std::string fileName; // the proposed name, without folder
    std::string defaultExtension;
    std::vector<std::pair<std::string, std::string>> filters; // shown name, pattern
    DWORD filterIndex = 0;
    DWORD flags = 0;
    std::string folder; // the folder shown
};

const std::optional<FileDialogView>& OpenFileDialogView();
// A path answers the dialog (taken relative to the folder shown); an empty one cancels it.
void AnswerOpenFileDialog(const std::string& path);

} // namespace winsim::system
