#include <signal.h>
#include <sys/resource.h>

#include <string>
#include <vector>

#include "params/ParamsFixture.h"

namespace vesk::test {
namespace {

constexpr const char* kRestorePrefix = "Error when attempting to restore parameters: ";
constexpr const char* kSavePrefix = "Error when attempting to save parameters: ";

// A failure message, and the line naming the parameter file after it.
std::string OnFile(const std::string& message, const std::string& path) {
    return message + "\r\nParameter file: " + path;
}

class ParameterFileTest : public ProgramTest {
  protected:
    void SetUp() override {
        Start();
        file = (folder / "test.vesk").string();
    }
    // Loads the lines as a parameter file; returns the result of the restore.
    std::string Load(const std::vector<std::string>& lines) {
        WriteBytes(file, CrLfLines(lines));
        return main.RestoreSavedState(file);
    }
    std::vector<std::string> With(int lineNumber, const std::string& value) {
        std::vector<std::string> lines = DefaultLines();
        lines[static_cast<std::size_t>(lineNumber - 1)] = value;
        return lines;
    }
    std::string file;
};

TEST_F(ParameterFileTest, DefaultFileByteForByte) {
    ASSERT_EQ(main.SaveState(file), "");
    EXPECT_EQ(ReadBytes(file), CrLfLines(DefaultLines()));

    // The state file saved at the same moment is the same file.
    platform.ExpectMessage(MsgAnswer::Ok);
    main.cmdSaveState.Click();
    EXPECT_EQ(ReadBytes(stateFile), ReadBytes(file));
}

TEST_F(ParameterFileTest, RoundTripOfEveryOption) {
    const std::string input = (folder / "caf\xE9 \"quoted\".txt").string();
    main.txbFile[0].SetText(input);
    main.txbFile[1].SetText("/out/r\xE9sultat.txt");
    params.txbWordsToIgnore.SetText(
        "Alpha, \xDC"
        "ber");
    params.txbStartComment[0].SetText("{");
    params.txbEndComment[0].SetText("}");
    params.txbStartComment[1].SetText("#");
    params.txbEndComment[1].SetText("\x80");
    params.cboShortWordSize.SetListIndex(7);
    params.cboLongWordSize.SetListIndex(0);
    params.cboThresholdFrequency.SetListIndex(5);
    params.blnReverting = true;  // sets the boxes without questions or file reading
    int value = 0;
    std::vector<std::pair<CheckBox*, int>> boxes;
    std::vector<CheckBox*> all = AllCheckBoxes();
    all.insert(all.end(), {&main.chkSuppressWords, &main.chkDisableOutputToFile});
    for (CheckBox* box : all) {
        value = (value + 1) % 3;
        box->SetValue(value);
        boxes.emplace_back(box, value);
    }
    params.blnReverting = false;
    main.cboWordOrder.SetListIndex(1);
    main.cboDisplayFormat.SetListIndex(9);
    main.strCommonWordsFile = "/lists/w\xF6rter.txt";

    ASSERT_EQ(main.SaveState(file), "");
    const std::string bytes = ReadBytes(file);
    EXPECT_NE(bytes.find("\"/out/r\xC3\xA9sultat.txt\"\r\n"), std::string::npos);  // written in UTF-8
    EXPECT_NE(bytes.find("\"\xE2\x82\xAC\"\r\n"), std::string::npos);

    params.cmdInitialize.Click();
    main.cboDisplayFormat.SetListIndex(0);
    ASSERT_EQ(params.chkDropFinalS.Value(), 1);

    params.blnReverting = true;
    EXPECT_EQ(main.RestoreSavedState(file), "");
    params.blnReverting = false;
    EXPECT_EQ(main.txbFile[0].Text(), input);
    EXPECT_EQ(main.txbFile[1].Text(), "/out/r\xE9sultat.txt");
    EXPECT_EQ(params.txbWordsToIgnore.Text(),
              "alpha,\xFC"
              "ber");  // normalised after the load
    EXPECT_EQ(main.strWordsToIgnore,
              "alpha,\xFC"
              "ber,");
    EXPECT_EQ(params.txbStartComment[0].Text(), "{");
    EXPECT_EQ(params.txbEndComment[0].Text(), "}");
    EXPECT_EQ(params.txbStartComment[1].Text(), "#");
    EXPECT_EQ(params.txbEndComment[1].Text(), "\x80");
    EXPECT_EQ(params.cboShortWordSize.ListIndex(), 7);
    EXPECT_EQ(params.cboLongWordSize.ListIndex(), 0);
    EXPECT_EQ(params.cboThresholdFrequency.ListIndex(), 5);
    for (const auto& [box, expected] : boxes) EXPECT_EQ(box->Value(), expected) << box->Name();
    EXPECT_EQ(main.cboWordOrder.ListIndex(), 1);
    EXPECT_EQ(main.cboDisplayFormat.ListIndex(), 9);
    EXPECT_EQ(main.strCommonWordsFile, "/lists/w\xF6rter.txt");
    EXPECT_EQ(params.txbCommonWordsFile.Text(), "/lists/w\xF6rter.txt");
    EXPECT_TRUE(main.chkDisableOutputToFile.Enabled());
}

TEST_F(ParameterFileTest, ReadingRules) {
    // Leading blanks, an unquoted text to the first comma, blanks after a closing quote.
    EXPECT_EQ(Load(With(1, "   \"/in.txt\"  ")), "");
    EXPECT_EQ(main.txbFile[0].Text(), "/in.txt");
    EXPECT_EQ(Load(With(4, "  (*,*)")), "");
    EXPECT_EQ(params.txbStartComment[0].Text(), "(*");

    // Check-box values: the number at the start, blanks ignored, halves to the even neighbour.
    const std::vector<std::pair<std::string, int>> cases = {{"1.5", 2},  {"2.5", 2},  {"0.5", 0},   {" 1 ", 1},
                                                            {"", 0},     {"yes", 0},  {"1abc", 1},  {"\"1\"", 1},
                                                            {"1 .4", 1}, {"-0.4", 0}, {"1.5e0", 2}, {"2,9", 2}};
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(Load(With(14, text)), "") << text;
        EXPECT_EQ(params.chkIgnoreRepetitions.Value(), expected) << text;
    }
    // Index lines: rounded likewise.
    EXPECT_EQ(Load(With(9, " 2.5")), "");
    EXPECT_EQ(params.cboLongWordSize.ListIndex(), 2);

    // Line 29 is read and dropped; lines after 37 are never read.
    std::vector<std::string> lines = With(29, "7");
    lines.push_back("\"whatever\x01");
    EXPECT_EQ(Load(lines), "");

    // Line ends: CR LF, LF or CR; a last line without its end.
    std::string bytes;
    for (const auto& line : DefaultLines()) bytes += line + "\n";
    WriteBytes(file, bytes);
    EXPECT_EQ(main.RestoreSavedState(file), "");
    bytes.clear();
    for (const auto& line : DefaultLines()) bytes += line + "\r";
    bytes.pop_back();
    WriteBytes(file, bytes);
    EXPECT_EQ(main.RestoreSavedState(file), "");
}

TEST_F(ParameterFileTest, TextsInUtf8OrWindows1252) {
    EXPECT_EQ(Load(With(3, "\"caf\xC3\xA9 na\xC3\xAFve\"")), "");
    EXPECT_EQ(params.txbWordsToIgnore.Text(), "caf\xE9,na\xEFve");
    EXPECT_EQ(Load(With(3, "\"caf\xE9\"")), "");  // not UTF-8: Windows-1252
    EXPECT_EQ(params.txbWordsToIgnore.Text(), "caf\xE9");
    EXPECT_EQ(Load(With(1, "\xEF\xBB\xBF\"/a\xC3\xA9\"")), "");  // byte-order mark
    EXPECT_EQ(main.txbFile[0].Text(), "/a\xE9");
}

TEST_F(ParameterFileTest, QuotesInsideATextReadBackWhole) {
    main.txbFile[0].SetText("/a \"b\" c.txt");
    ASSERT_EQ(main.SaveState(file), "");
    main.txbFile[0].SetText("");
    EXPECT_EQ(main.RestoreSavedState(file), "");
    EXPECT_EQ(main.txbFile[0].Text(), "/a \"b\" c.txt");
}

TEST_F(ParameterFileTest, FailuresNameTheirLine) {
    const std::string tenMegabytes(10 << 20, 'x');
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {With(3, "\"unterminated"), "line 3 has no closing double quote"},
        {With(2, "\"a\"b"), "line 2 holds text after its closing double quote"},
        {With(8, "12"), "line 8 holds a list index out of range"},
        {With(8, "-2"), "line 8 holds a list index out of range"},
        {With(36, "99999999999999999999999999"), "line 36 holds a list index out of range"},
        {With(35, "1e400"), "line 35 holds a list index out of range"},
        {With(10, "three"), "line 10 does not hold a number"},
        {With(10, ""), "line 10 does not hold a number"},
        {With(17, "3"), "line 17 does not hold a check-box value (0, 1 or 2)"},
        {With(18, "-1"), "line 18 does not hold a check-box value (0, 1 or 2)"},
        {With(19, "123456789012345678901234567890"), "line 19 does not hold a check-box value (0, 1 or 2)"},
        {With(5, "\"a\x01z\""), "line 5 holds a control character"},
        {With(4, "\"" + tenMegabytes + "\""), "line 4 is longer than 65536 characters"},
        {{}, "the file ends before line 1"},
    };
    for (const auto& [lines, description] : cases)
        EXPECT_EQ(Load(lines), OnFile(kRestorePrefix + description, file)) << description;

    WriteBytes(file, "");
    EXPECT_EQ(main.RestoreSavedState(file), OnFile(std::string(kRestorePrefix) + "the file ends before line 1", file));
    WriteBytes(file, std::string("\x00\x01\x02\xFF\xFE\r\n", 7) + std::string(2000, '\0'));
    EXPECT_EQ(main.RestoreSavedState(file),
              OnFile(std::string(kRestorePrefix) + "line 1 holds a control character", file));
    const std::string missing = (folder / "missing.vesk").string();
    EXPECT_EQ(main.RestoreSavedState(missing),
              OnFile(std::string(kRestorePrefix) + "No such file or directory", missing));
    EXPECT_EQ(main.RestoreSavedState(folder.string()),
              OnFile(std::string(kRestorePrefix) + "Is a directory", folder.string()));
}

TEST_F(ParameterFileTest, ValuesBeforeTheFailingLineStayApplied) {
    std::vector<std::string> lines = With(1, "\"/first.txt\"");
    lines[7] = "12";  // line 8 fails
    lines[8] = "0";   // line 9 is never applied
    EXPECT_EQ(Load(lines), OnFile(std::string(kRestorePrefix) + "line 8 holds a list index out of range", file));
    EXPECT_EQ(main.txbFile[0].Text(), "/first.txt");
    EXPECT_EQ(params.cboLongWordSize.ListIndex(), 3);

    lines = With(36, "4");
    lines.pop_back();
    EXPECT_EQ(Load(lines), OnFile(std::string(kRestorePrefix) + "the file ends before line 37", file));
    EXPECT_EQ(main.cboDisplayFormat.ListIndex(), 4);
}

TEST_F(ParameterFileTest, AListWithoutSelection) {
    EXPECT_EQ(Load(With(9, "-1")), "Invalid combo box index");
    EXPECT_EQ(params.cboLongWordSize.ListIndex(), -1);
    EXPECT_EQ(Load(With(35, "-1")), "Invalid combo box index");
}

TEST_F(ParameterFileTest, ALoadMarksTheWordsStaleWhenItChangesHowTextIsScanned) {
    params.blnReverting = true;
    main.blnWordsGot = true;
    EXPECT_EQ(Load(DefaultLines()), "");
    EXPECT_TRUE(main.blnWordsGot);
    EXPECT_EQ(Load(With(14, "0")), "");  // a filter only
    EXPECT_TRUE(main.blnWordsGot);
    EXPECT_EQ(Load(With(25, "1")), "");  // periods
    EXPECT_FALSE(main.blnWordsGot);
    main.blnWordsGot = true;
    EXPECT_EQ(Load(With(6, "\"#\"")), "");  // a comment marker
    EXPECT_FALSE(main.blnWordsGot);
    main.blnWordsGot = true;
    EXPECT_EQ(Load(With(1, "\"/another.txt\"")), "");  // the input file
    EXPECT_FALSE(main.blnWordsGot);
    params.blnReverting = false;
}

TEST_F(ParameterFileTest, SaveFailuresLeaveThePreviousFile) {
    const std::string blocker = (folder / "plain").string();
    WriteBytes(blocker, "not a folder");
    EXPECT_EQ(main.SaveState(blocker + "/p.vesk"),
              OnFile(std::string(kSavePrefix) + "Not a directory", blocker + "/p.vesk"));

    // A write that fails half way: the file saved before is intact and no temporary file is left.
    ASSERT_EQ(main.SaveState(file), "");
    const std::string before = ReadBytes(file);
    main.txbFile[0].SetText(std::string(4000, 'y'));
    {
        struct rlimit old {};
        ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
        struct rlimit small = old;
        small.rlim_cur = 1000;
        auto* previousHandler = signal(SIGXFSZ, SIG_IGN);
        ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
        const std::string result = main.SaveState(file);
        setrlimit(RLIMIT_FSIZE, &old);
        signal(SIGXFSZ, previousHandler);
        EXPECT_EQ(result, OnFile(std::string(kSavePrefix) + "File too large", file));
    }
    EXPECT_EQ(ReadBytes(file), before);
    int entries = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        (void)entry;
        ++entries;
    }
    EXPECT_EQ(entries, 3);  // config, plain, test.vesk

    // A text with a line break cannot be kept: nothing is written.
    main.txbFile[0].SetText("/a\nb");
    EXPECT_EQ(
        main.SaveState(file),
        OnFile(std::string(kSavePrefix) + "line 1 would hold a line break, which a parameter file cannot keep", file));
    EXPECT_EQ(ReadBytes(file), before);
}

TEST_F(ParameterFileTest, SaveButton) {
    platform.ExpectFileDialog(file);
    params.cmdSaveLoadParameters[0].Click();
    ASSERT_EQ(platform.FileDialogs().size(), 1u);
    EXPECT_EQ(platform.FileDialogs()[0], (FileDialogRequest{"Specify file to save parameters to",
                                                            "Parameter files (*.vesk) | *.vesk", 34822u, true, ""}));
    EXPECT_EQ(params.txbParametersFile.Text(), file);
    EXPECT_EQ(params.lblParameters.Caption(), "Parameters saved to");
    EXPECT_EQ(ReadBytes(file), CrLfLines(DefaultLines()));

    platform.ExpectFileDialog(std::nullopt);
    params.cmdSaveLoadParameters[0].Click();
    platform.ExpectFileDialog(std::string());
    params.cmdSaveLoadParameters[0].Click();
    EXPECT_EQ(params.txbParametersFile.Text(), file);
    EXPECT_EQ(params.lblParameters.Caption(), "Parameters saved to");

    const std::string blocked = (folder / "plain").string();
    WriteBytes(blocked, "");
    platform.ExpectFileDialog(blocked + "/x.vesk");
    platform.ExpectMessage(MsgAnswer::Ok);
    params.cmdSaveLoadParameters[0].Click();
    EXPECT_EQ(platform.LastMessage(),
              (ShownMessage{OnFile(std::string(kSavePrefix) + "Not a directory", blocked + "/x.vesk"),
                            "Save parameters", MsgButtons::Ok, MsgIcon::Exclamation}));
    EXPECT_EQ(params.lblParameters.Caption(), "Error saving to");
    EXPECT_EQ(params.txbParametersFile.Text(), blocked + "/x.vesk");
}

TEST_F(ParameterFileTest, LoadButton) {
    main.blnWordsGot = true;
    WriteBytes(file, CrLfLines(With(19, "0")));  // hyphens off: no question while loading
    platform.ExpectFileDialog(file);
    params.cmdSaveLoadParameters[1].Click();
    ASSERT_EQ(platform.FileDialogs().size(), 1u);
    EXPECT_EQ(platform.FileDialogs()[0], (FileDialogRequest{"Specify file to load parameters from.",
                                                            "Parameter files (*.vesk) | *.vesk", 6148u, false, ""}));
    EXPECT_EQ(params.chkAllowWordsWithHyphens.Value(), 0);
    EXPECT_EQ(params.lblParameters.Caption(), "Parameters loaded from");
    EXPECT_EQ(params.txbParametersFile.Text(), file);
    EXPECT_FALSE(params.blnReverting);

    platform.ExpectFileDialog(std::nullopt);
    params.cmdSaveLoadParameters[1].Click();
    EXPECT_EQ(params.lblParameters.Caption(), "Parameters loaded from");

    // A 36-line file: lines 1 to 36 applied, then the failure and the defaults.
    std::vector<std::string> lines = With(18, "0");
    lines[1] = "\"/out.txt\"";
    lines[35] = "3";
    lines.pop_back();
    WriteBytes(file, CrLfLines(lines));
    platform.ExpectFileDialog(file);
    platform.ExpectMessage(MsgAnswer::Ok);
    params.cmdSaveLoadParameters[1].Click();
    EXPECT_EQ(platform.LastMessage(),
              (ShownMessage{OnFile(std::string(kRestorePrefix) + "the file ends before line 37", file),
                            "Load parameters", MsgButtons::Ok, MsgIcon::Exclamation}));
    EXPECT_EQ(params.lblParameters.Caption(), "Error loading from");
    EXPECT_EQ(params.chkDropFinalS.Value(), 1);
    EXPECT_EQ(params.chkAllowWordsWithHyphens.Value(), 1);
    EXPECT_EQ(main.txbFile[1].Text(), "");
    EXPECT_EQ(params.txbParametersFile.Text(), "");
    EXPECT_EQ(main.cboDisplayFormat.ListIndex(), 3);  // the display lists stay as the load left them

    // A list without selection: the message without prefix, and the defaults.
    WriteBytes(file, CrLfLines(With(9, "-1")));
    platform.ExpectFileDialog(file);
    platform.ExpectMessage(MsgAnswer::Ok);
    params.cmdSaveLoadParameters[1].Click();
    EXPECT_EQ(platform.Messages().back().text, "Invalid combo box index");
    EXPECT_EQ(params.cboLongWordSize.ListIndex(), 3);
}

TEST_F(ParameterFileTest, SavingKeepsLinksPermissionsAndNamesOutsideAscii) {
    namespace fs = std::filesystem;
    const fs::path real = folder / "real.vesk";
    WriteBytes(real, "old");
    fs::permissions(real, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    fs::create_symlink(real, folder / "link.vesk");
    ASSERT_EQ(main.SaveState((folder / "link.vesk").string()), "");
    EXPECT_TRUE(fs::is_symlink(folder / "link.vesk"));
    EXPECT_EQ(ReadBytes(real), CrLfLines(DefaultLines()));
    EXPECT_EQ(fs::status(real).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);

    // Paths are Windows-1252 inside the program and UTF-8 on disk.
    ASSERT_EQ(main.SaveState((folder / "caf\xE9.vesk").string()), "");
    EXPECT_TRUE(fs::exists(folder / "caf\xC3\xA9.vesk"));
    EXPECT_EQ(main.RestoreSavedState((folder / "caf\xE9.vesk").string()), "");
}

}  // namespace
}  // namespace vesk::test
