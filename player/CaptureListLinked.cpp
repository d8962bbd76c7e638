// The program is linked: the capture list is read from its running main dialog.
#include "player/CaptureList.h"
#include "player/ProgramWindows.h"
#include "player/Scenario.h"

#include "ui/QuilloryTextDlg.h"

namespace player {
namespace {

std::vector<std::string> ReadLinkedCaptureList() {
    HWND main = ProgramMainWindow();
    CQuilloryTextDlg* dialog =
        main ? DYNAMIC_DOWNCAST(CQuilloryTextDlg, CWnd::FromHandlePermanent(main)) : nullptr;
    if (dialog == nullptr) {
        throw StepFailure("the program's main window is not there");
    }
    std::vector<std::string> texts;
    for (const CaptureEntry* entry : dialog->m_entries) {
        texts.push_back(entry->m_strText.str());
    }
    return texts;
}

// Registered before the player reads its first scenario.
const bool kRegistered = (SetCaptureListReader(ReadLinkedCaptureList), true);

} // namespace
} // namespace player
