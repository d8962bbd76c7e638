// Global hot-keys: a key combination belongs to at most one registration on the desktop.
#include "user/hotkeys_internal.h"
#include "user/window_internal.h"

#include <algorithm>
#include <vector>

namespace winsim::user {
namespace {

struct HotKey {
    HWND hwnd = nullptr;
    int id = 0;
    UINT modifiers = 0;
    UINT vk = 0;
    DWORD thread = 0;
    bool otherProgram = false;
};

std::vector<HotKey>& HotKeys() {
    static std::vector<HotKey> keys;
    return keys;
}

constexpr UINT kModifierMask = MOD_ALT | MOD_CONTROL | MOD_SHIFT | MOD_WIN;

bool Taken(UINT modifiers, UINT vk) {
    for (const HotKey& k : HotKeys()) {
        if (k.modifiers == (modifiers & kModifierMask) && k.vk == vk) {
            return true;
        }
    }
    return false;
}

} // namespace

bool DeliverHotKey(UINT modifiers, UINT vk) {
    for (const HotKey& k : HotKeys()) {
        if (k.modifiers != modifiers || k.vk != vk) {
            continue;
        }
        if (!k.otherProgram) {
            PostToThread(k.thread, k.hwnd, WM_HOTKEY, static_cast<WPARAM>(k.id),
                         MAKELPARAM(modifiers, vk));
        }
        return true;
    }
    return false;
}

bool TakeHotKeyForOtherProgram(UINT modifiers, UINT vk) {
    if (Taken(modifiers, vk)) {
        return false;
    }
    HotKey k;
    k.modifiers = modifiers & kModifierMask;
    k.vk = vk;
    k.otherProgram = true;
    HotKeys().push_back(k);
    return true;
}

void ReleaseWindowHotKeys(HWND hwnd) {
    auto& keys = HotKeys();
    keys.erase(
        std::remove_if(keys.begin(), keys.end(),
                       [hwnd](const HotKey& k) { return !k.otherProgram && k.hwnd == hwnd; }),
        keys.end());
}

void ResetHotKeys() {
    HotKeys().clear();
}

} // namespace winsim::user

using namespace winsim::user;

BOOL WINAPI RegisterHotKey(HWND hWnd, int id, UINT fsModifiers, UINT vk) {
    if (hWnd) {
        Window* w = FindOrFail(hWnd);
        if (!w) {
            return FALSE;
        }
        if (w->thread != kProgramThread) {
            SetLastError(ERROR_WINDOW_OF_OTHER_THREAD);
            return FALSE;
        }
    }
    if (fsModifiers & ~(kModifierMask | MOD_NOREPEAT)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (Taken(fsModifiers, vk)) {
        SetLastError(ERROR_HOTKEY_ALREADY_REGISTERED);
        return FALSE;
    }
    HotKey k;
    k.hwnd = hWnd;
    k.id = id;
    k.modifiers = fsModifiers & kModifierMask;
    k.vk = vk;
    k.thread = kProgramThread;
    HotKeys().push_back(k);
    return TRUE;
}

BOOL WINAPI UnregisterHotKey(HWND hWnd, int id) {
    if (hWnd && !FindOrFail(hWnd)) {
        return FALSE;
    }
    auto& keys = HotKeys();
    auto end = std::remove_if(keys.begin(), keys.end(), [&](const HotKey& k) {
        return !k.otherProgram && k.hwnd == hWnd && k.id == id && k.thread == kProgramThread;
    });
    if (end == keys.end()) {
        SetLastError(ERROR_HOTKEY_NOT_REGISTERED);
        return FALSE;
    }
    keys.erase(end, keys.end());
    return TRUE;
}
