// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The values a count of vesk-count runs with: the parameter set of the program, started from its defaults,
// then a parameter file, then the options of the command line over it.

#include <string>
#include <utility>
#include <vector>

#include "cli/CountOptions.h"
#include "cli/Reporter.h"
#include "engine/CommentMarkers.h"
#include "engine/ScanOptions.h"
#include "engine/WordFilters.h"
#include "settings/ParameterSet.h"

namespace vesk::cli {

inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;
// The listing of a corpus of which some files could not be counted.
inline constexpr int kExitPartial = 3;

// The settings that shape words, by name, as a partial count keeps them: `encoding` is the name given with
// --encoding, "" when the encoding of each file is detected.
using WordShaping = std::vector<std::pair<std::string, std::string>>;
WordShaping WordShapingOf(const ParameterSet& set, const std::string& encoding);

// Prints a usage error and returns the exit status of one.
int UsageError(std::ostream& err, const std::string& problem);

// Sets `set` from the options over the defaults. Returns kExitSuccess, or the status to exit with once the
// failure is reported (a parameter file that cannot be read, a display format of no such name).
// `shaping`, when given, replaces the word-shaping settings of the set (those of the parts of a merge) before
// the options are applied.
int ApplyOptions(const CountOptions& options, ParameterSet& set, Reporter& reporter, std::ostream& err,
                 const WordShaping* shaping = nullptr);

// What the values of the set mean for a count. A check box counts as ticked only with the value 1.
AllowedCharacters AllowedOf(const ParameterSet& set);
ScanOptions ScanOptionsOf(const ParameterSet& set, const CommentMarkers& markers);
CommentMarkers UserMarkersOf(const ParameterSet& set);
FilterOptions FilterOptionsOf(const ParameterSet& set);
// Whether the listing is also written to the output file.
inline bool WritesOutputFile(const ParameterSet& set) {
    return !set.outputFile.empty() && set.disableOutputToFile != 1;
}

}  // namespace vesk::cli
