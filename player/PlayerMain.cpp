#include "player/PlayerMain.h"

#include "player/DesktopText.h"
#include "player/PrintableText.h"
#include "player/Runner.h"
#include "player/ScenarioParser.h"
#include "player/Transcript.h"

#include <fstream>
#include <sstream>
#include <system_error>
#include <utility>
#include <vector>

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

// No scenario is anywhere near this size; a larger file (or an endless one such as a device)
// is refused rather than read until memory runs out.
constexpr size_t kMaxScenarioBytes = 64u << 20;

enum class ReadResult { Read, Unreadable, TooLarge };

ReadResult ReadFile(const std::string& path, std::string& text) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return ReadResult::Unreadable;
    }
    std::vector<char> chunk(1u << 16);
    text.clear();
    while (in) {
        in.read(chunk.data(), static_cast<std::streamsize>(chunk.size()));
        text.append(chunk.data(), static_cast<size_t>(in.gcount()));
        if (text.size() > kMaxScenarioBytes) {
            return ReadResult::TooLarge;
        }
    }
    return in.bad() ? ReadResult::Unreadable : ReadResult::Read;
}

// The program's path is written in UTF-8 in the file, and the desktop's file functions take it
// in the desktop's code page, which the scenario may set after the path.
bool ConvertProgramPath(winsim::DesktopConfig& desktop, std::string& error) {
    bool lost = false;
    std::string converted = ToCodePage(desktop.exePath, desktop.codePage, lost);
    if (lost) {
        error = "the program path '" + desktop.exePath +
                "' cannot be written in the desktop's code page " +
                std::to_string(desktop.codePage);
        return false;
    }
    desktop.exePath = std::move(converted);
    return true;
}

} // namespace

int PlayerMain(const std::vector<std::string>& args, const ProgramEntry& program, std::ostream& out,
               std::ostream& err) {
    Options options;
    std::string error;
    if (!ParseOptions(args, options, error)) {
        err << "verbacap: " << PrintableText(error) << '\n' << kUsage << '\n';
        return kUnusable;
    }
    std::string text;
    std::error_code fsError;
    if (!options.rootDir.empty() && std::filesystem::exists(options.rootDir, fsError) &&
        !std::filesystem::is_directory(options.rootDir, fsError)) {
        err << "verbacap: --root " << PrintableText(options.rootDir) << " is not a folder\n";
        return kUnusable;
    }
    const ReadResult read = std::filesystem::is_directory(options.scenario, fsError)
                                ? ReadResult::Unreadable
                                : ReadFile(options.scenario, text);
    if (read != ReadResult::Read) {
        err << "verbacap: " << PrintableText(options.scenario)
            << (read == ReadResult::TooLarge ? " is larger than 64 MB: not a scenario file"
                                             : ": cannot read the scenario file")
            << '\n';
        return kUnusable;
    }
    Scenario scenario;
    ParseError parseError;
    if (!ParseScenario(text, scenario, parseError)) {
        err << PrintableText(options.scenario) << ":" << parseError.line << ": "
            << PrintableText(parseError.message) << '\n';
        return kUnusable;
    }
    if (!ConvertProgramPath(scenario.desktop, error)) {
        err << PrintableText(options.scenario) << ": " << PrintableText(error) << '\n';
        return kUnusable;
    }
    std::filesystem::create_directories(options.outDir, fsError);
    Transcript transcript(out);
    if (fsError ||
        !transcript.Open(std::filesystem::path(options.outDir) / "transcript.txt", error)) {
        err << "verbacap: cannot write to the output folder " << PrintableText(options.outDir)
            << '\n';
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
        err << PrintableText(options.scenario) << ":" << result.line << ": "
            << PrintableText(result.reason) << '\n';
        return kFailed;
    }
    return 0;
}

} // namespace player
