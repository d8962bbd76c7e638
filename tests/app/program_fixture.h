// Runs Verbacap on a fresh simulated desktop, with the scripted person's steps queued before
// the start; the steps run while the program waits for input, and inspect it through its main
// dialog.
#pragma once

#include "app/QuilloryTextApp.h"
#include "res/resource.h"
#include "ui/QuilloryTextDlg.h"

#include <winsim/script.h>
#include <winsim/sim.h>
#include <winsim/sim_system.h>
#include <winsim/sim_user.h>

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>

// The combination a hot-key control holds (HKM_GETHOTKEY).
inline DWORD HotKeyOf(HWND control) {
    return static_cast<DWORD>(::SendMessageA(control, HKM_GETHOTKEY, 0, 0));
}

class ProgramTest : public ::testing::Test {
public:
    // The running program's main dialog (only inside steps).
    static CQuilloryTextDlg& Dialog();
    // The client rectangle of the hot-key control in its parent's client coordinates.
    static RECT HotKeyControlRect();
    // Clicks on the page below the hot-key control (on the page's text, away from any field).
    static void ClickOnPage();
    // Sends the main window a command of its menus, as choosing the item does.
    static void ChooseCommand(UINT commandId);

protected:
    void SetUp() override;
    void TearDown() override;

    // A fresh desktop whose command line is this one (empty: the quoted program path). Call it
    // first: it drops the queued steps.
    void NewDesktop(const std::string& commandLine);
    // Starts the program and returns its exit code once it has ended. Fails the test when the
    // script ran out while the program waited.
    int RunProgram();

    // Queues a step for the person at the desktop.
    void Step(const std::string& description, std::function<void()> step);
    // Queues a click on the main window's close box.
    void StepClose();

    // The settings file, read and written as another program would.
    static void WriteSetting(const char* key, const char* value);
    static std::optional<std::string> ReadSetting(const char* key);

    // The desktop starts with this configuration (set before RunProgram).
    winsim::DesktopConfig config_;
};
