// The capture: the text of the foreground window (a message box's message, or the whole dialog
// with its title and its controls' texts) and the path of the new capture's image file.
#include "capture/CaptureText.h"
#include "framework/AfxModule.h"
#include "framework/CException.h"
#include "imaging/WindowCapture.h"
#include "res/resource.h"
#include "ui/QuilloryTextDlg.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

// The control id of a message box's text.
const int kMessageTextId = 0xFFFF;
// What is read of one window text: the message text, a dialog's title, a control's text.
const int kMaxMessageText = 32677;
const int kMaxTitle = 32671;
const int kMaxControlText = 4095;

const char kTitleOpen[] = "<p><u>";
const char kTitleClose[] = "</u></p>";
const char kImageFolder[] = "tmp";

} // namespace

// The whole capture runs here, synchronously: when it returns, the picture is written, the
// entry listed and its text on the clipboard. A capture can run inside another one while the
// JPEG library's message box is open, so nothing of the list is held across the grab.
LRESULT CQuilloryTextDlg::OnHotKey(WPARAM, LPARAM) {
    // While the activation changes there is no foreground window: there is nothing to take, and
    // an entry without window, text or picture would only clutter the list.
    const HWND hForeground = ::GetForegroundWindow();
    if (hForeground == nullptr) {
        return 0;
    }
    // The sound plays while the capture goes on.
    ::PlaySoundA(MAKEINTRESOURCEA(IDR_WAVE_CAPTURE), AfxGetInstanceHandle(),
                 SND_RESOURCE | SND_ASYNC);

    CaptureText text;
    ReadCaptureText(hForeground, text);
    const CString strImagePath = MakeImagePath();

    // A window that went away meanwhile gives no picture: the entry is still recorded, 0 x 0.
    CSize size(0, 0);
    WindowCapture capture;
    try {
        size = capture.CaptureWindowToFile(strImagePath, CWnd::FromHandle(hForeground));
    } catch (CException* pException) {
        pException->Delete();
        size = CSize(0, 0);
    }
    AppendEntry(text.GetText(), strImagePath, size.cx, size.cy);
    return 0;
}

void CQuilloryTextDlg::ReadCaptureText(HWND hWnd, CaptureText& text) const {
    if (!m_bCopyAll) {
        std::string message(kMaxMessageText + 1, '\0');
        const UINT length =
            ::GetDlgItemTextA(hWnd, kMessageTextId, &message[0], static_cast<int>(message.size()));
        text.Append(message.data(), static_cast<int>(length));
        return;
    }
    std::string title(kMaxTitle + 1, '\0');
    const int length = ::GetWindowTextA(hWnd, &title[0], static_cast<int>(title.size()));
    text.Append(kTitleOpen);
    // A title too long for the buffer is shortened so that its closing markup still fits.
    text.AppendCut(title.data(), length, static_cast<int>(std::strlen(kTitleClose)));
    text.Append(kTitleClose);
    CollectChildTexts(hWnd, text, 0);
}

// Only the first child of each level is descended into, and it gets no line of its own; the
// windows behind it at its level each give one line, indented two blanks per level. So the
// deeper lines come first, and a flat dialog with n controls yields n - 1 lines.
// The chain of first children is walked without recursion and kept on the heap, and one text
// buffer serves every level: another program's window tree may be of any depth.
void CQuilloryTextDlg::CollectChildTexts(HWND hWnd, CaptureText& text, int nDepth) const {
    std::vector<HWND> chain;
    for (HWND level = hWnd; level != nullptr; level = ::GetWindow(level, GW_CHILD)) {
        chain.push_back(level);
    }
    std::vector<char> childText(kMaxControlText + 1);
    std::string line;
    for (size_t k = chain.size(); k-- > 0 && !text.IsClosed();) {
        const size_t depth = static_cast<size_t>(nDepth) + k;
        if (depth < 1) {
            continue;
        }
        for (HWND sibling = ::GetWindow(chain[k], GW_HWNDNEXT); sibling != nullptr;
             sibling = ::GetWindow(sibling, GW_HWNDNEXT)) {
            // A window that cannot be read gives an empty line.
            const int length =
                ::GetWindowTextA(sibling, childText.data(), static_cast<int>(childText.size()));
            line.assign(2 * depth, ' ');
            line.append(childText.data(), static_cast<size_t>(length > 0 ? length : 0));
            line += '\n';
            if (!text.Append(line.data(), static_cast<int>(line.size()))) {
                return;
            }
        }
    }
}

// The name is the tick count in lower-case hexadecimal. Two captures within one tick would get
// the same name, and deleting one entry would then delete the other's picture: a name that
// exists already is passed over for the next number. The name is taken at once with an empty
// file, so that a capture whose picture could not be written, or one that runs inside another
// (from a message box's loop), still keeps its name for itself.
CString CQuilloryTextDlg::MakeImagePath() const {
    char modulePath[MAX_PATH * 2] = {};
    const DWORD length = ::GetModuleFileNameA(AfxGetInstanceHandle(), modulePath,
                                              static_cast<DWORD>(sizeof modulePath));
    modulePath[length < sizeof modulePath ? length : sizeof modulePath - 1] = '\0';
    // Cut behind the last backslash, which stays; without one nothing remains.
    unsigned char* lastBackslash =
        ::_mbsrchr(reinterpret_cast<const unsigned char*>(modulePath), '\\');
    if (lastBackslash != nullptr) {
        lastBackslash[1] = '\0';
    } else {
        modulePath[0] = '\0';
    }
    CString strFolder(modulePath);
    strFolder += kImageFolder;
    if (!::PathFileExistsA(strFolder)) {
        ::CreateDirectoryA(strFolder, nullptr);
    }

    DWORD dwName = ::GetTickCount();
    CString strPath;
    for (DWORD tries = 0;; ++tries, ++dwName) {
        strPath = strFolder;
        strPath.AppendFormat("\\%lx.jpg", static_cast<unsigned long>(dwName));
        // Every name taken: keep the last one rather than loop for ever.
        if (!::PathFileExistsA(strPath) || tries == 0xFFFFFFFFu) {
            break;
        }
    }
    if (FILE* reserved = win32_fopen(strPath, "wb")) {
        std::fclose(reserved);
    }
    return strPath;
}
