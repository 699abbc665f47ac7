// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One count of vesk-count: the input checked and read, its words filtered and ranked, and the listing
// written to standard output line by line as it is composed (and to the output file when there is one).

#include <iosfwd>

#include "cli/CountOptions.h"
#include "cli/Reporter.h"
#include "settings/ParameterSet.h"

namespace vesk::cli {

// Returns the exit status: 0 success, 1 failure (reported on `reporter`'s stream).
int CountAndList(const CountOptions& options, const ParameterSet& set, Reporter& reporter, std::ostream& out,
                 std::ostream& err, int stdinFd);

}  // namespace vesk::cli
