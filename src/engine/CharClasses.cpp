// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/CharClasses.h"

#include <algorithm>

namespace vesk {

namespace {

bool IsLetterCode(unsigned b) {
    return (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z') || (b >= 192 && b <= 214) || (b >= 216 && b <= 246) ||
           b >= 248;
}

}  // namespace

std::string LowerCase(std::string_view text) {
    std::string out(text);
    LowerCaseInPlace(out);
    return out;
}

std::string UpperCase(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = UpperChar(c);
    return out;
}

void LowerCaseInPlace(std::string& text) {
    // Branch-free, so that the compiler can work on many characters at once: A-Z and 192-222 except 215.
    auto* p = reinterpret_cast<unsigned char*>(text.data());
    const std::size_t n = text.size();
    for (std::size_t i = 0; i < n; ++i) {
        const unsigned char b = p[i];
        const bool upper =
            static_cast<unsigned char>(b - 'A') < 26 || (static_cast<unsigned char>(b - 192) < 31 && b != 215);
        p[i] = static_cast<unsigned char>(b + (upper ? 32 : 0));
    }
}

std::string_view TrimmedTrailingSpaces(std::string_view text) {
    const auto last = text.find_last_not_of(' ');
    return last == std::string_view::npos ? std::string_view() : text.substr(0, last + 1);
}

std::string_view TrimmedSpaces(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    return first == std::string_view::npos ? std::string_view() : TrimmedTrailingSpaces(text.substr(first));
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

bool IsWordChar(char c, bool digits, std::string_view extra) {
    const auto b = static_cast<unsigned char>(c);
    if (b >= 128) return IsLetterCode(b);
    if (IsLetterCode(b)) return true;
    if (b >= '0' && b <= '9' && digits) return true;
    return extra.find(c) != std::string_view::npos;
}

std::int32_t CountWordChars(std::string_view s, std::int32_t start, bool digits, std::string_view extra) {
    if (start < 1) return 0;
    const WordCharTable table(digits, extra);
    std::int32_t n = 0;
    for (std::size_t i = static_cast<std::size_t>(start) - 1; i < s.size() && n < kMaxWordRun && table[s[i]]; ++i) ++n;
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
    for (int b = 0; b < 256; ++b) m_table[b] = IsWordChar(static_cast<char>(b), digits, extra);
}

}  // namespace vesk
