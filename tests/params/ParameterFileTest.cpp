// SPDX-License-Identifier: GPL-3.0-or-later
#include <random>
#include <string>
#include <vector>

#include "params/ParamsFixture.h"

namespace vesk::test {
namespace {

class ParameterFileTest : public ProgramTest {
  protected:
    void SetUp() override {
        Start();
        file = PathOf("test.vesk");
    }
    // What a save of the program gives at this moment.
    ParameterSet Saved() {
        EXPECT_EQ(main.SaveState(PathOf("saved.vesk")), "");
        ParameterSet set;
        EXPECT_EQ(ReadParameterFile(PathOf("saved.vesk"), set), "");
        return set;
    }
    // Loads the file through the window's button, answering the message box when one is expected.
    void LoadThroughButton(bool failing = false) {
        platform.ExpectFileDialog(file);
        if (failing) platform.ExpectMessage(MsgAnswer::Ok);
        params.cmdSaveLoadParameters[1].Click();
    }

    std::string file;
};

// A set the windows hold unchanged: the words to ignore as their box leaves them, "Disable" unchecked while no
// output file is named.
ParameterSet RandomHeldSet(std::mt19937& random) {
    auto pick = [&](int last) { return std::uniform_int_distribution<int>(0, last)(random); };
    auto text = [&] {
        std::string s;
        for (int length = pick(4) == 0 ? 0 : pick(20); static_cast<int>(s.size()) < length;) {
            const char c = static_cast<char>(pick(255));
            if (c != '\r' && c != '\n') s.push_back(c);
        }
        return s;
    };
    ParameterSet set;
    for (const ParameterField& field : kParameterFields) {
        if (field.text != nullptr) set.*field.text = text();
        if (field.number != nullptr)
            set.*field.number = pick(field.form == FieldForm::CheckBox ? 2 : field.listSize - 1);
    }
    set.wordsToIgnore.clear();
    for (int words = pick(3); words > 0; --words)
        set.wordsToIgnore += (set.wordsToIgnore.empty() ? "" : ",") + std::string(1 + pick(5), 'a' + pick(25));
    if (set.outputFile.empty()) set.disableOutputToFile = 0;
    return set;
}

TEST_F(ParameterFileTest, TheWindowsHoldEveryValueOfTheSet) {
    // A fresh program holds the defaults, and its state file is the same file.
    EXPECT_EQ(Saved(), DefaultParameters());
    platform.ExpectMessage(MsgAnswer::Ok);
    main.cmdSaveState.Click();
    EXPECT_EQ(ReadBytes(stateFile), ReadBytes(PathOf("saved.vesk")));

    // A load sets each value where the program holds it; a save takes each from there.
    std::mt19937 random(20240611);
    for (int round = 0; round < 30; ++round) {
        const ParameterSet set = RandomHeldSet(random);
        ASSERT_EQ(main.RestoreSavedState(WriteSet(set)), "") << "round " << round;
        ASSERT_EQ(Saved(), set) << "round " << round;
    }
    EXPECT_EQ(params.txbCommonWordsFile.Text(), main.strCommonWordsFile);

    // The last item of each list reads back too.
    for (ComboBox* list : {&params.cboShortWordSize, &params.cboLongWordSize, &params.cboThresholdFrequency,
                           &main.cboWordOrder, &main.cboDisplayFormat})
        list->SetListIndex(static_cast<int>(list->Items().size()) - 1);
    EXPECT_EQ(Saved().displayFormat, 9);
}

TEST_F(ParameterFileTest, AFailedLoadChangesNothing) {
    main.txbFile[0].SetText("/texts/in.txt");
    main.txbFile[1].SetText("/texts/out.txt");
    main.UpdateDisableOutputOption();
    main.chkDisableOutputToFile.SetValue(1);
    params.chkAllowWordsWithPeriods.SetValue(1);
    main.strCommonWordsFile = "/lists/common.txt";
    const ParameterSet before = Saved();

    ParameterSet outOfRange = before;
    outOfRange.inputFile = "/other.txt";
    outOfRange.shortWordSize = 12;
    ParameterSet noChoice = outOfRange;
    noChoice.shortWordSize = 0;
    noChoice.longWordSize = -1;
    std::string shortFile = ReadBytes(WriteSet(noChoice));
    shortFile.resize(shortFile.rfind("\r\n", shortFile.size() - 3) + 2);
    const std::string prefix = "Error when attempting to restore parameters: ";
    const std::string fileLine = "\r\nParameter file: " + file;
    const std::vector<std::pair<std::string, std::string>> cases = {
        {ReadBytes(WriteSet(outOfRange)), prefix + "line 8 holds a list index out of range" + fileLine},
        {ReadBytes(WriteSet(noChoice)), "Invalid combo box index"},
        {shortFile, prefix + "the file ends before line 37" + fileLine},
    };
    for (const auto& [bytes, message] : cases) {
        WriteBytes(file, bytes);
        LoadThroughButton(true);
        EXPECT_EQ(platform.LastMessage(),
                  (ShownMessage{message, "Load parameters", MsgButtons::Ok, MsgIcon::Exclamation}));
        EXPECT_EQ(params.lblParameters.Caption(), "Error loading from");
        EXPECT_EQ(params.txbParametersFile.Text(), file);
        EXPECT_EQ(Saved(), before) << message;
    }
}

TEST_F(ParameterFileTest, ALoadMarksTheWordsStaleWhenItChangesHowTextIsScanned) {
    params.blnReverting = true;
    main.blnWordsGot = true;
    ParameterSet set;
    EXPECT_EQ(main.RestoreSavedState(WriteSet(set)), "");
    EXPECT_TRUE(main.blnWordsGot);
    set.ignoreRepetitions = 0;  // a filter only
    EXPECT_EQ(main.RestoreSavedState(WriteSet(set)), "");
    EXPECT_TRUE(main.blnWordsGot);
    for (auto change : {+[](ParameterSet& s) { s.allowPeriods = 1; }, +[](ParameterSet& s) { s.commentStart2 = "#"; },
                        +[](ParameterSet& s) { s.inputFile = "/another.txt"; }}) {
        change(set);
        main.blnWordsGot = true;
        EXPECT_EQ(main.RestoreSavedState(WriteSet(set)), "");
        EXPECT_FALSE(main.blnWordsGot);
    }
    params.blnReverting = false;
}

TEST_F(ParameterFileTest, SaveButton) {
    platform.ExpectFileDialog(file);
    params.cmdSaveLoadParameters[0].Click();
    ASSERT_EQ(platform.FileDialogs().size(), 1u);
    EXPECT_EQ(platform.FileDialogs()[0], (FileDialogRequest{"Specify file to save parameters to",
                                                            "Parameter files (*.vesk) | *.vesk", 34822u, true, ""}));
    EXPECT_EQ(params.txbParametersFile.Text(), file);
    EXPECT_EQ(params.lblParameters.Caption(), "Parameters saved to");
    ParameterSet set;
    EXPECT_EQ(ReadParameterFile(file, set), "");

    platform.ExpectFileDialog(std::nullopt);
    params.cmdSaveLoadParameters[0].Click();
    platform.ExpectFileDialog(std::string());
    params.cmdSaveLoadParameters[0].Click();
    EXPECT_EQ(params.txbParametersFile.Text(), file);
    EXPECT_EQ(params.lblParameters.Caption(), "Parameters saved to");

    const std::string blocked = MakeFile("plain", "");
    platform.ExpectFileDialog(blocked + "/x.vesk");
    platform.ExpectMessage(MsgAnswer::Ok);
    params.cmdSaveLoadParameters[0].Click();
    EXPECT_EQ(platform.LastMessage(),
              (ShownMessage{
                  "Error when attempting to save parameters: Not a directory\r\nParameter file: " + blocked + "/x.vesk",
                  "Save parameters", MsgButtons::Ok, MsgIcon::Exclamation}));
    EXPECT_EQ(params.lblParameters.Caption(), "Error saving to");
    EXPECT_EQ(params.txbParametersFile.Text(), blocked + "/x.vesk");
}

TEST_F(ParameterFileTest, LoadButton) {
    main.blnWordsGot = true;
    ParameterSet set;
    set.allowHyphens = 0;  // a word-forming option: no question while loading
    WriteSet(set);
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

    ParameterSet set;
    set.inputFile = input;
    set.outputFile = other;
    set.warnOnOverwrite = 0;
    set.wordOrder = 1;
    set.displayFormat = 4;
    WriteSet(set);
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

    ParameterSet set;
    set.inputFile = input;
    set.ignoreCommonWords = 1;
    set.commonWordsFile = second;
    WriteSet(set);
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

TEST_F(ParameterFileTest, FileNamesAreWindows1252InsideTheProgram) {
    ASSERT_EQ(main.SaveState(PathOf("caf\xE9.vesk")), "");
    EXPECT_TRUE(std::filesystem::exists(folder / "caf\xC3\xA9.vesk"));
    EXPECT_EQ(main.RestoreSavedState(PathOf("caf\xE9.vesk")), "");
}

}  // namespace
}  // namespace vesk::test
