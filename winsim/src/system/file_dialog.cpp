// The common file dialogs (GetSaveFileNameA, GetOpenFileNameA): a modal dialog window owned
// by the caller's window, which is disabled while it runs. Its modal loop keeps the thread's
// messages flowing (timers and hot-keys still arrive) and runs the script's steps. Save (Open)
// checks what the file-name field holds as Windows checks a typed name: the default extension
// is added to a name without one, a missing folder or an invalid name is reported in a
// message box and the dialog stays open, a folder's name opens that folder, and with
// OFN_OVERWRITEPROMPT an existing file is replaced only after the person agrees.
#include "system/codepage.h"
#include "system/file_dialog_state.h"
#include "system/file_dialog_toolbar.h"
#include "system/file_dialog_window.h"
#include "system/folder_view.h"
#include "system/paths.h"
#include "system/system_state.h"

#include <winsim/commdlg.h>
#include <winsim/dlgs.h>
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
    OPENFILENAMEA* ofn = nullptr; // the caller's structure, while the dialog runs
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

bool IsFolder(const WindowsPath& path) {
    std::string host;
    std::error_code error;
    return MapToHost(path, host) == ERROR_SUCCESS && fs::is_directory(host, error);
}

// The folder the dialog shows first: the folder of a proposed name that has one, else the
// initial folder, else the current directory. A folder that is not there is passed over.
WindowsPath InitialFolder(const OPENFILENAMEA& ofn, const std::string& proposed) {
    WindowsPath given;
    if (proposed.find_first_of("\\/:") != std::string::npos &&
        NormalizePath(proposed.c_str(), given) == ERROR_SUCCESS && !given.components.empty()) {
        given.components.pop_back();
        given.trailingSeparator = false;
        if (IsFolder(given)) {
            return given;
        }
    }
    if (ofn.lpstrInitialDir && *ofn.lpstrInitialDir &&
        NormalizePath(ofn.lpstrInitialDir, given) == ERROR_SUCCESS && IsFolder(given)) {
        given.trailingSeparator = false;
        return given;
    }
    return CurrentDirectory();
}

int Ask(HWND owner, const std::string& text, const std::string& caption, UINT type) {
    return MessageBoxA(owner, text.c_str(), caption.c_str(), type);
}

// A folder's name typed and confirmed: the dialog shows that folder, with the field emptied.
void OpenFolder(HWND dialog, const WindowsPath& folder) {
    State().open->folder = folder.ToAnsi();
    ShowFolder(dialog, *State().open);
    SetDlgItemTextA(dialog, edt1, "");
}

// The extension added to a name typed without one: the first three characters of the
// default extension.
std::u16string AddedExtension(LPCSTR defaultExtension) {
    return AnsiToWide(defaultExtension).substr(0, 3);
}

// Checks an answer; returns the full path to give back, or nothing when the dialog stays open.
std::optional<WindowsPath> Accept(const OPENFILENAMEA& ofn, const FileDialogView& view,
                                  const std::string& typed) {
    HWND dialog = view.window;
    std::string name = typed;
    // The typed name is taken relative to the folder the dialog shows.
    WindowsPath saved = CurrentDirectory();
    WindowsPath shown;
    NormalizePath(view.folder.c_str(), shown);
    SetCurrentDirectoryPath(shown);
    WindowsPath path;
    DWORD error = NormalizePath(name.c_str(), path);
    SetCurrentDirectoryPath(saved);
    std::string host;
    std::error_code fsError;
    if (error == ERROR_SUCCESS && MapToHost(path, host) == ERROR_SUCCESS &&
        fs::is_directory(host, fsError)) {
        // A folder's name opens the folder in the dialog (before any extension is added).
        path.trailingSeparator = false;
        OpenFolder(dialog, path);
        return std::nullopt;
    }
    if (error != ERROR_SUCCESS || path.components.empty() || path.trailingSeparator) {
        Ask(dialog, typed + "\nThe file name is not valid.", view.title,
            MB_OK | MB_ICONEXCLAMATION);
        return std::nullopt;
    }
    std::u16string& last = path.components.back();
    if (ofn.lpstrDefExt && *ofn.lpstrDefExt && last.find(u'.') == std::u16string::npos) {
        last += u"." + AddedExtension(ofn.lpstrDefExt);
    }
    WindowsPath folder = path;
    folder.components.pop_back();
    std::string folderHost;
    if (MapToHost(folder, folderHost) != ERROR_SUCCESS || !fs::is_directory(folderHost, fsError)) {
        Ask(dialog, path.ToAnsi() + "\nPath does not exist.\nCheck the path and try again.",
            view.title, MB_OK | MB_ICONEXCLAMATION);
        return std::nullopt;
    }
    MapToHost(path, host);
    bool exists = fs::exists(host, fsError);
    if (exists && fs::is_directory(host, fsError)) {
        // The name with the default extension added names a folder: it opens as well.
        OpenFolder(dialog, path);
        return std::nullopt;
    }
    if (view.save && exists && (ofn.Flags & OFN_OVERWRITEPROMPT)) {
        int answer = Ask(dialog, path.ToAnsi() + " already exists.\nDo you want to replace it?",
                         "Confirm Save As", MB_YESNO | MB_ICONEXCLAMATION);
        if (answer != IDYES) {
            return std::nullopt;
        }
    }
    if (!view.save && !exists && (ofn.Flags & OFN_FILEMUSTEXIST)) {
        Ask(dialog, path.ToAnsi() + "\nFile not found.\nCheck the file name and try again.",
            view.title, MB_OK | MB_ICONEXCLAMATION);
        return std::nullopt;
    }
    return path;
}

// Fills the caller's structure with the chosen path; false when its buffer is too small.
bool GiveBack(OPENFILENAMEA& ofn, const WindowsPath& path, bool readOnly) {
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
    // The extension differs when it is neither the default nor what the dialog added of it.
    bool different = ofn.lpstrDefExt &&
                     !EqualsNoCase(AnsiToWide(extension), AnsiToWide(ofn.lpstrDefExt)) &&
                     !EqualsNoCase(AnsiToWide(extension), AddedExtension(ofn.lpstrDefExt));
    ofn.Flags = (ofn.Flags & ~static_cast<DWORD>(OFN_EXTENSIONDIFFERENT | OFN_READONLY)) |
                (different ? OFN_EXTENSIONDIFFERENT : 0) | (readOnly ? OFN_READONLY : 0);
    if (!(ofn.Flags & OFN_NOCHANGEDIR)) {
        WindowsPath folder = path;
        folder.components.pop_back();
        SetCurrentDirectoryPath(folder);
    }
    return true;
}

// Save (Open) pressed: the dialog ends when the typed name is accepted.
void OnAccept(HWND dialog) {
    DialogState& state = State();
    std::string typed = TypedFileName(dialog);
    if (typed.empty() || !state.ofn) {
        return; // nothing typed: the dialog waits for a name
    }
    std::optional<WindowsPath> chosen = Accept(*state.ofn, *state.open, typed);
    if (!chosen) {
        return;
    }
    bool readOnly = IsDlgButtonChecked(dialog, chx1) == BST_CHECKED;
    EndDialog(dialog, GiveBack(*state.ofn, *chosen, readOnly) ? TRUE : FALSE);
}

INT_PTR CALLBACK FileDialogProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    (void)lParam;
    DialogState& state = State();
    switch (msg) {
    case WM_INITDIALOG:
        state.open->window = dialog;
        FillFileDialog(dialog, *state.open);
        // The person starts in the file-name field.
        SetFocus(GetDlgItem(dialog, edt1));
        return FALSE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
            OnAccept(dialog);
            return TRUE;
        case IDCANCEL:
            EndDialog(dialog, FALSE);
            return TRUE;
        case cmb1:
            if (HIWORD(wParam) == CBN_SELCHANGE) {
                ShowFolder(dialog, *state.open);
            }
            return TRUE;
        case cmb2:
            if (HIWORD(wParam) == CBN_SELCHANGE) {
                state.open->folder = FolderChosenInFolderBox(dialog, *state.open);
                ShowFolder(dialog, *state.open);
            }
            return TRUE;
        case kUpOneLevelCommand: {
            WindowsPath folder;
            if (NormalizePath(state.open->folder.c_str(), folder) == ERROR_SUCCESS &&
                !folder.components.empty()) {
                folder.components.pop_back();
                state.open->folder = folder.ToAnsi();
                ShowFolder(dialog, *state.open);
            }
            return TRUE;
        }
        default:
            return FALSE;
        }
    default:
        return FALSE;
    }
}

// Ends the dialog's run however it ends (also by an exception out of its modal loop): the
// window goes, and the owner is enabled again when it was before.
struct RunGuard {
    HWND owner;
    bool ownerWasEnabled;
    ~RunGuard() {
        DialogState& state = State();
        if (state.open && state.open->window && IsWindow(state.open->window)) {
            DestroyWindow(state.open->window);
        }
        // The end of a modal run enables the owner; one that was disabled before stays so.
        if (owner && IsWindow(owner) && !IsWindowEnabled(owner) != !ownerWasEnabled) {
            EnableWindow(owner, ownerWasEnabled ? TRUE : FALSE);
        }
        state.open.reset();
        state.ofn = nullptr;
    }
};

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
    // The proposed name ends at its terminator or at the end of the caller's buffer.
    view.fileName.assign(ofn->lpstrFile, strnlen(ofn->lpstrFile, ofn->nMaxFile));
    view.defaultExtension = ofn->lpstrDefExt ? ofn->lpstrDefExt : "";
    view.filters = ParseFilter(ofn->lpstrFilter);
    view.filterIndex = ofn->nFilterIndex;
    view.flags = ofn->Flags;
    view.folder = InitialFolder(*ofn, view.fileName).ToAnsi();
    if (size_t slash = view.fileName.find_last_of("\\/"); slash != std::string::npos) {
        view.fileName = view.fileName.substr(slash + 1);
    }
    RegisterFolderViewClass();
    RegisterFileDialogToolbarClass();
    DialogTemplateWriter dialogTemplate = FileDialogTemplate(view);
    state.open = view;
    state.ofn = ofn;
    HWND owner = ofn->hwndOwner ? GetAncestor(ofn->hwndOwner, GA_ROOT) : nullptr;
    RunGuard guard{owner, owner && IsWindowEnabled(owner)};
    INT_PTR result =
        DialogBoxIndirectParamA(nullptr, static_cast<LPCDLGTEMPLATEA>(dialogTemplate.Data()),
                                ofn->hwndOwner, FileDialogProc, 0);
    if (result == -1 && !state.open->window) {
        state.extendedError = CDERR_DIALOGFAILURE; // the window could not be made
    }
    return result == TRUE ? TRUE : FALSE;
}

} // namespace

const std::optional<FileDialogView>& OpenFileDialogView() {
    return State().open;
}

void AnswerOpenFileDialog(const std::string& path) {
    const std::optional<FileDialogView>& open = State().open;
    if (!open || !open->window || !IsWindowVisible(open->window)) {
        throw std::runtime_error("no file dialog is open to answer");
    }
    HWND dialog = open->window;
    if (path.empty()) {
        SendDlgItemMessageA(dialog, IDCANCEL, BM_CLICK, 0, 0);
        return;
    }
    // The person replaces what the field holds with the path and presses the button.
    SetDlgItemTextA(dialog, edt1, path.c_str());
    SendDlgItemMessageA(dialog, IDOK, BM_CLICK, 0, 0);
}

void ResetSaveDialog() {
    State().open.reset();
    State().ofn = nullptr;
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
