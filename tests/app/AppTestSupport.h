// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A started program over a scripted platform, with a private temporary folder for its files and its
// per-user data, and small helpers the main-window tests share.

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

}  // namespace vesk::test
