// SPDX-License-Identifier: GPL-3.0-or-later
// Standard input, the listing written line by line as it is composed, and what standard error tells.

#include <fcntl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <sstream>
#include <streambuf>

#include "CountToolFixture.h"
#include "cli/Reporter.h"

namespace vesk::test {
namespace {

// Standard input itself, with or without "-", is the golden test's.
TEST_F(CountToolTest, StandardInputAfterMarkersAndWarnings) {
    // A marker as typed, and standard input named "-" after it.
    EXPECT_EQ(Run({"--format", "9", "--comments", "#", "notes.txt", "-"}, StdinWithText("keep # not notes.txt")),
              (ToolResult{0, "keep\n", ""}));
    // A warning does not fail the count; the output file may not be standard input.
    EXPECT_EQ(Run({"--format", "9"}, StdinWithText("gamma alpha\rgamma\r")),
              (ToolResult{0, "gamma, alpha\n", "vesk-count: warning: This file has Macintosh line endings.\n"}));
    const std::string input = Write("greek.txt", kGreekText);
    const int fd = ::open(input.c_str(), O_RDONLY | O_CLOEXEC);
    EXPECT_EQ(Run({"-o", input}, fd),
              (ToolResult{1, "", "vesk-count: Output file cannot be the same as the input file.\n"}));
    ::close(fd);
}

// Keeps nothing back: every write reaches it at once, and it notes the largest.
class WriteSizes : public std::streambuf {
  public:
    std::streamsize largest = 0;
    std::streamsize total = 0;

  protected:
    int_type overflow(int_type c) override { return xsputn(nullptr, 1) == 1 ? c : traits_type::eof(); }
    std::streamsize xsputn(const char*, std::streamsize n) override {
        largest = std::max(largest, n);
        total += n;
        return n;
    }
};

// Words made of letters only, each distinct: "wordab x", "wordbb x" ...
std::string ManyWords(int count) {
    std::string text;
    for (int i = 0; i < count; ++i)
        text += "word" +
                std::string{static_cast<char>('a' + i % 26), static_cast<char>('a' + i / 26 % 26),
                            static_cast<char>('a' + i / 676 % 26)} +
                "x alpha\n";
    return text;
}

TEST_F(CountToolTest, TheListingIsWrittenLineByLine) {
    const std::string input = Write("many.txt", ManyWords(3000));
    for (const char* format : {"0", "9"}) {
        WriteSizes sizes;
        std::ostream out(&sizes);
        EXPECT_EQ(Run({"--format", format, input}, 0, &out).status, 0);
        EXPECT_GT(sizes.total, 3000 * 8);
        EXPECT_LE(sizes.largest, 60) << format;
    }
}

TEST_F(CountToolTest, TheProgramEndsQuietlyWhenItsReaderStopsEarly) {
    const std::string tool = std::string(VESK_BUILD_DIR) + "/vesk-count";
    if (!std::filesystem::exists(tool)) GTEST_SKIP() << "vesk-count is not built";
    const std::string input = Write("many.txt", ManyWords(40000));
    const std::string err = Path("err.txt");
    for (const char* format : {"0", "9"}) {
        const std::string command =
            "'" + tool + "' --format " + format + " '" + input + "' 2>'" + err + "' | head -c 20";
        EXPECT_EQ(std::system((command + " >/dev/null").c_str()), 0);
        EXPECT_EQ(ReadBytes(err), "");
    }
}

// Errors and warnings as lines on standard error, and the progress bar.
TEST(Reporter, LinesAndTheProgressBar) {
    std::ostringstream err;
    cli::Reporter reporter(err, true);
    reporter.DrawProgress("[>    ]");
    // Within a tenth of a second the bar is not drawn again.
    reporter.DrawProgress("[-->  ]");
    // A line erases the bar first; only errors are counted.
    reporter.Warning("This file has Macintosh line endings.");
    reporter.Error("Markers must be different.\r\n\r\nCheck caf\xE9.");
    reporter.ErrorUtf8("caf\xC3\xA9.txt: Permission denied");
    EXPECT_EQ(reporter.ErrorCount(), 2);
    reporter.DrawProgress("[-->  ]");
    reporter.DrawProgress("not a bar");
    reporter.EraseProgress();
    EXPECT_EQ(err.str(),
              "\r[>    ]\r       \rvesk-count: warning: This file has Macintosh line endings.\n"
              "vesk-count: Markers must be different.\n\nCheck caf\xC3\xA9.\n"
              "vesk-count: caf\xC3\xA9.txt: Permission denied\n"
              "\r[-->  ]\r       \r");
}

}  // namespace
}  // namespace vesk::test
