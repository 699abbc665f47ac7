// What vesk-count prints for a count: the listing in every order and format, the output file, the
// statistics, standard input and the encodings of the input.

#include <unistd.h>

#include "CountToolFixture.h"

namespace vesk::test {
namespace {

const char* const kFormat0ByFrequency =
    "   Rank    Freq  Word (longest has 5 characters)\n"
    "      1       7  gamma\n"
    "      2       3  alpha\n"
    "      3       3  beta\n";

TEST_F(CountToolTest, DefaultListingOfASmallText) {
    const ToolResult r = Run({Write("greek.txt", kGreekText)});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, kFormat0ByFrequency);
    EXPECT_EQ(r.err, "");
}

TEST_F(CountToolTest, OrderAndFormatByNumberAndByName) {
    const std::string input = Write("greek.txt", kGreekText);

    ToolResult r = Run({"--order", "alphabetical", input});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out,
              "   Rank    Freq  Word (longest has 5 characters)\n"
              "      2       3  alpha\n"
              "      3       3  beta\n"
              "      1       7  gamma\n");

    // "word frequency": the word padded to its column, one space, the frequency; no longest-word note.
    r = Run({"--format", "7", input});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out,
              "  Word     Freq\n"
              "  gamma       7\n"
              "  alpha       3\n"
              "  beta        3\n");
    EXPECT_EQ(Run({"--format", "word frequency", input}).out, r.out);
    EXPECT_EQ(Run({"--format=word frequency", input}).out, r.out);

    r = Run({"--format", "word", "--order", "alphabetical", input});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "Word (longest has 5 characters)\nalpha\nbeta\ngamma\n");

    r = Run({"--format", "5", input});
    EXPECT_EQ(r.out,
              "    Freq  Word (longest has 5 characters)\n"
              "       7  gamma\n"
              "       3  alpha\n"
              "       3  beta\n");
}

TEST_F(CountToolTest, FormatNineAndTheNoWordsMessages) {
    const std::string input = Write("greek.txt", kGreekText);
    ToolResult r = Run({"--format", "9", input});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "gamma, alpha, beta\n");
    EXPECT_EQ(Run({"--format", "word (+ commas)", "--order", "alphabetical", input}).out, "alpha, beta, gamma\n");

    // Nothing counted at all.
    r = Run({Write("empty.txt", "")});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "No words satisfying the conditions were found.\n");
    r = Run({"--format", "9", Write("digits.txt", "123 456 -- 789\n")});
    EXPECT_EQ(r.out, "No words satisfying the conditions were found.\n");

    // Words counted, all filtered out: the message names the short-word and frequency settings.
    r = Run({Write("filtered.txt", "xx iv mmm xx\n")});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "No words with more than 2 letters\noccur at least once.\n");
    r = Run({"--min-frequency", "5", "--min-length", "4", Write("filtered2.txt", "alpha beta alpha\n")});
    EXPECT_EQ(r.out, "No words with more than 3 letters\noccur at least 5 times.\n");
}

TEST_F(CountToolTest, OutputFileHasCrLfLinesAndTheCommaLayout) {
    const std::string input = Write("greek.txt", kGreekText);
    const std::string output = Path("out.txt");

    ToolResult r = Run({"-o", output, input});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out, kFormat0ByFrequency);
    EXPECT_EQ(Read(output),
              "   Rank    Freq  Word (longest has 5 characters)\r\n"
              "      1       7  gamma\r\n"
              "      2       3  alpha\r\n"
              "      3       3  beta\r\n");

    // An existing file is overwritten, and the comma layout goes only to the file.
    r = Run({"-o", output, "--commas", input});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, kFormat0ByFrequency);
    EXPECT_EQ(Read(output),
              "    Rank,    Freq,  Word (longest has 5 characters)\r\n"
              "       1,       7,  gamma\r\n"
              "       2,       3,  alpha\r\n"
              "       3,       3,  beta\r\n");

    // Format 9: one line and no line end in the file; a final line feed on standard output.
    r = Run({"--format", "9", "-o", output, input});
    EXPECT_EQ(r.out, "gamma, alpha, beta\n");
    EXPECT_EQ(Read(output), "gamma, alpha, beta");

    // Nothing listed: an existing file is left as it was.
    r = Run({"-o", output, Write("empty.txt", "")});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(Read(output), "gamma, alpha, beta");
}

TEST_F(CountToolTest, StatisticsGoToStandardError) {
    const std::string input = Write("greek.txt", kGreekText + std::string("xx iv\r\n"));
    const ToolResult r = Run({"--stats", "--format", "9", input});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "gamma, alpha, beta\n");
    EXPECT_EQ(r.err,
              "Number of words in this list:  3\n"
              "Number of words excluded:  2\n"
              "No. of occurrences in file of words in this list: 13\n"
              "Total number of words in file: 15\n");

    // No word listed: the occurrences of listed words stay empty.
    const ToolResult none = Run({"--stats", Write("xx.txt", "xx xx\n")});
    EXPECT_EQ(none.err,
              "Number of words in this list: 0\n"
              "Number of words excluded: 1\n"
              "\n"
              "Total number of words in file: 2\n");
}

TEST_F(CountToolTest, StandardInputIsCounted) {
    for (const std::vector<std::string>& args : {std::vector<std::string>{}, std::vector<std::string>{"-"}}) {
        int fds[2];
        ASSERT_EQ(::pipe(fds), 0);
        const std::string text = kGreekText;
        ASSERT_EQ(::write(fds[1], text.data(), text.size()), static_cast<ssize_t>(text.size()));
        ::close(fds[1]);
        const ToolResult r = Run(args, fds[0]);
        ::close(fds[0]);
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(r.out, kFormat0ByFrequency);
        EXPECT_EQ(r.err, "");
    }
}

TEST_F(CountToolTest, Utf8AndLatin1InputsGiveTheSameWords) {
    const std::string utf8 = Write("utf8.txt", "Caf\xC3\xA9 na\xC3\xAFve caf\xC3\xA9\n\xE2\x82\xAC\xE2\x98\x83 end\n");
    const std::string latin1 = Write("latin1.txt", "Caf\xE9 na\xEFve caf\xE9\n\x80 end\n");
    const char* const expected =
        "Word (longest has 5 characters)\n"
        "caf\xC3\xA9\n"
        "end\n"
        "na\xC3\xAFve\n";
    ToolResult r = Run({"--format", "8", utf8});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, expected);
    r = Run({"--format", "8", latin1});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, expected);

    // A file name outside ASCII.
    r = Run({"--format", "8", Write("caf\xC3\xA9 \xE2\x98\x83.txt", "Caf\xC3\xA9 na\xC3\xAFve caf\xC3\xA9 end\n")});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, expected);

    // An ill-formed byte in a UTF-8 text separates words.
    r = Run({"--format", "9", "--order", "alphabetical", Write("bad.txt", "caf\xC3\xA9 one\xFFtwo\n")});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "caf\xC3\xA9, one, two\n");
}

TEST_F(CountToolTest, AVeryLongWordIsDroppedAndTheRestCounted) {
    std::string text = "start ";
    for (int i = 0; i < 35000; ++i) text += "ab";
    text += " end\n";
    const ToolResult r = Run({"--format", "8", Write("long.txt", text)});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "Word (longest has 5 characters)\nend\nstart\n");
}

TEST_F(CountToolTest, MarkersFollowTheExtensionAndAnyNameCounts) {
    // Tags and the ampersand entity of a markup file are skipped.
    ToolResult r = Run({"--format", "9", "--order", "alphabetical",
                        Write("page.HTML", "<p class=\"x\">Hello</p> &amp; <b>world</b>\n")});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "hello, world\n");
    // The same text in a plain file counts the tags' words.
    r = Run({"--format", "9", "--order", "alphabetical",
             Write("page.txt", "<p class=\"x\">Hello</p> &amp; <b>world</b>\n")});
    EXPECT_EQ(r.out, "amp, class, hello, world\n");
    // C comments in a C file; a name without an extension is counted as plain text.
    const char* const source = "int total; /* hidden words */ // more hidden\nreturn total;\n";
    r = Run({"--format", "9", "--order", "alphabetical", Write("prog.c", source)});
    EXPECT_EQ(r.out, "int, return, total\n");
    r = Run({"--format", "9", "--order", "alphabetical", Write("README", source)});
    EXPECT_EQ(r.out, "hidden, int, more, return, total, word\n");
}

TEST_F(CountToolTest, ProgressBarOnlyOnATerminal) {
    std::string text;
    while (text.size() < 50000) text += "Some words of a rather long text\n";
    const std::string input = Write("large.txt", text);

    ToolResult r = Run({"--format", "9", input}, 0, true);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "a, long, of, rather, some, text, word\n");
    const std::string blank(39, ' ');
    ASSERT_EQ(r.err.rfind("\r" + blank + "\r"), r.err.size() - 41) << r.err;
    EXPECT_EQ(r.err.find("\r["), 0u);
    // Every drawing is a whole bar of 37 cells.
    for (std::size_t at = r.err.find("\r["); at != std::string::npos; at = r.err.find("\r[", at + 1)) {
        ASSERT_LE(at + 40, r.err.size());
        EXPECT_EQ(r.err[at + 39], ']');
    }

    r = Run({"--format", "9", input}, 0, false);
    EXPECT_EQ(r.err, "");
    // A small file shows no bar even on a terminal.
    r = Run({Write("small.txt", "a few words\n")}, 0, true);
    EXPECT_EQ(r.err, "");
}

}  // namespace
}  // namespace vesk::test
