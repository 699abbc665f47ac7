// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Ranking by frequency: the listed words of a finished table, most frequent first.

#include <cstdint>

#include "engine/WordTable.h"

namespace vesk {

// Gives every listed word with a frequency its rank and links it to the next in rank order; unlisted words
// get rank 0. Equal frequencies keep the table's key order. Returns the record ranked first, 0 when none is.
std::int64_t RankByFrequency(WordTable& table);

}  // namespace vesk
