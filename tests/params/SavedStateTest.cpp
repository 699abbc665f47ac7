// SPDX-License-Identifier: GPL-3.0-or-later
#include <string>

#include "params/ParamsFixture.h"

namespace vesk::test {
namespace {

using SavedStateTest = ProgramTest;

TEST_F(SavedStateTest, SavedStateIsRestoredAtTheNextStart) {
    Start();
    params.chkIgnoreRomNum40.SetValue(0);
    params.txbWordsToIgnore.SetText("Foo bar");
    params.txbWordsToIgnore.LostFocus();
    params.cboThresholdFrequency.SetListIndex(4);
    main.cboWordOrder.SetListIndex(1);
    platform.ExpectMessage(MsgAnswer::Ok);
    main.cmdSaveState.Click();
    EXPECT_EQ(platform.LastMessage(), (ShownMessage{"State saved.", "Save", MsgButtons::Ok, MsgIcon::None}));
    EXPECT_EQ(main.FocusedControl(), &main.cmdFile[0]);

    ScriptedPlatform again;
    again.userDataFolder = platform.userDataFolder;
    Program next(again);
    next.Start();
    EXPECT_TRUE(again.Messages().empty());
    EXPECT_EQ(next.frmParams.chkIgnoreRomNum40.Value(), 0);
    EXPECT_EQ(next.frmParams.txbWordsToIgnore.Text(), "foo,bar");
    EXPECT_EQ(next.frmMain.strWordsToIgnore, "foo,bar,");
    EXPECT_EQ(next.frmParams.cboThresholdFrequency.ListIndex(), 4);
    EXPECT_EQ(next.frmMain.cboWordOrder.ListIndex(), 1);
}

TEST_F(SavedStateTest, ADamagedStateFileGivesTheDefaults) {
    std::filesystem::create_directories(stateFile.parent_path());
    ParameterSet set;
    set.ignoreCommonWords = 1;
    set.ignoreRepetitions = 0;
    set.thresholdFrequency = -1;
    ASSERT_EQ(WriteParameterFile(stateFile.string(), set), "");
    const std::string before = ReadBytes(stateFile);
    Start();
    EXPECT_TRUE(platform.Messages().empty());
    EXPECT_EQ(params.chkIgnoreCommonWords.Value(), 0);  // nothing of the file is applied
    EXPECT_EQ(params.chkIgnoreRepetitions.Value(), 1);
    EXPECT_EQ(params.cboThresholdFrequency.ListIndex(), 0);
    EXPECT_EQ(ReadBytes(stateFile), before);
}

TEST_F(SavedStateTest, QuittingSavesSilentlyWhenAsked) {
    Start();
    params.chkWarnOnOverwrite.SetValue(0);
    main.cmdQuit.Click();
    EXPECT_TRUE(platform.Ended());
    EXPECT_TRUE(main.blnQuitting);
    ParameterSet saved;
    ASSERT_EQ(ReadParameterFile(stateFile.string(), saved), "");
    ParameterSet expected;
    expected.warnOnOverwrite = 0;
    EXPECT_EQ(saved, expected);
}

TEST_F(SavedStateTest, QuittingWithoutSavingLeavesTheStateFile) {
    Start();
    params.chkSaveStateOnQuit.SetValue(0);
    main.cmdQuit.Click();
    EXPECT_TRUE(platform.Ended());
    EXPECT_FALSE(std::filesystem::exists(stateFile));
}

TEST_F(SavedStateTest, AStateThatCannotBeSavedIsReported) {
    WriteBytes(folder / "file", "");
    platform.userDataFolder = (folder / "file").string();
    Start();  // the folder cannot be made: the program starts all the same

    platform.ExpectMessage(MsgAnswer::Ok);
    main.cmdSaveState.Click();
    EXPECT_EQ(platform.LastMessage(), (ShownMessage{"Error when attempting to save parameters: Not a directory\r\n"
                                                    "State file: " +
                                                        main.strStateFile,
                                                    "Error", MsgButtons::Ok, MsgIcon::Exclamation}));

    // On quitting the error is still shown, then the program ends.
    platform.ExpectMessage(MsgAnswer::Ok);
    main.cmdQuit.Click();
    EXPECT_EQ(platform.Messages().size(), 2u);
    EXPECT_EQ(platform.Messages()[1].title, "Error");
    EXPECT_TRUE(platform.Ended());
}

}  // namespace
}  // namespace vesk::test
