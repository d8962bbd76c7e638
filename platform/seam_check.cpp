// Compiled on both targets: the seam must offer the same names on Windows and on winsim.
#include "platform/win32.h"

static_assert(sizeof(BITMAPINFOHEADER) == 40, "the DIB header has the layout of Windows");
static_assert(sizeof(RGBQUAD) == 4, "colour-table entries are 4 bytes");
static_assert(sizeof(DWORD) == 4 && sizeof(LONG) == 4 && sizeof(WORD) == 2, "Win32 sizes");
static_assert(sizeof(WPARAM) == sizeof(void*) && sizeof(LPARAM) == sizeof(void*),
              "message parameters are pointer-sized");
