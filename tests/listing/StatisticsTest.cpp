// SPDX-License-Identifier: GPL-3.0-or-later
#include <clocale>

#include "ListingFixture.h"
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

}  // namespace
}  // namespace vesk::test
