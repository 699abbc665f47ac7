// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/WordFilters.h"

#include "engine/CharClasses.h"
#include "engine/CommonWords.h"
#include "engine/Normalisation.h"

namespace vesk {

bool IsRepetition(std::string_view word) {
    if (word.size() <= 1) return false;
    return word.find_first_not_of(word[0]) == std::string_view::npos;
}

bool IsRomanNumeralBelow40(std::string_view word) {
    for (char c : word) {
        const char upper = UpperChar(c);
        if (upper != 'I' && upper != 'V' && upper != 'X') return false;
    }
    return true;
}

bool HasNoVowelOrY(std::string_view word) {
    for (std::size_t i = 0; i < word.size(); ++i)
        if (word[i] == 'Y' || word[i] == 'y' || IsVowel(word.substr(i), false)) return false;
    return true;
}

void MarkListedWords(WordTable& table, const FilterOptions& options, const CommonWordSet& commonWords) {
    const bool common = options.ignoreCommonWords && !commonWords.Empty();
    std::string lowered;
    for (std::int64_t i = 1; i <= table.DistinctWordCount(); ++i) {
        const std::string_view word = table.Word(i);
        table.SetListed(i, false);
        if (table.Frequency(i) < options.minFrequency) continue;
        if (word.size() < options.minLength || word.size() > options.maxLength) continue;
        lowered.assign(word);
        LowerCaseInPlace(lowered);
        lowered += ',';
        if (options.wordsToIgnore.find(lowered) != std::string::npos) continue;
        lowered.pop_back();
        if (common && commonWords.Contains(lowered)) continue;
        if (options.ignoreRepetitions && IsRepetition(word)) continue;
        if (options.ignoreRomanNumerals && IsRomanNumeralBelow40(word)) continue;
        if (options.ignoreNoVowel && HasNoVowelOrY(word)) continue;
        table.SetListed(i, true);
    }
}

}  // namespace vesk
