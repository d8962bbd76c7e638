// The window procedures of the classes every desktop has: dialogs, static texts, buttons, edit
// fields, combo boxes, the hot-key control and the popup-menu window.
#pragma once

#include <winsim/windows.h>

namespace winsim::user {

constexpr const char* kDialogClass = "#32770";
constexpr const char* kMenuClass = "#32768";

LRESULT CALLBACK StaticProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK ButtonProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK EditProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK MenuWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK ComboBoxProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK HotKeyProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// A control tells its parent what happened to it: WM_COMMAND with its id and the code.
void NotifyParent(HWND hwnd, WORD code);

} // namespace winsim::user
