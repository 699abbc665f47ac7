// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/FileMessages.h"

#include <cerrno>
#include <string>
#include <system_error>

#include "app/Platform.h"
#include "engine/FileChecks.h"
#include "listing/RunError.h"

namespace vesk {

void WarnLineEndings(Platform& platform, std::int16_t kind) {
    const char* ending = kind == kTextLfOnly   ? "Unix/Linux line endings."
                         : kind == kTextCrOnly ? "Macintosh line endings."
                                               : nullptr;
    if (ending == nullptr) return;
    platform.ShowMessage(std::string("This file has ") + ending, "Warning", MsgButtons::Ok, MsgIcon::Exclamation);
}

void ReportFileProblem(Platform& platform, int problem, const std::string& missingText, const std::string& fileLine) {
    const std::string nextLine = "\r\n" + fileLine;
    if (problem == ENOENT)
        platform.ShowMessage(missingText + nextLine, "File not found", MsgButtons::Ok, MsgIcon::Exclamation);
    else if (problem == kOtherKindOfFile)
        platform.ShowMessage("This is not a text file." + nextLine, "Invalid input", MsgButtons::Ok,
                             MsgIcon::Exclamation);
    else
        platform.ShowMessage(ErrorNumberText(problem, std::generic_category().message(problem)) + nextLine, "Error",
                             MsgButtons::Ok, MsgIcon::Exclamation);
}

}  // namespace vesk
