// The simulated desktop itself, for tests and the scenario player (not part of the Win32 API):
// its configuration and the reset that starts a fresh desktop.
#pragma once

#include <string>

namespace winsim {

struct DesktopConfig {
    // Display depth in bits per pixel: 1, 4, 8 (a palette display), 16, 24 or 32.
    int displayBits = 32;
    // At 16 bits: 5-6-5 (true) or 5-5-5 (false) pixels on the screen.
    bool display565 = true;
    // "95", "98", "me", "nt4", "2000", "xp", "vista", "7", "10".
    std::string windowsVersion = "xp";
    // The theme file is "Windows Classic.theme" (classic look) rather than the XP one.
    bool classicTheme = false;
    // The ANSI code page: 1252, or a double-byte one such as 932.
    unsigned codePage = 1252;
    // The program's path as GetModuleFileNameA reports it.
    std::string exePath = "C:\\Program Files\\Verbacap\\Verbacap.exe";
    // The command line as GetCommandLineA reports it; empty means the quoted program path.
    std::string commandLine;
    // The host folder behind drive C:, which also holds the registry and the Windows folder.
    // Empty means a fresh temporary folder.
    std::string rootDir;
    // Screen size in pixels.
    int screenWidth = 1024;
    int screenHeight = 768;
};

// Tears the current desktop down (windows, objects, clipboard, hot-keys, timers ...) and starts
// a new one with this configuration. The registry and the files stay in rootDir.
void ResetDesktop(const DesktopConfig& config = DesktopConfig());

// The command line that the next start of the program gets (GetCommandLineA); empty for the
// quoted program path. Everything else of the desktop stays as it is.
void SetProgramCommandLine(const std::string& commandLine);

// The configuration of the running desktop.
const DesktopConfig& Config();

// The host folder behind drive C: of the running desktop (rootDir, or the temporary one).
const std::string& RootDir();

} // namespace winsim
