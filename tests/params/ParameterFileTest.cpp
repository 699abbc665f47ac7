// SPDX-License-Identifier: GPL-3.0-or-later
// Parameter and state files as the windows save and load them: every value of the set is held by a control,
// a failed load changes nothing, and a load never counts nor lists. The file format itself is tested in
// tests/settings; the messages in MessagesTest.

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "app/AppTestSupport.h"
#include "support/RandomParameters.h"

namespace vesk::test {
namespace {

class ParameterFileTest : public WindowTest {
  protected:
    void SetUp() override { Start(); }
    // Loads the set through the window's button.
    void LoadThroughButton(const ParameterSet& set) {
        platform.ExpectFileDialog(WriteSet(set));
        params.cmdSaveLoadParameters[1].Click();
    }
};

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
    main.txbFile[0].SetText("");  // else dropped at the next start, the file being missing (StartupTest)
    ASSERT_EQ(main.SaveState(""), "");
    OtherProgram next(platform.userDataFolder);
    next.Start();
    EXPECT_EQ(next.Saved(), Saved());
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
    platform.ExpectFileDialog(std::nullopt);
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

TEST_F(ParameterFileTest, FileNamesAreWindows1252InsideTheProgram) {
    ASSERT_EQ(main.SaveState(PathOf("caf\xE9.vesk")), "");
    EXPECT_TRUE(std::filesystem::exists(folder / "caf\xC3\xA9.vesk"));
    EXPECT_EQ(main.RestoreSavedState(PathOf("caf\xE9.vesk")), "");
}

}  // namespace
}  // namespace vesk::test
