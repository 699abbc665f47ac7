// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The filters applied before each listing: which words of a counted table are listed.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "engine/WordTable.h"

namespace vesk {

class CommonWordSet;

struct FilterOptions {
    std::int64_t minFrequency = 0;           // words counted fewer times are not listed
    std::size_t minLength = 0;               // words with fewer characters are not listed
    std::size_t maxLength = kMaxWordLength;  // words with more characters are not listed
    // A word is not listed when its lower case followed by a comma occurs anywhere in this text: with the
    // list written ",word,word," that is each word of the list and every ending of one.
    std::string wordsToIgnore;
    bool ignoreCommonWords = false;  // words whose lower case is in the common-words set (when it has any)
    bool ignoreRepetitions = false;
    bool ignoreRomanNumerals = false;  // below 40
    bool ignoreNoVowel = false;        // no vowel and no "y"
};

// Marks every record of a finished table listed or not.
void MarkListedWords(WordTable& table, const FilterOptions& options, const CommonWordSet& commonWords);

// More than one character, every one equal to the first (case-sensitive): zzz, ааа, ωωω.
bool IsRepetition(std::string_view word);
// Upper-cased, made only of I, V and X (any arrangement; the empty word too).
bool IsRomanNumeralBelow40(std::string_view word);
// No vowel (IsVowelOrY) and no letter of a script other than Latin.
bool HasNoVowelOrY(std::string_view word);

}  // namespace vesk
