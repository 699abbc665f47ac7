// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/StateFile.h"

#include <filesystem>
#include <system_error>

namespace vesk {

std::string AppDataFilePath(const std::string& userDataFolder, const std::string& file, const std::string& folder) {
    std::string base = userDataFolder.empty() ? "/" : userDataFolder;
    if (base.back() != '/') base += '/';
    const std::string dir = base + folder;
    // The per-user folder itself may not exist yet on a fresh account. A failure is left for the save to
    // report: the program runs on without a state file.
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(dir), ec);
    return dir + "/" + file;
}

}  // namespace vesk
