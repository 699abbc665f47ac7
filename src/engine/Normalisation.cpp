// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/Normalisation.h"

#include <cstdint>
#include <vector>

#include "engine/CharClasses.h"
#include "engine/Encoding.h"

namespace vesk {

namespace {

// The lower-case vowels before which a final s stays: a e i o u à-æ è-ï ò-ö ø ù-ü.
constexpr std::string_view kLowerVowels =
    "aeiou\xE0\xE1\xE2\xE3\xE4\xE5\xE6\xE8\xE9\xEA\xEB\xEC\xED\xEE\xEF\xF2\xF3\xF4\xF5\xF6\xF8\xF9\xFA\xFB\xFC";

constexpr std::string_view kStems = "aren couldn didn doesn hadn hasn isn shouldn wasn weren wouldn ";
constexpr std::string_view kStemList[] = {"aren", "couldn",  "didn", "doesn", "hadn",  "hasn",
                                          "isn",  "shouldn", "wasn", "weren", "wouldn"};

// Up to seven characters and their number in one value.
std::uint64_t PackShort(std::string_view text) {
    std::uint64_t packed = text.size();
    for (char c : text) packed = (packed << 8) | static_cast<unsigned char>(c);
    return packed;
}

// Every ending of every stem, packed.
const std::vector<std::uint64_t>& StemEndings() {
    static const std::vector<std::uint64_t> endings = [] {
        std::vector<std::uint64_t> packed;
        for (std::string_view stem : kStemList)
            for (std::size_t k = 1; k <= stem.size(); ++k) packed.push_back(PackShort(stem.substr(stem.size() - k)));
        return packed;
    }();
    return endings;
}

bool EqualsLower(std::string_view word, std::string_view lowerText) {
    if (word.size() != lowerText.size()) return false;
    for (std::size_t i = 0; i < word.size(); ++i)
        if (LowerChar(word[i]) != lowerText[i]) return false;
    return true;
}

bool IsContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// Whether the character that ends at byte `end` of the UTF-8 text is one of the lower-case vowels.
bool LowerVowelEndsAt(std::string_view text, std::size_t end) {
    std::size_t start = end - 1;
    while (start > 0 && IsContinuationByte(text[start])) --start;
    char32_t c = 0;
    // A byte that is not UTF-8 is a character of the Western code page.
    if (DecodeUtf8(text.substr(start, end - start), c) != end - start) c = static_cast<unsigned char>(text[end - 1]);
    return c < 0x100 && kLowerVowels.find(static_cast<char>(c)) != std::string_view::npos;
}

}  // namespace

bool IsContractionStem(std::string_view word) {
    // A substring test on purpose: the end of any stem ("n", "en", "ldn", ...) matches too.
    if (word.empty()) return true;
    // Every space of the list follows an "n", so only a word ending in "n" can match.
    if (word.size() + 1 > kStems.size() || LowerChar(word.back()) != 'n') return false;
    char buffer[64];
    bool hasSpace = false;
    for (std::size_t i = 0; i < word.size(); ++i) {
        buffer[i] = LowerChar(word[i]);
        hasSpace = hasSpace || buffer[i] == ' ';
    }
    buffer[word.size()] = ' ';
    const std::string_view lowered(buffer, word.size());
    if (hasSpace) return kStems.find(std::string_view(buffer, word.size() + 1)) != std::string_view::npos;
    // Without a space inside, the word can only match the end of a single stem.
    if (word.size() > 7) return false;
    const std::uint64_t packed = PackShort(lowered);
    for (std::uint64_t ending : StemEndings())
        if (ending == packed) return true;
    return false;
}

std::size_t NormalisedLength(std::string_view run, bool dropFinalS, bool allowApostrophes) {
    std::size_t n = run.size();
    if (n == 0) return 0;
    auto isTrailing = [](char c) { return c == '-' || c == '\'' || c == '_' || c == ':' || c == '.'; };
    while (n > 0 && isTrailing(run[n - 1])) {
        for (char strip : {'-', '\'', '_', ':', '.'})
            while (n > 0 && run[n - 1] == strip) --n;
    }
    // At least three characters, the last an "s" after neither "s", "'" nor a lower-case vowel.
    if (dropFinalS && n >= 3 && run[n - 1] == 's' && Utf8Length(run.substr(0, n)) >= 3) {
        const char before = run[n - 2];
        const std::string_view w = run.substr(0, n);
        if (before != 's' && before != '\'' && !LowerVowelEndsAt(run, n - 1) && !EqualsLower(w, "mathematics") &&
            !EqualsLower(w, "maths"))
            --n;
    }
    if (!allowApostrophes && n > 0) {
        const char last = run[n - 1];
        if (n == 1 && (last == 's' || last == 'S' || last == 't' || last == 'T')) return 0;
        // Only a word ending in "n" can be the end of a stem (the empty word has been answered above).
        if ((last == 'n' || last == 'N') && IsContractionStem(run.substr(0, n))) return 0;
    }
    return n;
}

std::string NormaliseWord(std::string_view run, bool dropFinalS, bool allowApostrophes) {
    return std::string(run.substr(0, NormalisedLength(run, dropFinalS, allowApostrophes)));
}

}  // namespace vesk
