// The file dialog's window as an English Windows lays it out: the folder box at the top, the
// folder's contents below it, the file name and the file type with the Save (Open) and Cancel
// buttons at the bottom.
#include "system/file_dialog_window.h"

#include "system/codepage.h"
#include "system/file_dialog_toolbar.h"
#include "system/folder_view.h"
#include "system/paths.h"

#include <winsim/commdlg.h>
#include <winsim/dlgs.h>
#include <winsim/winerror.h>
#include <winsim/winuser.h>

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace winsim::system {
namespace {

constexpr WORD kButton = 0x0080;
constexpr WORD kEdit = 0x0081;
constexpr WORD kStatic = 0x0082;
constexpr WORD kComboBox = 0x0085;

// Matches a name against one pattern of a filter ("*.jpg", "*.*", "data?.txt"), without
// regard to case. A star is retried one character further only when what follows it fails,
// so no pattern costs more than the name's length times the pattern's.
bool Matches(std::u16string_view name, std::u16string_view pattern) {
    size_t n = 0;
    size_t p = 0;
    size_t starAt = std::u16string_view::npos; // the last star seen in the pattern
    size_t resumeAt = 0;                       // where in the name that star's match ends
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == u'*') {
            starAt = p++;
            resumeAt = n;
        } else if (p < pattern.size() &&
                   (pattern[p] == u'?' || EqualsNoCase(name.substr(n, 1), pattern.substr(p, 1)))) {
            ++n;
            ++p;
        } else if (starAt != std::u16string_view::npos) {
            p = starAt + 1;
            n = ++resumeAt;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == u'*') {
        ++p;
    }
    return p == pattern.size();
}

// A filter's patterns are separated by semicolons ("*.jpg;*.jpeg").
bool MatchesFilter(const std::u16string& name, const std::string& patterns) {
    std::u16string all = AnsiToWide(patterns);
    size_t start = 0;
    for (;;) {
        size_t end = all.find(u';', start);
        std::u16string one = all.substr(start, end - start);
        if (!one.empty() && Matches(name, one)) {
            return true;
        }
        if (end == std::u16string::npos) {
            return false;
        }
        start = end + 1;
    }
}

bool LessNoCase(const std::u16string& a, const std::u16string& b) {
    return std::lexicographical_compare(
        a.begin(), a.end(), b.begin(), b.end(), [](char16_t x, char16_t y) {
            auto lower = [](char16_t c) { return c >= u'A' && c <= u'Z' ? c + 32 : c; };
            return lower(x) < lower(y);
        });
}

// The folder's subfolders, then its files of the selected type, one a line.
std::string FolderListing(const FileDialogView& view, const std::string& patterns) {
    WindowsPath folder;
    std::string host;
    if (NormalizePath(view.folder.c_str(), folder) != ERROR_SUCCESS ||
        MapToHost(folder, host) != ERROR_SUCCESS) {
        return std::string();
    }
    std::vector<std::u16string> folders;
    std::vector<std::u16string> files;
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(host, error)) {
        std::u16string name = Utf8ToWide(entry.path().filename().string());
        if (entry.is_directory(error)) {
            folders.push_back(name);
        } else if (patterns.empty() || MatchesFilter(name, patterns)) {
            files.push_back(name);
        }
    }
    std::sort(folders.begin(), folders.end(), LessNoCase);
    std::sort(files.begin(), files.end(), LessNoCase);
    std::string listing;
    for (const std::u16string& name : folders) {
        listing += "[" + WideToAnsi(name) + "]\n";
    }
    for (const std::u16string& name : files) {
        listing += WideToAnsi(name) + "\n";
    }
    return listing;
}

} // namespace

DialogTemplateWriter FileDialogTemplate(const FileDialogView& view) {
    const bool readOnlyBox = !(view.flags & OFN_HIDEREADONLY);
    const short height = readOnlyBox ? 178 : 164;
    DialogTemplateWriter writer(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_3DLOOK |
                                    DS_CENTER | WS_CLIPCHILDREN,
                                view.title, 300, height, 8, "MS Shell Dlg");
    const DWORD child = WS_CHILD | WS_VISIBLE;
    writer.Add(kStatic, child, 0, 7, 8, 40, 8, stc4, view.save ? "Save &in:" : "Look &in:");
    writer.Add(kComboBox, child | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 0, 50, 6, 170, 100,
               cmb2, "");
    writer.Add(kFileDialogToolbarClass, child, 0, 224, 5, 16, 14, kFileDialogToolbarId, "");
    // The folder's contents.
    writer.Add(kFolderViewClass, child, WS_EX_CLIENTEDGE, 7, 24, 286, 92, lst2, "");
    writer.Add(kStatic, child, 0, 7, 125, 54, 8, stc3, "File &name:");
    writer.Add(kEdit, child | WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, 64, 123, 166, 12, edt1,
               "");
    writer.Add(kButton, child | WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 236, 122, 57, 14, IDOK,
               view.save ? "&Save" : "&Open");
    writer.Add(kStatic, child, 0, 7, 143, 54, 8, stc2,
               view.save ? "Save as &type:" : "Files of &type:");
    writer.Add(kComboBox, child | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 0, 64, 141, 166, 100,
               cmb1, "");
    writer.Add(kButton, child | WS_TABSTOP | BS_PUSHBUTTON, 0, 236, 140, 57, 14, IDCANCEL,
               "Cancel");
    // The read-only box is there in any case, as programs find it; OFN_HIDEREADONLY hides it.
    writer.Add(kButton, (readOnlyBox ? child : WS_CHILD) | WS_TABSTOP | BS_AUTOCHECKBOX, 0, 64, 158,
               120, 10, chx1, "Open as &read-only");
    return writer;
}

void FillFileDialog(HWND dialog, const FileDialogView& view) {
    SetDlgItemTextA(dialog, edt1, view.fileName.c_str());
    HWND types = GetDlgItem(dialog, cmb1);
    for (const auto& [name, pattern] : view.filters) {
        SendMessageA(types, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    }
    // The filter index counts from 1; 0 (a custom filter this dialog does not keep) and an
    // index past the last filter select the first.
    DWORD index = view.filterIndex;
    if (index == 0 || index > view.filters.size()) {
        index = 1;
    }
    if (!view.filters.empty()) {
        SendMessageA(types, CB_SETCURSEL, index - 1, 0);
    }
    if (view.flags & OFN_READONLY) {
        CheckDlgButton(dialog, chx1, BST_CHECKED);
    }
    ShowFolder(dialog, view);
}

void ShowFolder(HWND dialog, const FileDialogView& view) {
    // The folder box holds the folder and the folders it lies in, from the drive down, with
    // the folder itself selected.
    HWND folders = GetDlgItem(dialog, cmb2);
    SendMessageA(folders, CB_RESETCONTENT, 0, 0);
    WindowsPath folder;
    if (NormalizePath(view.folder.c_str(), folder) == ERROR_SUCCESS) {
        std::string drive = "Local Disk (" + WideToAnsi(std::u16string(1, folder.drive)) + ":)";
        SendMessageA(folders, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(drive.c_str()));
        for (const std::u16string& component : folder.components) {
            std::string name = WideToAnsi(component);
            SendMessageA(folders, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
        }
        SendMessageA(folders, CB_SETCURSEL, folder.components.size(), 0);
    }
    // A drive's root lies in no folder to go up to.
    EnableWindow(GetDlgItem(dialog, kFileDialogToolbarId), !folder.components.empty());
    std::string patterns;
    LRESULT type = SendDlgItemMessageA(dialog, cmb1, CB_GETCURSEL, 0, 0);
    if (type >= 0 && static_cast<size_t>(type) < view.filters.size()) {
        patterns = view.filters[static_cast<size_t>(type)].second;
    }
    SetDlgItemTextA(dialog, lst2, FolderListing(view, patterns).c_str());
}

std::string FolderChosenInFolderBox(HWND dialog, const FileDialogView& view) {
    LRESULT chosen = SendDlgItemMessageA(dialog, cmb2, CB_GETCURSEL, 0, 0);
    WindowsPath folder;
    if (chosen < 0 || NormalizePath(view.folder.c_str(), folder) != ERROR_SUCCESS ||
        static_cast<size_t>(chosen) > folder.components.size()) {
        return view.folder;
    }
    folder.components.resize(static_cast<size_t>(chosen));
    return folder.ToAnsi();
}

std::string TypedFileName(HWND dialog) {
    HWND field = GetDlgItem(dialog, edt1);
    int length = GetWindowTextLengthA(field);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    int copied = GetWindowTextA(field, text.data(), length + 1);
    text.resize(static_cast<size_t>(std::max(copied, 0)));
    return text;
}

} // namespace winsim::system
