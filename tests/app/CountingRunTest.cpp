// SPDX-License-Identifier: GPL-3.0-or-later
// A count from start to end: what it leaves behind when stopped, repeated or reading, and what it shows
// while it reads.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "app/AppTestSupport.h"

namespace vesk::test {
namespace {

class CountingRun : public WindowTest {
  protected:
    void SetUp() override { Start(); }
    // Presses the count button (then reading "Stop") from inside the scanner's event pump, once, after `words`
    // pumps.
    void PressStopAfter(int words) {
        platform.onPump = [this, words, seen = 0]() mutable {
            if (++seen == words) main.cmdListWords.Click();
        };
    }
};

TEST_F(CountingRun, StopDropsOrListsThePartialCount) {
    std::string text;
    for (int i = 0; i < 50; ++i) text += "alpha beta gamma\r\n";
    PressStopAfter(5);
    platform.ExpectMessage(MsgAnswer::No);
    CountFile(MakeFile("words.txt", text));
    const std::string& out = main.txbOutput.Text();
    EXPECT_TRUE(out.ends_with("\r\n\r\nStopped with 3 words found.")) << out;
    EXPECT_EQ(main.txbOutput.SelStart(), out.size());
    EXPECT_EQ(main.lblTotalNumOccurrences.Caption(), "");
    EXPECT_FALSE(main.lblNumberOfWords.Visible());
    EXPECT_FALSE(main.StopRequested || main.CountInterrupted || main.blnWordsGot);

    PressStopAfter(1);
    platform.ExpectMessage(MsgAnswer::No);
    CountClipboard("alpha beta gamma delta");
    EXPECT_TRUE(main.txbOutput.Text().ends_with("Stopped with 1 word found.")) << main.txbOutput.Text();

    // Yes lists the partial table; the next press counts again.
    PressStopAfter(2);
    platform.ExpectMessage(MsgAnswer::Yes);
    main.cmdListWords.Click();
    EXPECT_EQ(main.Table.DistinctWordCount(), 2);
    EXPECT_TRUE(main.CountInterrupted && main.ResultsShown && !main.blnWordsGot);
    platform.onPump = nullptr;
    main.cmdListWords.Click();
    EXPECT_EQ(main.Table.DistinctWordCount(), 4);
    EXPECT_TRUE(main.blnWordsGot && !main.CountInterrupted);
    EXPECT_EQ(platform.Messages().size(), 3u);
}

TEST_F(CountingRun, ASecondPressListsAgainWithoutReadingAFile) {
    const std::string input = MakeFile("in.txt", "alpha beta beta\r\n");
    CountFile(input);
    ASSERT_TRUE(main.blnWordsGot);
    std::filesystem::remove(input);  // a re-listing never looks at it, nor says it is missing
    main.cboWordOrder.SetListIndex(1);
    main.cmdListWords.Click();
    EXPECT_TRUE(main.blnWordsGot);
    EXPECT_EQ(main.Table.DistinctWordCount(), 2);

    // The clipboard, though, is read at every count, lower-cased unless case is significant.
    CountClipboard("Alpha beta");
    platform.SetClipboard("Gamma");
    main.cmdListWords.Click();
    EXPECT_EQ(main.Table.DistinctWordCount(), 1);
    EXPECT_EQ(main.ClipboardText, "gamma");
    EXPECT_NE(main.txbOutput.Text().find("gamma"), std::string::npos);
    main.blnWordsGot = false;
    params.chkCaseSignificant.SetValue(1);
    main.cmdListWords.Click();
    EXPECT_EQ(main.ClipboardText, "Gamma");
    EXPECT_FALSE(main.Comments.fromFileType);
    // A file count forgets the clipboard text.
    main.optInFile.Select();
    CountFile(MakeFile("in.txt", "one\r\n"));
    EXPECT_EQ(main.ClipboardText, "");
}

TEST_F(CountingRun, MarkersFollowTheFileTypeElseTheUsersBoxes) {
    params.chkAllowCommentMarkers.SetValue(1);
    params.txbStartComment[0].SetText("##");
    params.txbEndComment[0].SetText("%%");
    CountFile(MakeFile("page.HTML", "<b>alpha</b> &amp; beta\r\n"));  // the type in any letter case
    EXPECT_TRUE(main.Comments.fromFileType);
    EXPECT_EQ(main.Comments.starts[0], "<");
    CountFile(MakeFile("notes.txt", "alpha ## beta %% gamma\r\n"));
    EXPECT_FALSE(main.Comments.fromFileType);
    EXPECT_EQ(main.Comments.ends[0], "%%");
    EXPECT_EQ(main.Table.DistinctWordCount(), 2);
}

TEST_F(CountingRun, WhileReadingOnlyStopIsAtHand) {
    main.chkSuppressWords.SetValue(0);
    bool checked = false;
    platform.onPump = [&] {
        if (checked) return;
        checked = true;
        EXPECT_FALSE(main.cmdFile[0].Enabled() || main.cmdSetParameters.Enabled());
        EXPECT_TRUE(main.cmdListWords.Enabled());
        EXPECT_EQ(main.cmdListWords.Caption(), "Stop");
        main.chkSuppressWords.SetValue(1);  // put back after the count
    };
    CountFile(MakeFile("in.txt", "alpha beta\r\n"));
    EXPECT_TRUE(checked);
    EXPECT_EQ(main.chkSuppressWords.Value(), 0);
}

TEST_F(CountingRun, ProgressBarOfThirtySevenCellsRoundingHalvesToEven) {
    std::vector<std::string> bars;
    bool boldFixed = false;
    Label& label = main.lblTotalNumOccurrences;
    label.changed.Connect([&] {
        if (label.Caption().starts_with("[") && (bars.empty() || bars.back() != label.Caption()))
            bars.push_back(label.Caption());
        boldFixed |= label.Font() == FontSpec{FontSpec::Family::FixedPitch, 10, true};
    });
    // 10,240 bytes: no bar.
    CountFile(MakeFile("small.txt", std::string(10239, 'a') + "\n"));
    EXPECT_TRUE(bars.empty());

    // 14,800 bytes, one cell per 400.
    std::string text = std::string(999, 'a') + "\n";  // 1,000 bytes: 2.5 cells
    text += std::string(399, 'b') + "\n";             // 1,400 bytes: 3.5 cells
    text += std::string(201, 'c') + "\n";             // 1,602 bytes: 4.005 cells, no change
    CountFile(MakeFile("halves.txt", text + std::string(14800 - text.size(), 'd')));
    EXPECT_EQ(bars,
              (std::vector<std::string>{"[" + std::string(37, ' ') + "]", "[->" + std::string(35, ' ') + "]",
                                        "[--->" + std::string(33, ' ') + "]", "[" + std::string(36, '-') + ">]"}));
    EXPECT_TRUE(boldFixed);
    EXPECT_EQ(label.GetAlignment(), Alignment::Right);
    EXPECT_EQ(label.Font(), (FontSpec{FontSpec::Family::Default, 10, false}));
}

TEST_F(CountingRun, NewWordsAreShownUpToTwoThousand) {
    const std::string prefix = "Number of different words found so far: ";
    main.chkSuppressWords.SetValue(0);
    main.txbOutput.SetText("earlier text");
    std::string expected;
    for (int i = 1; i <= 2002; ++i) {
        const std::string word = "w" + std::to_string(i);
        main.OnNewWord(word, i);
        if (i <= 2001) expected += word + " ";
        EXPECT_EQ(main.lblNumberOfWords.Visible(), i > 1) << i;
        if (i == 19) {
            EXPECT_EQ(main.lblNumberOfWords.Caption(), prefix + "10");  // every tenth word
        }
    }
    EXPECT_EQ(main.txbOutput.Text(), expected + "\r\n\r\n[Suppressing display of words to avoid buffer overflow.]");
    EXPECT_EQ(main.chkSuppressWords.Value(), 1);
    EXPECT_EQ(main.lblNumberOfWords.Caption(), prefix + "2000");
    // Suppressed from the start: the box is left alone, the count goes on.
    main.txbOutput.SetText("kept");
    main.OnNewWord("x", 2010);
    EXPECT_EQ(main.txbOutput.Text(), "kept");
    EXPECT_EQ(main.lblNumberOfWords.Caption(), prefix + "2010");
}

}  // namespace
}  // namespace vesk::test
