// The program is linked: the texts of its owner-drawn items are read from the records of the
// running main dialog's entry menu.
#include "player/MenuItemText.h"
#include "player/ProgramWindows.h"

#include "ui/QuilloryTextDlg.h"

namespace player {
namespace {

std::optional<std::string> ReadLinkedItemText(UINT commandId) {
    HWND main = ProgramMainWindow();
    CQuilloryTextDlg* dialog =
        main ? DYNAMIC_DOWNCAST(CQuilloryTextDlg, CWnd::FromHandlePermanent(main)) : nullptr;
    if (dialog == nullptr) {
        return std::nullopt;
    }
    int position = -1;
    IvyMenu* menu = dialog->m_menuEntry.FindItemMenu(commandId, position);
    const IvyMenuItem* record = menu != nullptr ? menu->ItemRecord(position) : nullptr;
    if (record == nullptr) {
        return std::nullopt;
    }
    return ToAnsiText(record->text);
}

// Registered before the player reads its first scenario.
const bool kRegistered = (SetMenuItemTextReader(ReadLinkedItemText), true);

} // namespace
} // namespace player
