// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A program over a scripted platform, set up by hand with the options the engine tests rely on.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/Program.h"
#include "engine/ScanHarness.h"
#include "params/ParamsWindow.h"
#include "support/ScriptedPlatform.h"

namespace vesk::test {

class ProgramTest : public ::testing::Test {
  protected:
    ProgramTest() : program(platform) {
        main.blnStartUpCompleted = true;
        params.chkDropFinalS.SetValue(0);
        params.chkAllowCommentMarkers.SetValue(0);
        for (CheckBox* box :
             {&params.chkIgnoreRepetitions, &params.chkIgnoreRomNum40, &params.chkIgnoreNoVowelOrY,
              &params.chkIgnoreShortWords, &params.chkIgnoreInfrequentWords, &params.chkIgnoreCommonWords})
            box->SetValue(0);
        FillList(params.cboShortWordSize, {"2", "3", "4", "5", "6", "7", "8", "9"}, 1);
        FillList(params.cboThresholdFrequency, {"2", "3", "4", "5", "6", "7", "8", "9"}, 0);
        FillList(params.cboLongWordSize, {"20", "30", "40", "50", "60", "70", "80"}, 6);
        main.strWordsToIgnore = ",";
        main.TakeOptionSnapshot();
    }

    // Sets a box without running the parameters window's reactions to it.
    void SetQuietly(CheckBox& box, int value) {
        params.blnReverting = true;
        box.SetValue(value);
        params.blnReverting = false;
    }

    static void FillList(ComboBox& list, const std::vector<std::string>& items, int index) {
        list.Clear();
        for (const auto& item : items) list.AddItem(item);
        list.SetListIndex(index);
    }

    // Counts one text into the main window's table, as a run would (lower-cased unless told otherwise).
    void Count(const std::vector<std::string>& lines, bool lower = true) {
        main.chkSuppressWords.SetValue(1);
        main.Table.Reset();
        main.Scanner.ResetComments();
        main.Scanner.SetOptions(main.CurrentScanOptions(false));
        for (std::string line : lines) {
            if (lower) LowerCaseInPlace(line);
            line += ' ';
            main.Scanner.ScanLine(line);
        }
        main.Table.Finish();
    }

    std::vector<std::string> ListedWords() {
        std::vector<std::string> words;
        for (std::int64_t i = 1; i <= main.Table.DistinctWordCount(); ++i)
            if (main.Table.IsListed(i)) words.emplace_back(main.Table.Word(i));
        return words;
    }

    void ExpectMessages(const std::vector<ShownMessage>& expected) {
        const auto& shown = platform.Messages();
        ASSERT_EQ(shown.size(), expected.size());
        for (std::size_t i = 0; i < expected.size(); ++i) {
            EXPECT_EQ(shown[i].text, expected[i].text) << i;
            EXPECT_EQ(shown[i].title, expected[i].title) << i;
            EXPECT_EQ(shown[i].buttons, expected[i].buttons) << i;
            EXPECT_EQ(shown[i].icon, expected[i].icon) << i;
        }
    }

    ScriptedPlatform platform;
    Program program;
    MainWindow& main = program.frmMain;
    ParamsWindow& params = program.frmParams;
};

}  // namespace vesk::test
