// The main dialog's global hot-key: its registration from the hot-key control's value, and the
// control's place over the page element "ctrlHotkey".
#include "capture/HotKeyModifiers.h"
#include "ui/QuilloryTextDlg.h"

namespace {

const char kHotKeyAtomName[] = "QuilloryHotKey";
const char kHotKeyElementId[] = "ctrlHotkey";
const char kNoticeElementId[] = "hotkeyNotice";

// The note beside the hot-key field (ASCII with entities, whatever the code page).
const char kNoticeTaken[] =
    "Raccourci d&eacute;j&agrave; utilis&eacute; par un autre programme&nbsp;: "
    "choisissez-en un autre.";
const char kNoticeRefused[] = "Ce raccourci ne peut pas &ecirc;tre enregistr&eacute;&nbsp;: "
                              "choisissez-en un autre.";

} // namespace

void CQuilloryTextDlg::RegisterCaptureHotKey() {
    // The window is going away: nothing may be registered any more.
    if (m_bShuttingDown) {
        return;
    }
    WORD virtualKey = 0;
    WORD flags = 0;
    m_ctrlHotKey.GetHotKey(virtualKey, flags);
    const UINT modifiers = HotKeyFlagsToModifiers(flags);

    if (m_atomHotKey != 0) {
        ::UnregisterHotKey(m_hWnd, m_atomHotKey);
        ::GlobalDeleteAtom(m_atomHotKey);
    }
    m_atomHotKey = ::GlobalAddAtomA(kHotKeyAtomName);
    const bool registered = ::RegisterHotKey(m_hWnd, m_atomHotKey, modifiers, virtualKey) != FALSE;
    m_dwHotKeyError = registered ? 0 : ::GetLastError();
    m_bHotKeyRefused = !registered;
    ShowHotKeyNotice();
}

CRect CQuilloryTextDlg::GetElementRect(LPCSTR szElementId) const {
    CHtmlElementPtr element = GetElement(szElementId);
    if (element == nullptr) {
        return CRect(0, 0, 0, 0);
    }
    const LONG width = element->GetOffsetWidth();
    const LONG height = element->GetOffsetHeight();
    // Offsets are relative to the offset parent; walk up to the body, taking off what each
    // parent has scrolled away.
    LONG x = 0;
    LONG y = 0;
    for (CHtmlElementPtr current = element; current != nullptr;) {
        x += current->GetOffsetLeft();
        y += current->GetOffsetTop();
        CHtmlElementPtr parent = current->GetOffsetParent();
        if (parent != nullptr) {
            x -= parent->GetScrollLeft();
            y -= parent->GetScrollTop();
        }
        current = parent;
    }
    return CRect(x, y, x + width, y + height);
}

void CQuilloryTextDlg::PlaceHotKeyControl() {
    const CRect rect = GetElementRect(kHotKeyElementId);
    if (::IsWindow(m_ctrlHotKey.m_hWnd)) {
        m_ctrlHotKey.SetWindowPos(nullptr, rect.left, rect.top, rect.Width(), rect.Height(),
                                  SWP_NOZORDER);
    }
}

void CQuilloryTextDlg::ShowHotKeyNotice() {
    CHtmlElementPtr notice = GetElement(kNoticeElementId);
    if (notice == nullptr) {
        if (!m_bHotKeyRefused) {
            return;
        }
        // The note gets a row of its own under the field's row, across the label and the
        // field, where it wraps within the page's width instead of widening the page.
        CHtmlElementPtr field = GetElement(kHotKeyElementId);
        CHtmlElementPtr cell = field != nullptr ? field->GetParent() : nullptr;
        CHtmlElementPtr row = cell != nullptr ? cell->GetParent() : nullptr;
        CHtmlElementPtr rows = row != nullptr ? row->GetParent() : nullptr;
        if (row == nullptr || row->GetTagName() != WIDE("TR") || rows == nullptr) {
            return;
        }
        rows->SetInnerHtml(rows->GetInnerHtml() +
                           AfxAnsiToWide("<tr><td colspan=\"2\" id=\"hotkeyNotice\" "
                                         "style=\"color: #cc0000;\"></td></tr>"));
        notice = GetElement(kNoticeElementId);
        if (notice == nullptr) {
            return;
        }
    }
    const char* text = "";
    if (m_bHotKeyRefused) {
        text = m_dwHotKeyError == ERROR_HOTKEY_ALREADY_REGISTERED ? kNoticeTaken : kNoticeRefused;
    }
    notice->SetInnerHtml(AfxAnsiToWide(text));
    // The page's layout may have moved the field.
    PlaceHotKeyControl();
}
