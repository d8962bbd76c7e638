// The small pictures of the file dialog (16 x 16 pixels), drawn with brushes: a folder, a file
// and the arrow of the Up One Level button.
#pragma once

#include <winsim/windows.h>

namespace winsim::system {

constexpr int kSmallIconSize = 16;

// A manila folder with its tab; grey when the control that shows it is disabled.
void DrawSmallFolderIcon(HDC dc, int x, int y, bool enabled = true);
// A sheet of paper with a folded corner and lines of text.
void DrawSmallFileIcon(HDC dc, int x, int y);
// An arrow pointing up (7 x 9 pixels).
void DrawUpArrow(HDC dc, int x, int y, COLORREF color);

} // namespace winsim::system
