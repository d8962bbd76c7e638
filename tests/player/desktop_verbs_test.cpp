#include "player/DesktopFiles.h"
#include "scenario_fixture.h"

#include <winsim/sim_system.h>
#include <winsim/sim_user.h>
#include <winsim/windows.h>

#include <cstring>
#include <fstream>

namespace player {
namespace {

class DesktopVerbsTest : public ScenarioFixture {};

TEST_F(DesktopVerbsTest, IniStepsUseTheIniFileNamedAfterTheProgram) {
    Scenario scenario = Parse("exe 'C:\\Outils\\Outil.exe'\n"
                              "ini VK 88\n"
                              "ini CopyAll 2\n"
                              "expect ini VK 88\n"
                              "expect file 'C:\\WINDOWS\\Outil.INI' exists\n");
    RunResult result = Run(scenario);
    ASSERT_TRUE(result.passed) << result.reason;
    EXPECT_EQ(GetPrivateProfileIntA("Settings", "VK", 0, "Outil.INI"), 88u);
    EXPECT_EQ(GetPrivateProfileIntA("Settings", "CopyAll", 0, "Outil.INI"), 2u);
    EXPECT_NE(console.str().find("2: ini VK 88  ->  file written C:\\WINDOWS\\Outil.INI"),
              std::string::npos)
        << console.str();
}

// The player remembers what it read of each file; a file rewritten with the same length at once
// after a look at the drive (within one tick of the file clock) is still seen as written.
TEST_F(DesktopVerbsTest, DriveFilesSeeEveryRewriteOfAFileEvenWithTheSameLength) {
    const std::string host = winsim::RootDir() + "/note.txt";
    const auto write = [&host](const char* text) { std::ofstream(host, std::ios::binary) << text; };
    write("aaaa");
    const std::string first = DriveFiles()["C:\\note.txt"];
    write("bbbb");
    const std::string second = DriveFiles()["C:\\note.txt"];
    EXPECT_NE(first, second);
    EXPECT_EQ(DriveFiles()["C:\\note.txt"], second);
    write("aaaa");
    EXPECT_EQ(DriveFiles()["C:\\note.txt"], first);
}

TEST_F(DesktopVerbsTest, ExpectIniTellsAMissingKeyFromAnotherValue) {
    RunResult missing = Run(Parse("ini VK 67\nexpect ini Mod 4\n"));
    EXPECT_FALSE(missing.passed);
    EXPECT_EQ(missing.line, 2);
    EXPECT_EQ(missing.reason, "the INI file Verbacap.INI has no value Mod in [Settings]");

    winsim::ResetDesktop();
    RunResult other = Run(Parse("ini VK 67\nexpect ini VK 88\n"));
    EXPECT_EQ(other.reason, "INI value VK is '67', expected '88'");

    winsim::ResetDesktop();
    RunResult empty = Run(Parse("ini VK ''\nexpect ini VK ''\n"));
    EXPECT_TRUE(empty.passed) << empty.reason;
}

TEST_F(DesktopVerbsTest, RunValueStepsReadAndWriteTheRunKey) {
    Scenario scenario =
        Parse("expect run-value missing\n"
              "run-value '\"C:\\Program Files\\Verbacap\\Verbacap.exe\" -autostart'\n"
              "expect run-value '\"C:\\Program Files\\Verbacap\\Verbacap.exe\" "
              "-autostart'\n");
    RunResult result = Run(scenario);
    ASSERT_TRUE(result.passed) << result.reason;
    EXPECT_EQ(
        winsim::RegistryString("Software\\Microsoft\\Windows\\CurrentVersion\\Run", "Verbacap"),
        "\"C:\\Program Files\\Verbacap\\Verbacap.exe\" -autostart");
    EXPECT_NE(console.str().find("  ->  Run value '\"C:\\Program Files\\Verbacap\\Verbacap.exe\" "
                                 "-autostart'"),
              std::string::npos)
        << console.str();
    // The registry's own store is no file of the PC.
    EXPECT_EQ(console.str().find("registry"), std::string::npos) << console.str();

    winsim::ResetDesktop();
    RunResult wrong = Run(Parse("run-value x\nexpect run-value missing\n"));
    EXPECT_EQ(wrong.reason, "the Run value is 'x', expected missing");
    winsim::ResetDesktop();
    // A quoted "missing" is a value like any other.
    RunResult quoted = Run(Parse("run-value missing\nexpect run-value 'missing'\n"));
    EXPECT_TRUE(quoted.passed) << quoted.reason;
}

TEST_F(DesktopVerbsTest, LogonStartsTheProgramWithTheRunValue) {
    Scenario scenario = Parse("run-value 'C:\\Program Files\\Verbacap\\Verbacap.exe -autostart'\n"
                              "logon\n");
    std::string commandLine;
    Add(scenario, "look", [&](ScenarioRun& run) {
        EXPECT_TRUE(run.ProgramRunning());
        commandLine = GetCommandLineA();
        program.quit = true;
    });
    RunResult result = Run(scenario);
    ASSERT_TRUE(result.passed) << result.reason;
    EXPECT_EQ(commandLine, "C:\\Program Files\\Verbacap\\Verbacap.exe -autostart");

    winsim::ResetDesktop();
    RunResult none = Run(Parse("logon\n"));
    EXPECT_FALSE(none.passed);
    EXPECT_EQ(none.line, 1);
    EXPECT_NE(none.reason.find("no Run value"), std::string::npos);
}

TEST_F(DesktopVerbsTest, ScreenshotWritesAPngIntoTheOutputFolder) {
    std::filesystem::path file = std::filesystem::path(OwnTestDir("out")) / "empty-desk.png";
    std::filesystem::remove(file);
    RunResult result = Run(Parse("display 16\nscreenshot empty-desk\n"));
    ASSERT_TRUE(result.passed) << result.reason;
    std::ifstream in(file, std::ios::binary);
    char signature[8] = {};
    in.read(signature, sizeof signature);
    EXPECT_EQ(std::memcmp(signature, "\x89PNG\r\n\x1a\n", 8), 0);

    Scenario bad;
    ParseError error;
    EXPECT_FALSE(ParseScenario("screenshot ../escape\n", bad, error));
    EXPECT_FALSE(ParseScenario("screenshot .hidden\n", bad, error));
}

TEST_F(DesktopVerbsTest, ExpectTrayWithoutIcons) {
    EXPECT_TRUE(Run(Parse("expect tray no\n")).passed);
    RunResult yes = Run(Parse("expect tray yes\n"));
    EXPECT_EQ(yes.reason, "no tray icon is shown");
}

TEST_F(DesktopVerbsTest, TextsReachTheDesktopInItsCodePage) {
    Scenario scenario = Parse("ini Titre 'Propriétés'\n"
                              "expect ini Titre 'Propriétés'\n"
                              "msgbox 'Été' 'Fichier introuvable'\n");
    RunResult result = Run(scenario);
    ASSERT_TRUE(result.passed) << result.reason;
    char value[64] = {};
    GetPrivateProfileStringA("Settings", "Titre", "", value, sizeof value, "Verbacap.INI");
    EXPECT_STREQ(value, "Propri\xE9t\xE9s");
    HWND box = winsim::OpenMessageBox();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(winsim::MessageBoxCaption(box), "\xC9t\xE9");
    EXPECT_NE(console.str().find("message box 'Été': Fichier introuvable"), std::string::npos)
        << console.str();

    winsim::ResetDesktop();
    RunResult lost = Run(Parse("msgbox 日本 語\n"));
    EXPECT_EQ(lost.reason, "the text '日本' cannot be written in the desktop's code page 1252");

    winsim::ResetDesktop();
    RunResult japanese = Run(Parse("codepage 932\nmsgbox 日本 語\n"));
    ASSERT_TRUE(japanese.passed) << japanese.reason;
    EXPECT_EQ(winsim::MessageBoxCaption(winsim::OpenMessageBox()), "\x93\xFA\x96\x7B");
}

TEST_F(DesktopVerbsTest, TheTranscriptShowsWhatReachesTheClipboard) {
    Scenario scenario;
    Add(scenario, "copy", [](ScenarioRun&) {
        const char text[] = "Ligne 1\r\nLigne 2";
        HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, sizeof text);
        std::memcpy(GlobalLock(memory), text, sizeof text);
        GlobalUnlock(memory);
        ASSERT_TRUE(OpenClipboard(nullptr));
        EmptyClipboard();
        SetClipboardData(CF_TEXT, memory);
        CloseClipboard();
    });
    Add(scenario, "again", [](ScenarioRun&) {});
    RunResult result = Run(scenario);
    ASSERT_TRUE(result.passed) << result.reason;
    EXPECT_EQ(console.str(), "1: copy  ->  clipboard text \"Ligne 1\\r\\nLigne 2\"\n2: again\n");
}

} // namespace
} // namespace player
