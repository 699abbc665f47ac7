// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The parameters that shape a count and its listing under readable names, with typed values, for files
// that other programs read (the "settings" of a JSON export).

#include <cstdint>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "settings/ParameterSet.h"

namespace vesk {

// true/false, a number or a text.
using SettingValue = std::variant<bool, std::int64_t, std::string>;

// Each parameter that shapes a count or its listing, in the order of the parameter file, as (name, value):
// a check box is true only when ticked (1), a list gives the value its item stands for (min_length 2..9,
// max_length 20..80), the word order its name ("frequency", "alphabetical"), texts as held. The output
// file and the program's own habits (saving the state, warnings) are left out.
std::vector<std::pair<std::string, SettingValue>> NamedSettings(const ParameterSet& set);

}  // namespace vesk
