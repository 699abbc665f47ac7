// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Word normalisation and accent folding.

#include <cstddef>
#include <string>
#include <string_view>

namespace vesk {

// Two-letter expansions (Ä -> Ae, ß -> ss, ...) then single-letter folding (é -> e, ...).
std::string FoldAccents(std::string_view word);
// The word table's key: lower case of FoldAccents(word).
std::string WordKey(std::string_view word);
// WordKey into `key` (replaced), reusing its storage. Returns false, leaving `key` untouched, when the key
// is the word itself (the common case of a word of plain lower-case letters).
bool WordKeyDiffers(std::string_view word, std::string& key);
bool IsVowel(std::string_view text, bool lowerListOnly);
bool IsContractionStem(std::string_view word);
// Normalises an extracted run: trailing punctuation, final s, contraction fragments. Returns "" when the
// run is not counted.
std::string NormaliseWord(std::string_view run, bool dropFinalS, bool allowApostrophes);
// The same rules as a length: normalisation only ever shortens the run from its end, so the result is the
// first NormalisedLength(...) characters of the run (0: not counted).
std::size_t NormalisedLength(std::string_view run, bool dropFinalS, bool allowApostrophes);

}  // namespace vesk
