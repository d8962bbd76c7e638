#include "program_fixture.h"

#include <cstring>

void ProgramTest::SetUp() {
    winsim::ResetDesktop(config_);
}

void ProgramTest::TearDown() {
    winsim::ScriptClear();
}

void ProgramTest::NewDesktop(const std::string& commandLine) {
    config_.commandLine = commandLine;
    winsim::ResetDesktop(config_);
}

int ProgramTest::RunProgram() {
    try {
        return VerbacapRun();
    } catch (const winsim::ScriptExhausted& e) {
        ADD_FAILURE() << e.what();
        return -1;
    }
}

void ProgramTest::Step(const std::string& description, std::function<void()> step) {
    winsim::ScriptPush(description, std::move(step));
}

void ProgramTest::StepClose() {
    Step("close the main window", [] { winsim::ClickCaptionButton(Dialog().m_hWnd, HTCLOSE); });
}

void ProgramTest::WriteSetting(const char* key, const char* value) {
    ::WritePrivateProfileStringA("Settings", key, value, "Verbacap.INI");
}

std::optional<std::string> ProgramTest::ReadSetting(const char* key) {
    char text[64] = {};
    const char kMissing[] = "<missing>";
    ::GetPrivateProfileStringA("Settings", key, kMissing, text, sizeof text, "Verbacap.INI");
    if (std::strcmp(text, kMissing) == 0) {
        return std::nullopt;
    }
    return std::string(text);
}

CQuilloryTextDlg& ProgramTest::Dialog() {
    CQuilloryTextDlg* dialog = DYNAMIC_DOWNCAST(CQuilloryTextDlg, AfxGetMainWnd());
    if (dialog == nullptr || dialog->m_hWnd == nullptr) {
        throw std::runtime_error("the main dialog is not running");
    }
    return *dialog;
}

RECT ProgramTest::HotKeyControlRect() {
    RECT rect = {};
    HWND control = Dialog().GetHotKeyControl();
    ::GetWindowRect(control, &rect);
    ::MapWindowPoints(nullptr, ::GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void ProgramTest::ChooseCommand(UINT commandId) {
    ::SendMessageA(Dialog().m_hWnd, WM_COMMAND, commandId, 0);
}

void ProgramTest::ClickOnPage() {
    // The version line under the settings: plain text of the page.
    RECT control = HotKeyControlRect();
    POINT below = {control.left - 40, control.bottom + 12};
    winsim::ClickWindowAt(Dialog().GetBrowserWindow(), below);
}
