// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's display of new words while a count scans: each word in the output box, the count in
// its label.

#include <gtest/gtest.h>

#include <string>

#include "app/WordRulesFixture.h"

namespace vesk::test {
namespace {

std::string NumberedWord(int n) {
    std::string word = "w";
    for (; n > 0; n /= 26) word += static_cast<char>('a' + n % 26);
    return word;
}

class RunningDisplay : public ProgramTest {
  protected:
    // Reports words 1 to `last` as the scanner does.
    void NewWords(int first, int last) {
        for (int i = first; i <= last; ++i) main.OnNewWord(NumberedWord(i), i);
    }
    std::string Caption() const { return main.lblNumberOfWords.Caption(); }
};

TEST_F(RunningDisplay, WordsAndCaption) {
    main.chkSuppressWords.SetValue(0);
    main.txbOutput.SetText("earlier text");
    const std::string before = Caption();
    main.OnNewWord("one", 1);
    EXPECT_EQ(main.txbOutput.Text(), "one ");
    EXPECT_FALSE(main.lblNumberOfWords.Visible());
    main.OnNewWord("two", 2);
    EXPECT_EQ(main.txbOutput.Text(), "one two ");
    EXPECT_TRUE(main.lblNumberOfWords.Visible());
    NewWords(3, 9);
    EXPECT_EQ(Caption(), before);
    NewWords(10, 10);
    EXPECT_EQ(Caption(), "Number of different words found so far: 10");
    NewWords(11, 19);
    EXPECT_EQ(Caption(), "Number of different words found so far: 10");
    NewWords(20, 20);
    EXPECT_EQ(Caption(), "Number of different words found so far: 20");
}

TEST_F(RunningDisplay, StopsAfter2000Words) {
    main.chkSuppressWords.SetValue(0);
    std::string expected;
    for (int i = 1; i <= 2001; ++i) expected += NumberedWord(i) + " ";
    expected += "\r\n\r\n[Suppressing display of words to avoid buffer overflow.]";
    NewWords(1, 2001);
    EXPECT_EQ(main.txbOutput.Text(), expected);
    EXPECT_EQ(main.chkSuppressWords.Value(), 1);
    NewWords(2002, 2002);
    EXPECT_EQ(main.txbOutput.Text(), expected);
    EXPECT_EQ(Caption(), "Number of different words found so far: 2000");
}

TEST_F(RunningDisplay, SuppressedFromTheStart) {
    main.chkSuppressWords.SetValue(1);
    main.txbOutput.SetText("kept");
    NewWords(1, 30);
    EXPECT_EQ(main.txbOutput.Text(), "kept");
    EXPECT_EQ(Caption(), "Number of different words found so far: 30");
}

}  // namespace
}  // namespace vesk::test
