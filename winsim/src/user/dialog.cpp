// Dialog boxes: creation from templates, the dialog manager's default processing, keyboard
// navigation (IsDialogMessage) and modal runs.
#include "user/activation.h"
#include "user/builtin_classes.h"
#include "user/dialog_internal.h"
#include "user/dialog_state.h"
#include "user/geometry.h"
#include "user/window_internal.h"

#include <algorithm>

namespace winsim::user {
namespace {

// Templates handed over by pointer carry no size; a well-formed one ends long before this.
constexpr size_t kTemplateReadLimit = 1 << 20;

int Scale(int value, int base, int divisor) {
    return static_cast<int>(
        (static_cast<long long>(value) * base + (value >= 0 ? divisor / 2 : -divisor / 2)) /
        divisor);
}

bool ReturnsValueDirectly(UINT msg) {
    return (msg >= WM_CTLCOLORMSGBOX && msg <= WM_CTLCOLORSTATIC) || msg == WM_INITDIALOG ||
           msg == 0x0039 /* WM_COMPAREITEM */ || msg == 0x002E /* WM_VKEYTOITEM */ ||
           msg == 0x002F /* WM_CHARTOITEM */ || msg == 0x0037 /* WM_QUERYDRAGICON */;
}

bool IsTabStop(HWND hwnd) {
    Window* w = Find(hwnd);
    return w && (w->style & WS_TABSTOP) && (w->style & WS_VISIBLE) && !(w->style & WS_DISABLED);
}

void RestoreFocus(HWND dlg) {
    Window* w = Find(dlg);
    if (!w || !w->dialog) {
        return;
    }
    HWND target = w->dialog->savedFocus;
    if (!target || !Find(target) || !IsDescendant(dlg, target)) {
        target = GetNextDlgTabItem(dlg, nullptr, FALSE);
    }
    // A dialog with no control to take the focus holds it itself, as any activated window does,
    // so that Enter and Esc still reach it.
    ChangeFocus(w->thread, target ? target : dlg);
}

void SaveFocus(HWND dlg) {
    Window* w = Find(dlg);
    if (!w || !w->dialog) {
        return;
    }
    HWND focus = ThreadOf(w->thread).focus;
    if (focus && IsDescendant(dlg, focus)) {
        w->dialog->savedFocus = focus;
    }
}

LRESULT DefaultDialogProcessing(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Window* w = Find(hwnd);
    DialogState* d = w ? w->dialog.get() : nullptr;
    if (!d) {
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
    switch (msg) {
    case WM_CLOSE: {
        // The close box and Alt+F4 act as the Cancel button, when that is not disabled.
        HWND cancel = GetDlgItem(hwnd, IDCANCEL);
        if (cancel && !IsWindowEnabled(cancel)) {
            MessageBeep(0);
            return 0;
        }
        PostMessageA(hwnd, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                     reinterpret_cast<LPARAM>(cancel));
        return 0;
    }
    case WM_SETFOCUS:
        RestoreFocus(hwnd);
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) {
            SaveFocus(hwnd);
        } else if (!HIWORD(wParam)) {
            RestoreFocus(hwnd);
        }
        return 0;
    case WM_SHOWWINDOW:
        if (!wParam) {
            SaveFocus(hwnd);
        }
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    case DM_GETDEFID:
        return MAKELONG(d->defaultId, DC_HASDEFID);
    case DM_SETDEFID:
        d->defaultId = static_cast<int>(wParam);
        return TRUE;
    case WM_SETFONT:
        if (reinterpret_cast<HFONT>(wParam) != d->font) {
            if (d->ownsFont && d->font) {
                DeleteObject(d->font);
            }
            d->ownsFont = false;
            d->font = reinterpret_cast<HFONT>(wParam);
        }
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(d->font);
    case WM_NCDESTROY:
        if (d->ownsFont && d->font) {
            DeleteObject(d->font);
            d->font = nullptr;
            d->ownsFont = false;
        }
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    default:
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}

void SendCommand(HWND dlg, int id) {
    HWND control = GetDlgItem(dlg, id);
    if (control && !IsWindowEnabled(control)) {
        MessageBeep(0);
        return;
    }
    SetLastError(ERROR_SUCCESS);
    Send(dlg, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), BN_CLICKED),
         reinterpret_cast<LPARAM>(control));
}

} // namespace

HFONT CreateDialogFont(const DialogTemplate& tmpl) {
    if (!tmpl.hasFont) {
        return nullptr;
    }
    LOGFONTA lf{};
    // Point size to pixels at 96 dots per inch, as a negative (character) height.
    lf.lfHeight = -((tmpl.pointSize * 96 + 36) / 72);
    lf.lfWeight = tmpl.weight ? tmpl.weight : FW_NORMAL;
    lf.lfItalic = tmpl.italic;
    lf.lfCharSet = tmpl.charset;
    std::string face = tmpl.typeface;
    face = face.substr(0, sizeof(lf.lfFaceName) - 1);
    std::copy(face.begin(), face.end(), lf.lfFaceName);
    return CreateFontIndirectA(&lf);
}

void DialogBaseUnits(const DialogTemplate& tmpl, int* baseX, int* baseY) {
    if (!tmpl.hasFont) {
        // The system font.
        *baseX = 8;
        *baseY = 16;
        return;
    }
    // Without a measurement: the average character width and the height of the font at 96 dpi
    // (8-point "MS Shell Dlg" gives 6 x 13).
    int pixels = (tmpl.pointSize * 96 + 36) / 72;
    *baseY = std::max(1, pixels + pixels / 5);
    *baseX = std::max(1, (pixels * 6 + 5) / 11);
}

// The base units of a dialog font as Windows measures them: the height of the font, and the
// average width of the 52 letters of the alphabet, rounded.
void MeasureBaseUnits(HFONT font, int* baseX, int* baseY) {
    HDC dc = GetDC(nullptr);
    if (!dc || !font) {
        if (dc) {
            ReleaseDC(nullptr, dc);
        }
        return;
    }
    HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICA tm{};
    SIZE size{};
    static const char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    if (GetTextMetricsA(dc, &tm) && GetTextExtentPoint32A(dc, kLetters, 52, &size) && size.cx > 0 &&
        tm.tmHeight > 0) {
        *baseX = (size.cx / 26 + 1) / 2;
        *baseY = tm.tmHeight;
    }
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
}

bool ReadTemplate(const void* data, DialogTemplate* tmpl) {
    return ParseDialogTemplate(data, kTemplateReadLimit, tmpl);
}

// The dialog window's styles: a modal frame from DS_MODALFRAME, and a child without caption for
// DS_CONTROL.
static void DialogWindowStyles(const DialogTemplate& tmpl, DWORD& style, DWORD& exStyle) {
    style = tmpl.style;
    exStyle = tmpl.exStyle;
    if (style & DS_MODALFRAME) {
        exStyle |= WS_EX_DLGMODALFRAME;
    }
    if (style & DS_CONTROL) {
        style = (style & ~(WS_CAPTION | WS_SYSMENU | WS_POPUP)) | WS_CHILD;
        exStyle |= WS_EX_CONTROLPARENT;
    }
}

// The dialog window's rectangle: the template's size in dialog units with the frame around it,
// centred (DS_CENTER) or placed in the owner's client area, and kept on the screen.
static RECT DialogWindowRect(const DialogTemplate& tmpl, DWORD style, DWORD exStyle, int baseX,
                             int baseY, HWND owner) {
    RECT r{0, 0, Scale(tmpl.cx, baseX, 4), Scale(tmpl.cy, baseY, 8)};
    AdjustWindowRectEx(&r, style, !tmpl.menu.Empty(), exStyle);
    int width = r.right - r.left;
    int height = r.bottom - r.top;
    int x = Scale(tmpl.x, baseX, 4);
    int y = Scale(tmpl.y, baseY, 8);
    Window* ownerWindow = Find(owner);
    if (style & DS_CENTER) {
        RECT area = WorkArea();
        if (ownerWindow && (ownerWindow->style & WS_VISIBLE) &&
            !(ownerWindow->style & WS_MINIMIZE)) {
            area = ownerWindow->rect;
        }
        x = area.left + (area.right - area.left - width) / 2;
        y = area.top + (area.bottom - area.top - height) / 2;
    } else if (ownerWindow && !(style & DS_ABSALIGN) && !(style & WS_CHILD)) {
        // Positions are relative to the owner's client area.
        POINT o = ClientOrigin(*ownerWindow);
        x += o.x;
        y += o.y;
    }
    // Windows keeps a new dialog on the screen.
    if (!(style & WS_CHILD)) {
        RECT work = WorkArea();
        x = std::max(work.left, std::min(x, work.right - width));
        y = std::max(work.top, std::min(y, work.bottom - height));
    }
    return RECT{x, y, x + width, y + height};
}

// The template's class, or the dialog class.
static std::string DialogClassName(const DialogTemplate& tmpl) {
    std::string className = kDialogClass;
    if (tmpl.windowClass.isOrdinal) {
        const char* name = PredefinedClassName(tmpl.windowClass.ordinal);
        className = name ? name : kDialogClass;
    } else if (!tmpl.windowClass.name.empty()) {
        className = tmpl.windowClass.name;
    }
    return className;
}

// One window per item of the template, in the dialog's font; the default push button becomes
// the dialog's default id. False, with the dialog destroyed, when a control cannot be made
// (unless DS_NOFAILCREATE).
static bool CreateDialogControls(HINSTANCE instance, const DialogTemplate& tmpl, HWND dlg,
                                 int baseX, int baseY) {
    Window* w = Find(dlg);
    for (const DialogItemTemplate& item : tmpl.items) {
        std::string itemClass;
        if (item.windowClass.isOrdinal) {
            const char* name = PredefinedClassName(item.windowClass.ordinal);
            itemClass = name ? name : "";
        } else {
            itemClass = item.windowClass.name;
        }
        std::string text = item.title.isOrdinal ? std::string() : item.title.name;
        const void* creation = item.creationData.empty() ? nullptr : item.creationData.data();
        HWND control = CreateWindowExA(
            item.exStyle | WS_EX_NOPARENTNOTIFY, itemClass.c_str(), text.c_str(),
            item.style | WS_CHILD, Scale(item.x, baseX, 4), Scale(item.y, baseY, 8),
            Scale(item.cx, baseX, 4), Scale(item.cy, baseY, 8), dlg,
            reinterpret_cast<HMENU>(static_cast<uintptr_t>(static_cast<WORD>(item.id))), instance,
            const_cast<void*>(creation));
        if (!control) {
            if (tmpl.style & DS_NOFAILCREATE) {
                continue;
            }
            DWORD error = GetLastError();
            DestroyWindow(dlg);
            SetLastError(error);
            return false;
        }
        Window* c = Find(control);
        if (c && c->cls && c->cls->name == "Button" &&
            (c->style & BS_TYPEMASK) == BS_DEFPUSHBUTTON) {
            w = Find(dlg);
            w->dialog->defaultId = static_cast<int>(static_cast<WORD>(item.id));
        }
        Send(control, WM_SETFONT, reinterpret_cast<WPARAM>(Find(dlg)->dialog->font), FALSE);
    }
    return true;
}

// WM_INITDIALOG, then the focus: on the first tab stop unless the dialog procedure set one.
// False when the dialog went away in WM_INITDIALOG.
static bool SendInitDialog(HWND dlg, LPARAM param) {
    HWND first = GetNextDlgTabItem(dlg, nullptr, FALSE);
    LRESULT setFocus = Send(dlg, WM_INITDIALOG, reinterpret_cast<WPARAM>(first), param);
    Window* w = Find(dlg);
    if (!w) {
        return false;
    }
    if (setFocus) {
        // The system gives the focus to the first tab stop, taken anew in case WM_INITDIALOG
        // changed the controls; it takes effect when the dialog is active.
        w->dialog->savedFocus = GetNextDlgTabItem(dlg, nullptr, FALSE);
        if (ThreadOf(w->thread).active == dlg) {
            ChangeFocus(w->thread, w->dialog->savedFocus ? w->dialog->savedFocus : dlg);
        }
    } else if (HWND focus = ThreadOf(w->thread).focus; focus && IsDescendant(dlg, focus)) {
        w->dialog->savedFocus = focus;
    }
    return true;
}

HWND CreateDialogFromTemplate(HINSTANCE instance, const DialogTemplate& tmpl, HWND owner,
                              DLGPROC proc, LPARAM param) {
    int baseX = 8;
    int baseY = 16;
    DialogBaseUnits(tmpl, &baseX, &baseY);
    HFONT font = CreateDialogFont(tmpl);
    MeasureBaseUnits(font, &baseX, &baseY);

    DWORD style = 0;
    DWORD exStyle = 0;
    DialogWindowStyles(tmpl, style, exStyle);
    const RECT r = DialogWindowRect(tmpl, style, exStyle, baseX, baseY, owner);

    const std::string className = DialogClassName(tmpl);
    HWND dlg = CreateWindowExA(exStyle, className.c_str(), tmpl.title.c_str(), style & ~WS_VISIBLE,
                               r.left, r.top, r.right - r.left, r.bottom - r.top, owner, nullptr,
                               instance, reinterpret_cast<LPVOID>(param));
    if (!dlg) {
        if (font) {
            DeleteObject(font);
        }
        return nullptr;
    }
    Window* w = Find(dlg);
    if (!w->dialog) {
        w->dialog = std::make_unique<DialogState>();
    }
    w->dialog->proc = proc;
    w->dialog->baseX = baseX;
    w->dialog->baseY = baseY;
    w->dialog->ownsFont = font != nullptr;
    if (font) {
        w->dialog->font = font;
        Send(dlg, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        if (!Find(dlg)) {
            return nullptr;
        }
    }

    if (!CreateDialogControls(instance, tmpl, dlg, baseX, baseY)) {
        return nullptr;
    }

    if (!SendInitDialog(dlg, param)) {
        return nullptr;
    }
    w = Find(dlg);
    if ((tmpl.style & WS_VISIBLE) && !(w->style & WS_VISIBLE) && !w->dialog->ended) {
        ShowWindow(dlg, SW_SHOWNORMAL);
    }
    return Find(dlg) ? dlg : nullptr;
}

INT_PTR RunModalDialog(HWND dlg, HWND owner, const std::string& what) {
    Window* w = Find(dlg);
    if (!w || !w->dialog) {
        return -1;
    }
    WaitingIn waiting(what);
    // The dialog is shown (SW_SHOWNORMAL) the first time the queue goes empty, whatever its
    // template says and whatever the messages before hid; a timer message counts as empty, so
    // that a stream of them cannot keep the dialog hidden. A dialog that must stay hidden
    // refuses the show in WM_WINDOWPOSCHANGING.
    bool firstEmpty = true;
    MSG msg;
    for (;;) {
        w = Find(dlg);
        if (!w || w->dialog->ended) {
            break;
        }
        if (TakeMessage(kProgramThread, &msg, nullptr, 0, 0, true)) {
            if (msg.message == WM_QUIT) {
                // The quit message ends the modal run and stays for the outer loop.
                PostQuitMessage(static_cast<int>(msg.wParam));
                break;
            }
            if (!IsDialogMessageA(dlg, &msg)) {
                TranslateMessage(&msg);
                DispatchMessageA(&msg);
            }
            if (firstEmpty && msg.message == WM_TIMER && Find(dlg) && !Find(dlg)->dialog->ended) {
                firstEmpty = false;
                ShowWindow(dlg, SW_SHOWNORMAL);
            }
            continue;
        }
        if (firstEmpty) {
            firstEmpty = false;
            ShowWindow(dlg, SW_SHOWNORMAL);
            // Showing queues painting; the queue is looked at again before the loop waits.
            continue;
        }
        if (owner && Find(owner) && !(w->style & DS_NOIDLEMSG)) {
            Send(owner, WM_ENTERIDLE, 0 /* MSGF_DIALOGBOX */, reinterpret_cast<LPARAM>(dlg));
            if (!Find(dlg) || Find(dlg)->dialog->ended) {
                continue;
            }
        }
        WaitForInput();
    }
    INT_PTR result = -1;
    if (Window* done = Find(dlg)) {
        result = done->dialog->ended ? done->dialog->result : -1;
        DestroyWindow(dlg);
    }
    if (owner && Find(owner)) {
        EnableWindow(owner, TRUE);
    }
    return result;
}

} // namespace winsim::user

using namespace winsim::user;

LRESULT WINAPI DefDlgProcA(HWND hDlg, UINT Msg, WPARAM wParam, LPARAM lParam) {
    Window* w = Find(hDlg);
    if (!w) {
        return 0;
    }
    if (w->dialog && w->dialog->proc) {
        w->dialog->msgResult = 0;
        INT_PTR handled = w->dialog->proc(hDlg, Msg, wParam, lParam);
        w = Find(hDlg);
        if (!w || !w->dialog) {
            return handled;
        }
        if (handled) {
            return ReturnsValueDirectly(Msg) ? handled : w->dialog->msgResult;
        }
        if (ReturnsValueDirectly(Msg) && Msg != WM_INITDIALOG) {
            return 0;
        }
        if (Msg == WM_INITDIALOG) {
            return 0;
        }
    }
    return DefaultDialogProcessing(hDlg, Msg, wParam, lParam);
}

BOOL WINAPI EndDialog(HWND hDlg, INT_PTR nResult) {
    Window* w = FindOrFail(hDlg);
    if (!w) {
        return FALSE;
    }
    if (!w->dialog) {
        SetLastError(ERROR_WINDOW_NOT_DIALOG);
        return FALSE;
    }
    w->dialog->ended = true;
    w->dialog->result = nResult;
    // The owner is usable again before the dialog goes, so that it takes the activation.
    if (w->owner && Find(w->owner)) {
        EnableWindow(w->owner, TRUE);
    }
    if (Find(hDlg)) {
        ShowWindow(hDlg, SW_HIDE);
    }
    PostMessageA(hDlg, WM_NULL, 0, 0);
    return TRUE;
}

BOOL WINAPI IsDialogMessageA(HWND hDlg, LPMSG lpMsg) {
    if (!lpMsg || !Find(hDlg)) {
        return FALSE;
    }
    HWND target = lpMsg->hwnd;
    if (target != hDlg && !IsDescendant(hDlg, target)) {
        return FALSE;
    }
    if (lpMsg->message == WM_KEYDOWN) {
        LRESULT code = Send(target, WM_GETDLGCODE, lpMsg->wParam, reinterpret_cast<LPARAM>(lpMsg));
        if (!(code & DLGC_WANTMESSAGE)) {
            switch (lpMsg->wParam) {
            case VK_TAB:
                if (!(code & DLGC_WANTTAB)) {
                    bool back = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
                    if (HWND next = GetNextDlgTabItem(hDlg, target == hDlg ? nullptr : target,
                                                      back ? TRUE : FALSE)) {
                        SetFocus(next);
                    }
                    return TRUE;
                }
                break;
            case VK_RETURN: {
                // Enter presses the focused push button, else the default button.
                int id = IDOK;
                if (code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) {
                    id = GetDlgCtrlID(target);
                } else {
                    LRESULT def = Send(hDlg, DM_GETDEFID, 0, 0);
                    if (HIWORD(def) == DC_HASDEFID) {
                        id = LOWORD(def);
                    }
                }
                SendCommand(hDlg, id);
                return TRUE;
            }
            case VK_ESCAPE:
                SendCommand(hDlg, IDCANCEL);
                return TRUE;
            default:
                break;
            }
        }
    }
    TranslateMessage(lpMsg);
    DispatchMessageA(lpMsg);
    return TRUE;
}

HWND WINAPI GetNextDlgTabItem(HWND hDlg, HWND hCtl, BOOL bPrevious) {
    Window* w = FindOrFail(hDlg);
    if (!w) {
        return nullptr;
    }
    std::vector<HWND> stops;
    for (HWND h : w->children) {
        if (IsTabStop(h)) {
            stops.push_back(h);
        }
    }
    if (stops.empty()) {
        return nullptr;
    }
    auto it = std::find(stops.begin(), stops.end(), hCtl);
    if (it == stops.end()) {
        return bPrevious ? stops.back() : stops.front();
    }
    size_t i = static_cast<size_t>(it - stops.begin());
    size_t n = stops.size();
    return stops[bPrevious ? (i + n - 1) % n : (i + 1) % n];
}

BOOL WINAPI MapDialogRect(HWND hDlg, LPRECT lpRect) {
    Window* w = FindOrFail(hDlg);
    if (!w) {
        return FALSE;
    }
    if (!w->dialog) {
        SetLastError(ERROR_WINDOW_NOT_DIALOG);
        return FALSE;
    }
    if (!lpRect) {
        SetLastError(ERROR_NOACCESS);
        return FALSE;
    }
    lpRect->left = Scale(lpRect->left, w->dialog->baseX, 4);
    lpRect->right = Scale(lpRect->right, w->dialog->baseX, 4);
    lpRect->top = Scale(lpRect->top, w->dialog->baseY, 8);
    lpRect->bottom = Scale(lpRect->bottom, w->dialog->baseY, 8);
    return TRUE;
}

LONG WINAPI GetDialogBaseUnits() {
    return MAKELONG(8, 16);
}

HWND WINAPI CreateDialogIndirectParamA(HINSTANCE hInstance, LPCDLGTEMPLATEA lpTemplate,
                                       HWND hWndParent, DLGPROC lpDialogFunc, LPARAM dwInitParam) {
    DialogTemplate tmpl;
    if (!ReadTemplate(lpTemplate, &tmpl)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    if (hWndParent && !FindOrFail(hWndParent)) {
        return nullptr;
    }
    return CreateDialogFromTemplate(hInstance, tmpl, hWndParent, lpDialogFunc, dwInitParam);
}

INT_PTR WINAPI DialogBoxIndirectParamA(HINSTANCE hInstance, LPCDLGTEMPLATEA hDialogTemplate,
                                       HWND hWndParent, DLGPROC lpDialogFunc, LPARAM dwInitParam) {
    if (hWndParent && !FindOrFail(hWndParent)) {
        return 0;
    }
    DialogTemplate tmpl;
    if (!ReadTemplate(hDialogTemplate, &tmpl)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return -1;
    }
    HWND owner = hWndParent ? RootOf(hWndParent) : nullptr;
    bool disabledOwner = false;
    if (owner && IsWindowEnabled(owner)) {
        EnableWindow(owner, FALSE);
        disabledOwner = true;
    }
    HWND dlg = CreateDialogFromTemplate(hInstance, tmpl, owner, lpDialogFunc, dwInitParam);
    if (!dlg) {
        if (disabledOwner && Find(owner)) {
            EnableWindow(owner, TRUE);
        }
        return -1;
    }
    return RunModalDialog(dlg, disabledOwner ? owner : nullptr, "the dialog '" + tmpl.title + "'");
}

namespace {

const void* DialogResource(HINSTANCE instance, LPCSTR name, size_t* size) {
    HRSRC found = FindResourceA(instance, name, RT_DIALOG);
    if (!found) {
        return nullptr;
    }
    HGLOBAL loaded = LoadResource(instance, found);
    *size = SizeofResource(instance, found);
    return loaded ? LockResource(loaded) : nullptr;
}

} // namespace

HWND WINAPI CreateDialogParamA(HINSTANCE hInstance, LPCSTR lpTemplateName, HWND hWndParent,
                               DLGPROC lpDialogFunc, LPARAM dwInitParam) {
    size_t size = 0;
    const void* data = DialogResource(hInstance, lpTemplateName, &size);
    DialogTemplate tmpl;
    if (!data) {
        return nullptr;
    }
    if (!ParseDialogTemplate(data, size, &tmpl)) {
        SetLastError(ERROR_INVALID_DATA);
        return nullptr;
    }
    if (hWndParent && !FindOrFail(hWndParent)) {
        return nullptr;
    }
    return CreateDialogFromTemplate(hInstance, tmpl, hWndParent, lpDialogFunc, dwInitParam);
}

INT_PTR WINAPI DialogBoxParamA(HINSTANCE hInstance, LPCSTR lpTemplateName, HWND hWndParent,
                               DLGPROC lpDialogFunc, LPARAM dwInitParam) {
    size_t size = 0;
    const void* data = DialogResource(hInstance, lpTemplateName, &size);
    if (!data) {
        return -1;
    }
    DialogTemplate tmpl;
    if (!ParseDialogTemplate(data, size, &tmpl)) {
        SetLastError(ERROR_INVALID_DATA);
        return -1;
    }
    return DialogBoxIndirectParamA(hInstance, static_cast<LPCDLGTEMPLATEA>(data), hWndParent,
                                   lpDialogFunc, dwInitParam);
}
