#include "player/Runner.h"

#include "player/CaptureFiles.h"
#include "player/DesktopObserver.h"
#include "player/ScenarioRun.h"
#include "player/StepQueue.h"

#include <winsim/script.h>
#include <winsim/sim.h>

namespace player {
namespace {

// Writes each step's transcript line once the next step begins (or the run ends): what the
// program did in answer to a step shows only by then.
class StepTracker {
public:
    StepTracker(const Scenario& scenario, Transcript& transcript, std::filesystem::path outDir)
        : scenario_(scenario), transcript_(transcript), outDir_(std::move(outDir)),
          before_(TakeSnapshot()) {}

    void Begin(size_t index) {
        Finish();
        current_ = static_cast<long>(index);
    }

    // Ends the current step's line.
    void Finish() {
        if (current_ < 0) {
            return;
        }
        DesktopSnapshot now = TakeSnapshot();
        const Step& step = scenario_.steps[static_cast<size_t>(current_)];
        transcript_.Step(step.line, step.text, DescribeChanges(before_, now));
        KeepCaptureOutputs(before_, now, outDir_);
        before_ = std::move(now);
        last_ = current_;
        current_ = -1;
    }

    // The step that runs now, or the last one that ran.
    const Step* Current() const {
        long index = current_ >= 0 ? current_ : last_;
        return index >= 0 ? &scenario_.steps[static_cast<size_t>(index)] : nullptr;
    }

private:
    const Scenario& scenario_;
    Transcript& transcript_;
    std::filesystem::path outDir_;
    DesktopSnapshot before_;
    long current_ = -1;
    long last_ = -1;
};

RunResult Failure(const Step* step, const std::string& reason) {
    return RunResult{false, step ? step->line : 0, reason};
}

} // namespace

RunResult RunScenario(const Scenario& scenario, const RunOptions& options,
                      const ProgramEntry& program, Transcript& transcript) {
    winsim::DesktopConfig config = scenario.desktop;
    config.rootDir = options.rootDir;
    winsim::ResetDesktop(config);

    ScenarioRun run(program, options.outDir);
    StepTracker tracker(scenario, transcript, options.outDir);
    StepQueue queue;
    run.SetFollowUps([&queue, &tracker](std::function<void()> action) {
        const Step* step = tracker.Current();
        queue.FollowUp(step ? step->text : std::string(), std::move(action));
    });
    for (size_t i = 0; i < scenario.steps.size(); ++i) {
        const Step& step = scenario.steps[i];
        queue.Append(step.text, [&tracker, &run, &step, i] {
            tracker.Begin(i);
            step.run(run);
        });
    }

    RunResult result;
    try {
        while (winsim::ScriptRunNext()) {
        }
    } catch (const StepFailure& failure) {
        result = Failure(tracker.Current(), failure.what());
    } catch (const winsim::ScriptExhausted& exhausted) {
        if (run.StatedRunning()) {
            tracker.Finish();
            transcript.Note("end: the program still runs, as stated; the run stops here");
        } else {
            result = Failure(tracker.Current(),
                             std::string(exhausted.what()) +
                                 " (end the scenario with a step that ends the program, or "
                                 "with 'expect running yes' to leave it running)");
        }
    } catch (const std::exception& error) {
        result = Failure(tracker.Current(), std::string("unexpected error: ") + error.what());
    }
    tracker.Finish();
    winsim::ScriptClear();
    if (!result.passed) {
        transcript.Note("FAILED at line " + std::to_string(result.line) + ": " + result.reason);
    }
    return result;
}

} // namespace player
