// SPDX-License-Identifier: GPL-3.0-or-later
// Keys, vowels and lengths of words in any script: the keys of the Western code page held against the tables
// they always came from, then what a reader of other languages expects of keys, filters and order.

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "engine/CommonWords.h"
#include "engine/Encoding.h"
#include "engine/Normalisation.h"
#include "engine/UnicodeKeys.h"
#include "engine/WordFilters.h"
#include "engine/WordTable.h"

namespace vesk::test {
namespace {

// The key of a word of Windows-1252 bytes as it was built before text was Unicode: the two-letter
// expansions, the single-letter folds, then the lower case of the code page.
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
            const bool upper = (b >= 'A' && b <= 'Z') || (b >= 192 && b <= 222 && b != 215);
            key += static_cast<char>(upper ? b + 32 : b);
        }
    }
    return key;
}

// The nine letters that the code page's table never reached, being separators there.
const std::string kNineLetters = "\x8A\x8C\x8E\x9A\x9C\x9E\x9F\x83\x88";

std::string RandomWord(std::mt19937& random, const std::string& alphabet) {
    std::string word;
    for (std::size_t n = 1 + random() % 12; word.size() < n;) word += alphabet[random() % alphabet.size()];
    return word;
}

// Every key a Windows-1252 word gives is the key it had, in the same order.
TEST(UnicodeKeys, WesternWordsKeepTheirKeysAndOrder) {
    std::string anyByte, wordChars = "0123456789-'_:\\/.@";
    for (int b = 1; b < 256; ++b)
        if (kNineLetters.find(static_cast<char>(b)) == std::string::npos) anyByte += static_cast<char>(b);
    for (int b = 0; b < 256; ++b)
        if (((b | 32) >= 'a' && (b | 32) <= 'z') || (b >= 192 && b != 215 && b != 247))
            wordChars += static_cast<char>(b);
    std::mt19937 random(20261207);
    std::string key;
    for (int round = 0; round < 20000; ++round) {
        const std::string word = RandomWord(random, round % 2 == 0 ? anyByte : wordChars);
        const std::string utf8 = Cp1252ToUtf8(word);
        const std::string expected = Cp1252ToUtf8(OldKey(word));
        ASSERT_EQ(WordKey(utf8), expected) << word;
        key = "stale";
        ASSERT_EQ(WordKeyDiffers(utf8, key) ? key : utf8, expected) << word;
        if (round % 2 == 1) {
            const std::string other = RandomWord(random, wordChars);
            ASSERT_EQ(OldKey(word) < OldKey(other), WordKey(utf8) < WordKey(Cp1252ToUtf8(other)))
                << word << " " << other;
        }
    }
}

TEST(UnicodeKeys, AccentsFoldWhereTheyAreAccents) {
    const std::vector<std::pair<std::string, std::string>> keys = {
        {"łódź", "lodz"},
        {"ŁÓDŹ", "lodz"},
        {"Škoda", "skoda"},
        {"zażółć", "zazolc"},
        {"gęślą", "gesla"},
        {"ŘEŘICHA", "rericha"},
        {"őz", "oz"},
        {"Καλημέρα", "καλημερα"},
        {"ΚΑΛΗΜΕΡΑ", "καλημερα"},
        {"ΐ", "ι"},
        {"ещё", "еще"},
        {"ЙОД", "иод"},
        {"Œuvre", "oeuvre"},
        {"œuvre", "oeuvre"},
        {"STRAẞE", "strasse"},
        {"Đuro", "duro"},
        {"ılık", "ilik"},
        {"q\u0303", "q"},
        {"e\u0301\u0323x", "ex"},  // marks after Latin letters
        {"\u212A", "k"},
        {"\u01C4", "\u01C6"},
        {"\u01C5", "\u01C6"},  // Kelvin sign; DŽ Dž dž
        {"\u1E9E", "ss"},
        {"ǣ", "æ"},  // only the old tables expand æ
    };
    for (const auto& [word, key] : keys) EXPECT_EQ(WordKey(word), key) << word;

    // Where marks tell words apart, they stay: Thai tone marks, Japanese voicing, Hebrew points.
    const std::vector<std::pair<std::string, std::string>> apart = {{"ข้าว", "ขาว"}, {"かぎ", "かき"}, {"שָׁלוֹם", "שלום"}};
    for (const auto& [one, other] : apart) EXPECT_NE(WordKey(one), WordKey(other)) << one;
    std::string key = "untouched";
    for (const char* own : {"ข้าว", "かぎ", "ключ", "σοφια", "中文"}) {
        EXPECT_FALSE(WordKeyDiffers(own, key)) << own;
        EXPECT_EQ(key, "untouched");
    }
    EXPECT_EQ(WordKey("οδος"), WordKey("οδοσ"));  // final sigma
}

TEST(WordFilters, VowelsAndRepetitionsInAnyScript) {
    const std::vector<std::pair<std::string, bool>> noVowel = {
        {"nth\u00D7", true}, {"crwth", true}, {"ść", true},   {"n\u00E9th", false}, {"RHYTHM", false},
        {"\u00C9", false},   {"ýk", true},    {"ąk", false},  {"ůk", false},        {"Ÿk", false},
        {"ŷk", false},       {"ǽ", false},  // ý was never a vowel; letters above U+00FF by their folding
        {"κλπ", false},      {"вк", false},   {"שלם", false}, {"中", false},        {"ஃ", false},  // other scripts stay
    };
    for (const auto& [word, expected] : noVowel) EXPECT_EQ(HasNoVowelOrY(word), expected) << word;

    const std::vector<std::pair<std::string, bool>> repetitions = {
        {"zzz", true}, {"ааа", true}, {"ωωω", true}, {"éé", true},  {"z", false},
        {"ω", false},  {"Zz", false}, {"éè", false}, {"ée", false}, {"ωώ", false}};
    for (const auto& [word, expected] : repetitions) EXPECT_EQ(IsRepetition(word), expected) << word;

    // Plain text is judged on its first characters, not bytes.
    EXPECT_FALSE(IsPlainText(
        [] {
            std::string t;
            for (int i = 0; i < 2999; ++i) t += "é";
            return t + "\f";
        }(),
        3000));
    EXPECT_TRUE(IsPlainText(
        [] {
            std::string t;
            for (int i = 0; i < 3000; ++i) t += "é";
            return t + "\f";
        }(),
        3000));
}

// A final s goes after a consonant of at least three characters; a Western vowel before it keeps it.
TEST(Normalisation, FinalSCountsCharacters) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"cafés", "cafés"}, {"äs", "äs"}, {"bäts", "bät"}, {"łąks", "łąk"}, {"łąs", "łą"}};
    for (const auto& [run, expected] : cases) EXPECT_EQ(NormaliseWord(run, true, true), expected) << run;
}

std::string Repeat(const std::string& text, int times) {
    std::string out;
    for (int i = 0; i < times; ++i) out += text;
    return out;
}

// Up to 80 characters are counted, whatever bytes they take; keys in code point order; lengths in characters.
TEST(WordTable, CharactersNotBytes) {
    WordTable table;
    const std::string longest = Repeat("ж", 80), tooLong = Repeat("ж", 81), wide = Repeat("𝔞", 80);
    const std::string expanding = Repeat("Ä", 80);  // a key twice the word's characters
    EXPECT_NE(table.Add(longest), 0u);
    EXPECT_EQ(table.Add(tooLong), 0u);
    EXPECT_NE(table.Add(wide), 0u);
    EXPECT_NE(table.Add(expanding), 0u);
    for (const char* word : {"zebra", "Łódź", "łódź", "Ab", "ab", "ą", "αβ", "ΑΒ", "ǅ", "ǆ"}) table.Add(word);
    table.Finish();

    std::vector<std::pair<std::string, std::int64_t>> keys;
    for (std::int64_t r = 1; r <= table.DistinctWordCount(); ++r) {
        EXPECT_EQ(table.Key(r), WordKey(table.Word(r)));
        keys.emplace_back(table.Key(r), table.Frequency(r));
    }
    const std::vector<std::pair<std::string, std::int64_t>> expected = {
        {"a", 1},      {"ab", 2}, {Repeat("ae", 80), 1}, {"lodz", 2}, {"zebra", 1},
        {"\u01C6", 2}, {"αβ", 2}, {longest, 1},          {wide, 1}};
    EXPECT_EQ(keys, expected);

    table.ComputeStatistics();
    EXPECT_EQ(table.Statistics().longestWordLength, 80);

    const std::string name = "łódź", ascii = "abcd";
    for (std::size_t min : {3u, 4u, 5u}) {
        WordTable lengths;
        lengths.Add(name);
        lengths.Add(ascii);
        lengths.Finish();
        FilterOptions options;
        options.minLength = min;
        options.maxLength = 4;
        MarkListedWords(lengths, options, CommonWordSet());
        EXPECT_EQ(lengths.IsListed(1), min <= 4);
        EXPECT_EQ(lengths.IsListed(2), lengths.IsListed(1));
    }
}

}  // namespace
}  // namespace vesk::test
