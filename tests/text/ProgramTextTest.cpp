// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "support/ScratchFolder.h"
#include "text/ProgramText.h"

namespace vesk::test {
namespace {

TEST(ProgramTextTest, LoadCodes) {
    ProgramText texts;
    const std::vector<std::pair<std::string, std::int32_t>> cases = {
        {"# texts\n\n1\tVESK\r\n2:3\tDrei\n", 2},
        {"# nothing but comments\n   \n", 0},
        {"", -6},
        {"10\tten\n11\tel\xE9ven\n", -4},  // not UTF-8
        {"20\ta\n#\n21\n", -503},          // no text
        {"22\ta\n23\t\n", -502},           // empty text
        {"x\ty\n", -501},                  // no number
        {"24:6\tno such language\n", -501},
        {"40000\ttoo big a number\n", -501},
        {"25\tok\n26\t" + std::string(4097, 'x') + "\n", -1002},
        {"27\t" + std::string(4096, 'x') + "\n", 1},
        {"30\ta\n31\tb\n\n# c\n\n\n30\tagain\n", -1507},
        {"1\tagain in another file\n", 1},  // a later file overrides
        {std::string(5 << 20, '#'), -3},
    };
    for (const auto& [bytes, code] : cases) EXPECT_EQ(texts.LoadBytes(bytes), code) << bytes.substr(0, 40);

    // A failed load adds nothing.
    EXPECT_EQ(texts.Text(20), "");
    EXPECT_EQ(texts.Text(30), "");
    EXPECT_EQ(texts.Text(1), "again in another file");
    EXPECT_EQ(texts.Text(2), "");  // defined in language 3 only
    texts.SetLanguage(3);
    EXPECT_EQ(texts.Text(2), "Drei");

    ScratchFolder scratch;
    EXPECT_EQ(texts.Load(scratch.PathOf("missing.dat")), -1);
    EXPECT_EQ(texts.Load(scratch.Path().string()), -7);  // a folder opens but cannot be read
    EXPECT_EQ(texts.Load(scratch.Write("big.dat", std::string((4 << 20) + 1, '#'))), -3);
    EXPECT_EQ(texts.Load(scratch.Write("t.dat", "3\tthree\n")), 1);
    EXPECT_EQ(texts.Text(3), "three");
}

TEST(ProgramTextTest, LoadMessages) {
    const std::vector<std::pair<std::int32_t, std::string>> cases = {
        {0, "No program text was read."},
        {-1, "Cannot open file containing program text.\r\n/p/vesk_text.dat"},
        {-2, "Particular memory allocation error."},
        {-3, "Too much program text."},
        {-4, "Text not recovered."},
        {-6, "File is empty."},
        {-7, "Error reading file."},
        {-8, "General memory allocation error."},
        {-1507, "Duplicate in program text at line 7."},
        {-1501, "Duplicate in program text at line 1."},
        {-1500, "String too long at line 500."},
        {-1001, "String too long at line 1."},
        {-1000, "Missing string at line 500."},
        {-501, "Missing string at line 1."},
        {-500, "Error -500"},
        {-5, "Error -5"},
        {-9, "Error -9"},
    };
    for (const auto& [code, message] : cases) EXPECT_EQ(ProgramTextLoadMessage(code, "/p/vesk_text.dat"), message);
}

TEST(ProgramTextTest, Lookups) {
    ProgramText texts;
    ASSERT_EQ(texts.LoadBytes("1\tVESK\n"
                              "2\t" +
                              std::string(1024, 'a') +
                              "\n"
                              "3\t" +
                              std::string(1000, 'b') + std::string(500, 'c') +
                              "\n"
                              "4\tTab\\there, back\\\\slash, line\\r\\nend, \\q kept\n"
                              "5\tk\xC3\xA4se \xE2\x82\xAC \xD0\x96\n"
                              "6\tEnglish\n"
                              "6:2\tDeutsch\n"),
              7);
    EXPECT_EQ(texts.Text(1), "VESK");
    EXPECT_EQ(texts.Text(2), std::string(1024, 'a'));
    EXPECT_EQ(texts.Text(3), std::string(1000, 'b') + std::string(24, 'c'));
    EXPECT_EQ(texts.Text(4), "Tab\there, back\\slash, line\r\nend, \\q kept");
    EXPECT_EQ(texts.Text(5), "k\xE4se \x80 \x81");
    EXPECT_EQ(texts.Text(7), "");
    EXPECT_EQ(texts.Text(-1), "");

    EXPECT_EQ(texts.Text(6), "English");
    texts.SetLanguage(2);
    EXPECT_EQ(texts.Text(6), "Deutsch");
    EXPECT_EQ(texts.Text(1), "VESK");  // taken from language 0

    // Each program holds its own texts.
    EXPECT_EQ(ProgramText().Text(1), "");
}

TEST(ProgramTextTest, TheShippedFileDefinesEveryNumberInUse) {
    ProgramText texts;
    ASSERT_GT(texts.Load(std::string(VESK_DATA_DIR) + "/vesk_text.dat"), 0);
    EXPECT_EQ(texts.Text(1), "VESK");
    EXPECT_EQ(texts.Text(9), "Copy to clipboard");
    EXPECT_EQ(texts.Text(14), "https://vesk.example.org/");
    EXPECT_EQ(texts.Text(15), "https://vesk.example.org/manual/");
    EXPECT_EQ(texts.Text(19), "Click here to paste the clipboard text into the textbox");
    EXPECT_FALSE(texts.Text(20).empty());
}

}  // namespace
}  // namespace vesk::test
