// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Character classes and case rules of the program's text (UTF-8).

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

// LowerChar and UpperChar map the ASCII letters only: a byte of a longer UTF-8 sequence is never changed.
inline char LowerChar(char c) { return static_cast<unsigned char>(c - 'A') < 26 ? static_cast<char>(c + 32) : c; }
inline char UpperChar(char c) { return static_cast<unsigned char>(c - 'a') < 26 ? static_cast<char>(c - 32) : c; }
// Unicode's full case mappings (root locale, with their context rules: a final sigma), ASCII text without
// asking ICU.
std::string LowerCase(std::string_view text);
std::string UpperCase(std::string_view text);
// Lower-cases in place; ASCII text without allocating (for the read loop of a count).
void LowerCaseInPlace(std::string& text);
// Removes leading and trailing spaces (only the space character).
std::string TrimSpaces(std::string_view text);
// The same without copying: views into the text, without its leading and trailing spaces, or without its
// trailing spaces only.
std::string_view TrimmedSpaces(std::string_view text);
std::string_view TrimmedTrailingSpaces(std::string_view text);
// The same, in place and without allocating.
void TrimSpacesInPlace(std::string& text);

// Whether a character continues a word: a letter (UnicodeText's classes), a digit when `digits`, or one of
// the ASCII characters of `extra`.
bool IsWordCharacter(char32_t codePoint, bool digits, std::string_view extra);
// The number of word characters from the character numbered `start` (from 1), at most 65000.
std::int32_t CountWordChars(std::string_view s, std::int32_t start, bool digits, std::string_view extra);
// The characters other than letters and digits allowed inside words, in the order - ' _ : \ / . @
std::string AllowedInnerChars(const AllowedCharacters& allowed);

inline constexpr std::int32_t kMaxWordRun = 65000;

// IsWordCharacter of the ASCII characters as a table of bytes for one choice of digits flag and extra
// characters; every byte from 0x80 is false.
class WordCharTable {
  public:
    WordCharTable() { m_table.fill(false); }
    WordCharTable(bool digits, std::string_view extra);
    bool operator[](char c) const { return m_table[static_cast<unsigned char>(c)]; }

  private:
    std::array<bool, 256> m_table;
};

}  // namespace vesk
