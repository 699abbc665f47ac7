// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "support/ScratchFolder.h"
#include "text/ProgramText.h"

namespace vesk::test {
namespace {

TEST(ProgramText, LoadCodesAndWhatTheyTell) {
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
    EXPECT_EQ(texts.Text(20) + texts.Text(30), "");  // a failed load adds nothing
    EXPECT_EQ(texts.Text(1), "again in another file");

    ScratchFolder scratch;
    EXPECT_EQ(texts.Load(scratch.PathOf("missing.dat")), -1);
    EXPECT_EQ(texts.Load(scratch.Path().string()), -7);  // a folder opens but cannot be read
    EXPECT_EQ(texts.Load(scratch.Write("big.dat", std::string((4 << 20) + 1, '#'))), -3);
    EXPECT_GT(texts.Load(std::string(VESK_DATA_DIR) + "/vesk_text.dat"), 0);

    // What each code of a load tells.
    std::string all;
    for (int code : {0, -1, -2, -3, -4, -6, -7, -8, -1507, -1501, -1500, -1001, -1000, -501, -500, -5, -9, 1})
        all += ProgramTextLoadMessage(code, "/p/t.dat") + "\n";
    EXPECT_EQ(all,
              "No program text was read.\nCannot open file containing program text.\r\n/p/t.dat\n"
              "Particular memory allocation error.\nToo much program text.\nText not recovered.\nFile is empty.\n"
              "Error reading file.\nGeneral memory allocation error.\nDuplicate in program text at line 7.\n"
              "Duplicate in program text at line 1.\nString too long at line 500.\nString too long at line 1.\n"
              "Missing string at line 500.\nMissing string at line 1.\nError -500\nError -5\nError -9\n\n");
}

TEST(ProgramText, Lookups) {
    ProgramText texts;
    std::string many;
    for (int i = 0; i < 500; ++i) many += "ł";
    ASSERT_EQ(texts.LoadBytes("1\tVESK\n2\t" + std::string(1000, 'b') + many +
                              "\n"
                              "4\tTab\\there, back\\\\slash, line\\r\\nend, \\q kept\n"
                              "5\tk\xC3\xA4se \xE2\x82\xAC \xD0\x96\n"
                              "6\tEnglish\n6:2\tDeutsch\n"),
              6);
    EXPECT_EQ(texts.Text(2), std::string(1000, 'b') + many.substr(0, 48));  // cut to 1024 characters
    EXPECT_EQ(texts.Text(4), "Tab\there, back\\slash, line\r\nend, \\q kept");
    EXPECT_EQ(texts.Text(5), "käse € Ж");
    EXPECT_EQ(texts.Text(7) + texts.Text(-1), "");
    EXPECT_EQ(texts.Text(6), "English");
    texts.SetLanguage(2);
    EXPECT_EQ(texts.Text(6), "Deutsch");
    EXPECT_EQ(texts.Text(1), "VESK");  // taken from language 0
}

}  // namespace
}  // namespace vesk::test
