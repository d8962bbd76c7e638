#include "player/ScenarioParser.h"

#include "player/Tokenizer.h"
#include "player/Verbs.h"

namespace player {

bool ParseScenario(std::string_view text, Scenario& scenario, ParseError& error) {
    scenario = Scenario();
    // Editors on Windows start UTF-8 files with a byte-order mark.
    if (text.substr(0, 3) == "\xEF\xBB\xBF") {
        text.remove_prefix(3);
    }
    StepBuilder builder(scenario.desktop);
    int lineNumber = 0;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        std::string_view line = text.substr(
            start, end == std::string_view::npos ? std::string_view::npos : end - start);
        ++lineNumber;
        std::vector<Token> tokens;
        std::string message;
        if (!TokenizeLine(line, tokens, message)) {
            error = ParseError{lineNumber, message};
            return false;
        }
        if (!tokens.empty()) {
            Step step;
            step.line = lineNumber;
            if (!builder.Build(tokens, step, message)) {
                error = ParseError{lineNumber, message};
                return false;
            }
            scenario.steps.push_back(std::move(step));
        }
        if (end == std::string_view::npos) {
            break;
        }
        start = end + 1;
    }
    return true;
}

} // namespace player
