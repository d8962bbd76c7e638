#include "player/Verbs.h"

#include "player/DesktopFiles.h"
#include "player/DesktopObserver.h"
#include "player/ElementRef.h"
#include "player/KeyCombo.h"
#include "player/ProgramSettings.h"
#include "player/ScenarioRun.h"

#include <winsim/sim_gdi.h>
#include <winsim/sim_system.h>

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <functional>
#include <map>
#include <optional>

namespace player {
namespace {

// What a verb's builder works with: the words after the verb, the step being built, the
// desktop configuration and the error to report.
struct BuildContext {
    const std::vector<Token>& args;
    Step& step;
    winsim::DesktopConfig& desktop;
    std::string& error;

    const std::string& Arg(size_t i) const { return args[i].text; }

    bool Fail(const std::string& message) {
        error = message;
        return false;
    }
    void Unavailable(const std::string& why) { step.unavailable = why; }
};

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

const char kDesktopNotYet[] = "the simulated desktop cannot do it yet";

std::string ArrivesWith(const std::string& what) {
    return "it arrives with " + what;
}

bool ParseInt(const std::string& text, long min, long max, long& value) {
    if (text.empty() || text.size() > 9) {
        return false;
    }
    for (char c : text) {
        if (c < '0' || c > '9') {
            return false;
        }
    }
    value = std::strtol(text.c_str(), nullptr, 10);
    return value >= min && value <= max;
}

bool ParseSeconds(const std::string& text, double& seconds) {
    if (text.empty() || text.find_first_not_of("0123456789.") != std::string::npos) {
        return false;
    }
    char* end = nullptr;
    errno = 0;
    seconds = std::strtod(text.c_str(), &end);
    return errno == 0 && end == text.c_str() + text.size() && seconds >= 0 && seconds <= 86400;
}

// One word out of a fixed set.
bool OneOf(BuildContext& c, size_t i, std::initializer_list<const char*> choices) {
    for (const char* choice : choices) {
        if (c.Arg(i) == choice) {
            return true;
        }
    }
    std::string list;
    for (const char* choice : choices) {
        list += list.empty() ? choice : std::string("|") + choice;
    }
    return c.Fail("'" + c.Arg(i) + "' is not one of " + list);
}

bool KeyArg(BuildContext& c, size_t i) {
    KeyCombo combo;
    return ParseKeyCombo(c.Arg(i), combo, c.error);
}

bool ElementArg(BuildContext& c, size_t i) {
    ElementRef element;
    return ParseElementRef(c.Arg(i), element, c.error);
}

bool CountArg(BuildContext& c, size_t i, long& value) {
    if (!ParseInt(c.Arg(i), 0, 1000000, value)) {
        return c.Fail("'" + c.Arg(i) + "' is not a count (a whole number from 0)");
    }
    return true;
}

bool SizeArgs(BuildContext& c, size_t i) {
    long value = 0;
    for (size_t k = i; k < i + 2; ++k) {
        if (!ParseInt(c.Arg(k), 1, 100000, value)) {
            return c.Fail("'" + c.Arg(k) + "' is not a size in pixels");
        }
    }
    return true;
}

bool WindowsPathArg(BuildContext& c, size_t i) {
    const std::string& path = c.Arg(i);
    bool absolute = path.size() >= 3 && std::isalpha(static_cast<unsigned char>(path[0])) &&
                    path[1] == ':' && path[2] == '\\';
    if (!absolute) {
        return c.Fail("'" + path + "' is not a full Windows path such as 'C:\\folder\\file'");
    }
    return true;
}

// The steps that need the desktop or a part of the program that this build does not have:
// the arguments are checked now, the step itself reports why it cannot run.
std::function<bool(BuildContext&)> NotYet(std::string why,
                                          std::function<bool(BuildContext&)> check = {}) {
    return [why, check](BuildContext& c) {
        if (check && !check(c)) {
            return false;
        }
        c.Unavailable(why);
        return true;
    };
}

bool BuildDisplay(BuildContext& c) {
    long bits = 0;
    if (!ParseInt(c.Arg(0), 1, 32, bits) ||
        (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)) {
        return c.Fail("display depth '" + c.Arg(0) + "' is not one of 1, 4, 8, 16, 24, 32");
    }
    c.desktop.displayBits = static_cast<int>(bits);
    return true;
}

bool BuildWindows(BuildContext& c) {
    if (!OneOf(c, 0, {"95", "98", "me", "nt4", "2000", "xp", "vista", "7", "10"})) {
        return false;
    }
    if (c.args.size() == 2 && !OneOf(c, 1, {"classic"})) {
        return false;
    }
    c.desktop.windowsVersion = c.Arg(0);
    c.desktop.classicTheme = c.args.size() == 2;
    return true;
}

bool BuildCodepage(BuildContext& c) {
    static const long kKnown[] = {874,  932,  936,  949,  950,  1250, 1251,
                                  1252, 1253, 1254, 1255, 1256, 1257, 1258};
    long page = 0;
    if (ParseInt(c.Arg(0), 1, 65535, page)) {
        for (long known : kKnown) {
            if (page == known) {
                c.desktop.codePage = static_cast<unsigned>(page);
                return true;
            }
        }
    }
    return c.Fail("'" + c.Arg(0) + "' is not an ANSI code page of Windows (1252, 932 ...)");
}

bool BuildExe(BuildContext& c) {
    if (!WindowsPathArg(c, 0)) {
        return false;
    }
    const std::string& path = c.Arg(0);
    if (path.back() == '\\') {
        return c.Fail("'" + path + "' names a folder, not the program's file");
    }
    c.desktop.exePath = path;
    return true;
}

bool BuildExpectFile(BuildContext& c) {
    if (!WindowsPathArg(c, 0) || !OneOf(c, 1, {"exists", "missing"})) {
        return false;
    }
    std::string path = c.Arg(0);
    bool wanted = c.Arg(1) == "exists";
    c.step.run = [path, wanted](ScenarioRun&) {
        bool exists = WindowsFileExists(path);
        if (exists != wanted) {
            throw StepFailure(path + (exists ? " exists" : " is missing"));
        }
    };
    return true;
}

bool BuildExpectRunning(BuildContext& c) {
    if (!OneOf(c, 0, {"yes", "no"})) {
        return false;
    }
    bool wanted = c.Arg(0) == "yes";
    c.step.expectsRunning = wanted;
    c.step.expectsStopped = !wanted;
    c.step.run = [wanted](ScenarioRun& run) {
        if (run.ProgramRunning() != wanted) {
            throw StepFailure(run.ProgramRunning() ? "the program still runs"
                                                   : "the program does not run");
        }
        run.NoteRunningStated(wanted);
    };
    return true;
}

bool BuildStart(BuildContext& c) {
    std::string commandLine = c.args.empty() ? std::string() : c.Arg(0);
    c.step.run = [commandLine](ScenarioRun& run) { run.StartProgram(commandLine); };
    return true;
}

bool BuildLogon(BuildContext& c) {
    c.step.run = [](ScenarioRun& run) { run.LogOn(); };
    return true;
}

bool IniKeyArg(BuildContext& c, size_t i) {
    const std::string& key = c.Arg(i);
    if (key.empty() || key.find_first_of("=[]\r\n") != std::string::npos || key[0] == ';') {
        return c.Fail("'" + key + "' is not an INI key");
    }
    return true;
}

bool BuildIni(BuildContext& c) {
    if (!IniKeyArg(c, 0)) {
        return false;
    }
    if (c.Arg(1).find_first_of("\r\n") != std::string::npos) {
        return c.Fail("an INI value is one line");
    }
    std::string key = c.Arg(0);
    std::string value = c.Arg(1);
    c.step.run = [key, value](ScenarioRun&) {
        std::string error;
        if (!WriteIniValue(key, value, error)) {
            throw StepFailure(error);
        }
    };
    return true;
}

bool BuildExpectIni(BuildContext& c) {
    if (!IniKeyArg(c, 0)) {
        return false;
    }
    std::string key = c.Arg(0);
    std::string wanted = c.Arg(1);
    c.step.run = [key, wanted](ScenarioRun&) {
        std::optional<std::string> value = ReadIniValue(key);
        if (!value) {
            throw StepFailure("the INI file " + ProgramIniName() + " has no value " + key +
                              " in [Settings]");
        }
        if (*value != wanted) {
            throw StepFailure("INI value " + key + " is " + Shown(*value) + ", expected " +
                              Shown(wanted));
        }
    };
    return true;
}

bool BuildRunValue(BuildContext& c) {
    std::string data = c.Arg(0);
    c.step.run = [data](ScenarioRun&) {
        std::string error;
        if (!WriteRunValue(data, error)) {
            throw StepFailure(error);
        }
    };
    return true;
}

bool BuildExpectRunValue(BuildContext& c) {
    std::optional<std::string> wanted;
    if (c.args[0].quoted || c.Arg(0) != "missing") {
        wanted = c.Arg(0);
    }
    c.step.run = [wanted](ScenarioRun&) {
        std::optional<std::string> value = ReadRunValue();
        if (value == wanted) {
            return;
        }
        std::string is = value ? Shown(*value) : "missing";
        throw StepFailure("the Run value is " + is + ", expected " +
                          (wanted ? Shown(*wanted) : "missing"));
    };
    return true;
}

bool BuildScreenshot(BuildContext& c) {
    const std::string& name = c.Arg(0);
    if (name.empty() || name[0] == '.' ||
        name.find_first_not_of(
            "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789_.-") !=
            std::string::npos) {
        return c.Fail("'" + name + "' is not a file name (letters, digits, _ . -)");
    }
    c.step.run = [name](ScenarioRun& run) {
        std::filesystem::path file = run.OutDir() / (name + ".png");
        if (!winsim::SaveScreenshot(file.string())) {
            throw StepFailure("cannot write the screenshot " + file.string());
        }
    };
    return true;
}

bool BuildExpectTray(BuildContext& c) {
    if (!OneOf(c, 0, {"yes", "no"})) {
        return false;
    }
    bool wanted = c.Arg(0) == "yes";
    c.step.run = [wanted](ScenarioRun&) {
        std::vector<winsim::TrayIcon> icons;
        for (const winsim::TrayIcon& icon : winsim::TrayIcons()) {
            if (!icon.hidden) {
                icons.push_back(icon);
            }
        }
        if (!wanted) {
            if (!icons.empty()) {
                throw StepFailure("a tray icon is shown, with the tip " + Shown(icons[0].tip));
            }
            return;
        }
        if (icons.empty()) {
            throw StepFailure("no tray icon is shown");
        }
        for (const winsim::TrayIcon& icon : icons) {
            if (icon.tip == "Verbacap") {
                return;
            }
        }
        throw StepFailure("the tray icon's tip is " + Shown(icons[0].tip) +
                          ", expected \"Verbacap\"");
    };
    return true;
}

bool BuildDialog(BuildContext& c) {
    // Braces group the texts that follow as children of the text before them.
    int depth = 0;
    bool textBefore = false;
    for (size_t i = 1; i < c.args.size(); ++i) {
        const Token& token = c.args[i];
        if (!token.quoted && token.text == "{") {
            if (!textBefore) {
                return c.Fail("'{' must follow the text of the control that is the parent");
            }
            ++depth;
            textBefore = false;
        } else if (!token.quoted && token.text == "}") {
            if (depth == 0) {
                return c.Fail("'}' without its '{'");
            }
            --depth;
            textBefore = false;
        } else {
            textBefore = true;
        }
    }
    if (depth != 0) {
        return c.Fail("'{' not closed by '}'");
    }
    c.Unavailable(kDesktopNotYet);
    return true;
}

const std::map<std::string, Verb>& Verbs() {
    const std::string menus = ArrivesWith("the program's menus");
    const std::string captures = ArrivesWith("the program's capture");
    const std::string list = ArrivesWith("the program's capture list");
    const std::string entryActions = ArrivesWith("the program's entry actions");
    const std::string autoCapture = ArrivesWith("the program's auto-capture dialog");
    const std::string tray = ArrivesWith("the program's tray icon");
    auto element0 = [](BuildContext& c) { return ElementArg(c, 0); };
    auto key0 = [](BuildContext& c) { return KeyArg(c, 0); };

    static const std::map<std::string, Verb> verbs = {
        {"display", {"display BITS", 1, 1, Phase::Desktop, BuildDisplay}},
        {"windows", {"windows VERSION [classic]", 1, 2, Phase::Desktop, BuildWindows}},
        {"codepage", {"codepage N", 1, 1, Phase::Desktop, BuildCodepage}},
        {"exe", {"exe PATH", 1, 1, Phase::Desktop, BuildExe}},
        {"ini", {"ini KEY VALUE", 2, 2, Phase::Any, BuildIni}},
        {"run-value", {"run-value VALUE", 1, 1, Phase::Any, BuildRunValue}},
        {"hotkey-taken", {"hotkey-taken COMBO", 1, 1, Phase::Any, NotYet(kDesktopNotYet, key0)}},
        {"start", {"start [COMMANDLINE]", 0, 1, Phase::Any, BuildStart}},
        {"logon", {"logon", 0, 0, Phase::Any, BuildLogon}},
        {"msgbox", {"msgbox TITLE TEXT", 2, 2, Phase::Any, NotYet(kDesktopNotYet)}},
        {"dialog", {"dialog TITLE TEXT...", 1, kMany, Phase::Any, BuildDialog}},
        {"foreground",
         {"foreground main|none|last", 1, 1, Phase::Any,
          NotYet(kDesktopNotYet,
                 [](BuildContext& c) {
                     return OneOf(c, 0, {"main", "none", "last"});
                 })}},
        {"key", {"key COMBO", 1, 1, Phase::Any, NotYet(kDesktopNotYet, key0)}},
        {"hotkey-field", {"hotkey-field COMBO", 1, 1, Phase::Any, NotYet(kDesktopNotYet, key0)}},
        {"wait",
         {"wait SECONDS", 1, 1, Phase::Any,
          NotYet(kDesktopNotYet,
                 [](BuildContext& c) {
                     double seconds = 0;
                     return ParseSeconds(c.Arg(0), seconds) ||
                            c.Fail("'" + c.Arg(0) + "' is not a number of seconds");
                 })}},
        {"hover", {"hover ID", 1, 1, Phase::Any, NotYet(kDesktopNotYet, element0)}},
        {"leave", {"leave ID", 1, 1, Phase::Any, NotYet(kDesktopNotYet, element0)}},
        {"click", {"click ID", 1, 1, Phase::Any, NotYet(kDesktopNotYet, element0)}},
        {"mousedown", {"mousedown ID", 1, 1, Phase::Any, NotYet(kDesktopNotYet, element0)}},
        {"check",
         {"check ID on|off", 2, 2, Phase::Any,
          NotYet(menus,
                 [](BuildContext& c) {
                     return ElementArg(c, 0) && OneOf(c, 1, {"on", "off"});
                 })}},
        {"field", {"field ID TEXT", 2, 2, Phase::Any, NotYet(autoCapture, element0)}},
        {"menu", {"menu CHOICE", 1, 1, Phase::Any, NotYet(menus)}},
        {"save-as", {"save-as PATH", 1, 1, Phase::Any, NotYet(entryActions)}},
        {"save-cancel", {"save-cancel", 0, 0, Phase::Any, NotYet(entryActions)}},
        {"answer",
         {"answer ok|cancel|yes|no", 1, 1, Phase::Any,
          NotYet(kDesktopNotYet,
                 [](BuildContext& c) {
                     return OneOf(c, 0, {"ok", "cancel", "yes", "no"});
                 })}},
        {"tray",
         {"tray left|right", 1, 1, Phase::Any,
          NotYet(tray,
                 [](BuildContext& c) {
                     return OneOf(c, 0, {"left", "right"});
                 })}},
        {"minimize", {"minimize", 0, 0, Phase::Any, NotYet(kDesktopNotYet)}},
        {"close", {"close", 0, 0, Phase::Any, NotYet(kDesktopNotYet)}},
        {"maximize", {"maximize", 0, 0, Phase::Any, NotYet(kDesktopNotYet)}},
        {"restore", {"restore", 0, 0, Phase::Any, NotYet(kDesktopNotYet)}},
        {"screenshot", {"screenshot NAME", 1, 1, Phase::Any, BuildScreenshot}},
        {"expect clipboard", {"expect clipboard TEXT", 1, 1, Phase::Any, NotYet(captures)}},
        {"expect clipboard-image",
         {"expect clipboard-image W H", 2, 2, Phase::Any,
          NotYet(entryActions, [](BuildContext& c) { return SizeArgs(c, 0); })}},
        {"expect entries",
         {"expect entries N", 1, 1, Phase::Any,
          NotYet(list,
                 [](BuildContext& c) {
                     long n = 0;
                     return CountArg(c, 0, n);
                 })}},
        {"expect entry",
         {"expect entry I text TEXT", 3, 3, Phase::Any,
          NotYet(list,
                 [](BuildContext& c) {
                     long n = 0;
                     return CountArg(c, 0, n) && OneOf(c, 1, {"text"});
                 })}},
        {"expect file", {"expect file PATH exists|missing", 2, 2, Phase::Any, BuildExpectFile}},
        {"expect jpeg",
         {"expect jpeg PATH W H", 3, 3, Phase::Any,
          NotYet(captures,
                 [](BuildContext& c) { return WindowsPathArg(c, 0) && SizeArgs(c, 1); })}},
        {"expect captures",
         {"expect captures N", 1, 1, Phase::Any,
          NotYet(captures,
                 [](BuildContext& c) {
                     long n = 0;
                     return CountArg(c, 0, n);
                 })}},
        {"expect ini", {"expect ini KEY VALUE", 2, 2, Phase::Any, BuildExpectIni}},
        {"expect run-value",
         {"expect run-value VALUE|missing", 1, 1, Phase::Any, BuildExpectRunValue}},
        {"expect class",
         {"expect class ID CLASS", 2, 2, Phase::Any, NotYet(kDesktopNotYet, element0)}},
        {"expect color", {"expect color ID COLOR", 2, 2, Phase::Any, NotYet(list, element0)}},
        {"expect markup", {"expect markup ID TEXT", 2, 2, Phase::Any, NotYet(list, element0)}},
        {"expect no-script", {"expect no-script ID", 1, 1, Phase::Any, NotYet(list, element0)}},
        {"expect visible",
         {"expect visible yes|no", 1, 1, Phase::Any,
          NotYet(kDesktopNotYet,
                 [](BuildContext& c) {
                     return OneOf(c, 0, {"yes", "no"});
                 })}},
        {"expect tray", {"expect tray yes|no", 1, 1, Phase::Any, BuildExpectTray}},
        {"expect menu",
         {"expect menu ITEM checked|unchecked|default", 2, 2, Phase::Any,
          NotYet(menus,
                 [](BuildContext& c) {
                     return OneOf(c, 1, {"checked", "unchecked", "default"});
                 })}},
        {"expect sound",
         {"expect sound N", 1, 1, Phase::Any,
          NotYet(captures,
                 [](BuildContext& c) {
                     long n = 0;
                     return CountArg(c, 0, n);
                 })}},
        {"expect running", {"expect running yes|no", 1, 1, Phase::Any, BuildExpectRunning}},
    };
    return verbs;
}

bool NeedsQuotes(const Token& token) {
    return token.text.empty() || token.text.find_first_of(" \t\r\n\"'\\#") != std::string::npos;
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
    if (!step.unavailable.empty()) {
        step.unavailable = "'" + name + "' is not available yet: " + step.unavailable;
    }
    if (!step.run) {
        // Desktop configuration: applied when the desktop is made, before the first step.
        step.run = [](ScenarioRun&) {};
    }
    return true;
}

} // namespace player
