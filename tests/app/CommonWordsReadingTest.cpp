// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "app/WordRulesFixture.h"

namespace vesk::test {
namespace {

using Words = std::vector<std::string>;

class CommonWordsTest : public ProgramTest {
  protected:
    Words Loaded() const { return main.CommonWords.Words(); }
    void ExpectLoaded(const std::string& path) {
        ExpectMessages({{"Common words loaded from " + path, "Common words", MsgButtons::Ok, MsgIcon::Information}});
        EXPECT_TRUE(main.blnCommonWordsLoaded);
        EXPECT_EQ(params.txbCommonWordsFile.Text(), path);
    }
    void ExpectFailure(const std::vector<ShownMessage>& first) {
        std::vector<ShownMessage> all = first;
        all.push_back({"Error when attempting to load common words from " + main.strCommonWordsFile, "Common words",
                       MsgButtons::Ok, MsgIcon::Exclamation});
        ExpectMessages(all);
        EXPECT_FALSE(main.blnCommonWordsLoaded);
    }
    void Read(const std::string& path, int answers) {
        main.strCommonWordsFile = path;
        main.blnWordsGot = true;
        for (int i = 0; i < answers; ++i) platform.ExpectMessage(MsgAnswer::Ok);
        main.AttemptToReadCommonWords();
        EXPECT_FALSE(main.blnWordsGot);
    }
};

TEST_F(CommonWordsTest, OneWordWhateverItsCase) {
    TempFile file("The the THE\r\n");
    main.chkSuppressWords.SetValue(0);
    main.txbOutput.SetText("before");
    Read(file.Path(), 1);
    ExpectLoaded(file.Path());
    EXPECT_EQ(Loaded(), (Words{"the"}));
    EXPECT_EQ(main.CommonWordCount(), 1);
    // The boxes are back as they were and the output box is empty.
    EXPECT_EQ(main.chkSuppressWords.Value(), 0);
    EXPECT_EQ(params.chkAllowCommentMarkers.Value(), 0);
    EXPECT_EQ(main.txbOutput.Text(), "");
}

TEST_F(CommonWordsTest, LayoutDoesNotMatterAndCommentsAreSkipped) {
    TempFile lines("  zebra\n\napple /* skipped */\nmango // also skipped\n   \nkiwi\n");
    TempFile oneLine("kiwi apple, mango; zebra\n");
    Read(lines.Path(), 1);
    const Words fromLines = Loaded();
    Read(oneLine.Path(), 1);
    EXPECT_EQ(Loaded(), fromLines);
    EXPECT_EQ(fromLines, (Words{"apple", "kiwi", "mango", "zebra"}));
}

TEST_F(CommonWordsTest, FinalSOnBothSides) {
    TempFile file("news cats glass\n");
    params.chkDropFinalS.SetValue(1);
    Read(file.Path(), 1);
    EXPECT_EQ(Loaded(), (Words{"cat", "glass", "new"}));
    Count({"News"});
    SetQuietly(params.chkIgnoreCommonWords, 1);
    main.ApplyFilters();
    EXPECT_TRUE(ListedWords().empty());
}

TEST_F(CommonWordsTest, PathIsTrimmedButKeepsItsCase) {
    TempFile file("Alpha\n", "Common-Words.TXT");
    Read("  " + file.Path() + "  ", 1);
    EXPECT_EQ(main.strCommonWordsFile, file.Path());
    ExpectLoaded(file.Path());
}

TEST_F(CommonWordsTest, MissingFile) {
    main.CommonWords = CommonWordSet({"kept"});
    Read("/nonexistent/vesk/cwds.txt", 2);
    ExpectFailure({{"File for common words not found.\r\nCommon-words file: /nonexistent/vesk/cwds.txt",
                    "File not found", MsgButtons::Ok, MsgIcon::Exclamation}});
    EXPECT_EQ(Loaded(), (Words{"kept"}));

    // A name the system cannot look up is not called missing.
    TempFile file("word\n");
    const std::string inner = file.Path() + "/cwds.txt";
    Read(inner, 2);
    EXPECT_EQ(platform.Messages().at(2), (ShownMessage{"Error 20: Not a directory\r\nCommon-words file: " + inner,
                                                       "Error", MsgButtons::Ok, MsgIcon::Exclamation}));
    EXPECT_FALSE(main.blnCommonWordsLoaded);
}

TEST_F(CommonWordsTest, MissingFileDuringStartUp) {
    main.blnStartUpCompleted = false;
    SetQuietly(params.chkIgnoreCommonWords, 1);
    Read("/nonexistent/vesk/cwds.txt", 1);
    EXPECT_EQ(params.chkIgnoreCommonWords.Value(), 0);
    EXPECT_EQ(main.strCommonWordsFile, platform.ProgramFolder() + "/cwds_en.txt");
    ExpectFailure({});
}

TEST_F(CommonWordsTest, EmptyPath) {
    Read("   ", 1);
    ExpectFailure({});
}

TEST_F(CommonWordsTest, BinaryFile) {
    TempFile file(std::string("word\0word", 9));
    Read(file.Path(), 2);
    ExpectFailure({{"This is not a text file.\r\nCommon-words file: " + file.Path(), "Invalid input", MsgButtons::Ok,
                    MsgIcon::Exclamation}});
}

TEST_F(CommonWordsTest, LineEndingsAndEmptyFile) {
    TempFile macintosh("one\rtwo\r");
    Read(macintosh.Path(), 2);
    EXPECT_EQ(platform.Messages().at(0).text, "This file has Macintosh line endings.");
    EXPECT_EQ(platform.Messages().at(0).title, "Warning");
    EXPECT_EQ(Loaded(), (Words{"one", "two"}));

    TempFile lfOnly("three\nfour\n");
    Read(lfOnly.Path(), 1);
    EXPECT_EQ(platform.Messages().size(), 3u);  // no warning for LF
    EXPECT_EQ(Loaded(), (Words{"four", "three"}));

    TempFile empty("");
    Read(empty.Path(), 1);
    EXPECT_EQ(platform.Messages().back().text, "Common words loaded from " + empty.Path());
    EXPECT_TRUE(Loaded().empty());
}

TEST_F(CommonWordsTest, MoreThan32767Words) {
    std::string text;
    for (int i = 0; i < 40000; ++i) {
        std::string word = "q";
        for (int n = i, k = 0; k < 4; ++k, n /= 26) word += static_cast<char>('a' + n % 26);
        text += word + "\n";
    }
    TempFile file(text);
    Read(file.Path(), 1);
    EXPECT_EQ(main.CommonWordCount(), 40000);
}

}  // namespace
}  // namespace vesk::test
