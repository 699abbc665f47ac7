#include "app/LineEndingWarning.h"

#include <string>

#include "app/Platform.h"
#include "engine/FileChecks.h"

namespace vesk {

void WarnLineEndings(Platform& platform, std::int16_t kind) {
    const char* ending = kind == kTextLfOnly   ? "Unix/Linux line endings."
                         : kind == kTextCrOnly ? "Macintosh line endings."
                                               : nullptr;
    if (ending == nullptr) return;
    platform.ShowMessage(std::string("This file has ") + ending, "Warning", MsgButtons::Ok, MsgIcon::Exclamation);
}

}  // namespace vesk
