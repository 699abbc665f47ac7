#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "app/Program.h"
#include "support/ScriptedPlatform.h"
#include "text/ProgramText.h"

namespace vesk::test {
namespace {

class ProgramTextTest : public ::testing::Test {
  protected:
    ProgramTextTest() {
        folder =
            std::filesystem::temp_directory_path() / ("vesk-text-" + std::to_string(::getpid()) + "-" +
                                                      ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(folder);
        ClearTextTable();
        SetProgramTextLanguage(0);
    }
    ~ProgramTextTest() override {
        std::filesystem::remove_all(folder);
        ClearTextTable();
    }
    // Writes the bytes to a file of the test folder and loads it.
    std::int32_t Load(const std::string& bytes, const std::string& name = "t.dat") {
        std::ofstream((folder / name).string(), std::ios::binary) << bytes;
        return LoadTextTable((folder / name).string());
    }
    std::filesystem::path folder;
};

TEST_F(ProgramTextTest, LoadCodes) {
    EXPECT_EQ(Load("# texts\n\n1\tVESK\r\n2:3\tDrei\n"), 2);
    EXPECT_EQ(Load("# nothing but comments\n   \n"), 0);
    EXPECT_EQ(Load(""), -6);
    EXPECT_EQ(LoadTextTable((folder / "missing.dat").string()), -1);
    EXPECT_EQ(Load("10\tten\n11\tel\xE9ven\n"), -4);  // not UTF-8
    EXPECT_EQ(Load("20\ta\n#\n21\n"), -503);          // no text
    EXPECT_EQ(Load("22\ta\n23\t\n"), -502);           // empty text
    EXPECT_EQ(Load("x\ty\n"), -501);                  // no number
    EXPECT_EQ(Load("24:6\tno such language\n"), -501);
    EXPECT_EQ(Load("40000\ttoo big a number\n"), -501);
    EXPECT_EQ(Load("25\tok\n26\t" + std::string(4097, 'x') + "\n"), -1002);
    EXPECT_EQ(Load("27\t" + std::string(4096, 'x') + "\n"), 1);
    EXPECT_EQ(Load("30\ta\n31\tb\n\n# c\n\n\n30\tagain\n"), -1507);
    EXPECT_EQ(Load("1\tagain in another file\n"), 1);  // a later file overrides
    EXPECT_EQ(Load(std::string(5 << 20, '#')), -3);
    EXPECT_EQ(LoadTextTable(folder.string()), -7);  // a folder opens but cannot be read

    // A failed load adds nothing.
    EXPECT_EQ(GetProgramText(20, false), "");
    EXPECT_EQ(GetProgramText(30, false), "");
    EXPECT_EQ(GetProgramText(1, false), "again in another file");
    EXPECT_EQ(GetProgramText(2, false), "");  // defined in language 3 only
    SetProgramTextLanguage(3);
    EXPECT_EQ(GetProgramText(2, false), "Drei");
    SetProgramTextLanguage(0);
}

TEST_F(ProgramTextTest, LoadMessages) {
    EXPECT_EQ(ProgramTextLoadMessage(0, "/p/vesk_text.dat"), "No program text was read.");
    EXPECT_EQ(ProgramTextLoadMessage(-1, "/p/vesk_text.dat"),
              "Cannot open file containing program text.\r\n/p/vesk_text.dat");
    EXPECT_EQ(ProgramTextLoadMessage(-2, ""), "Particular memory allocation error.");
    EXPECT_EQ(ProgramTextLoadMessage(-3, ""), "Too much program text.");
    EXPECT_EQ(ProgramTextLoadMessage(-4, ""), "Text not recovered.");
    EXPECT_EQ(ProgramTextLoadMessage(-6, ""), "File is empty.");
    EXPECT_EQ(ProgramTextLoadMessage(-7, ""), "Error reading file.");
    EXPECT_EQ(ProgramTextLoadMessage(-8, ""), "General memory allocation error.");
    EXPECT_EQ(ProgramTextLoadMessage(-1507, ""), "Duplicate in program text at line 7.");
    EXPECT_EQ(ProgramTextLoadMessage(-1501, ""), "Duplicate in program text at line 1.");
    EXPECT_EQ(ProgramTextLoadMessage(-1500, ""), "String too long at line 500.");
    EXPECT_EQ(ProgramTextLoadMessage(-1002, ""), "String too long at line 2.");
    EXPECT_EQ(ProgramTextLoadMessage(-1001, ""), "String too long at line 1.");
    EXPECT_EQ(ProgramTextLoadMessage(-1000, ""), "Missing string at line 500.");
    EXPECT_EQ(ProgramTextLoadMessage(-503, ""), "Missing string at line 3.");
    EXPECT_EQ(ProgramTextLoadMessage(-501, ""), "Missing string at line 1.");
    EXPECT_EQ(ProgramTextLoadMessage(-500, ""), "Error -500");
    EXPECT_EQ(ProgramTextLoadMessage(-5, ""), "Error -5");
    EXPECT_EQ(ProgramTextLoadMessage(-9, ""), "Error -9");
}

TEST_F(ProgramTextTest, Lookups) {
    ASSERT_EQ(Load("1\tVESK\n"
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
    EXPECT_EQ(GetProgramText(1, false), "VESK");
    EXPECT_EQ(GetProgramText(2, true), std::string(1024, 'a'));
    EXPECT_EQ(GetProgramText(3, true), std::string(1000, 'b') + std::string(24, 'c'));
    EXPECT_EQ(GetProgramText(4, true), "Tab\there, back\\slash, line\r\nend, \\q kept");
    EXPECT_EQ(GetProgramText(5, true), "k\xE4se \x80 \x81");
    EXPECT_EQ(GetProgramText(7, true), "");
    EXPECT_EQ(GetProgramText(-1, true), "");

    EXPECT_EQ(GetProgramText(6, true), "English");
    SetProgramTextLanguage(2);
    EXPECT_EQ(GetProgramText(6, true), "Deutsch");
    EXPECT_EQ(GetProgramText(1, true), "VESK");  // taken from language 0
    SetProgramTextLanguage(0);

    char small[4];
    EXPECT_EQ(LookUpText(1, 0, small, 3, false), 3);
    EXPECT_EQ(std::string(small, 3), "VES");
    EXPECT_EQ(LookUpText(1, 0, nullptr, 3, false), 0);
}

TEST_F(ProgramTextTest, TheShippedFileDefinesEveryNumberInUse) {
    ASSERT_GT(LoadTextTable(std::string(VESK_DATA_DIR) + "/vesk_text.dat"), 0);
    EXPECT_EQ(GetProgramText(1, false), "VESK");
    EXPECT_EQ(GetProgramText(9, false), "Copy to clipboard");
    EXPECT_EQ(GetProgramText(14, false), "https://vesk.example.org/");
    EXPECT_EQ(GetProgramText(15, false), "https://vesk.example.org/manual/");
    EXPECT_EQ(GetProgramText(19, false), "Click here to paste the clipboard text into the textbox");
    EXPECT_FALSE(GetProgramText(20, false).empty());
}

TEST_F(ProgramTextTest, AFailedLoadEndsTheProgram) {
    ScriptedPlatform platform;
    platform.programFolder = folder.string();
    platform.ExpectMessage(MsgAnswer::Ok);
    EXPECT_FALSE(LoadProgramText(platform, "vesk_text.dat"));
    EXPECT_EQ(platform.LastMessage(),
              (ShownMessage{"Cannot open file containing program text.\r\n" + (folder / "vesk_text.dat").string(), "",
                            MsgButtons::Ok, MsgIcon::Critical}));
    EXPECT_TRUE(platform.Ended());

    // A folder that ends in "/" gets no second one.
    ScriptedPlatform root;
    root.programFolder = folder.string() + "/";
    Load("1\tx\n2\tx\n2\ty\n", "vesk_text.dat");
    root.ExpectMessage(MsgAnswer::Ok);
    EXPECT_FALSE(LoadProgramText(root, "vesk_text.dat"));
    EXPECT_EQ(root.Messages()[0].text, "Duplicate in program text at line 3.");
    EXPECT_TRUE(root.Ended());

    ClearTextTable();
    Load("1\tx\n", "vesk_text.dat");
    ScriptedPlatform good;
    good.programFolder = folder.string() + "/";
    EXPECT_TRUE(LoadProgramText(good, "vesk_text.dat"));
    EXPECT_FALSE(good.Ended());
}

TEST_F(ProgramTextTest, ProductStringsMakeTheTitle) {
    ScriptedPlatform platform;
    Program program(platform);
    ASSERT_GT(LoadTextTable(std::string(VESK_DATA_DIR) + "/vesk_text.dat"), 0);
    InitProductStrings(program.frmMain);
    EXPECT_EQ(ProductName(), "VESK");
    EXPECT_EQ(VersionString(), std::to_string(VESK_VERSION_MAJOR) + "." + std::to_string(VESK_VERSION_MINOR) + "7");
    EXPECT_EQ(program.frmMain.Caption(), "VESK " + VersionString());
}

}  // namespace
}  // namespace vesk::test
