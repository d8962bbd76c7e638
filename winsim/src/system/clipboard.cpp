// The clipboard: one window holds it open at a time; the owner is the window that emptied it
// last; what is set on it belongs to it from then on and is freed when it is emptied.
#include "core/window_destroying.h"
#include "system/clipboard_state.h"
#include "system/codepage.h"
#include "system/global_memory.h"
#include "system/system_state.h"

#include <winsim/winbase.h>
#include <winsim/winerror.h>
#include <winsim/winuser.h>
#include <winsim/winuser_system.h>
#include <winsim/wintime.h>

#include <cstring>
#include <iterator>
#include <map>

namespace winsim::system {
namespace {

struct ClipboardState {
    bool open = false;
    HWND openWindow = nullptr;
    HWND owner = nullptr;
    std::map<UINT, HANDLE> formats; // in the order of the format numbers; NULL: rendered later
    UINT rendering = 0;             // the format its owner is asked to render now
    // Text formats made from CF_TEXT on request, owned by the clipboard as well.
    std::map<UINT, HANDLE> synthesized;
    // Another program has the clipboard open until this tick count (GetTickCount).
    bool heldByOtherProgram = false;
    DWORD heldUntil = 0;
};

ClipboardState& State() {
    static ClipboardState state;
    return state;
}

void FreeData(UINT format, HANDLE data) {
    if (!data) {
        return;
    }
    if (format == CF_BITMAP) {
        FreeClipboardBitmap(data);
    } else {
        GlobalFree(data);
    }
}

void FreeAll() {
    ClipboardState& state = State();
    for (auto& [format, data] : state.formats) {
        FreeData(format, data);
    }
    for (auto& [format, data] : state.synthesized) {
        GlobalFree(data);
    }
    state.formats.clear();
    state.synthesized.clear();
}

bool Fail(DWORD error) {
    SetLastError(error);
    return false;
}

HGLOBAL CopyToGlobal(const void* bytes, size_t size) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
    if (block) {
        std::memcpy(GlobalLock(block), bytes, size);
        GlobalUnlock(block);
    }
    return block;
}

// CF_UNICODETEXT and CF_OEMTEXT made from CF_TEXT, as Windows offers them.
HANDLE Synthesize(UINT format) {
    ClipboardState& state = State();
    auto text = state.formats.find(CF_TEXT);
    if (text == state.formats.end()) {
        return nullptr;
    }
    auto made = state.synthesized.find(format);
    if (made != state.synthesized.end()) {
        return made->second;
    }
    size_t size = 0;
    const unsigned char* bytes = GlobalBytes(text->second, size);
    if (!bytes) {
        return nullptr;
    }
    std::string ansi(reinterpret_cast<const char*>(bytes),
                     strnlen(reinterpret_cast<const char*>(bytes), size));
    HGLOBAL block = nullptr;
    if (format == CF_UNICODETEXT) {
        std::u16string wide = AnsiToWide(ansi);
        wide.push_back(0);
        block = CopyToGlobal(wide.data(), wide.size() * sizeof(char16_t));
    } else {
        std::u16string wide = AnsiToWide(ansi);
        std::string oem;
        if (const CodePage* page = FindCodePage(1)) {
            for (char16_t c : wide) {
                auto found = page->encode.find(c);
                if (found == page->encode.end()) {
                    oem.push_back(page->defaultChar);
                } else if (found->second > 0xFF) {
                    oem.push_back(static_cast<char>(found->second >> 8));
                    oem.push_back(static_cast<char>(found->second & 0xFF));
                } else {
                    oem.push_back(static_cast<char>(found->second));
                }
            }
        } else {
            oem = ansi;
        }
        oem.push_back(0);
        block = CopyToGlobal(oem.data(), oem.size());
    }
    if (block) {
        state.synthesized[format] = block;
    }
    return block;
}

bool IsSynthesizable(UINT format) {
    return (format == CF_UNICODETEXT || format == CF_OEMTEXT) &&
           State().formats.count(CF_TEXT) != 0 && State().formats.count(format) == 0;
}

} // namespace

// Another program closes the clipboard once its time has come.
bool HeldByOtherProgram() {
    ClipboardState& state = State();
    if (state.heldByOtherProgram && static_cast<LONG>(GetTickCount() - state.heldUntil) >= 0) {
        state.heldByOtherProgram = false;
    }
    return state.heldByOtherProgram;
}

void HoldClipboardForOtherProgram(DWORD milliseconds) {
    ClipboardState& state = State();
    state.heldByOtherProgram = true;
    state.heldUntil = GetTickCount() + milliseconds;
}

void ResetClipboard() {
    FreeAll();
    State() = ClipboardState{};
}

} // namespace winsim::system

namespace winsim::internal {

void SystemWindowDestroying(HWND window) {
    auto& state = system::State();
    if (window && state.owner == window) {
        // The owner renders what it promised while it still can; what it leaves unrendered
        // goes, what it rendered stays on the clipboard without an owner.
        bool promised = false;
        for (auto& [format, data] : state.formats) {
            promised = promised || data == nullptr;
        }
        if (promised) {
            SendMessageA(window, WM_RENDERALLFORMATS, 0, 0);
        }
        for (auto it = state.formats.begin(); it != state.formats.end();) {
            it = it->second ? std::next(it) : state.formats.erase(it);
        }
        if (state.owner == window) {
            state.owner = nullptr;
        }
    }
    // A window that goes while it holds the clipboard open lets it go.
    if (window && state.open && state.openWindow == window) {
        state.open = false;
        state.openWindow = nullptr;
    }
}

} // namespace winsim::internal

namespace winsim::system {

HWND ClipboardOwnerWindow() {
    return State().owner;
}

std::vector<UINT> ClipboardFormatList() {
    std::vector<UINT> list;
    for (auto& [format, data] : State().formats) {
        list.push_back(format);
    }
    return list;
}

HANDLE ClipboardHandle(UINT format) {
    auto found = State().formats.find(format);
    return found == State().formats.end() ? nullptr : found->second;
}

bool ClipboardIsOpen(HWND* window) {
    if (window) {
        *window = State().openWindow;
    }
    return State().open || HeldByOtherProgram();
}

} // namespace winsim::system

using winsim::system::State;

BOOL WINAPI OpenClipboard(HWND hWndNewOwner) {
    auto& state = State();
    if (hWndNewOwner && !winsim::system::IsLiveWindow(hWndNewOwner)) {
        return winsim::system::Fail(ERROR_INVALID_WINDOW_HANDLE);
    }
    if (winsim::system::HeldByOtherProgram() || (state.open && state.openWindow != hWndNewOwner)) {
        return winsim::system::Fail(ERROR_ACCESS_DENIED);
    }
    state.open = true;
    state.openWindow = hWndNewOwner;
    return TRUE;
}

BOOL WINAPI CloseClipboard() {
    auto& state = State();
    if (!state.open) {
        return winsim::system::Fail(ERROR_CLIPBOARD_NOT_OPEN);
    }
    state.open = false;
    state.openWindow = nullptr;
    return TRUE;
}

BOOL WINAPI EmptyClipboard() {
    auto& state = State();
    if (!state.open) {
        return winsim::system::Fail(ERROR_CLIPBOARD_NOT_OPEN);
    }
    // The owner is told that its content goes, as Windows tells it.
    if (winsim::system::IsLiveWindow(state.owner)) {
        SendMessageA(state.owner, WM_DESTROYCLIPBOARD, 0, 0);
    }
    winsim::system::FreeAll();
    state.owner = state.openWindow;
    return TRUE;
}

HANDLE WINAPI SetClipboardData(UINT uFormat, HANDLE hMem) {
    auto& state = State();
    // While its owner renders a format on request, the clipboard is open for the requester.
    bool renderingNow = state.rendering != 0 && uFormat == state.rendering;
    if (!state.open && !renderingNow) {
        SetLastError(ERROR_CLIPBOARD_NOT_OPEN);
        return nullptr;
    }
    if (!hMem) {
        // Rendered later: only the owner can promise a format, and it is asked for it
        // (WM_RENDERFORMAT) when someone reads it.
        if (!state.owner || state.owner != state.openWindow) {
            SetLastError(ERROR_ACCESS_DENIED);
            return nullptr;
        }
        auto existing = state.formats.find(uFormat);
        if (existing != state.formats.end()) {
            winsim::system::FreeData(uFormat, existing->second);
        }
        state.formats[uFormat] = nullptr;
        return nullptr;
    }
    if (uFormat == 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    bool valid = uFormat == CF_BITMAP ? winsim::system::IsClipboardBitmap(hMem)
                                      : winsim::system::IsGlobalHandle(hMem);
    if (!valid) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    auto existing = state.formats.find(uFormat);
    if (existing != state.formats.end() && existing->second != hMem) {
        winsim::system::FreeData(uFormat, existing->second);
    }
    state.formats[uFormat] = hMem;
    // New text replaces what was made from the old.
    if (uFormat == CF_TEXT) {
        for (auto& [format, data] : state.synthesized) {
            GlobalFree(data);
        }
        state.synthesized.clear();
    }
    return hMem;
}

HANDLE WINAPI GetClipboardData(UINT uFormat) {
    auto& state = State();
    if (!state.open) {
        SetLastError(ERROR_CLIPBOARD_NOT_OPEN);
        return nullptr;
    }
    auto found = state.formats.find(uFormat);
    if (found != state.formats.end()) {
        if (!found->second && state.rendering == 0 && winsim::system::IsLiveWindow(state.owner)) {
            constexpr UINT kRenderFormat = 0x0305; // WM_RENDERFORMAT
            state.rendering = uFormat;
            SendMessageA(state.owner, kRenderFormat, uFormat, 0);
            state.rendering = 0;
        }
        return state.formats[uFormat];
    }
    if (winsim::system::IsSynthesizable(uFormat)) {
        return winsim::system::Synthesize(uFormat);
    }
    return nullptr;
}

BOOL WINAPI IsClipboardFormatAvailable(UINT format) {
    auto& state = State();
    return state.formats.count(format) != 0 || winsim::system::IsSynthesizable(format) ? TRUE
                                                                                       : FALSE;
}

int WINAPI CountClipboardFormats() {
    int count = static_cast<int>(State().formats.size());
    for (UINT format : {static_cast<UINT>(CF_UNICODETEXT), static_cast<UINT>(CF_OEMTEXT)}) {
        if (winsim::system::IsSynthesizable(format)) {
            ++count;
        }
    }
    return count;
}

HWND WINAPI GetClipboardOwner() {
    // A destroyed owner leaves the content without owner.
    HWND owner = State().owner;
    return winsim::system::IsLiveWindow(owner) ? owner : nullptr;
}

HWND WINAPI GetOpenClipboardWindow() {
    return State().openWindow;
}
