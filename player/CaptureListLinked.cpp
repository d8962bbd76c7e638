// The program is linked: the capture list is read from the list its running main window shows.
#include "player/CaptureList.h"
#include "player/ProgramWindows.h"
#include "player/Scenario.h"

#include "framework/CWnd.h"
#include "list/CaptureListView.h"

namespace player {
namespace {

std::vector<std::string> ReadLinkedCaptureList() {
    HWND main = ProgramMainWindow();
    const CaptureListView* list =
        main ? dynamic_cast<const CaptureListView*>(CWnd::FromHandlePermanent(main)) : nullptr;
    if (list == nullptr) {
        throw StepFailure("the program's main window is not there");
    }
    std::vector<std::string> texts;
    for (int i = 0; i < list->GetEntryCount(); ++i) {
        texts.push_back(list->GetEntryAt(i)->m_strText.str());
    }
    return texts;
}

// Registered before the player reads its first scenario.
const bool kRegistered = (SetCaptureListReader(ReadLinkedCaptureList), true);

} // namespace
} // namespace player
