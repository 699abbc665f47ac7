#pragma once
// The word predicates of the filters applied before each listing (MainWindow::ApplyFilters).

#include <string_view>

namespace vesk {

// More than one character, every one equal to the first (case-sensitive).
bool IsRepetition(std::string_view word);
// Upper-cased, made only of I, V and X (any arrangement; the empty word too).
bool IsRomanNumeralBelow40(std::string_view word);
// No character of the vowel list, and no "Y" or "y".
bool HasNoVowelOrY(std::string_view word);

}  // namespace vesk
