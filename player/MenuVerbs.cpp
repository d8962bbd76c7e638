// The steps on the program's popup menus and its tray icon: choosing in the open menu, what the
// menu shows, and clicks on the icon in the notification area.
#include "player/VerbSupport.h"

#include "player/AsPerson.h"
#include "player/DesktopObserver.h"
#include "player/DesktopText.h"
#include "player/MenuItemText.h"
#include "player/ScenarioRun.h"

#include <winsim/sim_system.h>
#include <winsim/sim_user.h>

#include <stdexcept>

namespace player {

namespace {

// What a person reads on an item: the system's text or, for an owner-drawn item, for which the
// system holds none, the text the program gave it.
std::string ItemText(const winsim::MenuItemView& item) {
    if (item.text.empty() && item.ownerDrawn) {
        return OwnerDrawnItemText(item).value_or("");
    }
    return item.text;
}

// An item's text as a person reads it: without the '&' marks and the tab part.
std::string PlainText(const std::string& text) {
    std::string plain;
    for (size_t i = 0; i < text.size() && text[i] != '\t'; ++i) {
        if (text[i] == '&') {
            if (i + 1 < text.size() && text[i + 1] == '&') {
                plain += '&';
                ++i;
            }
            continue;
        }
        plain += text[i];
    }
    while (!plain.empty() && plain.back() == ' ') {
        plain.pop_back();
    }
    return plain;
}

bool IsCommandId(const std::string& text, UINT& id) {
    long value = 0;
    if (!ParseInt(text, 0, 0xFFFF, value)) {
        return false;
    }
    id = static_cast<UINT>(value);
    return true;
}

bool IsEsc(const std::string& text) {
    return text.size() == 3 && (text[0] == 'E' || text[0] == 'e') &&
           (text[1] == 's' || text[1] == 'S') && (text[2] == 'c' || text[2] == 'C');
}

// The item named by a command id or by its text (ANSI), '&' and the tab part given or not.
bool Matches(const winsim::MenuItemView& item, const std::string& ansi, bool byId, UINT id) {
    if (item.separator) {
        return false;
    }
    if (byId && item.id == id) {
        return true;
    }
    return MenuTextMatches(ItemText(item), ansi);
}

// Chooses the item with that text; owner-drawn items are found by the text the program gave
// them, every other name is left to the person's own search of the menu (which says what is
// missing).
void ChooseByText(const std::string& ansi) {
    for (const winsim::MenuItemView& item : winsim::MenuItems()) {
        if (!item.popup && Matches(item, ansi, false, 0)) {
            winsim::ChooseMenuItem(item.id);
            return;
        }
    }
    winsim::ChooseMenuItem(ansi);
}

} // namespace

bool BuildMenu(BuildContext& c) {
    const std::string choice = c.Arg(0);
    c.step.run = [choice](ScenarioRun&) {
        if (!winsim::IsMenuOpen()) {
            throw StepFailure("no menu is open");
        }
        UINT id = 0;
        if (IsEsc(choice)) {
            AsPerson([] { winsim::CloseMenu(); });
        } else if (IsCommandId(choice, id)) {
            AsPerson([id] { winsim::ChooseMenuItem(id); });
        } else {
            const std::string ansi = ToAnsi(choice);
            AsPerson([&ansi] { ChooseByText(ansi); });
        }
    };
    return true;
}

bool BuildExpectMenu(BuildContext& c) {
    if (!OneOf(c, 1, {"checked", "unchecked", "default"})) {
        return false;
    }
    const std::string item = c.Arg(0);
    const std::string state = c.Arg(1);
    c.step.run = [item, state](ScenarioRun&) {
        std::vector<winsim::MenuItemView> items = winsim::MenuItems();
        if (items.empty()) {
            throw StepFailure("no menu has been opened");
        }
        UINT id = 0;
        const bool byId = IsCommandId(item, id);
        const std::string ansi = ToAnsi(item);
        for (const winsim::MenuItemView& view : items) {
            if (!Matches(view, ansi, byId, id)) {
                continue;
            }
            const std::string name = Shown(FromAnsi(PlainText(ItemText(view))));
            if (state == "default" && !view.isDefault) {
                throw StepFailure("the item " + name + " is not the default item");
            }
            if (state == "checked" && !view.checked) {
                throw StepFailure("the item " + name + " is not checked");
            }
            if (state == "unchecked" && view.checked) {
                throw StepFailure("the item " + name + " is checked");
            }
            return;
        }
        throw StepFailure("the menu has no item " + Shown(item));
    };
    return true;
}

bool BuildTray(BuildContext& c) {
    if (!OneOf(c, 0, {"left", "right"})) {
        return false;
    }
    const int button = c.Arg(0) == "left" ? 0 : 1;
    c.step.run = [button](ScenarioRun&) {
        for (const winsim::TrayIcon& icon : winsim::TrayIcons()) {
            if (!icon.hidden && !winsim::IsOtherProgramWindow(icon.window)) {
                // The pointer goes onto the icon first: the tray menu opens where it is.
                const POINT centre = {(icon.place.left + icon.place.right) / 2,
                                      (icon.place.top + icon.place.bottom) / 2};
                AsPerson([&] {
                    winsim::MovePointer(centre);
                    winsim::ClickTrayIcon(icon.window, icon.id, button);
                });
                return;
            }
        }
        throw StepFailure("the program shows no tray icon");
    };
    return true;
}

} // namespace player
