// SPDX-License-Identifier: GPL-3.0-or-later
// The parts a listing is made of: statistics, grouped numbers, composed lines and the ranking.
#include <gtest/gtest.h>

#include <clocale>
#include <random>

#include "ListingFixture.h"
#include "listing/LineComposer.h"
#include "listing/NumberFormat.h"
#include "listing/StatisticsText.h"

namespace vesk::test {
namespace {

WordStatistics Stats(std::int64_t listed, std::int64_t excluded, std::int64_t listedOccurrences, std::int64_t total) {
    WordStatistics s;
    s.listedWordCount = listed;
    s.excludedWordCount = excluded;
    s.listedOccurrenceCount = listedOccurrences;
    s.totalOccurrenceCount = total;
    return s;
}

std::string Lines(const StatisticsText& t) {
    return t.listedWords + "|" + t.excludedWords + "|" + t.listedOccurrences + "|" + t.totalOccurrences;
}

// Every figure right-aligned in a field one wider than the grouped total; the occurrence figures are left out
// of an interrupted count, and the listed ones when no word is listed.
TEST(Statistics, FiguresAlignedToTheTotal) {
    SetNumberSeparatorsForTesting(".", ",");
    EXPECT_EQ(Lines(ComposeStatistics(Stats(2002, 202, 2002, 2344), false)),
              "Number of words in this list: 2.002|Number of words excluded:   202|"
              "No. of occurrences in file of words in this list: 2.002|Total number of words in file: 2.344");
    EXPECT_EQ(Lines(ComposeStatistics(Stats(12, 938, 12, 950), true)),
              "Number of words in this list:  12|Number of words excluded: 938||");
    EXPECT_EQ(
        Lines(ComposeStatistics(Stats(0, 1234, 0, 1234), false)),
        "Number of words in this list:     0|Number of words excluded: 1.234||Total number of words in file: 1.234");
    EXPECT_EQ(ComposeStatistics(Stats(0, 12345, 0, 9), false).excludedWords, "Number of words excluded: 12.345");
    SetNumberSeparatorsForTesting("", "");
}

TEST_F(ListingTest, StatisticsAreShownRightAligned) {
    Fill({{"alpha", 3}, {"beta", 1, false}});
    w.lblTotalNumOccurrences.SetAlignment(Alignment::Left);  // as the progress bar leaves it
    w.ShowStatistics();
    EXPECT_EQ(w.lblTotalNumOccurrences.Caption(), "Total number of words in file: 4");
    EXPECT_EQ(w.lblTotalNumOccurrences.GetAlignment(), Alignment::Right);
    for (const Label* label :
         {&w.lblNumberOfWords, &w.lblNumWordsExcluded, &w.lblNumOccurrences, &w.lblTotalNumOccurrences})
        EXPECT_TRUE(label->Visible()) << label->Name();
    EXPECT_EQ(platform.repainted.back(), &w.Frame2);
}

TEST(NumberFormat, GroupsThousands) {
    SetNumberSeparatorsForTesting("", "");
    std::setlocale(LC_ALL, "C");  // defines no separator: "," and "." stand in
    std::string all;
    for (std::int64_t n : {std::int64_t{0}, std::int64_t{999}, std::int64_t{1000}, std::int64_t{123456},
                           std::int64_t{-1234567}, std::int64_t{-999}, INT64_MIN})
        all += FormatGrouped(n) + " ";
    EXPECT_EQ(all, "0 999 1,000 123,456 -1,234,567 -999 -9,223,372,036,854,775,808 ");
    all.clear();
    for (auto [value, decimals] :
         {std::pair{228.7314, 2}, {12345.5, 2}, {1234567.891, 2}, {0.996, 2}, {-0.001, 2}, {-1500.25, 1}, {999.5, 0}})
        all += FormatGroupedDecimal(value, decimals) + " ";
    EXPECT_EQ(all, "228.73 12,345.50 1,234,567.89 1.00 0.00 -1,500.2 1,000 ");

    SetNumberSeparatorsForTesting("\xA0", ",");
    EXPECT_EQ(FormatGrouped(1234567) + " " + FormatGroupedDecimal(12345.5, 2),
              "1\xA0"
              "234\xA0"
              "567 12\xA0"
              "345,50");
    SetNumberSeparatorsForTesting("", "");
}

// Every format in both layouts is compared byte for byte by the golden test; here, what its inputs never show.

TEST(LineComposer, ColumnsHaveAFloorAndFitTheWidestText) {
    WordStatistics stats;
    stats.highestFrequency = 1234567;
    stats.listedWordCount = 1000000;
    stats.longestWordLength = 14;
    EXPECT_EQ(ColumnWidths::For(stats, 6), (ColumnWidths{7, 7, 14}));
    EXPECT_EQ(ColumnWidths::For(stats, 8), (ColumnWidths{8, 8, 14}));
    EXPECT_EQ(ColumnWidths::For(WordStatistics{}, 0), (ColumnWidths{1, 1, 0}));
}

TEST(LineComposer, WordsAreTrimmedAndNeverCut) {
    WordRecord big;
    big.word = " extraordinary ";
    big.frequency = 1234567;
    big.rank = 12;
    const ColumnWidths narrow{6, 6, 6};
    EXPECT_EQ(LineComposer(6, ListLayout::Plain, narrow, 6).Line(big), "  extraordinary     12");
    EXPECT_EQ(LineComposer(7, ListLayout::Comma, narrow, 6).Line(big), "  extraordinary, 1234567");
    EXPECT_EQ(LineComposer(9, ListLayout::Comma, narrow, 6).Line(big), "extraordinary");
    // An index outside the list composes as the first format.
    EXPECT_EQ(LineComposer(-1, ListLayout::Plain, narrow, 13).Line(big), "     12  1234567  extraordinary");
    EXPECT_EQ(LineComposer(10, ListLayout::Plain, narrow, 13).Heading(),
              "   Rank    Freq  Word (longest has 13 characters)");
}

using RankingTest = ListingTest;

// Ranked one frequency at a time from the highest down, ties in key order; unlisted words have rank 0 and stay
// out of the chain, whatever an earlier ranking left.
TEST_F(RankingTest, AgreesWithRankingOneFrequencyAtATime) {
    std::mt19937 random(12345);
    for (int round = 0; round < 20; ++round) {
        std::vector<TestWord> words;
        for (int i = 0, n = static_cast<int>(random() % 300); i < n; ++i)
            words.push_back(
                {"w" + std::to_string(100000 + i), static_cast<std::int64_t>(random() % 9 + 1), random() % 5 != 0});
        Fill(words);
        for (std::int64_t r = 1; r <= w.Table.DistinctWordCount(); ++r) w.Table.SetRanking(r, 7, 1);  // stale
        w.RankByFrequency();
        std::vector<std::int64_t> expected, chain;
        for (std::int64_t f = 9; f >= 1; --f)
            for (std::size_t r = 1; r <= words.size(); ++r)
                if (words[r - 1].listed && words[r - 1].frequency == f)
                    expected.push_back(static_cast<std::int64_t>(r));
        for (std::int64_t r = w.FrequencyChainHead; r != 0 && chain.size() <= words.size();
             r = w.Table.NextByFrequency(r))
            chain.push_back(r);
        ASSERT_EQ(chain, expected);
        for (std::size_t r = 1; r <= words.size(); ++r) {
            const auto at = std::find(expected.begin(), expected.end(), static_cast<std::int64_t>(r));
            ASSERT_EQ(w.Table.Rank(static_cast<std::int64_t>(r)), at == expected.end() ? 0 : at - expected.begin() + 1);
            if (at == expected.end()) {
                ASSERT_EQ(w.Table.NextByFrequency(static_cast<std::int64_t>(r)), 0);
            }
        }
    }
}

}  // namespace
}  // namespace vesk::test
