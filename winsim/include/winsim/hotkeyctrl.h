// The hot-key control "msctls_hotkey32" of the common controls.
#pragma once

#include "wintypes.h"

#define HOTKEY_CLASSA "msctls_hotkey32"

#define HOTKEYF_SHIFT 0x01
#define HOTKEYF_CONTROL 0x02
#define HOTKEYF_ALT 0x04
#define HOTKEYF_EXT 0x08

#define HKCOMB_NONE 0x0001
#define HKCOMB_S 0x0002
#define HKCOMB_C 0x0004
#define HKCOMB_A 0x0008
#define HKCOMB_SC 0x0010
#define HKCOMB_SA 0x0020
#define HKCOMB_CA 0x0040
#define HKCOMB_SCA 0x0080

#define HKM_SETHOTKEY (0x0400 + 1)
#define HKM_GETHOTKEY (0x0400 + 2)
#define HKM_SETRULES (0x0400 + 3)
