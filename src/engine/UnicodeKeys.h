// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Keys and vowels of words held as UTF-8, in any script.
//
// A key is built in three steps: the two tables of the Western letters (Ä -> Ae, é -> e, ...); then accents
// fold away where they are accents, on Latin, Greek and Cyrillic letters (ą -> a, ά -> α, й -> и), while other
// scripts keep their marks, which there tell words apart; then simple case folding (σ and ς, ǅ and ǆ, the
// Kelvin sign and k). For every word of the Western code page this is the key it always had.

#include <string>
#include <string_view>

namespace vesk {

// The word table's key: identity and alphabetical order (byte order of the UTF-8 key).
std::string WordKey(std::string_view word);
// WordKey into `key` (replaced), reusing its storage. Returns false, leaving `key` untouched, when the key
// is the word itself (a word of plain lower-case letters, or of letters that nothing folds).
bool WordKeyDiffers(std::string_view word, std::string& key);

// A vowel of the "no vowel" filter: the vowel list of the Western letters, "y" and "Y", or a letter from
// U+0100 up whose accent-folded form begins with one of them (ą, ů, ő, Ÿ).
bool IsVowelOrY(char32_t codePoint);
// A letter whose script is neither Latin, Common nor Inherited (Greek, Cyrillic, Hebrew, Han, ...).
bool IsLetterOfOtherScript(char32_t codePoint);

}  // namespace vesk
