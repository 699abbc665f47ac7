#include <string>

#include "params/ParamsFixture.h"
#include "params/SavedState.h"

namespace vesk::test {
namespace {

using SavedStateTest = ProgramTest;

TEST_F(SavedStateTest, AppDataFilePath) {
    platform.userDataFolder = (folder / "deep" / "config").string();
    EXPECT_EQ(GetAppDataFilePath(platform, "vesk.usr", "Kestrine Systems"),
              (folder / "deep" / "config" / "Kestrine Systems" / "vesk.usr").string());
    EXPECT_TRUE(std::filesystem::is_directory(folder / "deep" / "config" / "Kestrine Systems"));

    platform.userDataFolder = (folder / "slash").string() + "/";
    EXPECT_EQ(GetAppDataFilePath(platform, "f", "d"), (folder / "slash" / "d" / "f").string());

    // A folder that cannot be made is not an error here.
    WriteBytes(folder / "file", "");
    platform.userDataFolder = (folder / "file").string();
    EXPECT_EQ(GetAppDataFilePath(platform, "vesk.usr", "Kestrine Systems"),
              (folder / "file" / "Kestrine Systems" / "vesk.usr").string());
}

TEST_F(SavedStateTest, WithoutAUserFolderTheRootIsUsed) {
    const std::string name = "vesk-test-" + std::to_string(::getpid());
    const bool existed = std::filesystem::exists("/" + name);
    platform.userDataFolder.clear();
    EXPECT_EQ(GetAppDataFilePath(platform, "vesk.usr", name), "/" + name + "/vesk.usr");
    if (!existed) std::filesystem::remove_all("/" + name);
}

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
    std::vector<std::string> lines = DefaultLines();
    lines[12] = "1";  // line 13
    lines[13] = "0";  // line 14
    lines[9] = "-1";  // line 10
    WriteBytes(stateFile, CrLfLines(lines));
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
    EXPECT_EQ(ReadBytes(stateFile), CrLfLines([] {
                  auto lines = DefaultLines();
                  lines[30] = "0";
                  return lines;
              }()));
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
    EXPECT_EQ(platform.LastMessage(), (ShownMessage{"Error when attempting to save parameters: Not a directory",
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
