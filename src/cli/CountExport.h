// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The export of vesk-count (--export FILE, --export - with --export-format): the listed words as CSV, TSV or
// JSON, in a file beside the listing or on standard output instead of it.

#include <cstdint>
#include <iosfwd>
#include <string>

#include "cli/CountOptions.h"
#include "engine/WordTable.h"
#include "settings/ParameterSet.h"

namespace vesk::cli {

inline bool ExportsToStandardOutput(const CountOptions& options) {
    return options.exportFile && *options.exportFile == "-";
}

// What is wrong with the export options, "" when nothing is: the format of a file comes from --export-format
// or else from the file's extension, and standard output needs --export-format.
std::string CheckExportOptions(const CountOptions& options);

// Writes the export of the ranked `table` where the options say, the options in effect as its settings and
// `inputName` as the input file's. Returns the exit status; a failed write is reported on `err`.
int ExportWords(const CountOptions& options, const ParameterSet& set, const WordTable& table, std::int64_t chainHead,
                const std::string& inputName, std::ostream& out, std::ostream& err);

}  // namespace vesk::cli
