// SPDX-License-Identifier: GPL-3.0-or-later
// The parameters window's boxes and buttons, and parameter files as the windows save and load them.

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "app/AppTestSupport.h"
#include "support/RandomParameters.h"

namespace vesk::test {
namespace {

class ParamsWindowTest : public WindowTest {
  protected:
    void SetUp() override { Start(); }
    // A set with every check box at `value`.
    static ParameterSet AllBoxes(int value) {
        ParameterSet set;
        for (const ParameterField& field : kParameterFields)
            if (field.form == FieldForm::CheckBox) set.*field.number = value;
        set.outputFile = "/out.txt";  // else "Disable" cannot hold a value
        return set;
    }
    // Loads the set, which asks nothing.
    void Load(const ParameterSet& set) { ASSERT_EQ(main.RestoreSavedState(WriteSet(set)), ""); }
    // The check-box values of the set the windows hold, but for the main window's two.
    std::vector<int> BoxValues() {
        const ParameterSet set = Saved();
        std::vector<int> values;
        for (const ParameterField& field : kParameterFields)
            if (field.form == FieldForm::CheckBox && field.line < 33) values.push_back(set.*field.number);
        return values;
    }
    // Loads the set through the window's button.
    void LoadThroughButton(const ParameterSet& set) {
        platform.ExpectFileDialog(WriteSet(set));
        params.cmdSaveLoadParameters[1].Click();
    }
    std::string Normalise(const std::string& typed) {
        params.txbWordsToIgnore.SetText(typed);
        params.txbWordsToIgnore.LostFocus();
        return params.txbWordsToIgnore.Text();
    }
};

TEST_F(ParamsWindowTest, WordFormingChangeAsksOnlyAfterACount) {
    params.chkAllowWordsWithPeriods.SetValue(1);  // no count yet: no question
    main.blnWordsGot = true;
    platform.ExpectMessage(MsgAnswer::Yes);  // keeps the change, the next count reads the text again
    params.chkCaseSignificant.SetValue(1);
    EXPECT_EQ(params.chkCaseSignificant.Value(), 1);
    EXPECT_FALSE(main.blnWordsGot);

    // A grayed box refused goes back to grayed.
    params.blnReverting = true;
    params.chkDropFinalS.SetValue(2);
    params.blnReverting = false;
    main.blnWordsGot = true;
    platform.ExpectMessage(MsgAnswer::No);
    params.chkDropFinalS.SetValue(0);
    EXPECT_EQ(params.chkDropFinalS.Value(), 2);
    EXPECT_EQ(platform.Messages().size(), 2u);

    // Nor during a revert, nor for the layout of a listing (filters: DesktopTest).
    params.blnReverting = true;
    params.chkAllowWordsWithColons.SetValue(1);
    params.blnReverting = false;
    params.chkOutputWithCommas.SetValue(1);
    params.cboThresholdFrequency.SetListIndex(2);  // a list moves the focus on
    EXPECT_TRUE(main.blnWordsGot);
    EXPECT_EQ(params.FocusedControl(), &params.cmdClose);
}

TEST_F(ParamsWindowTest, SetCheckboxesAsksAtEachChangingWordFormingBox) {
    main.blnWordsGot = true;
    std::vector<std::string> changes;
    for (CheckBox* box : {&params.chkAllowWordsWithApostrophes, &params.chkAllowWordsWithUnderscores,
                          &params.chkAllowWordsWithNumerals})
        box->changed.Connect([&changes, box] { changes.push_back(box->Name()); });
    // Apostrophes is the first box that changes (hyphens is on already): No puts it back; underscores asks next
    // and Yes makes the words stale, so that nothing more asks.
    platform.ExpectMessage(MsgAnswer::No);
    platform.ExpectMessage(MsgAnswer::Yes);
    params.cmdClearCheckboxes[1].Click();
    EXPECT_FALSE(main.blnWordsGot);
    EXPECT_EQ(changes, (std::vector<std::string>{"chkAllowWordsWithApostrophes", "chkAllowWordsWithApostrophes",
                                                 "chkAllowWordsWithUnderscores", "chkAllowWordsWithNumerals"}));
    EXPECT_EQ(params.chkAllowWordsWithApostrophes.Value(), 0);
    EXPECT_EQ(params.chkAllowCommentMarkers.Value(), 1);
}

TEST_F(ParamsWindowTest, ClearSetAndRestoreDefaults) {
    Load(AllBoxes(2));
    params.cmdClearCheckboxes[0].Click();
    EXPECT_EQ(BoxValues(), std::vector<int>(21, 0));
    params.cmdClearCheckboxes[1].Click();
    std::vector<int> all(21, 1);
    all[2] = 0;  // never the common-words box, which needs a file
    EXPECT_EQ(BoxValues(), all);

    Load(AllBoxes(2));
    params.cboShortWordSize.SetListIndex(5);
    params.txbWordsToIgnore.SetText("kept");
    params.txbStartComment[0].SetText("{");
    main.blnWordsGot = true;
    params.cmdRestoreDefaults.Click();
    EXPECT_TRUE(platform.Messages().empty());  // the words were marked stale before any box changed
    EXPECT_FALSE(main.blnWordsGot);
    EXPECT_EQ(params.FocusedControl(), &params.cmdClose);
    // The defaults of every option but the texts, the common-words box and the main window's.
    ParameterSet expected;
    expected.outputFile = "/out.txt";
    expected.ignoreCommonWords = expected.suppressWords = expected.disableOutputToFile = 2;
    expected.wordsToIgnore = "kept";
    expected.commentStart1 = "{";
    EXPECT_EQ(Saved(), expected);
    EXPECT_EQ(main.Comments.starts[0], "/*");  // the markers in use are the defaults all the same

    // Reinitialize empties the input and parameter-file names and the words to ignore as well.
    ParameterSet changed = AllBoxes(2);
    changed.inputFile = "/some/input.txt";
    changed.wordsToIgnore = "alpha beta";
    changed.commentStart1 = "<";
    changed.wordOrder = changed.displayFormat = 1;
    changed.commonWordsFile = "/x/cwds.txt";
    Load(changed);
    params.txbParametersFile.SetText("/p.vesk");
    params.cmdInitialize.Click();
    expected = ParameterSet();  // but for the comment boxes and the common-words box
    expected.commentStart1 = "<";
    expected.ignoreCommonWords = 2;
    EXPECT_EQ(Saved(), expected);
    EXPECT_EQ(main.strWordsToIgnore + params.txbParametersFile.Text(), ",");
    EXPECT_EQ(params.lblParameters.Caption(), "Program reinitialized.");
    EXPECT_FALSE(main.chkDisableOutputToFile.Enabled() || main.blnWordsGot);
}

TEST_F(ParamsWindowTest, TextBoxesAreTidiedWhenLeftAndCloseHides) {
    main.blnWordsGot = true;
    params.txbEndComment[0].LostFocus();  // merely passing through
    EXPECT_FALSE(main.blnWordsGot);
    // Before start-up has completed too; a word-forming box then asks nothing.
    OtherProgram fresh;
    fresh.params.txbStartComment[1].SetText("  <!--  ");
    fresh.main.blnWordsGot = true;
    fresh.params.chkAllowWordsWithNumerals.SetValue(1);
    EXPECT_EQ(fresh.params.chkAllowWordsWithNumerals.Value(), 1);
    fresh.params.txbStartComment[1].LostFocus();
    EXPECT_EQ(fresh.params.txbStartComment[1].Text(), "<!--");
    EXPECT_FALSE(fresh.main.blnWordsGot);

    // How the list is tidied is the engine's (CountRulesTest); the box tidies it when left, as case decides.
    EXPECT_EQ(Normalise(" The  cat , dog "), "the,cat,dog");
    EXPECT_EQ(main.strWordsToIgnore, "the,cat,dog,");
    params.chkCaseSignificant.SetValue(1);
    EXPECT_EQ(Normalise(" The Cat "), ",The,Cat");
    params.cmdClearWordsToIgnore.Click();
    EXPECT_EQ(params.txbWordsToIgnore.Text() + main.strWordsToIgnore, ",");
    EXPECT_EQ(params.FocusedControl(), &params.cmdClose);

    params.Show();
    params.cmdClose.Click();  // hides and gives the focus back
    EXPECT_FALSE(params.Visible());
    EXPECT_EQ(main.FocusedControl(), &main.cmdFile[0]);
}

TEST_F(ParamsWindowTest, CommonWordsFileChosenTypedOrCleared) {
    const std::string first = MakeFile("common.txt", "the\r\nand\r\nof\r\n");
    const std::string second = MakeFile("other.txt", "der die das\r\n");
    const std::string third = MakeFile("third.txt", "le la les\r\n");
    platform.ExpectFileDialog(first);
    platform.ExpectMessage(MsgAnswer::Ok);  // loaded
    params.cmdSelectCommonWordsFile.Click();
    EXPECT_EQ(platform.FileDialogs().at(0),
              (FileDialogRequest{"Specify file of common words to ignore", "Any file containing only text (*.*) | *.*",
                                 6148u, false, ""}));
    EXPECT_EQ(params.txbCommonWordsFile.Text() + " " + std::to_string(main.CommonWordCount()), first + " 3");
    EXPECT_EQ(params.chkIgnoreCommonWords.Value(), 1);

    // The box checked already, and the words of a count in hand: still read at once, no question.
    main.blnWordsGot = true;
    platform.ExpectFileDialog(second);
    platform.ExpectMessage(MsgAnswer::Ok);
    params.cmdSelectCommonWordsFile.Click();
    EXPECT_EQ(main.CommonWords.Words()[0], "das");
    platform.ExpectFileDialog(std::nullopt);  // cancelled: nothing changes
    params.cmdSelectCommonWordsFile.Click();
    EXPECT_EQ(main.strCommonWordsFile, second);
    EXPECT_EQ(params.FocusedControl(), &params.cmdClose);

    // Enter in the box reads a typed file that differs; the same again does nothing.
    params.txbCommonWordsFile.SetText("  " + third + " ");
    platform.ExpectMessage(MsgAnswer::Ok);
    EXPECT_TRUE(params.txbCommonWordsFile.KeyPress('a'));
    EXPECT_FALSE(params.txbCommonWordsFile.KeyPress(13));
    EXPECT_EQ(params.txbCommonWordsFile.Text(), third);
    EXPECT_EQ(main.strCommonWordsFile, third);
    EXPECT_TRUE(main.blnCommonWordsLoaded);
    params.txbCommonWordsFile.LostFocus();
    EXPECT_EQ(platform.Messages().size(), 3u);

    params.cmdClearCommonWordsFile.Click();
    EXPECT_EQ(params.txbCommonWordsFile.Text() + main.strCommonWordsFile, "");
    EXPECT_FALSE(params.chkIgnoreCommonWords.Value() || main.blnCommonWordsLoaded);
    // Unchecked, a typed path is not taken over.
    params.txbCommonWordsFile.SetText(first);
    EXPECT_FALSE(params.txbCommonWordsFile.KeyPress(13));
    EXPECT_EQ(main.strCommonWordsFile, "");
}

using ParameterFileTest = ParamsWindowTest;

TEST_F(ParameterFileTest, TheWindowsHoldEveryValueOfTheSet) {
    EXPECT_EQ(Saved(), DefaultParameters());
    // A load sets each value where the program holds it, a save takes each from there; so does the next start.
    std::mt19937 random(20240611);
    for (int round = 0; round < 30; ++round) {
        ParameterSet set = RandomParameterSet(random);
        // The words to ignore as their box leaves them, "Disable" unchecked while no output file is named.
        set.wordsToIgnore.clear();
        for (auto words = random() % 4; words > 0; --words)
            set.wordsToIgnore +=
                (set.wordsToIgnore.empty() ? "" : ",") + std::string(1 + random() % 6, 'a' + random() % 26);
        if (set.outputFile.empty()) set.disableOutputToFile = 0;
        ASSERT_EQ(main.RestoreSavedState(WriteSet(set)), "") << "round " << round;
        ASSERT_EQ(Saved(), set) << "round " << round;
    }
}

TEST_F(ParameterFileTest, ADamagedStateFileGivesTheDefaultsAndStays) {
    ParameterSet set;
    set.ignoreRepetitions = 0;
    set.thresholdFrequency = -1;
    ASSERT_EQ(WriteParameterFile(stateFile.string(), set), "");
    const std::string before = ReadBytes(stateFile);
    OtherProgram next(platform.userDataFolder);
    next.Start();
    EXPECT_EQ(next.Saved(), DefaultParameters());
    EXPECT_EQ(ReadBytes(stateFile), before);
}

TEST_F(ParameterFileTest, AFailedLoadChangesNothing) {
    main.txbFile[1].SetText("/texts/out.txt");
    main.UpdateDisableOutputOption();
    main.chkDisableOutputToFile.SetValue(1);
    params.chkAllowWordsWithPeriods.SetValue(1);
    const ParameterSet before = Saved();
    // Refused by the file's reading, and by the window that finds no item for a list.
    ParameterSet outOfRange = before, noChoice = before;
    outOfRange.inputFile = noChoice.inputFile = "/other.txt";
    outOfRange.shortWordSize = 12;
    noChoice.longWordSize = -1;
    for (const ParameterSet& bad : {outOfRange, noChoice}) {
        platform.ExpectFileDialog(WriteSet(bad, "bad.vesk"));
        platform.ExpectMessage(MsgAnswer::Ok);
        params.cmdSaveLoadParameters[1].Click();
        EXPECT_EQ(params.txbParametersFile.Text(), PathOf("bad.vesk"));
        EXPECT_EQ(Saved(), before);
    }
}

TEST_F(ParameterFileTest, ALoadMakesTheWordsStaleOnlyWhenItChangesHowTextIsScanned) {
    ParameterSet set;
    set.ignoreRepetitions = 0;  // a filter only
    main.blnWordsGot = true;
    LoadThroughButton(set);
    EXPECT_TRUE(main.blnWordsGot);
    EXPECT_EQ(params.chkIgnoreRepetitions.Value(), 0);
    EXPECT_EQ(params.chkIgnoreRomNum40.Value(), 1);
    EXPECT_FALSE(params.blnReverting);
    for (auto change : {+[](ParameterSet& s) { s.allowPeriods = 1; }, +[](ParameterSet& s) { s.commentStart2 = "#"; },
                        +[](ParameterSet& s) { s.inputFile = "/another.txt"; }}) {
        change(set);
        main.blnWordsGot = true;
        LoadThroughButton(set);  // no question while loading
        EXPECT_FALSE(main.blnWordsGot);
    }
}

TEST_F(ParameterFileTest, SaveAndLoadButtons) {
    const std::string file = PathOf("test.vesk");
    platform.ExpectFileDialog(file);
    params.cmdSaveLoadParameters[0].Click();
    EXPECT_EQ(params.lblParameters.Caption(), "Parameters saved to");
    EXPECT_EQ(ReadBytes(file), ReadBytes(WriteSet(DefaultParameters(), "defaults.vesk")));
    platform.ExpectFileDialog(std::nullopt);
    params.cmdSaveLoadParameters[0].Click();
    platform.ExpectFileDialog(std::string());
    params.cmdSaveLoadParameters[0].Click();
    EXPECT_EQ(params.txbParametersFile.Text(), file);
    EXPECT_EQ(params.lblParameters.Caption(), "Parameters saved to");

    platform.ExpectFileDialog(file);
    params.cmdSaveLoadParameters[1].Click();
    EXPECT_EQ(params.lblParameters.Caption(), "Parameters loaded from");
    EXPECT_EQ(platform.FileDialogs().at(0), (FileDialogRequest{"Specify file to save parameters to",
                                                               "Parameter files (*.vesk) | *.vesk", 34822u, true, ""}));
    EXPECT_EQ(platform.FileDialogs().at(3), (FileDialogRequest{"Specify file to load parameters from.",
                                                               "Parameter files (*.vesk) | *.vesk", 6148u, false, ""}));
}

TEST_F(ParameterFileTest, ALoadNeverListsAndReadsCommonWordsAtTheNextCount) {
    const std::string input = MakeFile("story.txt", "ibis heron heron stork\r\n");
    const std::string other = MakeFile("other.txt", "precious");
    const std::string common = MakeFile("common.txt", "heron\r\n");
    platform.ExpectFileDialog(MakeFile("first.txt", "stork\r\n"));
    platform.ExpectMessage(MsgAnswer::Ok);  // loaded
    params.cmdSelectCommonWordsFile.Click();
    main.txbFile[0].SetText(input);
    main.cmdListWords.Click();
    const std::string shown = main.txbOutput.Text();
    EXPECT_EQ(shown.find("stork"), std::string::npos);

    // A load naming a file in the output box, with the overwrite warning off and another order and format.
    ParameterSet set;
    set.inputFile = input;
    set.outputFile = other;
    set.warnOnOverwrite = 0;
    set.wordOrder = 1;
    set.displayFormat = 4;
    set.ignoreCommonWords = 1;
    set.commonWordsFile = common;
    LoadThroughButton(set);
    EXPECT_EQ(ReadBytes(other), "precious");
    EXPECT_EQ(main.txbOutput.Text(), shown);
    EXPECT_TRUE(main.blnWordsGot);
    EXPECT_FALSE(main.blnCommonWordsLoaded);

    main.chkDisableOutputToFile.SetValue(1);
    main.cboDisplayFormat.SetListIndex(0);
    platform.ExpectMessage(MsgAnswer::Ok);  // loaded
    main.cmdListWords.Click();
    EXPECT_EQ(main.txbOutput.Text().find("heron"), std::string::npos);
    EXPECT_NE(main.txbOutput.Text().find("stork"), std::string::npos);
}

// A name is the same text inside the program and on disk, whatever its script; names that one Western code
// page would have merged stay apart.
TEST_F(ParameterFileTest, FileNamesAreUtf8InsideTheProgram) {
    const std::string polish = "Łódź.vesk", russian = "Ж.vesk";
    main.txbFile[1].SetText(PathOf(polish));
    ASSERT_EQ(main.SaveState(PathOf(polish)), "");
    main.txbFile[1].SetText(PathOf(russian));
    ASSERT_EQ(main.SaveState(PathOf(russian)), "");
    EXPECT_TRUE(std::filesystem::exists(folder / polish));
    ASSERT_EQ(main.RestoreSavedState(PathOf(polish)), "");
    EXPECT_EQ(main.txbFile[1].Text(), PathOf(polish));
}

}  // namespace
}  // namespace vesk::test
