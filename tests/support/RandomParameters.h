// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Any set of values a parameter file can hold, for the tests that carry sets through files and windows.

#include <random>
#include <string>

#include "engine/Encoding.h"
#include "settings/ParameterSet.h"

namespace vesk::test {

// Texts of any characters but the line breaks (from every plane, most of them ASCII), every check-box value,
// every item of each list.
inline ParameterSet RandomParameterSet(std::mt19937& random) {
    auto pick = [&](int last) { return std::uniform_int_distribution<int>(0, last)(random); };
    ParameterSet set;
    for (const ParameterField& field : kParameterFields) {
        if (field.text != nullptr) {
            std::string& text = set.*field.text;
            text.clear();
            for (int length = pick(4) == 0 ? 0 : pick(20); static_cast<int>(text.size()) < length;) {
                const int limits[] = {0x7F, 0x7FF, 0xFFFF, 0x10FFFF};
                const auto cp = static_cast<char32_t>(pick(limits[pick(7) / 2 > 2 ? 3 : pick(7) / 2]));
                if (cp != '\r' && cp != '\n' && (cp < 0xD800 || cp > 0xDFFF)) AppendUtf8(text, cp);
            }
        }
        if (field.number != nullptr)
            set.*field.number = pick(field.form == FieldForm::CheckBox ? 2 : field.listSize - 1);
    }
    return set;
}

}  // namespace vesk::test
