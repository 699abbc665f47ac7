// SPDX-License-Identifier: GPL-3.0-or-later
// The exit status of vesk-count: 2 for a command line it cannot take, 1 for a count that fails (with the
// message why), and failed writes; how its options map onto the values of a count, and parameter files;
// standard input, the listing written line by line as it is composed, and what standard error tells.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <ostream>
#include <sstream>
#include <streambuf>
#include <string>
#include <utility>
#include <vector>

#include "cli/CountTool.h"
#include "cli/Reporter.h"
#include "support/ProgramFixture.h"

namespace vesk::test {
namespace {

struct ToolResult {
    int status = -1;
    std::string out, err;
    bool operator==(const ToolResult&) const = default;
};

void PrintTo(const ToolResult& r, std::ostream* os) { *os << r.status << " [" << r.out << "] [" << r.err << "]"; }

class CountToolTest : public ::testing::Test {
  protected:
    ~CountToolTest() override {
        for (const int fd : m_stdinFds) ::close(fd);
    }
    // Standard input from a pipe holding `text`, closed with the test.
    int StdinWithText(const std::string& text) {
        int fds[2];
        if (::pipe(fds) != 0) return -1;
        const bool written = ::write(fds[1], text.data(), text.size()) == static_cast<ssize_t>(text.size());
        ::close(fds[1]);
        m_stdinFds.push_back(fds[0]);
        return written ? fds[0] : -1;
    }
    std::string Write(const std::string& name, const std::string& bytes) const { return scratch.Write(name, bytes); }
    std::string Path(const std::string& name) const { return scratch.PathOf(name); }
    static ToolResult Run(std::vector<std::string> args, int stdinFd = 0, std::ostream* outStream = nullptr) {
        std::ostringstream out, err;
        const int status = cli::RunCountTool(args, outStream != nullptr ? *outStream : out, err, stdinFd);
        return {status, out.str(), err.str()};
    }

    ScratchFolder scratch;
    std::vector<int> m_stdinFds;
};

// gamma 7 times, alpha and beta 3 times each.
const char* const kGreekText =
    "Gamma alpha beta gamma\r\ngamma beta alpha gamma\r\n\r\ngamma beta gamma alpha gamma\r\n";

using Args = std::vector<std::string>;

TEST_F(CountToolTest, UsageErrorsExitWithTwoFailedCountsWithOne) {
    const std::string input = Write("greek.txt", kGreekText);
    // Beside those of the golden test.
    const std::vector<Args> bad = {
        {"--min-frequency", "x", input},
        {"-o"},
        {"--comments", "#"},
        {"--comments2", "#", "", input},
        {"--comments=#", "", input},
        {"--help", "--bogus"},
        {"--encoding", "no-such-encoding", input},
        {"--encoding=", input},
    };
    for (const Args& args : bad) {
        const ToolResult r = Run(args, StdinWithText("other words"));
        EXPECT_EQ(r.status, 2) << args[0];
        EXPECT_EQ(r.out, "") << args[0];
        EXPECT_NE(r.err.find("\nUsage: vesk-count [OPTIONS] [FILE]\nTry 'vesk-count --help'"), std::string::npos)
            << r.err;
    }
    // Option values are UTF-8; one that is not is named.
    for (const Args& args : std::vector<Args>{{"-o", "r\xE9sultat.txt", input}, {"--comments", "\xAB", "\xBB", input}})
        EXPECT_EQ(Run(args).err,
                  "vesk-count: option '" + args[0] + "' has a value that is not valid UTF-8\n" +
                      "Usage: vesk-count [OPTIONS] [FILE]\nTry 'vesk-count --help' for more information.\n");
    // The end marker taken for the file: standard input is never counted in its place.
    EXPECT_EQ(Run({"--comments", "#", input}).err,
              "vesk-count: the end marker '" + input +
                  "' of --comments is the name of a file: give both markers (an empty one as '') before the "
                  "file, or '-' to count standard input\nUsage: vesk-count [OPTIONS] [FILE]\n"
                  "Try 'vesk-count --help' for more information.\n");

    // A count that fails exits with one and says why.
    const std::string tooLong = Path(std::string(300, 'n') + ".txt");
    const std::string noFolder = Path("no/such/folder/out.txt");
    const std::string missing = Path("missing.txt");
    const std::string emptyFolder = Path("empty");
    std::filesystem::create_directory(emptyFolder);
    std::string params = "\"\"\r\n\"\"\r\n\"\"\r\n\"/*\"\r\n\"*/\"\r\n\"//\"\r\n\"\"\r\n1\r\n-1\r\n0\r\n";
    for (int line = 11; line <= 36; ++line) params += "0\r\n";
    const struct {
        Args args;
        std::string err;
    } cases[] = {
        {{missing}, "Input file does not exist."},
        {{tooLong}, tooLong + ": File name too long"},
        {{emptyFolder}, "no file of the corpus could be counted"},
        {{Write("binary.dat", std::string("text\0more", 9))}, "This is not a text file."},
        {{"-o", noFolder, input}, "Error 2: No such file or directory\nOutput file: " + noFolder},
        {{"-o", noFolder, Write("empty.txt", "")}, "Error 2: No such file or directory"},
        {{"-o", input, input}, "Output file cannot be the same as the input file."},
        {{"-p", missing, input},
         "Error when attempting to restore parameters: No such file or directory\nParameter file: " + missing},
        {{"-p", Write("nosel.vesk", params + "\"\"\r\n"), input}, "Invalid combo box index"},
        {{"--write-params", noFolder},
         "Error when attempting to save parameters: No such file or directory\nParameter file: " + noFolder},
        {{"--common-words", missing, input}, "File for common words not found.\nCommon-words file: " + missing},
        {{"--comments", "#", "#", input},
         "Start-comment and end-comment markers must be different.\n\n"
         "Check the comment markers in the 'Set parameters' panel."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args[0]);
        EXPECT_EQ(Run(c.args), (ToolResult{1, "", "vesk-count: " + c.err + "\n"}));
    }
}

// Fails every write as the system does, with `errno` set to the given error.
struct FailingBuffer : std::streambuf {
    explicit FailingBuffer(int e) : error(e) {}
    int_type overflow(int_type) override { return errno = error, traits_type::eof(); }
    std::streamsize xsputn(const char*, std::streamsize) override { return errno = error, 0; }
    int error;
};

TEST_F(CountToolTest, FailedWritesExitWithOneButAClosedPipeIsQuiet) {
    const std::string input = Write("greek.txt", kGreekText);
    for (const Args& args : std::vector<Args>{{"--help"}, {"--version"}, {input}, {Write("none.txt", "")}}) {
        for (const auto& [error, message] : {std::pair<int, std::string>{ENOSPC, ": No space left on device"},
                                             std::pair<int, std::string>{EPIPE, ""}}) {
            FailingBuffer full(error);
            std::ostream out(&full);
            const ToolResult r = Run(args, 0, &out);
            EXPECT_EQ(r.status, 1) << args[0];
            EXPECT_EQ(r.err, message.empty() ? "" : "vesk-count: cannot write to standard output" + message + "\n");
        }
    }
}

// Words separated by blanks; '' is an empty word and "__" stands for two spaces.
Args Split(const std::string& line) {
    Args words;
    std::istringstream in(line);
    for (std::string word; in >> word;) {
        for (std::size_t at; (at = word.find("__")) != std::string::npos;) word.replace(at, 2, "  ");
        words.push_back(word == "''" ? std::string() : word);
    }
    return words;
}

// The options that form words and filter them, on whole texts, are the golden test's; here, the markers typed.
TEST_F(CountToolTest, CommentMarkersFromTheCommandLine) {
    const std::string notes = Write("notes.txt", "keep this # but not this\nnor [but] one\n");
    const struct {
        std::string input;
        Args options;
        std::string out;
    } cases[] = {
        {notes, {"--comments", "#", ""}, "but, keep, nor, one, this\n"},
        {notes, {"--comments", "#", "", "--comments2", "[", "]"}, "keep, nor, one, this\n"},
        // Markers may begin with "-".
        {Write("dash.txt", "keep [not -] this\n"), {"--comments", "[", "-]"}, "keep, this\n"},
        // Markup pages and C sources take the markers of their type; the user's pairs are not even checked.
        {Write("page.HTML", "<p class=\"x\">abc</p> &amp; def\n"), {"--comments", "abc", "def"}, "abc, def\n"},
        {Write("prog.c", "int total; /* abc */ abc // def\n"), {"--comments", "#", "#"}, "abc, int, total\n"},
    };
    for (auto c : cases) {
        SCOPED_TRACE(c.options.back());
        c.options.insert(c.options.end(), {"--format", "9", "--order", "alphabetical", c.input});
        EXPECT_EQ(Run(c.options), (ToolResult{0, c.out, ""}));
    }
}

TEST_F(CountToolTest, WriteParamsHoldsTheOptionsInEffect) {
    const std::string input = Write("in.txt", "x");
    const std::string params = Path("mine.vesk");
    const Args options = Split(
        "-o out.txt --order alphabetical --format 5 --commas --case-significant --keep-final-s --allow "
        "periods,numerals --comments # '' --comments2 [ ] --min-length 4 --min-frequency 3 --max-length 70 "
        "--ignore Alpha__beta --keep-roman --common-words cw.txt");
    Args args = options;
    args.insert(args.end(), {"--write-params", params, input});
    EXPECT_EQ(Run(args), (ToolResult{0, "", ""}));
    EXPECT_EQ(ReadBytes(params), "\"" + input +
                                     "\"\r\n\"out.txt\"\r\n\"Alpha,beta\"\r\n\"#\"\r\n\"\"\r\n\"[\"\r\n\"]\"\r\n"
                                     "2\r\n5\r\n1\r\n1\r\n1\r\n1\r\n1\r\n0\r\n1\r\n1\r\n0\r\n"
                                     "0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n1\r\n0\r\n1\r\n"
                                     "1\r\n0\r\n1\r\n1\r\n1\r\n0\r\n0\r\n1\r\n5\r\n\"cw.txt\"\r\n");
}

TEST_F(CountToolTest, ParamsFileAppliesAndOptionsOverrideIt) {
    const std::string input = Write("in.txt", "The cats sat on the mat. The cat-flap is 3.5 metres off the mat\n");
    Args options =
        Split("--order alphabetical --format 7 --keep-final-s --allow periods --ignore on --min-frequency 2");
    Args direct = options, save = options;
    direct.push_back(input);
    save.insert(save.end(), {"--write-params", Path("p.vesk")});
    ASSERT_EQ(Run(save).status, 0);
    EXPECT_EQ(Run({"-p", Path("p.vesk"), input}), Run(direct));
    EXPECT_EQ(Run({"--params", Path("p.vesk"), "--format=9", "--order", "frequency", input}).out, "the, mat\n");
}

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

// The encoding named applies to the input and the common-words file (how each encoding decodes is the reading's
// own test); a file named in any bytes is read.
TEST_F(CountToolTest, TheEncodingNamedReadsTheInputAndTheCommonWords) {
    EXPECT_EQ(Run({"--encoding", "koi8-r", "--format", "9", Write("in.txt", "\xEB\xCF\xDB\xCB\xC1\n")}),
              (ToolResult{0, "кошка\n", ""}));
    const std::string common = Write("common.txt", "\xEB\xCF\xDB\xCB\xC1\nalpha\n");
    EXPECT_EQ(Run({"--encoding", "koi8-r", "--common-words", common, "--format", "9",
                   Write("caf\xE9.txt", "alpha \xEB\xCF\xDB\xCB\xC1 beta\n")}),
              (ToolResult{0, "beta\n", ""}));
}

// A folder named with Polish letters holds the parameter file, the common words and the output file.
TEST_F(CountToolTest, FilesInAFolderNamedInPolish) {
    const std::filesystem::path polish = scratch.Path() / "Zażółć";
    std::filesystem::create_directories(polish);
    const std::string params = (polish / "p.vesk").string(), output = (polish / "wynik.txt").string();
    const std::string input = Write("in.txt", "alpha beta beta\n");
    WriteBytes(polish / "common.txt", "alpha\n");
    ASSERT_EQ(Run({"--common-words", (polish / "common.txt").string(), "-o", output, "--write-params", params}).status,
              0);
    EXPECT_EQ(Run({"-p", params, "--format", "9", input}), (ToolResult{0, "beta\n", ""}));
    EXPECT_EQ(ReadBytes(output), "beta");
}

// Keeps nothing back: every write reaches it at once, and it notes the largest.
struct WriteSizes : std::streambuf {
    std::streamsize largest = 0, total = 0;
    int_type overflow(int_type c) override { return xsputn(nullptr, 1) == 1 ? c : traits_type::eof(); }
    std::streamsize xsputn(const char*, std::streamsize n) override {
        largest = std::max(largest, n);
        total += n;
        return n;
    }
};

// The listing streams out in blocks as it is composed, never held whole.
TEST_F(CountToolTest, TheListingIsWrittenAsItIsComposed) {
    std::string text;  // distinct words of letters only
    constexpr int kWords = 15000;
    for (int i = 0; i < kWords; ++i)
        text += "word" +
                std::string{static_cast<char>('a' + i % 26), static_cast<char>('a' + i / 26 % 26),
                            static_cast<char>('a' + i / 676 % 26)} +
                "x alpha\n";
    const std::string input = Write("many.txt", text);
    for (const char* format : {"0", "9"}) {
        WriteSizes sizes;
        std::ostream out(&sizes);
        EXPECT_EQ(Run({"--format", format, input}, 0, &out).status, 0);
        EXPECT_GT(sizes.total, kWords * 10);
        EXPECT_LE(sizes.largest, sizes.total / 2) << format;
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
    reporter.Error("Markers must be different.\r\n\r\nCheck caf\xC3\xA9.");
    reporter.ErrorUtf8("café.txt: Permission denied");
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
