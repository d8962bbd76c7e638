// What the builders of the scenario verbs share: the context of one step being built and the
// checks of common arguments (numbers, keys, elements, paths, fixed words).
#pragma once

#include "player/Scenario.h"
#include "player/Tokenizer.h"

#include <winsim/sim.h>

#include <initializer_list>
#include <string>
#include <vector>

namespace player {

// What a verb's builder works with: the words after the verb, the step being built, the
// desktop configuration and the error to report.
struct BuildContext {
    const std::vector<Token>& args;
    Step& step;
    winsim::DesktopConfig& desktop;
    std::string& error;

    const std::string& Arg(size_t i) const { return args[i].text; }

    bool Fail(const std::string& message) {
        error = message;
        return false;
    }
};

bool ParseInt(const std::string& text, long min, long max, long& value);
bool ParseSeconds(const std::string& text, double& seconds);
// One word out of a fixed set.
bool OneOf(BuildContext& c, size_t i, std::initializer_list<const char*> choices);
bool KeyArg(BuildContext& c, size_t i);
bool ElementArg(BuildContext& c, size_t i);
bool CountArg(BuildContext& c, size_t i, long& value);
bool SizeArgs(BuildContext& c, size_t i);
bool WindowsPathArg(BuildContext& c, size_t i);

// Builders of the steps on the desktop's settings, files and the program's start.
bool BuildDisplay(BuildContext& c);
bool BuildWindows(BuildContext& c);
bool BuildCodepage(BuildContext& c);
bool BuildExe(BuildContext& c);
bool BuildExpectFile(BuildContext& c);
bool BuildExpectRunning(BuildContext& c);
bool BuildStart(BuildContext& c);
bool BuildLogon(BuildContext& c);
bool BuildIni(BuildContext& c);
bool BuildExpectIni(BuildContext& c);
bool BuildRunValue(BuildContext& c);
bool BuildExpectRunValue(BuildContext& c);
bool BuildScreenshot(BuildContext& c);
bool BuildExpectTray(BuildContext& c);

// Builders of the steps of the person and of the other programs on the desktop.
bool BuildHotkeyTaken(BuildContext& c);
bool BuildMsgbox(BuildContext& c);
bool BuildDialog(BuildContext& c);
bool BuildForeground(BuildContext& c);
bool BuildKey(BuildContext& c);
bool BuildHotkeyField(BuildContext& c);
bool BuildWait(BuildContext& c);
// Another program holds the clipboard open for SECONDS.
bool BuildClipboardHeld(BuildContext& c);
// verb: "hover", "leave" or "click".
bool BuildPointer(BuildContext& c, const std::string& verb);
// command: "minimize", "close", "maximize" or "restore".
bool BuildWindowCommand(BuildContext& c, const std::string& command);
bool BuildAnswer(BuildContext& c);
bool BuildExpectVisible(BuildContext& c);
bool BuildExpectClass(BuildContext& c);
// Sets a checkbox of the page, through a click when its state changes.
bool BuildCheck(BuildContext& c);

// Builders of the steps on the program's popup menus and its tray icon.
bool BuildMenu(BuildContext& c);
bool BuildExpectMenu(BuildContext& c);
bool BuildTray(BuildContext& c);

// Builders of the steps on the program's page dialogs.
bool BuildField(BuildContext& c);
bool BuildCloseDialog(BuildContext& c);

// Builders of the expectations on what captures leave behind.
bool BuildExpectClipboard(BuildContext& c);
bool BuildExpectJpeg(BuildContext& c);
bool BuildExpectCaptures(BuildContext& c);
bool BuildExpectSound(BuildContext& c);

// Builders of the expectations on the capture list and its rows in the page.
bool BuildExpectEntries(BuildContext& c);
bool BuildExpectEntry(BuildContext& c);
bool BuildExpectColor(BuildContext& c);
bool BuildExpectMarkup(BuildContext& c);
bool BuildExpectNoScript(BuildContext& c);

// Builders of the steps at the entry menu and the save dialog, and of the expectation on the
// clipboard's picture.
bool BuildMouseDown(BuildContext& c);
// Points at an item of the open menu (by command id): it shows selected.
bool BuildMenuHover(BuildContext& c);
bool BuildSaveAs(BuildContext& c);
bool BuildSaveCancel(BuildContext& c);
bool BuildExpectClipboardImage(BuildContext& c);

} // namespace player
