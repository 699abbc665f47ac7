// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the scanner asks about characters beyond U+007F, answered by ICU: word classes, normal form, case.
// Text is UTF-8; an ill-formed byte is read as one U+FFFD.

#include <unicode/utf8.h>

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace vesk {

inline constexpr char32_t kReplacementCharacter = 0xFFFD;

// The word classes of a character: a letter starts and continues words (ASCII and Latin-1 letters, and the
// letters and marks from U+0100), a digit continues them where the numerals are allowed, and a dictionary
// letter is a letter of a script written without spaces between words.
enum : unsigned char { kLetterClass = 1, kDigitClass = 2, kDictionaryClass = 4 };
unsigned char CharClassOf(char32_t codePoint);

// What the scanner asks about a character of the Basic Multilingual Plane (nearly every character of a text),
// asked of ICU once for all of them.
struct CharInfo {
    unsigned char classes = 0;
    // NFC leaves alone any text made only of such characters (NFC quick check yes, combining class 0).
    bool nfcInert = false;
    // The full lower case when it is one character of as many UTF-8 bytes that no context changes; 0 when
    // ICU must map the text.
    char16_t lower = 0;
};
// The 65536 characters' CharInfo, asked of ICU for a block of 256 characters when one of them is first looked
// up: a text uses few blocks, and a short one should not wait for all of them.
class BmpCharInfos {
  public:
    const CharInfo& operator[](char32_t codePoint) {
        if (!m_ready[codePoint >> 8].load(std::memory_order_acquire)) Fill(codePoint >> 8);
        return m_infos[codePoint];
    }

  private:
    void Fill(char32_t block);
    CharInfo m_infos[0x10000];
    std::atomic<bool> m_ready[0x100] = {};
};
BmpCharInfos& BmpCharInfo();
// For each byte, when it leads two-byte sequences whose 64 characters share their classes: kTwoByteLetters
// when all are letters (of scripts written with spaces), kTwoByteOthers when none is a letter or digit; else 0.
enum : unsigned char { kTwoByteLetters = 1, kTwoByteOthers = 2 };
const unsigned char* TwoByteLeadKinds();

// The character that starts at `text[pos]` (pos < text.size()) and the number of its bytes.
inline std::size_t NextCodePoint(std::string_view text, std::size_t pos, char32_t& codePoint) {
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    const unsigned char b = p[pos];
    if (b < 0x80) {
        codePoint = b;
        return 1;
    }
    // Two bytes (Latin, Greek, Cyrillic, ...) and the three-byte sequences that need no check of their second
    // byte (all but E0 and ED) without ICU's general decoding.
    if (b >= 0xC2 && b < 0xE0 && pos + 1 < text.size() && (p[pos + 1] & 0xC0) == 0x80) {
        codePoint = (char32_t{b} & 0x1F) << 6 | (p[pos + 1] & 0x3Fu);
        return 2;
    }
    if (b > 0xE0 && b < 0xF0 && b != 0xED && pos + 2 < text.size() && (p[pos + 1] & 0xC0) == 0x80 &&
        (p[pos + 2] & 0xC0) == 0x80) {
        codePoint = (char32_t{b} & 0x0F) << 12 | (p[pos + 1] & 0x3Fu) << 6 | (p[pos + 2] & 0x3Fu);
        return 3;
    }
    auto i = static_cast<std::int32_t>(pos);
    UChar32 c = 0;
    U8_NEXT(p, i, static_cast<std::int32_t>(text.size()), c);
    codePoint = c < 0 ? kReplacementCharacter : static_cast<char32_t>(c);
    return c < 0 ? 1 : static_cast<std::size_t>(i) - pos;
}
// The number of characters of `text`, counting each ill-formed byte as one.
std::size_t CodePointCount(std::string_view text);
// The byte offset of the character numbered `count` (from 0), or text.size() when there are fewer.
std::size_t OffsetOfCodePoint(std::string_view text, std::size_t count);

// Unicode's simple lower-case mapping of one character (for comparing characters ignoring case).
char32_t SimpleLower(char32_t codePoint);

// Unicode's full case mappings of UTF-8 text, root locale, with their context rules (a final sigma); `out`
// is replaced.
void FullLowerCase(std::string_view text, std::string& out);
void FullUpperCase(std::string_view text, std::string& out);
// FullLowerCase in place; `scratch` holds the text while ICU maps it, which few texts need.
void FullLowerCaseInPlace(std::string& text, std::string& scratch);

// Puts UTF-8 text in NFC, in place; `scratch` as above, only for text that is not already in NFC.
void NormaliseToNfc(std::string& text, std::string& scratch);

// The Unicode steps of preparing a line that holds a byte from 0x80 and whose ASCII letters are already in
// lower case when `lowerCase`: NFC, then the full lower case when `lowerCase`, then U+2019 becomes "'" and
// U+00A0 a space.
void PrepareUnicodeLine(std::string& line, bool lowerCase, std::string& scratch);

}  // namespace vesk
