// Dialog creation and the modal loop, shared by dialogs from templates and message boxes.
#pragma once

#include "user/dialog_template.h"
#include "user/user_state.h"

#include <string>

namespace winsim::user {

// Creates the dialog window and its controls, sends WM_INITDIALOG and shows it when the
// template says so (or when forceShow). Returns nullptr when a control cannot be made.
HWND CreateDialogFromTemplate(HINSTANCE instance, const DialogTemplate& tmpl, HWND owner,
                              DLGPROC proc, LPARAM param);
// Runs the modal loop of a dialog until EndDialog, with the owner disabled meanwhile; destroys
// the dialog and returns its result. what names the dialog in errors of the script.
INT_PTR RunModalDialog(HWND dialog, HWND owner, const std::string& what);
// The dialog base units (average character width and height) of a dialog font.
void DialogBaseUnits(const DialogTemplate& tmpl, int* baseX, int* baseY);
// Reads a dialog template that a resource or a caller hands over.
bool ReadTemplate(const void* data, DialogTemplate* tmpl);

} // namespace winsim::user
