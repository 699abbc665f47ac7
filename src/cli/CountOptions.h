// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The command line of vesk-count, parsed into plain values. Option values are UTF-8 (one that is not is a
// usage error); the input file's name is taken byte for byte, whatever it is.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vesk::cli {

// The nine "Allow 'words' with:" choices of --allow, in the order of the parameters window.
inline constexpr std::array<const char*, 9> kAllowNames = {"hyphens", "apostrophes", "underscores",
                                                           "colons",  "backslashes", "forwardslashes",
                                                           "periods", "atsigns",     "numerals"};

struct CountOptions {
    bool help = false;
    bool version = false;

    std::optional<std::string> paramsFile;       // -p, --params
    std::optional<std::string> writeParamsFile;  // --write-params
    std::optional<std::string> commonWordsFile;  // --common-words
    std::optional<std::string> outputFile;       // -o
    std::optional<std::string> encoding;         // --encoding: a converter name ICU knows

    std::optional<int> order;           // 0 by frequency, 1 alphabetical
    std::optional<std::string> format;  // a number or an item text, resolved against the format list
    bool commas = false;

    bool caseSignificant = false;
    bool keepFinalS = false;
    std::optional<std::array<bool, 9>> allow;  // replaces the whole set when given
    // --comments sets the user's markers: its pair, and the second pair of --comments2 or none.
    std::optional<std::array<std::string, 2>> comments;   // start, end
    std::optional<std::array<std::string, 2>> comments2;  // start, end

    std::optional<int> minLength;     // 2..9
    std::optional<int> minFrequency;  // 2..9
    std::optional<int> maxLength;     // 20..80 in tens
    std::optional<std::string> ignore;
    bool keepRepetitions = false;
    bool keepRoman = false;
    bool keepNoVowel = false;

    bool stats = false;
    std::optional<std::string> exportFile;    // --export: a file, or "-" for standard output
    std::optional<std::string> exportFormat;  // --export-format: csv, tsv or json

    // A corpus: --include and --exclude narrow what folders give.
    std::vector<std::string> include;
    std::vector<std::string> exclude;
    std::optional<std::string> emitFile;      // --emit: a file, or "-" for standard output
    bool merge = false;                       // --merge: the inputs are partial counts
    std::optional<std::string> inputName;     // --input-name: standard input's name
    std::optional<std::int64_t> corpusIndex;  // --corpus-index: the index of the first file
    std::optional<int> jobs;                  // --jobs: threads of the count; one per processor when absent

    // The FILE and folder arguments (the parts with --merge); none or a lone "-" means standard input.
    std::vector<std::string> inputs;
    // The first of them, the input file of a count of one file.
    std::string inputFile;
    bool ReadsStandardInput() const { return inputs.empty() || (inputs.size() == 1 && inputs[0] == "-"); }
};

struct ParseResult {
    CountOptions options;
    std::string error;  // empty on success; else what is wrong with the command line
};

ParseResult ParseCountOptions(const std::vector<std::string>& args);

// The text of --help.
std::string HelpText();
// The short usage line shown with a usage error.
inline constexpr const char* kUsageLine = "Usage: vesk-count [OPTIONS] [FILE]";

}  // namespace vesk::cli
