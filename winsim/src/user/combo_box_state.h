// What a combo box keeps: its items and the selection.
#pragma once

#include <winsim/windows.h>

#include <string>
#include <vector>

namespace winsim::user {

struct ComboBoxItem {
    std::string text;
    LPARAM data = 0;
};

struct ComboBoxState {
    std::vector<ComboBoxItem> items;
    int selected = -1; // -1: no item selected
};

} // namespace winsim::user
