// The window of the file dialogs: its template (the controls at the ids of the common dialog)
// and what its controls show.
#pragma once

#include "system/dialog_template_writer.h"
#include "system/file_dialog_state.h"

#include <winsim/wintypes.h>

namespace winsim::system {

// The template of the dialog window for this view, titled with the view's title.
DialogTemplateWriter FileDialogTemplate(const FileDialogView& view);
// Fills the controls when the dialog starts: the proposed name, the file types with the
// selected one, and the folder.
void FillFileDialog(HWND dialog, const FileDialogView& view);
// Shows the view's folder: the folders down to it in the folder box, its subfolders and the
// files of the selected type in the folder view.
void ShowFolder(HWND dialog, const FileDialogView& view);
// The folder the person has chosen in the folder box: the one shown, or one it lies in.
std::string FolderChosenInFolderBox(HWND dialog, const FileDialogView& view);
// What the file-name field holds.
std::string TypedFileName(HWND dialog);

} // namespace winsim::system
