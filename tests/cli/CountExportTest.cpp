// SPDX-License-Identifier: GPL-3.0-or-later
// vesk-count's exports: the options that choose them, a file beside the listing or standard output instead of
// it, read back by Python's csv and json modules, and failed writes.

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "cli/CountTool.h"
#include "support/ExportSupport.h"
#include "support/ScratchFolder.h"

namespace vesk::test {
namespace {

using Args = std::vector<std::string>;

// The exit status and standard output.
std::pair<int, std::string> Tool(Args args) {
    std::ostringstream out, err;
    const int status = cli::RunCountTool(args, out, err, -1);
    return {status, out.str()};
}

TEST(CountExportTest, FilesBesideTheListingOrStandardOutputInsteadHoldTheOptionsInEffect) {
    ScratchFolder scratch;
    // With apostrophes and words of three letters or more: don't 4, café 2, it's 2, naïve 1; "ox" left out.
    const std::string input = scratch.Write("in.txt", "Don't don't café, it's; DON'T CAFÉ. It's naïve don't ox\n");
    const Args options = {"--allow", "apostrophes", "--min-length", "3", input};
    const std::string listing = Tool(options).second;
    const std::vector<std::string> rows = {
        "row 1 4 " + Hex("don't") + " 44.4 44.4", "row 2 2 " + Hex("café") + " 22.2 66.7",
        "row 3 2 " + Hex("it's") + " 22.2 88.9", "row 4 1 " + Hex("naïve") + " 11.1 100.0"};
    for (const std::string format : {"csv", "tsv", "json"}) {
        Args toFile = {"--export", scratch.PathOf("words." + format)},
             toOutput = {"--export", "-", "--export-format", format};
        toFile.insert(toFile.end(), options.begin(), options.end());
        toOutput.insert(toOutput.end(), options.begin(), options.end());
        EXPECT_EQ(Tool(toFile), std::pair(0, listing)) << format;
        const auto [status, exported] = Tool(toOutput);
        EXPECT_EQ(status, 0) << format;
        for (const std::string& file : {scratch.PathOf("words." + format), scratch.Write("out." + format, exported)}) {
            const std::vector<std::string> lines = ReadExportWithPython(format, file);
            EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + std::min<std::size_t>(4, lines.size())),
                      rows);
            for (const std::string& line :
                 std::vector<std::string>{"stat words_excluded 1", "setting input_file text " + Hex(input),
                                          "setting allow_hyphens bool false", "setting min_length number 3",
                                          "setting word_order text " + Hex("frequency")})
                EXPECT_EQ(std::count(lines.begin(), lines.end(), line), format == "json" ? 1 : 0) << line;
        }
    }
}

TEST(CountExportTest, UsageErrorsAndFailedWrites) {
    ScratchFolder scratch;
    const std::string input = scratch.Write("in.csv", "some words\n");
    const std::vector<std::pair<Args, int>> cases = {
        {{"--export", scratch.PathOf("w.txt"), input}, 2},
        {{"--export", "-", input}, 2},
        {{"--export-format", "csv", input}, 2},
        {{"--export", "-", "--export-format", "xml", input}, 2},
        {{"--export", scratch.PathOf("missing/w.csv"), input}, 1},
        {{"--export", input, input}, 1},  // the input is kept
    };
    for (const auto& [args, status] : cases) EXPECT_EQ(Tool(args).first, status) << args[1];
    EXPECT_EQ(ReadBytes(input), "some words\n");
}

}  // namespace
}  // namespace vesk::test
