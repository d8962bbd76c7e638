// TrackPopupMenu: the menu loop with the messages its owner sees on Windows, the menu window and
// the cascading submenus on the screen, and the scripted person's answers to an open menu.
#include "user/activation.h"
#include "user/builtin_classes.h"
#include "user/events.h"
#include "user/geometry.h"
#include "user/menu_state.h"
#include "user/menu_window.h"
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

// One open menu window: the menu TrackPopupMenu opened, or a submenu cascading from the item
// selected in the level before it.
struct Level {
    HMENU menu = nullptr;
    HWND window = nullptr;
    int selected = -1; // position in menu
};

struct Tracking {
    HWND owner = nullptr;
    UINT flags = 0;
    std::vector<Level> levels; // levels[0] is the menu opened; then the open submenus in order
    Pending pending = Pending::None;
    UINT chosen = 0;
    bool chose = false;
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

HMENU RootMenu(const Tracking& t) {
    return t.levels.empty() ? nullptr : t.levels[0].menu;
}

HWND RootWindow(const Tracking& t) {
    return t.levels.empty() ? nullptr : t.levels[0].window;
}

std::vector<winsim::MenuItemView> Snapshot(HMENU menu) {
    std::vector<winsim::MenuItemView> views;
    Menu* m = FindMenu(menu);
    if (!m) {
        return views;
    }
    for (const MenuItem& item : m->items) {
        winsim::MenuItemView v;
        v.menu = menu;
        v.position = static_cast<UINT>(views.size());
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

Insets MenuFrame() {
    return NonClientInsets(WS_POPUP, WS_EX_DLGMODALFRAME, false);
}

// A menu window, not shown yet: its level learns its handle before it paints.
HWND CreateMenuWindow(HWND owner, POINT at, SIZE size) {
    return CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_DLGMODALFRAME, kMenuClass, "",
                           WS_POPUP, at.x, at.y, size.cx, size.cy, owner, nullptr, nullptr,
                           nullptr);
}

void ShowMenuWindow(HWND window) {
    ShowWindow(window, SW_SHOWNA);
    UpdateWindow(window);
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

// A submenu opens to the right of its parent menu window, its first item level with the item
// that opened it; to the left when there is no room on the right, and moved up to stay on the
// screen.
POINT PlaceSubmenu(HWND parentWindow, const RECT& itemRect, SIZE size) {
    RECT parent{};
    GetWindowRect(parentWindow, &parent);
    POINT item{itemRect.left, itemRect.top};
    ClientToScreen(parentWindow, &item);
    Insets frame = MenuFrame();
    int left = parent.right - frame.right;
    if (left + size.cx > Config().screenWidth) {
        left = parent.left + frame.left - size.cx;
    }
    int top = item.y - frame.top;
    if (top + size.cy > Config().screenHeight) {
        top = Config().screenHeight - size.cy;
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

void RedrawItem(const Tracking& t, const Level& level, size_t position, bool selected) {
    if (!level.window || !Find(level.window)) {
        return;
    }
    HDC dc = GetDC(level.window);
    if (!dc) {
        return;
    }
    DrawMenuItem(level.menu, t.owner, dc, position, selected);
    ReleaseDC(level.window, dc);
}

bool Selectable(const MenuItem& item) {
    return !(item.type & MFT_SEPARATOR);
}

bool Enabled(const MenuItem& item) {
    return !(item.state & (MF_GRAYED | MF_DISABLED));
}

// Closes the submenus from this level on, innermost first: their windows go, and the owner
// hears that each popup is no longer shown.
void CloseLevelsFrom(Tracking& t, size_t from) {
    while (t.levels.size() > std::max<size_t>(from, 1)) {
        Level level = t.levels.back();
        t.levels.pop_back();
        if (level.window && Find(level.window)) {
            DestroyWindow(level.window);
        }
        if (Find(t.owner)) {
            Send(t.owner, WM_UNINITMENUPOPUP, reinterpret_cast<WPARAM>(level.menu), 0);
        }
    }
}

void Select(Tracking& t, size_t depth, int position) {
    if (depth >= t.levels.size()) {
        return;
    }
    Menu* m = FindMenu(t.levels[depth].menu);
    if (!m || position == t.levels[depth].selected) {
        // The same item again: a submenu it opened stays open.
        return;
    }
    CloseLevelsFrom(t, depth + 1);
    if (depth >= t.levels.size()) {
        return;
    }
    Level& level = t.levels[depth];
    m = FindMenu(level.menu);
    if (!m) {
        return;
    }
    int previous = level.selected;
    level.selected = position;
    if (previous >= 0 && static_cast<size_t>(previous) < m->items.size()) {
        RedrawItem(t, level, static_cast<size_t>(previous), false);
    }
    m = FindMenu(level.menu);
    if (position >= 0 && m && static_cast<size_t>(position) < m->items.size()) {
        const MenuItem item = m->items[static_cast<size_t>(position)];
        WORD idOrPos = item.submenu ? static_cast<WORD>(position) : static_cast<WORD>(item.id);
        Send(t.owner, WM_MENUSELECT, MAKEWPARAM(idOrPos, SelectFlags(item)),
             reinterpret_cast<LPARAM>(level.menu));
        if (depth < t.levels.size()) {
            RedrawItem(t, t.levels[depth], static_cast<size_t>(position), true);
        }
    }
}

// Opens the submenu of the item selected at this level beside it (WM_INITMENUPOPUP first, so
// the owner can fill it); true when it is open now.
bool OpenSubmenu(Tracking& t, size_t depth) {
    if (depth >= t.levels.size() || t.levels[depth].selected < 0) {
        return false;
    }
    if (depth + 1 < t.levels.size()) {
        return true; // open already: selecting another item closes it first
    }
    Level parent = t.levels[depth];
    Menu* m = FindMenu(parent.menu);
    if (!m || static_cast<size_t>(parent.selected) >= m->items.size()) {
        return false;
    }
    const MenuItem item = m->items[static_cast<size_t>(parent.selected)];
    if (!item.submenu || !Enabled(item) || !FindMenu(item.submenu)) {
        return false;
    }
    if (Notify(t)) {
        Send(t.owner, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(item.submenu),
             MAKELPARAM(static_cast<WORD>(parent.selected), FALSE));
    }
    if (!FindMenu(item.submenu) || !Find(t.owner) || t.levels.size() != depth + 1 ||
        !Find(parent.window)) {
        return false;
    }
    Level level;
    level.menu = item.submenu;
    // The level is there before its window is painted, so that painting finds it.
    t.levels.push_back(level);
    SIZE size = LayoutMenu(item.submenu, t.owner);
    Insets frame = MenuFrame();
    SIZE outer{size.cx + frame.left + frame.right, size.cy + frame.top + frame.bottom};
    POINT at = PlaceSubmenu(parent.window, item.rect, outer);
    HWND window = CreateMenuWindow(t.owner, at, outer);
    if (t.levels.size() != depth + 2) {
        if (window) {
            DestroyWindow(window);
        }
        return false;
    }
    t.levels.back().window = window;
    if (window) {
        ShowMenuWindow(window);
    }
    return window != nullptr;
}

// Selects the first item that can be selected in a level (as Right or Enter on a popup item
// does in the submenu it opens).
void SelectFirst(Tracking& t, size_t depth) {
    Menu* m = depth < t.levels.size() ? FindMenu(t.levels[depth].menu) : nullptr;
    for (size_t i = 0; m && i < m->items.size(); ++i) {
        if (Selectable(m->items[i])) {
            Select(t, depth, static_cast<int>(i));
            return;
        }
    }
}

void MoveSelection(Tracking& t, int step) {
    size_t depth = t.levels.size() - 1;
    Menu* m = FindMenu(t.levels[depth].menu);
    if (!m || m->items.empty()) {
        return;
    }
    int n = static_cast<int>(m->items.size());
    int position = t.levels[depth].selected;
    for (int k = 0; k < n; ++k) {
        position = position < 0 ? (step > 0 ? 0 : n - 1) : (position + step + n) % n;
        if (Selectable(m->items[static_cast<size_t>(position)])) {
            Select(t, depth, position);
            return;
        }
    }
}

// Choosing an item: a command closes the menu with it; a popup item opens its submenu.
void ChooseAt(Tracking& t, size_t depth, int position, bool fromKeyboard) {
    Menu* m = depth < t.levels.size() ? FindMenu(t.levels[depth].menu) : nullptr;
    if (!m || position < 0 || static_cast<size_t>(position) >= m->items.size()) {
        return;
    }
    const MenuItem item = m->items[static_cast<size_t>(position)];
    if (!Selectable(item) || !Enabled(item)) {
        // A click on a disabled item or a separator leaves the menu open.
        return;
    }
    if (item.submenu) {
        Select(t, depth, position);
        if (OpenSubmenu(t, depth) && fromKeyboard) {
            SelectFirst(t, depth + 1);
        }
        return;
    }
    t.chosen = item.id;
    t.chose = true;
    t.pending = Pending::Close;
}

int ItemAt(const Level& level, POINT client) {
    Menu* m = FindMenu(level.menu);
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

// The open menu window under a screen point (the innermost submenu first, as it lies on top),
// with the point in its client coordinates.
bool LevelAt(const Tracking& t, POINT screen, size_t* depth, POINT* client) {
    for (size_t k = t.levels.size(); k-- > 0;) {
        HWND window = t.levels[k].window;
        RECT r{};
        if (!window || !GetWindowRect(window, &r)) {
            continue;
        }
        if (screen.x >= r.left && screen.x < r.right && screen.y >= r.top && screen.y < r.bottom) {
            *depth = k;
            *client = screen;
            ScreenToClient(window, client);
            return true;
        }
    }
    return false;
}

bool IsLevelWindow(const Tracking& t, HWND hwnd) {
    for (const Level& level : t.levels) {
        if (level.window == hwnd) {
            return true;
        }
    }
    return false;
}

bool HandleMenuKey(Tracking& t, WPARAM vk) {
    size_t depth = t.levels.size() - 1;
    switch (vk) {
    case VK_ESCAPE:
        // Esc closes the innermost submenu, or the menu itself when no submenu is open.
        if (depth > 0) {
            CloseLevelsFrom(t, depth);
        } else {
            t.pending = Pending::Close;
        }
        break;
    case VK_MENU:
    case VK_F10:
        t.pending = Pending::Close;
        break;
    case VK_LEFT:
        if (depth > 0) {
            CloseLevelsFrom(t, depth);
        }
        break;
    case VK_RIGHT: {
        Menu* m = FindMenu(t.levels[depth].menu);
        int selected = t.levels[depth].selected;
        if (m && selected >= 0 && static_cast<size_t>(selected) < m->items.size() &&
            m->items[static_cast<size_t>(selected)].submenu) {
            ChooseAt(t, depth, selected, true);
        }
        break;
    }
    case VK_DOWN:
        MoveSelection(t, 1);
        break;
    case VK_UP:
        MoveSelection(t, -1);
        break;
    case VK_RETURN:
        ChooseAt(t, depth, t.levels[depth].selected, true);
        break;
    default: {
        // A letter chooses the item whose mnemonic it is, in the innermost open menu.
        Menu* m = FindMenu(t.levels[depth].menu);
        for (size_t i = 0; m && i < m->items.size(); ++i) {
            const std::string& text = m->items[i].text;
            size_t amp = text.find('&');
            if (amp != std::string::npos && amp + 1 < text.size() &&
                std::toupper(static_cast<unsigned char>(text[amp + 1])) == static_cast<int>(vk)) {
                ChooseAt(t, depth, static_cast<int>(i), true);
                break;
            }
        }
        break;
    }
    }
    return true;
}

// Handles a message meant for the open menu; false when it is for someone else.
bool HandleMenuInput(Tracking& t, const MSG& msg) {
    if (t.levels.empty() || !IsLevelWindow(t, msg.hwnd)) {
        return false;
    }
    if (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) {
        return HandleMenuKey(t, msg.wParam);
    }
    if (msg.message != WM_MOUSEMOVE && msg.message != WM_LBUTTONDOWN &&
        msg.message != WM_RBUTTONDOWN && msg.message != WM_LBUTTONUP &&
        msg.message != WM_RBUTTONUP) {
        return msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST;
    }
    // The menu has the capture: the point is relative to the window the message came to.
    POINT screen{GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)};
    ClientToScreen(msg.hwnd, &screen);
    size_t depth = 0;
    POINT client{};
    int position = LevelAt(t, screen, &depth, &client) ? ItemAt(t.levels[depth], client) : -1;
    switch (msg.message) {
    case WM_MOUSEMOVE:
        if (position >= 0) {
            // Pointing at an item selects it; pointing at a popup item opens its submenu.
            Select(t, depth, position);
            OpenSubmenu(t, depth);
        }
        return true;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
        if (position < 0 && !LevelAt(t, screen, &depth, &client)) {
            // A click outside the menus closes them.
            t.pending = Pending::Close;
        }
        return true;
    default: // WM_LBUTTONUP, WM_RBUTTONUP
        if (msg.message == WM_RBUTTONUP && !(t.flags & TPM_RIGHTBUTTON)) {
            return true;
        }
        if (position >= 0) {
            Select(t, depth, position);
            ChooseAt(t, depth, position, false);
        }
        return true;
    }
}

Tracking* ActiveOrThrow() {
    Tracking* t = Desk().active;
    if (!t || !FindMenu(RootMenu(*t))) {
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
        if (k >= t.levels.size() || t.levels[k].menu != menu) {
            return;
        }
        Menu* m = FindMenu(menu);
        if (!m || position >= m->items.size()) {
            return;
        }
        MenuItem item = m->items[position];
        Select(t, k, static_cast<int>(position));
        if (item.submenu && k + 1 < path.size()) {
            if (!OpenSubmenu(t, k)) {
                return;
            }
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

// While a menu is tracked it is the desktop's active one; however the tracking ends (the owner
// went, or an exception), its windows go without messages and the outer menu is active again.
class ActiveTracking {
public:
    explicit ActiveTracking(Tracking& t) : outer_(Desk().active), self_(&t) { Desk().active = &t; }
    ~ActiveTracking() {
        std::vector<Level> levels;
        levels.swap(self_->levels);
        for (auto it = levels.rbegin(); it != levels.rend(); ++it) {
            if (ProgramThread().capture == it->window) {
                ProgramThread().capture = nullptr;
            }
            if (it->window && Find(it->window)) {
                DestroyWindow(it->window);
            }
        }
        Desk().active = outer_;
    }
    ActiveTracking(const ActiveTracking&) = delete;
    ActiveTracking& operator=(const ActiveTracking&) = delete;

private:
    Tracking* outer_;
    Tracking* self_;
};

// The loop's opening messages, then the menu's window at its place with the mouse captured.
void OpenTrackedMenu(Tracking& t, HMENU hMenu, HWND hwnd, int x, int y) {
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
        SIZE size = LayoutMenu(hMenu, hwnd);
        Insets frame = MenuFrame();
        SIZE outerSize{size.cx + frame.left + frame.right, size.cy + frame.top + frame.bottom};
        POINT at = Place(t, x, y, outerSize);
        HWND window = CreateMenuWindow(hwnd, at, outerSize);
        if (window && !t.levels.empty()) {
            t.levels[0].window = window;
            ShowWindow(window, SW_SHOWNA);
            ProgramThread().capture = window;
            UpdateWindow(window);
        }
    }
}

// Dispatches the program's messages and the menu's keys and clicks until the menu closes (a
// choice, a cancel, EndMenu, WM_QUIT, or the owner or the menu going).
void RunMenuLoop(Tracking& t, HMENU hMenu, HWND hwnd) {
    {
        WaitingIn waiting(Describe(hMenu));
        MSG msg;
        while (t.pending != Pending::Close && FindMenu(hMenu) && Find(hwnd) && RootWindow(t) &&
               Find(RootWindow(t))) {
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
                Send(hwnd, WM_ENTERIDLE, kMsgfMenu, reinterpret_cast<LPARAM>(RootWindow(t)));
                if (t.pending == Pending::Close) {
                    break;
                }
            }
            WaitForInput();
        }
    }
}

// The closing messages, the submenus innermost first, then the menu's own window.
void CloseTrackedMenu(Tracking& t, HMENU hMenu, HWND hwnd) {
    if (FindMenu(hMenu)) {
        Desk().lastItems = Snapshot(hMenu);
    }
    if (Find(hwnd)) {
        Send(hwnd, WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    }
    // The submenus close innermost first, then the menu itself.
    CloseLevelsFrom(t, 1);
    if (Find(hwnd)) {
        Send(hwnd, WM_UNINITMENUPOPUP, reinterpret_cast<WPARAM>(hMenu), 0);
    }
    if (!t.levels.empty()) {
        HWND window = t.levels[0].window;
        t.levels.clear();
        if (ProgramThread().capture == window) {
            ProgramThread().capture = nullptr;
        }
        if (window && Find(window)) {
            DestroyWindow(window);
        }
    }
    if (Find(hwnd)) {
        Send(hwnd, WM_EXITMENULOOP, TRUE, 0);
    }
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
        const Level* level = nullptr;
        for (size_t k = 0; t && k < t->levels.size(); ++k) {
            if (t->levels[k].window == hwnd) {
                level = &t->levels[k];
            }
        }
        if (dc && level) {
            // The level may go while its owner draws an item; keep what painting needs.
            const Level shown = *level;
            const HWND owner = t->owner;
            RECT client;
            GetClientRect(hwnd, &client);
            FillRect(dc, &client, GetSysColorBrush(COLOR_MENU));
            Menu* m = FindMenu(shown.menu);
            for (size_t i = 0; m && i < m->items.size(); ++i) {
                DrawMenuItem(shown.menu, owner, dc, i, static_cast<int>(i) == shown.selected);
                m = FindMenu(shown.menu);
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
        return Snapshot(RootMenu(*t));
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
            RootMenu(*t),
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
    if (!FindPath(RootMenu(*t), match, &path)) {
        throw std::runtime_error("the open menu has no item '" + text + "'");
    }
    ChooseByPath(*t, path, true);
}

void HoverMenuItem(UINT id) {
    Tracking* t = ActiveOrThrow();
    std::vector<std::pair<HMENU, size_t>> path;
    if (!FindPath(
            RootMenu(*t), [id](const MenuItem& item) { return item.id == id; }, &path)) {
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
    t.owner = hwnd;
    t.flags = uFlags;
    t.levels.push_back(Level{hMenu, nullptr, -1});
    ActiveTracking active(t);
    OpenTrackedMenu(t, hMenu, hwnd, x, y);
    RunMenuLoop(t, hMenu, hwnd);
    CloseTrackedMenu(t, hMenu, hwnd);
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
