// SPDX-License-Identifier: GPL-3.0-or-later
// The word-forming and filter options of vesk-count, its usage errors and its failures.

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <streambuf>

#include "CountToolFixture.h"

namespace vesk::test {
namespace {

// Alphabetical, one line: the quickest way to see which words were formed.
ToolResult Words(const std::string& input, std::vector<std::string> options = {}) {
    options.insert(options.end(), {"--format", "9", "--order", "alphabetical", input});
    return RunTool(options);
}

TEST_F(CountToolTest, WordFormingOptions) {
    const std::string input = Write("forms.txt", "The e-mail of the cats: well--known x_ray o'neil\n");
    EXPECT_EQ(Words(input).out, "cat, e-mail, known, neil, o, of, ray, the, well\n");
    EXPECT_EQ(Words(input, {"--allow", "none"}).out, "cat, e, known, mail, neil, o, of, ray, the, well\n");
    EXPECT_EQ(Words(input, {"--allow", "underscores,apostrophes"}).out,
              "cat, e, known, mail, o'neil, of, the, well, x_ray\n");
    EXPECT_EQ(Words(input, {"--keep-final-s"}).out, "cats, e-mail, known, neil, o, of, ray, the, well\n");

    // Case significant: "The" and "the" stay one record, shown as first seen.
    const ToolResult r = Run({"--case-significant", "--format", "7", input});
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("  The         2\n"), std::string::npos) << r.out;
    EXPECT_EQ(r.out.find("the "), std::string::npos) << r.out;

    // Numerals continue a word but never start one.
    EXPECT_EQ(Words(Write("n.txt", "mp3 3d 2nd\n"), {"--allow", "numerals", "--keep-no-vowel"}).out, "d, mp3, nd\n");
}

TEST_F(CountToolTest, CommentMarkersOfTheUser) {
    const std::string input = Write("notes.txt", "keep this # but not this\nnor [but] one\n");
    EXPECT_EQ(Words(input).out, "but, keep, nor, not, one, this\n");
    EXPECT_EQ(Words(input, {"--comments", "#", ""}).out, "but, keep, nor, one, this\n");
    EXPECT_EQ(Words(input, {"--comments", "#", "", "--comments2", "[", "]"}).out, "keep, nor, one, this\n");

    EXPECT_EQ(Words(input, {"--comments", "abc", "def"}),
              (ToolResult{1, "",
                          "vesk-count: The way the parameters are set the start-comment marker\n"
                          "\"abc\" could be part of a word.\n"
                          "\n"
                          "Check the start-comment markers in the 'Set parameters' panel and\n"
                          "perhaps disallow comment markers or restrict allowable words.\n"}));
    EXPECT_EQ(Words(input, {"--comments", "#", "#"}),
              (ToolResult{1, "",
                          "vesk-count: Start-comment and end-comment markers must be different.\n"
                          "\n"
                          "Check the comment markers in the 'Set parameters' panel.\n"}));
    EXPECT_EQ(Words(input, {"--comments", "", "x"}),
              (ToolResult{1, "",
                          "vesk-count: Cannot have an empty start-comment marker\n"
                          "with a non-empty end-comment marker.\n"
                          "\n"
                          "Check the comment markers in the 'Set parameters' panel\n"
                          "and perhaps disallow comment markers.\n"}));
}

TEST_F(CountToolTest, CommentMarkersComeInPairsBeforeTheFile) {
    const std::string input = Write("notes.txt", "keep [not -] this # nor this\n");
    // Markers may begin with "-"; the second pair has an option of its own.
    EXPECT_EQ(Run({"--format", "9", "--comments", "[", "-]", input}, StdinWithText("other words")),
              (ToolResult{0, "this, keep, nor\n", ""}));
    EXPECT_EQ(Run({"--format", "9", "--comments", "[", "-]", "--comments2", "#", "", input}, StdinWithText("other")),
              (ToolResult{0, "keep, this\n", ""}));

    // A missing marker never turns the file into one and standard input into the text.
    const std::vector<std::vector<std::string>> bad = {
        {"--comments", "#"},
        {"--comments", "#", input},
        {"--comments", "[", "-]", "--comments2", "#", input},
        {"--comments", "[", "-]", "#", input},
        {"--comments2", "#", "", input},
        {"--comments=#", "", input},
    };
    for (const auto& args : bad) {
        const ToolResult r = Run(args, StdinWithText("other words"));
        EXPECT_EQ(r.status, 2) << r.err;
        EXPECT_EQ(r.out, "");
    }
    EXPECT_EQ(Run({"--comments", "#", input}, StdinWithText("other words")).err,
              "vesk-count: the end marker '" + input +
                  "' of --comments is the name of a file: give both markers (an empty one as '') before the "
                  "file, or '-' to count standard input\n"
                  "Usage: vesk-count [OPTIONS] [FILE]\n"
                  "Try 'vesk-count --help' for more information.\n");
    // With "-" the marker is taken as typed.
    EXPECT_EQ(Run({"--format", "9", "--comments", "#", input, "-"}, StdinWithText("keep # not notes.txt")),
              (ToolResult{0, "keep\n", ""}));
}

TEST_F(CountToolTest, Filters) {
    const std::string input = Write("filters.txt",
                                    "an and and the the the cat zz zz iv mix nth rhythm "
                                    "abcdefghijabcdefghija abcdefghijabcdefghij\n");
    EXPECT_EQ(Words(input).out, "abcdefghijabcdefghij, abcdefghijabcdefghija, an, and, cat, mix, rhythm, the\n");
    EXPECT_EQ(Words(input, {"--min-length", "4"}).out, "abcdefghijabcdefghij, abcdefghijabcdefghija, rhythm\n");
    EXPECT_EQ(Words(input, {"--min-frequency", "2"}).out, "and, the\n");
    EXPECT_EQ(Words(input, {"--min-frequency", "3"}).out, "the\n");
    EXPECT_EQ(Words(input, {"--max-length", "20"}).out, "abcdefghijabcdefghij, an, and, cat, mix, rhythm, the\n");
    EXPECT_EQ(Words(input, {"--ignore", " The  cat , "}).out,
              "abcdefghijabcdefghij, abcdefghijabcdefghija, an, and, mix, rhythm\n");
    EXPECT_EQ(Words(input, {"--keep-repetitions", "--keep-roman", "--keep-no-vowel"}).out,
              "abcdefghijabcdefghij, abcdefghijabcdefghija, an, and, cat, iv, mix, nth, rhythm, the, zz\n");
}

TEST_F(CountToolTest, CommonWordsFile) {
    const std::string input = Write("text.txt", "the cat and the news of the day\n");
    const std::string common = Write("common.txt", "THE and\n/* of */ of news\n");
    EXPECT_EQ(Words(input, {"--common-words", common}), (ToolResult{0, "cat, day\n", ""}));

    // The list is split into words as the input is: "e-mail" stays one word with hyphens allowed.
    ToolResult r = Words(Write("mail.txt", "e-mail and mail\n"), {"--common-words", Write("cw2.txt", "e-mail\n")});
    EXPECT_EQ(r.out, "and, mail\n");

    EXPECT_EQ(
        Words(input, {"--common-words", Path("missing.txt")}),
        (ToolResult{1, "",
                    "vesk-count: File for common words not found.\nCommon-words file: " + Path("missing.txt") + "\n"}));

    EXPECT_EQ(
        Words(input, {"--common-words", Write("binary.txt", std::string("the\0and", 7))}),
        (ToolResult{1, "", "vesk-count: This is not a text file.\nCommon-words file: " + Path("binary.txt") + "\n"}));
}

TEST_F(CountToolTest, UsageErrorsExitWithTwo) {
    const std::string input = Write("greek.txt", kGreekText);
    const std::vector<std::vector<std::string>> bad = {
        {"--bogus", input},
        {"--format", "10", input},
        {"--format", "99999999999", input},
        {"--format", "no such format", input},
        {"--order", "reverse", input},
        {"--min-length", "1", input},
        {"--min-frequency", "x", input},
        {"--max-length", "25", input},
        {"--allow", "hyphens,commas", input},
        {"--stats=yes", input},
        {input, input},
        {"-o"},
        {"--comments", "#"},
    };
    for (const auto& args : bad) {
        const ToolResult r = Run(args);
        EXPECT_EQ(r.status, 2) << args[0];
        EXPECT_EQ(r.out, "") << args[0];
        EXPECT_EQ(r.err.rfind("vesk-count: ", 0), 0u) << r.err;
        EXPECT_NE(r.err.find("\nUsage: vesk-count [OPTIONS] [FILE]\n"), std::string::npos) << r.err;
    }
    EXPECT_EQ(Run({"--order", "reverse"}).err,
              "vesk-count: --order must be 'frequency' or 'alphabetical' (not 'reverse')\n"
              "Usage: vesk-count [OPTIONS] [FILE]\n"
              "Try 'vesk-count --help' for more information.\n");

    const ToolResult help = Run({"--help", "--bogus-after-help-is-still-an-error"});
    EXPECT_EQ(help.status, 2);
    const ToolResult h = Run({"-h"});
    EXPECT_EQ(h.status, 0);
    EXPECT_EQ(h.out.rfind("Usage: vesk-count [OPTIONS] [FILE]\n", 0), 0u);
    EXPECT_EQ(h.err, "");
}

TEST_F(CountToolTest, FailuresExitWithOne) {
    EXPECT_EQ(Run({Path("missing.txt")}), (ToolResult{1, "", "vesk-count: Input file does not exist.\n"}));
    const std::string tooLong = Path(std::string(300, 'n') + ".txt");
    EXPECT_EQ(Run({tooLong}), (ToolResult{1, "", "vesk-count: " + tooLong + ": File name too long\n"}));

    EXPECT_EQ(Run({m_dir.string()}), (ToolResult{1, "", "vesk-count: " + m_dir.string() + ": Is a directory\n"}));

    EXPECT_EQ(Run({Write("binary.dat", std::string("text\0more", 9))}),
              (ToolResult{1, "", "vesk-count: This is not a text file.\n"}));

    // An output file in a folder that does not exist.
    EXPECT_EQ(Run({"-o", Path("no/such/folder/out.txt"), Write("greek.txt", kGreekText)}),
              (ToolResult{1, "",
                          "vesk-count: Error 2: No such file or directory\nOutput file: " +
                              Path("no/such/folder/out.txt") + "\n"}));

    if (::geteuid() != 0) {
        const std::string locked = Write("locked.txt", "words\n");
        ::chmod(locked.c_str(), 0);
        EXPECT_EQ(Run({locked}), (ToolResult{1, "", "vesk-count: " + locked + ": Permission denied\n"}));
    }
}

TEST_F(CountToolTest, OutputFileMustNotBeTheInputFile) {
    const std::string input = Write("greek.txt", kGreekText);
    const std::string link = Path("link.txt");
    ASSERT_EQ(::link(input.c_str(), link.c_str()), 0);
    const ToolResult refused{1, "", "vesk-count: Output file cannot be the same as the input file.\n"};
    // Named or as standard input, under its own name or another.
    for (const std::string& output : {input, m_dir.string() + "/./greek.txt", link}) {
        EXPECT_EQ(Run({"-o", output, input}), refused);
        EXPECT_EQ(Run({"-o", output}, StdinFromFile(input)), refused);
        EXPECT_EQ(Run({"-o", output, "-"}, StdinFromFile(input)), refused);
        EXPECT_EQ(Read(input), kGreekText);
    }
}

TEST_F(CountToolTest, CarriageReturnLinesWarnAndCount) {
    EXPECT_EQ(Run({"--format", "9", Write("mac.txt", "gamma alpha\rgamma\r")}),
              (ToolResult{0, "gamma, alpha\n", "vesk-count: warning: This file has Macintosh line endings.\n"}));
    // Line feeds alone are ordinary line ends.
    const ToolResult lf = Run({"--format", "9", Write("unix.txt", "gamma alpha\ngamma\n")});
    EXPECT_EQ(lf.out, "gamma, alpha\n");
    EXPECT_EQ(lf.err, "");
}

// Fails every write as the system does, with `errno` set to the given error.
class FailingBuffer : public std::streambuf {
  public:
    explicit FailingBuffer(int error) : m_error(error) {}

  protected:
    int_type overflow(int_type) override {
        errno = m_error;
        return traits_type::eof();
    }
    std::streamsize xsputn(const char*, std::streamsize) override {
        errno = m_error;
        return 0;
    }

  private:
    int m_error;
};

TEST_F(CountToolTest, FailedWritesExitWithOneButAClosedPipeIsQuiet) {
    const std::string input = Write("greek.txt", kGreekText);
    const std::string noSpace = "vesk-count: cannot write to standard output: No space left on device\n";
    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{"--help"}, {"--version"}, {input}}) {
        FailingBuffer full(ENOSPC);
        std::ostream out(&full);
        std::ostringstream err;
        EXPECT_EQ(cli::RunCountTool(args, out, err), 1) << args[0];
        EXPECT_EQ(err.str(), noSpace) << args[0];

        // A reader that went away is no failure to report.
        FailingBuffer closedPipe(EPIPE);
        out.rdbuf(&closedPipe);
        out.clear();
        err.str("");
        EXPECT_EQ(cli::RunCountTool(args, out, err), 1) << args[0];
        EXPECT_EQ(err.str(), "") << args[0];
    }

    // The statistics on standard error.
    std::ostringstream out;
    FailingBuffer full(ENOSPC);
    std::ostream err(&full);
    EXPECT_EQ(cli::RunCountTool({"--stats", input}, out, err), 1);

    // A stream that fails without a system error.
    std::ostringstream bad;
    bad.setstate(std::ios::badbit);
    std::ostringstream errText;
    EXPECT_EQ(cli::RunCountTool({input}, bad, errText), 1);
    EXPECT_EQ(errText.str(), "vesk-count: cannot write to standard output\n");
}

TEST_F(CountToolTest, VersionNamesTheProduct) { EXPECT_EQ(Run({"--version"}), (ToolResult{0, "VESK 1.07\n", ""})); }

}  // namespace
}  // namespace vesk::test
