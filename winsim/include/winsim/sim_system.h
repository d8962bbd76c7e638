// The system side of the simulated desktop as tests and the scenario player see it (not part of
// the Win32 API): the clipboard, the notification area, the sounds started, the registry, the
// drives, and the person's answers to the save-file dialog.
#pragma once

#include "wintypes.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace winsim {

// ---- Clipboard -------------------------------------------------------------------------------
// The CF_TEXT content up to its terminating zero; nothing when the clipboard holds no text.
std::optional<std::string> ClipboardText();
// The CF_BITMAP held; NULL when there is none.
HBITMAP ClipboardBitmap();
// The window that emptied the clipboard last (the owner of its content).
HWND ClipboardOwner();
// The formats set on the clipboard, in increasing order.
std::vector<UINT> ClipboardFormats();
// Whether a window (or the task, NULL) has the clipboard open now.
bool ClipboardOpen(HWND* byWindow = nullptr);
// Another program opens the clipboard and closes it after this many milliseconds of the
// desktop's clock; until then OpenClipboard fails with ERROR_ACCESS_DENIED.
void HoldClipboardAsOtherProgram(DWORD milliseconds);

// ---- Notification area -----------------------------------------------------------------------
struct TrayIcon {
    HWND window = nullptr;
    UINT id = 0;
    UINT callbackMessage = 0;
    HICON icon = nullptr;
    std::string tip;
    bool hidden = false;
    RECT place{}; // where the taskbar shows it on the screen, 16 x 16; empty while hidden
};
// The taskbar along the bottom of the screen (below the work area) and its notification area.
RECT TaskbarRect();
RECT NotificationAreaRect();
// The icons shown, in the order they were added.
std::vector<TrayIcon> TrayIcons();
// The person clicks an icon (button 0 the left one, 1 the right one): the icon's window gets
// its callback message with the icon id in wParam and the mouse message in lParam, for the
// button going down and then up. Throws std::runtime_error when there is no such icon.
void ClickTrayIcon(HWND window, UINT id, int button = 0);

// ---- Sound -----------------------------------------------------------------------------------
struct SoundStart {
    std::string name; // "#137" for a numbered resource, else the name or path
    bool fromResource = false;
    bool async = false;
    bool playedDefault = false; // the sound could not be played; the default sound was
    unsigned channels = 0;
    unsigned samplesPerSecond = 0;
    unsigned bitsPerSample = 0;
    double seconds = 0;
    bool cut = false; // cut off by a later sound while it played
};
// Every sound started since the desktop was reset, oldest first.
std::vector<SoundStart> SoundsStarted();
// How many times the named sound ("#137") started.
int SoundStartCount(const std::string& name);

// ---- Registry (HKEY_CURRENT_USER) ------------------------------------------------------------
// The data of a string value (without its terminating zero); nothing when the value is missing.
std::optional<std::string> RegistryString(const std::string& keyPath, const std::string& valueName);
// Keys opened through the API and not closed yet.
size_t RegistryOpenKeyCount();

// ---- Files and paths -------------------------------------------------------------------------
// Maps a further drive letter (C: is always the desktop's root folder) to a host folder.
void MapDrive(char letter, const std::string& hostFolder);
// The host path of a Windows path, resolved as the file functions resolve it; nothing for a
// path outside the drives or not valid.
std::optional<std::string> HostPath(const std::string& windowsPath);

} // namespace winsim

namespace winsim {

// ---- File dialogs ----------------------------------------------------------------------------
struct FileDialogShown {
    bool save = true;
    HWND window = nullptr; // the dialog window
    HWND owner = nullptr;
    std::string title;
    std::string fileName; // what the file-name field holds: at first the proposed name
    std::string defaultExtension;
    std::vector<std::pair<std::string, std::string>> filters; // shown name, pattern
    DWORD flags = 0;
    std::string folder; // the folder shown
};
// The file dialog open now, if any.
std::optional<FileDialogShown> OpenFileDialog();
// The person's answers; each throws std::runtime_error when no file dialog is open. A path
// without folder is taken in the folder shown; the dialog checks it as it checks a typed name.
void SaveDialogSaveAs(const std::string& path);
void SaveDialogCancel();

// ---- OLE pictures ----------------------------------------------------------------------------
// Picture objects loaded and not released yet.
int LivePictureCount();

} // namespace winsim
