// The main dialog's capture list: adding and removing entries, showing them in the page, the
// rows lighting up under the pointer, and an entry's text to the clipboard.
#include "list/CaptureListHtml.h"
#include "list/ClipboardOpen.h"
#include "list/EntryPlainText.h"
#include "ui/QuilloryTextDlg.h"

#include <cstring>

namespace {

// The background of a row under the pointer, and its own background, by row class.
const char kOddHoverColor[] = "#fffbc0";
const char kOddColor[] = "#ffffff";
const char kEvenHoverColor[] = "#D0F1C5";
const char kEvenColor[] = "#c6dcf0";

// Every element id of a row is one of these prefixes followed by the row's index.
const char* const kRowIdPrefixes[] = {"cat", "txt", "img", "imt"};
constexpr size_t kRowIdPrefixLength = 3;

} // namespace

void CQuilloryTextDlg::AppendEntry(LPCSTR szText, LPCSTR szImagePath, int nWidth, int nHeight) {
    m_entries.push_back(new CaptureEntry(szText, szImagePath, nWidth, nHeight));
    RenderCaptureList();
    m_nSelectedEntry = static_cast<int>(m_entries.size()) - 1;
    CopyEntryText();
}

void CQuilloryTextDlg::AppendEntries(std::vector<CaptureEntry*> entries) {
    m_entries.insert(m_entries.end(), entries.begin(), entries.end());
    RenderCaptureList();
}

CaptureEntry* CQuilloryTextDlg::GetEntry(int nIndex) const {
    if (nIndex < 0 || static_cast<size_t>(nIndex) >= m_entries.size()) {
        return nullptr;
    }
    return m_entries[static_cast<size_t>(nIndex)];
}

int CQuilloryTextDlg::GetEntryCount() const {
    return static_cast<int>(m_entries.size());
}

const CaptureEntry* CQuilloryTextDlg::GetEntryAt(int nIndex) const {
    return GetEntry(nIndex);
}

int CQuilloryTextDlg::GetSelectedEntry() const {
    return m_nSelectedEntry;
}

void CQuilloryTextDlg::SelectEntry(int nIndex) {
    m_nSelectedEntry = nIndex;
}

void CQuilloryTextDlg::RemoveSelectedEntry() {
    CaptureEntry* entry = GetEntry(m_nSelectedEntry);
    if (entry == nullptr) {
        return;
    }
    m_entries.erase(m_entries.begin() + m_nSelectedEntry);
    delete entry;
    RenderCaptureList();
}

void CQuilloryTextDlg::RemoveAllEntries() {
    for (CaptureEntry* entry : m_entries) {
        delete entry;
    }
    m_entries.clear();
    m_entries.shrink_to_fit();
}

void CQuilloryTextDlg::RenderCaptureList() {
    SetElementHtml("tblTexts", BuildCaptureListHtml(m_entries));
}

void CQuilloryTextDlg::HighlightRow(IHTMLElement* pElement, LPCSTR szColor) {
    if (pElement == nullptr) {
        return;
    }
    const CString id(pElement->GetId().c_str());
    if (id.GetLength() < static_cast<int>(kRowIdPrefixLength)) {
        return;
    }
    const CString row = id.Mid(static_cast<int>(kRowIdPrefixLength));
    const auto color = AfxAnsiToWide(szColor);
    for (const char* prefix : kRowIdPrefixes) {
        if (CHtmlElementPtr element = GetElement(CString(prefix) + row)) {
            element->SetBackgroundColor(color);
        }
    }
}

void CQuilloryTextDlg::CopyEntryText() {
    const CaptureEntry* entry = GetEntry(m_nSelectedEntry);
    if (entry == nullptr) {
        return;
    }
    const CString text = EntryPlainText(entry->m_strText);
    const SIZE_T size = static_cast<SIZE_T>(text.GetLength()) + 1;
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
    if (block == nullptr) {
        return;
    }
    if (void* data = ::GlobalLock(block)) {
        std::memcpy(data, text.GetString(), size);
        ::GlobalUnlock(block);
    }
    // The clipboard owns the block once it has taken it; a block it did not take is freed here.
    if (!OpenClipboardRetrying(m_hWnd)) {
        ::GlobalFree(block);
        return;
    }
    ::EmptyClipboard();
    if (::SetClipboardData(CF_TEXT, block) == nullptr) {
        ::GlobalFree(block);
    }
    ::CloseClipboard();
}

HRESULT CQuilloryTextDlg::OnOddRowMouseOver(IHTMLElement* pElement) {
    HighlightRow(pElement, kOddHoverColor);
    return S_OK;
}

HRESULT CQuilloryTextDlg::OnOddRowMouseOut(IHTMLElement* pElement) {
    HighlightRow(pElement, kOddColor);
    return S_OK;
}

HRESULT CQuilloryTextDlg::OnEvenRowMouseOver(IHTMLElement* pElement) {
    HighlightRow(pElement, kEvenHoverColor);
    return S_OK;
}

HRESULT CQuilloryTextDlg::OnEvenRowMouseOut(IHTMLElement* pElement) {
    HighlightRow(pElement, kEvenColor);
    return S_OK;
}
