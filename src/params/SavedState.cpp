#include "params/SavedState.h"

#include <filesystem>
#include <system_error>

#include "app/MainWindow.h"
#include "engine/Encoding.h"
#include "params/ParamsWindow.h"

namespace vesk {

std::string GetAppDataFilePath(Platform& platform, const std::string& file, const std::string& folder) {
    std::string base = platform.UserDataFolder();
    if (base.empty()) base = "/";
    if (base.back() != '/') base += '/';
    const std::string dir = base + folder;
    // The per-user folder itself may not exist yet on a fresh account. A failure is left for the save to
    // report: the program runs on without a state file.
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(Cp1252ToUtf8(dir)), ec);
    return dir + "/" + file;
}

void MainWindow::cmdSaveState_Click() {
    const std::string result = SaveState("");
    if (!result.empty())
        platform.ShowMessage(result, "Error", MsgButtons::Ok, MsgIcon::Exclamation);
    else if (!blnQuitting)
        platform.ShowMessage("State saved.", "Save", MsgButtons::Ok, MsgIcon::None);
    SetTheFocus();
}

void MainWindow::cmdQuit_Click() {
    blnQuitting = true;
    if (frmParams->chkSaveStateOnQuit.Value() == 1) cmdSaveState_Click();
    platform.EndProgram();
}

}  // namespace vesk
