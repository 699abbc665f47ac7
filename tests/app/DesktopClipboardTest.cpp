// SPDX-License-Identifier: GPL-3.0-or-later
// What the main window shows next to the output box must match what the next Count will do: the source
// after pasting, the figures after a source failed, and a note when the options changed after a listing.

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "app/AppTestSupport.h"

namespace vesk::test {
namespace {

using DesktopBox = WindowTest;

bool FiguresShown(const MainWindow& w) {
    return w.lblNumberOfWords.Visible() || w.lblNumWordsExcluded.Visible() || w.lblNumOccurrences.Visible() ||
           w.lblTotalNumOccurrences.Visible();
}

// A paste takes up to 100,000 characters; a refused one leaves the last text taken.
TEST_F(DesktopBox, PastingSelectsTheClipboardOnlyWhenThereIsText) {
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
TEST_F(DesktopBox, AFailedSourceLeavesNoFiguresOfTheLastCount) {
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
        CountFile(story);
        ASSERT_TRUE(FiguresShown(main)) << name;
        platform.ExpectMessage(MsgAnswer::Ok);
        fail();
        EXPECT_FALSE(FiguresShown(main)) << name;
    }
}

// A change of a filter or of how words are formed marks the list shown as out of date, until Count lists
// again; a change refused, made with no list shown, or of the listing's order leaves no mark.
TEST_F(DesktopBox, ChangedOptionsMarkTheListOutOfDate) {
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

}  // namespace
}  // namespace vesk::test
