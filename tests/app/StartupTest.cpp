// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "app/AppTestSupport.h"
#include "text/ProgramText.h"

namespace vesk::test {
namespace {

using StartupTest = MainWindowTest;

TEST_F(StartupTest, FirstStartOpensWithTheDefaults) {
    platform.currentDirectory = folder.string();
    platform.screenWidthTwips = 11400 + 900;
    Start();
    EXPECT_FALSE(platform.Ended());
    EXPECT_TRUE(main.blnStartUpCompleted);
    EXPECT_FALSE(main.blnQuitting);
    EXPECT_TRUE(main.Visible());

    EXPECT_EQ(main.Caption(), "VESK " + VersionString());
    EXPECT_EQ(main.cmdCopyOutput.Caption(), "Copy to clipboard");
    EXPECT_FALSE(main.cmdCopyOutput.Bold());
    EXPECT_EQ(main.Label1.Caption(), "Click here to paste the clipboard text into the textbox");
    EXPECT_EQ(main.Label2.Caption(), main.GetProgramText(20));
    EXPECT_FALSE(main.Label2.Caption().empty());

    EXPECT_TRUE(main.optInFile.Value());
    EXPECT_FALSE(main.optInTextBox.Value());
    // The values a parameter file keeps start at their defaults, checked where the windows save them; besides:
    EXPECT_EQ(program.frmParams.txbCommonWordsFile.Text(), "");
    EXPECT_FALSE(main.chkDisableOutputToFile.Enabled());
    EXPECT_TRUE(main.txbFile[1].Enabled());
    EXPECT_EQ(main.Comments.starts[0], "/*");
    EXPECT_EQ(main.Scanner.OpenComment(), -1);
    EXPECT_EQ(main.ProcessingNotice, "Processing ...");
    EXPECT_EQ(main.lblTwirler.Caption(), " ");
    EXPECT_EQ(main.lblFilesize.Caption(), "");

    EXPECT_EQ(main.strStateFile, platform.userDataFolder + "/Kestrine Systems/vesk.usr");
    EXPECT_TRUE(std::filesystem::is_directory(platform.userDataFolder + "/Kestrine Systems"));
    EXPECT_FALSE(std::filesystem::exists(main.strStateFile));

    EXPECT_EQ(main.FocusedControl(), &main.cmdFile[0]);
    EXPECT_EQ(platform.currentDirectory, "/");

    // A screen 900 twips wider than the window puts the window 300 twips from the left.
    EXPECT_EQ(main.Width(), 11400);
    EXPECT_EQ(main.Left(), 300);
    EXPECT_EQ(main.Top(), 100);

    for (Label* label :
         {&main.lblNumberOfWords, &main.lblNumWordsExcluded, &main.lblNumOccurrences, &main.lblTotalNumOccurrences})
        EXPECT_FALSE(label->Visible()) << label->Name();
}

TEST_F(StartupTest, DefaultCommonWordsFileIsBesideTheProgram) {
    Start();
    platform.programFolder = "/opt/vesk";
    main.SetDefaultCommonWordsFile();
    EXPECT_EQ(main.strCommonWordsFile, "/opt/vesk/cwds_en.txt");
    EXPECT_EQ(program.frmParams.txbCommonWordsFile.Text(), "/opt/vesk/cwds_en.txt");
    platform.programFolder = "/";
    main.SetDefaultCommonWordsFile();
    EXPECT_EQ(main.strCommonWordsFile, "/cwds_en.txt");
}

// Saves the state of a started program whose input name is `input`, as a user would before quitting.
void SaveStateWithInput(ScriptedPlatform& platform, const std::string& input) {
    Program first(platform);
    first.Start();
    first.frmMain.txbFile[0].SetText(input);
    ASSERT_EQ(first.frmMain.SaveState(""), "");
}

TEST_F(StartupTest, RestoredInputThatExistsShowsItsSize) {
    const std::string input = MakeFile("story.txt", "alpha beta\r\n");
    SaveStateWithInput(platform, input);
    platform.currentDirectory = "/";
    Start();
    EXPECT_EQ(main.txbFile[0].Text(), input);
    EXPECT_EQ(main.lblFilesize.Caption(), "Filesize:   12 bytes");
    EXPECT_EQ(main.FocusedControl(), &main.cmdListWords);
    // The folder of the input becomes the current directory, for the next file dialog.
    EXPECT_EQ(platform.currentDirectory, folder.string() + "/");
}

TEST_F(StartupTest, RestoredInputThatHasGoneIsDroppedSilently) {
    std::filesystem::create_directories(folder / "texts");
    const std::string input = MakeFile("texts/story.txt", "alpha\r\n");
    SaveStateWithInput(platform, input);
    std::filesystem::remove(input);
    Start();
    EXPECT_EQ(main.txbFile[0].Text(), "");
    EXPECT_EQ(main.lblFilesize.Caption(), "");
    EXPECT_EQ(platform.currentDirectory, (folder / "texts").string() + "/");
    EXPECT_EQ(main.FocusedControl(), &main.cmdFile[0]);
}

TEST_F(StartupTest, RestoredInputWithoutExtensionIsDroppedSilently) {
    const std::string input = MakeFile("readme", "alpha\r\n");
    SaveStateWithInput(platform, input);
    Start();
    EXPECT_EQ(main.txbFile[0].Text(), "");
    EXPECT_EQ(main.FocusedControl(), &main.cmdFile[0]);
}

TEST_F(StartupTest, FocusGoesToTheNextUsefulButtonOnlyWhenVisible) {
    // Before start-up the window is not shown: nothing moves, nothing fails.
    main.lblTwirler.SetCaption("x");
    main.SetTheFocus();
    EXPECT_EQ(main.FocusedControl(), nullptr);
    EXPECT_EQ(main.lblTwirler.Caption(), "x");

    Start();
    main.optInTextBox.Select();  // the source does not matter
    EXPECT_EQ(main.FocusedControl(), &main.cmdFile[0]);

    main.txbFile[0].SetText(PathOf("in.txt"));
    main.SetTheFocus();
    EXPECT_EQ(main.FocusedControl(), &main.cmdListWords);

    main.txbFile[0].SetText("");
    main.cmdFile[0].SetEnabled(false);
    main.SetTheFocus();
    EXPECT_EQ(main.FocusedControl(), &main.cmdListWords);

    main.SetFocus(main.cmdQuit);
    main.cmdListWords.SetEnabled(false);
    main.lblTwirler.SetCaption("x");
    main.SetTheFocus();
    EXPECT_EQ(main.FocusedControl(), &main.cmdQuit);
    EXPECT_EQ(main.lblTwirler.Caption(), " ");

    main.Hide();
    main.cmdListWords.SetEnabled(true);
    main.SetTheFocus();
    EXPECT_EQ(main.FocusedControl(), &main.cmdQuit);
}

TEST_F(StartupTest, SourceButtonsForgetTheCount) {
    Start();
    main.txbOutput.SetText("listing");
    main.blnWordsGot = true;
    main.ResultsShown = false;
    main.optInTextBox.Select();
    EXPECT_FALSE(main.blnWordsGot);
    EXPECT_EQ(main.txbOutput.Text(), "listing");

    main.ResultsShown = true;
    main.blnWordsGot = true;
    main.optInFile.Select();
    EXPECT_FALSE(main.blnWordsGot);
    EXPECT_EQ(main.txbOutput.Text(), "listing");
    main.optInTextBox.Select();
    EXPECT_EQ(main.txbOutput.Text(), "");
    EXPECT_TRUE(main.optInTextBox.Value());
    EXPECT_FALSE(main.optInFile.Value());
}

TEST_F(StartupTest, DisableBoxFollowsTheOutputName) {
    Start();
    main.txbFile[1].SetText("  " + PathOf("out.txt") + " ");
    main.txbFile[1].LostFocus();
    EXPECT_EQ(main.txbFile[1].Text(), PathOf("out.txt"));
    EXPECT_TRUE(main.chkDisableOutputToFile.Enabled());
    main.chkDisableOutputToFile.SetValue(1);
    main.UpdateDisableOutputOption();
    EXPECT_EQ(main.chkDisableOutputToFile.Value(), 1);

    main.txbFile[1].SetText("   ");
    main.txbFile[1].LostFocus();
    EXPECT_EQ(main.txbFile[1].Text(), "");
    EXPECT_EQ(main.chkDisableOutputToFile.Value(), 0);
    EXPECT_FALSE(main.chkDisableOutputToFile.Enabled());
}

TEST_F(StartupTest, LabelClickShowsTheClipboardText) {
    Start();
    main.blnWordsGot = true;
    platform.SetClipboard("some words");
    main.Label1.Click();
    EXPECT_FALSE(main.blnWordsGot);
    EXPECT_EQ(main.txbOutput.Text(), "some words");
    EXPECT_EQ(main.ClipboardText, "some words");
    EXPECT_EQ(main.lblSizeOfClipboardContents.Caption(), "Contents of clipboard:   10 bytes");
}

TEST_F(StartupTest, ParametersAreResetByInitialize) {
    Start();
    main.txbFile[0].SetText(PathOf("in.txt"));
    main.txbFile[1].SetText(PathOf("out.txt"));
    main.chkSuppressWords.SetValue(1);
    main.strCommonWordsFile = "/x/cwds.txt";
    program.frmParams.txbParametersFile.SetText("/x/p.vesk");
    main.Comments.starts[0] = "<";
    main.Initialize();
    EXPECT_EQ(main.txbFile[0].Text(), "");
    EXPECT_EQ(main.txbFile[1].Text(), "");
    EXPECT_EQ(main.chkSuppressWords.Value(), 0);
    EXPECT_EQ(main.strCommonWordsFile, "");
    EXPECT_EQ(program.frmParams.txbParametersFile.Text(), "");
    EXPECT_EQ(main.Comments.starts[0], "/*");
    EXPECT_EQ(main.Comments.ends[0], "*/");
    EXPECT_FALSE(main.chkDisableOutputToFile.Enabled());
}

TEST_F(StartupTest, MissingProgramTextEndsTheProgramBeforeTheWindowShows) {
    platform.programFolder = folder.string() + "/";  // holds no program-text file
    platform.ExpectMessage(MsgAnswer::Ok);
    Start();
    ASSERT_EQ(platform.Messages().size(), 1u);
    EXPECT_EQ(LastMessage(),
              (ShownMessage{"Cannot open file containing program text.\r\n" + folder.string() + "/vesk_text.dat", "",
                            MsgButtons::Ok, MsgIcon::Critical}));
    EXPECT_TRUE(platform.Ended());
    EXPECT_FALSE(main.Visible());
    EXPECT_FALSE(main.blnStartUpCompleted);
    EXPECT_EQ(main.strStateFile, "");
}

}  // namespace
}  // namespace vesk::test
