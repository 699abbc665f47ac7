// SPDX-License-Identifier: GPL-3.0-or-later
// A folder counted in the window lists what vesk-count lists for it: the same output file, byte for byte, for
// random folders (nested, hidden and non-text files among them, words whose display form depends on which
// file comes first).

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>
#include <string>

#include "cli/CountTool.h"
#include "support/ProgramFixture.h"

namespace vesk::test {
namespace {

namespace fs = std::filesystem;

std::string RandomWords(std::mt19937& random) {
    static const char* const kWords[] = {"The", "the", "THE", "cats", "Straße", "/*", "*/", "<b>", "x2", "don't"};
    std::string text;
    for (int n = std::uniform_int_distribution<int>(0, 30)(random); n > 0; --n)
        text += std::string(kWords[random() % std::size(kWords)]) + (random() % 5 == 0 ? "\n" : " ");
    return text;
}

// A window of its own for each folder.
struct Window : ProgramFixture {
    void TestBody() override {}
};

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

TEST(WindowFolder, ListsWhatVeskCountListsForTheFolder) {
    std::mt19937 random(12);
    for (int round = 0; round < 12; ++round) {
        Window w;
        w.Start();
        const char* const kNames[] = {"a.txt", "B.htm", "sub/c.c", "sub/deep/d.txt", ".hidden.txt", "e.bin", "f"};
        fs::create_directories(w.folder / "in" / "sub" / "deep");
        for (const char* name : kNames) {
            const bool first = name == kNames[0];  // always there, with words: the listing is never empty
            if (!first && random() % 4 == 0) continue;
            std::string bytes = RandomWords(random) + (first ? "end\n" : "");
            if (std::string(name) == "e.bin") bytes += '\x01';
            w.MakeFile(std::string("in/") + name, bytes);
        }
        const bool alphabetical = round % 2 == 1;
        // With case significant the display forms show which file came first.
        const bool caseSignificant = round % 3 != 0;
        w.main.cboWordOrder.SetListIndex(alphabetical ? 1 : 0);
        w.params.chkCaseSignificant.SetValue(caseSignificant ? 1 : 0);
        w.main.txbFile[1].SetText(w.PathOf("window.txt"));
        w.main.UpdateDisableOutputOption();
        w.CountFile(w.PathOf("in"));

        std::ostringstream out, err;
        std::vector<std::string> args = {w.PathOf("in"), "-o", w.PathOf("tool.txt")};
        if (alphabetical) args.insert(args.end(), {"--order", "alphabetical"});
        if (caseSignificant) args.push_back("--case-significant");
        const int status = cli::RunCountTool(args, out, err, -1);
        const std::string listed = ReadAll(w.PathOf("window.txt"));
        EXPECT_NE(listed, "") << round;
        EXPECT_EQ(listed, ReadAll(w.PathOf("tool.txt"))) << round << err.str();
        // The files the tool names as skipped are the ones the window names.
        std::string named;
        for (const std::string& skipped : w.main.SkippedFiles) named += "vesk-count: skipped " + skipped + "\n";
        EXPECT_EQ(err.str(), named) << round;
        EXPECT_EQ(status, w.main.SkippedFiles.empty() ? 0 : 3) << round;
    }
}

}  // namespace
}  // namespace vesk::test
