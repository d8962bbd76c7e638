// What a dialog window keeps besides its window: its procedure, the message result, the end
// of a modal run, the font and the dialog base units its template was laid out with.
#pragma once

#include <winsim/windows.h>

namespace winsim::user {

struct DialogState {
    DLGPROC proc = nullptr;
    LRESULT msgResult = 0;
    LONG_PTR user = 0;
    bool ended = false;
    INT_PTR result = 0;
    HFONT font = nullptr;
    bool ownsFont = false;
    int baseX = 8;
    int baseY = 16;
    HWND savedFocus = nullptr;
    int defaultId = IDOK;
    bool isMessageBox = false;
    bool hasCancel = false;
};

} // namespace winsim::user
