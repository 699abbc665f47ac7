// SPDX-License-Identifier: GPL-3.0-or-later
// Every format in both layouts is compared byte for byte by the golden test; here, what its inputs never show.

#include <gtest/gtest.h>

#include "listing/LineComposer.h"

namespace vesk {
namespace {

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

}  // namespace
}  // namespace vesk
