// SPDX-License-Identifier: GPL-3.0-or-later
// The main window from start-up on: what a first start and a restored state give, where the focus goes, how
// its boxes and source buttons react, and the help window it opens.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "app/AppTestSupport.h"
#include "app/HelpWindow.h"

namespace vesk::test {
namespace {

using Startup = WindowTest;

TEST_F(Startup, FirstStartMakesTheStateFolderButNoStateFile) {
    Start();
    EXPECT_TRUE(main.blnStartUpCompleted && main.Visible());
    EXPECT_FALSE(platform.Ended() || main.blnQuitting);
    EXPECT_EQ(main.strStateFile, platform.userDataFolder + "/Kestrine Systems/vesk.usr");
    EXPECT_TRUE(std::filesystem::is_directory(platform.userDataFolder + "/Kestrine Systems"));
    EXPECT_FALSE(std::filesystem::exists(main.strStateFile));
    EXPECT_EQ(main.FocusedControl(), &main.cmdFile[0]);
    for (const auto& [programFolder, file] : {std::pair{"/opt/vesk", "/opt/vesk/cwds_en.txt"}, {"/", "/cwds_en.txt"}}) {
        platform.programFolder = programFolder;
        main.SetDefaultCommonWordsFile();
        EXPECT_EQ(params.txbCommonWordsFile.Text() + " " + main.strCommonWordsFile, file + (" " + std::string(file)));
    }
    for (Label* label :
         {&main.lblNumberOfWords, &main.lblNumWordsExcluded, &main.lblNumOccurrences, &main.lblTotalNumOccurrences})
        EXPECT_FALSE(label->Visible()) << label->Name();
}

TEST_F(Startup, ARestoredInputIsCheckedSilently) {
    std::filesystem::create_directories(folder / "texts");
    const struct {
        std::string input;
        bool kept;  // in its box
    } cases[] = {{MakeFile("texts/story.txt", "alpha beta\r\n"), true}, {PathOf("texts/gone.txt"), false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.input);
        OtherProgram earlier(platform.userDataFolder), next(platform.userDataFolder);
        earlier.Start();
        earlier.main.txbFile[0].SetText(c.input);
        ASSERT_EQ(earlier.main.SaveState(""), "");
        next.Start();
        EXPECT_EQ(next.main.txbFile[0].Text(), c.kept ? c.input : "");
        EXPECT_EQ(next.main.lblFilesize.Caption(), c.kept ? "Filesize:   12 bytes" : "");
        EXPECT_EQ(next.main.FocusedControl(), c.kept ? &next.main.cmdListWords : &next.main.cmdFile[0]);
        // The next file dialog opens where the input was, when that folder is there.
        EXPECT_EQ(next.main.LastDialogFolder, (folder / "texts").string() + "/");
    }
}

TEST_F(Startup, FocusGoesToTheNextUsefulButtonOnlyWhenVisible) {
    main.SetTheFocus();  // before start-up the window is not shown: nothing moves, nothing fails
    EXPECT_EQ(main.FocusedControl(), nullptr);
    Start();
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
}

TEST_F(Startup, SourceButtonsForgetTheCount) {
    Start();
    main.txbOutput.SetText("listing");
    main.blnWordsGot = true;
    main.optInTextBox.Select();  // the box keeps what is not a listing
    EXPECT_FALSE(main.blnWordsGot);
    EXPECT_EQ(main.txbOutput.Text(), "listing");
    main.blnWordsGot = true;
    main.optInFile.Select();
    EXPECT_FALSE(main.blnWordsGot);
    main.ResultsShown = true;
    main.optInTextBox.Select();
    EXPECT_EQ(main.txbOutput.Text(), "");
}

TEST_F(Startup, DisableBoxFollowsTheOutputName) {
    Start();
    main.txbFile[1].SetText("  " + PathOf("out.txt") + " ");
    main.txbFile[1].LostFocus();
    EXPECT_EQ(main.txbFile[1].Text(), PathOf("out.txt"));
    EXPECT_TRUE(main.chkDisableOutputToFile.Enabled());
    main.chkDisableOutputToFile.SetValue(1);
    main.txbFile[1].SetText("   ");
    main.txbFile[1].LostFocus();
    EXPECT_EQ(main.txbFile[1].Text(), "");
    EXPECT_EQ(main.chkDisableOutputToFile.Value(), 0);
    EXPECT_FALSE(main.chkDisableOutputToFile.Enabled());
}

TEST_F(Startup, OpensFromTheButtonOrF1RestoredAndClosesToTheFileButton) {
    Start();
    HelpWindow& help = program.frmHelp;
    main.cmdHelp.KeyUp(113);
    main.cmdListWords.KeyUp(13);
    EXPECT_FALSE(help.Visible());
    for (Button* button : {&main.cmdListWords, &main.cmdHelp, &main.cmdFile[0], &main.cmdFile[1]}) {
        help.Hide();
        button->KeyUp(112);
        EXPECT_TRUE(help.Visible()) << button->Name();
    }
    EXPECT_NE(help.txbHelpScreen.Text().find(" found at https://vesk.example.org/manual/.  "), std::string::npos);
    EXPECT_TRUE(platform.FileDialogs().empty());

    help.SetMinimized(true);
    main.cmdHelp.Click();
    EXPECT_FALSE(help.Minimized());
    main.SetFocus(main.cmdQuit);
    help.cmdClose.Click();
    EXPECT_FALSE(help.Visible());
    EXPECT_EQ(main.FocusedControl(), &main.cmdFile[0]);

    main.lblKestrineSystems.Click();
    main.lblOnlineDocumentation.Click();
    EXPECT_EQ(platform.OpenedUrls(),
              (std::vector<std::string>{"https://vesk.example.org/", "https://vesk.example.org/manual/"}));
}

}  // namespace
}  // namespace vesk::test
