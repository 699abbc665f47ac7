// SPDX-License-Identifier: GPL-3.0-or-later
// A folder and a large file counted on every core in the window: the same running display, listing and
// figures as a count on one thread; Stop ends the count and leaves what was merged to be listed; a folder's
// files whose lines end in CR are named in one warning; the large-input question names a folder.

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "app/AppTestSupport.h"
#include "app/FolderFiles.h"
#include "engine/ParallelCount.h"
#include "params/ParamsWindow.h"

namespace vesk::test {
namespace {

class ParallelCount : public WindowTest {
  protected:
    void SetUp() override { Start(); }
    void TearDown() override { SetBatchBytesForTesting(0); }
    // A file of the test folder, its folders made when they are missing; returns its path.
    std::string Write(const std::string& name, const std::string& bytes) {
        std::filesystem::create_directories(std::filesystem::path(PathOf(name)).parent_path());
        return MakeFile(name, bytes);
    }

    // A count of `path` with batches and chunks of about `batchBytes` (0: as the program chooses, which reads
    // a small file on one thread); what the window shows when the count ends (the words as found) and after
    // the listing.
    std::vector<std::string> CountAndShow(const std::string& path, std::int64_t batchBytes) {
        SetBatchBytesForTesting(batchBytes);
        std::vector<std::string> shown;
        platform.onRepaintWindow = [&] {
            if (shown.empty() && main.txbOutput.Text().ends_with(main.ProcessingNotice))
                shown = {main.txbOutput.Text(),
                         main.lblNumberOfWords.Visible() ? main.lblNumberOfWords.Caption() : std::string()};
        };
        CountFile(path);
        EXPECT_EQ(main.cmdListWords.Caption(), "Count word frequencies");
        for (const Label* label :
             {&main.lblNumberOfWords, &main.lblNumWordsExcluded, &main.lblNumOccurrences, &main.lblTotalNumOccurrences})
            shown.push_back(label->Caption());
        shown.push_back(main.txbOutput.Text());
        return shown;
    }

    // Lines of words in several cases and scripts, with apostrophes, numerals, hyphens and, for the files
    // whose type turns comment markers on, markers of both kinds that may span lines.
    std::string RandomText(int lines) {
        static const char* const kPieces[] = {
            "alpha", "Alpha", "ALPHA", "beta",       "don't", "o'clock", "x1",      "Straße", "STRASSE", "été",  "Été",
            "cafés", "the",   "The",   "well-known", "--",    "3.14",    "foo_bar", "<b>",    "</b>",    "<!--", "-->",
            "/*",    "*/",    "//",    "Ünïcode",    "ss",    "glass",   "as",      "ZETA",   ",",       ".",    "\t"};
        std::string text;
        for (int line = 0; line < lines; ++line) {
            for (int n = Pick(8); n > 0; --n) {
                text += kPieces[Pick(std::size(kPieces) - 1)];
                text += Pick(3) == 0 ? "" : " ";
            }
            text += Pick(5) == 0 ? "\r\n" : "\n";
        }
        return text;
    }
    int Pick(std::size_t last) { return std::uniform_int_distribution<int>(0, static_cast<int>(last))(random); }
    // Options that shape words, the order of the listing and the running display, chosen anew for each case.
    void PickOptions() {
        main.blnWordsGot = false;  // nothing counted to read anew
        params.chkCaseSignificant.SetValue(Pick(1));
        params.chkDropFinalS.SetValue(Pick(1));
        params.chkAllowWordsWithApostrophes.SetValue(Pick(1));
        params.chkAllowWordsWithNumerals.SetValue(Pick(1));
        params.chkAllowWordsWithHyphens.SetValue(Pick(1));
        main.cboWordOrder.SetListIndex(Pick(1));
        main.chkSuppressWords.SetValue(Pick(1));
    }

    std::mt19937 random{20261208};
};

TEST_F(ParallelCount, AFolderListsAsItsFilesReadOneAfterTheOther) {
    for (int round = 0; round < 25; ++round) {
        PickOptions();
        const std::string in = "in" + std::to_string(round);
        for (int file = Pick(12); file >= 0; --file) {
            const std::string name = in + (Pick(2) == 0 ? "/sub/" : "/") + std::to_string(Pick(99)) + ".txt";
            Write(name, Pick(6) == 0 ? std::string() : RandomText(1 + Pick(30)));
        }
        // The files end their lines, so that one after the other they read as the folder's text.
        std::string all;
        for (const CorpusFile& file : ListFolderFiles(PathOf(in)).files) all += ReadBytes(file.path);
        const std::vector<std::string> whole = CountAndShow(MakeFile(in + ".txt", all), 0);
        EXPECT_EQ(CountAndShow(PathOf(in), 1 + Pick(200)), whole) << "round " << round;
    }
}

TEST_F(ParallelCount, ALargeFileListsAsWhenReadOnOneThread) {
    const char* const kTypes[] = {".txt", ".html", ".c"};
    for (int round = 0; round < 25; ++round) {
        PickOptions();
        const std::string path = MakeFile("big" + std::to_string(round) + kTypes[Pick(2)], RandomText(20 + Pick(200)));
        const std::vector<std::string> whole = CountAndShow(path, 0);
        EXPECT_EQ(CountAndShow(path, 16 + Pick(400)), whole) << "round " << round;
    }
}

TEST_F(ParallelCount, StopEndsTheCountAndWhatWasMergedCanBeListed) {
    std::string many;
    for (int i = 0; i < 4000; ++i) many += "alpha beta\n";
    Write("in/a.txt", many);
    Write("in/b.txt", "gamma\n");
    Write("in/c.txt", "delta\n");
    std::string lines;
    for (int i = 0; i < 40; ++i) {
        for (int k = 0; k < 1000; ++k)
            lines += std::string{'w', static_cast<char>('a' + i / 26), static_cast<char>('a' + i % 26), ' '};
        lines += '\n';
    }
    // Each file a batch of its own, the large file in many chunks: Stop comes after the first is merged.
    for (const std::string& input : {PathOf("in"), MakeFile("big.txt", lines)}) {
        SetBatchBytesForTesting(1);
        bool pressed = false;
        platform.onPump = [&] {
            if (pressed || main.Table.DistinctWordCount() == 0) return;
            pressed = true;
            main.cmdListWords.Click();
        };
        platform.ExpectMessage(MsgAnswer::Yes);  // list the words found
        CountFile(input);
        const std::int64_t found = main.Table.DistinctWordCount();
        EXPECT_TRUE(found > 0 && found < (input == PathOf("in") ? 4 : 40)) << found;
        EXPECT_TRUE(main.CountInterrupted && main.ResultsShown && !main.blnWordsGot);
        EXPECT_EQ(platform.Messages().back().title, "Counting interrupted");
        // The listing holds the words of the first file or chunk, not those of the last.
        const std::string& listing = main.txbOutput.Text();
        EXPECT_NE(listing.find(input == PathOf("in") ? "alpha" : "waa"), std::string::npos) << listing;
        EXPECT_EQ(listing.find(input == PathOf("in") ? "delta" : "wbn"), std::string::npos) << listing;
        EXPECT_EQ(main.cmdListWords.Caption(), "Count word frequencies");
        EXPECT_TRUE(main.cmdFolder.Enabled());
    }
}

TEST_F(ParallelCount, AFoldersFilesWithLinesEndingInCrAreNamedInOneWarning) {
    Write("in/a.txt", "alpha\rbeta\r");
    Write("in/b.txt", "gamma\n");
    Write("in/c.txt", "delta\r");
    platform.ExpectMessage(MsgAnswer::Ok);
    CountFile(PathOf("in"));
    EXPECT_EQ(main.Table.DistinctWordCount(), 4);
    std::filesystem::remove(PathOf("in/c.txt"));
    platform.ExpectMessage(MsgAnswer::Ok);
    CountFile(PathOf("in"));
    const ShownMessage kTwo{
        "2 files of the folder have Macintosh line endings:\r\n" + PathOf("in/a.txt") + "\r\n" + PathOf("in/c.txt"),
        "Warning", MsgButtons::Ok, MsgIcon::Exclamation};
    const ShownMessage kOne{"This file has Macintosh line endings.\r\nInput file: " + PathOf("in/a.txt"), "Warning",
                            MsgButtons::Ok, MsgIcon::Exclamation};
    EXPECT_EQ(platform.Messages(), (std::vector<ShownMessage>{kTwo, kOne}));
}

TEST_F(ParallelCount, TheLargeInputQuestionNamesAFolder) {
    Write("in/a.txt", std::string(200001, 'a'));
    platform.ExpectMessage(MsgAnswer::Cancel);
    CountFile(PathOf("in"));
    ASSERT_EQ(platform.Messages().size(), 1U);
    EXPECT_EQ(platform.Messages()[0].title, "Large input folder");
    EXPECT_TRUE(platform.Messages()[0].text.starts_with("The input folder is quite large.  It is advisable"));
    EXPECT_EQ(main.Table.DistinctWordCount(), 0);
}

}  // namespace
}  // namespace vesk::test
