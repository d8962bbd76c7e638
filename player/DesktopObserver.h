// What a person at the desktop would notice, read from the simulated desktop's state without
// the program's help: a snapshot before and after a step, and the differences in words.
#pragma once

#include <winsim/wintypes.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace player {

struct TraySnapshot {
    std::string tip;
    bool hidden = false;
    bool operator!=(const TraySnapshot& other) const {
        return tip != other.tip || hidden != other.hidden;
    }
};

struct DesktopSnapshot {
    // What the desktop reported since the last snapshot: windows shown or hidden, message
    // boxes, menus opened (in the order they happened).
    std::vector<std::string> userEvents;
    // Windows path of every file of drive C: -> fingerprint of its content.
    std::map<std::string, std::string> files;
    // Names of the sounds started since the desktop was made, oldest first.
    std::vector<std::string> sounds;
    // Notification-area icons by owner window and id.
    std::map<std::string, TraySnapshot> tray;
    std::optional<std::string> clipboardText;
    bool clipboardPicture = false;
    std::optional<std::string> runValue;
    // Visible top-level windows and their captions.
    std::map<HWND, std::string> windows;
};

DesktopSnapshot TakeSnapshot();

// The changes from `before` to `after`, one phrase each ("file written C:\WINDOWS\x.INI").
std::vector<std::string> DescribeChanges(const DesktopSnapshot& before,
                                         const DesktopSnapshot& after);

// A text as the transcript shows it: in single quotes as it stands, or, when it holds quotes,
// line ends or tabs or is long, in double quotes with escapes, shortened.
std::string Shown(const std::string& text);

} // namespace player
