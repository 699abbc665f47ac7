// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Any set of values a parameter file can hold, for the tests that carry sets through files and windows.

#include <random>
#include <string>

#include "settings/ParameterSet.h"

namespace vesk::test {

// Texts of any bytes but the line breaks, every check-box value, every item of each list.
inline ParameterSet RandomParameterSet(std::mt19937& random) {
    auto pick = [&](int last) { return std::uniform_int_distribution<int>(0, last)(random); };
    ParameterSet set;
    for (const ParameterField& field : kParameterFields) {
        if (field.text != nullptr) {
            std::string& text = set.*field.text;
            text.clear();
            for (int length = pick(4) == 0 ? 0 : pick(20); static_cast<int>(text.size()) < length;) {
                const char c = static_cast<char>(pick(255));
                if (c != '\r' && c != '\n') text.push_back(c);
            }
        }
        if (field.number != nullptr)
            set.*field.number = pick(field.form == FieldForm::CheckBox ? 2 : field.listSize - 1);
    }
    return set;
}

}  // namespace vesk::test
