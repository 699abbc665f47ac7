// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One count of vesk-count: the input checked and read, its words filtered and ranked, and the listing
// written to standard output line by line as it is composed (and to the output file when there is one).

#include <iosfwd>
#include <string>
#include <vector>

#include "cli/CountOptions.h"
#include "cli/Reporter.h"
#include "engine/PartialCount.h"
#include "settings/ParameterSet.h"

namespace vesk::cli {

// The partial counts that --merge merges, each with the name it is reported by.
struct MergeParts {
    std::vector<PartialCount> parts;
    std::vector<std::string> names;
};

// Reads the parts named by the options (standard input when none) and checks that they merge. Returns the
// exit status, a failure reported on `reporter`'s stream.
int ReadMergeParts(const CountOptions& options, int stdinFd, Reporter& reporter, MergeParts& merge);

// Counts a file, standard input or a corpus, or merges `merge` when given, and lists the words or writes
// them as a partial count. Returns the exit status: 0 success, 1 failure (reported on `reporter`'s stream),
// 3 a listing without the files that could not be counted.
int CountAndList(const CountOptions& options, const ParameterSet& set, Reporter& reporter, std::ostream& out,
                 std::ostream& err, int stdinFd, const MergeParts* merge = nullptr);

}  // namespace vesk::cli
