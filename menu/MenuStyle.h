// Which look the owner-drawn menus take: the XP style on Windows XP with its own visual theme,
// the classic style everywhere else. The Windows version is classified once and the theme
// read once; a theme change while the program runs is not noticed.
#pragma once

// The system the program runs on, as a small class number:
//   0 Windows 3.x with the 32-bit extension, 1 any other Windows NT (and NT 6 or later),
//   2 Windows 95 and any other system of its family, 3 Windows 98, 4 Windows Me,
//   5 Windows NT 4, 6 Windows 2000, 7 Windows XP.
int WindowsVersionClass();

// The system has the shell of Windows 95 and later (3D frames around menu icons).
bool HasNewShell();

// The current user's theme file is "Windows Classic.theme" (any letter case). A theme that
// cannot be read counts as not classic.
bool IsClassicTheme();

// Windows XP with its own visual theme.
bool IsXPThemeActive();

// The owner-drawn menus are measured and drawn in the XP style.
bool UsesXPStyle();

// Forgets the version class and the theme, so that they are read again at their next use: for
// a process that starts over on a different system (a fresh simulated desktop).
void ForgetMenuStyle();
