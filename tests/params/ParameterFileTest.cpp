#include <signal.h>
#include <sys/resource.h>

#include <random>
#include <string>
#include <vector>

#include "params/ParamsFixture.h"

namespace vesk::test {
namespace {

constexpr const char* kRestorePrefix = "Error when attempting to restore parameters: ";
constexpr const char* kSavePrefix = "Error when attempting to save parameters: ";

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
    // Loads the file through the window's button, answering the message box when one is expected.
    void LoadThroughButton(bool failing = false) {
        platform.ExpectFileDialog(file);
        if (failing) platform.ExpectMessage(MsgAnswer::Ok);
        params.cmdSaveLoadParameters[1].Click();
    }

    // Every value a parameter file keeps, read from where the program holds it.
    struct HeldValues {
        std::vector<std::string> texts;
        std::vector<int> numbers;
    };
    std::vector<TextBox*> TextBoxes() {
        return {&main.txbFile[0],           &main.txbFile[1],          &params.txbWordsToIgnore,
                &params.txbStartComment[0], &params.txbEndComment[0],  &params.txbStartComment[1],
                &params.txbEndComment[1],   &params.txbCommonWordsFile};
    }
    std::vector<ComboBox*> Lists() {
        return {&params.cboShortWordSize, &params.cboLongWordSize, &params.cboThresholdFrequency, &main.cboWordOrder,
                &main.cboDisplayFormat};
    }
    std::vector<CheckBox*> Boxes() {
        std::vector<CheckBox*> boxes = AllCheckBoxes();
        boxes.insert(boxes.end(), {&main.chkSuppressWords, &main.chkDisableOutputToFile});
        return boxes;
    }
    HeldValues Held() {
        HeldValues held;
        for (TextBox* box : TextBoxes()) held.texts.push_back(box->Text());
        held.texts.push_back(main.strCommonWordsFile);
        for (ComboBox* list : Lists()) held.numbers.push_back(list->ListIndex());
        for (CheckBox* box : Boxes()) held.numbers.push_back(box->Value());
        return held;
    }
    // Values the program can hold: the words to ignore as their box's loss of focus leaves them, the path box
    // showing the common-words path, "Disable" unchecked while no output file is named.
    void SetRandomValues(std::mt19937& random) {
        auto pick = [&](int last) { return std::uniform_int_distribution<int>(0, last)(random); };
        auto text = [&] {
            std::string s;
            for (int length = pick(20); static_cast<int>(s.size()) < length;) {
                const char c = static_cast<char>(pick(255));
                if (c != '"' && c != '\r' && c != '\n') s.push_back(c);
            }
            return s;
        };
        params.blnReverting = true;
        for (CheckBox* box : Boxes()) box->SetValue(pick(2));
        for (ComboBox* list : Lists()) list->SetListIndex(pick(static_cast<int>(list->Items().size()) - 1));
        for (TextBox* box : TextBoxes()) box->SetText(pick(4) == 0 ? std::string() : text());
        main.strCommonWordsFile = params.txbCommonWordsFile.Text();
        params.txbWordsToIgnore_LostFocus();
        main.UpdateDisableOutputOption();
        params.blnReverting = false;
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

TEST_F(ParameterFileTest, SavingAndLoadingAreInverse) {
    // Random values of every field: texts of any characters but the double quote and the line breaks, every
    // check-box value and every index of each list. Loading what was saved gives back exactly what was held.
    std::mt19937 random(20240611);
    for (int round = 0; round < 100; ++round) {
        SetRandomValues(random);
        const HeldValues saved = Held();
        ASSERT_EQ(main.SaveState(file), "");
        SetRandomValues(random);
        ASSERT_EQ(main.RestoreSavedState(file), "") << "round " << round;
        const HeldValues loaded = Held();
        EXPECT_EQ(loaded.texts, saved.texts) << "round " << round;
        EXPECT_EQ(loaded.numbers, saved.numbers) << "round " << round;
        if (HasFailure()) break;
    }
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
    main.txbFile[1].SetText("/out/r\xE9sultat \x80.txt");
    ASSERT_EQ(main.SaveState(file), "");
    EXPECT_NE(ReadBytes(file).find("\r\n\"/out/r\xC3\xA9sultat \xE2\x82\xAC.txt\"\r\n"), std::string::npos);

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
        {With(4, "\"" + tenMegabytes + "\""), "line 4 is longer than 65536 characters"},
        {{}, "the file ends before line 1"},
    };
    for (const auto& [lines, description] : cases) EXPECT_EQ(Load(lines), kRestorePrefix + description) << description;

    WriteBytes(file, "");
    EXPECT_EQ(main.RestoreSavedState(file), std::string(kRestorePrefix) + "the file ends before line 1");
    WriteBytes(file, std::string("\x00\x01\x02\xFF\xFE\r\n", 7) + std::string(2000, '\0'));
    EXPECT_EQ(main.RestoreSavedState(file), std::string(kRestorePrefix) + "the file ends before line 3");
    EXPECT_EQ(main.RestoreSavedState((folder / "missing.vesk").string()),
              std::string(kRestorePrefix) + "No such file or directory");
    EXPECT_EQ(main.RestoreSavedState(folder.string()), std::string(kRestorePrefix) + "Is a directory");
}

TEST_F(ParameterFileTest, AFailedLoadChangesNothing) {
    main.txbFile[0].SetText("/texts/in.txt");
    main.txbFile[1].SetText("/texts/out.txt");
    main.UpdateDisableOutputOption();
    main.chkDisableOutputToFile.SetValue(1);
    params.chkAllowWordsWithPeriods.SetValue(1);
    params.cboLongWordSize.SetListIndex(5);
    main.cboDisplayFormat.SetListIndex(2);
    main.strCommonWordsFile = "/lists/common.txt";
    const std::string before = (folder / "before.vesk").string();
    ASSERT_EQ(main.SaveState(before), "");

    std::vector<std::string> shortFile = With(36, "4");
    shortFile.pop_back();
    std::vector<std::string> badLast = With(13, "1");
    badLast[36] = "\"/lists/other.txt";
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"\"/other.txt\"", "\"\"", "\"\""}, std::string(kRestorePrefix) + "the file ends before line 4"},
        {shortFile, std::string(kRestorePrefix) + "the file ends before line 37"},
        {With(8, "12"), std::string(kRestorePrefix) + "line 8 holds a list index out of range"},
        {badLast, std::string(kRestorePrefix) + "line 37 has no closing double quote"},
        {With(9, "-1"), "Invalid combo box index"},
    };
    const std::string after = (folder / "after.vesk").string();
    for (const auto& [lines, message] : cases) {
        WriteBytes(file, CrLfLines(lines));
        LoadThroughButton(true);
        EXPECT_EQ(platform.LastMessage(),
                  (ShownMessage{message, "Load parameters", MsgButtons::Ok, MsgIcon::Exclamation}));
        EXPECT_EQ(params.lblParameters.Caption(), "Error loading from");
        EXPECT_EQ(params.txbParametersFile.Text(), file);
        ASSERT_EQ(main.SaveState(after), "");
        EXPECT_EQ(ReadBytes(after), ReadBytes(before)) << message;
    }
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
    EXPECT_EQ(main.SaveState(blocker + "/p.vesk"), std::string(kSavePrefix) + "Not a directory");

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
        EXPECT_EQ(result, std::string(kSavePrefix) + "File too large");
    }
    EXPECT_EQ(ReadBytes(file), before);
    int entries = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        (void)entry;
        ++entries;
    }
    EXPECT_EQ(entries, 3);  // config, plain, test.vesk

    // A text with a line break, or too long a line, could not be read back: nothing is written.
    main.txbFile[0].SetText("/a\nb");
    EXPECT_EQ(main.SaveState(file),
              std::string(kSavePrefix) + "line 1 would hold a line break, which a parameter file cannot keep");
    main.txbFile[0].SetText("");
    params.txbWordsToIgnore.SetText(std::string(40000, '\xE9'));  // two bytes each in the file
    EXPECT_EQ(main.SaveState(file),
              std::string(kSavePrefix) + "line 3 would be longer than 65536 bytes, which a parameter file cannot keep");
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
    EXPECT_EQ(platform.LastMessage(), (ShownMessage{std::string(kSavePrefix) + "Not a directory", "Save parameters",
                                                    MsgButtons::Ok, MsgIcon::Exclamation}));
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
}

TEST_F(ParameterFileTest, ALoadNeverLists) {
    // After a count, a load that names a file in the output box, turns the overwrite warning off and picks
    // another order and format: the listing is not written anywhere, the words stay those of the count.
    const std::string input = MakeFile("story.txt", "ibis heron heron\r\n");
    const std::string other = MakeFile("other.txt", "precious");
    main.txbFile[0].SetText(input);
    main.cmdListWords.Click();
    ASSERT_TRUE(main.blnWordsGot);
    const std::string shown = main.txbOutput.Text();

    std::vector<std::string> lines = With(1, "\"" + input + "\"");
    lines[1] = "\"" + other + "\"";
    lines[30] = "0";
    lines[34] = "1";
    lines[35] = "4";
    WriteBytes(file, CrLfLines(lines));
    LoadThroughButton();
    EXPECT_EQ(params.lblParameters.Caption(), "Parameters loaded from");
    EXPECT_EQ(main.cboDisplayFormat.ListIndex(), 4);
    EXPECT_EQ(ReadBytes(other), "precious");
    EXPECT_EQ(main.txbOutput.Text(), shown);
    EXPECT_TRUE(main.blnWordsGot);
}

TEST_F(ParameterFileTest, ACommonWordsFileNamedByALoadIsReadAtTheNextCount) {
    const std::string first = MakeFile("first.txt", "ibis\r\n");
    const std::string second = MakeFile("second.txt", "heron\r\n");
    const std::string input = MakeFile("story.txt", "ibis heron stork\r\n");
    main.txbFile[0].SetText(input);
    platform.ExpectFileDialog(first);
    platform.ExpectMessage(MsgAnswer::Ok);  // "Common words loaded from"
    params.cmdSelectCommonWordsFile.Click();
    main.cmdListWords.Click();
    EXPECT_EQ(main.txbOutput.Text().find("ibis"), std::string::npos);

    std::vector<std::string> lines = With(1, "\"" + input + "\"");
    lines[12] = "1";
    lines[36] = "\"" + second + "\"";
    WriteBytes(file, CrLfLines(lines));
    LoadThroughButton();
    EXPECT_FALSE(main.blnCommonWordsLoaded);
    platform.ExpectMessage(MsgAnswer::Ok);
    main.cmdListWords.Click();
    EXPECT_EQ(platform.LastMessage(), (ShownMessage{"Common words loaded from " + second, "Common words",
                                                    MsgButtons::Ok, MsgIcon::Information}));
    EXPECT_NE(main.txbOutput.Text().find("ibis"), std::string::npos);
    EXPECT_EQ(main.txbOutput.Text().find("heron"), std::string::npos);
    EXPECT_NE(main.txbOutput.Text().find("stork"), std::string::npos);
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
