#include "capture/HotKeyModifiers.h"

UINT HotKeyFlagsToModifiers(UINT hotKeyFlags) {
    UINT modifiers = 0;
    if (hotKeyFlags & HOTKEYF_ALT) {
        modifiers |= MOD_ALT;
    }
    if (hotKeyFlags & HOTKEYF_CONTROL) {
        modifiers |= MOD_CONTROL;
    }
    if (hotKeyFlags & HOTKEYF_EXT) {
        modifiers |= MOD_WIN;
    }
    if (hotKeyFlags & HOTKEYF_SHIFT) {
        modifiers |= MOD_SHIFT;
    }
    return modifiers;
}
