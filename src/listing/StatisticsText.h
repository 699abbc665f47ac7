// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The four lines of statistics shown beside a listing, each a caption and its figure right-aligned in a
// column as wide as the largest figure.

#include <string>

#include "engine/WordTable.h"

namespace vesk {

struct StatisticsText {
    std::string listedWords;
    std::string excludedWords;
    std::string listedOccurrences;  // "" when no word is listed, or when the count was interrupted
    std::string totalOccurrences;   // "" when the count was interrupted
};

// `interrupted`: the count was stopped before the end of its input, so the occurrence figures are not known.
StatisticsText ComposeStatistics(const WordStatistics& stats, bool interrupted);

}  // namespace vesk
