// The view keeps what it lists as its window text, one entry a line, a subfolder's name in
// brackets ("[Old]"): the dialog sets it when it shows a folder, and the view paints it.
#include "system/folder_view.h"

#include "system/dialog_window_class.h"
#include "system/file_dialog_icons.h"

#include <winsim/windows.h>

#include <algorithm>
#include <string>
#include <vector>

namespace winsim::system {

const char* const kFolderViewClass = "SHELLDLL_DefView";

namespace {

constexpr int kIconGap = 3;    // between the icon and the name
constexpr int kColumnGap = 12; // after the widest name of a column

struct Entry {
    std::string name;
    bool folder = false;
};

std::vector<Entry> Entries(HWND view) {
    int length = GetWindowTextLengthA(view);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    text.resize(static_cast<size_t>(std::max(GetWindowTextA(view, text.data(), length + 1), 0)));
    std::vector<Entry> entries;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = std::min(text.find('\n', start), text.size());
        std::string line = text.substr(start, end - start);
        start = end + 1;
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            entries.push_back({line.substr(1, line.size() - 2), true});
        } else if (!line.empty()) {
            entries.push_back({line, false});
        }
    }
    return entries;
}

void Paint(HWND view) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(view, &ps);
    if (!dc) {
        return;
    }
    RECT client;
    GetClientRect(view, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_WINDOW));
    auto font = reinterpret_cast<HFONT>(SendMessageA(GetParent(view), WM_GETFONT, 0, 0));
    HGDIOBJ oldFont = font ? SelectObject(dc, font) : nullptr;
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    const std::vector<Entry> entries = Entries(view);
    int widest = 0;
    for (const Entry& entry : entries) {
        SIZE size{};
        GetTextExtentPoint32A(dc, entry.name.c_str(), static_cast<int>(entry.name.size()), &size);
        widest = std::max(widest, static_cast<int>(size.cx));
    }
    // Columns fill from top to bottom, then the next column begins to the right.
    const int rowHeight = std::max<int>(kSmallIconSize, metrics.tmHeight) + 2;
    const int rows = std::max<int>(1, (client.bottom - 4) / rowHeight);
    const int columnWidth = kSmallIconSize + kIconGap + widest + kColumnGap;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    for (size_t i = 0; i < entries.size(); ++i) {
        int x = 3 + static_cast<int>(i) / rows * columnWidth;
        int y = 3 + static_cast<int>(i) % rows * rowHeight;
        int iconTop = y + (rowHeight - kSmallIconSize) / 2;
        if (entries[i].folder) {
            DrawSmallFolderIcon(dc, x, iconTop);
        } else {
            DrawSmallFileIcon(dc, x, iconTop);
        }
        RECT name{x + kSmallIconSize + kIconGap, y, x + columnWidth, y + rowHeight};
        DrawTextA(dc, entries[i].name.c_str(), -1, &name,
                  DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX);
    }
    if (oldFont) {
        SelectObject(dc, oldFont);
    }
    EndPaint(view, &ps);
}

LRESULT CALLBACK FolderViewProc(HWND view, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_PAINT:
        Paint(view);
        return 0;
    case WM_ERASEBKGND:
        return 1; // the painting fills the whole view
    case WM_SETTEXT: {
        LRESULT result = DefWindowProcA(view, msg, wParam, lParam);
        InvalidateRect(view, nullptr, TRUE);
        return result;
    }
    default:
        return DefWindowProcA(view, msg, wParam, lParam);
    }
}

} // namespace

void RegisterFolderViewClass() {
    RegisterDialogControlClass(kFolderViewClass, FolderViewProc, CS_DBLCLKS);
}

} // namespace winsim::system
