// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One listing pass: the heading, then the listed words of a ranked word table in the chosen order, each
// composed by a LineComposer and handed to a sink. The table is only read.

#include <cstdint>
#include <functional>
#include <string>

#include "engine/WordTable.h"
#include "listing/LineComposer.h"

namespace vesk {

// Receives the lines of a pass in order. Sinks may throw RunError; the pass then ends with that error.
class ListingSink {
  public:
    virtual ~ListingSink() = default;
    // A finished line without line end. `record` is 0 for the heading, else the record it came from.
    // With a composer that joins words the line is the bare word and no heading comes.
    virtual void Send(std::int64_t record, const std::string& line) = 0;
    // Called every N listed records, for a view that keeps the newest lines in sight.
    virtual void FollowEnd() {}
};

enum class WordOrder {
    ByFrequency = 0,   // along the frequency chain, rank 1 first
    Alphabetical = 1,  // the table's own key order
};

struct PassControl {
    // Runs after every record visited, listed or not.
    std::function<void()> pump;
    // Asked right after each pump; true ends the pass after the current record.
    std::function<bool()> shouldStop;
};

// Every how many records the view follows the end: a tenth of the table (halves to even), at least 10.
std::int64_t ScrollInterval(std::int64_t distinctWordCount);

// Returns true when every record was visited (also when a stop came after the last one), false when
// `shouldStop` ended the pass early. The table may change while the pump runs (another handler
// recounting); the pass then stops at the first record it can no longer reach instead of reading past
// the table.
bool RunListingPass(const WordTable& table, std::int64_t frequencyChainHead, WordOrder order,
                    const LineComposer& composer, ListingSink& sink, const PassControl& control);

}  // namespace vesk
