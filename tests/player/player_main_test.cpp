#include "player/PlayerMain.h"
#include "test_dirs.h"

#include <winsim/script.h>
#include <winsim/sim.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace player {
namespace {

class PlayerMainTest : public ::testing::Test {
protected:
    void SetUp() override {
        winsim::ResetDesktop();
        dir = OwnTestDir("player-main");
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
    }
    void TearDown() override { std::filesystem::remove_all(dir.parent_path()); }

    std::string Write(const std::string& name, const std::string& text) {
        std::ofstream((dir / name).string()) << text;
        return (dir / name).string();
    }

    int Play(std::vector<std::string> args, const ProgramEntry& program = {}) {
        out.str("");
        err.str("");
        return PlayerMain(args, program, out, err);
    }

    std::string OutDir() const { return (dir / "out").string(); }

    std::string Transcript() const {
        std::ifstream in(dir / "out" / "transcript.txt");
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }

    std::filesystem::path dir;
    std::ostringstream out;
    std::ostringstream err;
};

TEST_F(PlayerMainTest, APassingScenarioExitsWithZeroAndWritesItsTranscript) {
    std::string file = Write("ok.scn", "display 24   # true colour\nexpect running no\n");
    EXPECT_EQ(Play({"--scenario", file, "--out", OutDir()}), 0) << err.str();
    EXPECT_EQ(err.str(), "");
    EXPECT_EQ(Transcript(), "1: display 24\n2: expect running no\n");
    EXPECT_EQ(Transcript(), out.str());
}

TEST_F(PlayerMainTest, AFailingStepExitsWithOneNamingItsLine) {
    std::string file = Write("fail.scn", "windows xp\n\nexpect file 'C:\\nothing.txt' exists\n");
    EXPECT_EQ(Play({"--out", OutDir(), "--scenario", file}), 1);
    EXPECT_EQ(err.str(), file + ":3: C:\\nothing.txt is missing\n");
    EXPECT_NE(Transcript().find("FAILED at line 3"), std::string::npos);
}

TEST_F(PlayerMainTest, AParseErrorExitsWithTwoBeforeAnythingRuns) {
    std::string file = Write("bad.scn", "expect file 'C:\\x' exists\nteleport\n");
    EXPECT_EQ(Play({"--scenario", file, "--out", OutDir()}), 2);
    EXPECT_EQ(err.str(), file + ":2: unknown verb 'teleport'\n");
    EXPECT_FALSE(std::filesystem::exists(dir / "out" / "transcript.txt"));
}

TEST_F(PlayerMainTest, StartWithoutTheProgramIsAFailureNotAPass) {
    std::string file = Write("start.scn", "start\nexpect running yes\n");
    EXPECT_EQ(Play({"--scenario", file, "--out", OutDir()}), 1);
    EXPECT_NE(err.str().find(":1: there is no program to start"), std::string::npos);
}

TEST_F(PlayerMainTest, TheRootFolderKeepsWhatARunLeft) {
    std::string root = (dir / "root").string();
    std::filesystem::create_directories(dir / "root" / "WINDOWS");
    std::ofstream((dir / "root" / "WINDOWS" / "Verbacap.INI").string()) << "[Settings]\n";
    std::string file = Write("root.scn", "expect file 'C:\\Windows\\verbacap.ini' exists\n");
    EXPECT_EQ(Play({"--scenario", file, "--out", OutDir(), "--root", root}), 0) << err.str();
    EXPECT_EQ(winsim::RootDir(), root);

    // A relative root is taken from the working folder at the start.
    std::filesystem::path working = std::filesystem::current_path();
    std::filesystem::current_path(dir);
    int status = Play({"--scenario", file, "--out", OutDir(), "--root", "root"});
    std::filesystem::current_path(working);
    EXPECT_EQ(status, 0) << err.str();
    EXPECT_EQ(winsim::RootDir(), root);
}

TEST_F(PlayerMainTest, AnUnusableCommandLineOrFileExitsWithTwo) {
    std::string file = Write("ok.scn", "display 8\n");
    EXPECT_EQ(Play({}), 2);
    EXPECT_NE(err.str().find("usage: verbacap --scenario FILE"), std::string::npos);
    EXPECT_EQ(Play({"--scenario"}), 2);
    EXPECT_EQ(Play({"--scenario", file, "--out"}), 2);
    EXPECT_EQ(Play({"--scenario", file, "--colour"}), 2);
    EXPECT_EQ(Play({"--out", OutDir()}), 2);
    EXPECT_EQ(Play({"--scenario", (dir / "missing.scn").string(), "--out", OutDir()}), 2);
    EXPECT_NE(err.str().find("cannot read the scenario file"), std::string::npos);
    EXPECT_EQ(Play({"--scenario", dir.string(), "--out", OutDir()}), 2);
    // An output folder that cannot be made: a file is in the way.
    std::string blocker = Write("blocker", "");
    EXPECT_EQ(Play({"--scenario", file, "--out", blocker + "/out"}), 2);
    EXPECT_NE(err.str().find("cannot write to the output folder"), std::string::npos);
}

TEST_F(PlayerMainTest, AnEndlessFileAndARootThatIsNoFolderExitWithTwo) {
    EXPECT_EQ(Play({"--scenario", "/dev/zero", "--out", OutDir()}), 2);
    EXPECT_NE(err.str().find("larger than 64 MB"), std::string::npos) << err.str();
    std::string file = Write("ok.scn", "display 8\n");
    std::string notAFolder = Write("root-file", "");
    EXPECT_EQ(Play({"--scenario", file, "--out", OutDir(), "--root", notAFolder}), 2);
    EXPECT_NE(err.str().find("is not a folder"), std::string::npos) << err.str();
}

TEST_F(PlayerMainTest, BracesNestedWithoutEndAreRefusedWithTheirLine) {
    std::string line = "dialog T A";
    for (int i = 0; i < 60000; ++i) {
        line += " { A";
    }
    std::string file = Write("deep.scn", "display 8\n" + line + "\n");
    EXPECT_EQ(Play({"--scenario", file, "--out", OutDir()}), 2);
    EXPECT_NE(err.str().find(":2: "), std::string::npos) << err.str().substr(0, 200);
    EXPECT_NE(err.str().find("nested deeper"), std::string::npos) << err.str().substr(0, 200);
}

TEST_F(PlayerMainTest, ControlCharactersReachTheTerminalAndTheTranscriptEscaped) {
    std::string file = Write("esc.scn", "tele\x1b[2Jport\n");
    EXPECT_EQ(Play({"--scenario", file, "--out", OutDir()}), 2);
    EXPECT_EQ(err.str(), file + ":1: unknown verb 'tele\\x1B[2Jport'\n");
    file = Write("esc2.scn", "expect file 'C:\\a\rb\x07' exists\n");
    EXPECT_EQ(Play({"--scenario", file, "--out", OutDir()}), 1);
    EXPECT_EQ(err.str(), file + ":1: C:\\a\\rb\\x07 is missing\n");
    EXPECT_EQ(Transcript().find_first_of("\r\x07\x1b"), std::string::npos);
    EXPECT_NE(Transcript().find("C:\\a\\rb\\x07"), std::string::npos) << Transcript();
}

TEST_F(PlayerMainTest, TheProgramPathIsGivenToTheDesktopInItsCodePage) {
    // "表示" is 0x95 0x5C 0x8E 0xA6 in code page 932: the first character ends in a backslash
    // byte, which must not count as a separator.
    std::string file = Write("cp.scn", "exe 'C:\\\xE8\xA1\xA8\xE7\xA4\xBA\\Verbacap.exe'\n"
                                       "codepage 932\n"
                                       "expect captures 0\n");
    EXPECT_EQ(Play({"--scenario", file, "--out", OutDir()}), 0) << err.str();
    EXPECT_EQ(winsim::Config().exePath, "C:\\\x95\x5C\x8E\xA6\\Verbacap.exe");
    file = Write("lost.scn", "exe 'C:\\\xE8\xA1\xA8\\Verbacap.exe'\n");
    EXPECT_EQ(Play({"--scenario", file, "--out", OutDir()}), 2);
    EXPECT_NE(err.str().find("cannot be written in the desktop's code page 1252"),
              std::string::npos)
        << err.str();
}

} // namespace
} // namespace player
