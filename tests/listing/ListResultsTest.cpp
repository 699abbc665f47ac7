// SPDX-License-Identifier: GPL-3.0-or-later
// How a listing runs: its passes, stops, failures and questions. Whole listings, in every format and order, to
// the box and to files, are compared byte for byte by the golden test.

#include "ListingFixture.h"
#include "listing/ListingPass.h"

namespace vesk::test {
namespace {

using ListResultsTest = ListingTest;

const std::string kGreek =
    "   Rank    Freq  Word (longest has 5 characters)\r\n"
    "      1       7  gamma\r\n"
    "      2       3  alpha\r\n"
    "      3       3  beta\r\n";
const std::string kGreekTwoWords = kGreek.substr(0, kGreek.find("      3       3  beta"));

TEST_F(ListResultsTest, BoxPassTwirlsAndYieldsAfterEveryRecord) {
    FillGreek();
    std::string twirls;
    w.lblTwirler.changed.Connect([&] { twirls += w.lblTwirler.Caption(); });
    w.StopRequested = true;  // left over from an earlier run: discarded
    w.ListResults();
    EXPECT_EQ(w.txbOutput.Text(), kGreek);
    EXPECT_EQ(w.txbOutput.SelStart(), 0u);
    EXPECT_EQ(platform.PumpCount(), 3);
    // The heading is record 0, then gamma (3), alpha (1), beta (2).
    EXPECT_EQ(twirls, "\xDC\xDE\xDD\xDF");
    EXPECT_EQ(std::count(platform.repainted.begin(), platform.repainted.end(), &w.lblTwirler), 4);

    w.cboWordOrder.SetListIndex(1);  // no count yet: the list only moves the focus
    EXPECT_EQ(w.txbOutput.Text(), kGreek);
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
    // The end is followed after records 10 and 20, then the view returns to the top.
    const std::size_t line = std::string("     24       1  wx\r\n").size(), heading = w.txbOutput.Text().find('\n') + 1;
    EXPECT_EQ(carets, (std::vector<std::size_t>{heading + 9 * line, heading + 19 * line, 0}));
    // A tenth of the words, rounded half to even, and at least 10.
    for (auto [words, interval] : {std::pair{0, 10}, {105, 10}, {115, 12}, {116, 12}, {123456, 12346}})
        EXPECT_EQ(ScrollInterval(words), interval) << words;
}

// A file needs listed words and output enabled; an existing one is replaced, or first asked about.
TEST_F(ListResultsTest, FileOnlyWhenWantedAndAllowed) {
    const std::string path = SetOutputFile(PathOf("out.txt"));
    WriteBytes(path, "old");
    Fill({{"alpha", 1, false}});
    w.ListResults();
    EXPECT_EQ(ReadBytes(path), "old");
    FillGreek();
    p.chkWarnOnOverwrite.SetValue(1);
    platform.ExpectMessage(MsgAnswer::Yes);
    w.ListResults();
    EXPECT_EQ(ReadBytes(path), kGreek);
    EXPECT_TRUE(w.ResultsWrittenToFile);
    EXPECT_EQ(platform.PumpCount(), 6);  // both passes yield after every record

    // Without the warning an existing file is simply replaced (No to the question is in MessagesTest).
    WriteBytes(path, "old");
    p.chkWarnOnOverwrite.SetValue(0);
    w.ListResults();
    EXPECT_EQ(platform.Messages().size(), 1u);
    EXPECT_EQ(ReadBytes(path), kGreek);
}

// A file that cannot be opened ends the listing, and the box promises none; one that fails while written ends
// only the file pass.
TEST_F(ListResultsTest, FileFailures) {
    FillGreek();
    SetOutputFile(PathOf("missing-folder/out.txt"));
    w.txbOutput.SetText("Stopped with 3 words found.\r\n\r\nProcessing ...");
    platform.ExpectMessage(MsgAnswer::Ok);
    w.ListResults();
    EXPECT_EQ(w.txbOutput.Text(), "Stopped with 3 words found.");
    EXPECT_FALSE(w.ListingToFile || w.ResultsWrittenToFile);
    EXPECT_EQ(platform.PumpCount(), 0);

    if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "needs /dev/full, a device that is always full";
    SetOutputFile("/dev/full");
    platform.ExpectMessage(MsgAnswer::Ok);
    w.ListResults();
    EXPECT_FALSE(w.ResultsWrittenToFile);  // the file holds only part of the listing
    EXPECT_EQ(w.txbOutput.Text(), kGreek);
}

TEST_F(ListResultsTest, NeverWritesOverTheInputFile) {
    FillGreek();
    const std::string input = MakeFile("in.txt", "the text that was counted");
    w.optInFile.Select();
    w.txbFile[0].SetText(input);
    for (const std::string& output : {input, (folder / "." / "in.txt").string()}) {
        SetOutputFile(output);
        platform.ExpectMessage(MsgAnswer::Ok);
        w.ListResults();
        EXPECT_EQ(ReadBytes(input), "the text that was counted");
        EXPECT_EQ(w.txbOutput.Text(), kGreek);
    }
    // With the clipboard as the source the named file is an ordinary output file.
    w.optInTextBox.Select();
    w.ListResults();
    EXPECT_EQ(ReadBytes(input), kGreek);
}

TEST_F(ListResultsTest, StopDuringTheFilePass) {
    FillGreek();
    const std::string path = SetOutputFile(PathOf("out.txt"));
    StopAt(2);
    w.ListResults();
    EXPECT_EQ(ReadBytes(path), kGreekTwoWords);
    EXPECT_EQ(w.txbOutput.Text(), "Output to file was terminated.\r\n");
    EXPECT_FALSE(w.ResultsWrittenToFile);

    w.cboDisplayFormat.SetListIndex(9);
    StopAt(4);
    w.ListResults();
    EXPECT_EQ(ReadBytes(path), "gamma, alpha");

    StopAt(7);  // after the last record: the file is complete
    w.ListResults();
    EXPECT_EQ(ReadBytes(path), "gamma, alpha, beta");
    EXPECT_TRUE(w.ResultsWrittenToFile);
    EXPECT_EQ(w.txbOutput.Text(), "Output to file was terminated.\r\n");
}

TEST_F(ListResultsTest, StopDuringTheBoxPass) {
    FillGreek();
    w.blnWordsGot = true;
    StopAt(2);
    w.ListResults();
    EXPECT_EQ(w.txbOutput.Text(), kGreekTwoWords + "\r\nListing stopped.\r\n");
    EXPECT_EQ(w.txbOutput.SelStart(), w.txbOutput.Text().size());

    // Words joined by commas keep their last separator; the stop line follows it.
    w.cboDisplayFormat.SetListIndex(9);
    StopAt(platform.PumpCount() + 1);
    w.ListResults();
    EXPECT_EQ(w.txbOutput.Text(), "gamma, \r\nListing stopped.\r\n");
}

TEST_F(ListResultsTest, FullBoxEndsTheBoxPass) {
    FillGreek();
    w.txbOutput.SetMaxLength(kGreek.size() - 3);
    platform.ExpectMessage(MsgAnswer::Ok);
    w.ListResults();
    EXPECT_EQ(w.txbOutput.Text(), kGreekTwoWords);
    EXPECT_EQ(w.txbOutput.SelStart(), 0u);
    EXPECT_EQ(w.lblTwirler.Caption(), " ");

    // The file is written first, and whole.
    const std::string path = SetOutputFile(PathOf("out.txt"));
    platform.ExpectMessage(MsgAnswer::Ok);
    w.ListResults();
    EXPECT_TRUE(w.ResultsWrittenToFile);
    EXPECT_EQ(ReadBytes(path), kGreek);
}

TEST_F(ListResultsTest, ChangingTheChoiceDuringAListingStartsItAgain) {
    FillGreek();
    w.blnWordsGot = true;
    const std::string path = SetOutputFile(PathOf("out.txt"));
    platform.onPump = [&] {
        if (platform.PumpCount() == 1) w.cboDisplayFormat.SetListIndex(9);
    };
    w.cboWordOrder.SetListIndex(1);
    EXPECT_EQ(ReadBytes(path), "alpha, beta, gamma");
    EXPECT_EQ(w.txbOutput.Text(), "alpha, beta, gamma");
    EXPECT_FALSE(w.ListingInProgress);
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
    Fill({});
    w.ListResults();
    EXPECT_EQ(w.txbOutput.Text(), "No words satisfying the conditions were found.");
    Fill({{"a", 1, false}});
    for (auto [infrequent, threshold, shortSize, text] :
         {std::tuple{1, 0, 1, "than 2 letters\r\noccur at least twice."},
          {1, 3, 1, "than 2 letters\r\noccur at least 5 times."},
          {0, 3, 0, "than 1 letter\r\noccur at least once."},
          {0, 3, 7, "than 8 letters\r\noccur at least once."}}) {
        p.chkIgnoreInfrequentWords.SetValue(infrequent);
        p.cboThresholdFrequency.SetListIndex(threshold);
        p.cboShortWordSize.SetListIndex(shortSize);
        w.ListResults();
        EXPECT_EQ(w.txbOutput.Text(), "No words with more " + std::string(text));
    }
    EXPECT_EQ(platform.PumpCount(), 0);
}

}  // namespace
}  // namespace vesk::test
