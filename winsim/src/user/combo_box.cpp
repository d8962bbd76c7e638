// The combo box of the system: a list of strings with one selected, shown in a field with a
// drop-down button. The field shows the selected item (in a drop-down list, always; in the
// other styles until the text is set). The keyboard moves the selection; the list itself does
// not drop down on this desktop.
#include "user/builtin_classes.h"
#include "user/combo_box_state.h"
#include "user/controls_paint.h"
#include "user/paint_internal.h"
#include "user/text_codec.h"
#include "user/window_internal.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace winsim::user {
namespace {

ComboBoxState& StateOf(Window& w) {
    if (!w.comboBox) {
        w.comboBox = std::make_unique<ComboBoxState>();
    }
    return *w.comboBox;
}

bool IsDropDownList(const Window& w) {
    return (w.style & 0x3) == CBS_DROPDOWNLIST;
}

bool LessNoCase(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) <
               std::tolower(static_cast<unsigned char>(y));
    });
}

// Makes index the selection (-1: none) and shows it in the field.
void Select(HWND hwnd, int index) {
    Window* w = Find(hwnd);
    ComboBoxState& state = StateOf(*w);
    state.selected = index;
    const char* text = index >= 0 ? state.items[static_cast<size_t>(index)].text.c_str() : "";
    SetWindowTextDirect(hwnd, text);
    InvalidateWindowTree(hwnd);
}

LRESULT Insert(HWND hwnd, Window& w, int at, LPARAM lParam) {
    if (!lParam) {
        return CB_ERR;
    }
    ComboBoxState& state = StateOf(w);
    ComboBoxItem item{reinterpret_cast<const char*>(lParam), 0};
    int count = static_cast<int>(state.items.size());
    if (at < 0 || at > count) {
        return CB_ERR;
    }
    state.items.insert(state.items.begin() + at, item);
    if (state.selected >= at) {
        ++state.selected;
    }
    InvalidateWindowTree(hwnd);
    return at;
}

int SortedPosition(const ComboBoxState& state, const std::string& text) {
    auto it = std::upper_bound(
        state.items.begin(), state.items.end(), text,
        [](const std::string& t, const ComboBoxItem& item) { return LessNoCase(t, item.text); });
    return static_cast<int>(it - state.items.begin());
}

bool ValidIndex(const ComboBoxState& state, WPARAM index) {
    return static_cast<size_t>(index) < state.items.size();
}

void MoveSelection(HWND hwnd, Window& w, UINT key) {
    ComboBoxState& state = StateOf(w);
    int count = static_cast<int>(state.items.size());
    if (count == 0) {
        return;
    }
    int next = state.selected;
    switch (key) {
    case VK_UP:
    case VK_LEFT:
        next = std::max(0, state.selected - 1);
        break;
    case VK_DOWN:
    case VK_RIGHT:
        next = std::min(count - 1, state.selected + 1);
        break;
    case VK_HOME:
        next = 0;
        break;
    case VK_END:
        next = count - 1;
        break;
    default:
        return;
    }
    if (next != state.selected) {
        Select(hwnd, next);
        NotifyParent(hwnd, CBN_SELCHANGE);
    }
}

// The field is as high as a line of its font and its border, whatever height the box was
// created with (that height is the dropped list's).
void FitFieldHeight(HWND hwnd, const Window& w) {
    if ((w.style & 0x3) == CBS_SIMPLE) {
        return;
    }
    HDC dc = GetDC(hwnd);
    if (!dc) {
        return;
    }
    HGDIOBJ old = w.font ? SelectObject(dc, w.font) : nullptr;
    TEXTMETRICA tm{};
    if (GetTextMetricsA(dc, &tm) && tm.tmHeight > 0) {
        RECT r;
        GetWindowRect(hwnd, &r);
        SetWindowPos(hwnd, nullptr, 0, 0, r.right - r.left, tm.tmHeight + 8,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (old) {
        SelectObject(dc, old);
    }
    ReleaseDC(hwnd, dc);
}

} // namespace

// CB_ADDSTRING: at the end, or in its sorted place with CBS_SORT.
static LRESULT AddString(HWND hwnd, Window* w, ComboBoxState& state, LPARAM lParam) {
    if (!lParam) {
        return CB_ERR;
    }
    int at = static_cast<int>(state.items.size());
    if (w->style & CBS_SORT) {
        at = SortedPosition(state, reinterpret_cast<const char*>(lParam));
    }
    return Insert(hwnd, *w, at, lParam);
}

// CB_DELETESTRING: the selection follows its item, or is cleared with it.
static LRESULT DeleteString(HWND hwnd, ComboBoxState& state, WPARAM wParam) {
    if (!ValidIndex(state, wParam)) {
        return CB_ERR;
    }
    int index = static_cast<int>(wParam);
    state.items.erase(state.items.begin() + index);
    if (state.selected == index) {
        Select(hwnd, -1);
    } else if (state.selected > index) {
        --state.selected;
    }
    InvalidateWindowTree(hwnd);
    return static_cast<LRESULT>(state.items.size());
}

// CB_GETLBTEXT.
static LRESULT CopyItemText(const ComboBoxState& state, WPARAM wParam, LPARAM lParam) {
    // The buffer must hold the text and its terminator (CB_GETLBTEXTLEN + 1).
    if (!ValidIndex(state, wParam) || !lParam) {
        return CB_ERR;
    }
    const std::string& text = state.items[wParam].text;
    std::memcpy(reinterpret_cast<char*>(lParam), text.c_str(), text.size() + 1);
    return static_cast<LRESULT>(text.size());
}

// CB_FINDSTRINGEXACT: the first item after wParam whose text is lParam's, ignoring case.
static LRESULT FindStringExact(const ComboBoxState& state, WPARAM wParam, LPARAM lParam) {
    if (!lParam || state.items.empty()) {
        return CB_ERR;
    }
    std::string wanted = reinterpret_cast<const char*>(lParam);
    size_t count = state.items.size();
    // The search starts after the given item and wraps round; -1 searches from the top.
    size_t start = static_cast<int>(wParam) < 0 || !ValidIndex(state, wParam)
                       ? 0
                       : static_cast<size_t>(wParam) + 1;
    for (size_t k = 0; k < count; ++k) {
        size_t i = (start + k) % count;
        if (SameTextIgnoringCase(state.items[i].text, wanted)) {
            return static_cast<LRESULT>(i);
        }
    }
    return CB_ERR;
}

// WM_SETTEXT: the field's text, or in a drop-down list the item it names.
static LRESULT SetComboText(HWND hwnd, Window* w, LPARAM lParam) {
    if (!IsDropDownList(*w)) {
        SetWindowTextDirect(hwnd, reinterpret_cast<const char*>(lParam));
        InvalidateWindowTree(hwnd);
        return TRUE;
    }
    // A drop-down list shows only its items: the text selects the item that it names.
    LRESULT found = SendMessageA(hwnd, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), lParam);
    if (found == CB_ERR) {
        return CB_ERR;
    }
    Select(hwnd, static_cast<int>(found));
    return TRUE;
}

LRESULT CALLBACK ComboBoxProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Window* w = Find(hwnd);
    if (!w) {
        return 0;
    }
    ComboBoxState& state = StateOf(*w);
    switch (msg) {
    case WM_CREATE:
        FitFieldHeight(hwnd, *w);
        return 0;
    case WM_SETFONT:
        w->font = reinterpret_cast<HFONT>(wParam);
        FitFieldHeight(hwnd, *w);
        InvalidateWindowTree(hwnd);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(w->font);
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_PAINT:
        PaintComboBox(hwnd, w->text, GetFocus() == hwnd);
        return 0;
    case WM_LBUTTONDOWN:
        SetFocus(hwnd);
        return 0;
    case WM_SETFOCUS:
        InvalidateWindowTree(hwnd);
        NotifyParent(hwnd, CBN_SETFOCUS);
        return 0;
    case WM_KILLFOCUS:
        InvalidateWindowTree(hwnd);
        NotifyParent(hwnd, CBN_KILLFOCUS);
        return 0;
    case WM_KEYDOWN:
        MoveSelection(hwnd, *w, static_cast<UINT>(wParam));
        return 0;
    case CB_ADDSTRING:
        return AddString(hwnd, w, state, lParam);
    case CB_INSERTSTRING: {
        int at = static_cast<int>(wParam);
        if (at == -1) {
            at = static_cast<int>(state.items.size());
        }
        return Insert(hwnd, *w, at, lParam);
    }
    case CB_DELETESTRING:
        return DeleteString(hwnd, state, wParam);
    case CB_RESETCONTENT:
        state.items.clear();
        Select(hwnd, -1);
        return CB_OKAY;
    case CB_GETCOUNT:
        return static_cast<LRESULT>(state.items.size());
    case CB_GETCURSEL:
        return state.selected >= 0 ? state.selected : CB_ERR;
    case CB_SETCURSEL:
        // An index out of range (or -1) clears the selection and answers CB_ERR.
        if (!ValidIndex(state, wParam)) {
            Select(hwnd, -1);
            return CB_ERR;
        }
        Select(hwnd, static_cast<int>(wParam));
        return static_cast<LRESULT>(wParam);
    case CB_GETLBTEXTLEN:
        if (!ValidIndex(state, wParam)) {
            return CB_ERR;
        }
        return static_cast<LRESULT>(state.items[wParam].text.size());
    case CB_GETLBTEXT:
        return CopyItemText(state, wParam, lParam);
    case CB_FINDSTRINGEXACT:
        return FindStringExact(state, wParam, lParam);
    case CB_SETITEMDATA:
        if (!ValidIndex(state, wParam)) {
            return CB_ERR;
        }
        state.items[wParam].data = lParam;
        return TRUE;
    case CB_GETITEMDATA:
        if (!ValidIndex(state, wParam)) {
            return CB_ERR;
        }
        return state.items[wParam].data;
    case WM_SETTEXT:
        return SetComboText(hwnd, w, lParam);
    default:
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}

} // namespace winsim::user
