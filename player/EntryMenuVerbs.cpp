// The steps of the person at an open menu, at the save-file dialog, and the expectation on the
// picture that the clipboard holds.
#include "player/VerbSupport.h"

#include "player/AsPerson.h"
#include "player/DesktopText.h"
#include "player/ElementRef.h"
#include "player/ProgramWindows.h"
#include "player/ScenarioRun.h"

#include <winsim/script.h>
#include <winsim/sim_system.h>
#include <winsim/sim_user.h>

#include <stdexcept>

namespace player {

bool BuildMenuHover(BuildContext& c) {
    long id = 0;
    if (!ParseInt(c.Arg(0), 1, 0xFFFF, id)) {
        return c.Fail("'" + c.Arg(0) + "' is not a command id");
    }
    c.step.run = [id](ScenarioRun&) {
        AsPerson([&] {
            if (!winsim::IsMenuOpen()) {
                throw StepFailure("no menu is open");
            }
            winsim::HoverMenuItem(static_cast<UINT>(id));
        });
    };
    return true;
}

bool BuildSaveAs(BuildContext& c) {
    if (!WindowsPathArg(c, 0)) {
        return false;
    }
    const std::string path = c.Arg(0);
    c.step.run = [path](ScenarioRun&) {
        AsPerson([&] {
            if (!winsim::OpenFileDialog()) {
                throw StepFailure("no save dialog is open");
            }
            winsim::SaveDialogSaveAs(ToAnsi(path));
        });
    };
    return true;
}

bool BuildSaveCancel(BuildContext& c) {
    c.step.run = [](ScenarioRun&) {
        AsPerson([] {
            if (!winsim::OpenFileDialog()) {
                throw StepFailure("no save dialog is open");
            }
            winsim::SaveDialogCancel();
        });
    };
    return true;
}

bool BuildExpectClipboardImage(BuildContext& c) {
    if (!SizeArgs(c, 0)) {
        return false;
    }
    long width = 0;
    long height = 0;
    ParseInt(c.Arg(0), 1, 100000, width);
    ParseInt(c.Arg(1), 1, 100000, height);
    c.step.run = [width, height](ScenarioRun&) {
        HBITMAP bitmap = winsim::ClipboardBitmap();
        if (!bitmap) {
            throw StepFailure("the clipboard holds no picture");
        }
        BITMAP info = {};
        if (!GetObjectA(bitmap, sizeof(info), &info)) {
            throw StepFailure("the clipboard's picture cannot be read");
        }
        if (info.bmWidth != width || info.bmHeight != height) {
            throw StepFailure("the clipboard holds a picture of " + std::to_string(info.bmWidth) +
                              " x " + std::to_string(info.bmHeight) + " pixels, expected " +
                              std::to_string(width) + " x " + std::to_string(height));
        }
    };
    return true;
}

bool BuildMouseDown(BuildContext& c) {
    if (!ElementArg(c, 0)) {
        return false;
    }
    ElementRef ref;
    ParseElementRef(c.Arg(0), ref, c.error);
    c.step.run = [ref](ScenarioRun&) {
        const RECT screen = FindPageElement(ref).screen;
        if (screen.right <= screen.left || screen.bottom <= screen.top) {
            throw StepFailure("the element " + FormatElementRef(ref) + " is not visible");
        }
        // The button goes down on the middle of the element and comes up again; the program
        // reacts to the press.
        AsPerson([&] {
            winsim::MovePointer(
                POINT{(screen.left + screen.right) / 2, (screen.top + screen.bottom) / 2});
            winsim::PressButton(0);
            winsim::ReleaseButton(0);
        });
    };
    return true;
}

} // namespace player
