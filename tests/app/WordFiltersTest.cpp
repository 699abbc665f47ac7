// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "app/WordRulesFixture.h"

namespace vesk::test {
namespace {

using Words = std::vector<std::string>;

TEST_F(ProgramTest, FilterInfrequentWords) {
    Count({"two two three three three"});
    params.chkIgnoreInfrequentWords.SetValue(1);
    FillList(params.cboThresholdFrequency, {"2", "3", "4", "5", "6", "7", "8", "9"}, 1);
    main.ApplyFilters();
    EXPECT_EQ(ListedWords(), (Words{"three"}));
    main.Table.ComputeStatistics();
    // An excluded word still counts in the totals.
    EXPECT_EQ(main.Table.Statistics().totalOccurrenceCount, 5);
    EXPECT_EQ(main.Table.Statistics().excludedWordCount, 1);
    EXPECT_EQ(main.Table.Statistics().listedOccurrenceCount, 3);
}

TEST_F(ProgramTest, FilterWordLengths) {
    const std::string twenty(20, 'k'), twentyOne(21, 'm');
    Count({"an and " + twenty + " " + twentyOne});
    main.ApplyFilters();
    EXPECT_EQ(ListedWords(), (Words{"an", "and", twenty, twentyOne}));
    params.chkIgnoreShortWords.SetValue(1);
    FillList(params.cboShortWordSize, {"2", "3", "4", "5", "6", "7", "8", "9"}, 1);
    FillList(params.cboLongWordSize, {"20", "30", "40", "50", "60", "70", "80"}, 0);
    main.ApplyFilters();
    EXPECT_EQ(ListedWords(), (Words{"and", twenty}));
    // A long-word list with nothing selected limits nothing.
    params.cboLongWordSize.SetListIndex(-1);
    main.ApplyFilters();
    EXPECT_EQ(ListedWords(), (Words{"and", twenty, twentyOne}));
}

TEST_F(ProgramTest, FilterWordsToIgnoreIsASubstringTest) {
    Count({"the he e and nd d an then"});
    main.ApplyFilters();
    EXPECT_EQ(ListedWords().size(), 8u);
    main.strWordsToIgnore = ",the,and,";
    main.ApplyFilters();
    EXPECT_EQ(ListedWords(), (Words{"an", "then"}));
    main.strWordsToIgnore = "";
    main.ApplyFilters();
    EXPECT_EQ(ListedWords().size(), 8u);
}

TEST_F(ProgramTest, FilterCommonWordsComparesTheLowerCase) {
    Count({"The cat"}, false);
    main.CommonWords = CommonWordSet({"cat", "the"});
    main.ApplyFilters();
    EXPECT_EQ(ListedWords(), (Words{"cat", "The"}));
    SetQuietly(params.chkIgnoreCommonWords, 1);
    main.ApplyFilters();
    EXPECT_EQ(ListedWords(), (Words{}));
    main.CommonWords = CommonWordSet();
    main.ApplyFilters();
    EXPECT_EQ(ListedWords(), (Words{"cat", "The"}));
}

TEST_F(ProgramTest, FilterShapesOfWords) {
    Count({"a aa zzz ii i iv xix xx vi iiii vx xl mix civil nth mr hmm rhythm my"});
    params.chkIgnoreRepetitions.SetValue(1);
    main.ApplyFilters();
    EXPECT_EQ(ListedWords(),
              (Words{"a", "civil", "hmm", "i", "iv", "mix", "mr", "my", "nth", "rhythm", "vi", "vx", "xix", "xl"}));
    params.chkIgnoreRepetitions.SetValue(0);
    params.chkIgnoreRomNum40.SetValue(1);
    main.ApplyFilters();
    EXPECT_EQ(ListedWords(), (Words{"a", "aa", "civil", "hmm", "mix", "mr", "my", "nth", "rhythm", "xl", "zzz"}));
    params.chkIgnoreRomNum40.SetValue(0);
    params.chkIgnoreNoVowelOrY.SetValue(1);
    main.ApplyFilters();
    EXPECT_EQ(ListedWords(), (Words{"a", "aa", "civil", "i", "ii", "iiii", "iv", "mix", "my", "rhythm", "vi", "xix"}));
}

TEST_F(ProgramTest, FilterCaseSignificantWords) {
    Count({"Aa I"}, false);
    params.chkIgnoreRepetitions.SetValue(1);
    params.chkIgnoreRomNum40.SetValue(1);
    main.ApplyFilters();
    EXPECT_EQ(ListedWords(), (Words{"Aa"}));
}

}  // namespace
}  // namespace vesk::test
