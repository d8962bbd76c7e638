// What a person at the desktop would notice, read from the simulated desktop's state without
// the program's help: a snapshot before and after a step, and the differences in words.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace player {

struct DesktopSnapshot {
    // Windows path of every file of drive C: -> fingerprint of its content.
    std::map<std::string, std::string> files;
};

DesktopSnapshot TakeSnapshot();

// The changes from `before` to `after`, one phrase each ("file written C:\WINDOWS\x.INI").
std::vector<std::string> DescribeChanges(const DesktopSnapshot& before,
                                         const DesktopSnapshot& after);

} // namespace player
