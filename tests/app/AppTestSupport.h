// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A program over a scripted platform with a private temporary folder for its files and its per-user data,
// and small helpers the window tests share.

#include <string>
#include <vector>

#include "support/ProgramFixture.h"

namespace vesk::test {

// Everything a text box showed, one entry per change.
struct OutputHistory {
    explicit OutputHistory(TextBox& box) {
        box.textChanged.Connect([this, &box](TextChange) { texts.push_back(box.Text()); });
    }
    bool Contains(const std::string& text) const {
        for (const auto& t : texts)
            if (t == text) return true;
        return false;
    }
    std::vector<std::string> texts;
};

using MainWindowTest = ProgramFixture<>;
using WindowTest = ProgramFixture<>;

// A second program within a test, for what one program leaves to the next, or before start-up.
struct OtherProgram : WindowTest {
    explicit OtherProgram(const std::string& userDataFolder = {}) {
        if (!userDataFolder.empty()) platform.userDataFolder = userDataFolder;
    }
    void TestBody() override {}
};

}  // namespace vesk::test
