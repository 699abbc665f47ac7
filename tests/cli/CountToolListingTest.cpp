// SPDX-License-Identifier: GPL-3.0-or-later
// What vesk-count prints for a count where the recorded outputs do not reach: formats by name, the messages
// when nothing is listed, the emptied output file, standard input and the encodings and kinds of input.

#include "CountToolFixture.h"

namespace vesk::test {
namespace {

const char* const kFormat0ByFrequency =
    "   Rank    Freq  Word (longest has 5 characters)\n"
    "      1       7  gamma\n"
    "      2       3  alpha\n"
    "      3       3  beta\n";

TEST_F(CountToolTest, FormatNamesAndTheNoWordsMessages) {
    const std::string greek = Write("greek.txt", kGreekText);
    const char* const wordFrequency = "  Word     Freq\n  gamma       7\n  alpha       3\n  beta        3\n";
    const char* const noWords = "No words satisfying the conditions were found.\n";
    const struct {
        std::vector<std::string> args;
        std::string out;
    } cases[] = {
        // Formats by name as well as by number.
        {{"--format", "7", greek}, wordFrequency},
        {{"--format", "word frequency", greek}, wordFrequency},
        {{"--format=word frequency", greek}, wordFrequency},
        {{"--format", "word (+ commas)", "--order", "alphabetical", greek}, "alpha, beta, gamma\n"},
        // Nothing counted at all.
        {{Write("empty.txt", "")}, noWords},
        {{"--format", "9", Write("digits.txt", "123 456 -- 789\n")}, noWords},
        // Words counted, all filtered out: the message names the short-word and frequency settings.
        {{Write("filtered.txt", "xx iv mmm xx\n")}, "No words with more than 2 letters\noccur at least once.\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args[0]);
        EXPECT_EQ(Run(c.args), (ToolResult{0, c.out, ""}));
    }
}

TEST_F(CountToolTest, AnOutputFileWithNothingListedIsEmptied) {
    const std::string output = Path("out.txt");

    ToolResult r;
    // Nothing listed: the file is emptied, so that no old listing is taken for this one.
    for (const char* const text : {"", "xx iv\n"}) {
        r = Run({"-o", output, Write("nothing.txt", text)});
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(Read(output), "");
        WriteBytes(output, "old listing");
    }
    // A file that cannot be emptied is a failure.
    r = Run({"-o", Path("no/such/folder/out.txt"), Write("empty.txt", "")});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("No such file or directory"), std::string::npos) << r.err;
}

TEST_F(CountToolTest, StandardInputIsCounted) {
    for (const std::vector<std::string>& args : {std::vector<std::string>{}, std::vector<std::string>{"-"}})
        EXPECT_EQ(Run(args, StdinWithText(kGreekText)), (ToolResult{0, kFormat0ByFrequency, ""}));
}

TEST_F(CountToolTest, EncodingsLongWordsAndKindsOfFile) {
    const char* const cafe = "Word (longest has 5 characters)\ncaf\xC3\xA9\nend\nna\xC3\xAFve\n";
    std::string longWord = "start ";
    for (int i = 0; i < 35000; ++i) longWord += "ab";
    const char* const markup = "<p class=\"x\">Hello</p> &amp; <b>world</b>\n";
    const char* const source = "int total; /* hidden words */ // more hidden\nreturn total;\n";
    const std::vector<std::string> oneLine = {"--format", "9", "--order", "alphabetical"};
    const struct {
        std::vector<std::string> options;
        std::string name, text, out;
    } cases[] = {
        // UTF-8 and Windows-1252 inputs give the same words, also under a name outside ASCII.
        {{"--format", "8"}, "utf8.txt", "Caf\xC3\xA9 na\xC3\xAFve caf\xC3\xA9\n\xE2\x82\xAC\xE2\x98\x83 end\n", cafe},
        {{"--format", "8"}, "latin1.txt", "Caf\xE9 na\xEFve caf\xE9\n\x80 end\n", cafe},
        {{"--format", "8"}, "caf\xC3\xA9 \xE2\x98\x83.txt", "Caf\xC3\xA9 na\xC3\xAFve caf\xC3\xA9 end\n", cafe},
        // An ill-formed byte in a UTF-8 text separates words.
        {oneLine, "bad.txt", "caf\xC3\xA9 one\xFFtwo\n", "caf\xC3\xA9, one, two\n"},
        // A word too long to keep is dropped, the rest counted.
        {{"--format", "8"}, "long.txt", longWord + " end\n", "Word (longest has 5 characters)\nend\nstart\n"},
        // Tags and the ampersand entity of a markup file are skipped, not in a plain file; C comments in a C
        // file; a name without an extension is plain text.
        {oneLine, "page.HTML", markup, "hello, world\n"},
        {oneLine, "page.txt", markup, "amp, class, hello, world\n"},
        {oneLine, "prog.c", source, "int, return, total\n"},
        {oneLine, "README", source, "hidden, int, more, return, total, word\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::string> args = c.options;
        args.push_back(Write(c.name, c.text));
        EXPECT_EQ(Run(args), (ToolResult{0, c.out, ""}));
    }
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
