// The program's page dialog open over the main window, and what a person does on its page.
#pragma once

#include "program_fixture.h"

#include <string>

// The topmost page dialog of the program other than the main window, or null.
inline CDHtmlDialog* OpenPageDialog() {
    for (HWND window : winsim::TopLevelWindows()) {
        if (!::IsWindowVisible(window)) {
            continue;
        }
        CDHtmlDialog* dialog = DYNAMIC_DOWNCAST(CDHtmlDialog, CWnd::FromHandlePermanent(window));
        if (dialog != nullptr && dialog != &ProgramTest::Dialog()) {
            return dialog;
        }
    }
    return nullptr;
}

// Clicks the centre of an element of the dialog's page.
inline void ClickElement(CDHtmlDialog& dialog, const char* id) {
    RECT rect = {};
    ASSERT_TRUE(dialog.GetHtmlView()->GetElementClientRect(dialog.GetElement(id), &rect)) << id;
    POINT centre = {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    winsim::ClickWindowAt(dialog.GetBrowserWindow(), centre);
}

// The element's text as ASCII (the tests' texts are).
inline std::string AsciiOf(const htmlview::WideString& wide) {
    std::string text;
    for (auto ch : wide) {
        text += static_cast<char>(ch);
    }
    return text;
}

inline htmlview::WideString WideOf(const std::string& text) {
    return htmlview::WideString(text.begin(), text.end());
}
