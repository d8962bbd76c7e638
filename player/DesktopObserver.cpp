#include "player/DesktopObserver.h"

#include "player/DesktopFiles.h"
#include "player/DesktopText.h"
#include "player/MenuItemText.h"
#include "player/ProgramSettings.h"

#include <winsim/sim_system.h>
#include <winsim/sim_user.h>

#include <algorithm>
#include <cstdio>

namespace player {
namespace {

constexpr size_t kLongestShown = 80;

std::string TrayKey(const winsim::TrayIcon& icon) {
    char key[64];
    std::snprintf(key, sizeof key, "%p/%u", static_cast<const void*>(icon.window), icon.id);
    return key;
}

void DescribeFiles(const DesktopSnapshot& before, const DesktopSnapshot& after,
                   std::vector<std::string>& changes) {
    for (const auto& [path, fingerprint] : after.files) {
        auto old = before.files.find(path);
        if (old == before.files.end() || old->second != fingerprint) {
            changes.push_back("file written " + path);
        }
    }
    for (const auto& [path, fingerprint] : before.files) {
        if (after.files.count(path) == 0) {
            changes.push_back("file deleted " + path);
        }
    }
}

void DescribeTray(const DesktopSnapshot& before, const DesktopSnapshot& after,
                  std::vector<std::string>& changes) {
    for (const auto& [key, icon] : after.tray) {
        auto old = before.tray.find(key);
        if (old == before.tray.end()) {
            changes.push_back("tray icon added " + Shown(icon.tip) +
                              (icon.hidden ? " (hidden)" : ""));
        } else if (old->second != icon) {
            changes.push_back("tray icon changed " + Shown(icon.tip) +
                              (icon.hidden ? " (hidden)" : ""));
        }
    }
    for (const auto& [key, icon] : before.tray) {
        if (after.tray.count(key) == 0) {
            changes.push_back("tray icon removed " + Shown(icon.tip));
        }
    }
}

// Windows that were visible and are gone (destroyed) without the desktop's own events telling
// that they were hidden first.
void DescribeClosedWindows(const DesktopSnapshot& before, const DesktopSnapshot& after,
                           std::vector<std::string>& changes) {
    for (const auto& [window, caption] : before.windows) {
        if (IsWindow(window)) {
            continue;
        }
        std::string hidden = "window '" + caption + "' hidden";
        if (std::find(after.userEvents.begin(), after.userEvents.end(), hidden) ==
            after.userEvents.end()) {
            changes.push_back("window '" + caption + "' closed");
        }
    }
}

void DescribeClipboard(const DesktopSnapshot& before, const DesktopSnapshot& after,
                       std::vector<std::string>& changes) {
    if (after.clipboardText != before.clipboardText) {
        changes.push_back(after.clipboardText ? "clipboard text " + Shown(*after.clipboardText)
                                              : "clipboard text gone");
    }
    if (after.clipboardPicture != before.clipboardPicture) {
        changes.push_back(after.clipboardPicture ? "clipboard picture" : "clipboard picture gone");
    }
}

// A menu's items as the desktop lists them when it opens; with `named`, owner-drawn items,
// which hold no text in the system, by the text the program gave them.
std::string MenuOpenedLine(const std::vector<winsim::MenuItemView>& items, bool named) {
    std::string line = "menu opened:";
    for (const winsim::MenuItemView& item : items) {
        if (item.separator) {
            line += " |";
            continue;
        }
        std::string text = item.text;
        if (named && text.empty() && item.ownerDrawn) {
            text = OwnerDrawnItemText(item).value_or("");
        }
        std::string plain;
        for (size_t i = 0; i < text.size() && text[i] != '\t'; ++i) {
            if (text[i] == '&' && i + 1 < text.size() && text[i + 1] == '&') {
                plain += '&';
                ++i;
            } else if (text[i] != '&') {
                plain += text[i];
            }
        }
        while (!plain.empty() && plain.back() == ' ') {
            plain.pop_back();
        }
        line += " '" + plain + "'";
    }
    return line;
}

// The line of the menu that is open (or was opened last) names its owner-drawn items.
std::string WithNamedMenuItems(const std::string& event) {
    const std::vector<winsim::MenuItemView> items = winsim::MenuItems();
    if (event != MenuOpenedLine(items, false)) {
        return event;
    }
    return MenuOpenedLine(items, true);
}

} // namespace

std::string Shown(const std::string& text) {
    // Paths and plain texts read best as they stand; texts with line ends and tabs escaped.
    if (text.size() <= kLongestShown && text.find_first_of("'\r\n\t") == std::string::npos) {
        return "'" + text + "'";
    }
    std::string shown = "\"";
    for (size_t i = 0; i < text.size(); ++i) {
        if (i == kLongestShown) {
            shown += "...";
            break;
        }
        switch (text[i]) {
        case '\r':
            shown += "\\r";
            break;
        case '\n':
            shown += "\\n";
            break;
        case '\t':
            shown += "\\t";
            break;
        case '"':
            shown += "\\\"";
            break;
        case '\\':
            shown += "\\\\";
            break;
        default:
            shown += text[i];
        }
    }
    return shown + "\"";
}

DesktopSnapshot TakeSnapshot() {
    DesktopSnapshot snapshot;
    for (const std::string& event : winsim::TakeUserEvents()) {
        snapshot.userEvents.push_back(FromAnsi(WithNamedMenuItems(event)));
    }
    snapshot.files = DriveFiles();
    for (const winsim::SoundStart& sound : winsim::SoundsStarted()) {
        snapshot.sounds.push_back(sound.name);
    }
    for (const winsim::TrayIcon& icon : winsim::TrayIcons()) {
        snapshot.tray[TrayKey(icon)] = TraySnapshot{FromAnsi(icon.tip), icon.hidden};
    }
    if (std::optional<std::string> text = winsim::ClipboardText()) {
        snapshot.clipboardText = FromAnsi(*text);
    }
    snapshot.clipboardPicture = winsim::ClipboardBitmap() != nullptr;
    if (std::optional<std::string> runValue = ReadRunValue()) {
        snapshot.runValue = FromAnsi(*runValue);
    }
    for (HWND window : winsim::TopLevelWindows()) {
        // Open menus are windows too; the desktop's events tell of them.
        if (IsWindowVisible(window) && winsim::ClassNameOf(window) != "#32768") {
            snapshot.windows[window] = FromAnsi(winsim::TextOf(window));
        }
    }
    return snapshot;
}

std::vector<std::string> DescribeChanges(const DesktopSnapshot& before,
                                         const DesktopSnapshot& after) {
    std::vector<std::string> changes = after.userEvents;
    DescribeClosedWindows(before, after, changes);

    for (size_t i = before.sounds.size(); i < after.sounds.size(); ++i) {
        changes.push_back("sound " + after.sounds[i]);
    }
    DescribeTray(before, after, changes);
    DescribeClipboard(before, after, changes);
    if (after.runValue != before.runValue) {
        changes.push_back(after.runValue ? "Run value " + Shown(*after.runValue)
                                         : "Run value deleted");
    }
    DescribeFiles(before, after, changes);
    return changes;
}

} // namespace player
