// The capture list as a person sees it in the main window: its entries, oldest first, and the
// entry that the entry actions work on. Read-only: the list changes only through the program's
// own actions (a capture, the entry menu, the close).
#pragma once

#include "list/CaptureEntry.h"

class CaptureListView {
public:
    virtual int GetEntryCount() const = 0;
    // The entry at nIndex, or nullptr when the list has no such index.
    virtual const CaptureEntry* GetEntryAt(int nIndex) const = 0;
    virtual int GetSelectedEntry() const = 0;

protected:
    CaptureListView() = default;
    ~CaptureListView() = default;
    CaptureListView(const CaptureListView&) = default;
    CaptureListView& operator=(const CaptureListView&) = default;
};
