// TrackPopupMenu: the menu loop with the messages its owner sees on Windows, the menu window
// on the screen, and the scripted person's answers to an open menu.
#include "user/activation.h"
#include "user/builtin_classes.h"
#include "user/events.h"
#include "user/geometry.h"
#include "user/menu_state.h"
#include "user/paint_internal.h"
#include "user/window_internal.h"

#include <winsim/sim.h>
#include <winsim/sim_user.h>

#include <algorithm>
#include <cctype>
#include <functional>
#include <stdexcept>

namespace winsim::user {
namespace {

constexpr UINT kMsgfMenu = 2; // MSGF_MENU

enum class Pending { None, Choose, Close };

struct Tracking {
    HMENU menu = nullptr;
    HWND owner = nullptr;
    HWND window = nullptr;
    UINT flags = 0;
    int selected = -1; // position in menu
    Pending pending = Pending::None;
    UINT chosen = 0;
    bool chose = false;
    std::vector<HMENU> opened; // submenus initialised on the way to a choice
};

struct MenuDesk {
    Tracking* active = nullptr;
    std::vector<winsim::MenuItemView> lastItems;
    int opened = 0;
};

MenuDesk& Desk() {
    static MenuDesk desk;
    return desk;
}

bool Notify(const Tracking& t) {
    return !(t.flags & TPM_NONOTIFY);
}

std::vector<winsim::MenuItemView> Snapshot(HMENU menu) {
    std::vector<winsim::MenuItemView> views;
    Menu* m = FindMenu(menu);
    if (!m) {
        return views;
    }
    for (const MenuItem& item : m->items) {
        winsim::MenuItemView v;
        v.id = item.submenu ? static_cast<UINT>(-1) : item.id;
        v.text = item.text;
        v.separator = (item.type & MFT_SEPARATOR) != 0;
        v.popup = item.submenu != nullptr;
        v.checked = (item.state & MFS_CHECKED) != 0;
        v.grayed = (item.state & (MF_GRAYED | MF_DISABLED)) != 0;
        v.isDefault = (item.state & MFS_DEFAULT) != 0;
        v.ownerDrawn = (item.type & MFT_OWNERDRAW) != 0;
        views.push_back(v);
    }
    return views;
}

HFONT MenuFont(bool bold) {
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof(metrics);
    if (!SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) {
        return nullptr;
    }
    if (bold) {
        metrics.lfMenuFont.lfWeight = FW_BOLD;
    }
    return CreateFontIndirectA(&metrics.lfMenuFont);
}

int TextWidth(const std::string& text, bool bold) {
    HDC dc = GetDC(nullptr);
    if (!dc) {
        return static_cast<int>(text.size()) * 6;
    }
    HFONT font = MenuFont(bold);
    HGDIOBJ old = font ? SelectObject(dc, font) : nullptr;
    SIZE size{};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    if (font) {
        SelectObject(dc, old);
        DeleteObject(font);
    }
    ReleaseDC(nullptr, dc);
    return size.cx;
}

// Measures every item (owner-drawn ones through WM_MEASUREITEM to the owner) and stacks them.
SIZE Layout(Tracking& t) {
    Menu* m = FindMenu(t.menu);
    const int itemHeight = GetSystemMetrics(SM_CYMENU);
    const int checkWidth = GetSystemMetrics(SM_CYMENUCHECK);
    int width = 0;
    int y = 0;
    for (size_t i = 0; i < m->items.size(); ++i) {
        MenuItem item = m->items[i];
        int w = 0;
        int h = itemHeight;
        if (item.type & MFT_OWNERDRAW) {
            MEASUREITEMSTRUCT mis{};
            mis.CtlType = ODT_MENU;
            mis.itemID = item.id;
            mis.itemHeight = static_cast<UINT>(itemHeight);
            mis.itemData = item.data;
            Send(t.owner, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mis));
            w = static_cast<int>(mis.itemWidth) + checkWidth;
            h = static_cast<int>(mis.itemHeight);
        } else if (item.type & MFT_SEPARATOR) {
            h = itemHeight / 2;
        } else {
            std::string left = item.text;
            std::string right;
            size_t tab = left.find('\t');
            if (tab != std::string::npos) {
                right = left.substr(tab + 1);
                left.erase(tab);
            }
            bool bold = (item.state & MFS_DEFAULT) != 0;
            w = 2 * checkWidth + TextWidth(PlainMenuText(left), bold) +
                (right.empty() ? 0 : checkWidth + TextWidth(right, bold));
        }
        m = FindMenu(t.menu);
        if (!m || i >= m->items.size()) {
            break;
        }
        m->items[i].rect = RECT{0, y, 0, y + h};
        width = std::max(width, w);
        y += h;
    }
    if (m) {
        for (MenuItem& item : m->items) {
            item.rect.right = width;
        }
    }
    return SIZE{width, y};
}

POINT Place(const Tracking& t, int x, int y, SIZE size) {
    int left = x;
    int top = y;
    if (t.flags & TPM_RIGHTALIGN) {
        left = x - size.cx;
    } else if (t.flags & TPM_CENTERALIGN) {
        left = x - size.cx / 2;
    }
    if (t.flags & TPM_BOTTOMALIGN) {
        top = y - size.cy;
    } else if (t.flags & TPM_VCENTERALIGN) {
        top = y - size.cy / 2;
    }
    // The menu stays on the screen: it moves left, and opens upwards when there is no room.
    int screenWidth = Config().screenWidth;
    int screenHeight = Config().screenHeight;
    if (left + size.cx > screenWidth) {
        left = screenWidth - size.cx;
    }
    if (top + size.cy > screenHeight) {
        top = y - size.cy;
    }
    return POINT{std::max(0, left), std::max(0, top)};
}

UINT SelectFlags(const MenuItem& item) {
    UINT flags = MF_HILITE | (item.state & (MF_GRAYED | MF_DISABLED | MF_CHECKED)) |
                 (item.type & (MF_OWNERDRAW | MF_BITMAP | MF_SEPARATOR));
    if (item.submenu) {
        flags |= MF_POPUP;
    }
    return flags;
}

void DrawItem(const Tracking& t, HDC dc, size_t position, bool selected);

void RedrawItem(const Tracking& t, size_t position, bool selected) {
    if (!t.window) {
        return;
    }
    HDC dc = GetDC(t.window);
    if (!dc) {
        return;
    }
    DrawItem(t, dc, position, selected);
    ReleaseDC(t.window, dc);
}

void Select(Tracking& t, int position) {
    Menu* m = FindMenu(t.menu);
    if (!m || position == t.selected) {
        return;
    }
    int previous = t.selected;
    t.selected = position;
    if (previous >= 0 && static_cast<size_t>(previous) < m->items.size()) {
        RedrawItem(t, static_cast<size_t>(previous), false);
    }
    m = FindMenu(t.menu);
    if (position >= 0 && m && static_cast<size_t>(position) < m->items.size()) {
        const MenuItem& item = m->items[static_cast<size_t>(position)];
        WORD idOrPos = item.submenu ? static_cast<WORD>(position) : static_cast<WORD>(item.id);
        Send(t.owner, WM_MENUSELECT, MAKEWPARAM(idOrPos, SelectFlags(item)),
             reinterpret_cast<LPARAM>(t.menu));
        RedrawItem(t, static_cast<size_t>(position), true);
    }
}

bool Selectable(const MenuItem& item) {
    return !(item.type & MFT_SEPARATOR);
}

bool Enabled(const MenuItem& item) {
    return !(item.state & (MF_GRAYED | MF_DISABLED));
}

void ChooseAt(Tracking& t, int position) {
    Menu* m = FindMenu(t.menu);
    if (!m || position < 0 || static_cast<size_t>(position) >= m->items.size()) {
        return;
    }
    const MenuItem& item = m->items[static_cast<size_t>(position)];
    if (!Selectable(item) || !Enabled(item) || item.submenu) {
        // A click on a disabled item or a separator leaves the menu open.
        return;
    }
    t.chosen = item.id;
    t.chose = true;
    t.pending = Pending::Close;
}

int ItemAt(const Tracking& t, POINT client) {
    Menu* m = FindMenu(t.menu);
    if (!m) {
        return -1;
    }
    for (size_t i = 0; i < m->items.size(); ++i) {
        const RECT& r = m->items[i].rect;
        if (client.x >= r.left && client.x < r.right && client.y >= r.top && client.y < r.bottom) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

void MoveSelection(Tracking& t, int step) {
    Menu* m = FindMenu(t.menu);
    if (!m || m->items.empty()) {
        return;
    }
    int n = static_cast<int>(m->items.size());
    int position = t.selected;
    for (int k = 0; k < n; ++k) {
        position = position < 0 ? (step > 0 ? 0 : n - 1) : (position + step + n) % n;
        if (Selectable(m->items[static_cast<size_t>(position)])) {
            Select(t, position);
            return;
        }
    }
}

// Handles a message meant for the open menu; false when it is for someone else.
bool HandleMenuInput(Tracking& t, const MSG& msg) {
    if (msg.hwnd != t.window) {
        return false;
    }
    switch (msg.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        switch (msg.wParam) {
        case VK_ESCAPE:
        case VK_MENU:
        case VK_F10:
            t.pending = Pending::Close;
            break;
        case VK_DOWN:
            MoveSelection(t, 1);
            break;
        case VK_UP:
            MoveSelection(t, -1);
            break;
        case VK_RETURN:
            ChooseAt(t, t.selected);
            break;
        default: {
            // A letter chooses the item whose mnemonic it is.
            Menu* m = FindMenu(t.menu);
            for (size_t i = 0; m && i < m->items.size(); ++i) {
                const std::string& text = m->items[i].text;
                size_t amp = text.find('&');
                if (amp != std::string::npos && amp + 1 < text.size() &&
                    std::toupper(static_cast<unsigned char>(text[amp + 1])) ==
                        static_cast<int>(msg.wParam)) {
                    ChooseAt(t, static_cast<int>(i));
                    break;
                }
            }
            break;
        }
        }
        return true;
    case WM_MOUSEMOVE: {
        int position = ItemAt(t, POINT{GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)});
        if (position >= 0) {
            Select(t, position);
        }
        return true;
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN: {
        int position = ItemAt(t, POINT{GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)});
        if (position < 0) {
            // A click outside the menu closes it.
            t.pending = Pending::Close;
        }
        return true;
    }
    case WM_LBUTTONUP:
    case WM_RBUTTONUP: {
        if (msg.message == WM_RBUTTONUP && !(t.flags & TPM_RIGHTBUTTON)) {
            return true;
        }
        int position = ItemAt(t, POINT{GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)});
        if (position >= 0) {
            Select(t, position);
            ChooseAt(t, position);
        }
        return true;
    }
    default:
        return msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST;
    }
}

void DrawItem(const Tracking& t, HDC dc, size_t position, bool selected) {
    Menu* m = FindMenu(t.menu);
    if (!m || position >= m->items.size()) {
        return;
    }
    const MenuItem item = m->items[position];
    RECT r = item.rect;
    if (item.type & MFT_OWNERDRAW) {
        DRAWITEMSTRUCT dis{};
        dis.CtlType = ODT_MENU;
        dis.itemID = item.id;
        dis.itemAction = ODA_DRAWENTIRE;
        dis.itemState = (selected ? ODS_SELECTED : 0) |
                        ((item.state & MF_GRAYED) ? ODS_GRAYED : 0) |
                        ((item.state & MF_DISABLED) ? ODS_DISABLED : 0) |
                        ((item.state & MF_CHECKED) ? ODS_CHECKED : 0) |
                        ((item.state & MFS_DEFAULT) ? ODS_DEFAULT : 0);
        dis.hwndItem = reinterpret_cast<HWND>(t.menu);
        dis.hDC = dc;
        dis.rcItem = r;
        dis.itemData = item.data;
        // As on Windows, the owner finds the menu font selected into the menu's device context.
        HFONT font = MenuFont((item.state & MFS_DEFAULT) != 0);
        HGDIOBJ oldFont = font ? SelectObject(dc, font) : nullptr;
        Send(t.owner, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis));
        if (font) {
            SelectObject(dc, oldFont);
            DeleteObject(font);
        }
        return;
    }
    bool disabled = !Enabled(item);
    FillRect(
        dc, &r,
        GetSysColorBrush(selected && !(item.type & MFT_SEPARATOR) ? COLOR_HIGHLIGHT : COLOR_MENU));
    if (item.type & MFT_SEPARATOR) {
        RECT line{r.left + 1, r.top + (r.bottom - r.top) / 2 - 1, r.right - 1, r.bottom};
        DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
        return;
    }
    const int checkWidth = GetSystemMetrics(SM_CYMENUCHECK);
    COLORREF color =
        GetSysColor(disabled ? COLOR_GRAYTEXT : (selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT));
    if (item.state & MFS_CHECKED) {
        // A check mark: two strokes in the check column.
        HPEN pen = CreatePen(PS_SOLID, 1, color);
        HGDIOBJ old = SelectObject(dc, pen);
        int cx = r.left + checkWidth / 2 - 3;
        int cy = (r.top + r.bottom) / 2;
        for (int k = 0; k < 3; ++k) {
            MoveToEx(dc, cx, cy - 1 + k, nullptr);
            LineTo(dc, cx + 2, cy + 1 + k);
            LineTo(dc, cx + 7, cy - 4 + k);
        }
        SelectObject(dc, old);
        DeleteObject(pen);
    }
    HFONT font = MenuFont((item.state & MFS_DEFAULT) != 0);
    HGDIOBJ oldFont = font ? SelectObject(dc, font) : nullptr;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, color);
    RECT text{r.left + checkWidth, r.top, r.right - checkWidth, r.bottom};
    std::string left = item.text;
    std::string right;
    size_t tab = left.find('\t');
    if (tab != std::string::npos) {
        right = left.substr(tab + 1);
        left.erase(tab);
    }
    DrawTextA(dc, left.c_str(), -1, &text, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
    if (!right.empty()) {
        DrawTextA(dc, right.c_str(), -1, &text, DT_SINGLELINE | DT_VCENTER | DT_RIGHT);
    }
    if (font) {
        SelectObject(dc, oldFont);
        DeleteObject(font);
    }
}

Tracking* ActiveOrThrow() {
    Tracking* t = Desk().active;
    if (!t || !FindMenu(t->menu)) {
        throw std::runtime_error("no menu is open");
    }
    return t;
}

// Finds the path to an item (positions through submenus); empty when none matches.
bool FindPath(HMENU menu, const std::function<bool(const MenuItem&)>& match,
              std::vector<std::pair<HMENU, size_t>>* path) {
    Menu* m = FindMenu(menu);
    if (!m) {
        return false;
    }
    for (size_t i = 0; i < m->items.size(); ++i) {
        const MenuItem& item = m->items[i];
        if (item.submenu) {
            path->push_back({menu, i});
            if (FindPath(item.submenu, match, path)) {
                return true;
            }
            path->pop_back();
            continue;
        }
        if (match(item)) {
            path->push_back({menu, i});
            return true;
        }
    }
    return false;
}

void ChooseByPath(Tracking& t, const std::vector<std::pair<HMENU, size_t>>& path, bool choose) {
    // Opening each submenu on the way, as the pointer would, then the item itself.
    for (size_t k = 0; k < path.size(); ++k) {
        auto [menu, position] = path[k];
        Menu* m = FindMenu(menu);
        if (!m || position >= m->items.size()) {
            return;
        }
        MenuItem item = m->items[position];
        if (menu == t.menu) {
            Select(t, static_cast<int>(position));
        } else {
            WORD idOrPos = item.submenu ? static_cast<WORD>(position) : static_cast<WORD>(item.id);
            Send(t.owner, WM_MENUSELECT, MAKEWPARAM(idOrPos, SelectFlags(item)),
                 reinterpret_cast<LPARAM>(menu));
        }
        if (item.submenu && k + 1 < path.size()) {
            if (Notify(t)) {
                Send(t.owner, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(item.submenu),
                     MAKELPARAM(static_cast<WORD>(position), FALSE));
            }
            t.opened.push_back(item.submenu);
        } else if (choose && !item.submenu) {
            if (!Enabled(item)) {
                return;
            }
            t.chosen = item.id;
            t.chose = true;
            t.pending = Pending::Close;
        }
    }
}

std::string Describe(HMENU menu) {
    std::string items;
    Menu* m = FindMenu(menu);
    for (size_t i = 0; m && i < m->items.size() && i < 4; ++i) {
        if (m->items[i].type & MFT_SEPARATOR) {
            continue;
        }
        items += (items.empty() ? "'" : ", '") + PlainMenuText(m->items[i].text) + "'";
    }
    return "the popup menu with " + (items.empty() ? std::string("no items") : items);
}

} // namespace

void ResetMenuDesk() {
    Desk().active = nullptr;
    Desk().lastItems.clear();
    Desk().opened = 0;
}

LRESULT CALLBACK MenuWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Tracking* t = Desk().active;
    switch (msg) {
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        if (dc && t && t->window == hwnd) {
            RECT client;
            GetClientRect(hwnd, &client);
            FillRect(dc, &client, GetSysColorBrush(COLOR_MENU));
            Menu* m = FindMenu(t->menu);
            for (size_t i = 0; m && i < m->items.size(); ++i) {
                DrawItem(*t, dc, i, static_cast<int>(i) == t->selected);
                m = FindMenu(t->menu);
            }
        }
        EndPaint(hwnd, &ps);
        return 0;
    }
    default:
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}

} // namespace winsim::user

namespace winsim {

using namespace winsim::user;

bool IsMenuOpen() {
    return Desk().active != nullptr;
}

std::vector<MenuItemView> MenuItems() {
    if (Tracking* t = Desk().active) {
        return Snapshot(t->menu);
    }
    return Desk().lastItems;
}

int MenusOpened() {
    return Desk().opened;
}

void ChooseMenuItem(UINT id) {
    Tracking* t = ActiveOrThrow();
    std::vector<std::pair<HMENU, size_t>> path;
    if (!FindPath(
            t->menu,
            [id](const MenuItem& item) { return item.id == id && !(item.type & MFT_SEPARATOR); },
            &path)) {
        throw std::runtime_error("the open menu has no item " + std::to_string(id));
    }
    ChooseByPath(*t, path, true);
}

void ChooseMenuItem(const std::string& text) {
    Tracking* t = ActiveOrThrow();
    std::string wanted = PlainMenuText(text);
    std::vector<std::pair<HMENU, size_t>> path;
    auto match = [&](const MenuItem& item) {
        if (item.type & MFT_SEPARATOR) {
            return false;
        }
        if (item.text == text || PlainMenuText(item.text) == wanted) {
            return true;
        }
        // The text may also be given with '&' but without the tab part, or the reverse.
        std::string noTab = item.text.substr(0, item.text.find('\t'));
        return noTab == text;
    };
    if (!FindPath(t->menu, match, &path)) {
        throw std::runtime_error("the open menu has no item '" + text + "'");
    }
    ChooseByPath(*t, path, true);
}

void HoverMenuItem(UINT id) {
    Tracking* t = ActiveOrThrow();
    std::vector<std::pair<HMENU, size_t>> path;
    if (!FindPath(
            t->menu, [id](const MenuItem& item) { return item.id == id; }, &path)) {
        throw std::runtime_error("the open menu has no item " + std::to_string(id));
    }
    ChooseByPath(*t, path, false);
}

void CloseMenu() {
    Tracking* t = ActiveOrThrow();
    t->pending = Pending::Close;
}

} // namespace winsim

using namespace winsim::user;

BOOL WINAPI TrackPopupMenuEx(HMENU hMenu, UINT uFlags, int x, int y, HWND hwnd, LPTPMPARAMS lptpm) {
    (void)lptpm;
    if (!FindMenuOrFail(hMenu)) {
        return FALSE;
    }
    if (!FindOrFail(hwnd)) {
        return FALSE;
    }
    if (Desk().active && !(uFlags & TPM_RECURSE)) {
        SetLastError(ERROR_POPUP_ALREADY_ACTIVE);
        return FALSE;
    }
    Tracking t;
    t.menu = hMenu;
    t.owner = hwnd;
    t.flags = uFlags;
    Tracking* outer = Desk().active;
    Desk().active = &t;
    struct Restore {
        Tracking* outer;
        Tracking* self;
        ~Restore() {
            if (self->window && Find(self->window)) {
                DestroyWindow(self->window);
            }
            if (ProgramThread().capture == self->window) {
                ProgramThread().capture = nullptr;
            }
            Desk().active = outer;
        }
    } restore{outer, &t};

    Send(hwnd, WM_ENTERMENULOOP, TRUE, 0);
    if (Notify(t) && FindMenu(hMenu)) {
        Send(hwnd, WM_INITMENU, reinterpret_cast<WPARAM>(hMenu), 0);
        Send(hwnd, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(hMenu), MAKELPARAM(0, FALSE));
    }
    ++Desk().opened;
    if (FindMenu(hMenu) && Find(hwnd)) {
        Desk().lastItems = Snapshot(hMenu);
        std::string line = "menu opened:";
        for (const winsim::MenuItemView& v : Desk().lastItems) {
            line += v.separator ? " |" : " '" + PlainMenuText(v.text) + "'";
        }
        RecordEvent(line);
        SIZE size = Layout(t);
        Insets frame = NonClientInsets(WS_POPUP, WS_EX_DLGMODALFRAME, false);
        SIZE outerSize{size.cx + frame.left + frame.right, size.cy + frame.top + frame.bottom};
        POINT at = Place(t, x, y, outerSize);
        t.window = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_DLGMODALFRAME,
                                   kMenuClass, "", WS_POPUP, at.x, at.y, outerSize.cx, outerSize.cy,
                                   hwnd, nullptr, nullptr, nullptr);
        if (t.window) {
            ShowWindow(t.window, SW_SHOWNA);
            ProgramThread().capture = t.window;
            UpdateWindow(t.window);
        }
    }

    {
        WaitingIn waiting(Describe(hMenu));
        MSG msg;
        while (t.pending != Pending::Close && FindMenu(hMenu) && Find(hwnd) && t.window &&
               Find(t.window)) {
            if (TakeMessage(kProgramThread, &msg, nullptr, 0, 0, true)) {
                if (msg.message == WM_QUIT) {
                    PostQuitMessage(static_cast<int>(msg.wParam));
                    break;
                }
                if (!HandleMenuInput(t, msg)) {
                    TranslateMessage(&msg);
                    DispatchMessageA(&msg);
                }
                continue;
            }
            if (Notify(t)) {
                Send(hwnd, WM_ENTERIDLE, kMsgfMenu, reinterpret_cast<LPARAM>(t.window));
                if (t.pending == Pending::Close) {
                    break;
                }
            }
            WaitForInput();
        }
    }

    if (FindMenu(hMenu)) {
        Desk().lastItems = Snapshot(hMenu);
    }
    if (Find(hwnd)) {
        Send(hwnd, WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
        for (auto it = t.opened.rbegin(); it != t.opened.rend(); ++it) {
            Send(hwnd, WM_UNINITMENUPOPUP, reinterpret_cast<WPARAM>(*it), 0);
        }
        Send(hwnd, WM_UNINITMENUPOPUP, reinterpret_cast<WPARAM>(hMenu), 0);
    }
    if (t.window && Find(t.window)) {
        HWND window = t.window;
        t.window = nullptr;
        if (ProgramThread().capture == window) {
            ProgramThread().capture = nullptr;
        }
        DestroyWindow(window);
    }
    if (Find(hwnd)) {
        Send(hwnd, WM_EXITMENULOOP, TRUE, 0);
    }
    if (uFlags & TPM_RETURNCMD) {
        return t.chose ? static_cast<BOOL>(t.chosen) : 0;
    }
    if (t.chose && Find(hwnd)) {
        PostMessageA(hwnd, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(t.chosen), 0), 0);
    }
    return TRUE;
}

BOOL WINAPI TrackPopupMenu(HMENU hMenu, UINT uFlags, int x, int y, int nReserved, HWND hWnd,
                           const RECT* prcRect) {
    (void)nReserved;
    (void)prcRect;
    return TrackPopupMenuEx(hMenu, uFlags, x, y, hWnd, nullptr);
}

BOOL WINAPI EndMenu() {
    if (Tracking* t = Desk().active) {
        t->pending = Pending::Close;
    }
    return TRUE;
}
