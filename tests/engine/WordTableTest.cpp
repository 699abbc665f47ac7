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
    table.Record(1).Listed = true;
    table.ComputeStatistics();
    EXPECT_EQ(table.Statistics().TotalOccurrenceCount, 1);
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
    EXPECT_EQ(table.Record(1).Word, "cafe");
    EXPECT_EQ(table.Record(1).Frequency, 3);
    EXPECT_EQ(table.Record(2).Word,
              "stra\xDF"
              "e");
    EXPECT_EQ(table.Record(2).Key, "strasse");
    EXPECT_EQ(table.Record(2).Frequency, 2);
    EXPECT_EQ(table.Record(3).Word, "The");
    EXPECT_EQ(table.Record(3).Key, "the");
    EXPECT_EQ(table.Record(3).Frequency, 3);
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
    for (std::int64_t i = 1; i <= table.DistinctWordCount(); ++i) keys.push_back(table.Record(i).Key);
    // Ordinal on unsigned bytes, a prefix first; "éa" sorts as its key "ea", þ after every ASCII letter.
    EXPECT_EQ(keys, (std::vector<std::string>{"a", "ab", "b", "c", "e", "ea", "f", "\xFE"}));
    EXPECT_EQ(table.Record(1).Frequency, 2);
    // Adding after Finish still finds the records where they now are.
    table.Add("c");
    table.Add("aa");
    table.Finish();
    EXPECT_EQ(table.Record(2).Key, "aa");
    EXPECT_EQ(table.Record(5).Key, "c");
    EXPECT_EQ(table.Record(5).Frequency, 2);
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
        ASSERT_EQ(table.Record(i).Word, word);
        ASSERT_EQ(table.Record(i).Frequency, frequency);
        ++i;
    }
    table.Reset();
    EXPECT_EQ(table.DistinctWordCount(), 0);
    table.Add("again");
    EXPECT_EQ(table.Record(1).Frequency, 1);
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
        ASSERT_EQ(table.Record(i).Key, word) << i;
        ASSERT_EQ(table.Record(i).Frequency, frequency) << word;
        ++i;
    }
}

TEST(WordTable, Statistics) {
    WordTable table;
    for (const char* word : {"alpha", "alpha", "alpha", "be", "gamma-ray", "gamma-ray"}) table.Add(word);
    table.Finish();
    table.Record(3).Listed = false;  // gamma-ray
    table.ComputeStatistics();
    const WordStatistics& s = table.Statistics();
    EXPECT_EQ(s.ListedWordCount, 2);
    EXPECT_EQ(s.ExcludedWordCount, 1);
    EXPECT_EQ(s.ListedOccurrenceCount, 4);
    EXPECT_EQ(s.TotalOccurrenceCount, 6);
    EXPECT_EQ(s.HighestFrequency, 3);
    EXPECT_EQ(s.LongestWordLength, 5);
}

}  // namespace
}  // namespace vesk::test
