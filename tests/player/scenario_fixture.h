// A fixture for playing scenarios in-process: a fresh desktop, scenario text with steps of the
// test's own mixed in, and a stand-in program that waits for input until a step ends it.
#pragma once

#include "player/Runner.h"
#include "player/ScenarioParser.h"
#include "player/ScenarioRun.h"

#include <winsim/script.h>
#include <winsim/sim.h>

#include <gtest/gtest.h>

#include "test_dirs.h"

#include <sstream>

namespace player {

struct FakeProgram {
    bool quit = false;
    int exitCode = 3;
    int Run() {
        quit = false;
        while (!quit) {
            winsim::ScriptStepOrFail("the fake main window");
        }
        return exitCode;
    }
};

class ScenarioFixture : public ::testing::Test {
protected:
    void SetUp() override { winsim::ResetDesktop(); }

    Scenario Parse(std::string_view text) {
        Scenario scenario;
        ParseError error;
        EXPECT_TRUE(ParseScenario(text, scenario, error)) << error.line << ": " << error.message;
        return scenario;
    }

    // Appends the steps of `text`, numbered after the steps already there.
    void Append(Scenario& scenario, std::string_view text) {
        int offset = scenario.steps.empty() ? 0 : scenario.steps.back().line;
        for (Step step : Parse(text).steps) {
            step.line += offset;
            scenario.steps.push_back(std::move(step));
        }
    }

    // A step the test defines, numbered after the steps already there.
    void Add(Scenario& scenario, std::string text, std::function<void(ScenarioRun&)> run) {
        Step step;
        step.line = scenario.steps.empty() ? 1 : scenario.steps.back().line + 1;
        step.text = std::move(text);
        step.run = std::move(run);
        scenario.steps.push_back(std::move(step));
    }

    void AddQuit(Scenario& scenario) {
        Add(scenario, "quit", [this](ScenarioRun&) { program.quit = true; });
    }

    RunResult Run(const Scenario& scenario, bool withProgram = true) {
        RunOptions options;
        options.outDir = OwnTestDir("out");
        options.rootDir = rootDir;
        ProgramEntry entry;
        if (withProgram) {
            entry = [this] { return program.Run(); };
        }
        return RunScenario(scenario, options, entry, transcript);
    }

    FakeProgram program;
    std::string rootDir;
    std::ostringstream console;
    Transcript transcript{console};
};

} // namespace player
