// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "listing/LineComposer.h"

namespace vesk {
namespace {

WordRecord Gamma() {
    WordRecord r;
    r.word = "gamma";
    r.key = "gamma";
    r.frequency = 7;
    r.rank = 1;
    return r;
}

struct Expected {
    std::string heading;
    std::string line;
};

void ExpectAllFormats(ListLayout layout, const std::vector<Expected>& expected) {
    const ColumnWidths widths{6, 6, 6};
    for (int format = 0; format < kDisplayFormatCount; ++format) {
        SCOPED_TRACE("format " + std::to_string(format));
        const LineComposer composer(format, layout, widths, 5);
        EXPECT_EQ(composer.HasHeading(), format != 9);
        EXPECT_EQ(composer.Heading(), expected[static_cast<std::size_t>(format)].heading);
        EXPECT_EQ(composer.Line(Gamma()), expected[static_cast<std::size_t>(format)].line);
    }
}

TEST(LineComposerTest, ColumnWidthsHaveAFloorAndFitTheWidestText) {
    WordStatistics stats;
    stats.listedWordCount = 3;
    stats.highestFrequency = 7;
    stats.longestWordLength = 5;
    EXPECT_EQ(ColumnWidths::For(stats, 6), (ColumnWidths{6, 6, 6}));

    stats.highestFrequency = 1234567;
    stats.listedWordCount = 100000;
    stats.longestWordLength = 14;
    EXPECT_EQ(ColumnWidths::For(stats, 6), (ColumnWidths{6, 7, 14}));

    stats.listedWordCount = 1000000;
    EXPECT_EQ(ColumnWidths::For(stats, 6).rank, 7);
    EXPECT_EQ(ColumnWidths::For(stats, 3), (ColumnWidths{7, 7, 14}));
    EXPECT_EQ(ColumnWidths::For(WordStatistics{}, 0), (ColumnWidths{1, 1, 0}));
}

TEST(LineComposerTest, PlainLayoutOfEveryFormat) {
    const std::string note = " (longest has 5 characters)";
    ExpectAllFormats(ListLayout::Plain, {
                                            {"   Rank    Freq  Word" + note, "      1       7  gamma"},
                                            {"   Rank  Word      Freq", "      1  gamma        7"},
                                            {"   Rank    Freq", "      1       7"},
                                            {"   Rank  Word" + note, "      1  gamma"},
                                            {"   Freq    Rank", "      7       1"},
                                            {"    Freq  Word" + note, "       7  gamma"},
                                            {"  Word     Rank", "  gamma       1"},
                                            {"  Word     Freq", "  gamma       7"},
                                            {"Word" + note, "gamma"},
                                            {"", "gamma"},
                                        });
}

TEST(LineComposerTest, CommaLayoutOfEveryFormat) {
    const std::string note = " (longest has 5 characters)";
    ExpectAllFormats(ListLayout::Comma, {
                                            {"    Rank,    Freq,  Word" + note, "       1,       7,  gamma"},
                                            {"    Rank,  Word  ,    Freq", "       1,  gamma ,       7"},
                                            {"    Rank,    Freq", "       1,       7"},
                                            {"    Rank,  Word" + note, "       1,  gamma"},
                                            {"    Freq,    Rank", "       7,       1"},
                                            {"    Freq,  Word" + note, "       7,  gamma"},
                                            {"  Word  ,   Rank", "  gamma ,      1"},
                                            {"  Word  ,   Freq", "  gamma ,      7"},
                                            {"Word" + note, "gamma"},
                                            {"", "gamma"},
                                        });
}

TEST(LineComposerTest, WideColumnsAndTrimmedWords) {
    WordRecord big;
    big.word = " extraordinary ";  // spaces around a word never reach a line
    big.frequency = 1234567;
    big.rank = 12;
    const ColumnWidths widths{6, 7, 14};

    EXPECT_EQ(LineComposer(0, ListLayout::Plain, widths, 14).Heading(),
              "   Rank     Freq  Word (longest has 14 characters)");
    EXPECT_EQ(LineComposer(0, ListLayout::Plain, widths, 14).Line(big), "     12  1234567  extraordinary");
    EXPECT_EQ(LineComposer(1, ListLayout::Plain, widths, 14).Line(big), "     12  extraordinary   1234567");
    EXPECT_EQ(LineComposer(7, ListLayout::Comma, widths, 14).Line(big), "  extraordinary , 1234567");
    EXPECT_EQ(LineComposer(8, ListLayout::Plain, widths, 14).Line(big), "extraordinary");
    EXPECT_EQ(LineComposer(9, ListLayout::Comma, widths, 14).Line(big), "extraordinary");

    // A word longer than its column (statistics out of date) is written whole, never cut.
    EXPECT_EQ(LineComposer(6, ListLayout::Plain, ColumnWidths{6, 6, 6}, 6).Line(big), "  extraordinary     12");

    // An index outside the list composes as the first format.
    EXPECT_EQ(LineComposer(-1, ListLayout::Plain, ColumnWidths{6, 6, 6}, 5).Line(Gamma()), "      1       7  gamma");
}

}  // namespace
}  // namespace vesk
