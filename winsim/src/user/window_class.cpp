// Window classes: the program's own, registered per module instance, and the system classes.
#include "user/builtin_classes.h"
#include "user/user_state.h"

#include <cstring>

namespace winsim::user {
namespace {

// A class is named by a string or by its atom (MAKEINTATOM).
std::shared_ptr<WindowClass> Lookup(LPCSTR name, HINSTANCE instance, bool systemToo) {
    for (auto& cls : State().classes) {
        bool match = IS_INTRESOURCE(name)
                         ? cls->atom == static_cast<ATOM>(reinterpret_cast<uintptr_t>(name))
                         : SameTextIgnoringCase(cls->name, name);
        if (!match) {
            continue;
        }
        if (cls->system) {
            if (systemToo) {
                return cls;
            }
            continue;
        }
        if (instance == nullptr || cls->instance == instance || (cls->style & CS_GLOBALCLASS)) {
            return cls;
        }
    }
    return nullptr;
}

void AddSystemClass(const char* name, ATOM atom, WNDPROC proc, int wndExtra, UINT style) {
    auto cls = std::make_shared<WindowClass>();
    cls->name = name;
    cls->atom = atom;
    cls->proc = proc;
    cls->wndExtra = wndExtra;
    cls->style = style | CS_GLOBALCLASS;
    cls->system = true;
    State().classes.push_back(cls);
}

ATOM Register(const WNDCLASSEXA& wc) {
    if (!wc.lpszClassName || !wc.lpfnWndProc || wc.cbClsExtra < 0 || wc.cbWndExtra < 0 ||
        (!IS_INTRESOURCE(wc.lpszClassName) && wc.lpszClassName[0] == '\0') ||
        IS_INTRESOURCE(wc.lpszClassName)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    for (auto& cls : State().classes) {
        if (!cls->system && SameTextIgnoringCase(cls->name, wc.lpszClassName) &&
            (cls->instance == wc.hInstance || (cls->style & CS_GLOBALCLASS))) {
            SetLastError(ERROR_CLASS_ALREADY_EXISTS);
            return 0;
        }
    }
    auto cls = std::make_shared<WindowClass>();
    cls->name = wc.lpszClassName;
    cls->atom = State().nextClassAtom++;
    cls->style = wc.style;
    cls->proc = wc.lpfnWndProc;
    cls->clsExtra = wc.cbClsExtra;
    cls->wndExtra = wc.cbWndExtra;
    cls->instance = wc.hInstance;
    cls->icon = wc.hIcon;
    cls->iconSmall = wc.hIconSm;
    cls->cursor = wc.hCursor;
    cls->background = wc.hbrBackground;
    if (wc.lpszMenuName && !IS_INTRESOURCE(wc.lpszMenuName)) {
        cls->menuName = wc.lpszMenuName;
    }
    // Program classes come before the system ones, so a program class of the same name wins.
    State().classes.insert(State().classes.begin(), cls);
    return cls->atom;
}

} // namespace

std::shared_ptr<WindowClass> FindClass(LPCSTR name, HINSTANCE instance) {
    if (auto cls = Lookup(name, instance, false)) {
        return cls;
    }
    return Lookup(name, instance, true);
}

void RegisterSystemClasses() {
    AddSystemClass(kDialogClass, 0x8002, DefDlgProcA, DLGWINDOWEXTRA, CS_DBLCLKS | CS_SAVEBITS);
    AddSystemClass(kMenuClass, 0x8000, MenuWindowProc, 0, CS_DBLCLKS | CS_SAVEBITS);
    AddSystemClass("Button", 0xC001, ButtonProc, 0, CS_DBLCLKS | CS_PARENTDC);
    AddSystemClass("Edit", 0xC002, EditProc, 0, CS_DBLCLKS | CS_PARENTDC);
    AddSystemClass("Static", 0xC003, StaticProc, 0, CS_DBLCLKS | CS_PARENTDC);
    AddSystemClass("ComboBox", 0xC005, ComboBoxProc, 0, CS_DBLCLKS | CS_PARENTDC);
    AddSystemClass(HOTKEY_CLASSA, 0xC004, HotKeyProc, 0, CS_GLOBALCLASS);
}

} // namespace winsim::user

using namespace winsim::user;

ATOM WINAPI RegisterClassA(const WNDCLASSA* lpWndClass) {
    if (!lpWndClass) {
        SetLastError(ERROR_NOACCESS);
        return 0;
    }
    WNDCLASSEXA ex{};
    ex.cbSize = sizeof(ex);
    ex.style = lpWndClass->style;
    ex.lpfnWndProc = lpWndClass->lpfnWndProc;
    ex.cbClsExtra = lpWndClass->cbClsExtra;
    ex.cbWndExtra = lpWndClass->cbWndExtra;
    ex.hInstance = lpWndClass->hInstance;
    ex.hIcon = lpWndClass->hIcon;
    ex.hCursor = lpWndClass->hCursor;
    ex.hbrBackground = lpWndClass->hbrBackground;
    ex.lpszMenuName = lpWndClass->lpszMenuName;
    ex.lpszClassName = lpWndClass->lpszClassName;
    return Register(ex);
}

ATOM WINAPI RegisterClassExA(const WNDCLASSEXA* lpwcx) {
    if (!lpwcx) {
        SetLastError(ERROR_NOACCESS);
        return 0;
    }
    if (lpwcx->cbSize != sizeof(WNDCLASSEXA)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    return Register(*lpwcx);
}

BOOL WINAPI UnregisterClassA(LPCSTR lpClassName, HINSTANCE hInstance) {
    auto& classes = State().classes;
    for (auto it = classes.begin(); it != classes.end(); ++it) {
        auto& cls = *it;
        bool match = IS_INTRESOURCE(lpClassName)
                         ? cls->atom == static_cast<ATOM>(reinterpret_cast<uintptr_t>(lpClassName))
                         : SameTextIgnoringCase(cls->name, lpClassName);
        if (!match || cls->system || cls->instance != hInstance) {
            continue;
        }
        if (cls->windowCount > 0) {
            SetLastError(ERROR_CLASS_HAS_WINDOWS);
            return FALSE;
        }
        classes.erase(it);
        return TRUE;
    }
    SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
    return FALSE;
}

BOOL WINAPI GetClassInfoExA(HINSTANCE hInstance, LPCSTR lpszClass, LPWNDCLASSEXA lpwcx) {
    if (!lpwcx || !lpszClass) {
        SetLastError(ERROR_NOACCESS);
        return FALSE;
    }
    auto cls = FindClass(lpszClass, hInstance);
    if (!cls) {
        SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
        return FALSE;
    }
    lpwcx->style = cls->style;
    lpwcx->lpfnWndProc = cls->proc;
    lpwcx->cbClsExtra = cls->clsExtra;
    lpwcx->cbWndExtra = cls->wndExtra;
    lpwcx->hInstance = cls->instance;
    lpwcx->hIcon = cls->icon;
    lpwcx->hCursor = cls->cursor;
    lpwcx->hbrBackground = cls->background;
    lpwcx->lpszMenuName = cls->menuName.empty() ? nullptr : cls->menuName.c_str();
    lpwcx->lpszClassName = lpszClass;
    lpwcx->hIconSm = cls->iconSmall;
    return cls->atom;
}

BOOL WINAPI GetClassInfoA(HINSTANCE hInstance, LPCSTR lpClassName, LPWNDCLASSA lpWndClass) {
    if (!lpWndClass) {
        SetLastError(ERROR_NOACCESS);
        return FALSE;
    }
    WNDCLASSEXA ex{};
    ex.cbSize = sizeof(ex);
    BOOL found = GetClassInfoExA(hInstance, lpClassName, &ex);
    if (!found) {
        return FALSE;
    }
    lpWndClass->style = ex.style;
    lpWndClass->lpfnWndProc = ex.lpfnWndProc;
    lpWndClass->cbClsExtra = ex.cbClsExtra;
    lpWndClass->cbWndExtra = ex.cbWndExtra;
    lpWndClass->hInstance = ex.hInstance;
    lpWndClass->hIcon = ex.hIcon;
    lpWndClass->hCursor = ex.hCursor;
    lpWndClass->hbrBackground = ex.hbrBackground;
    lpWndClass->lpszMenuName = ex.lpszMenuName;
    lpWndClass->lpszClassName = ex.lpszClassName;
    return found;
}

int WINAPI GetClassNameA(HWND hWnd, LPSTR lpClassName, int nMaxCount) {
    Window* w = FindOrFail(hWnd);
    if (!w || !w->cls) {
        return 0;
    }
    if (!lpClassName || nMaxCount <= 0) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    size_t n = std::min(w->cls->name.size(), static_cast<size_t>(nMaxCount - 1));
    std::memcpy(lpClassName, w->cls->name.data(), n);
    lpClassName[n] = '\0';
    return static_cast<int>(n);
}

ULONG_PTR WINAPI GetClassLongPtrA(HWND hWnd, int nIndex) {
    Window* w = FindOrFail(hWnd);
    if (!w || !w->cls) {
        return 0;
    }
    const WindowClass& c = *w->cls;
    switch (nIndex) {
    case GCLP_HBRBACKGROUND:
        return reinterpret_cast<ULONG_PTR>(c.background);
    case GCLP_HCURSOR:
        return reinterpret_cast<ULONG_PTR>(c.cursor);
    case GCLP_HICON:
        return reinterpret_cast<ULONG_PTR>(c.icon);
    case GCLP_HICONSM:
        return reinterpret_cast<ULONG_PTR>(c.iconSmall);
    case GCLP_HMODULE:
        return reinterpret_cast<ULONG_PTR>(c.instance);
    case GCL_CBWNDEXTRA:
        return static_cast<ULONG_PTR>(c.wndExtra);
    case GCL_CBCLSEXTRA:
        return static_cast<ULONG_PTR>(c.clsExtra);
    case GCLP_WNDPROC:
        return reinterpret_cast<ULONG_PTR>(c.proc);
    case GCL_STYLE:
        return c.style;
    case GCW_ATOM:
        return c.atom;
    default:
        SetLastError(ERROR_INVALID_INDEX);
        return 0;
    }
}

DWORD WINAPI GetClassLongA(HWND hWnd, int nIndex) {
    return static_cast<DWORD>(GetClassLongPtrA(hWnd, nIndex));
}
