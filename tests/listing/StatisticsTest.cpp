// SPDX-License-Identifier: GPL-3.0-or-later
#include <clocale>

#include "ListingFixture.h"
#include "listing/NumberFormat.h"

namespace vesk::test {
namespace {

class StatisticsTest : public ListingTest {
  protected:
    void SetUp() override {
        ListingTest::SetUp();
        SetNumberSeparatorsForTesting(",", ".");
    }
    void TearDown() override { SetNumberSeparatorsForTesting("", ""); }

    // `listed` words occurring once, then excluded words: `excludedTwice` twice and `excludedOnce` once.
    void FillCounts(int listed, int excludedTwice, int excludedOnce) {
        std::vector<TestWord> words;
        char key[16];
        for (int i = 0; i < listed + excludedTwice + excludedOnce; ++i) {
            std::snprintf(key, sizeof key, "w%06d", i);
            if (i < listed)
                words.push_back({key, 1, true});
            else
                words.push_back({key, i < listed + excludedTwice ? 2 : 1, false});
        }
        Fill(words);
    }
};

TEST_F(StatisticsTest, FieldsAreAsWideAsTheGroupedTotalPlusOne) {
    FillCounts(2002, 140, 62);  // 2344 words in all, 202 distinct words excluded
    ASSERT_EQ(w.Table.Statistics().totalOccurrenceCount, 2344);
    w.ShowStatistics();
    EXPECT_EQ(w.lblNumberOfWords.Caption(), "Number of words in this list: 2,002");
    EXPECT_EQ(w.lblNumWordsExcluded.Caption(), "Number of words excluded:   202");
    EXPECT_EQ(w.lblNumOccurrences.Caption(), "No. of occurrences in file of words in this list: 2,002");
    EXPECT_EQ(w.lblTotalNumOccurrences.Caption(), "Total number of words in file: 2,344");
    EXPECT_EQ(w.lblTotalNumOccurrences.GetAlignment(), Alignment::Right);
    for (const Label* label :
         {&w.lblNumberOfWords, &w.lblNumWordsExcluded, &w.lblNumOccurrences, &w.lblTotalNumOccurrences})
        EXPECT_TRUE(label->Visible()) << label->Name();
    ASSERT_FALSE(platform.repainted.empty());
    EXPECT_EQ(platform.repainted.back(), &w.Frame2);

    SetNumberSeparatorsForTesting(".", ",");
    w.ShowStatistics();
    EXPECT_EQ(w.lblTotalNumOccurrences.Caption(), "Total number of words in file: 2.344");

    FillCounts(12, 0, 938);                                  // total 950: no separator, W = 4
    w.lblTotalNumOccurrences.SetAlignment(Alignment::Left);  // as the progress bar leaves it
    w.ShowStatistics();
    EXPECT_EQ(w.lblNumberOfWords.Caption(), "Number of words in this list:  12");
    EXPECT_EQ(w.lblNumWordsExcluded.Caption(), "Number of words excluded: 938");
    EXPECT_EQ(w.lblNumOccurrences.Caption(), "No. of occurrences in file of words in this list:  12");
    EXPECT_EQ(w.lblTotalNumOccurrences.Caption(), "Total number of words in file: 950");
    EXPECT_EQ(w.lblTotalNumOccurrences.GetAlignment(), Alignment::Right);
}

TEST_F(StatisticsTest, InterruptedCountsAndEmptyLists) {
    FillCounts(3, 1, 5);  // total 10
    w.CountInterrupted = true;
    w.ShowStatistics();
    EXPECT_EQ(w.lblNumberOfWords.Caption(), "Number of words in this list:  3");
    EXPECT_EQ(w.lblNumWordsExcluded.Caption(), "Number of words excluded:  6");
    EXPECT_EQ(w.lblNumOccurrences.Caption(), "");
    EXPECT_EQ(w.lblTotalNumOccurrences.Caption(), "");
    EXPECT_TRUE(w.lblNumOccurrences.Visible());
    EXPECT_TRUE(w.lblTotalNumOccurrences.Visible());

    w.CountInterrupted = false;
    FillCounts(0, 0, 1234);
    w.ShowStatistics();
    EXPECT_EQ(w.lblNumberOfWords.Caption(), "Number of words in this list:     0");
    EXPECT_EQ(w.lblNumWordsExcluded.Caption(), "Number of words excluded: 1,234");
    EXPECT_EQ(w.lblNumOccurrences.Caption(), "");
    EXPECT_EQ(w.lblTotalNumOccurrences.Caption(), "Total number of words in file: 1,234");

    Fill({});
    w.ShowStatistics();
    EXPECT_EQ(w.lblNumberOfWords.Caption(), "Number of words in this list: 0");
    EXPECT_EQ(w.lblTotalNumOccurrences.Caption(), "Total number of words in file: 0");
}

TEST(NumberFormatTest, GroupsThousands) {
    SetNumberSeparatorsForTesting("", "");
    std::setlocale(LC_ALL, "C");  // defines no separator: "," and "." stand in
    EXPECT_EQ(FormatGrouped(0), "0");
    EXPECT_EQ(FormatGrouped(999), "999");
    EXPECT_EQ(FormatGrouped(1000), "1,000");
    EXPECT_EQ(FormatGrouped(123456), "123,456");
    EXPECT_EQ(FormatGrouped(1234567), "1,234,567");
    EXPECT_EQ(FormatGrouped(-1234567), "-1,234,567");
    EXPECT_EQ(FormatGrouped(-999), "-999");
    EXPECT_EQ(FormatGrouped(INT64_MIN), "-9,223,372,036,854,775,808");
    EXPECT_EQ(FormatGroupedDecimal(228.7314, 2), "228.73");
    EXPECT_EQ(FormatGroupedDecimal(12345.5, 2), "12,345.50");
    EXPECT_EQ(FormatGroupedDecimal(1234567.891, 2), "1,234,567.89");
    EXPECT_EQ(FormatGroupedDecimal(0.996, 2), "1.00");
    EXPECT_EQ(FormatGroupedDecimal(-0.001, 2), "0.00");
    EXPECT_EQ(FormatGroupedDecimal(-1500.25, 1), "-1,500.2");
    EXPECT_EQ(FormatGroupedDecimal(999.5, 0), "1,000");

    SetNumberSeparatorsForTesting("\xA0", ",");
    EXPECT_EQ(FormatGrouped(1234567),
              "1\xA0"
              "234\xA0"
              "567");
    EXPECT_EQ(FormatGroupedDecimal(12345.5, 2),
              "12\xA0"
              "345,50");
    SetNumberSeparatorsForTesting("", "");
    EXPECT_EQ(FormatGrouped(1234567), "1,234,567");
}

}  // namespace
}  // namespace vesk::test
