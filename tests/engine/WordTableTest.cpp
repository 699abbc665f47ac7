#include <gtest/gtest.h>

#include <map>
#include <random>

#include "engine/ScanHarness.h"
#include "engine/WordTable.h"

namespace vesk::test {
namespace {

std::string NumberedWord(int n) {
    std::string word = "w";
    for (; n > 0; n /= 26) word += static_cast<char>('a' + n % 26);
    return word;
}

TEST(WordTable, LengthLimit) {
    WordTable table;
    table.Add(std::string(81, 'a'));
    table.Add("");
    EXPECT_EQ(table.DistinctWordCount(), 0);
    table.Add(std::string(80, 'a'));
    EXPECT_EQ(table.DistinctWordCount(), 1);
    table.SetListed(1, true);
    table.ComputeStatistics();
    EXPECT_EQ(table.Statistics().totalOccurrenceCount, 1);
}

TEST(WordTable, CaseAndAccentsShareTheFirstForm) {
    WordTable table;
    for (const char* word : {"cafe", "caf\xE9", "Caf\xC9", "The", "the", "THE",
                             "stra\xDF"
                             "e",
                             "strasse"})
        table.Add(word);
    table.Finish();
    ASSERT_EQ(table.DistinctWordCount(), 3);
    EXPECT_EQ(table.Word(1), "cafe");
    EXPECT_EQ(table.Frequency(1), 3);
    EXPECT_EQ(table.Word(2),
              "stra\xDF"
              "e");
    EXPECT_EQ(table.Key(2), "strasse");
    EXPECT_EQ(table.Frequency(2), 2);
    EXPECT_EQ(table.Word(3), "The");
    EXPECT_EQ(table.Key(3), "the");
    EXPECT_EQ(table.Frequency(3), 3);
}

TEST(WordTable, KeyOrderAfterFinish) {
    WordTable table;
    for (const char* word : {"b", "\xFE", "ab", "a",
                             "\xE9"
                             "a",
                             "e", "f", "c", "a"})
        table.Add(word);
    table.Finish();
    std::vector<std::string> keys;
    for (std::int64_t i = 1; i <= table.DistinctWordCount(); ++i) keys.emplace_back(table.Key(i));
    // Ordinal on unsigned bytes, a prefix first; "éa" sorts as its key "ea", þ after every ASCII letter.
    EXPECT_EQ(keys, (std::vector<std::string>{"a", "ab", "b", "c", "e", "ea", "f", "\xFE"}));
    EXPECT_EQ(table.Frequency(1), 2);
    // Adding after Finish still finds the records where they now are.
    table.Add("c");
    table.Add("aa");
    table.Finish();
    EXPECT_EQ(table.Key(2), "aa");
    EXPECT_EQ(table.Key(5), "c");
    EXPECT_EQ(table.Frequency(5), 2);
}

TEST(WordTable, ManyWordsAgainstAnOrderedMap) {
    WordTable table;
    std::map<std::string, std::int64_t> expected;
    std::mt19937 random(7);
    for (int i = 0; i < 300000; ++i) {
        const std::string word = NumberedWord(static_cast<int>(random() % 60000));
        table.Add(word);
        ++expected[word];
    }
    table.Finish();
    ASSERT_EQ(table.DistinctWordCount(), static_cast<std::int64_t>(expected.size()));
    std::int64_t i = 1;
    for (const auto& [word, frequency] : expected) {
        ASSERT_EQ(table.Word(i), word);
        ASSERT_EQ(table.Frequency(i), frequency);
        ++i;
    }
    table.Reset();
    EXPECT_EQ(table.DistinctWordCount(), 0);
    table.Add("again");
    EXPECT_EQ(table.Frequency(1), 1);
}

TEST(WordTable, OrderOfLongKeysSharingPrefixes) {
    // Keys of 1 to 12 characters over a few letters and þ (254), so that many share their first bytes.
    const std::string alphabet = "ab\xFE";
    std::mt19937 random(11);
    WordTable table;
    std::map<std::string, std::int64_t> expected;
    for (int i = 0; i < 20000; ++i) {
        std::string word(1 + random() % 12, 'a');
        for (char& c : word) c = alphabet[random() % alphabet.size()];
        table.Add(word);
        ++expected[word];
    }
    table.Finish();
    ASSERT_EQ(table.DistinctWordCount(), static_cast<std::int64_t>(expected.size()));
    std::int64_t i = 1;
    for (const auto& [word, frequency] : expected) {
        ASSERT_EQ(table.Key(i), word) << i;
        ASSERT_EQ(table.Frequency(i), frequency) << word;
        ++i;
    }
}

TEST(WordTable, Statistics) {
    WordTable table;
    for (const char* word : {"alpha", "alpha", "alpha", "be", "gamma-ray", "gamma-ray"}) table.Add(word);
    table.Finish();
    table.SetListed(3, false);  // gamma-ray
    table.ComputeStatistics();
    const WordStatistics& s = table.Statistics();
    EXPECT_EQ(s.listedWordCount, 2);
    EXPECT_EQ(s.excludedWordCount, 1);
    EXPECT_EQ(s.listedOccurrenceCount, 4);
    EXPECT_EQ(s.totalOccurrenceCount, 6);
    EXPECT_EQ(s.highestFrequency, 3);
    EXPECT_EQ(s.longestWordLength, 5);
}

}  // namespace
}  // namespace vesk::test
