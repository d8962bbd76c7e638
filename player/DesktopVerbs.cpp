// The steps on the desktop's configuration, settings and files, and the program's start.
#include "player/VerbSupport.h"

#include "player/DesktopFiles.h"
#include "player/DesktopObserver.h"
#include "player/DesktopText.h"
#include "player/ProgramSettings.h"
#include "player/ScenarioRun.h"

#include <winsim/sim_gdi.h>
#include <winsim/sim_system.h>

#include <optional>

namespace player {

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
        bool exists = WindowsFileExists(ToAnsi(path));
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
    c.step.run = [commandLine](ScenarioRun& run) { run.StartProgram(ToAnsi(commandLine)); };
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
        std::string ansiKey = ToAnsi(key);
        std::string ansiValue = ToAnsi(value);
        if (!WriteIniValue(ansiKey, ansiValue, error)) {
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
        std::optional<std::string> value = ReadIniValue(ToAnsi(key));
        if (!value) {
            throw StepFailure("the INI file " + ProgramIniName() + " has no value " + key +
                              " in [Settings]");
        }
        if (*value != ToAnsi(wanted)) {
            throw StepFailure("INI value " + key + " is " + Shown(FromAnsi(*value)) +
                              ", expected " + Shown(wanted));
        }
    };
    return true;
}

bool BuildRunValue(BuildContext& c) {
    std::string data = c.Arg(0);
    c.step.run = [data](ScenarioRun&) {
        std::string error;
        if (!WriteRunValue(ToAnsi(data), error)) {
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
        if (value == (wanted ? std::optional<std::string>(ToAnsi(*wanted)) : std::nullopt)) {
            return;
        }
        std::string is = value ? Shown(FromAnsi(*value)) : "missing";
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
                throw StepFailure("a tray icon is shown, with the tip " +
                                  Shown(FromAnsi(icons[0].tip)));
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
        throw StepFailure("the tray icon's tip is " + Shown(FromAnsi(icons[0].tip)) +
                          ", expected \"Verbacap\"");
    };
    return true;
}

} // namespace player
