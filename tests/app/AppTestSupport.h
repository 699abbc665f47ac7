// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A program over a scripted platform with a private temporary folder for its files and its per-user data.

#include <string>

#include "support/ProgramFixture.h"

namespace vesk::test {

using WindowTest = ProgramFixture;

// A second program within a test, for what one program leaves to the next, or before start-up.
struct OtherProgram : WindowTest {
    explicit OtherProgram(const std::string& userDataFolder = {}) {
        if (!userDataFolder.empty()) platform.userDataFolder = userDataFolder;
    }
    void TestBody() override {}
};

}  // namespace vesk::test
