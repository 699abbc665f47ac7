// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Character classes and case rules of the program's Windows-1252 text.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace vesk {

// The characters other than letters that may continue a word (a run takes them once, at its start).
struct AllowedCharacters {
    bool hyphens = false;
    bool apostrophes = false;
    bool underscores = false;
    bool colons = false;
    bool backslashes = false;
    bool forwardslashes = false;
    bool periods = false;
    bool atsigns = false;
    bool numerals = false;
    bool operator==(const AllowedCharacters&) const = default;
};

// Letters are A-Z, a-z and the Latin-1 letters 192-214, 216-246, 248-255; lower-casing maps A-Z and
// 192-222 except 215, upper-casing the reverse.
namespace detail {
constexpr std::array<char, 256> MakeCaseTable(bool lower) {
    std::array<char, 256> table{};
    for (int b = 0; b < 256; ++b) table[b] = static_cast<char>(b);
    for (int b = 0; b < 256; ++b) {
        const bool upperLetter = (b >= 'A' && b <= 'Z') || (b >= 192 && b <= 222 && b != 215);
        if (upperLetter) (lower ? table[b] : table[b + 32]) = static_cast<char>(lower ? b + 32 : b);
    }
    return table;
}
inline constexpr std::array<char, 256> kLowerTable = MakeCaseTable(true);
inline constexpr std::array<char, 256> kUpperTable = MakeCaseTable(false);
}  // namespace detail

inline char LowerChar(char c) { return detail::kLowerTable[static_cast<unsigned char>(c)]; }
inline char UpperChar(char c) { return detail::kUpperTable[static_cast<unsigned char>(c)]; }
std::string LowerCase(std::string_view text);
std::string UpperCase(std::string_view text);
// Lower-cases in place, without allocating (for the read loop of a count).
void LowerCaseInPlace(std::string& text);
// Removes leading and trailing spaces (only the space character).
std::string TrimSpaces(std::string_view text);
// The same without copying: views into the text, without its leading and trailing spaces, or without its
// trailing spaces only.
std::string_view TrimmedSpaces(std::string_view text);
std::string_view TrimmedTrailingSpaces(std::string_view text);
// The same, in place and without allocating.
void TrimSpacesInPlace(std::string& text);

bool IsWordChar(char c, bool digits, std::string_view extra);
// Length of the run of word characters from the 1-based `start`, at most 65000.
std::int32_t CountWordChars(std::string_view s, std::int32_t start, bool digits, std::string_view extra);
// The characters other than letters and digits allowed inside words, in the order - ' _ : \ / . @
std::string AllowedInnerChars(const AllowedCharacters& allowed);

inline constexpr std::int32_t kMaxWordRun = 65000;

// IsWordChar as a table for one choice of digits flag and extra characters.
class WordCharTable {
  public:
    WordCharTable() { m_table.fill(false); }
    WordCharTable(bool digits, std::string_view extra);
    bool operator[](char c) const { return m_table[static_cast<unsigned char>(c)]; }

  private:
    std::array<bool, 256> m_table;
};

}  // namespace vesk
