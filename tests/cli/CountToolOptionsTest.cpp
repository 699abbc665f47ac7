// SPDX-License-Identifier: GPL-3.0-or-later
// How the options of vesk-count map onto the values of a count, and parameter files.

#include <algorithm>

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

TEST_F(CountToolTest, OptionsMapOntoTheCount) {
    const std::string forms = Write("forms.txt", "The e-mail of the cats: well--known x_ray o'neil\n");
    const std::string filters = Write("filters.txt",
                                      "an and and the the the cat zz zz iv mix nth rhythm "
                                      "abcdefghijabcdefghija abcdefghijabcdefghij\n");
    const std::string notes = Write("notes.txt", "keep this # but not this\nnor [but] one\n");
    const std::string common = Write("common.txt", "THE and\n/* of */ of news\n");
    const std::string longWords = "abcdefghijabcdefghij, abcdefghijabcdefghija, ";
    const struct {
        std::string input;
        Args options;
        std::string out;
    } cases[] = {
        {forms, {}, "cat, e-mail, known, neil, o, of, ray, the, well\n"},
        {forms, {"--allow", "none"}, "cat, e, known, mail, neil, o, of, ray, the, well\n"},
        {forms, {"--allow", "underscores,apostrophes"}, "cat, e, known, mail, o'neil, of, the, well, x_ray\n"},
        {forms, {"--keep-final-s"}, "cats, e-mail, known, neil, o, of, ray, the, well\n"},
        {forms, {"--common-words", common}, "cat, e-mail, known, neil, o, ray, well\n"},
        {filters, {"--min-length", "4"}, longWords + "rhythm\n"},
        {filters, {"--min-frequency", "3"}, "the\n"},
        {filters, {"--max-length", "20"}, "abcdefghijabcdefghij, an, and, cat, mix, rhythm, the\n"},
        {filters, {"--ignore", " The  cat , "}, longWords + "an, and, mix, rhythm\n"},
        {filters,
         {"--keep-repetitions", "--keep-roman", "--keep-no-vowel"},
         longWords + "an, and, cat, iv, mix, nth, rhythm, the, zz\n"},
        {notes, {"--comments", "#", ""}, "but, keep, nor, one, this\n"},
        {notes, {"--comments", "#", "", "--comments2", "[", "]"}, "keep, nor, one, this\n"},
        // Markers may begin with "-".
        {Write("dash.txt", "keep [not -] this\n"), {"--comments", "[", "-]"}, "keep, this\n"},
        // Markup pages and C sources take the markers of their type; the user's pairs are not even checked.
        {Write("page.HTML", "<p class=\"x\">abc</p> &amp; def\n"), {"--comments", "abc", "def"}, "abc, def\n"},
        {Write("prog.c", "int total; /* abc */ abc // def\n"), {"--comments", "#", "#"}, "abc, int, total\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.options.empty() ? c.input : c.options[0]);
        EXPECT_EQ(Words(c.input, c.options), (ToolResult{0, c.out, ""}));
    }
}

TEST_F(CountToolTest, ListingOptions) {
    const std::string greek = Write("greek.txt", kGreekText);
    const char* const wordFrequency = "  Word     Freq\n  gamma       7\n  alpha       3\n  beta        3\n";
    const struct {
        Args args;
        std::string out;
    } cases[] = {
        {{"--format", "7", greek}, wordFrequency},
        {{"--format=word frequency", greek}, wordFrequency},
        {{"--format", "word (+ commas)", "--order", "alphabetical", greek}, "alpha, beta, gamma\n"},
        {{"--format", "9", "--order", "frequency", greek}, "gamma, alpha, beta\n"},
        {{"--case-significant", "--format", "9", Write("case.txt", "The the THE\n")}, "The\n"},
        {{Write("filtered.txt", "xx iv mmm xx\n")}, "No words with more than 2 letters\noccur at least once.\n"},
        {{"--min-frequency", "4", "--format", "9", greek}, "gamma\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args[0]);
        EXPECT_EQ(Run(c.args), (ToolResult{0, c.out, ""}));
    }
    const ToolResult stats = Run({"--stats", "--format", "9", greek});
    EXPECT_TRUE(stats.err.starts_with("Number of words in this list:")) << stats.err;
    EXPECT_EQ(std::count(stats.err.begin(), stats.err.end(), '\n'), 4) << stats.err;
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
    const std::string output = Path("listing.txt");
    Args options = Split(
        "--order alphabetical --format 7 --keep-final-s --allow periods --ignore on "
        "--min-frequency 2 -o");
    options.push_back(output);
    Args direct = options;
    direct.push_back(input);
    const ToolResult expected = Run(direct);
    EXPECT_EQ(expected, (ToolResult{0, "  Word     Freq\n  mat         2\n  the         4\n", ""}));

    Args save = options;
    save.insert(save.end(), {"--write-params", Path("p.vesk")});
    ASSERT_EQ(Run(save).status, 0);
    std::filesystem::remove(output);
    EXPECT_EQ(Run({"-p", Path("p.vesk"), input}), expected);
    EXPECT_EQ(ReadBytes(output), "  Word     Freq\r\n  mat         2\r\n  the         4\r\n");
    EXPECT_EQ(Run({"--params", Path("p.vesk"), "--format", "9", "--order", "frequency", input}).out, "the, mat\n");
}

}  // namespace
}  // namespace vesk::test
