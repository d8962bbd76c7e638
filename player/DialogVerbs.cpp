// The steps on the program's page dialogs: typing into a text field of a page, and the close
// box of the topmost dialog.
#include "player/VerbSupport.h"

#include "player/AsPerson.h"
#include "player/DesktopText.h"
#include "player/ElementRef.h"
#include "player/ProgramWindows.h"
#include "player/ScenarioRun.h"

#include <winsim/sim_user.h>

#include <stdexcept>

namespace player {

bool BuildField(BuildContext& c) {
    if (!ElementArg(c, 0)) {
        return false;
    }
    ElementRef ref;
    ParseElementRef(c.Arg(0), ref, c.error);
    const std::string text = c.Arg(1);
    c.step.run = [ref, text](ScenarioRun& run) {
        const std::string ansi = ToAnsi(text);
        PageElement page = FindPageElement(ref);
        const RECT& r = page.screen;
        if (r.right <= r.left || r.bottom <= r.top) {
            throw StepFailure("the element " + FormatElementRef(ref) + " is not visible");
        }
        // A click into the field; once it has the focus, Ctrl+A selects what it holds and the
        // text typed replaces it.
        AsPerson([&] { winsim::Click(POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}); });
        run.FollowUp([ansi] {
            AsPerson([&] {
                winsim::PressKeys("Ctrl+A");
                winsim::TypeText(ansi);
            });
        });
    };
    return true;
}

bool BuildCloseDialog(BuildContext& c) {
    c.step.run = [](ScenarioRun&) {
        HWND dialog = ProgramTopDialog();
        if (!dialog) {
            throw StepFailure("the program shows no dialog");
        }
        AsPerson([&] { winsim::ClickCaptionButton(dialog, HTCLOSE); });
    };
    return true;
}

} // namespace player
