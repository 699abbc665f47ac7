// SPDX-License-Identifier: GPL-3.0-or-later
// vesk-count's exports: the options that choose them, the file beside the listing or standard output instead of
// it, read back by Python's csv and json modules, and failed writes.

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "cli/CountTool.h"
#include "support/ReadExport.h"
#include "support/ScratchFolder.h"

namespace vesk::test {
namespace {

using Args = std::vector<std::string>;

struct ToolResult {
    int status = -1;
    std::string out, err;
};

ToolResult Tool(const Args& args) {
    std::ostringstream out, err;
    const int status = cli::RunCountTool(args, out, err, -1);
    return {status, out.str(), err.str()};
}

// don't 4, it's 2, cat 2, dog 1, ox 1 with apostrophes allowed and words of three letters or more.
const char* const kText = "Don't don't cat, it's; DON'T dog. It's cat don't ox\n";

TEST(CountExportTest, ExportOptionsThatCannotBeTakenAreUsageErrors) {
    ScratchFolder scratch;
    const std::string input = scratch.Write("in.txt", kText);
    for (const Args& args : std::vector<Args>{{"--export", scratch.PathOf("w.txt"), input},
                                              {"--export", "-", input},
                                              {"--export-format", "csv", input},
                                              {"--export", "-", "--export-format", "xml", input}}) {
        const ToolResult r = Tool(args);
        EXPECT_EQ(r.status, 2) << args[1];
        EXPECT_EQ(r.out, "") << args[1];
    }
}

TEST(CountExportTest, AFileBesideTheListingInEachFormatHoldsTheOptionsInEffect) {
    ScratchFolder scratch;
    const std::string input = scratch.Write("in.txt", kText);
    const Args options = {"--allow", "apostrophes", "--min-length", "3", input};
    const ToolResult plain = Tool(options);
    ASSERT_EQ(plain.status, 0);
    const std::vector<std::string> rows = {
        "row 1 4 " + Hex("don't") + " 44.4 44.4", "row 2 2 " + Hex("cat") + " 22.2 66.7",
        "row 3 2 " + Hex("it's") + " 22.2 88.9", "row 4 1 " + Hex("dog") + " 11.1 100.0"};
    for (const std::string format : {"csv", "tsv", "json"}) {
        const std::string file = scratch.PathOf("words." + format);
        Args args = {"--export", file};
        args.insert(args.end(), options.begin(), options.end());
        const ToolResult r = Tool(args);
        EXPECT_EQ(r.status, 0) << format;
        EXPECT_EQ(r.out, plain.out) << format;
        const ExportReading reading = ReadExportWithPython(format, file);
        ASSERT_EQ(reading.status, 0) << format;
        EXPECT_EQ(std::vector<std::string>(reading.lines.begin(), reading.lines.begin() + 4), rows) << format;
        if (format != "json") continue;
        const std::vector<std::string> expected = {"stat words_excluded 1",  // "ox", too short
                                                   "setting input_file text " + Hex(input),
                                                   "setting allow_hyphens bool false",
                                                   "setting allow_apostrophes bool true",
                                                   "setting ignore_short_words bool true",
                                                   "setting min_length number 3",
                                                   "setting word_order text " + Hex("frequency")};
        for (const std::string& line : expected)
            EXPECT_NE(std::find(reading.lines.begin(), reading.lines.end(), line), reading.lines.end()) << line;
    }
}

TEST(CountExportTest, StandardOutputTakesTheExportInsteadOfTheListing) {
    ScratchFolder scratch;
    const std::string input = scratch.Write("in.txt", kText);
    const ToolResult r =
        Tool({"--export", "-", "--export-format", "tsv", "--allow", "apostrophes", "--min-length", "3", input});
    ASSERT_EQ(r.status, 0);
    EXPECT_EQ(r.out.substr(0, r.out.find('\n')), "rank\tfrequency\tword\tpercent\tcumulative_percent");
    const ExportReading reading = ReadExportWithPython("tsv", scratch.Write("out.tsv", r.out));
    EXPECT_EQ(reading.status, 0);
    EXPECT_EQ(reading.lines.size(), 4u);
}

TEST(CountExportTest, AFailedExportExitsWithOneAndSparesTheInput) {
    ScratchFolder scratch;
    const std::string input = scratch.Write("in.csv", kText);
    for (const std::string& target : {scratch.PathOf("missing/w.csv"), input}) {
        const ToolResult r = Tool({"--export", target, input});
        EXPECT_EQ(r.status, 1) << target;
        EXPECT_NE(r.err.find("vesk-count: "), std::string::npos) << target;
    }
    EXPECT_EQ(ReadBytes(input), kText);
}

}  // namespace
}  // namespace vesk::test
