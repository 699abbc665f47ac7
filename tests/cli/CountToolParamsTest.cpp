// SPDX-License-Identifier: GPL-3.0-or-later
// Parameter files with vesk-count: --write-params and --params.

#include "CountToolFixture.h"

namespace vesk::test {
namespace {

std::string DefaultParameterFile() {
    std::string file = "\"\"\r\n\"\"\r\n\"\"\r\n\"/*\"\r\n\"*/\"\r\n\"//\"\r\n\"\"\r\n1\r\n3\r\n0\r\n";
    for (const char* value : {"0", "0", "0", "1", "1", "1", "0", "1", "1"}) file += std::string(value) + "\r\n";
    for (int line = 20; line <= 30; ++line) file += "0\r\n";
    file += "1\r\n1\r\n0\r\n0\r\n0\r\n0\r\n\"\"\r\n";
    return file;
}

TEST_F(CountToolTest, WriteParamsRightAfterTheDefaultsGivesTheDefaultFile) {
    const std::string params = Path("defaults.vesk");
    EXPECT_EQ(Run({"--write-params", params}), (ToolResult{0, "", ""}));
    EXPECT_EQ(Read(params), DefaultParameterFile());
}

TEST_F(CountToolTest, WriteParamsHoldsTheOptionsInEffect) {
    const std::string input = Write("in.txt", "x");
    const std::string params = Path("mine.vesk");
    const ToolResult r = Run({"--write-params",
                              params,
                              "-o",
                              "out.txt",
                              "--order",
                              "alphabetical",
                              "--format",
                              "5",
                              "--commas",
                              "--case-significant",
                              "--keep-final-s",
                              "--allow",
                              "periods,numerals",
                              "--comments",
                              "#",
                              "",
                              "--comments2",
                              "[",
                              "]",
                              "--min-length",
                              "4",
                              "--min-frequency",
                              "3",
                              "--max-length",
                              "70",
                              "--ignore",
                              "Alpha  beta",
                              "--keep-roman",
                              "--common-words",
                              "cw.txt",
                              input});
    EXPECT_EQ(r, (ToolResult{0, "", ""}));
    const std::string expected = "\"" + input +
                                 "\"\r\n\"out.txt\"\r\n\"Alpha,beta\"\r\n\"#\"\r\n\"\"\r\n\"[\"\r\n\"]\"\r\n"
                                 "2\r\n5\r\n1\r\n"
                                 "1\r\n1\r\n1\r\n1\r\n0\r\n1\r\n1\r\n0\r\n"
                                 "0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n1\r\n0\r\n1\r\n"
                                 "1\r\n0\r\n1\r\n1\r\n1\r\n0\r\n0\r\n1\r\n5\r\n\"cw.txt\"\r\n";
    EXPECT_EQ(Read(params), expected);

    const ToolResult bad = Run({"--write-params", Path("no/such/folder/p.vesk")});
    EXPECT_EQ(bad.status, 1);
    EXPECT_EQ(bad.err.rfind("vesk-count: Error when attempting to save parameters: ", 0), 0u) << bad.err;
}

TEST_F(CountToolTest, ParamsFileRoundTripAndOverrides) {
    const std::string input = Write("in.txt", "The cats sat on the mat. The cat-flap is 3.5 metres off the mat\n");
    const std::vector<std::string> options = {"--order", "alphabetical", "--format", "7",  "--keep-final-s",
                                              "--allow", "periods",      "--ignore", "on", "--min-frequency",
                                              "2"};
    std::vector<std::string> direct = options;
    direct.push_back(input);
    const ToolResult expected = Run(direct);
    ASSERT_EQ(expected.status, 0);
    EXPECT_EQ(expected.out,
              "  Word     Freq\n"
              "  mat         2\n"
              "  the         4\n");

    std::vector<std::string> save = options;
    save.insert(save.end(), {"--write-params", Path("p.vesk")});
    ASSERT_EQ(Run(save).status, 0);
    EXPECT_EQ(Run({"-p", Path("p.vesk"), input}), (ToolResult{0, expected.out, ""}));

    // Options after the file override it.
    const ToolResult overridden = Run({"--params", Path("p.vesk"), "--format", "9", "--order", "frequency", input});
    EXPECT_EQ(overridden.out, "the, mat\n");
}

TEST_F(CountToolTest, ParamsFileOutputAndCommonWordsApply) {
    const std::string input = Write("in.txt", "the cat and the dog\n");
    const std::string output = Path("listing.txt");
    const std::string common = Write("common.txt", "the and\n");
    ASSERT_EQ(Run({"--write-params", Path("p.vesk"), "-o", output, "--format", "9", "--common-words", common}).status,
              0);
    EXPECT_EQ(Run({"-p", Path("p.vesk"), input}), (ToolResult{0, "cat, dog\n", ""}));
    EXPECT_EQ(Read(output), "cat, dog");
}

TEST_F(CountToolTest, ABadParamsFileIsAnError) {
    const std::string input = Write("in.txt", "words\n");
    std::string file = DefaultParameterFile();
    const std::string shortFile = Write("short.vesk", file.substr(0, file.rfind("\"\"\r\n")));
    const std::string prefix = "vesk-count: Error when attempting to restore parameters: ";
    EXPECT_EQ(Run({"-p", shortFile, input}),
              (ToolResult{1, "", prefix + "the file ends before line 37\nParameter file: " + shortFile + "\n"}));
    EXPECT_EQ(
        Run({"-p", Path("missing.vesk"), input}),
        (ToolResult{1, "", prefix + "No such file or directory\nParameter file: " + Path("missing.vesk") + "\n"}));

    // Line 9 without a selection.
    std::string noSelection = file;
    noSelection.replace(noSelection.find("1\r\n3\r\n0\r\n"), 9, "1\r\n-1\r\n0\r\n");
    EXPECT_EQ(Run({"-p", Write("nosel.vesk", noSelection), input}),
              (ToolResult{1, "", "vesk-count: Invalid combo box index\n"}));
}

}  // namespace
}  // namespace vesk::test
