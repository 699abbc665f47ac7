// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/MainWindow.h"
#include "engine/FileChecks.h"
#include "params/ParamsWindow.h"

namespace vesk {

void ParamsWindow::cmdSaveLoadParameters_Click(int index) {
    const bool saving = index == 0;
    FileDialogRequest request;
    request.filter = "Parameter files (*.vesk) | *.vesk";
    if (saving) {
        request.title = "Specify file to save parameters to";
        request.flags = FileDialogFlags::kNoReadOnlyReturn | FileDialogFlags::kPathMustExist |
                        FileDialogFlags::kHideReadOnly | FileDialogFlags::kOverwritePrompt;
        request.save = true;
    } else {
        request.title = "Specify file to load parameters from.";
        request.flags =
            FileDialogFlags::kFileMustExist | FileDialogFlags::kPathMustExist | FileDialogFlags::kHideReadOnly;
        request.save = false;
    }
    const std::optional<std::string> chosen =
        platform.ShowFileDialog(request, frmMain->DialogFolder(txbParametersFile.Text()));
    if (!chosen || chosen->empty()) return;
    frmMain->RememberDialogFolder(*chosen);

    lblParameters.SetCaption("");
    // A name typed without an extension gets the one the load dialog lists.
    txbParametersFile.SetText(saving && FileExtension(*chosen, false).empty() ? *chosen + ".vesk" : *chosen);

    if (saving) {
        const std::string result = frmMain->SaveState(txbParametersFile.Text());
        if (result.empty()) {
            lblParameters.SetCaption("Parameters saved to");
        } else {
            platform.ShowMessage(result, "Save parameters", MsgButtons::Ok, MsgIcon::Exclamation);
            lblParameters.SetCaption("Error saving to");
        }
        return;
    }

    blnReverting = true;
    const std::string result = frmMain->RestoreSavedState(txbParametersFile.Text());
    blnReverting = false;
    if (result.empty()) {
        lblParameters.SetCaption("Parameters loaded from");
    } else {
        // A file that fails has changed nothing: the settings stay as they were.
        platform.ShowMessage(result, "Load parameters", MsgButtons::Ok, MsgIcon::Exclamation);
        lblParameters.SetCaption("Error loading from");
    }
}

}  // namespace vesk
