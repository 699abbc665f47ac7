// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A folder of its own for each test, and a program over a scripted platform whose per-user data lives in it:
// the set-up the window, parameter and listing tests share. Public, so that tables of cases can drive it.

#include <gtest/gtest.h>

#include <string>

#include "app/Program.h"
#include "settings/ParameterFile.h"
#include "support/ScratchFolder.h"
#include "support/ScriptedPlatform.h"

namespace vesk::test {

class ProgramFixture : public ::testing::Test {
  public:
    ProgramFixture() {
        platform.userDataFolder = (folder / "config").string();
        std::filesystem::create_directories(platform.userDataFolder);
    }

    // The start-up of a program that has never saved its state.
    void Start() { program.Start(); }
    std::string PathOf(const std::string& name) const { return scratch.PathOf(name); }
    std::string MakeFile(const std::string& name, const std::string& bytes) { return scratch.Write(name, bytes); }

    // As after choosing the file: the next press counts.
    void CountFile(const std::string& path) {
        main.txbFile[0].SetText(path);
        main.blnWordsGot = false;
        main.cmdListWords.Click();
    }
    void CountClipboard(const std::string& text) {
        platform.SetClipboard(text);
        main.optInTextBox.Select();
        main.cmdListWords.Click();
    }
    // Writes the set as a parameter file of the test folder; returns its path.
    std::string WriteSet(const ParameterSet& set, const std::string& name = "test.vesk") {
        EXPECT_EQ(WriteParameterFile(PathOf(name), set), "");
        return PathOf(name);
    }
    // What a save of the program gives at this moment.
    ParameterSet Saved() {
        ParameterSet set;
        EXPECT_EQ(main.SaveState(PathOf("saved.vesk")), "");
        EXPECT_EQ(ReadParameterFile(PathOf("saved.vesk"), set), "");
        return set;
    }

    ScratchFolder scratch;
    const std::filesystem::path& folder = scratch.Path();
    const std::filesystem::path stateFile = folder / "config" / "Kestrine Systems" / "vesk.usr";
    ScriptedPlatform platform;
    Program program{platform};
    MainWindow& main = program.frmMain;
    ParamsWindow& params = program.frmParams;
};

}  // namespace vesk::test
