#include "app/AutostartSwitch.h"

#include <cstring>

bool HasAutostartSwitch(const char* commandLine) {
    static const char kSwitch[] = "-autostart";
    const size_t switchLength = sizeof kSwitch - 1;
    if (commandLine == nullptr) {
        return false;
    }
    const size_t length = std::strlen(commandLine);
    if (length < switchLength) {
        return false;
    }
    // The terminating zero takes part in the comparison, so the switch must end the line.
    return std::memcmp(commandLine + length - switchLength, kSwitch, sizeof kSwitch) == 0;
}
