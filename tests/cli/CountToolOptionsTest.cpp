// SPDX-License-Identifier: GPL-3.0-or-later
// How the options of vesk-count map onto the values of a count, and parameter files.

#include "CountToolFixture.h"

namespace vesk::test {
namespace {

using Args = std::vector<std::string>;

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

}  // namespace
}  // namespace vesk::test
