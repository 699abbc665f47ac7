#include "engine/WordFilters.h"

#include "engine/CharClasses.h"
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

}  // namespace vesk
