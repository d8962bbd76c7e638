// The entry menu of the capture list: a mouse-down on a row opens it at the pointer, and its
// commands copy the entry's picture to the clipboard, save a copy of the picture file under a
// chosen name, or delete the entry. (The copy of the text is in QuilloryTextDlgList.cpp.)
#include "framework/CDC.h"
#include "framework/CFileDialog.h"
#include "framework/CWindowDC.h"
#include "list/ClipboardOpen.h"
#include "list/EntryRowIndex.h"
#include "res/resource.h"
#include "ui/QuilloryTextDlg.h"

#include <memory>
#include <vector>

namespace {

// The save dialog's proposal: a JPEG file named "screenshot.jpg".
const char kSaveExtension[] = "jpg";
const char kSaveProposedName[] = "screenshot.jpg";
const char kSaveFilter[] = "JPEG images (*.jpg)|*.jpg||";

// The picture loader's colour key: every bit set, that is no transparent colour.
constexpr OLE_COLOR kNoColourKey = 0xFFFFFFFF;

bool FileExists(LPCSTR szPath) {
    return ::GetFileAttributesA(szPath) != INVALID_FILE_ATTRIBUTES;
}

struct PictureRelease {
    void operator()(IPicture* picture) const { picture->Release(); }
};
// A loaded picture, released however the operation ends.
using PicturePtr = std::unique_ptr<IPicture, PictureRelease>;

// The picture file loaded as a picture object, or nullptr when it cannot be (the grab failed
// and left no file or an empty one, or the file has gone).
PicturePtr LoadPicture(const CString& path) {
    std::basic_string<WCHAR> widePath = AfxAnsiToWide(path);
    std::vector<OLECHAR> buffer(widePath.begin(), widePath.end());
    buffer.push_back(0);
    void* loaded = nullptr;
    HRESULT hr =
        ::OleLoadPicturePath(buffer.data(), nullptr, 0, kNoColourKey, IID_IPicture, &loaded);
    if (FAILED(hr) || loaded == nullptr) {
        return nullptr;
    }
    return PicturePtr(static_cast<IPicture*>(loaded));
}

} // namespace

HRESULT CQuilloryTextDlg::OnEntryMouseDown(IHTMLElement* pElement) {
    if (pElement == nullptr) {
        return S_OK;
    }
    SelectEntry(EntryRowIndex(CString(pElement->GetId().c_str())));
    POINT pointer = {};
    ::GetCursorPos(&pointer);
    IvyMenu* popup = DYNAMIC_DOWNCAST(IvyMenu, m_menuEntry.GetSubMenu(0));
    if (popup == nullptr) {
        return S_OK;
    }
    // The icons go in at every showing; registering them again replaces them in place.
    popup->AddToolbarIcons(IDR_TOOLBAR_ENTRY);
    popup->TrackPopupMenu(TPM_RIGHTBUTTON, pointer.x, pointer.y, this);
    return S_OK;
}

void CQuilloryTextDlg::OnEntryMenuQuit() {}

void CQuilloryTextDlg::CopyEntryImage() {
    const CaptureEntry* entry = GetEntry(m_nSelectedEntry);
    if (entry == nullptr) {
        return;
    }
    // Without a picture the clipboard keeps what it holds.
    PicturePtr picture = LoadPicture(entry->m_strImagePath);
    if (picture == nullptr) {
        return;
    }
    OLE_XSIZE_HIMETRIC himetricWidth = 0;
    OLE_YSIZE_HIMETRIC himetricHeight = 0;
    picture->get_Width(&himetricWidth);
    picture->get_Height(&himetricHeight);
    CClientDC windowDC(this);
    SIZE size = {himetricWidth, himetricHeight};
    windowDC.HIMETRICtoDP(&size);
    CDC memoryDC;
    CBitmap bitmap;
    if (size.cx > 0 && size.cy > 0 && memoryDC.CreateCompatibleDC(&windowDC) &&
        bitmap.CreateCompatibleBitmap(&windowDC, size.cx, size.cy)) {
        CBitmap* previous = memoryDC.SelectObject(&bitmap);
        // HIMETRIC coordinates grow upwards: drawn from the bottom up, the image is upright.
        picture->Render(memoryDC, 0, size.cy, size.cx, -size.cy, 0, 0, himetricWidth,
                        himetricHeight, nullptr);
        memoryDC.SelectObject(previous);
        // The clipboard owns the bitmap once it has taken it; one it did not take is
        // deleted with its object here.
        if (OpenClipboardRetrying(m_hWnd)) {
            ::EmptyClipboard();
            if (::SetClipboardData(CF_BITMAP, static_cast<HBITMAP>(bitmap)) != nullptr) {
                bitmap.Detach();
            }
            ::CloseClipboard();
        }
    }
}

void CQuilloryTextDlg::SaveEntryImage() {
    const CaptureEntry* entry = GetEntry(m_nSelectedEntry);
    if (entry == nullptr) {
        return;
    }
    // Captures, and a quit from the tray menu, still run while the dialog is open: the path is
    // kept, not the entry.
    const CString source = entry->m_strImagePath;
    // The dialog changes the current directory to the folder the user chooses.
    CFileDialog dialog(false, kSaveExtension, kSaveProposedName,
                       OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, kSaveFilter, this);
    if (dialog.DoModal() != IDOK) {
        return;
    }
    // The capture may have gone meanwhile (deleted by hand, or a grab that wrote nothing):
    // then nothing is copied and a file of the chosen name stays as it was.
    if (!FileExists(source)) {
        return;
    }
    const CString target = dialog.GetFileName();
    const bool replacing = FileExists(target);
    if (!::CopyFileA(source, target, FALSE) && !replacing) {
        // A copy that broke off leaves no piece of a picture behind.
        ::DeleteFileA(target);
    }
}

void CQuilloryTextDlg::DeleteEntry() {
    RemoveSelectedEntry();
}
