// The common file dialogs (GetSaveFileNameA, GetOpenFileNameA). The dialog is modal to its
// owner: while it waits for the person's answer it keeps the thread's messages flowing (timers
// and hot-keys still arrive) and runs the next script step. The answer is checked as the dialog
// checks a typed name: the default extension is added to a name without one, a missing folder
// or an invalid name is reported in a message box and the dialog stays open, and with
// OFN_OVERWRITEPROMPT an existing file is replaced only after the person agrees.
#include "system/codepage.h"
#include "system/file_dialog_state.h"
#include "system/paths.h"
#include "system/system_state.h"

#include <winsim/commdlg.h>
#include <winsim/script.h>
#include <winsim/winbase.h>
#include <winsim/winerror.h>
#include <winsim/winuser.h>

#include <cstring>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>

namespace fs = std::filesystem;

namespace winsim::system {
namespace {

struct DialogState {
    std::optional<FileDialogView> open;
    std::optional<std::string> pendingAnswer; // a path; empty: cancel
    DWORD extendedError = 0;
};

DialogState& State() {
    static DialogState state;
    return state;
}

std::vector<std::pair<std::string, std::string>> ParseFilter(LPCSTR filter) {
    std::vector<std::pair<std::string, std::string>> pairs;
    while (filter && *filter) {
        std::string name = filter;
        filter += name.size() + 1;
        if (!*filter) {
            break;
        }
        std::string pattern = filter;
        filter += pattern.size() + 1;
        pairs.emplace_back(name, pattern);
    }
    return pairs;
}

// The folder the dialog shows first: the initial folder, else the folder of the proposed file
// name, else the current directory.
WindowsPath InitialFolder(const OPENFILENAMEA& ofn) {
    WindowsPath folder = CurrentDirectory();
    if (ofn.lpstrInitialDir && *ofn.lpstrInitialDir) {
        WindowsPath given;
        if (NormalizePath(ofn.lpstrInitialDir, given) == ERROR_SUCCESS) {
            return given;
        }
    }
    if (ofn.lpstrFile && std::strpbrk(ofn.lpstrFile, "\\/:")) {
        WindowsPath given;
        if (NormalizePath(ofn.lpstrFile, given) == ERROR_SUCCESS && !given.components.empty()) {
            given.components.pop_back();
            return given;
        }
    }
    return folder;
}

int Ask(HWND owner, const std::string& text, const std::string& caption, UINT type) {
    return MessageBoxA(owner, text.c_str(), caption.c_str(), type);
}

struct ModalGuard {
    HWND owner;
    bool ownerWasEnabled;
    ~ModalGuard() {
        if (owner && ownerWasEnabled) {
            EnableWindow(owner, TRUE);
        }
        State().open.reset();
        State().pendingAnswer.reset();
    }
};

// Checks an answer; returns the full path to give back, or nothing when the dialog stays open.
std::optional<WindowsPath> Accept(const OPENFILENAMEA& ofn, const FileDialogView& view,
                                  const std::string& typed) {
    std::string name = typed;
    // The typed name is taken relative to the folder the dialog shows.
    WindowsPath saved = CurrentDirectory();
    WindowsPath shown;
    NormalizePath(view.folder.c_str(), shown);
    SetCurrentDirectoryPath(shown);
    WindowsPath path;
    DWORD error = NormalizePath(name.c_str(), path);
    SetCurrentDirectoryPath(saved);
    if (error != ERROR_SUCCESS || path.components.empty() || path.trailingSeparator) {
        Ask(ofn.hwndOwner, typed + "\nThe file name is not valid.", view.title,
            MB_OK | MB_ICONEXCLAMATION);
        return std::nullopt;
    }
    std::u16string& last = path.components.back();
    if (ofn.lpstrDefExt && *ofn.lpstrDefExt && last.find(u'.') == std::u16string::npos) {
        last += u"." + AnsiToWide(ofn.lpstrDefExt);
    }
    std::string host;
    WindowsPath folder = path;
    folder.components.pop_back();
    std::string folderHost;
    std::error_code fsError;
    if (MapToHost(folder, folderHost) != ERROR_SUCCESS || !fs::is_directory(folderHost, fsError)) {
        Ask(ofn.hwndOwner, path.ToAnsi() + "\nPath does not exist.\nCheck the path and try again.",
            view.title, MB_OK | MB_ICONEXCLAMATION);
        return std::nullopt;
    }
    MapToHost(path, host);
    bool exists = fs::exists(host, fsError);
    if (exists && fs::is_directory(host, fsError)) {
        // A folder's name opens the folder in the dialog.
        State().open->folder = path.ToAnsi();
        return std::nullopt;
    }
    if (view.save && exists && (ofn.Flags & OFN_OVERWRITEPROMPT)) {
        int answer =
            Ask(ofn.hwndOwner, path.ToAnsi() + " already exists.\nDo you want to replace it?",
                "Confirm Save As", MB_YESNO | MB_ICONEXCLAMATION);
        if (answer != IDYES) {
            return std::nullopt;
        }
    }
    if (!view.save && !exists && (ofn.Flags & OFN_FILEMUSTEXIST)) {
        Ask(ofn.hwndOwner, path.ToAnsi() + "\nFile not found.\nCheck the file name and try again.",
            view.title, MB_OK | MB_ICONEXCLAMATION);
        return std::nullopt;
    }
    return path;
}

// Fills the caller's structure with the chosen path; false when its buffer is too small.
bool GiveBack(OPENFILENAMEA& ofn, const WindowsPath& path) {
    std::string full = path.ToAnsi();
    if (full.size() + 1 > ofn.nMaxFile) {
        // The first two bytes tell the size needed.
        if (ofn.nMaxFile >= 2) {
            auto needed = static_cast<WORD>(full.size() + 1);
            std::memcpy(ofn.lpstrFile, &needed, sizeof(needed));
        }
        State().extendedError = FNERR_BUFFERTOOSMALL;
        return false;
    }
    std::memcpy(ofn.lpstrFile, full.c_str(), full.size() + 1);
    size_t nameStart = full.rfind('\\') + 1;
    std::string name = full.substr(nameStart);
    ofn.nFileOffset = static_cast<WORD>(nameStart);
    size_t dot = name.rfind('.');
    ofn.nFileExtension = dot == std::string::npos ? 0 : static_cast<WORD>(nameStart + dot + 1);
    if (ofn.lpstrFileTitle && ofn.nMaxFileTitle > 0) {
        size_t length = std::min<size_t>(name.size(), ofn.nMaxFileTitle - 1);
        std::memcpy(ofn.lpstrFileTitle, name.data(), length);
        ofn.lpstrFileTitle[length] = '\0';
    }
    std::string extension = dot == std::string::npos ? "" : name.substr(dot + 1);
    bool different =
        ofn.lpstrDefExt && !EqualsNoCase(AnsiToWide(extension), AnsiToWide(ofn.lpstrDefExt));
    ofn.Flags = (ofn.Flags & ~static_cast<DWORD>(OFN_EXTENSIONDIFFERENT | OFN_READONLY)) |
                (different ? OFN_EXTENSIONDIFFERENT : 0);
    if (!(ofn.Flags & OFN_NOCHANGEDIR)) {
        WindowsPath folder = path;
        folder.components.pop_back();
        SetCurrentDirectoryPath(folder);
    }
    return true;
}

BOOL RunFileDialog(LPOPENFILENAMEA ofn, bool save) {
    DialogState& state = State();
    state.extendedError = 0;
    if (!ofn || (ofn->lStructSize != sizeof(OPENFILENAMEA) &&
                 ofn->lStructSize != OPENFILENAME_SIZE_VERSION_400A)) {
        state.extendedError = CDERR_STRUCTSIZE;
        return FALSE;
    }
    if (!ofn->lpstrFile || ofn->nMaxFile == 0) {
        state.extendedError = CDERR_INITIALIZATION;
        return FALSE;
    }
    // Hooks and custom templates need dialog procedures this desktop does not run for the
    // common dialogs.
    if (ofn->Flags &
        (OFN_ENABLEHOOK | OFN_ENABLETEMPLATE | OFN_ENABLETEMPLATEHANDLE | OFN_ALLOWMULTISELECT)) {
        state.extendedError = CDERR_NOHOOK;
        return FALSE;
    }
    if (state.open) {
        state.extendedError = CDERR_DIALOGFAILURE; // one file dialog at a time
        return FALSE;
    }
    if (ofn->hwndOwner && !IsWindow(ofn->hwndOwner)) {
        state.extendedError = CDERR_DIALOGFAILURE;
        return FALSE;
    }
    FileDialogView view;
    view.save = save;
    view.owner = ofn->hwndOwner;
    view.title = ofn->lpstrTitle ? ofn->lpstrTitle : (save ? "Save As" : "Open");
    view.fileName = ofn->lpstrFile;
    view.defaultExtension = ofn->lpstrDefExt ? ofn->lpstrDefExt : "";
    view.filters = ParseFilter(ofn->lpstrFilter);
    view.filterIndex = ofn->nFilterIndex;
    view.flags = ofn->Flags;
    view.folder = InitialFolder(*ofn).ToAnsi();
    if (size_t slash = view.fileName.find_last_of("\\/"); slash != std::string::npos) {
        view.fileName = view.fileName.substr(slash + 1);
    }
    state.open = view;
    ModalGuard guard{ofn->hwndOwner, ofn->hwndOwner && IsWindowEnabled(ofn->hwndOwner)};
    if (guard.owner) {
        EnableWindow(guard.owner, FALSE);
    }
    for (;;) {
        if (state.pendingAnswer) {
            std::string answer = *state.pendingAnswer;
            state.pendingAnswer.reset();
            if (answer.empty()) {
                return FALSE; // cancelled; the extended error stays 0
            }
            std::optional<WindowsPath> chosen = Accept(*ofn, *state.open, answer);
            if (chosen) {
                return GiveBack(*ofn, *chosen) ? TRUE : FALSE;
            }
            continue;
        }
        MSG msg;
        if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                // The quit message ends the dialog and goes on to the program's own loop.
                PostQuitMessage(static_cast<int>(msg.wParam));
                return FALSE;
            }
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
            continue;
        }
        ScriptStepOrFail("the save-file dialog");
    }
}

} // namespace

const std::optional<FileDialogView>& OpenFileDialogView() {
    return State().open;
}

void AnswerOpenFileDialog(const std::string& path) {
    if (!State().open) {
        throw std::runtime_error("no file dialog is open to answer");
    }
    State().pendingAnswer = path;
}

void ResetSaveDialog() {
    State().open.reset();
    State().pendingAnswer.reset();
    State().extendedError = 0;
}

} // namespace winsim::system

BOOL WINAPI GetSaveFileNameA(LPOPENFILENAMEA lpofn) {
    return winsim::system::RunFileDialog(lpofn, true);
}

BOOL WINAPI GetOpenFileNameA(LPOPENFILENAMEA lpofn) {
    return winsim::system::RunFileDialog(lpofn, false);
}

DWORD WINAPI CommDlgExtendedError() {
    return winsim::system::State().extendedError;
}
