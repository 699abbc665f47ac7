// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Conversions between the program's Windows-1252 strings and the UTF-8 of the system.

#include <string>
#include <string_view>

namespace vesk {

// The byte that stands for a character Windows-1252 cannot represent.
inline constexpr char kUnmappableByte = '\x81';

// Windows-1252 to UTF-8; the five undefined codes (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to U+0081 etc.
std::string Cp1252ToUtf8(std::string_view text);
// UTF-8 to Windows-1252, the inverse of Cp1252ToUtf8 (U+0081 etc. give the undefined codes back);
// unrepresentable characters and ill-formed bytes (one per byte) become kUnmappableByte.
std::string Utf8ToCp1252(std::string_view text);
// Utf8ToCp1252 in place (the result is never longer than the text).
void Utf8ToCp1252InPlace(std::string& text);
// The length of the well-formed UTF-8 sequence at the start of the text and its code point; 0 when the
// sequence is ill-formed or cut short.
std::size_t DecodeUtf8(std::string_view text, char32_t& codePoint);
// Appends the UTF-8 form of a code point.
void AppendUtf8(std::string& out, char32_t codePoint);
// The number of characters (code points) of well-formed UTF-8 text: the bytes that start a sequence.
std::size_t Utf8Length(std::string_view text);
// Whether the text is entirely well-formed UTF-8.
bool IsValidUtf8(std::string_view text);
// The Windows-1252 code of a Unicode code point, or -1.
int UnicodeToCp1252(char32_t codePoint);
// The Unicode code point of a Windows-1252 code.
char32_t Cp1252ToUnicode(unsigned char code);

}  // namespace vesk
