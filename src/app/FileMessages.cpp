// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/FileMessages.h"

#include "app/Platform.h"
#include "listing/RunTexts.h"

namespace vesk {

void WarnLineEndings(Platform& platform, std::int16_t kind) {
    const TitledText message = LineEndingsMessage(kind);
    if (message.text.empty()) return;
    platform.ShowMessage(message.text, message.title, MsgButtons::Ok, MsgIcon::Exclamation);
}

void ReportFileProblem(Platform& platform, int problem, const std::string& missingText, const std::string& fileLine) {
    const TitledText message = FileProblemMessage(problem, missingText, fileLine);
    platform.ShowMessage(message.text, message.title, MsgButtons::Ok, MsgIcon::Exclamation);
}

}  // namespace vesk
