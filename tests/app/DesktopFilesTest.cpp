// SPDX-License-Identifier: GPL-3.0-or-later
// File names as a desktop user types them: names without an extension, where the file dialogs open, and the
// question before an output file is overwritten.

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <random>
#include <string>

#include "app/AppTestSupport.h"

namespace vesk::test {
namespace {

using DesktopFiles = WindowTest;

// Every kind of file the program reads or writes may be named without an extension.
TEST_F(DesktopFiles, NamesWithoutAnExtensionServeEveryPurpose) {
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

// Each dialog opens in the folder of the file its box names, else in the folder last used, else at home; the
// folder a dialog's choice is in becomes the one last used.
TEST_F(DesktopFiles, DialogsOpenNearTheFileNamed) {
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
    platform.ExpectFileDialog(MakeFile("a/words.txt", "alpha\r\n"));
    main.cmdFile[0].Click();
    EXPECT_EQ(main.LastDialogFolder, PathOf("a/"));
}

TEST_F(DesktopFiles, SavedParametersGetTheirExtensionWhenTypedWithoutOne) {
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
TEST_F(DesktopFiles, OverwriteQuestionOnlyForFilesThisRunDidNotLeave) {
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
