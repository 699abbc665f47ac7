// SPDX-License-Identifier: GPL-3.0-or-later
// How a listing runs, and the parts it is made of; whole listings are the golden test's.

#include <gtest/gtest.h>

#include <clocale>
#include <cstdint>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "engine/CharClasses.h"
#include "listing/LineComposer.h"
#include "listing/ListingPass.h"
#include "listing/NumberFormat.h"
#include "listing/StatisticsText.h"
#include "support/ProgramFixture.h"

namespace vesk::test {
namespace {

struct TestWord {
    std::string word;
    std::int64_t frequency;
    bool listed = true;
};

class ListingTest : public ProgramFixture {
  protected:
    MainWindow& w = main;
    ParamsWindow& p = params;

    void SetUp() override { w.FillComboBoxes(); }

    // Words in key order, each with a frequency of at least 1.
    void Fill(const std::vector<TestWord>& words) {
        w.Table.Reset();
        for (const TestWord& t : words) {
            const std::uint32_t record = w.Table.Add(t.word);
            for (std::int64_t k = 1; k < t.frequency; ++k) w.Table.CountAgain(record);
        }
        w.Table.Finish();
        for (std::size_t i = 0; i < words.size(); ++i)
            w.Table.SetListed(static_cast<std::int64_t>(i) + 1, words[i].listed);
        w.Table.ComputeStatistics();
        w.RankByFrequency();
    }
    // alpha 3, beta 3, gamma 7: the usual small table.
    void FillGreek() { Fill({{"alpha", 3}, {"beta", 3}, {"gamma", 7}}); }
    // Stops the listing at the given pump.
    void StopAt(long pump) {
        platform.onPump = [this, pump] {
            if (platform.PumpCount() == pump) w.StopRequested = true;
        };
    }
    std::string SetOutputFile(const std::string& path) {
        w.txbFile[1].SetText(path);
        return path;
    }
};

using ListResultsTest = ListingTest;

const std::string kGreek =
    "   Rank    Freq  Word (longest has 5 characters)\r\n"
    "      1       7  gamma\r\n"
    "      2       3  alpha\r\n"
    "      3       3  beta\r\n";
const std::string kGreekTwoWords = kGreek.substr(0, kGreek.find("      3       3  beta"));

TEST_F(ListResultsTest, BoxPassTwirlsAndYieldsAfterEveryRecord) {
    FillGreek();
    std::string twirls;
    w.lblTwirler.changed.Connect([&] { twirls += w.lblTwirler.Caption(); });
    w.StopRequested = true;  // left over from an earlier run: discarded
    w.ListResults();
    EXPECT_EQ(w.txbOutput.Text(), kGreek);
    EXPECT_EQ(w.txbOutput.SelStart(), 0u);
    EXPECT_EQ(platform.PumpCount(), 3);
    // The heading is record 0, then gamma (3), alpha (1), beta (2).
    EXPECT_EQ(twirls, "\xC3\x9C\xC3\x9E\xC3\x9D\xC3\x9F");  // U+00DC, U+00DE, U+00DD, U+00DF
    EXPECT_EQ(std::count(platform.repainted.begin(), platform.repainted.end(), &w.lblTwirler), 4);

    w.cboWordOrder.SetListIndex(1);  // no count yet: the list only moves the focus
    EXPECT_EQ(w.txbOutput.Text(), kGreek);
}

TEST_F(ListResultsTest, AlphabeticalPassVisitsUnlistedRecordsAndFollowsTheEnd) {
    std::vector<TestWord> words;
    for (int i = 0; i < 25; ++i) words.push_back({std::string("w") + static_cast<char>('a' + i), 1, i != 4});
    Fill(words);
    w.cboWordOrder.SetListIndex(1);
    std::vector<std::size_t> carets;
    w.txbOutput.caretMoved.Connect([&] { carets.push_back(w.txbOutput.SelStart()); });
    w.ListResults();
    EXPECT_EQ(platform.PumpCount(), 25);  // every record, listed or not
    // The end is followed after records 10 and 20, then the view returns to the top.
    const std::size_t line = std::string("     24       1  wx\r\n").size(), heading = w.txbOutput.Text().find('\n') + 1;
    EXPECT_EQ(carets, (std::vector<std::size_t>{heading + 9 * line, heading + 19 * line, 0}));
    // A tenth of the words, rounded half to even, and at least 10.
    for (auto [words, interval] : {std::pair{0, 10}, {105, 10}, {115, 12}, {116, 12}, {123456, 12346}})
        EXPECT_EQ(ScrollInterval(words), interval) << words;
}

// A file needs listed words and output enabled; an existing one is replaced, or first asked about.
TEST_F(ListResultsTest, FileOnlyWhenWantedAndAllowed) {
    const std::string path = SetOutputFile(PathOf("out.txt"));
    WriteBytes(path, "old");
    Fill({{"alpha", 1, false}});
    w.ListResults();
    EXPECT_EQ(ReadBytes(path), "old");
    FillGreek();
    p.chkWarnOnOverwrite.SetValue(1);
    platform.ExpectMessage(MsgAnswer::Yes);
    w.ListResults();
    EXPECT_EQ(ReadBytes(path), kGreek);
    EXPECT_TRUE(w.ResultsWrittenToFile);
    EXPECT_EQ(platform.PumpCount(), 6);  // both passes yield after every record

    // Without the warning an existing file is simply replaced (No to the question is in MessagesTest).
    WriteBytes(path, "old");
    p.chkWarnOnOverwrite.SetValue(0);
    w.ListResults();
    EXPECT_EQ(platform.Messages().size(), 1u);
    EXPECT_EQ(ReadBytes(path), kGreek);
}

// A file that cannot be opened ends the listing, and the box promises none; one that fails while written ends
// only the file pass.
TEST_F(ListResultsTest, FileFailures) {
    FillGreek();
    SetOutputFile(PathOf("missing-folder/out.txt"));
    w.txbOutput.SetText("Stopped with 3 words found.\r\n\r\nProcessing ...");
    platform.ExpectMessage(MsgAnswer::Ok);
    w.ListResults();
    EXPECT_EQ(w.txbOutput.Text(), "Stopped with 3 words found.");
    EXPECT_FALSE(w.ListingToFile || w.ResultsWrittenToFile);
    EXPECT_EQ(platform.PumpCount(), 0);

    if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "needs /dev/full, a device that is always full";
    SetOutputFile("/dev/full");
    platform.ExpectMessage(MsgAnswer::Ok);
    w.ListResults();
    EXPECT_FALSE(w.ResultsWrittenToFile);  // the file holds only part of the listing
    EXPECT_EQ(w.txbOutput.Text(), kGreek);
}

TEST_F(ListResultsTest, NeverWritesOverTheInputFile) {
    FillGreek();
    const std::string input = MakeFile("in.txt", "the text that was counted");
    w.optInFile.Select();
    w.txbFile[0].SetText(input);
    for (const std::string& output : {input, (folder / "." / "in.txt").string()}) {
        SetOutputFile(output);
        platform.ExpectMessage(MsgAnswer::Ok);
        w.ListResults();
        EXPECT_EQ(ReadBytes(input), "the text that was counted");
        EXPECT_EQ(w.txbOutput.Text(), kGreek);
    }
    // With the clipboard as the source the named file is an ordinary output file.
    w.optInTextBox.Select();
    w.ListResults();
    EXPECT_EQ(ReadBytes(input), kGreek);
}

TEST_F(ListResultsTest, StopDuringTheFilePass) {
    FillGreek();
    const std::string path = SetOutputFile(PathOf("out.txt"));
    StopAt(2);
    w.ListResults();
    EXPECT_EQ(ReadBytes(path), kGreekTwoWords);
    EXPECT_EQ(w.txbOutput.Text(), "Output to file was terminated.\r\n");
    EXPECT_FALSE(w.ResultsWrittenToFile);

    w.cboDisplayFormat.SetListIndex(9);
    StopAt(4);
    w.ListResults();
    EXPECT_EQ(ReadBytes(path), "gamma, alpha");

    StopAt(7);  // after the last record: the file is complete
    w.ListResults();
    EXPECT_EQ(ReadBytes(path), "gamma, alpha, beta");
    EXPECT_TRUE(w.ResultsWrittenToFile);
    EXPECT_EQ(w.txbOutput.Text(), "Output to file was terminated.\r\n");
}

TEST_F(ListResultsTest, StopDuringTheBoxPass) {
    FillGreek();
    w.blnWordsGot = true;
    StopAt(2);
    w.ListResults();
    EXPECT_EQ(w.txbOutput.Text(), kGreekTwoWords + "\r\nListing stopped.\r\n");
    EXPECT_EQ(w.txbOutput.SelStart(), w.txbOutput.Text().size());

    // Words joined by commas keep their last separator; the stop line follows it.
    w.cboDisplayFormat.SetListIndex(9);
    StopAt(platform.PumpCount() + 1);
    w.ListResults();
    EXPECT_EQ(w.txbOutput.Text(), "gamma, \r\nListing stopped.\r\n");
}

TEST_F(ListResultsTest, FullBoxEndsTheBoxPass) {
    FillGreek();
    w.txbOutput.SetMaxLength(kGreek.size() - 3);
    platform.ExpectMessage(MsgAnswer::Ok);
    w.ListResults();
    EXPECT_EQ(w.txbOutput.Text(), kGreekTwoWords);
    EXPECT_EQ(w.txbOutput.SelStart(), 0u);
    EXPECT_EQ(w.lblTwirler.Caption(), " ");

    // The file is written first, and whole.
    const std::string path = SetOutputFile(PathOf("out.txt"));
    platform.ExpectMessage(MsgAnswer::Ok);
    w.ListResults();
    EXPECT_TRUE(w.ResultsWrittenToFile);
    EXPECT_EQ(ReadBytes(path), kGreek);
}

TEST_F(ListResultsTest, ChangingTheChoiceDuringAListingStartsItAgain) {
    FillGreek();
    w.blnWordsGot = true;
    const std::string path = SetOutputFile(PathOf("out.txt"));
    platform.onPump = [&] {
        if (platform.PumpCount() == 1) w.cboDisplayFormat.SetListIndex(9);
    };
    w.cboWordOrder.SetListIndex(1);
    EXPECT_EQ(ReadBytes(path), "alpha, beta, gamma");
    EXPECT_EQ(w.txbOutput.Text(), "alpha, beta, gamma");
    EXPECT_FALSE(w.ListingInProgress);
    EXPECT_EQ(platform.PumpCount(), 1 + 3 + 3);

    // A stop pressed in the same moment wins: nothing starts again.
    platform.onPump = [&] {
        w.StopRequested = true;
        w.cboDisplayFormat.SetListIndex(2);
    };
    SetOutputFile("");
    w.ListResults();
    EXPECT_EQ(w.txbOutput.Text(), "alpha, \r\nListing stopped.\r\n");
}

TEST_F(ListResultsTest, NoWordsMessages) {
    Fill({});
    w.ListResults();
    EXPECT_EQ(w.txbOutput.Text(), "No words satisfying the conditions were found.");
    Fill({{"a", 1, false}});
    for (auto [infrequent, threshold, shortSize, text] :
         {std::tuple{1, 0, 1, "than 2 letters\r\noccur at least twice."},
          {1, 3, 1, "than 2 letters\r\noccur at least 5 times."},
          {0, 3, 0, "than 1 letter\r\noccur at least once."}}) {
        p.chkIgnoreInfrequentWords.SetValue(infrequent);
        p.cboThresholdFrequency.SetListIndex(threshold);
        p.cboShortWordSize.SetListIndex(shortSize);
        w.ListResults();
        EXPECT_EQ(w.txbOutput.Text(), "No words with more " + std::string(text));
    }
    EXPECT_EQ(platform.PumpCount(), 0);
}

std::string Lines(const StatisticsText& t) {
    return t.listedWords + "|" + t.excludedWords + "|" + t.listedOccurrences + "|" + t.totalOccurrences;
}

// Every figure right-aligned in a field one wider than the grouped total; the occurrence figures are left out
// of an interrupted count, and the listed ones when no word is listed.
TEST(Statistics, FiguresAlignedToTheTotal) {
    SetNumberSeparatorsForTesting(".", ",");
    EXPECT_EQ(Lines(ComposeStatistics(WordStatistics{0, 2002, 202, 2002, 2344}, false)),
              "Number of words in this list: 2.002|Number of words excluded:   202|"
              "No. of occurrences in file of words in this list: 2.002|Total number of words in file: 2.344");
    EXPECT_EQ(Lines(ComposeStatistics(WordStatistics{0, 12, 938, 12, 950}, true)),
              "Number of words in this list:  12|Number of words excluded: 938||");
    EXPECT_EQ(
        Lines(ComposeStatistics(WordStatistics{0, 0, 1234, 0, 1234}, false)),
        "Number of words in this list:     0|Number of words excluded: 1.234||Total number of words in file: 1.234");
    EXPECT_EQ(ComposeStatistics(WordStatistics{0, 0, 12345, 0, 9}, false).excludedWords,
              "Number of words excluded: 12.345");
    SetNumberSeparatorsForTesting("", "");
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
    const WordStatistics stats{.longestWordLength = 14, .listedWordCount = 1000000, .highestFrequency = 1234567};
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

// Widths, pads and trims count characters: a word of any script lines up as an ASCII word of as many
// characters does, in every format and layout; so do figures grouped by a separator of several bytes.
TEST(LineComposer, ColumnsCountCharacters) {
    const auto replaced = [](std::string text, const std::string& from, const std::string& to) {
        for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
            text.replace(at, from.size(), to);
        return text;
    };
    for (auto [word, stand] :
         {std::pair{" łódź ", " lodz "}, {"καλημέρα", "kalimera"}, {"中文", "zw"}, {"ข้าว", "khaw"}})
        for (int format = 0; format < kDisplayFormatCount; ++format)
            for (ListLayout layout : {ListLayout::Plain, ListLayout::Comma}) {
                const auto line = [composer = LineComposer(format, layout, ColumnWidths{6, 6, 9}, 8)](const char* w) {
                    WordRecord record;
                    record.word = w;
                    record.frequency = 31;
                    record.rank = 4;
                    return composer.Line(record);
                };
                EXPECT_EQ(line(word), replaced(line(stand), TrimSpaces(stand), TrimSpaces(word))) << format;
            }
    const WordStatistics stats{0, 2002, 202, 2002, 23440};
    SetNumberSeparatorsForTesting("'", ",");
    const std::string ascii = Lines(ComposeStatistics(stats, false));
    SetNumberSeparatorsForTesting("\u202F", ",");
    EXPECT_EQ(Lines(ComposeStatistics(stats, false)), replaced(ascii, "'", "\u202F"));
    SetNumberSeparatorsForTesting("", "");
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
