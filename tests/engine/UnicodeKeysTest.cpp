// SPDX-License-Identifier: GPL-3.0-or-later
// Keys, vowels and lengths of words in any script: the keys of the Western code page held against the tables
// they always came from, then what a reader of other languages expects of keys, filters and order.

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <utility>
#include <vector>

#include "engine/CommonWords.h"
#include "engine/Encoding.h"
#include "engine/Normalisation.h"
#include "engine/WordFilters.h"
#include "engine/WordTable.h"

namespace vesk::test {
namespace {

// The key of a word of Windows-1252 bytes as it was built before text was Unicode.
std::string OldKey(const std::string& word) {
    const std::string twoFrom = "\x8C\xC4\xC6\xD6\xDC\xE4\xE6\xF6\xFC\xDF", twoTo = "OeAeAeOeUeaeaeoeuess";
    const std::string oneFrom =
        "\x8A\x9F\xC0\xC1\xC2\xC3\xC4\xC5\xC7\xC8\xC9\xCA\xCB\xCC\xCD\xCE\xCF\xD0\xD1\xD2\xD3\xD4\xD5\xD6\xD8\xD9"
        "\xDA\xDB\xDC\xDD\x9A\xFF\xE0\xE1\xE2\xE3\xE4\xE5\xE7\xE8\xE9\xEA\xEB\xEC\xED\xEE\xEF\xF1\xF2\xF3\xF4\xF5"
        "\xF6\xF8\xF9\xFA\xFB\xFC\xFD";
    const std::string oneTo = "SYAAAAAACEEEEIIIIDNOOOOOOUUUUYsyaaaaaaceeeeiiiinoooooouuuuy";
    std::string key;
    for (char c : word) {
        const auto n = twoFrom.find(c);
        for (char e : n == std::string::npos ? std::string(1, c) : twoTo.substr(2 * n, 2)) {
            const auto m = oneFrom.find(e);
            const auto b = static_cast<unsigned char>(m == std::string::npos ? e : oneTo[m]);
            key += static_cast<char>((b >= 'A' && b <= 'Z') || (b >= 192 && b <= 222 && b != 215) ? b + 32 : b);
        }
    }
    return key;
}

std::string Repeat(const std::string& text, int times) {
    std::string out;
    while (times-- > 0) out += text;
    return out;
}

// Every key of a Windows-1252 word (but for the nine letters the code page kept as separators) is the key it
// had, and keys of words made of its word characters keep their order.
TEST(UnicodeKeys, WesternWordsKeepTheirKeysAndOrder) {
    const std::string nine = "\x8A\x8C\x8E\x9A\x9C\x9E\x9F\x83\x88";
    std::string anyByte, wordChars = "0123456789-'_:\\/.@";
    for (int b = 1; b < 256; ++b) {
        if (nine.find(static_cast<char>(b)) == std::string::npos) anyByte += static_cast<char>(b);
        if (((b | 32) >= 'a' && (b | 32) <= 'z') || (b >= 192 && b != 215 && b != 247))
            wordChars += static_cast<char>(b);
    }
    std::mt19937 random(20261207);
    const auto randomWord = [&random](const std::string& alphabet) {
        std::string word(1 + random() % 12, ' ');
        for (char& c : word) c = alphabet[random() % alphabet.size()];
        return word;
    };
    std::string key;
    for (int round = 0; round < 20000; ++round) {
        const std::string word = randomWord(round % 2 == 0 ? anyByte : wordChars), other = randomWord(wordChars);
        const std::string utf8 = Cp1252ToUtf8(word), expected = Cp1252ToUtf8(OldKey(word));
        ASSERT_EQ(WordKeyDiffers(utf8, key) ? key : utf8, expected) << word;
        if (round % 2 == 1) {
            ASSERT_EQ(OldKey(word) < OldKey(other), expected < WordKey(Cp1252ToUtf8(other))) << word << " " << other;
        }
    }
}

TEST(UnicodeKeys, AccentsFoldWhereTheyAreAccents) {
    // Only the old tables expand æ: ǣ folds to it.
    // clang-format off
    const std::vector<std::pair<std::string, std::string>> keys = {
        {"łódź", "lodz"}, {"ŁÓDŹ", "lodz"}, {"Škoda", "skoda"}, {"zażółć", "zazolc"}, {"ŘEŘICHA", "rericha"},
        {"Καλημέρα", "καλημερα"}, {"ΚΑΛΗΜΕΡΑ", "καλημερα"}, {"ΟΔΟΣ", "οδοσ"}, {"οδος", "οδοσ"}, {"ΐ", "ι"},
        {"ещё", "еще"}, {"ЙОД", "иод"}, {"Œuvre", "oeuvre"}, {"œuvre", "oeuvre"}, {"STRAẞE", "strasse"},
        {"Đuro", "duro"}, {"ılık", "ilik"}, {"q\u0303", "q"}, {"e\u0301\u0323x", "ex"}, {"\u212A", "k"},
        {"\u01C4", "\u01C6"}, {"\u01C5", "\u01C6"}, {"ǣ", "æ"}};
    // clang-format on
    for (const auto& [word, key] : keys) EXPECT_EQ(WordKey(word), key) << word;
    // Where marks tell words apart they stay: Thai tone marks, Japanese voicing, Hebrew points.
    for (auto [one, other] : {std::pair{"ข้าว", "ขาว"}, {"かぎ", "かき"}, {"שָׁלוֹם", "שלום"}})
        EXPECT_NE(WordKey(one), WordKey(other)) << one;
    std::string key = "untouched";
    for (const char* own : {"ข้าว", "かぎ", "ключ", "σοφια", "中文"}) EXPECT_FALSE(WordKeyDiffers(own, key)) << own;
    EXPECT_EQ(key, "untouched");
}

TEST(WordFilters, VowelsRepetitionsAndLengthsInAnyScript) {
    // ý was never a vowel; letters above U+00FF are vowels by their folding; other scripts always stay.
    const std::vector<std::pair<std::string, bool>> noVowel = {
        {"nth\u00D7", true}, {"crwth", true}, {"ść", true},  {"ýk", true},   {"n\u00E9th", false}, {"RHYTHM", false},
        {"\u00C9", false},   {"ąk", false},   {"ůk", false}, {"Ÿk", false},  {"ŷk", false},        {"ǽ", false},
        {"κλπ", false},      {"вк", false},   {"же", false}, {"שלם", false}, {"中", false}};
    for (const auto& [word, expected] : noVowel) EXPECT_EQ(HasNoVowelOrY(word), expected) << word;
    const std::vector<std::pair<std::string, bool>> repetitions = {
        {"ааа", true}, {"Zz", false}, {"éé", true}, {"ω", false}, {"éè", false}, {"ée", false}, {"ωώ", false}};
    for (const auto& [word, expected] : repetitions) EXPECT_EQ(IsRepetition(word), expected) << word;
    // A final s after three characters or more, once trailing marks are gone; a Western vowel before it keeps it.
    for (auto [run, expected] : {std::pair{"cafés", "cafés"}, {"ąs", "ąs"}, {"its:", "it"}, {"łąs", "łą"}})
        EXPECT_EQ(NormaliseWord(run, true, true), expected) << run;
    // Plain text is judged on its first characters, not bytes.
    EXPECT_FALSE(IsPlainText(Repeat("é", 2999) + "\f", 3000));
    EXPECT_TRUE(IsPlainText(Repeat("é", 3000) + "\f", 3000));
}

// Up to 80 characters, whatever bytes they take; keys in code point order; lengths in characters.
TEST(WordTable, CharactersNotBytes) {
    WordTable table;
    EXPECT_EQ(table.Add(Repeat("ж", 81)), 0u);
    for (const std::string& word : {Repeat("ж", 80), Repeat("𝔞", 80), Repeat("Ä", 80), std::string("zebra")})
        EXPECT_NE(table.Add(word), 0u);
    for (const char* word : {"Łódź", "łódź", "Ab", "ab", "ą", "αβ", "ΑΒ", "ǅ", "ǆ"}) table.Add(word);
    table.Finish();
    std::string keys;
    for (std::int64_t r = 1; r <= table.DistinctWordCount(); ++r)
        keys += std::string(table.Key(r)) + "=" + std::to_string(table.Frequency(r)) + " ";
    EXPECT_EQ(keys, "a=1 ab=2 " + Repeat("ae", 80) + "=1 lodz=2 zebra=1 \u01C6=2 αβ=2 " + Repeat("ж", 80) + "=1 " +
                        Repeat("𝔞", 80) + "=1 ");
    table.ComputeStatistics();
    EXPECT_EQ(table.Statistics().longestWordLength, 80);

    FilterOptions options;
    options.minLength = options.maxLength = 4;
    MarkListedWords(table, options, CommonWordSet());
    EXPECT_TRUE(table.IsListed(4));  // łódź
}

}  // namespace
}  // namespace vesk::test
