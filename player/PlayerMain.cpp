#include "player/PlayerMain.h"

#include "player/Runner.h"
#include "player/ScenarioParser.h"
#include "player/Transcript.h"

#include <fstream>
#include <sstream>
#include <system_error>

namespace player {
namespace {

constexpr int kFailed = 1;
constexpr int kUnusable = 2;

const char kUsage[] = "usage: verbacap --scenario FILE [--out DIR] [--root DIR]";

struct Options {
    std::string scenario;
    std::string outDir = "out";
    std::string rootDir;
};

bool ParseOptions(const std::vector<std::string>& args, Options& options, std::string& error) {
    bool haveScenario = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& name = args[i];
        std::string* target = nullptr;
        if (name == "--scenario") {
            target = &options.scenario;
            haveScenario = true;
        } else if (name == "--out") {
            target = &options.outDir;
        } else if (name == "--root") {
            target = &options.rootDir;
        } else {
            error = "unknown argument '" + name + "'";
            return false;
        }
        if (i + 1 >= args.size() || args[i + 1].empty()) {
            error = name + " needs a value";
            return false;
        }
        *target = args[++i];
    }
    if (!haveScenario) {
        error = "--scenario FILE is required";
        return false;
    }
    return true;
}

bool ReadFile(const std::string& path, std::string& text) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return false;
    }
    std::ostringstream content;
    content << in.rdbuf();
    if (in.bad()) {
        return false;
    }
    text = content.str();
    return true;
}

} // namespace

int PlayerMain(const std::vector<std::string>& args, const ProgramEntry& program, std::ostream& out,
               std::ostream& err) {
    Options options;
    std::string error;
    if (!ParseOptions(args, options, error)) {
        err << "verbacap: " << error << '\n' << kUsage << '\n';
        return kUnusable;
    }
    std::string text;
    std::error_code fsError;
    if (std::filesystem::is_directory(options.scenario, fsError) ||
        !ReadFile(options.scenario, text)) {
        err << "verbacap: cannot read the scenario file " << options.scenario << '\n';
        return kUnusable;
    }
    Scenario scenario;
    ParseError parseError;
    if (!ParseScenario(text, scenario, parseError)) {
        err << options.scenario << ":" << parseError.line << ": " << parseError.message << '\n';
        return kUnusable;
    }
    std::filesystem::create_directories(options.outDir, fsError);
    Transcript transcript(out);
    if (fsError ||
        !transcript.Open(std::filesystem::path(options.outDir) / "transcript.txt", error)) {
        err << "verbacap: cannot write to the output folder " << options.outDir << '\n';
        return kUnusable;
    }
    RunOptions runOptions;
    runOptions.outDir = options.outDir;
    // The desktop keeps the root for the whole run: a relative one must not depend on later
    // changes of the working folder.
    runOptions.rootDir = options.rootDir.empty()
                             ? std::string()
                             : std::filesystem::absolute(options.rootDir, fsError).string();
    RunResult result = RunScenario(scenario, runOptions, program, transcript);
    if (!result.passed) {
        err << options.scenario << ":" << result.line << ": " << result.reason << '\n';
        return kFailed;
    }
    return 0;
}

} // namespace player
