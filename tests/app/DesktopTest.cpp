// SPDX-License-Identifier: GPL-3.0-or-later
// What the main window shows must match what the next Count will do; file names as a desktop user types them.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "app/AppTestSupport.h"

namespace vesk::test {
namespace {

using Desktop = WindowTest;

int FiguresShown(const MainWindow& w) {
    return w.lblNumberOfWords.Visible() + w.lblNumWordsExcluded.Visible() + w.lblNumOccurrences.Visible() +
           w.lblTotalNumOccurrences.Visible();
}

// A paste takes up to 100,000 characters; a refused one leaves the last text taken.
TEST_F(Desktop, PastingSelectsTheClipboardOnlyWhenThereIsText) {
    Start();
    const std::string limit = "some words" + std::string(99990, ' ');
    for (const auto& [clipboard, size] : {std::pair{limit, "100,000"}, {std::string(), ""}, {limit + "b", "100,001"}}) {
        const bool accepted = clipboard.size() == limit.size();
        main.optInFile.Select();
        main.blnWordsGot = main.ResultsShown = true;
        platform.SetClipboard(clipboard);
        if (!accepted) platform.ExpectMessage(MsgAnswer::Ok);
        main.Label1.Click();
        EXPECT_EQ(main.optInTextBox.Value(), accepted) << clipboard.size();
        EXPECT_EQ(main.txbOutput.Text(), accepted ? clipboard : "");
        EXPECT_EQ(main.lblSizeOfClipboardContents.Caption(),
                  *size ? "Contents of clipboard:   " + std::string(size) + " bytes" : "");
        EXPECT_EQ(main.ClipboardText, limit);
        EXPECT_FALSE(main.blnWordsGot || (accepted && main.ResultsShown));
    }
    platform.SetClipboard(limit);
    main.Label1.Click();
    main.cmdListWords.Click();  // counts what the box shows
    EXPECT_EQ(main.Table.DistinctWordCount(), 2);
}

// After a good count, each way a source can fail takes the figures of that count away.
TEST_F(Desktop, AFailedSourceLeavesNoFiguresOfTheLastCount) {
    Start();
    std::filesystem::create_directories(folder / "texts");
    const std::string story = MakeFile("story.txt", "alpha beta\r\n");
    const std::pair<const char*, std::function<void()>> failures[] = {
        {"empty clipboard", [&] { CountClipboard(""); }},
        {"too much clipboard text", [&] { CountClipboard(std::string(100001, 'a')); }},
        {"missing file", [&] { CountFile(PathOf("gone.txt")); }},
        {"no input name", [&] { CountFile(""); }},
        {"folder", [&] { CountFile(PathOf("texts")); }},
        {"not text", [&] { CountFile(MakeFile("data.txt", "a\x01")); }},
    };
    for (const auto& [name, fail] : failures) {
        platform.repainted.clear();
        CountFile(story);
        ASSERT_EQ(FiguresShown(main), 4) << name;
        const auto& drawn = platform.repainted;  // the statistics drawn at once
        ASSERT_NE(std::find(drawn.begin(), drawn.end(), &main.Frame2), drawn.end()) << name;
        platform.ExpectMessage(MsgAnswer::Ok);
        fail();
        EXPECT_EQ(FiguresShown(main), 0) << name;
    }
}

// A change of a filter or of how words are formed marks the list shown as out of date, until Count lists
// again; a change refused, made with no list shown, or of the listing's order leaves no mark.
TEST_F(Desktop, ChangedOptionsMarkTheListOutOfDate) {
    Start();
    const std::string story = MakeFile("story.txt", "alpha beta beta\r\n");
    main.strCommonWordsFile = MakeFile("common.txt", "alpha\r\n");
    platform.ExpectMessage(MsgAnswer::Ok);  // read at once
    params.chkIgnoreCommonWords.SetValue(1);
    const auto flip = [](CheckBox& box) { box.SetValue(1 - box.Value()); };
    const auto ignore = [&](const char* words) {
        params.txbWordsToIgnore.SetText(words);
        params.txbWordsToIgnore.LostFocus();
    };
    // clang-format off
    const struct {
        const char* name;
        std::vector<MsgAnswer> answers;
        std::function<void()> change;
        bool marked;
    } cases[] = {
        {"filter box", {}, [&] { flip(params.chkIgnoreShortWords); }, true},
        {"filter list", {}, [&] { params.cboThresholdFrequency.SetListIndex(3); }, true},
        {"words to ignore", {}, [&] { ignore("beta"); }, true},
        {"words to ignore as they were", {}, [&] { ignore("beta"); }, false},
        {"word-forming accepted", {MsgAnswer::Yes}, [&] { flip(params.chkAllowWordsWithPeriods); }, true},
        {"word-forming refused", {MsgAnswer::No}, [&] { flip(params.chkAllowWordsWithPeriods); }, false},
        {"common words unchecked", {}, [&] { params.chkIgnoreCommonWords.SetValue(0); }, true},
        {"word order", {}, [&] { main.cboWordOrder.SetListIndex(1); }, false},
    };
    // clang-format on
    for (const auto& c : cases) {
        CountFile(story);
        ASSERT_FALSE(main.lblOptionsChanged.Visible()) << c.name;
        for (MsgAnswer answer : c.answers) platform.ExpectMessage(answer);
        c.change();
        EXPECT_EQ(main.lblOptionsChanged.Visible(), c.marked) << c.name;
        main.cmdListWords.Click();
        EXPECT_FALSE(main.lblOptionsChanged.Visible()) << c.name;
    }
    main.cmdClearOutput.Click();
    params.chkIgnoreShortWords.SetValue(1 - params.chkIgnoreShortWords.Value());
    EXPECT_FALSE(main.lblOptionsChanged.Visible());  // no list to mark
}

// Every kind of file the program reads or writes may be named without an extension.
TEST_F(Desktop, NamesWithoutAnExtensionServeEveryPurpose) {
    Start();
    platform.ExpectMessage(MsgAnswer::Ok);  // the common words loaded
    main.strCommonWordsFile = MakeFile("stopwords", "the\r\n");
    params.chkIgnoreCommonWords.SetValue(1);
    main.txbFile[1].SetText(PathOf("LICENSE"));
    CountFile(MakeFile("README", "the owl and the pussycat\r\n"));
    EXPECT_EQ(main.Table.Statistics().excludedWordCount, 1);
    EXPECT_NE(ReadBytes(PathOf("LICENSE")).find("pussycat"), std::string::npos);
    EXPECT_EQ(main.SaveState(PathOf("Makefile")), "");
    platform.ExpectFileDialog(PathOf("Makefile"));
    params.cmdSaveLoadParameters[1].Click();
    EXPECT_EQ(params.lblParameters.Caption(), "Parameters loaded from");
}

// Each dialog opens in the folder of the file its box names, else in the folder last used, else at home.
TEST_F(Desktop, DialogsOpenNearTheFileNamed) {
    Start();
    std::filesystem::create_directories(folder / "a");
    std::filesystem::create_directories(folder / "b");
    platform.currentDirectory = PathOf("b");
    const std::pair<TextBox*, Button*> dialogs[] = {{&main.txbFile[0], &main.cmdFile[0]},
                                                    {&main.txbFile[1], &main.cmdFile[1]},
                                                    {&params.txbParametersFile, &params.cmdSaveLoadParameters[0]},
                                                    {&params.txbCommonWordsFile, &params.cmdSelectCommonWordsFile}};
    const struct {
        std::string named, lastUsed, opensIn;
    } cases[] = {{PathOf("a/x.txt"), PathOf("b/"), PathOf("a/")},
                 {PathOf("gone/x.txt"), PathOf("b/"), PathOf("b/")},
                 {"", PathOf("b/"), PathOf("b/")},
                 {"", PathOf("gone/"), platform.homeFolder},
                 {"", "", platform.homeFolder},
                 {"x.txt", "", PathOf("b")}};  // a name without a folder is in the folder the program started in
    for (const auto& [box, button] : dialogs) {
        for (const auto& c : cases) {
            SCOPED_TRACE(button->Name() + " \"" + c.named + "\" after \"" + c.lastUsed + "\"");
            box->SetText(c.named);
            main.LastDialogFolder = c.lastUsed;
            platform.ExpectFileDialog(std::nullopt);
            button->Click();
            EXPECT_EQ(platform.FileDialogFolders().back(), c.opensIn);
        }
    }
}

TEST_F(Desktop, SavedParametersGetTheirExtensionWhenTypedWithoutOne) {
    Start();
    for (const auto& [typed, written] : {std::pair<std::string, std::string>{"mine", "mine.vesk"},
                                         {"my.settings", "my.settings"},
                                         {"v1.2/mine", "v1.2/mine.vesk"}}) {
        std::filesystem::create_directories(folder / "v1.2");
        platform.ExpectFileDialog(PathOf(typed));
        params.cmdSaveLoadParameters[0].Click();
        EXPECT_EQ(params.txbParametersFile.Text(), PathOf(written));
        EXPECT_EQ(std::filesystem::exists(PathOf(typed)), typed == written);
        EXPECT_TRUE(std::filesystem::exists(PathOf(written)));
    }
}

// While the program runs, an output file it wrote and nobody changed since is its own and is replaced without
// a question; any other existing file is asked about each time. Random relistings, changes of the output
// name and writes by others, against that rule.
TEST_F(Desktop, OverwriteQuestionOnlyForFilesThisRunDidNotLeave) {
    Start();
    CountFile(MakeFile("in.txt", "alpha beta beta\r\n"));
    const std::string names[] = {PathOf("one.txt"), PathOf("two.txt")};
    std::map<std::string, std::string> leftByUs;  // name -> the bytes this run wrote there
    std::mt19937 random(9);
    for (int step = 0; step < 60; ++step) {
        const std::string& name = names[random() % 2];
        if (random() % 4 == 0) {
            // Someone else writes it: never as long as a listing of these three words.
            WriteBytes(name, std::string(500 + random() % 40, 'x'));
            continue;
        }
        main.txbFile[1].SetText(name);
        const bool asked =
            std::filesystem::exists(name) && (!leftByUs.contains(name) || ReadBytes(name) != leftByUs[name]);
        if (asked) platform.ExpectMessage(MsgAnswer::Yes);
        const std::size_t shown = platform.Messages().size();
        main.cboDisplayFormat.SetListIndex((main.cboDisplayFormat.ListIndex() + 1 + static_cast<int>(random() % 8)) %
                                           9);
        EXPECT_EQ(platform.Messages().size(), shown + (asked ? 1 : 0)) << "step " << step;
        leftByUs[name] = ReadBytes(name);
    }
}

}  // namespace
}  // namespace vesk::test
