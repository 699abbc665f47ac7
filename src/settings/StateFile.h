// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the program keeps its state between sessions: a parameter file in a folder of the per-user data folder.

#include <string>

namespace vesk {

// The full path of `file` inside `folder` of the per-user data folder `userDataFolder` (the root folder when
// there is none). Creates the folder when it is missing; a
// failure to create it is not reported here: writing the file fails later and says so.
std::string AppDataFilePath(const std::string& userDataFolder, const std::string& file, const std::string& folder);

// The path of the state file.
inline std::string StateFilePath(const std::string& userDataFolder) {
    return AppDataFilePath(userDataFolder, "vesk.usr", "Kestrine Systems");
}

}  // namespace vesk
