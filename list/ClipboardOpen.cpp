#include "list/ClipboardOpen.h"

namespace {

constexpr int kClipboardAttempts = 11;
constexpr DWORD kClipboardRetryMilliseconds = 25;

} // namespace

bool OpenClipboardRetrying(HWND hWnd) {
    for (int attempt = 1;; ++attempt) {
        if (::OpenClipboard(hWnd)) {
            return true;
        }
        if (attempt == kClipboardAttempts) {
            return false;
        }
        ::Sleep(kClipboardRetryMilliseconds);
    }
}
