// SPDX-License-Identifier: GPL-3.0-or-later
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
