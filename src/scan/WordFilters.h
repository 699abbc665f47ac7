#pragma once
// The word predicates of the filters applied before each listing (MainWindow::ApplyFilters).

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vesk {

// More than one character, every one equal to the first (case-sensitive).
bool IsRepetition(std::string_view word);
// Upper-cased, made only of I, V and X (any arrangement; the empty word too).
bool IsRomanNumeralBelow40(std::string_view word);
// No character of the vowel list, and no "Y" or "y".
bool HasNoVowelOrY(std::string_view word);
// Whether an entry from `first` on, among `count` entries, equals the word exactly.
bool IsInWordList(std::string_view word, const std::vector<std::string>& list, std::int64_t first, std::int64_t count);

}  // namespace vesk
