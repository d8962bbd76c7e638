// The screen of the simulated desktop, for tests and the scenario player (not part of the Win32
// API): its size, its pixels as the display shows them, and screenshots as PNG files.
#pragma once

#include "wingdi.h"

#include <string>

namespace winsim {

int ScreenWidth();
int ScreenHeight();

// The colour of a screen pixel as the display shows it (the same value GetPixel on the screen
// DC returns); CLR_INVALID outside the screen.
COLORREF ScreenPixel(int x, int y);

// Writes the whole screen as an 8-bit RGB PNG file. False when the file cannot be written.
bool SaveScreenshot(const std::string& path);

// Writes one rectangle of the screen (clipped to the screen) as a PNG file.
bool SaveScreenRect(const RECT& rect, const std::string& path);

// Writes a window's whole rectangle, caption and borders included, as the screen shows it.
bool SaveWindowScreenshot(HWND hwnd, const std::string& path);

} // namespace winsim
