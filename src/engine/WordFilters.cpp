// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/WordFilters.h"

#include "engine/CharClasses.h"
#include "engine/CommonWords.h"
#include "engine/Encoding.h"
#include "engine/UnicodeKeys.h"

namespace vesk {

bool IsRepetition(std::string_view word) {
    // Every character equal to the first is the first character's bytes over and over.
    char32_t first = 0;
    std::size_t length = DecodeUtf8(word, first);
    if (length == 0) length = 1;
    if (word.size() <= length || word.size() % length != 0) return false;
    for (std::size_t i = length; i < word.size(); i += length)
        if (word.compare(i, length, word.substr(0, length)) != 0) return false;
    return true;
}

bool IsRomanNumeralBelow40(std::string_view word) {
    for (char c : word) {
        const char upper = UpperChar(c);
        if (upper != 'I' && upper != 'V' && upper != 'X') return false;
    }
    return true;
}

bool HasNoVowelOrY(std::string_view word) {
    for (std::size_t i = 0; i < word.size();) {
        char32_t c = static_cast<unsigned char>(word[i]);
        if (c < 0x80) {  // most words are ASCII: no decoding, and no other script
            if (IsVowelOrY(c)) return false;
            ++i;
            continue;
        }
        std::size_t length = DecodeUtf8(word.substr(i), c);
        if (length == 0) {
            // Not UTF-8: a byte of the Western code page.
            c = Cp1252ToUnicode(static_cast<unsigned char>(word[i]));
            length = 1;
        }
        // Scripts other than Latin have vowels of their own, or none written: their words always stay.
        if (IsVowelOrY(c) || IsLetterOfOtherScript(c)) return false;
        i += length;
    }
    return true;
}

void MarkListedWords(WordTable& table, const FilterOptions& options, const CommonWordSet& commonWords) {
    const bool common = options.ignoreCommonWords && !commonWords.Empty();
    // No word followed by a comma fits in less than two characters.
    const bool ignoreList = options.wordsToIgnore.size() >= 2;
    std::string lowered;
    for (std::int64_t i = 1; i <= table.DistinctWordCount(); ++i) {
        const std::string_view word = table.Word(i);
        table.SetListed(i, false);
        if (table.Frequency(i) < options.minFrequency) continue;
        const std::size_t length = Utf8Length(word);
        if (length < options.minLength || length > options.maxLength) continue;
        if (ignoreList || common) {
            lowered.assign(word);
            LowerCaseInPlace(lowered);
            lowered += ',';
            if (ignoreList && options.wordsToIgnore.find(lowered) != std::string::npos) continue;
            lowered.pop_back();
            if (common && commonWords.Contains(lowered)) continue;
        }
        if (options.ignoreRepetitions && IsRepetition(word)) continue;
        if (options.ignoreRomanNumerals && IsRomanNumeralBelow40(word)) continue;
        if (options.ignoreNoVowel && HasNoVowelOrY(word)) continue;
        table.SetListed(i, true);
    }
}

}  // namespace vesk
