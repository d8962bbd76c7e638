// The command-line switch that a log-on start carries: the program then starts hidden in the
// notification area.
#pragma once

// True when the command line ends with exactly "-autostart": compared byte by byte and
// case-sensitively, with nothing at all (not even a blank) after it. A command line shorter
// than the switch, or null, has none.
bool HasAutostartSwitch(const char* commandLine);
