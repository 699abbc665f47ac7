// SPDX-License-Identifier: GPL-3.0-or-later
#include <string>

#include "params/ParamsFixture.h"

namespace vesk::test {
namespace {

class IgnoreListsTest : public ProgramTest {
  protected:
    void SetUp() override {
        Start();
        words = (folder / "common.txt").string();
        WriteBytes(words, "the\r\nand\r\nof\r\n");
    }
    std::string Normalise(const std::string& typed) {
        params.txbWordsToIgnore.SetText(typed);
        params.txbWordsToIgnore.LostFocus();
        return params.txbWordsToIgnore.Text();
    }
    void ExpectLoadedMessage(std::size_t index, const std::string& path) {
        ASSERT_GT(platform.Messages().size(), index);
        EXPECT_EQ(platform.Messages()[index], (ShownMessage{"Common words loaded from " + path, "Common words",
                                                            MsgButtons::Ok, MsgIcon::Information}));
    }
    std::string words;
};

TEST_F(IgnoreListsTest, WordsToIgnoreAreNormalised) {
    EXPECT_EQ(Normalise(" The  cat , dog "), "the,cat,dog");
    EXPECT_EQ(main.strWordsToIgnore, "the,cat,dog,");
    EXPECT_EQ(Normalise("one,,,two"), "one,two");
    EXPECT_EQ(Normalise(""), "");
    EXPECT_EQ(main.strWordsToIgnore, ",");
    EXPECT_EQ(Normalise("x;y\tz w"), "x;y\tz,w");  // only blanks and commas separate
    EXPECT_EQ(Normalise(",lead"), ",lead");        // a leading comma stays
    EXPECT_EQ(Normalise("\xC9t\xC9 CAF\xC9"), "\xE9t\xE9,caf\xE9");

    params.chkCaseSignificant.SetValue(1);
    EXPECT_EQ(Normalise(" The Cat "), ",The,Cat");
    EXPECT_EQ(main.strWordsToIgnore, ",The,Cat,");
}

TEST_F(IgnoreListsTest, ClearEmptiesTheListInForce) {
    Normalise("alpha beta");
    params.cmdClearWordsToIgnore.Click();
    EXPECT_EQ(params.txbWordsToIgnore.Text(), "");
    EXPECT_EQ(main.strWordsToIgnore, ",");
    EXPECT_EQ(params.FocusedControl(), &params.cmdClose);
}

TEST_F(IgnoreListsTest, CheckingWithoutAFileAsksForOne) {
    main.strCommonWordsFile.clear();
    platform.ExpectMessage(MsgAnswer::Ok);
    params.chkIgnoreCommonWords.SetValue(1);
    EXPECT_EQ(platform.LastMessage(), (ShownMessage{"Please specify the file containing common words.", "File?",
                                                    MsgButtons::Ok, MsgIcon::None}));
    EXPECT_EQ(params.chkIgnoreCommonWords.Value(), 0);
    EXPECT_EQ(params.FocusedControl(), &params.cmdSelectCommonWordsFile);
}

TEST_F(IgnoreListsTest, CheckingReadsTheFileOrSaysItIsLoaded) {
    params.Show();
    main.strCommonWordsFile = words;
    platform.ExpectMessage(MsgAnswer::Ok);
    params.chkIgnoreCommonWords.SetValue(1);
    ExpectLoadedMessage(0, words);
    EXPECT_TRUE(main.blnCommonWordsLoaded);
    EXPECT_EQ(main.CommonWordCount(), 3);
    EXPECT_FALSE(main.lblNumberOfWords.Visible());
    EXPECT_EQ(params.FocusedControl(), &params.cmdClose);

    // Unchecking keeps the list; checking again does not read it again.
    params.chkIgnoreCommonWords.SetValue(0);
    platform.ExpectMessage(MsgAnswer::Ok);
    params.chkIgnoreCommonWords.SetValue(1);
    EXPECT_EQ(platform.LastMessage(),
              (ShownMessage{
                  "This file has already been loaded.  Click on 'Clear' and re-select the file if it has been changed "
                  "on disk.",
                  "Common words loaded", MsgButtons::Ok, MsgIcon::None}));
    EXPECT_EQ(params.chkIgnoreCommonWords.Value(), 1);
}

TEST_F(IgnoreListsTest, CheckingAfterACountAsksFirst) {
    main.strCommonWordsFile = words;
    for (MsgAnswer refusal : {MsgAnswer::Cancel, MsgAnswer::No}) {
        main.blnWordsGot = true;
        platform.ExpectMessage(refusal);
        params.chkIgnoreCommonWords.SetValue(1);
        EXPECT_EQ(params.chkIgnoreCommonWords.Value(), 0);
        EXPECT_FALSE(main.blnCommonWordsLoaded);
        EXPECT_TRUE(main.blnWordsGot);
    }
    ASSERT_EQ(platform.Messages().size(), 2u);
    EXPECT_EQ(platform.Messages()[0], (ShownMessage{"Changing this entails reading the file anew.  Is this OK?",
                                                    kDefaultMessageTitle, MsgButtons::YesNoCancel, MsgIcon::None}));

    platform.ExpectMessage(MsgAnswer::Yes);
    platform.ExpectMessage(MsgAnswer::Ok);
    params.chkIgnoreCommonWords.SetValue(1);
    ExpectLoadedMessage(3, words);
    EXPECT_TRUE(main.blnCommonWordsLoaded);
    EXPECT_FALSE(main.blnWordsGot);
}

TEST_F(IgnoreListsTest, SelectingAFileReadsItAtOnce) {
    platform.ExpectFileDialog(words);
    platform.ExpectMessage(MsgAnswer::Ok);
    params.cmdSelectCommonWordsFile.Click();
    ASSERT_EQ(platform.FileDialogs().size(), 1u);
    EXPECT_EQ(platform.FileDialogs()[0],
              (FileDialogRequest{"Specify file of common words to ignore", "Any file containing only text (*.*) | *.*",
                                 6148u, false, ""}));
    EXPECT_EQ(main.strCommonWordsFile, words);
    EXPECT_EQ(params.txbCommonWordsFile.Text(), words);
    EXPECT_EQ(params.chkIgnoreCommonWords.Value(), 1);
    ExpectLoadedMessage(0, words);
    EXPECT_TRUE(main.blnCommonWordsLoaded);

    // The box checked already, and the words of a count in hand: still read at once, no question.
    const std::string other = (folder / "other.txt").string();
    WriteBytes(other, "der die das\r\n");
    main.blnWordsGot = true;
    platform.ExpectFileDialog(other);
    platform.ExpectMessage(MsgAnswer::Ok);
    params.cmdSelectCommonWordsFile.Click();
    ExpectLoadedMessage(1, other);
    EXPECT_EQ(main.CommonWordCount(), 3);
    EXPECT_EQ(main.CommonWords.Words()[0], "das");

    // Cancelled: nothing changes.
    platform.ExpectFileDialog(std::nullopt);
    params.cmdSelectCommonWordsFile.Click();
    EXPECT_EQ(main.strCommonWordsFile, other);
    EXPECT_EQ(platform.Messages().size(), 2u);
    EXPECT_EQ(params.FocusedControl(), &params.cmdClose);
}

TEST_F(IgnoreListsTest, ClearingTheFileUnchecksTheBox) {
    main.strCommonWordsFile = words;
    platform.ExpectMessage(MsgAnswer::Ok);
    params.chkIgnoreCommonWords.SetValue(1);
    params.cmdClearCommonWordsFile.Click();
    EXPECT_EQ(params.txbCommonWordsFile.Text(), "");
    EXPECT_EQ(main.strCommonWordsFile, "");
    EXPECT_EQ(params.chkIgnoreCommonWords.Value(), 0);
    EXPECT_FALSE(main.blnCommonWordsLoaded);
    EXPECT_EQ(main.CommonWordCount(), 3);  // kept, but no longer in force
}

TEST_F(IgnoreListsTest, TypingAPath) {
    // Unchecked: a typed path is not taken over.
    params.txbCommonWordsFile.SetText(words);
    EXPECT_FALSE(params.txbCommonWordsFile.KeyPress(13));
    EXPECT_NE(main.strCommonWordsFile, words);
    EXPECT_TRUE(params.txbCommonWordsFile.KeyPress('a'));

    // Checked: Enter reads the typed file when it differs.
    main.strCommonWordsFile = words;
    platform.ExpectMessage(MsgAnswer::Ok);
    params.chkIgnoreCommonWords.SetValue(1);
    const std::string other = (folder / "other.txt").string();
    WriteBytes(other, "le la les\r\n");
    params.txbCommonWordsFile.SetText("  " + other + " ");
    main.blnWordsGot = true;
    platform.ExpectMessage(MsgAnswer::Ok);
    EXPECT_FALSE(params.txbCommonWordsFile.KeyPress(13));
    EXPECT_EQ(params.txbCommonWordsFile.Text(), other);
    EXPECT_EQ(main.strCommonWordsFile, other);
    ExpectLoadedMessage(1, other);
    EXPECT_TRUE(main.blnCommonWordsLoaded);

    // The same path again: nothing happens.
    params.txbCommonWordsFile.LostFocus();
    EXPECT_EQ(platform.Messages().size(), 2u);
}

}  // namespace
}  // namespace vesk::test
