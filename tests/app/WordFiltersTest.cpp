// SPDX-License-Identifier: GPL-3.0-or-later
// How the parameters window's filters decide which words of a count are listed.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/AppTestSupport.h"
#include "engine/CommonWords.h"

namespace vesk::test {
namespace {

using Words = std::vector<std::string>;
using W = WindowTest;

struct Case {
    const char* name;
    const char* text;
    void (*set)(W&);  // after the defaults without the three shape filters
    Words listed;
};

// clang-format off
const Case kCases[] = {
    {"NoFilter", "a aa zzz ii iv xl nth hmm my", [](W&) {}, {"a", "aa", "hmm", "ii", "iv", "my", "nth", "xl", "zzz"}},
    {"Infrequent", "two two three three three", [](W& w) {
         w.params.chkIgnoreInfrequentWords.SetValue(1);
         w.params.cboThresholdFrequency.SetListIndex(1); }, {"three"}},  // 3
    {"ShortAndLong", "an and kkkkkkkkkkkkkkkkkkkk mmmmmmmmmmmmmmmmmmmmm", [](W& w) {
         w.params.chkIgnoreShortWords.SetValue(1);  // 3
         w.params.cboLongWordSize.SetListIndex(0); }, {"and", "kkkkkkkkkkkkkkkkkkkk"}},  // 20
    {"LongUnselected", "mmmmmmmmmmmmmmmmmmmmm", [](W& w) { w.params.cboLongWordSize.SetListIndex(-1); },
     {"mmmmmmmmmmmmmmmmmmmmm"}},
    {"WordsToIgnoreMatchTheEndsOfItsWords", "the he e and nd an then", [](W& w) {
         w.params.txbWordsToIgnore.SetText("the and");
         w.params.txbWordsToIgnore.LostFocus(); }, {"an", "then"}},
    {"Repetitions", "a aa zzz ii i iv hmm", [](W& w) { w.params.chkIgnoreRepetitions.SetValue(1); },
     {"a", "hmm", "i", "iv"}},
    {"RomanNumeralsBelowForty", "i iv xix xx vi iiii vx xl mix civil",
     [](W& w) { w.params.chkIgnoreRomNum40.SetValue(1); }, {"civil", "mix", "xl"}},
    {"NoVowelNorY", "a nth mr hmm rhythm my", [](W& w) { w.params.chkIgnoreNoVowelOrY.SetValue(1); },
     {"a", "my", "rhythm"}},
    {"CaseSignificantShapes", "Aa I", [](W& w) {
         w.params.chkCaseSignificant.SetValue(1);
         w.params.chkIgnoreRepetitions.SetValue(1);
         w.params.chkIgnoreRomNum40.SetValue(1); }, {"Aa"}},
    {"CommonWordsInLowerCase", "The cat dog", [](W& w) {
         w.params.chkCaseSignificant.SetValue(1);
         w.main.strCommonWordsFile = w.MakeFile("common.txt", "cat\r\nthe\r\n");
         w.platform.ExpectMessage(MsgAnswer::Ok);  // loaded
         w.params.chkIgnoreCommonWords.SetValue(1); }, {"dog"}},
};
// clang-format on

class WordFilters : public WindowTest, public ::testing::WithParamInterface<Case> {};

TEST_P(WordFilters, ListOnlyTheWordsLeft) {
    Start();
    for (CheckBox* box : {&params.chkIgnoreRepetitions, &params.chkIgnoreRomNum40, &params.chkIgnoreNoVowelOrY})
        box->SetValue(0);
    GetParam().set(*this);
    CountClipboard(GetParam().text);
    Words listed;
    for (std::int64_t i = 1; i <= main.Table.DistinctWordCount(); ++i)
        if (main.Table.IsListed(i)) listed.emplace_back(main.Table.Word(i));
    std::sort(listed.begin(), listed.end());
    EXPECT_EQ(listed, GetParam().listed);
}

INSTANTIATE_TEST_SUITE_P(Windows, WordFilters, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vesk::test
