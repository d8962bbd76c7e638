// The inspection functions of sim_system.h.
#include "system/clipboard_state.h"
#include "system/file_dialog_state.h"
#include "system/file_dialog_window.h"
#include "system/global_memory.h"
#include "system/paths.h"
#include "system/registry_store.h"
#include "system/sound_state.h"
#include "system/taskbar.h"
#include "system/tray_state.h"

#include <winsim/mmsystem.h>
#include <winsim/sim_system.h>
#include <winsim/winerror.h>
#include <winsim/winuser_system.h>

#include <cstring>
#include <stdexcept>

namespace winsim {

std::optional<std::string> ClipboardText() {
    HANDLE text = system::ClipboardHandle(CF_TEXT);
    size_t size = 0;
    const unsigned char* bytes = system::GlobalBytes(text, size);
    if (!bytes) {
        return std::nullopt;
    }
    return std::string(reinterpret_cast<const char*>(bytes),
                       strnlen(reinterpret_cast<const char*>(bytes), size));
}

HBITMAP ClipboardBitmap() {
    return static_cast<HBITMAP>(system::ClipboardHandle(CF_BITMAP));
}

HWND ClipboardOwner() {
    return system::ClipboardOwnerWindow();
}

std::vector<UINT> ClipboardFormats() {
    return system::ClipboardFormatList();
}

bool ClipboardOpen(HWND* byWindow) {
    return system::ClipboardIsOpen(byWindow);
}

void HoldClipboardAsOtherProgram(DWORD milliseconds) {
    system::HoldClipboardForOtherProgram(milliseconds);
}

std::vector<TrayIcon> TrayIcons() {
    std::vector<TrayIcon> icons;
    size_t shown = 0;
    for (const system::TrayIconRecord& record : system::TrayIconList()) {
        RECT place = record.hidden ? RECT{} : system::TrayIconSlot(shown++);
        icons.push_back(TrayIcon{record.window, record.id, record.callbackMessage, record.icon,
                                 record.tip, record.hidden, place});
    }
    return icons;
}

RECT TaskbarRect() {
    return system::TaskbarRect();
}

RECT NotificationAreaRect() {
    return system::NotificationAreaRect();
}

void ClickTrayIcon(HWND window, UINT id, int button) {
    system::ClickTrayIcon(window, id, button);
}

std::vector<SoundStart> SoundsStarted() {
    std::vector<SoundStart> sounds;
    for (const system::SoundRecord& record : system::SoundsStartedList()) {
        SoundStart start;
        start.name = record.name;
        start.fromResource = record.source == system::SoundRecord::Resource;
        start.async = (record.flags & SND_ASYNC) != 0;
        start.playedDefault = record.playedDefault;
        start.channels = record.channels;
        start.samplesPerSecond = record.samplesPerSecond;
        start.bitsPerSample = record.bitsPerSample;
        start.seconds = record.seconds;
        start.cut = record.cut;
        sounds.push_back(start);
    }
    return sounds;
}

int SoundStartCount(const std::string& name) {
    int count = 0;
    for (const system::SoundRecord& record : system::SoundsStartedList()) {
        if (record.name == name && !record.playedDefault) {
            ++count;
        }
    }
    return count;
}

std::optional<std::string> RegistryString(const std::string& keyPath,
                                          const std::string& valueName) {
    system::RegistryValue value;
    if (!system::RegistryRead(keyPath, valueName, value)) {
        return std::nullopt;
    }
    std::string text(value.data.begin(), value.data.end());
    return text.substr(0, text.find('\0'));
}

size_t RegistryOpenKeyCount() {
    return system::RegistryOpenHandles();
}

std::optional<FileDialogShown> OpenFileDialog() {
    const std::optional<system::FileDialogView>& view = system::OpenFileDialogView();
    if (!view) {
        return std::nullopt;
    }
    FileDialogShown shown{view->save,    view->window,   view->owner,
                          view->title,   view->fileName, view->defaultExtension,
                          view->filters, view->flags,    view->folder};
    if (view->window) {
        shown.fileName = system::TypedFileName(view->window);
    }
    return shown;
}

void SaveDialogSaveAs(const std::string& path) {
    if (path.empty()) {
        throw std::invalid_argument("the save dialog needs a file name");
    }
    system::AnswerOpenFileDialog(path);
}

void SaveDialogCancel() {
    system::AnswerOpenFileDialog(std::string());
}

void MapDrive(char letter, const std::string& hostFolder) {
    system::MapDriveToHost(letter, hostFolder);
}

std::optional<std::string> HostPath(const std::string& windowsPath) {
    system::WindowsPath path;
    std::string host;
    if (system::ResolvePath(windowsPath.c_str(), path, host) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    return host;
}

} // namespace winsim
