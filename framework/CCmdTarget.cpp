#include "framework/CCmdTarget.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap() {
    static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, nullptr}};
    static const AFX_MSGMAP map = {nullptr, &entries[0]};
    return &map;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const {
    return GetThisMessageMap();
}

const AFX_MSGMAP_ENTRY* CCmdTarget::FindMessageEntry(const AFX_MSGMAP* pMap, UINT nMessage) {
    if (nMessage == 0 || nMessage == WM_COMMAND) {
        return nullptr;
    }
    for (; pMap != nullptr;
         pMap = pMap->pfnGetBaseMap != nullptr ? pMap->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* entry = pMap->lpEntries; entry->pfn != nullptr; ++entry) {
            if (entry->nMessage == nMessage) {
                return entry;
            }
        }
    }
    return nullptr;
}

const AFX_MSGMAP_ENTRY* CCmdTarget::FindCommandEntry(const AFX_MSGMAP* pMap, UINT nID, UINT nCode) {
    for (; pMap != nullptr;
         pMap = pMap->pfnGetBaseMap != nullptr ? pMap->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* entry = pMap->lpEntries; entry->pfn != nullptr; ++entry) {
            if (entry->nMessage == WM_COMMAND && entry->nCode == nCode && nID >= entry->nID &&
                nID <= entry->nLastID) {
                return entry;
            }
        }
    }
    return nullptr;
}

bool CCmdTarget::OnCmdMsg(UINT nID, int nCode, HWND hWndCtrl) {
    const AFX_MSGMAP_ENTRY* entry =
        FindCommandEntry(GetMessageMap(), nID, static_cast<UINT>(nCode));
    if (entry == nullptr) {
        return false;
    }
    LRESULT result = 0;
    entry->pfn(this, WM_COMMAND, MAKEWPARAM(nID, nCode), reinterpret_cast<LPARAM>(hWndCtrl),
               &result);
    return true;
}
