// SPDX-License-Identifier: GPL-3.0-or-later
// A folder as the input: typed, chosen or dropped it shows its files and bytes; counted, its files make one
// table in order, skipped files are named after the listing, the progress bar runs over all its bytes, Stop
// ends the count between files, and the saved state keeps the folder.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "listing/NumberFormat.h"
#include "listing/RunTexts.h"
#include "support/ProgramFixture.h"

namespace vesk::test {
namespace {

class FolderInputTest : public ProgramFixture {
  protected:
    void SetUp() override {
        SetNumberSeparatorsForTesting(",", ".");
        Start();
        std::filesystem::create_directories(folder / "in" / "sub");
        MakeFile("in/b.txt", "Beta the\n");
        MakeFile("in/sub/a.txt", "BETA alpha\n");  // after b.txt: "in/b.txt" < "in/sub/..."
        MakeFile("in/.notes.txt", "hidden hidden\n");
        MakeFile("in/c.dat", std::string("\x01\x02", 2));
    }
    void TearDown() override { SetNumberSeparatorsForTesting("", ""); }
    const std::string kSizeLine = "Folder: 3 files, 22 bytes";
};

TEST_F(FolderInputTest, TypedChosenOrDroppedShowsItsFilesAndBytes) {
    main.txbFile[0].SetText(PathOf("in"));
    main.txbFile[0].LostFocus();
    EXPECT_EQ(main.lblFilesize.Caption(), kSizeLine);

    main.cmdClearFile[0].Click();
    platform.ExpectFileDialog(PathOf("in"));
    main.cmdFolder.Click();
    EXPECT_EQ(platform.FileDialogs().back().flags, FileDialogFlags::kPickFolder);
    EXPECT_EQ(main.txbFile[0].Text(), PathOf("in"));
    EXPECT_EQ(main.lblFilesize.Caption(), kSizeLine);
    // The next folder dialog opens on the folder chosen.
    platform.ExpectFileDialog(std::nullopt);
    main.cmdFolder.Click();
    EXPECT_EQ(platform.FileDialogFolders().back(), PathOf("in"));

    main.cmdClearFile[0].Click();
    main.FileDropped(PathOf("in/sub"));
    EXPECT_EQ(main.lblFilesize.Caption(), "Folder: 1 file, 11 bytes");
    EXPECT_TRUE(platform.Messages().empty());
}

TEST_F(FolderInputTest, CountsItsFilesAsOneTextAndNamesTheSkipped) {
    std::string bars;
    platform.onPump = [&] {
        if (main.lblTotalNumOccurrences.Caption().starts_with("[")) bars = main.lblTotalNumOccurrences.Caption();
    };
    std::string many;
    for (int i = 0; i < 4000; ++i) many += "zed ";
    MakeFile("in/sub/big.txt", many + "\n");
    CountFile(PathOf("in"));
    // The last bar drawn is full: it ran over the bytes of every file.
    EXPECT_EQ(bars, ProgressBarCaption(main.ProgressBarWidth, main.ProgressBarWidth));
    EXPECT_EQ(main.Table.DistinctWordCount(), 4);
    EXPECT_TRUE(main.txbOutput.Text().ends_with("      4       1  the\r\n\r\n\r\n1 file was not counted:\r\n" +
                                                PathOf("in/c.dat") + ": not a text file"))
        << main.txbOutput.Text();
    EXPECT_TRUE(main.blnWordsGot);
}

TEST_F(FolderInputTest, StopEndsTheCountBetweenFiles) {
    platform.onPump = [&] {
        if (main.cmdListWords.Caption() == "Stop") main.cmdListWords.Click();
    };
    platform.ExpectMessage(MsgAnswer::No);
    CountFile(PathOf("in"));
    EXPECT_EQ(main.Table.DistinctWordCount(), 0);
    EXPECT_EQ(main.cmdListWords.Caption(), "Count word frequencies");
    EXPECT_TRUE(main.cmdFolder.Enabled());
}

TEST_F(FolderInputTest, SavedStateKeepsTheFolder) {
    main.txbFile[0].SetText(PathOf("in"));
    EXPECT_EQ(Saved().inputFile, PathOf("in"));
    main.txbFile[0].SetText("");
    EXPECT_EQ(main.RestoreSavedState(PathOf("saved.vesk")), "");
    EXPECT_EQ(main.txbFile[0].Text(), PathOf("in"));
}

}  // namespace
}  // namespace vesk::test
