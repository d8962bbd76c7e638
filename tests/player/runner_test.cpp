#include "scenario_fixture.h"

#include <winsim/windows.h>

#include <fstream>

namespace player {
namespace {

class RunnerTest : public ScenarioFixture {
protected:
    // A step the test defines, at line `line`.
    void Add(Scenario& scenario, int line, std::string text,
             std::function<void(ScenarioRun&)> run) {
        ScenarioFixture::Add(scenario, std::move(text), std::move(run));
        scenario.steps.back().line = line;
    }
    using ScenarioFixture::Add;
};

TEST_F(RunnerTest, StepsAfterStartRunInsideTheProgramAndAfterItEnds) {
    Scenario scenario = Parse("start\n");
    std::vector<std::string> seen;
    Add(scenario, 2, "look",
        [&](ScenarioRun& run) { seen.push_back(run.ProgramRunning() ? "inside" : "outside"); });
    Add(scenario, 3, "quit", [&](ScenarioRun&) { program.quit = true; });
    Add(scenario, 4, "look", [&](ScenarioRun& run) {
        seen.push_back(run.ProgramRunning() ? "inside" : "outside");
        EXPECT_EQ(run.LastExitCode(), 3);
    });
    Scenario tail = Parse("expect running no\n");
    scenario.steps.push_back(tail.steps[0]);
    RunResult result = Run(scenario);
    EXPECT_TRUE(result.passed) << result.reason;
    EXPECT_EQ(seen, (std::vector<std::string>{"inside", "outside"}));
    EXPECT_EQ(winsim::ScriptPending(), 0u);
}

TEST_F(RunnerTest, EachStartGetsItsOwnCommandLine) {
    Scenario scenario = Parse("exe 'C:\\V\\V.exe'\nstart\n");
    std::vector<std::string> commandLines;
    auto quit = [&](ScenarioRun&) {
        commandLines.push_back(GetCommandLineA());
        program.quit = true;
    };
    Add(scenario, 3, "quit", quit);
    scenario.steps.push_back(Parse("\n\n\nstart '\"C:\\V\\V.exe\" -autostart'").steps[0]);
    Add(scenario, 5, "quit", quit);
    scenario.steps.push_back(Parse("start").steps[0]);
    Add(scenario, 7, "quit", [&](ScenarioRun& run) {
        EXPECT_EQ(run.Starts(), 3);
        quit(run);
    });
    RunResult result = Run(scenario);
    EXPECT_TRUE(result.passed) << result.reason;
    EXPECT_EQ(commandLines,
              (std::vector<std::string>{"\"C:\\V\\V.exe\"", "\"C:\\V\\V.exe\" -autostart",
                                        "\"C:\\V\\V.exe\""}));
}

TEST_F(RunnerTest, FollowUpsRunInOrderBeforeTheNextStepEachInTheProgramsLoop) {
    Scenario scenario = Parse("start\n");
    std::vector<std::string> order;
    auto record = [&](std::string what, ScenarioRun& run) {
        order.push_back(what + (run.ProgramRunning() ? "" : " outside"));
    };
    Add(scenario, 2, "a", [&](ScenarioRun& run) {
        record("a", run);
        run.FollowUp([&] { record("a1", run); });
        run.FollowUp([&] {
            record("a2", run);
            run.FollowUp([&] { record("a2a", run); });
        });
    });
    Add(scenario, 3, "b", [&](ScenarioRun& run) {
        record("b", run);
        run.FollowUp([&] { program.quit = true; });
        run.FollowUp([&] { record("b1", run); });
    });
    RunResult result = Run(scenario);
    EXPECT_TRUE(result.passed) << result.reason;
    // The program ends as soon as its loop sees the quit; what follows still runs, after it.
    EXPECT_EQ(order, (std::vector<std::string>{"a", "a1", "a2", "a2a", "b", "b1 outside"}));
}

TEST_F(RunnerTest, AFailureInsideTheProgramStopsTheRunAtItsLine) {
    Scenario scenario = Parse("start\nexpect running no\n");
    bool ranAfter = false;
    Add(scenario, 3, "later", [&](ScenarioRun&) { ranAfter = true; });
    RunResult result = Run(scenario);
    EXPECT_FALSE(result.passed);
    EXPECT_EQ(result.line, 2);
    EXPECT_EQ(result.reason, "the program still runs");
    EXPECT_FALSE(ranAfter);
    EXPECT_NE(console.str().find("FAILED at line 2"), std::string::npos);
}

TEST_F(RunnerTest, AProgramStillWaitingAtTheEndFailsUnlessTheScenarioSaysItRuns) {
    Scenario open = Parse("start\n");
    RunResult result = Run(open);
    EXPECT_FALSE(result.passed);
    EXPECT_EQ(result.line, 1);
    EXPECT_NE(result.reason.find("the fake main window"), std::string::npos);
    EXPECT_NE(result.reason.find("expect running yes"), std::string::npos);

    winsim::ResetDesktop();
    Scenario stated = Parse("start\nexpect running yes\n");
    Add(stated, 3, "something after the statement", [](ScenarioRun&) {});
    RunResult passed = Run(stated);
    EXPECT_TRUE(passed.passed) << passed.reason;
    EXPECT_NE(console.str().find("the program still runs, as stated"), std::string::npos);
}

TEST_F(RunnerTest, StartingFailsWhileRunningOrWithoutAProgram) {
    Scenario twice = Parse("start\nstart\n");
    RunResult result = Run(twice);
    EXPECT_FALSE(result.passed);
    EXPECT_EQ(result.line, 2);
    EXPECT_EQ(result.reason, "the program is already running");

    winsim::ResetDesktop();
    RunResult missing = Run(Parse("start\n"), false);
    EXPECT_FALSE(missing.passed);
    EXPECT_EQ(missing.reason, "there is no program to start");
}

TEST_F(RunnerTest, DesktopStepsReachTheSimulatedDesktop) {
    std::string root = OwnTestDir("runner-root");
    Scenario scenario = Parse("display 8\nwindows 2000 classic\ncodepage 932\n"
                              "exe 'C:\\Outils\\V.exe'\nstart 'C:\\Outils\\V.exe -autostart'\n");
    std::string commandLine;
    Add(scenario, 6, "quit", [&](ScenarioRun&) {
        commandLine = GetCommandLineA();
        program.quit = true;
    });
    RunOptions options;
    options.outDir = OwnTestDir("out");
    options.rootDir = root;
    ProgramEntry entry = [this] { return program.Run(); };
    RunResult result = RunScenario(scenario, options, entry, transcript);
    ASSERT_TRUE(result.passed) << result.reason;
    const winsim::DesktopConfig& config = winsim::Config();
    EXPECT_EQ(config.displayBits, 8);
    EXPECT_EQ(config.windowsVersion, "2000");
    EXPECT_TRUE(config.classicTheme);
    EXPECT_EQ(config.codePage, 932u);
    EXPECT_EQ(config.exePath, "C:\\Outils\\V.exe");
    EXPECT_EQ(commandLine, "C:\\Outils\\V.exe -autostart");
    EXPECT_EQ(winsim::RootDir(), root);
}

TEST_F(RunnerTest, TheTranscriptTellsWhichFilesAStepWroteOrDeleted) {
    Scenario scenario;
    auto hostFile = [](const std::string& name) { return winsim::RootDir() + "/" + name; };
    Add(scenario, 1, "write", [&](ScenarioRun&) {
        std::filesystem::create_directories(hostFile("WINDOWS"));
        std::ofstream(hostFile("WINDOWS/Verbacap.INI")) << "[Settings]\n";
    });
    Add(scenario, 2, "nothing", [](ScenarioRun&) {});
    Add(scenario, 3, "rewrite", [&](ScenarioRun&) {
        std::ofstream(hostFile("WINDOWS/Verbacap.INI")) << "[Settings]\nVK=67\n";
    });
    Add(scenario, 4, "delete",
        [&](ScenarioRun&) { std::filesystem::remove(hostFile("WINDOWS/Verbacap.INI")); });
    scenario.steps.push_back(
        Parse("\n\n\n\nexpect file 'c:\\windows\\verbacap.ini' missing\n").steps[0]);
    RunResult result = Run(scenario);
    EXPECT_TRUE(result.passed) << result.reason;
    EXPECT_EQ(console.str(), "1: write  ->  file written C:\\WINDOWS\\Verbacap.INI\n"
                             "2: nothing\n"
                             "3: rewrite  ->  file written C:\\WINDOWS\\Verbacap.INI\n"
                             "4: delete  ->  file deleted C:\\WINDOWS\\Verbacap.INI\n"
                             "5: expect file 'c:\\windows\\verbacap.ini' missing\n");
}

TEST_F(RunnerTest, ExpectFileMatchesNamesWithoutRegardToCase) {
    // A root of the test's own: the run resets the desktop onto it, and the files stay.
    std::string root = OwnTestDir("case-root");
    std::filesystem::create_directories(root + "/Program Files/Verbacap/tmp");
    std::ofstream(root + "/Program Files/Verbacap/tmp/1a2b.jpg") << "x";
    Scenario scenario = Parse("expect file 'C:\\PROGRAM FILES\\verbacap\\TMP\\1A2B.JPG' exists\n"
                              "expect file 'C:\\Program Files\\Verbacap\\tmp\\1a2c.jpg' missing\n"
                              "expect file 'D:\\x' missing\n"
                              "expect file 'C:\\Program Files\\..\\PROGRAM FILES' exists\n");
    RunOptions options;
    options.outDir = OwnTestDir("out");
    options.rootDir = root;
    RunResult result = RunScenario(scenario, options, {}, transcript);
    EXPECT_TRUE(result.passed) << result.line << ": " << result.reason;

    Scenario wrong = Parse("expect file 'C:\\Program Files\\Verbacap\\tmp\\1a2b.jpg' missing\n");
    RunResult failed = RunScenario(wrong, options, {}, transcript);
    EXPECT_FALSE(failed.passed);
    EXPECT_EQ(failed.reason, "C:\\Program Files\\Verbacap\\tmp\\1a2b.jpg exists");
    std::filesystem::remove_all(root);
}

} // namespace
} // namespace player
