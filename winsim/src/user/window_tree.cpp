// The window tree: parents, owners, siblings in z-order, control ids, window longs.
#include "user/dialog_state.h"
#include "user/user_state.h"

#include <algorithm>
#include <cstring>

namespace winsim::user {
namespace {

// Control ids are 16-bit in dialog templates; -1 and 0xFFFF name the same control.
bool SameControlId(LONG_PTR stored, int asked) {
    auto norm = [](LONG_PTR v) { return v == -1 ? LONG_PTR{0xFFFF} : v; };
    return norm(stored) == norm(asked);
}

const std::vector<HWND>* Siblings(const Window& w) {
    Window* parent = Find(w.parent);
    return parent ? &parent->children : nullptr;
}

template <typename T> bool ExtraAccess(Window& w, int index, T* value, bool write) {
    if (index < 0 || static_cast<size_t>(index) + sizeof(T) > w.extra.size()) {
        SetLastError(ERROR_INVALID_INDEX);
        return false;
    }
    if (write) {
        std::memcpy(w.extra.data() + index, value, sizeof(T));
    } else {
        std::memcpy(value, w.extra.data() + index, sizeof(T));
    }
    return true;
}

LONG_PTR* DialogField(Window& w, int index) {
    if (!w.dialog) {
        return nullptr;
    }
    switch (index) {
    case DWLP_MSGRESULT:
        return reinterpret_cast<LONG_PTR*>(&w.dialog->msgResult);
    case DWLP_USER:
        return &w.dialog->user;
    default:
        return nullptr;
    }
}

LONG_PTR GetLong(HWND hwnd, int index) {
    Window* w = FindOrFail(hwnd);
    if (!w) {
        return 0;
    }
    switch (index) {
    case GWLP_WNDPROC:
        return reinterpret_cast<LONG_PTR>(w->proc);
    case GWLP_HINSTANCE:
        return reinterpret_cast<LONG_PTR>(w->instance);
    case GWLP_HWNDPARENT:
        return reinterpret_cast<LONG_PTR>(IsTopLevel(*w) ? w->owner : w->parent);
    case GWLP_USERDATA:
        return w->userData;
    case GWLP_ID:
        return IsTopLevel(*w) ? reinterpret_cast<LONG_PTR>(w->menu) : w->id;
    case GWL_STYLE:
        return static_cast<LONG_PTR>(static_cast<LONG>(w->style));
    case GWL_EXSTYLE:
        return static_cast<LONG_PTR>(static_cast<LONG>(w->exStyle));
    default:
        break;
    }
    if (w->dialog && index == DWLP_DLGPROC) {
        return reinterpret_cast<LONG_PTR>(w->dialog->proc);
    }
    if (LONG_PTR* field = DialogField(*w, index)) {
        return *field;
    }
    LONG_PTR value = 0;
    if (!ExtraAccess(*w, index, &value, false)) {
        return 0;
    }
    return value;
}

LONG_PTR SetLong(HWND hwnd, int index, LONG_PTR value) {
    Window* w = FindOrFail(hwnd);
    if (!w) {
        return 0;
    }
    LONG_PTR old = 0;
    switch (index) {
    case GWLP_WNDPROC:
        if (!value) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return 0;
        }
        old = reinterpret_cast<LONG_PTR>(w->proc);
        w->proc = reinterpret_cast<WNDPROC>(value);
        return old;
    case GWLP_HINSTANCE:
        old = reinterpret_cast<LONG_PTR>(w->instance);
        w->instance = reinterpret_cast<HINSTANCE>(value);
        return old;
    case GWLP_HWNDPARENT:
        if (!IsTopLevel(*w)) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return 0;
        }
        old = reinterpret_cast<LONG_PTR>(w->owner);
        w->owner = reinterpret_cast<HWND>(value);
        return old;
    case GWLP_USERDATA:
        old = w->userData;
        w->userData = value;
        return old;
    case GWLP_ID:
        if (IsTopLevel(*w)) {
            old = reinterpret_cast<LONG_PTR>(w->menu);
            w->menu = reinterpret_cast<HMENU>(value);
        } else {
            old = w->id;
            w->id = value;
        }
        return old;
    case GWL_STYLE:
    case GWL_EXSTYLE: {
        bool ex = index == GWL_EXSTYLE;
        DWORD& field = ex ? w->exStyle : w->style;
        struct {
            DWORD styleOld;
            DWORD styleNew;
        } change{field, static_cast<DWORD>(value)};
        old = static_cast<LONG_PTR>(static_cast<LONG>(field));
        Send(hwnd, WM_STYLECHANGING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&change));
        if (Window* again = Find(hwnd)) {
            (ex ? again->exStyle : again->style) = change.styleNew;
            Send(hwnd, WM_STYLECHANGED, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(&change));
        }
        return old;
    }
    default:
        break;
    }
    if (w->dialog && index == DWLP_DLGPROC) {
        old = reinterpret_cast<LONG_PTR>(w->dialog->proc);
        w->dialog->proc = reinterpret_cast<DLGPROC>(value);
        return old;
    }
    if (LONG_PTR* field = DialogField(*w, index)) {
        old = *field;
        *field = value;
        return old;
    }
    if (!ExtraAccess(*w, index, &old, false)) {
        return 0;
    }
    ExtraAccess(*w, index, &value, true);
    return old;
}

} // namespace
} // namespace winsim::user

using namespace winsim::user;

BOOL WINAPI IsWindow(HWND hWnd) {
    return Find(hWnd) != nullptr;
}

BOOL WINAPI IsChild(HWND hWndParent, HWND hWnd) {
    Window* w = Find(hWnd);
    if (!w || !Find(hWndParent) || hWndParent == State().desktop) {
        return FALSE;
    }
    // Only child windows count: the chain stops at the first top-level window.
    while (w && (w->style & WS_CHILD)) {
        if (w->parent == hWndParent) {
            return TRUE;
        }
        w = Find(w->parent);
    }
    return FALSE;
}

HWND WINAPI GetDesktopWindow() {
    return State().desktop;
}

HWND WINAPI GetWindow(HWND hWnd, UINT uCmd) {
    Window* w = FindOrFail(hWnd);
    if (!w) {
        return nullptr;
    }
    if (uCmd == GW_CHILD) {
        return w->children.empty() ? nullptr : w->children.front();
    }
    if (uCmd == GW_OWNER) {
        return w->owner;
    }
    if (uCmd == GW_ENABLEDPOPUP) {
        for (HWND h : Find(State().desktop)->children) {
            Window* popup = Find(h);
            if (popup && popup->owner == hWnd && (popup->style & WS_VISIBLE) &&
                !(popup->style & WS_DISABLED)) {
                return h;
            }
        }
        return nullptr;
    }
    const std::vector<HWND>* siblings = Siblings(*w);
    if (!siblings) {
        return nullptr;
    }
    auto it = std::find(siblings->begin(), siblings->end(), hWnd);
    switch (uCmd) {
    case GW_HWNDFIRST:
        return siblings->front();
    case GW_HWNDLAST:
        return siblings->back();
    case GW_HWNDNEXT:
        return (it == siblings->end() || it + 1 == siblings->end()) ? nullptr : *(it + 1);
    case GW_HWNDPREV:
        return (it == siblings->begin() || it == siblings->end()) ? nullptr : *(it - 1);
    default:
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
}

HWND WINAPI GetTopWindow(HWND hWnd) {
    return GetWindow(hWnd ? hWnd : State().desktop, GW_CHILD);
}

HWND WINAPI GetParent(HWND hWnd) {
    Window* w = FindOrFail(hWnd);
    if (!w) {
        return nullptr;
    }
    if (w->style & WS_CHILD) {
        return w->parent;
    }
    return (w->style & WS_POPUP) ? w->owner : nullptr;
}

HWND WINAPI GetAncestor(HWND hwnd, UINT gaFlags) {
    Window* w = FindOrFail(hwnd);
    if (!w || hwnd == State().desktop) {
        return nullptr;
    }
    switch (gaFlags) {
    case GA_PARENT:
        return w->parent;
    case GA_ROOT:
        return RootOf(hwnd);
    case GA_ROOTOWNER: {
        HWND root = RootOf(hwnd);
        while (Window* r = Find(root)) {
            if (!r->owner) {
                break;
            }
            root = r->owner;
        }
        return root;
    }
    default:
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
}

HWND WINAPI SetParent(HWND hWndChild, HWND hWndNewParent) {
    Window* w = FindOrFail(hWndChild);
    if (!w) {
        return nullptr;
    }
    HWND newParent = hWndNewParent ? hWndNewParent : State().desktop;
    Window* p = FindOrFail(newParent);
    if (!p || newParent == hWndChild || IsDescendant(hWndChild, newParent)) {
        if (p) {
            SetLastError(ERROR_INVALID_PARAMETER);
        }
        return nullptr;
    }
    HWND old = w->parent;
    if (Window* oldParent = Find(old)) {
        auto& list = oldParent->children;
        list.erase(std::remove(list.begin(), list.end(), hWndChild), list.end());
    }
    w->parent = newParent;
    p->children.insert(p->children.begin(), hWndChild);
    return old;
}

BOOL WINAPI EnumChildWindows(HWND hWndParent, WNDENUMPROC lpEnumFunc, LPARAM lParam) {
    if (!lpEnumFunc) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    Window* w = Find(hWndParent ? hWndParent : State().desktop);
    if (!w) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    // Depth first, each child before its own children, from a snapshot of the tree.
    std::vector<HWND> all;
    std::vector<HWND> stack(w->children.rbegin(), w->children.rend());
    while (!stack.empty()) {
        HWND h = stack.back();
        stack.pop_back();
        all.push_back(h);
        if (Window* c = Find(h)) {
            stack.insert(stack.end(), c->children.rbegin(), c->children.rend());
        }
    }
    for (HWND h : all) {
        if (Find(h) && !lpEnumFunc(h, lParam)) {
            break;
        }
    }
    return TRUE;
}

BOOL WINAPI EnumWindows(WNDENUMPROC lpEnumFunc, LPARAM lParam) {
    if (!lpEnumFunc) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    std::vector<HWND> tops = Find(State().desktop)->children;
    for (HWND h : tops) {
        if (Find(h) && !lpEnumFunc(h, lParam)) {
            break;
        }
    }
    return TRUE;
}

HWND WINAPI FindWindowA(LPCSTR lpClassName, LPCSTR lpWindowName) {
    for (HWND h : Find(State().desktop)->children) {
        Window* w = Find(h);
        if (!w) {
            continue;
        }
        if (lpClassName) {
            bool match =
                IS_INTRESOURCE(lpClassName)
                    ? w->cls->atom == static_cast<ATOM>(reinterpret_cast<uintptr_t>(lpClassName))
                    : SameTextIgnoringCase(w->cls->name, lpClassName);
            if (!match) {
                continue;
            }
        }
        if (lpWindowName && w->text != lpWindowName) {
            continue;
        }
        return h;
    }
    SetLastError(ERROR_FILE_NOT_FOUND);
    return nullptr;
}

HWND WINAPI GetDlgItem(HWND hDlg, int nIDDlgItem) {
    Window* w = FindOrFail(hDlg);
    if (!w) {
        return nullptr;
    }
    for (HWND h : w->children) {
        Window* c = Find(h);
        if (c && SameControlId(c->id, nIDDlgItem)) {
            return h;
        }
    }
    SetLastError(ERROR_CONTROL_ID_NOT_FOUND);
    return nullptr;
}

int WINAPI GetDlgCtrlID(HWND hWnd) {
    Window* w = FindOrFail(hWnd);
    if (!w || IsTopLevel(*w)) {
        return 0;
    }
    return static_cast<int>(w->id);
}

DWORD WINAPI GetWindowThreadProcessId(HWND hWnd, LPDWORD lpdwProcessId) {
    Window* w = FindOrFail(hWnd);
    if (!w) {
        return 0;
    }
    if (lpdwProcessId) {
        *lpdwProcessId = w->process;
    }
    return w->thread;
}

DWORD WINAPI GetCurrentThreadId() {
    return kProgramThread;
}

DWORD WINAPI GetCurrentProcessId() {
    return kProgramProcess;
}

LONG_PTR WINAPI GetWindowLongPtrA(HWND hWnd, int nIndex) {
    return GetLong(hWnd, nIndex);
}

LONG_PTR WINAPI SetWindowLongPtrA(HWND hWnd, int nIndex, LONG_PTR dwNewLong) {
    return SetLong(hWnd, nIndex, dwNewLong);
}

LONG WINAPI GetWindowLongA(HWND hWnd, int nIndex) {
    if (nIndex == GWLP_WNDPROC || nIndex == GWLP_HINSTANCE || nIndex == GWLP_HWNDPARENT) {
        // Pointer-sized values do not fit; 64-bit Windows refuses these indices.
        SetLastError(ERROR_INVALID_INDEX);
        return 0;
    }
    return static_cast<LONG>(GetLong(hWnd, nIndex));
}

LONG WINAPI SetWindowLongA(HWND hWnd, int nIndex, LONG dwNewLong) {
    if (nIndex == GWLP_WNDPROC || nIndex == GWLP_HINSTANCE || nIndex == GWLP_HWNDPARENT) {
        SetLastError(ERROR_INVALID_INDEX);
        return 0;
    }
    return static_cast<LONG>(SetLong(hWnd, nIndex, dwNewLong));
}
