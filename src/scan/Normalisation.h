#pragma once
// Word normalisation and accent folding.

#include <string>
#include <string_view>

namespace vesk {

// Two-letter expansions (Ä -> Ae, ß -> ss, ...) then single-letter folding (é -> e, ...).
std::string FoldAccents(std::string_view word);
// The word table's key: lower case of FoldAccents(word).
std::string WordKey(std::string_view word);
bool IsVowel(std::string_view text, bool lowerListOnly);
bool IsContractionStem(std::string_view word);
// Normalises an extracted run: trailing punctuation, final s, contraction fragments. Returns "" when the
// run is not counted.
std::string NormaliseWord(std::string_view run, bool dropFinalS, bool allowApostrophes);

}  // namespace vesk
