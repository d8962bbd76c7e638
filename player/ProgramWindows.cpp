#include "player/ProgramWindows.h"

#include "player/DesktopText.h"
#include "player/Scenario.h"

#include <winsim/sim_user.h>

#include <vector>

namespace player {
namespace {

const char kDialogClass[] = "#32770";

std::string ClassOf(HWND window) {
    char name[256] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

// The program's visible top-level windows, topmost first.
std::vector<HWND> ProgramWindows() {
    std::vector<HWND> windows;
    for (HWND window : winsim::TopLevelWindows()) {
        if (!winsim::IsOtherProgramWindow(window) && IsWindowVisible(window)) {
            windows.push_back(window);
        }
    }
    return windows;
}

std::string WindowTitle(HWND window) {
    char title[256] = {};
    GetWindowTextA(window, title, sizeof title);
    return title;
}

} // namespace

HWND ProgramTopDialog() {
    HWND main = ProgramMainWindow();
    for (HWND window : ProgramWindows()) {
        if (window != main && ClassOf(window) == kDialogClass) {
            return window;
        }
    }
    return nullptr;
}

HWND ProgramMainWindow() {
    for (HWND window : winsim::TopLevelWindows()) {
        if (!winsim::IsOtherProgramWindow(window) && ClassOf(window) == kDialogClass &&
            GetWindow(window, GW_OWNER) == nullptr) {
            return window;
        }
    }
    return nullptr;
}

HWND FindDescendantOfClass(HWND parent, const std::string& className) {
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (ClassOf(child) == className) {
            return child;
        }
        if (HWND found = FindDescendantOfClass(child, className)) {
            return found;
        }
    }
    return nullptr;
}

PageElement FindPageElement(const ElementRef& element) {
    std::u16string path = Widen(FormatElementRef(element));
    static const UINT elementRect = RegisterWindowMessageA(htmlview::kElementRectMessageName);
    // The topmost of the program's windows that shows a page: an open page dialog, else the
    // main window (a dialog open over it takes the person's input).
    for (HWND window : ProgramWindows()) {
        HWND view = FindDescendantOfClass(window, htmlview::kHtmlViewClassName);
        if (!view) {
            continue;
        }
        PageElement page;
        page.view = view;
        if (!SendMessageA(view, elementRect, reinterpret_cast<WPARAM>(path.c_str()),
                          reinterpret_cast<LPARAM>(&page.screen))) {
            throw StepFailure("the page of '" + FromAnsi(WindowTitle(window)) +
                              "' has no element " + FormatElementRef(element));
        }
        return page;
    }
    throw StepFailure("the program shows no page");
}

std::u16string Widen(const std::string& text) {
    std::u16string wide;
    for (size_t i = 0; i < text.size();) {
        unsigned char lead = static_cast<unsigned char>(text[i]);
        char32_t code = 0xFFFD;
        size_t length = 1;
        if (lead < 0x80) {
            code = lead;
        } else if ((lead & 0xE0) == 0xC0) {
            length = 2;
        } else if ((lead & 0xF0) == 0xE0) {
            length = 3;
        } else if ((lead & 0xF8) == 0xF0) {
            length = 4;
        }
        if (length > 1) {
            bool complete = i + length <= text.size();
            for (size_t k = 1; complete && k < length; ++k) {
                complete = (static_cast<unsigned char>(text[i + k]) & 0xC0) == 0x80;
            }
            if (complete) {
                code = lead & (0x7F >> length);
                for (size_t k = 1; k < length; ++k) {
                    code = (code << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
                }
            } else {
                length = 1;
                code = 0xFFFD;
            }
        }
        if (code >= 0x10000 && code <= 0x10FFFF) {
            code -= 0x10000;
            wide += static_cast<char16_t>(0xD800 + (code >> 10));
            wide += static_cast<char16_t>(0xDC00 + (code & 0x3FF));
        } else {
            wide += static_cast<char16_t>(code > 0x10FFFF ? 0xFFFD : code);
        }
        i += length;
    }
    return wide;
}

std::string Narrow(const std::u16string& text) {
    std::string narrow;
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t code = text[i];
        if (code >= 0xD800 && code <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            code = 0x10000 + ((code - 0xD800) << 10) + (text[++i] - 0xDC00);
        } else if (code >= 0xD800 && code <= 0xDFFF) {
            code = 0xFFFD;
        }
        if (code < 0x80) {
            narrow += static_cast<char>(code);
        } else if (code < 0x800) {
            narrow += static_cast<char>(0xC0 | (code >> 6));
            narrow += static_cast<char>(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            narrow += static_cast<char>(0xE0 | (code >> 12));
            narrow += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            narrow += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            narrow += static_cast<char>(0xF0 | (code >> 18));
            narrow += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
            narrow += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            narrow += static_cast<char>(0x80 | (code & 0x3F));
        }
    }
    return narrow;
}

} // namespace player
