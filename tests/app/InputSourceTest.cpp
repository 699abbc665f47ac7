// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "listing/NumberFormat.h"
#include "support/ProgramFixture.h"

namespace vesk::test {
namespace {

class InputSourceTest : public ProgramFixture {
  protected:
    void SetUp() override {
        SetNumberSeparatorsForTesting(",", ".");
        Start();
    }
    void TearDown() override { SetNumberSeparatorsForTesting("", ""); }
};

TEST_F(InputSourceTest, SizeLineShowsBytesThenKilobytesThenMegabytes) {
    for (const auto& [size, line] : std::vector<std::pair<std::uintmax_t, std::string>>{
             {0, "0 bytes"},
             {9999, "9,999 bytes"},
             {10000, "10,000 bytes    9.77 KB"},
             {234221, "234,221 bytes    228.73 KB"},
             {10238976, "10,238,976 bytes    9,999.00 KB"},
             {10238977, "10,238,977 bytes    9,999.00 KB    9.76 MB"}}) {
        const std::string path = MakeFile("f" + std::to_string(size) + ".txt", "");
        std::filesystem::resize_file(path, size);
        EXPECT_TRUE(main.CheckInputFile(path));
        EXPECT_EQ(main.lblFilesize.Caption(), "Filesize:   " + line);
    }
}

TEST_F(InputSourceTest, FileDialogs) {
    const std::string input = MakeFile("story.txt", "alpha\r\n");
    main.optInTextBox.Select();
    main.txbOutput.SetText("old listing");
    main.blnWordsGot = true;
    platform.ExpectFileDialog(input);
    platform.ExpectFileDialog(std::nullopt);
    main.cmdFile[0].Click();
    EXPECT_EQ(platform.FileDialogs().back(),
              (FileDialogRequest{"Specify input file", "Any file containing only text (*.*) | *.*",
                                 FileDialogFlags::kFileMustExist | FileDialogFlags::kPathMustExist, false, ""}));
    EXPECT_EQ(main.lblFilesize.Caption(), "Filesize:   7 bytes");
    EXPECT_EQ(main.txbOutput.Text(), "");
    EXPECT_FALSE(main.blnWordsGot);
    EXPECT_EQ(main.FocusedControl(), &main.cmdListWords);
    // Cancelled: the name stays, the file source is chosen all the same.
    main.optInTextBox.Select();
    main.cmdFile[0].Click();
    EXPECT_EQ(main.txbFile[0].Text(), input);
    EXPECT_TRUE(main.optInFile.Value());

    main.blnWordsGot = true;
    platform.ExpectFileDialog(PathOf("result.txt"));
    platform.ExpectFileDialog(std::nullopt);
    main.cmdFile[1].Click();
    EXPECT_EQ(platform.FileDialogs().back(),
              (FileDialogRequest{"Specify output file", "", FileDialogFlags::kHideReadOnly, false, ""}));
    EXPECT_EQ(main.txbFile[1].Text(), PathOf("result.txt"));
    EXPECT_TRUE(main.chkDisableOutputToFile.Enabled());
    EXPECT_TRUE(main.blnWordsGot);
    main.cmdClearFile[1].Click();
    EXPECT_EQ(main.txbFile[1].Text(), "");
    EXPECT_EQ(main.FocusedControl(), &main.cmdFile[1]);
    main.cmdFile[1].Click();
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
    EXPECT_EQ(main.txbFile[0].Text() + main.lblFilesize.Caption(), "");
    EXPECT_EQ(main.FocusedControl(), &main.cmdFile[0]);
    EXPECT_TRUE(main.blnWordsGot);
    main.txbFile[0].SetText("   ");
    main.txbFile[0].LostFocus();  // an empty name is not checked
    EXPECT_EQ(main.txbFile[0].Text(), "");
    EXPECT_TRUE(platform.Messages().empty());
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
    EXPECT_FALSE(main.lblNumberOfWords.Visible() || main.blnWordsGot);
    EXPECT_EQ(main.FocusedControl(), &main.cmdFile[0]);
    main.lblSizeOfClipboardContents.SetCaption("");
    main.cmdCopyOutput.Click();  // nothing to copy: the source stays
    EXPECT_EQ(platform.Clipboard() + main.lblSizeOfClipboardContents.Caption(), "");
    EXPECT_TRUE(main.optInFile.Value());
}

}  // namespace
}  // namespace vesk::test
