#include "player/Verbs.h"

#include "player/VerbSupport.h"

#include <functional>
#include <map>

namespace player {
namespace {

enum class Phase {
    // Configures the desktop: only before the first start.
    Desktop,
    // Anywhere.
    Any,
};

struct Verb {
    const char* usage;
    size_t minArgs;
    size_t maxArgs;
    Phase phase;
    std::function<bool(BuildContext&)> build;
};

constexpr size_t kMany = static_cast<size_t>(-1);

const std::map<std::string, Verb>& Verbs() {
    auto command = [](const char* name) {
        return [name](BuildContext& c) { return BuildWindowCommand(c, name); };
    };
    auto pointer = [](const char* name) {
        return [name](BuildContext& c) { return BuildPointer(c, name); };
    };

    static const std::map<std::string, Verb> verbs = {
        // The desktop.
        {"display", {"display BITS", 1, 1, Phase::Desktop, BuildDisplay}},
        {"windows", {"windows VERSION [classic]", 1, 2, Phase::Desktop, BuildWindows}},
        {"codepage", {"codepage N", 1, 1, Phase::Desktop, BuildCodepage}},
        {"exe", {"exe PATH", 1, 1, Phase::Desktop, BuildExe}},
        {"ini", {"ini KEY VALUE", 2, 2, Phase::Any, BuildIni}},
        {"run-value", {"run-value VALUE", 1, 1, Phase::Any, BuildRunValue}},
        {"hotkey-taken", {"hotkey-taken COMBO", 1, 1, Phase::Any, BuildHotkeyTaken}},
        // Running.
        {"start", {"start [COMMANDLINE]", 0, 1, Phase::Any, BuildStart}},
        {"logon", {"logon", 0, 0, Phase::Any, BuildLogon}},
        {"msgbox", {"msgbox TITLE TEXT", 2, 2, Phase::Any, BuildMsgbox}},
        {"dialog", {"dialog TITLE TEXT...", 1, kMany, Phase::Any, BuildDialog}},
        {"foreground", {"foreground main|none|last", 1, 1, Phase::Any, BuildForeground}},
        {"key", {"key COMBO", 1, 1, Phase::Any, BuildKey}},
        {"hotkey-field", {"hotkey-field COMBO", 1, 1, Phase::Any, BuildHotkeyField}},
        {"wait", {"wait SECONDS", 1, 1, Phase::Any, BuildWait}},
        {"clipboard-held", {"clipboard-held SECONDS", 1, 1, Phase::Any, BuildClipboardHeld}},
        {"hover", {"hover ID", 1, 1, Phase::Any, pointer("hover")}},
        {"leave", {"leave ID", 1, 1, Phase::Any, pointer("leave")}},
        {"click", {"click ID", 1, 1, Phase::Any, pointer("click")}},
        {"mousedown", {"mousedown ID", 1, 1, Phase::Any, BuildMouseDown}},
        {"check", {"check ID on|off", 2, 2, Phase::Any, BuildCheck}},
        {"field", {"field ID TEXT", 2, 2, Phase::Any, BuildField}},
        {"close-dialog", {"close-dialog", 0, 0, Phase::Any, BuildCloseDialog}},
        {"menu", {"menu CHOICE", 1, 1, Phase::Any, BuildMenu}},
        {"menu-hover", {"menu-hover ID", 1, 1, Phase::Any, BuildMenuHover}},
        {"save-as", {"save-as PATH", 1, 1, Phase::Any, BuildSaveAs}},
        {"save-cancel", {"save-cancel", 0, 0, Phase::Any, BuildSaveCancel}},
        {"answer", {"answer ok|cancel|yes|no", 1, 1, Phase::Any, BuildAnswer}},
        {"tray", {"tray left|right", 1, 1, Phase::Any, BuildTray}},
        {"minimize", {"minimize", 0, 0, Phase::Any, command("minimize")}},
        {"close", {"close", 0, 0, Phase::Any, command("close")}},
        {"maximize", {"maximize", 0, 0, Phase::Any, command("maximize")}},
        {"restore", {"restore", 0, 0, Phase::Any, command("restore")}},
        {"screenshot", {"screenshot NAME", 1, 1, Phase::Any, BuildScreenshot}},
        // Expectations.
        {"expect clipboard", {"expect clipboard TEXT", 1, 1, Phase::Any, BuildExpectClipboard}},
        {"expect clipboard-image",
         {"expect clipboard-image W H", 2, 2, Phase::Any, BuildExpectClipboardImage}},
        {"expect entries", {"expect entries N", 1, 1, Phase::Any, BuildExpectEntries}},
        {"expect entry", {"expect entry I text TEXT", 3, 3, Phase::Any, BuildExpectEntry}},
        {"expect file", {"expect file PATH exists|missing", 2, 2, Phase::Any, BuildExpectFile}},
        {"expect jpeg", {"expect jpeg PATH W H", 3, 3, Phase::Any, BuildExpectJpeg}},
        {"expect captures", {"expect captures N", 1, 1, Phase::Any, BuildExpectCaptures}},
        {"expect ini", {"expect ini KEY VALUE", 2, 2, Phase::Any, BuildExpectIni}},
        {"expect run-value",
         {"expect run-value VALUE|missing", 1, 1, Phase::Any, BuildExpectRunValue}},
        {"expect class", {"expect class ID CLASS", 2, 2, Phase::Any, BuildExpectClass}},
        {"expect color", {"expect color ID COLOR", 2, 2, Phase::Any, BuildExpectColor}},
        {"expect markup", {"expect markup ID TEXT", 2, 2, Phase::Any, BuildExpectMarkup}},
        {"expect no-script", {"expect no-script ID", 1, 1, Phase::Any, BuildExpectNoScript}},
        {"expect visible", {"expect visible yes|no", 1, 1, Phase::Any, BuildExpectVisible}},
        {"expect tray", {"expect tray yes|no", 1, 1, Phase::Any, BuildExpectTray}},
        {"expect menu",
         {"expect menu ITEM checked|unchecked|default", 2, 2, Phase::Any, BuildExpectMenu}},
        {"expect sound", {"expect sound N", 1, 1, Phase::Any, BuildExpectSound}},
        {"expect running", {"expect running yes|no", 1, 1, Phase::Any, BuildExpectRunning}},
    };
    return verbs;
}

// A word written in quotes keeps them (a quoted "{" or "missing" is text, not a keyword), and
// so does any word that could not be read back without them.
bool NeedsQuotes(const Token& token) {
    return token.quoted || token.text.empty() ||
           token.text.find_first_of(" \t\r\n\"'\\#") != std::string::npos;
}

} // namespace

std::string StepText(const std::vector<Token>& tokens) {
    std::string text;
    for (const Token& token : tokens) {
        if (!text.empty()) {
            text += ' ';
        }
        if (!NeedsQuotes(token)) {
            text += token.text;
            continue;
        }
        if (token.text.find('\'') == std::string::npos &&
            token.text.find_first_of("\r\n\t") == std::string::npos) {
            text += "'" + token.text + "'";
            continue;
        }
        text += '"';
        for (char ch : token.text) {
            switch (ch) {
            case '\n':
                text += "\\n";
                break;
            case '\r':
                text += "\\r";
                break;
            case '\t':
                text += "\\t";
                break;
            case '"':
                text += "\\\"";
                break;
            case '\\':
                text += "\\\\";
                break;
            default:
                text += ch;
            }
        }
        text += '"';
    }
    return text;
}

bool StepBuilder::Build(const std::vector<Token>& tokens, Step& step, std::string& error) {
    step.text = StepText(tokens);
    if (tokens[0].quoted) {
        error = "a step starts with its verb, not with a quoted text";
        return false;
    }
    std::string name = tokens[0].text;
    size_t first = 1;
    if (name == "expect") {
        if (tokens.size() < 2 || tokens[1].quoted) {
            error = "'expect' needs what to expect (clipboard, file, running ...)";
            return false;
        }
        name += " " + tokens[1].text;
        first = 2;
    }
    const auto& verbs = Verbs();
    auto found = verbs.find(name);
    if (found == verbs.end()) {
        error = "unknown verb '" + name + "'";
        return false;
    }
    const Verb& verb = found->second;
    std::vector<Token> args(tokens.begin() + static_cast<std::ptrdiff_t>(first), tokens.end());
    if (args.size() < verb.minArgs || args.size() > verb.maxArgs) {
        error = "wrong number of arguments; usage: " + std::string(verb.usage);
        return false;
    }
    if (verb.phase == Phase::Desktop && programStarted_) {
        error = "'" + name + "' configures the desktop: it goes before the first start";
        return false;
    }
    if (name == "start" || name == "logon") {
        programStarted_ = true;
    }
    BuildContext context{args, step, desktop_, error};
    if (!verb.build(context)) {
        error += "; usage: " + std::string(verb.usage);
        return false;
    }
    if (!step.run) {
        // Desktop configuration: applied when the desktop is made, before the first step.
        step.run = [](ScenarioRun&) {};
    }
    return true;
}

} // namespace player
