#include "test_windows.h"

#include <cstdint>

namespace test {

HWND MakeWindow(const std::string& title) {
    // Distinct handles until windows can be created through the window manager.
    static uintptr_t next = 0x10000;
    (void)title;
    next += 0x10;
    return reinterpret_cast<HWND>(next);
}

} // namespace test
