// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Word normalisation: what of an extracted run is counted. The keys of words are in UnicodeKeys.h.

#include <cstddef>
#include <string>
#include <string_view>

#include "engine/UnicodeKeys.h"

namespace vesk {

bool IsContractionStem(std::string_view word);
// Normalises an extracted run: trailing punctuation, final s, contraction fragments. Returns "" when the
// run is not counted.
std::string NormaliseWord(std::string_view run, bool dropFinalS, bool allowApostrophes);
// The same rules as a length in bytes: normalisation only ever shortens the run from its end, so the result
// is the first NormalisedLength(...) bytes of the run (0: not counted).
std::size_t NormalisedLength(std::string_view run, bool dropFinalS, bool allowApostrophes);

}  // namespace vesk
