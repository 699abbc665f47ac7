#pragma once
// Where the program keeps its state between sessions.

#include <string>

#include "app/Platform.h"

namespace vesk {

// The full path of `file` inside `folder` of the per-user data folder (the root folder when the
// platform has none). Creates the folder when it is missing; a failure to create it is not reported
// here: writing the file fails later and says so.
std::string GetAppDataFilePath(Platform& platform, const std::string& file, const std::string& folder);

}  // namespace vesk
