// SPDX-License-Identifier: GPL-3.0-or-later
// Files named in any script, and files in any encoding, through the windows.

#include <gtest/gtest.h>

#include <algorithm>

#include "app/AppTestSupport.h"
#include "engine/Encoding.h"

namespace vesk::test {
namespace {

// "Zażółć" names the folder of every file, the per-user data folder among them.
class UnicodeFilesTest : public WindowTest {
  protected:
    UnicodeFilesTest() {
        platform.userDataFolder = (polish / "config").string();
        std::filesystem::create_directories(platform.userDataFolder);
    }
    void SetUp() override { Start(); }
    std::string InPolish(const std::string& name, const std::string& bytes = {}) const {
        if (!bytes.empty()) WriteBytes(polish / name, bytes);
        return (polish / name).string();
    }
    void ChooseEncoding(const std::string& name) {
        const auto& items = main.cboInputEncoding.Items();
        const auto found = std::find(items.begin(), items.end(), name);
        ASSERT_NE(found, items.end()) << name;
        main.cboInputEncoding.SetListIndex(static_cast<int>(found - items.begin()));
    }

    const std::filesystem::path polish = folder / "Zażółć";
};

std::string Utf16Le(const std::string& ascii) {
    std::string bytes;
    for (const char c : ascii) bytes += std::string{c, '\0'};
    return bytes;
}

TEST_F(UnicodeFilesTest, AFolderNamedInPolishHoldsEveryFileOfTheProgram) {
    ParameterSet set;
    set.outputFile = InPolish("wynik.txt");
    set.ignoreCommonWords = 1;
    set.commonWordsFile = InPolish("pospolite.txt", "alpha\r\n");
    ASSERT_EQ(WriteParameterFile(InPolish("ustawienia.vesk"), set), "");
    ASSERT_EQ(main.RestoreSavedState(InPolish("ustawienia.vesk")), "");
    platform.ExpectMessage(MsgAnswer::Ok);  // common words loaded
    CountFile(InPolish("tekst.txt", "alpha beta beta gamma\r\n"));
    const std::string written = ReadBytes(set.outputFile);
    EXPECT_NE(written.find("beta"), std::string::npos);
    EXPECT_EQ(written.find("alpha"), std::string::npos);

    ASSERT_EQ(main.SaveState(""), "");
    EXPECT_TRUE(std::filesystem::exists(polish / "config" / "Kestrine Systems" / "vesk.usr"));
    OtherProgram next(platform.userDataFolder);
    next.platform.AnswerAllWithDefault();
    next.Start();
    EXPECT_EQ(next.main.txbFile[1].Text(), set.outputFile);
    EXPECT_EQ(next.main.strCommonWordsFile, set.commonWordsFile);
}

TEST_F(UnicodeFilesTest, TheChosenEncodingReadsTheInputAndTheCommonWords) {
    for (std::size_t i = 1; i < main.cboInputEncoding.Items().size(); ++i)
        EXPECT_TRUE(IsKnownEncoding(main.cboInputEncoding.Items()[i])) << main.cboInputEncoding.Items()[i];

    // UTF-16 without a byte-order mark is no text until its encoding is named.
    const std::string input = InPolish("le.txt", Utf16Le("alpha beta beta gamma\r\n"));
    platform.ExpectMessage(MsgAnswer::Ok);
    CountFile(input);
    EXPECT_EQ(platform.Messages().back().text, "This is not a text file.\r\nInput file: " + input);

    ChooseEncoding("UTF-16LE");
    ParameterSet set;
    set.ignoreCommonWords = 1;
    set.commonWordsFile = InPolish("common.txt", Utf16Le("gamma\r\n"));
    ASSERT_EQ(main.RestoreSavedState(WriteSet(set)), "");
    platform.ExpectMessage(MsgAnswer::Ok);  // common words loaded
    CountFile(input);
    const std::string shown = main.txbOutput.Text();
    EXPECT_NE(shown.find("beta"), std::string::npos);
    EXPECT_EQ(shown.find("gamma"), std::string::npos);

    // Another choice: the common words are read again, in it, by the next count.
    ASSERT_TRUE(main.blnCommonWordsLoaded);
    ChooseEncoding("Automatic");
    EXPECT_FALSE(main.blnCommonWordsLoaded || main.blnWordsGot);
}

}  // namespace
}  // namespace vesk::test
