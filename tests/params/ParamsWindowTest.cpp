// SPDX-License-Identifier: GPL-3.0-or-later
#include <string>
#include <vector>

#include "params/ParamsFixture.h"

namespace vesk::test {
namespace {

constexpr const char* kRereadQuestion = "Changing this entails reading the file anew.  Is this OK?";

class ParamsWindowTest : public ProgramTest {
  protected:
    // Records the names of the check boxes in the order their values change.
    void RecordChanges(const std::vector<CheckBox*>& boxes) {
        for (CheckBox* box : boxes) box->changed.Connect([this, box] { changes.push_back(box->Name()); });
    }
    // Sets every box without any handler acting on it.
    void SetAllQuietly(int value) {
        params.blnReverting = true;
        for (CheckBox* box : AllCheckBoxes()) box->SetValue(value);
        params.blnReverting = false;
    }
    std::vector<std::string> changes;
};

TEST_F(ParamsWindowTest, WordFormingChangeAsksOnlyAfterACount) {
    Start();
    // No count yet: no question.
    params.chkAllowWordsWithPeriods.SetValue(1);
    EXPECT_EQ(params.chkAllowWordsWithPeriods.Value(), 1);

    // After a count, No puts the box back and keeps the words.
    main.blnWordsGot = true;
    platform.ExpectMessage(MsgAnswer::No);
    params.chkAllowWordsWithPeriods.SetValue(0);
    EXPECT_EQ(params.chkAllowWordsWithPeriods.Value(), 1);
    EXPECT_TRUE(main.blnWordsGot);
    EXPECT_EQ(platform.LastMessage(),
              (ShownMessage{kRereadQuestion, kDefaultMessageTitle, MsgButtons::YesNo, MsgIcon::None}));

    // Unchecking hyphens and refusing leaves it checked.
    platform.ExpectMessage(MsgAnswer::No);
    params.chkAllowWordsWithHyphens.SetValue(0);
    EXPECT_EQ(params.chkAllowWordsWithHyphens.Value(), 1);

    // Yes keeps the change and makes the next count read the text again.
    platform.ExpectMessage(MsgAnswer::Yes);
    params.chkCaseSignificant.SetValue(1);
    EXPECT_EQ(params.chkCaseSignificant.Value(), 1);
    EXPECT_FALSE(main.blnWordsGot);
    EXPECT_EQ(platform.Messages().size(), 3u);

    // A grayed box refused goes back to grayed.
    params.blnReverting = true;
    params.chkDropFinalS.SetValue(2);
    params.blnReverting = false;
    main.blnWordsGot = true;
    platform.ExpectMessage(MsgAnswer::No);
    params.chkDropFinalS.SetValue(0);
    EXPECT_EQ(params.chkDropFinalS.Value(), 2);
    EXPECT_EQ(platform.Messages().size(), 4u);
}

TEST_F(ParamsWindowTest, NoQuestionDuringStartUpOrARevert) {
    main.blnWordsGot = true;
    params.chkAllowWordsWithNumerals.SetValue(1);  // start-up not completed
    Start();
    main.blnWordsGot = true;
    params.blnReverting = true;
    params.chkAllowWordsWithColons.SetValue(1);
    params.blnReverting = false;
    EXPECT_TRUE(main.blnWordsGot);
}

TEST_F(ParamsWindowTest, SetCheckboxesAsksAtEachChangingWordFormingBox) {
    Start();
    main.blnWordsGot = true;
    RecordChanges(AllCheckBoxes());
    // Apostrophes is the first box that changes (hyphens is on already): No puts it back; underscores asks next.
    platform.ExpectMessage(MsgAnswer::No);
    platform.ExpectMessage(MsgAnswer::Yes);
    params.cmdClearCheckboxes[1].Click();
    EXPECT_EQ(platform.Messages().size(), 2u);
    EXPECT_FALSE(main.blnWordsGot);
    EXPECT_EQ(params.chkAllowWordsWithApostrophes.Value(), 0);
    EXPECT_EQ(params.chkAllowWordsWithUnderscores.Value(), 1);
    EXPECT_EQ(params.chkAllowWordsWithNumerals.Value(), 1);
    EXPECT_EQ(params.chkAllowCommentMarkers.Value(), 1);
    EXPECT_EQ(params.chkSaveStateOnQuit.Value(), 1);
    EXPECT_EQ(params.chkIgnoreCommonWords.Value(), 0);
    const std::vector<std::string> expected = {
        "chkAllowWordsWithApostrophes", "chkAllowWordsWithApostrophes",  // checked, then put back
        "chkAllowWordsWithUnderscores", "chkAllowWordsWithColons",
        "chkAllowWordsWithBackslashes", "chkAllowWordsWithForwardslashes",
        "chkAllowWordsWithPeriods",     "chkAllowWordsWithAtSigns",
        "chkAllowWordsWithNumerals",    "chkCaseSignificant",
        "chkIgnoreInfrequentWords",     "chkIgnoreShortWords",
        "chkOutputWithCommas",          "chkAllowCommentMarkers"};
    EXPECT_EQ(changes, expected);
}

TEST_F(ParamsWindowTest, ClearAndSetCheckboxes) {
    Start();
    SetAllQuietly(2);
    params.cmdClearCheckboxes[0].Click();
    for (CheckBox* box : AllCheckBoxes()) EXPECT_EQ(box->Value(), 0) << box->Name();
    params.cmdClearCheckboxes[1].Click();
    for (CheckBox* box : AllCheckBoxes())  // never the common-words box, which needs a file
        EXPECT_EQ(box->Value(), box == &params.chkIgnoreCommonWords ? 0 : 1) << box->Name();
}

TEST_F(ParamsWindowTest, RestoreDefaults) {
    Start();
    SetAllQuietly(2);
    params.cboShortWordSize.SetListIndex(5);
    params.cboLongWordSize.SetListIndex(0);
    params.cboThresholdFrequency.SetListIndex(7);
    params.txbWordsToIgnore.SetText("kept");
    params.txbStartComment[0].SetText("{");
    main.blnWordsGot = true;

    params.cmdRestoreDefaults.Click();

    EXPECT_TRUE(platform.Messages().empty());  // the words were marked stale before any box changed
    EXPECT_FALSE(main.blnWordsGot);
    EXPECT_EQ(params.FocusedControl(), &params.cmdClose);
    // The defaults of every option but the texts and the common-words box, which keep their values.
    ASSERT_EQ(main.SaveState(PathOf("p.vesk")), "");
    ParameterSet set;
    ASSERT_EQ(ReadParameterFile(PathOf("p.vesk"), set), "");
    ParameterSet expected = DefaultParameters();
    expected.ignoreCommonWords = 2;
    expected.wordsToIgnore = "kept";
    expected.commentStart1 = "{";
    EXPECT_EQ(set, expected);
    // The markers in use are the defaults all the same.
    EXPECT_EQ(main.Comments.starts[0], "/*");
    EXPECT_EQ(main.Comments.starts[1], "//");
}

TEST_F(ParamsWindowTest, FilterChangesAskNothingAndKeepTheWords) {
    Start();
    main.blnWordsGot = true;
    params.chkIgnoreRomNum40.SetValue(0);
    params.chkIgnoreShortWords.SetValue(1);
    params.cboLongWordSize.SetListIndex(6);
    params.cboThresholdFrequency.SetListIndex(2);
    params.chkOutputWithCommas.SetValue(1);
    EXPECT_TRUE(main.blnWordsGot);
    EXPECT_EQ(params.FocusedControl(), &params.cmdClose);
}

TEST_F(ParamsWindowTest, CommentBoxesAreTrimmedAndMakeTheWordsStale) {
    params.txbStartComment[1].SetText("  <!--  ");
    main.blnWordsGot = true;
    params.txbStartComment[1].LostFocus();  // also before start-up has completed
    EXPECT_EQ(params.txbStartComment[1].Text(), "<!--");
    EXPECT_FALSE(main.blnWordsGot);

    Start();
    main.blnWordsGot = true;
    params.txbEndComment[0].LostFocus();  // merely passing through
    EXPECT_EQ(params.txbEndComment[0].Text(), "*/");
    EXPECT_FALSE(main.blnWordsGot);
}

TEST_F(ParamsWindowTest, ReinitializeEmptiesTheInputsAndRestoresTheDefaults) {
    Start();
    main.txbFile[0].SetText("/some/input.txt");
    main.txbFile[1].SetText("/some/output.txt");
    main.cboWordOrder.SetListIndex(1);
    main.cboDisplayFormat.SetListIndex(4);
    params.txbWordsToIgnore.SetText("alpha beta");
    params.txbWordsToIgnore_LostFocus();
    params.txbParametersFile.SetText("/p.vesk");
    params.chkDropFinalS.SetValue(0);
    params.cboShortWordSize.SetListIndex(6);

    params.cmdInitialize.Click();

    EXPECT_EQ(main.txbFile[0].Text(), "");
    EXPECT_EQ(main.txbFile[1].Text(), "");
    EXPECT_EQ(main.cboWordOrder.ListIndex(), 0);
    EXPECT_EQ(main.cboDisplayFormat.ListIndex(), 0);
    EXPECT_EQ(params.txbWordsToIgnore.Text(), "");
    EXPECT_EQ(main.strWordsToIgnore, ",");
    EXPECT_EQ(params.txbParametersFile.Text(), "");
    EXPECT_EQ(params.chkDropFinalS.Value(), 1);
    EXPECT_EQ(params.cboShortWordSize.ListIndex(), 1);
    EXPECT_EQ(params.lblParameters.Caption(), "Program reinitialized.");
    EXPECT_FALSE(main.blnWordsGot);
}

TEST_F(ParamsWindowTest, CloseHidesAndGivesTheFocusBack) {
    Start();
    params.Show();
    params.chkDropFinalS.SetValue(0);
    params.cmdClose.Click();
    EXPECT_FALSE(params.Visible());
    EXPECT_EQ(main.FocusedControl(), &main.cmdFile[0]);
    EXPECT_EQ(params.chkDropFinalS.Value(), 0);  // the options outlive the hidden window
}

}  // namespace
}  // namespace vesk::test
