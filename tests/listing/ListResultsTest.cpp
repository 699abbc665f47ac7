// SPDX-License-Identifier: GPL-3.0-or-later
#include "ListingFixture.h"
#include "listing/ListingPass.h"
#include "listing/NumberFormat.h"

namespace vesk::test {
namespace {

using ListResultsTest = ListingTest;

const std::string kGreekByFrequency =
    "   Rank    Freq  Word (longest has 5 characters)\r\n"
    "      1       7  gamma\r\n"
    "      2       3  alpha\r\n"
    "      3       3  beta\r\n";

std::string Twirl(int code) { return std::string(1, static_cast<char>(code)); }

TEST_F(ListResultsTest, BoxPassListsByFrequencyAndAlphabetically) {
    FillGreek();
    std::vector<std::string> twirls;
    w.lblTwirler.changed.Connect([&] { twirls.push_back(w.lblTwirler.Caption()); });
    w.txbOutput.SetText("Processing ...");
    w.StopRequested = true;  // left over from an earlier run: discarded

    w.ListResults();
    EXPECT_EQ(w.txbOutput.Text(), kGreekByFrequency);
    EXPECT_EQ(w.txbOutput.SelStart(), 0u);
    EXPECT_FALSE(w.StopRequested);
    EXPECT_FALSE(w.ResultsWrittenToFile);
    EXPECT_EQ(platform.PumpCount(), 3);
    // Heading is record 0, then gamma (3), alpha (1), beta (2).
    EXPECT_EQ(twirls, (std::vector<std::string>{Twirl(220), Twirl(222), Twirl(221), Twirl(223)}));
    EXPECT_EQ(std::count(platform.repainted.begin(), platform.repainted.end(), &w.lblTwirler), 4);

    w.cboWordOrder.SetListIndex(1);  // no count yet: the list only moves the focus
    EXPECT_EQ(w.txbOutput.Text(), kGreekByFrequency);

    w.blnWordsGot = true;
    w.cboWordOrder.SetListIndex(0);
    w.cboWordOrder.SetListIndex(1);
    EXPECT_EQ(w.txbOutput.Text(),
              "   Rank    Freq  Word (longest has 5 characters)\r\n"
              "      2       3  alpha\r\n"
              "      3       3  beta\r\n"
              "      1       7  gamma\r\n");

    w.cboDisplayFormat.SetListIndex(6);
    EXPECT_EQ(w.txbOutput.Text(),
              "  Word     Rank\r\n"
              "  alpha       2\r\n"
              "  beta        3\r\n"
              "  gamma       1\r\n");
    w.cboDisplayFormat.SetListIndex(8);
    EXPECT_EQ(w.txbOutput.Text(), "Word (longest has 5 characters)\r\nalpha\r\nbeta\r\ngamma\r\n");
}

TEST_F(ListResultsTest, JoinedWordsInTheBoxLoseTheFinalComma) {
    FillGreek();
    w.cboDisplayFormat.SetListIndex(9);
    w.ListResults();
    EXPECT_EQ(w.txbOutput.Text(), "gamma, alpha, beta");

    Fill({{"solo", 2}});
    w.ListResults();
    EXPECT_EQ(w.txbOutput.Text(), "solo");
}

TEST_F(ListResultsTest, AlphabeticalPassVisitsUnlistedRecordsAndFollowsTheEnd) {
    std::vector<TestWord> words;
    for (int i = 0; i < 25; ++i) words.push_back({std::string("w") + static_cast<char>('a' + i), 1, i != 4});
    Fill(words);
    w.cboWordOrder.SetListIndex(1);
    std::vector<std::size_t> carets;
    w.txbOutput.caretMoved.Connect([&] { carets.push_back(w.txbOutput.SelStart()); });
    w.ListResults();

    EXPECT_EQ(platform.PumpCount(), 25);  // every record, listed or not
    const std::string& text = w.txbOutput.Text();
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 25);  // heading and 24 words
    EXPECT_EQ(text.find("  we\r\n"), std::string::npos);
    // The end is followed after records 10 and 20, then the view returns to the top.
    const std::size_t lineLength = std::string("     24       1  wx\r\n").size();
    const std::size_t headingLength = text.find('\n') + 1;
    EXPECT_EQ(carets, (std::vector<std::size_t>{headingLength + 9 * lineLength, headingLength + 19 * lineLength, 0}));

    EXPECT_EQ(ScrollInterval(0), 10);
    EXPECT_EQ(ScrollInterval(104), 10);
    EXPECT_EQ(ScrollInterval(105), 10);  // 10.5 goes to the even 10
    EXPECT_EQ(ScrollInterval(115), 12);  // 11.5 goes to the even 12
    EXPECT_EQ(ScrollInterval(116), 12);
    EXPECT_EQ(ScrollInterval(123456), 12346);
}

TEST_F(ListResultsTest, FileGetsTheListingInPlainAndCommaLayouts) {
    FillGreek();
    const std::string path = PathOf("out.txt");
    SetOutputFile(path);
    w.txbOutput.SetText("Processing ...");

    w.ListResults();
    EXPECT_EQ(ReadBytes(path), kGreekByFrequency);
    EXPECT_TRUE(w.ResultsWrittenToFile);
    EXPECT_EQ(w.txbOutput.Text(), kGreekByFrequency);
    EXPECT_EQ(platform.PumpCount(), 6);  // both passes yield after every record

    p.chkOutputWithCommas.SetValue(1);
    w.ListResults();
    EXPECT_EQ(ReadBytes(path),
              "    Rank,    Freq,  Word (longest has 5 characters)\r\n"
              "       1,       7,  gamma\r\n"
              "       2,       3,  alpha\r\n"
              "       3,       3,  beta\r\n");
    EXPECT_EQ(w.txbOutput.Text(), kGreekByFrequency);  // the box never has commas

    w.cboDisplayFormat.SetListIndex(9);
    w.ListResults();
    EXPECT_EQ(ReadBytes(path), "gamma, alpha, beta");

    w.cboDisplayFormat.SetListIndex(8);
    w.cboWordOrder.SetListIndex(1);
    w.ListResults();
    EXPECT_EQ(ReadBytes(path), "Word (longest has 5 characters)\r\nalpha\r\nbeta\r\ngamma\r\n");
}

TEST_F(ListResultsTest, FileIsWrittenInUtf8) {
    Fill({{"caf\xE9", 2}, {"na\xEFve", 1}});
    const std::string path = PathOf("out.txt");
    SetOutputFile(path);
    w.cboDisplayFormat.SetListIndex(5);
    w.ListResults();
    EXPECT_EQ(ReadBytes(path),
              "    Freq  Word (longest has 5 characters)\r\n"
              "       2  caf\xC3\xA9\r\n"
              "       1  na\xC3\xAFve\r\n");
    EXPECT_EQ(w.txbOutput.Text(),
              "    Freq  Word (longest has 5 characters)\r\n"
              "       2  caf\xE9\r\n"
              "       1  na\xEFve\r\n");
}

TEST_F(ListResultsTest, NoFileWithoutListedWordsWithoutNameOrWhenDisabled) {
    const std::string path = PathOf("out.txt");
    WriteBytes(path, "keep me");
    SetOutputFile(path);
    Fill({{"alpha", 1, false}});
    w.ListResults();
    EXPECT_EQ(ReadBytes(path), "keep me");
    EXPECT_FALSE(w.ResultsWrittenToFile);

    FillGreek();
    w.chkDisableOutputToFile.SetValue(1);
    w.ListResults();
    EXPECT_EQ(ReadBytes(path), "keep me");
    EXPECT_FALSE(w.ResultsWrittenToFile);
    EXPECT_EQ(w.txbOutput.Text(), kGreekByFrequency);

    w.chkDisableOutputToFile.SetValue(0);
    SetOutputFile("");
    w.ListResults();
    EXPECT_FALSE(w.ResultsWrittenToFile);
    EXPECT_EQ(w.txbOutput.Text(), kGreekByFrequency);
}

TEST_F(ListResultsTest, OverwriteQuestion) {
    FillGreek();
    const std::string path = PathOf("out.txt");
    WriteBytes(path, "old");
    SetOutputFile(path);
    p.chkWarnOnOverwrite.SetValue(1);

    platform.ExpectMessage(MsgAnswer::Yes);
    w.ListResults();
    EXPECT_EQ(platform.LastMessage(), (ShownMessage{"Output file exists.  OK to overwrite?", "Output file exists",
                                                    MsgButtons::YesNo, MsgIcon::None}));
    EXPECT_EQ(ReadBytes(path), kGreekByFrequency);

    // The file now exists, so the next listing asks again; No disables output to the file for good.
    WriteBytes(path, "old");
    platform.ExpectMessage(MsgAnswer::No);
    w.cboDisplayFormat.SetListIndex(2);
    w.ListResults();
    EXPECT_EQ(platform.Messages().size(), 2u);
    EXPECT_EQ(w.chkDisableOutputToFile.Value(), 1);
    EXPECT_EQ(ReadBytes(path), "old");
    EXPECT_FALSE(w.ResultsWrittenToFile);
    EXPECT_EQ(w.txbOutput.Text(), "   Rank    Freq\r\n      1       7\r\n      2       3\r\n      3       3\r\n");

    w.ListResults();  // nothing asked while "Disable" stays set
    EXPECT_EQ(platform.Messages().size(), 2u);

    // Without the warning an existing file is simply replaced.
    w.chkDisableOutputToFile.SetValue(0);
    p.chkWarnOnOverwrite.SetValue(0);
    w.ListResults();
    EXPECT_EQ(platform.Messages().size(), 2u);
    EXPECT_EQ(ReadBytes(path), "   Rank    Freq\r\n      1       7\r\n      2       3\r\n      3       3\r\n");
}

TEST_F(ListResultsTest, UnopenableFileEndsTheListingAndIsNamed) {
    FillGreek();
    SetOutputFile(PathOf("missing-folder/out.txt"));
    w.txbOutput.SetText("Stopped with 3 words found.\r\n\r\nProcessing ...");
    platform.ExpectMessage(MsgAnswer::Ok);
    w.ListResults();
    EXPECT_EQ(platform.LastMessage(),
              (ShownMessage{"Error 2: No such file or directory\r\nOutput file: " + PathOf("missing-folder/out.txt"),
                            "Error", MsgButtons::Ok, MsgIcon::Exclamation}));
    // No listing follows, and the box does not promise one.
    EXPECT_EQ(w.txbOutput.Text(), "Stopped with 3 words found.");
    EXPECT_FALSE(w.ListingToFile);
    EXPECT_FALSE(w.ResultsWrittenToFile);
    EXPECT_EQ(platform.PumpCount(), 0);

    // A folder is no file to write to either.
    SetOutputFile(folder.string());
    w.txbOutput.SetText("");
    platform.ExpectMessage(MsgAnswer::Ok);
    w.ListResults();
    EXPECT_EQ(platform.Messages()[1].text, "Error 21: Is a directory\r\nOutput file: " + folder.string());
    EXPECT_EQ(w.txbOutput.Text(), "");  // not "Now writing to output file ..."

    // A name too long for the system is reported as such.
    const std::string tooLong = PathOf(std::string(300, 'n') + ".txt");
    SetOutputFile(tooLong);
    w.txbOutput.SetText("Processing ...");
    platform.ExpectMessage(MsgAnswer::Ok);
    w.ListResults();
    EXPECT_EQ(platform.Messages()[2].text, "Error 36: File name too long\r\nOutput file: " + tooLong);
    EXPECT_EQ(w.txbOutput.Text(), "");
}

TEST_F(ListResultsTest, ListingAgainNeverWritesOverTheInputFile) {
    FillGreek();
    const std::string input = PathOf("in.txt");
    WriteBytes(input, "the text that was counted");
    w.optInFile.Select();
    w.txbFile[0].SetText(input);
    for (const std::string& output : {input, (folder / "." / "in.txt").string()}) {
        SetOutputFile(output);
        platform.ExpectMessage(MsgAnswer::Ok);
        w.ListResults();
        const ShownMessage& shown = platform.Messages().back();
        EXPECT_EQ(shown, (ShownMessage{"Output file cannot be the same as the input file.", "Error", MsgButtons::Ok,
                                       MsgIcon::Exclamation}));
        EXPECT_EQ(ReadBytes(input), "the text that was counted");
        EXPECT_EQ(w.txbOutput.Text(), kGreekByFrequency);
        EXPECT_FALSE(w.ResultsWrittenToFile);
    }

    // With the clipboard as the source the named file is an ordinary output file.
    w.optInTextBox.Select();
    w.ListResults();
    EXPECT_EQ(ReadBytes(input), kGreekByFrequency);
    EXPECT_EQ(platform.Messages().size(), 2u);
}

TEST_F(ListResultsTest, WriteFailureEndsOnlyTheFilePass) {
    if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "needs /dev/full, a device that is always full";
    FillGreek();
    SetOutputFile("/dev/full");
    platform.ExpectMessage(MsgAnswer::Ok);
    w.ListResults();
    EXPECT_EQ(platform.LastMessage(), (ShownMessage{"Error 28: No space left on device\r\nOutput file: /dev/full",
                                                    "Error", MsgButtons::Ok, MsgIcon::Exclamation}));
    // The file holds only part of the listing, so it does not count as written.
    EXPECT_FALSE(w.ResultsWrittenToFile);
    EXPECT_EQ(w.txbOutput.Text(), kGreekByFrequency);
    EXPECT_EQ(w.lblTwirler.Caption(), Twirl(223));  // the box pass ran after the failure
}

TEST_F(ListResultsTest, StopDuringTheFilePass) {
    FillGreek();
    const std::string path = PathOf("out.txt");
    SetOutputFile(path);
    platform.onPump = [&] {
        if (platform.PumpCount() == 2) w.StopRequested = true;
    };
    w.ListResults();
    EXPECT_EQ(ReadBytes(path),
              "   Rank    Freq  Word (longest has 5 characters)\r\n"
              "      1       7  gamma\r\n"
              "      2       3  alpha\r\n");
    EXPECT_EQ(w.txbOutput.Text(), "Output to file was terminated.\r\n");
    EXPECT_EQ(platform.PumpCount(), 2);

    EXPECT_FALSE(w.ResultsWrittenToFile);

    w.cboDisplayFormat.SetListIndex(9);
    platform.onPump = [&] {
        if (platform.PumpCount() == 4) w.StopRequested = true;
    };
    w.ListResults();
    EXPECT_EQ(ReadBytes(path), "gamma, alpha");

    // A stop after the last record leaves a complete file.
    platform.onPump = [&] {
        if (platform.PumpCount() == 7) w.StopRequested = true;
    };
    w.ListResults();
    EXPECT_EQ(ReadBytes(path), "gamma, alpha, beta");
    EXPECT_TRUE(w.ResultsWrittenToFile);
    EXPECT_EQ(w.txbOutput.Text(), "Output to file was terminated.\r\n");
}

TEST_F(ListResultsTest, StopDuringTheBoxPassThenListAgain) {
    FillGreek();
    w.blnWordsGot = true;
    platform.onPump = [&] {
        if (platform.PumpCount() == 2) w.StopRequested = true;
    };
    w.ListResults();
    const std::string stopped =
        "   Rank    Freq  Word (longest has 5 characters)\r\n"
        "      1       7  gamma\r\n"
        "      2       3  alpha\r\n"
        "\r\nListing stopped.\r\n";
    EXPECT_EQ(w.txbOutput.Text(), stopped);
    EXPECT_EQ(w.txbOutput.SelStart(), stopped.size());

    platform.onPump = nullptr;
    w.cboDisplayFormat.SetListIndex(3);
    EXPECT_EQ(w.txbOutput.Text(),
              "   Rank  Word (longest has 5 characters)\r\n"
              "      1  gamma\r\n"
              "      2  alpha\r\n"
              "      3  beta\r\n");

    // Format 9 stopped keeps its last separator; the stop line follows it.
    w.cboDisplayFormat.SetListIndex(9);
    platform.onPump = [&] { w.StopRequested = true; };
    w.ListResults();
    EXPECT_EQ(w.txbOutput.Text(), "gamma, \r\nListing stopped.\r\n");
}

TEST_F(ListResultsTest, FullBoxEndsTheBoxPass) {
    FillGreek();
    w.txbOutput.SetMaxLength(kGreekByFrequency.size() - 3);
    platform.ExpectMessage(MsgAnswer::Ok);
    w.ListResults();
    EXPECT_EQ(platform.LastMessage(), (ShownMessage{"Textbox is full.  Try writing output to a file.", "Error",
                                                    MsgButtons::Ok, MsgIcon::Exclamation}));
    EXPECT_EQ(w.txbOutput.Text(), kGreekByFrequency.substr(0, kGreekByFrequency.find("      3       3  beta")));
    EXPECT_EQ(w.txbOutput.SelStart(), 0u);
    EXPECT_EQ(w.lblTwirler.Caption(), " ");
    EXPECT_EQ(platform.PumpCount(), 2);

    // With the file written first, the report says the results are safe.
    const std::string path = PathOf("out.txt");
    SetOutputFile(path);
    platform.ExpectMessage(MsgAnswer::Ok);
    w.ListResults();
    EXPECT_EQ(platform.Messages()[1].text, "Textbox is full.  \r\nResults have been written to the output file.");
    EXPECT_EQ(ReadBytes(path), kGreekByFrequency);
}

TEST_F(ListResultsTest, ChangingTheChoiceDuringAListingStartsItAgain) {
    FillGreek();
    w.blnWordsGot = true;
    const std::string path = PathOf("out.txt");
    SetOutputFile(path);
    platform.onPump = [&] {
        if (platform.PumpCount() == 1) w.cboDisplayFormat.SetListIndex(9);
    };
    w.cboWordOrder.SetListIndex(1);
    EXPECT_EQ(ReadBytes(path), "alpha, beta, gamma");
    EXPECT_EQ(w.txbOutput.Text(), "alpha, beta, gamma");
    EXPECT_FALSE(w.ListingInProgress);
    EXPECT_TRUE(w.ResultsWrittenToFile);
    EXPECT_EQ(platform.PumpCount(), 1 + 3 + 3);

    // A stop pressed in the same moment wins: nothing starts again.
    platform.onPump = [&] {
        w.StopRequested = true;
        w.cboDisplayFormat.SetListIndex(2);
    };
    SetOutputFile("");
    w.ListResults();
    EXPECT_EQ(w.txbOutput.Text(), "alpha, \r\nListing stopped.\r\n");
}

TEST_F(ListResultsTest, NoWordsMessages) {
    w.txbOutput.SetText("Processing ...");
    Fill({});
    w.ListResults();
    EXPECT_EQ(w.txbOutput.Text(), "No words satisfying the conditions were found.");

    Fill({{"a", 1, false}, {"an", 1, false}});
    p.chkIgnoreInfrequentWords.SetValue(1);
    w.ListResults();
    EXPECT_EQ(w.txbOutput.Text(), "No words with more than 2 letters\r\noccur at least twice.");

    p.cboThresholdFrequency.SetListIndex(3);
    w.ListResults();
    EXPECT_EQ(w.txbOutput.Text(), "No words with more than 2 letters\r\noccur at least 5 times.");

    p.chkIgnoreInfrequentWords.SetValue(0);
    p.cboShortWordSize.SetListIndex(0);
    w.ListResults();
    EXPECT_EQ(w.txbOutput.Text(), "No words with more than 1 letter\r\noccur at least once.");

    p.cboShortWordSize.SetListIndex(7);
    w.cboDisplayFormat.SetListIndex(9);
    w.ListResults();
    EXPECT_EQ(w.txbOutput.Text(), "No words with more than 8 letters\r\noccur at least once.");
    EXPECT_EQ(platform.PumpCount(), 0);
}

TEST_F(ListResultsTest, FillComboBoxesFillsAndDefaultsTheFiveLists) {
    w.cboWordOrder.SetListIndex(1);
    w.cboDisplayFormat.SetListIndex(4);
    p.cboLongWordSize.SetListIndex(6);
    w.FillComboBoxes();  // repeatable: lists are cleared first
    EXPECT_EQ(w.cboWordOrder.Items(), (std::vector<std::string>{"by frequency", "alphabetical"}));
    EXPECT_EQ(w.cboWordOrder.ListIndex(), 0);
    EXPECT_EQ(w.cboDisplayFormat.Items(),
              (std::vector<std::string>{"rank frequency word", "rank word frequency", "rank frequency", "rank word",
                                        "frequency rank", "frequency word", "word rank", "word frequency", "word",
                                        "word (+ commas)"}));
    EXPECT_EQ(w.cboDisplayFormat.ListIndex(), 0);
    const std::vector<std::string> twoToNine{"2", "3", "4", "5", "6", "7", "8", "9"};
    EXPECT_EQ(p.cboShortWordSize.Items(), twoToNine);
    EXPECT_EQ(p.cboShortWordSize.ListIndex(), 1);
    EXPECT_EQ(p.cboLongWordSize.Items(), (std::vector<std::string>{"20", "30", "40", "50", "60", "70", "80"}));
    EXPECT_EQ(p.cboLongWordSize.ListIndex(), 3);
    EXPECT_EQ(p.cboThresholdFrequency.Items(), twoToNine);
    EXPECT_EQ(p.cboThresholdFrequency.ListIndex(), 0);
}

}  // namespace
}  // namespace vesk::test
