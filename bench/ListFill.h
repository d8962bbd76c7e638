// A capture list filled as earlier captures leave it, for the benchmarks that measure the list.
#pragma once

#include "imaging/WindowCapture.h"
#include "list/CaptureEntry.h"
#include "ui/QuilloryTextDlg.h"

#include <winsim/sim.h>

#include <string>
#include <utility>
#include <vector>

namespace bench {

// A full-HD 32-bit desktop: room for the main window and another program's window beside it.
inline void ResetDesktopForList() {
    winsim::DesktopConfig config;
    config.displayBits = 32;
    config.screenWidth = 1920;
    config.screenHeight = 1080;
    winsim::ResetDesktop(config);
}

// The start of the names of the prefilled entries' picture files, in the program's folder
// "tmp" (created when missing), as the program's own captures are.
inline std::string PrefillPathPrefix() {
    char folder[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, folder, sizeof folder);
    std::string prefix(folder);
    prefix.erase(prefix.rfind('\\') + 1);
    prefix += "tmp";
    CreateDirectoryA(prefix.c_str(), nullptr);
    return prefix + "\\prefill";
}

// Appends count entries of two-line texts, each with a picture file of its own (a copy of a
// capture of seed), and renders the list once.
inline void FillList(CQuilloryTextDlg& dialog, int count, HWND seed) {
    if (count == 0) {
        return;
    }
    const std::string prefix = PrefillPathPrefix();

    const std::string seedPath = prefix + "-seed.jpg";
    CWnd seedWindow(seed);
    const CSize size = WindowCapture().CaptureWindowToFile(seedPath.c_str(), &seedWindow);
    seedWindow.m_hWnd = nullptr;

    std::vector<CaptureEntry*> entries;
    for (int i = 0; i < count; ++i) {
        const std::string path = prefix + std::to_string(i) + ".jpg";
        CopyFileA(seedPath.c_str(), path.c_str(), FALSE);
        const std::string text = "Le fichier " + std::to_string(i) +
                                 " a \xE9t\xE9 enregistr\xE9.\nVoulez-vous continuer ?";
        entries.push_back(new CaptureEntry(text.c_str(), path.c_str(), size.cx, size.cy));
    }
    DeleteFileA(seedPath.c_str());
    dialog.AppendEntries(std::move(entries));
}

} // namespace bench
