// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/CharClasses.h"

#include <algorithm>

#include "engine/UnicodeText.h"

namespace vesk {

namespace {

bool HasHighBytes(std::string_view text) {
    unsigned char any = 0;
    for (char c : text) any |= static_cast<unsigned char>(c);
    return any >= 0x80;
}

}  // namespace

std::string LowerCase(std::string_view text) {
    std::string out(text);
    LowerCaseInPlace(out);
    return out;
}

std::string UpperCase(std::string_view text) {
    std::string out;
    if (!HasHighBytes(text)) {
        out.assign(text);
        for (char& c : out) c = UpperChar(c);
        return out;
    }
    FullUpperCase(text, out);
    return out;
}

void LowerCaseInPlace(std::string& text) {
    if (HasHighBytes(text)) {
        std::string scratch;
        FullLowerCaseInPlace(text, scratch);
        return;
    }
    // Branch-free, so that the compiler can work on many characters at once.
    auto* p = reinterpret_cast<unsigned char*>(text.data());
    const std::size_t n = text.size();
    for (std::size_t i = 0; i < n; ++i) {
        const unsigned char b = p[i];
        p[i] = static_cast<unsigned char>(b + (static_cast<unsigned char>(b - 'A') < 26 ? 32 : 0));
    }
}

// Plain loops: find_first_not_of searches a one-character set per byte, and a listing trims every word.
std::string_view TrimmedTrailingSpaces(std::string_view text) {
    std::size_t end = text.size();
    while (end > 0 && text[end - 1] == ' ') --end;
    return text.substr(0, end);
}

std::string_view TrimmedSpaces(std::string_view text) {
    std::size_t first = 0;
    while (first < text.size() && text[first] == ' ') ++first;
    return TrimmedTrailingSpaces(text.substr(first));
}

std::string TrimSpaces(std::string_view text) { return std::string(TrimmedSpaces(text)); }

void TrimSpacesInPlace(std::string& text) {
    std::size_t end = text.size();
    while (end > 0 && text[end - 1] == ' ') --end;
    std::size_t begin = 0;
    while (begin < end && text[begin] == ' ') ++begin;
    if (begin > 0) text.erase(0, begin);
    text.resize(end - begin);
}

bool IsWordCharacter(char32_t codePoint, bool digits, std::string_view extra) {
    const unsigned char classes = CharClassOf(codePoint);
    if ((classes & kLetterClass) != 0) return true;
    if ((classes & kDigitClass) != 0) return digits;
    return codePoint < 0x80 && extra.find(static_cast<char>(codePoint)) != std::string_view::npos;
}

std::int32_t CountWordChars(std::string_view s, std::int32_t start, bool digits, std::string_view extra) {
    if (start < 1) return 0;
    std::int32_t n = 0;
    char32_t cp = 0;
    for (std::size_t i = OffsetOfCodePoint(s, static_cast<std::size_t>(start) - 1); i < s.size() && n < kMaxWordRun;
         ++n) {
        const std::size_t length = NextCodePoint(s, i, cp);
        if (!IsWordCharacter(cp, digits, extra)) break;
        i += length;
    }
    return n;
}

std::string AllowedInnerChars(const AllowedCharacters& allowed) {
    std::string extra;
    if (allowed.hyphens) extra += '-';
    if (allowed.apostrophes) extra += '\'';
    if (allowed.underscores) extra += '_';
    if (allowed.colons) extra += ':';
    if (allowed.backslashes) extra += '\\';
    if (allowed.forwardslashes) extra += '/';
    if (allowed.periods) extra += '.';
    if (allowed.atsigns) extra += '@';
    return extra;
}

WordCharTable::WordCharTable(bool digits, std::string_view extra) {
    m_table.fill(false);
    for (char32_t b = 0; b < 128; ++b) m_table[b] = IsWordCharacter(b, digits, extra);
}

}  // namespace vesk
