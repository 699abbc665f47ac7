// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/Normalisation.h"

#include <array>
#include <cstdint>
#include <vector>

#include "engine/CharClasses.h"

namespace vesk {

namespace {

// Windows-1252 codes. Two-letter forms: Œ Ä Æ Ö Ü ä æ ö ü ß.
constexpr std::string_view kTwoLetterSource = "\x8C\xC4\xC6\xD6\xDC\xE4\xE6\xF6\xFC\xDF";
constexpr std::string_view kTwoLetterReplacement = "OeAeAeOeUeaeaeoeuess";
// Š Ÿ À-Å Ç È-Ë Ì-Ï Ð Ñ Ò-Ö Ø Ù-Ü Ý š ÿ à-å ç è-ë ì-ï ñ ò-ö ø ù-ü ý
constexpr std::string_view kSingleLetterSource =
    "\x8A\x9F\xC0\xC1\xC2\xC3\xC4\xC5\xC7\xC8\xC9\xCA\xCB\xCC\xCD\xCE\xCF\xD0\xD1\xD2\xD3\xD4\xD5\xD6\xD8\xD9\xDA"
    "\xDB\xDC\xDD\x9A\xFF\xE0\xE1\xE2\xE3\xE4\xE5\xE7\xE8\xE9\xEA\xEB\xEC\xED\xEE\xEF\xF1\xF2\xF3\xF4\xF5\xF6\xF8"
    "\xF9\xFA\xFB\xFC\xFD";
constexpr std::string_view kSingleLetterReplacement = "SYAAAAAACEEEEIIIIDNOOOOOOUUUUYsyaaaaaaceeeeiiiinoooooouuuuy";
static_assert(kSingleLetterSource.size() == 59 && kSingleLetterReplacement.size() == 59);
static_assert(kTwoLetterReplacement.size() == 2 * kTwoLetterSource.size());

// A E I O U a e i o u À-Æ È-Ï Ò-Ö Ø Ù-Ü à-æ è-ï ò-ö ø ù-ü
constexpr std::string_view kVowels =
    "AEIOUaeiou\xC0\xC1\xC2\xC3\xC4\xC5\xC6\xC8\xC9\xCA\xCB\xCC\xCD\xCE\xCF\xD2\xD3\xD4\xD5\xD6\xD8\xD9\xDA\xDB\xDC"
    "\xE0\xE1\xE2\xE3\xE4\xE5\xE6\xE8\xE9\xEA\xEB\xEC\xED\xEE\xEF\xF2\xF3\xF4\xF5\xF6\xF8\xF9\xFA\xFB\xFC";

constexpr std::string_view kStems = "aren couldn didn doesn hadn hasn isn shouldn wasn weren wouldn ";
constexpr std::string_view kStemList[] = {"aren", "couldn",  "didn", "doesn", "hadn",  "hasn",
                                          "isn",  "shouldn", "wasn", "weren", "wouldn"};

// Up to seven characters and their number in one value.
std::uint64_t PackShort(std::string_view text) {
    std::uint64_t packed = text.size();
    for (char c : text) packed = (packed << 8) | static_cast<unsigned char>(c);
    return packed;
}

struct FoldTables {
    // Every ending of every stem, packed.
    std::vector<std::uint64_t> stemEndings;
    // FoldAccents of one character: one or two characters.
    std::array<std::array<char, 2>, 256> fold{};
    std::array<unsigned char, 256> foldLength{};
    // The key of one character (lower case of its folding) and whether it is the character itself.
    std::array<std::array<char, 2>, 256> key{};
    std::array<unsigned char, 256> keyLength{};
    std::array<bool, 256> keyIdentity{};
    std::array<bool, 256> vowel{};
    std::array<bool, 256> lowerVowel{};

    FoldTables() {
        for (int b = 0; b < 256; ++b) {
            const char c = static_cast<char>(b);
            std::string folded;
            const auto two = kTwoLetterSource.find(c);
            if (two != std::string_view::npos) {
                folded = kTwoLetterReplacement.substr(2 * two, 2);
            } else {
                const auto one = kSingleLetterSource.find(c);
                folded = std::string(1, one != std::string_view::npos ? kSingleLetterReplacement[one] : c);
            }
            foldLength[b] = static_cast<unsigned char>(folded.size());
            keyLength[b] = foldLength[b];
            for (std::size_t i = 0; i < folded.size(); ++i) {
                fold[b][i] = folded[i];
                key[b][i] = LowerChar(folded[i]);
            }
            keyIdentity[b] = keyLength[b] == 1 && key[b][0] == c;
            vowel[b] = kVowels.find(c) != std::string_view::npos;
        }
        for (char v : kVowels) lowerVowel[static_cast<unsigned char>(LowerChar(v))] = true;
        for (std::string_view stem : kStemList)
            for (std::size_t k = 1; k <= stem.size(); ++k)
                stemEndings.push_back(PackShort(stem.substr(stem.size() - k)));
    }
};

const FoldTables kTables;

inline const FoldTables& Tables() { return kTables; }

bool EqualsLower(std::string_view word, std::string_view lowerText) {
    if (word.size() != lowerText.size()) return false;
    for (std::size_t i = 0; i < word.size(); ++i)
        if (LowerChar(word[i]) != lowerText[i]) return false;
    return true;
}

}  // namespace

std::string FoldAccents(std::string_view word) {
    const auto& t = Tables();
    std::string out;
    out.reserve(word.size());
    for (char c : word) {
        const auto b = static_cast<unsigned char>(c);
        out.append(t.fold[b].data(), t.foldLength[b]);
    }
    return out;
}

std::string WordKey(std::string_view word) {
    std::string key;
    if (!WordKeyDiffers(word, key)) key.assign(word);
    return key;
}

bool WordKeyDiffers(std::string_view word, std::string& key) {
    const auto& t = Tables();
    std::size_t i = 0;
    while (i < word.size() && t.keyIdentity[static_cast<unsigned char>(word[i])]) ++i;
    if (i == word.size()) return false;
    key.assign(word.data(), i);
    for (; i < word.size(); ++i) {
        const auto b = static_cast<unsigned char>(word[i]);
        key.append(t.key[b].data(), t.keyLength[b]);
    }
    return true;
}

bool IsVowel(std::string_view text, bool lowerListOnly) {
    if (text.empty()) return false;
    const auto b = static_cast<unsigned char>(text[0]);
    return lowerListOnly ? Tables().lowerVowel[b] : Tables().vowel[b];
}

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
    for (std::uint64_t ending : Tables().stemEndings)
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
    if (dropFinalS && n >= 3 && run[n - 1] == 's') {
        const char before = run[n - 2];
        const std::string_view w = run.substr(0, n);
        if (before != 's' && before != '\'' && !Tables().lowerVowel[static_cast<unsigned char>(before)] &&
            !EqualsLower(w, "mathematics") && !EqualsLower(w, "maths"))
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
