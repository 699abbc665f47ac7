// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <initializer_list>
#include <string>

#include "app/AppTestSupport.h"
#include "listing/NumberFormat.h"
#include "listing/RunError.h"

namespace vesk::test {
namespace {

class InputSourceTest : public MainWindowTest {
  protected:
    void SetUp() override {
        SetNumberSeparatorsForTesting(",", ".");
        Start();
    }
    void TearDown() override { SetNumberSeparatorsForTesting("", ""); }

    std::string MakeSizedFile(const std::string& name, std::uintmax_t size) {
        const std::string path = MakeFile(name, "");
        std::filesystem::resize_file(path, size);
        return path;
    }
};

TEST_F(InputSourceTest, SizeLineShowsBytesThenKilobytesThenMegabytes) {
    EXPECT_TRUE(main.CheckInputFile(MakeSizedFile("a.txt", 234221)));
    EXPECT_EQ(main.lblFilesize.Caption(), "Filesize:   234,221 bytes    228.73 KB");
    EXPECT_TRUE(main.CheckInputFile(MakeSizedFile("b.txt", 9999)));
    EXPECT_EQ(main.lblFilesize.Caption(), "Filesize:   9,999 bytes");
    EXPECT_TRUE(main.CheckInputFile(MakeSizedFile("c.txt", 10000)));
    EXPECT_EQ(main.lblFilesize.Caption(), "Filesize:   10,000 bytes    9.77 KB");
    EXPECT_TRUE(main.CheckInputFile(MakeSizedFile("d.txt", 10238976)));
    EXPECT_EQ(main.lblFilesize.Caption(), "Filesize:   10,238,976 bytes    9,999.00 KB");
    EXPECT_TRUE(main.CheckInputFile(MakeSizedFile("e.txt", 10238977)));
    EXPECT_EQ(main.lblFilesize.Caption(), "Filesize:   10,238,977 bytes    9,999.00 KB    9.76 MB");
    EXPECT_TRUE(main.CheckInputFile(MakeSizedFile("f.txt", 0)));
    EXPECT_EQ(main.lblFilesize.Caption(), "Filesize:   0 bytes");
    EXPECT_EQ(platform.currentDirectory, folder.string() + "/");
}

TEST_F(InputSourceTest, InputNameCheckMessagesAfterStartUp) {
    main.lblFilesize.SetCaption("Filesize:   1 bytes");
    std::filesystem::create_directories(folder / "v1.2");
    main.txbFile[0].SetText(PathOf("v1.2/readme"));
    platform.ExpectMessage(MsgAnswer::Ok);
    EXPECT_FALSE(main.CheckInputFile(PathOf("v1.2/readme")));
    EXPECT_EQ(LastMessage(), (ShownMessage{"Invalid input file specification.", "Invalid input", MsgButtons::Ok,
                                           MsgIcon::Exclamation}));
    EXPECT_EQ(main.txbFile[0].Text(), PathOf("v1.2/readme"));
    EXPECT_EQ(main.lblFilesize.Caption(), "");

    platform.ExpectMessage(MsgAnswer::Ok);
    EXPECT_FALSE(main.CheckInputFile(PathOf("notes.")));
    EXPECT_EQ(platform.Messages().size(), 2u);
    EXPECT_EQ(LastMessage().text, "Invalid input file specification.");

    platform.ExpectMessage(MsgAnswer::Ok);
    EXPECT_FALSE(main.CheckInputFile(PathOf("readme.txt")));
    EXPECT_EQ(LastMessage(), (ShownMessage{"Input file does not exist.\r\nInput file: " + PathOf("readme.txt"),
                                           "File not found", MsgButtons::Ok, MsgIcon::Exclamation}));
}

TEST_F(InputSourceTest, InputNameThatCannotBeLookedUpIsNotCalledMissing) {
    const std::string plain = MakeFile("plain.txt", "alpha\r\n");
    std::filesystem::create_directories(folder / "dir.txt");
    std::filesystem::create_symlink("loop.txt", folder / "loop.txt");
    const std::string tooLong = PathOf(std::string(300, 'n') + ".txt");
    const struct {
        std::string name, text;
    } cases[] = {
        {tooLong, "Error 36: File name too long"},
        {plain + "/inner.txt", "Error 20: Not a directory"},
        {PathOf("loop.txt"), "Error 40: Too many levels of symbolic links"},
        {PathOf("dir.txt"), "Error 21: Is a directory"},
    };
    for (const auto& c : cases) {
        main.lblFilesize.SetCaption("Filesize:   1 bytes");
        platform.ExpectMessage(MsgAnswer::Ok);
        EXPECT_FALSE(main.CheckInputFile(c.name));
        EXPECT_EQ(LastMessage(),
                  (ShownMessage{c.text + "\r\nInput file: " + c.name, "Error", MsgButtons::Ok, MsgIcon::Exclamation}));
        EXPECT_EQ(main.lblFilesize.Caption(), "");
    }

    // A pipe or a device is no text file to count.
    ASSERT_EQ(::mkfifo(PathOf("pipe.txt").c_str(), 0600), 0);
    platform.ExpectMessage(MsgAnswer::Ok);
    EXPECT_FALSE(main.CheckInputFile(PathOf("pipe.txt")));
    EXPECT_EQ(LastMessage(), (ShownMessage{"This is not a text file.\r\nInput file: " + PathOf("pipe.txt"),
                                           "Invalid input", MsgButtons::Ok, MsgIcon::Exclamation}));
}

TEST_F(InputSourceTest, InputNameCheckIsSilentDuringStartUp) {
    main.blnStartUpCompleted = false;
    platform.currentDirectory = "/";
    main.txbFile[0].SetText(PathOf("readme"));
    EXPECT_FALSE(main.CheckInputFile(main.txbFile[0].Text()));
    EXPECT_EQ(main.txbFile[0].Text(), "");
    EXPECT_EQ(platform.currentDirectory, "/");

    main.txbFile[0].SetText(PathOf("gone.txt"));
    EXPECT_FALSE(main.CheckInputFile(main.txbFile[0].Text()));
    EXPECT_EQ(main.txbFile[0].Text(), "");
    EXPECT_EQ(platform.currentDirectory, folder.string() + "/");

    platform.currentDirectory = "/";
    main.txbFile[0].SetText(PathOf("nofolder/gone.txt"));
    EXPECT_FALSE(main.CheckInputFile(main.txbFile[0].Text()));
    EXPECT_EQ(platform.currentDirectory, "/");
}

TEST_F(InputSourceTest, InputFileDialog) {
    const std::string input = MakeFile("story.txt", "alpha\r\n");
    main.optInTextBox.Select();
    main.txbOutput.SetText("old listing");
    main.blnWordsGot = true;
    platform.ExpectFileDialog(input);
    main.cmdFile[0].Click();
    ASSERT_EQ(platform.FileDialogs().size(), 1u);
    EXPECT_EQ(platform.FileDialogs()[0],
              (FileDialogRequest{"Specify input file", "Any file containing only text (*.*) | *.*",
                                 FileDialogFlags::kFileMustExist | FileDialogFlags::kPathMustExist, false, ""}));
    EXPECT_EQ(main.txbFile[0].Text(), input);
    EXPECT_EQ(main.lblFilesize.Caption(), "Filesize:   7 bytes");
    EXPECT_EQ(main.txbOutput.Text(), "");
    EXPECT_FALSE(main.blnWordsGot);
    EXPECT_TRUE(main.optInFile.Value());
    EXPECT_EQ(main.FocusedControl(), &main.cmdListWords);

    // Cancelled: the name stays, the file source is chosen all the same.
    main.optInTextBox.Select();
    main.txbOutput.SetText("kept");
    platform.ExpectFileDialog(std::nullopt);
    main.cmdFile[0].Click();
    EXPECT_EQ(main.txbFile[0].Text(), input);
    EXPECT_EQ(main.txbOutput.Text(), "kept");
    EXPECT_TRUE(main.optInFile.Value());
}

TEST_F(InputSourceTest, OutputFileDialog) {
    main.blnWordsGot = true;
    platform.ExpectFileDialog(PathOf("result.txt"));
    main.cmdFile[1].Click();
    ASSERT_EQ(platform.FileDialogs().size(), 1u);
    EXPECT_EQ(platform.FileDialogs()[0],
              (FileDialogRequest{"Specify output file", "", FileDialogFlags::kHideReadOnly, false, ""}));
    EXPECT_EQ(main.txbFile[1].Text(), PathOf("result.txt"));
    EXPECT_TRUE(main.chkDisableOutputToFile.Enabled());
    EXPECT_TRUE(main.blnWordsGot);

    main.cmdClearFile[1].Click();
    EXPECT_EQ(main.txbFile[1].Text(), "");
    EXPECT_EQ(main.FocusedControl(), &main.cmdFile[1]);
    EXPECT_FALSE(main.chkDisableOutputToFile.Enabled());

    platform.ExpectFileDialog(std::nullopt);
    main.cmdFile[1].Click();
    EXPECT_EQ(main.chkDisableOutputToFile.Value(), 0);
    EXPECT_FALSE(main.chkDisableOutputToFile.Enabled());
}

TEST_F(InputSourceTest, ClearingAndLeavingTheInputName) {
    const std::string input = MakeFile("story.txt", "alpha\r\n");
    main.txbFile[0].SetText("  " + input + "  ");
    main.blnWordsGot = true;
    main.txbFile[0].LostFocus();
    EXPECT_EQ(main.txbFile[0].Text(), input);
    EXPECT_EQ(main.lblFilesize.Caption(), "Filesize:   7 bytes");
    EXPECT_FALSE(main.blnWordsGot);
    EXPECT_EQ(main.FocusedControl(), &main.cmdListWords);

    main.blnWordsGot = true;
    main.cmdClearFile[0].Click();
    EXPECT_EQ(main.txbFile[0].Text(), "");
    EXPECT_EQ(main.lblFilesize.Caption(), "");
    EXPECT_EQ(main.FocusedControl(), &main.cmdFile[0]);
    EXPECT_TRUE(main.blnWordsGot);

    // An empty name is not checked when the box is left.
    main.txbFile[0].SetText("   ");
    main.txbFile[0].LostFocus();
    EXPECT_EQ(main.txbFile[0].Text(), "");
}

TEST_F(InputSourceTest, ClipboardFetchLimitsAndMessages) {
    platform.SetClipboard("");
    main.txbOutput.SetText("old");
    main.lblSizeOfClipboardContents.SetCaption("Contents of clipboard:   3 bytes");
    platform.ExpectMessage(MsgAnswer::Ok);
    EXPECT_FALSE(main.FetchClipboardText(false));
    EXPECT_EQ(LastMessage(), (ShownMessage{"Clipboard is empty.", "Clipboard empty", MsgButtons::Ok, MsgIcon::None}));
    EXPECT_EQ(main.txbOutput.Text(), "");
    EXPECT_EQ(main.lblSizeOfClipboardContents.Caption(), "");

    const std::string exact(100000, 'a');
    platform.SetClipboard(exact);
    main.blnWordsGot = true;
    main.ResultsShown = true;
    EXPECT_TRUE(main.FetchClipboardText(false));
    EXPECT_EQ(main.ClipboardText, exact);
    EXPECT_EQ(main.lblSizeOfClipboardContents.Caption(), "Contents of clipboard:   100,000 bytes");
    EXPECT_EQ(main.txbOutput.Text(), "");
    EXPECT_FALSE(main.blnWordsGot);
    EXPECT_FALSE(main.ResultsShown);
    EXPECT_EQ(platform.Messages().size(), 1u);

    platform.SetClipboard(exact + "b");
    platform.ExpectMessage(MsgAnswer::Ok);
    EXPECT_FALSE(main.FetchClipboardText(true));
    EXPECT_EQ(LastMessage(), (ShownMessage{"There are 100,001 characters in the text on the clipboard.\r\n"
                                           "The maximum permitted is 100,000.  If possible,\r\n"
                                           "count word frequencies for this text using an input file.",
                                           "Too much clipboard text", MsgButtons::Ok, MsgIcon::None}));
    EXPECT_EQ(main.lblSizeOfClipboardContents.Caption(), "Contents of clipboard:   100,001 bytes");
    EXPECT_EQ(main.ClipboardText, exact);
    EXPECT_EQ(main.txbOutput.Text(), "");
}

TEST_F(InputSourceTest, ClipboardTextThatDoesNotFitTheBoxCanStillBeCounted) {
    main.txbOutput.SetMaxLength(5);
    platform.SetClipboard("alpha beta");
    platform.ExpectMessage(MsgAnswer::Ok);
    EXPECT_TRUE(main.FetchClipboardText(true));
    EXPECT_EQ(LastMessage(), (ShownMessage{"There is too much text on the clipboard to paste into the textbox.\r\n"
                                           "It may, however, still be possible to count word frequencies.",
                                           "Out of memory", MsgButtons::Ok, MsgIcon::Exclamation}));
    EXPECT_EQ(main.txbOutput.Text(), "");
    EXPECT_EQ(main.ClipboardText, "alpha beta");
}

class UnreadableClipboardPlatform : public ScriptedPlatform {
  public:
    std::string ReadClipboardText() override { throw RunError(16, "Clipboard is in use by another program"); }
};

using InputSourceClipboard = ProgramFixture<UnreadableClipboardPlatform>;

TEST_F(InputSourceClipboard, ReadFailureShowsTheDescription) {
    Start();
    platform.ExpectMessage(MsgAnswer::Ok);
    EXPECT_FALSE(main.FetchClipboardText(true));
    EXPECT_EQ(LastMessage(),
              (ShownMessage{"Clipboard is in use by another program", "Clipboard is in use by another program",
                            MsgButtons::Ok, MsgIcon::Exclamation}));
}

TEST_F(InputSourceTest, OutputBoxButtons) {
    main.txbOutput.SetText("alpha 3");
    main.optInFile.Select();
    main.cmdCopyOutput.Click();
    EXPECT_EQ(platform.Clipboard(), "alpha 3");
    EXPECT_EQ(main.lblSizeOfClipboardContents.Caption(), "Contents of clipboard:   7 bytes");
    EXPECT_TRUE(main.optInTextBox.Value());

    main.optInFile.Select();
    main.lblNumberOfWords.SetVisible(true);
    main.blnWordsGot = true;
    main.cmdClearOutput.Click();
    EXPECT_EQ(main.txbOutput.Text(), "");
    EXPECT_FALSE(main.lblNumberOfWords.Visible());
    EXPECT_FALSE(main.blnWordsGot);
    EXPECT_EQ(main.FocusedControl(), &main.cmdFile[0]);

    main.lblSizeOfClipboardContents.SetCaption("");
    main.cmdCopyOutput.Click();
    EXPECT_EQ(platform.Clipboard(), "");
    EXPECT_EQ(main.lblSizeOfClipboardContents.Caption(), "");
    EXPECT_TRUE(main.optInFile.Value());

    program.frmParams.Hide();
    main.cmdSetParameters.Click();
    EXPECT_TRUE(program.frmParams.Visible());
}

TEST_F(InputSourceTest, EnableControlsTouchesItsListOnly) {
    const std::initializer_list<Control*> listed{
        &main.cmdFile[0], &main.txbFile[0],      &main.cmdClearFile[0],        &main.cmdFile[1],
        &main.txbFile[1], &main.cmdClearFile[1], &main.chkDisableOutputToFile, &main.cmdCopyOutput,
        &main.cmdHelp,    &main.cmdSaveState,    &main.cmdSetParameters,       &main.cmdClearOutput};
    const std::initializer_list<Control*> untouched{&main.optInFile,       &main.optInTextBox, &main.chkSuppressWords,
                                                    &main.cmdQuit,         &main.cmdListWords, &main.cboWordOrder,
                                                    &main.cboDisplayFormat};
    std::vector<std::string> order;
    for (Control* c : listed) c->changed.Connect([&order, c] { order.push_back(c->Name()); });
    main.chkDisableOutputToFile.SetEnabled(true);
    order.clear();

    main.EnableControls(false);
    for (Control* c : listed) EXPECT_FALSE(c->Enabled()) << c->Name();
    for (Control* c : untouched) EXPECT_TRUE(c->Enabled()) << c->Name();
    const std::vector<std::string> expected{
        "cmdFile(0)", "txbFile(0)",      "cmdClearFile(0)",        "cmdFile(1)",
        "txbFile(1)", "cmdClearFile(1)", "chkDisableOutputToFile", "cmdCopyOutput",
        "cmdHelp",    "cmdSaveState",    "cmdSetParameters",       "cmdClearOutput"};
    EXPECT_EQ(order, expected);

    main.EnableControls(true);
    for (Control* c : listed) EXPECT_TRUE(c->Enabled()) << c->Name();
}

}  // namespace
}  // namespace vesk::test
