// The reset of each part of the GDI area, run when the desktop starts afresh.
#pragma once

namespace winsim::gdi {

void ResetObjects();
void ResetScreen();
void ResetFonts();
void ResetImageLists();
void ResetIcons();

} // namespace winsim::gdi
