// The executable's way of starting the program: the application object through the framework's
// entry, with the command line that the `start` step gives.
#include "player/PlayerMain.h"

#include "framework/CWinApp.h"

#include <winsim/sim.h>

#include <gtest/gtest.h>

#include "test_dirs.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

// An application like the program's: all its work happens in InitInstance, here a message box
// that waits for the person.
class CTestApp : public CWinApp {
public:
    BOOL InitInstance() override {
        ++starts;
        arguments.push_back(m_lpCmdLine ? m_lpCmdLine : "");
        MessageBoxA(nullptr, "Bonjour", "Essai", MB_OK);
        return FALSE;
    }
    int starts = 0;
    std::vector<std::string> arguments;
};

CTestApp theApp;

TEST(ProgramEntry, StartRunsTheApplicationObjectWhoseLoopsRunTheNextSteps) {
    winsim::ResetDesktop();
    std::filesystem::path dir = std::filesystem::path(player::OwnTestDir("program-entry"));
    std::filesystem::create_directories(dir);
    std::ofstream((dir / "start.scn").string())
        << "start '\"C:\\Program Files\\Verbacap\\Verbacap.exe\" -autostart'\n"
           "expect running yes\n"
           "answer ok\n"
           "expect running no\n"
           "start\n"
           "answer ok\n";
    std::ostringstream out;
    std::ostringstream err;
    int status = player::PlayerMain(
        {"--scenario", (dir / "start.scn").string(), "--out", (dir / "out").string()},
        player::LinkedProgramEntry(), out, err);
    EXPECT_EQ(status, 0) << err.str() << out.str();
    EXPECT_EQ(theApp.starts, 2);
    EXPECT_EQ(theApp.arguments, (std::vector<std::string>{"-autostart", ""}));
    EXPECT_NE(out.str().find("1: start '\"C:\\Program Files\\Verbacap\\Verbacap.exe\" -autostart'"
                             "  ->  message box 'Essai': Bonjour"),
              std::string::npos)
        << out.str();
    std::filesystem::remove_all(dir);
}

} // namespace
