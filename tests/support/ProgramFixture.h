// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A folder of its own for each test, and a program over a scripted platform whose per-user data lives in it:
// the set-up the main-window, parameter and listing tests share.

#include <gtest/gtest.h>

#include <string>

#include "app/Program.h"
#include "support/ScratchFolder.h"
#include "support/ScriptedPlatform.h"

namespace vesk::test {

template <class PlatformType = ScriptedPlatform>
class ProgramFixture : public ::testing::Test {
  protected:
    ProgramFixture() {
        platform.userDataFolder = (folder / "config").string();
        std::filesystem::create_directories(platform.userDataFolder);
    }

    // The start-up of a program that has never saved its state.
    void Start() { program.Start(); }
    std::string PathOf(const std::string& name) const { return scratch.PathOf(name); }
    std::string MakeFile(const std::string& name, const std::string& bytes) { return scratch.Write(name, bytes); }
    const ShownMessage& LastMessage() const { return platform.LastMessage(); }

    ScratchFolder scratch;
    const std::filesystem::path& folder = scratch.Path();
    PlatformType platform;
    Program program{platform};
    MainWindow& main = program.frmMain;
    ParamsWindow& params = program.frmParams;
};

}  // namespace vesk::test
