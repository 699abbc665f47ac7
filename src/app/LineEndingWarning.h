#pragma once
// The warning about unusual line endings of a file about to be read.

#include <cstdint>

namespace vesk {

class Platform;

// "This file has ..." for the text-file kinds of LF-only and CR-only files; nothing for the others.
void WarnLineEndings(Platform& platform, std::int16_t kind);

}  // namespace vesk
