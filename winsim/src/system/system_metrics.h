// The sizes of window parts in the imitated look, shared by the metrics and the non-client
// metrics.
#pragma once

#include <winsim/wintypes.h>

namespace winsim::system {

struct NonClientSizes {
    int borderWidth = 1;
    int scrollWidth = 16;
    int scrollHeight = 16;
    int captionWidth = 18;
    int captionHeight = 18;
    int smallCaptionWidth = 12;
    int smallCaptionHeight = 15;
    int menuWidth = 18;
    int menuHeight = 18;
    int taskbar = 28;
    int frame = 4;
};

NonClientSizes CurrentNonClientSizes();

// The screen without the taskbar at its bottom.
RECT WorkArea();

} // namespace winsim::system
