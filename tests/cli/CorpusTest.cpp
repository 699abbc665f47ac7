// SPDX-License-Identifier: GPL-3.0-or-later
// Corpora of vesk-count: which files a folder gives and in what order, a corpus counted as the files one after
// the other ("cat a b c"), files skipped, outputs refused inside the corpus, and partial counts: each file
// emitted apart and merged, in any order and grouping, lists exactly what one run over the corpus lists.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "cli/CountTool.h"
#include "engine/Corpus.h"
#include "engine/ParallelCount.h"
#include "support/ScratchFolder.h"

namespace vesk::test {
namespace {

namespace fs = std::filesystem;
using Args = std::vector<std::string>;

struct ToolResult {
    int status = -1;
    std::string out, err;
    bool operator==(const ToolResult&) const = default;
};

void PrintTo(const ToolResult& r, std::ostream* os) { *os << r.status << " [" << r.out << "] [" << r.err << "]"; }

ToolResult Tool(const Args& args) {
    std::ostringstream out, err;
    const int status = cli::RunCountTool(args, out, err, -1);
    return {status, out.str(), err.str()};
}

Args Join(Args a, const Args& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// Lines of words from a small vocabulary in mixed case, so that display forms depend on the first occurrence,
// with comment markers of C and of the options among them.
std::string RandomText(std::mt19937& random) {
    static const char* const kWords[] = {"The",   "the", "THE",  "cats", "cat", "Ünïcode", "ünïcode", "well-known",
                                         "don't", "x2",  "/*",   "*/",   "//",  "#",       "zzz",     "Straße",
                                         "xiv",   "a_b", "a\\b", "<p",   "a>",  "<!--",    "-->"};
    std::string text;
    for (int lines = std::uniform_int_distribution<int>(0, 6)(random); lines > 0; --lines) {
        for (int n = std::uniform_int_distribution<int>(1, 8)(random); n > 0; --n)
            text +=
                std::string(kWords[std::uniform_int_distribution<std::size_t>(0, std::size(kWords) - 1)(random)]) + " ";
        text += "\n";
    }
    return text;
}

Args Pick(std::mt19937& random, const std::vector<Args>& choices) {
    Args args;
    for (const Args& c : choices)
        if (random() % 3 == 0) args.insert(args.end(), c.begin(), c.end());
    return args;
}

Args RandomShaping(std::mt19937& random) {
    return Pick(random, {{"--case-significant"},
                         {"--keep-final-s"},
                         {"--allow", "apostrophes,numerals,underscores,backslashes"},
                         {"--comments", "#", ""}});
}

Args RandomListing(std::mt19937& random) {
    Args args = {"--format", std::to_string(random() % 10)};
    return Join(args, Pick(random, {{"--order", "alphabetical"},
                                    {"--min-length", "3"},
                                    {"--min-frequency", "2"},
                                    {"--ignore", "cat"},
                                    {"--keep-repetitions"},
                                    {"--keep-roman"},
                                    {"--stats"}}));
}

TEST(CorpusTest, FoldersGiveTheirRegularFilesInByteOrderNarrowedByTheirNames) {
    ScratchFolder scratch;
    const fs::path root = scratch.Path() / "c";
    for (const char* name : {"b.txt", "a-b.txt", "a/z.txt", "a/b.md", ".hidden/x.txt", "a/.x.txt", "other/o.txt"}) {
        fs::create_directories((root / name).parent_path());
        WriteBytes(root / name, "w\n");
    }
    fs::create_directory_symlink(root / "other", root / "link");
    fs::create_symlink(root / "b.txt", root / "c.txt");
    const auto paths = [&](const Args& args, const CorpusFilter& filter) {
        std::vector<std::string> names;
        for (const CorpusFile& f : ListCorpus(args, filter))
            names.push_back(fs::path(f.path).lexically_relative(root).string());
        return names;
    };
    const std::string c = root.string();
    using Names = std::vector<std::string>;
    EXPECT_EQ(paths({c}, {}), (Names{"a-b.txt", "a/b.md", "a/z.txt", "b.txt", "c.txt", "other/o.txt"}));
    EXPECT_EQ(paths({c + "/other", c + "/a/b.md"}, {{"*.txt"}, {}}), (Names{"other/o.txt", "a/b.md"}));
    EXPECT_EQ(paths({c}, {{"*.txt"}, {"a*", "c.*"}}), (Names{"a/z.txt", "b.txt", "other/o.txt"}));
    // An output that would lie inside the corpus, existing or not; outside it is left alone.
    const auto corpus = ListCorpus({c + "/a", c + "/b.txt"}, {});
    EXPECT_TRUE(LiesInCorpus(c + "/a/new/out.txt", {c + "/a", c + "/b.txt"}, corpus));
    EXPECT_TRUE(LiesInCorpus(c + "/c.txt", {c + "/a", c + "/b.txt"}, corpus));
    EXPECT_FALSE(LiesInCorpus(c + "/a-b.txt", {c + "/a", c + "/b.txt"}, corpus));
    const ToolResult refused = Tool({"-o", c + "/a/out.txt", c + "/a"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_FALSE(fs::exists(c + "/a/out.txt"));
}

// A corpus of .txt files in UTF-8 ending with LF lists what the files one after the other list; a file that
// is not text or cannot be read is named and left out, and the rest still listed with exit status 3.
TEST(CorpusTest, ACorpusListsAsItsFilesOneAfterTheOther) {
    ScratchFolder scratch;
    std::mt19937 random(12);
    for (int round = 0; round < 40; ++round) {
        Args files;
        std::string all;
        for (int i = 0, n = 1 + static_cast<int>(random() % 4); i < n; ++i) {
            const std::string text = RandomText(random);
            files.push_back(scratch.Write("f" + std::to_string(round) + "_" + std::to_string(i) + ".txt", text));
            all += text;
        }
        const Args options = Join(RandomShaping(random), RandomListing(random));
        const std::string cat = scratch.Write("cat" + std::to_string(round) + ".txt", all);
        const ToolResult whole = Tool(Join(options, {cat}));
        const ToolResult corpus = Tool(Join(options, files));
        EXPECT_EQ(corpus.out, whole.out) << round;
        EXPECT_EQ(corpus.status, whole.status) << round;

        const std::string binary = scratch.Write("bin" + std::to_string(round) + ".txt", std::string("a\0b", 3));
        const std::string missing = scratch.PathOf("missing.txt");
        const ToolResult partial = Tool(Join(options, Join({binary}, Join(files, {missing}))));
        EXPECT_EQ(partial.out, whole.out) << round;
        EXPECT_EQ(partial.status, whole.status == 0 ? 3 : whole.status) << round;
        EXPECT_TRUE(partial.err.starts_with("vesk-count: skipped " + binary + ": not a text file\n" +
                                            "vesk-count: skipped " + missing + ": No such file or directory\n"))
            << partial.err;
    }
}

// The listing, statistics, skipped files and output file of one run over a folder, against each file emitted
// apart and the parts merged: in a shuffled order, and as a tree of merges.
TEST(CorpusTest, PartsMergedInAnyOrderListAsOneRun) {
    ScratchFolder scratch;
    std::mt19937 random(7);
    int listed = 0;
    for (int round = 0; round < 30; ++round) {
        // Tabs, line breaks and backslashes in paths pass through the parts' escapes.
        const fs::path folder = scratch.Path() / ("r\t\\n\n" + std::to_string(round));
        fs::create_directories(folder / "sub");
        const char* const names[] = {"a.txt", "b.c", "sub/c.txt", "sub/d.html", "e.txt"};
        for (int i = 0, n = 1 + static_cast<int>(random() % 5); i < n; ++i)
            WriteBytes(folder / names[i], RandomText(random));
        if (random() % 3 == 0) WriteBytes(folder / "sub/z.txt", std::string("\0\1", 2));
        const Args shaping = RandomShaping(random);
        const Args listing = RandomListing(random);
        const std::string out = scratch.PathOf("out" + std::to_string(round) + ".txt");
        const ToolResult one = Tool(Join(Join(shaping, listing), {"-o", out, folder.string()}));
        const std::string oneFile = ReadBytes(out);
        listed += one.status != 1 && one.status != 2 && !one.out.empty();

        Args parts;
        const std::vector<CorpusFile> files = ListCorpus({folder.string()}, {});
        for (std::size_t i = 0; i < files.size(); ++i) {
            parts.push_back(scratch.PathOf("p" + std::to_string(round) + "_" + std::to_string(i)));
            const ToolResult emitted =
                Tool(Join(shaping, {"--emit", parts.back(), "--corpus-index", std::to_string(i), files[i].path}));
            ASSERT_NE(emitted.status, 1) << emitted.err;
        }
        std::shuffle(parts.begin(), parts.end(), random);
        EXPECT_EQ(Tool(Join(Join(listing, {"-o", out, "--merge"}), parts)), one) << round;
        EXPECT_EQ(ReadBytes(out), oneFile) << round;

        // Pairs merged into parts of their own, then those merged.
        Args tree;
        for (std::size_t i = 0; i < parts.size(); i += 2) {
            tree.push_back(parts[i] + ".m");
            Args pair = {"--merge", "--emit", tree.back(), parts[i]};
            if (i + 1 < parts.size()) pair.push_back(parts[i + 1]);
            ASSERT_NE(Tool(pair).status, 1);
        }
        EXPECT_EQ(Tool(Join(Join(listing, {"--merge"}), tree)).out, one.out) << round;
    }
    EXPECT_GT(listed, 20);
}

// Counted on several threads, with batches of a file or two and chunks of a line or two so that every worker
// takes some, a corpus or one file gives the listing, messages, statistics, partial count and status of the
// count on one thread.
TEST(CorpusTest, ThreadsCountAsOne) {
    ScratchFolder scratch;
    std::mt19937 random(5);
    SetBatchBytesForTesting(1);
    const char* const kNames[] = {"a.txt", "b.c", "c.html", "d.txt", "e.cpp", "f.txt", "g.htm", "h"};
    for (int round = 0; round < 30; ++round) {
        const fs::path folder = scratch.Path() / ("j" + std::to_string(round));
        fs::create_directories(folder);
        for (int i = 0, n = 1 + static_cast<int>(random() % 24); i < n; ++i) {
            std::string text = RandomText(random);
            const unsigned kind = random() % 8;
            if (kind == 0) text = std::string("a\0b", 3);
            if (kind == 1) std::replace(text.begin(), text.end(), '\n', '\r');
            WriteBytes(folder / (std::to_string(i) + kNames[random() % std::size(kNames)]), text);
        }
        Args options = Join(RandomShaping(random), random() % 3 == 0 ? Args{"--emit", "-"} : RandomListing(random));
        if (random() % 2 == 0) options.push_back("--stats");
        // One file cut into chunks of a line or so: comments and tags open across cuts, CR LF line ends,
        // bytes beyond ASCII first decided in a later chunk.
        std::string text;
        for (int i = 0, n = static_cast<int>(random() % 30); i < n; ++i) text += RandomText(random);
        if (random() % 2 == 0) text = std::regex_replace(text, std::regex("\n"), "\r\n");
        if (random() % 2 == 0) text.insert(text.size() / 2, "caf\xE9 na\xEFve\n");
        if (random() % 4 == 0) text = "\xEF\xBB\xBF" + text;
        const std::string one =
            scratch.Write("one" + std::to_string(round) + kNames[random() % std::size(kNames)], text);
        for (const Args& inputs : {Args{folder.string(), scratch.PathOf("missing.txt"), folder.string()}, Args{one}}) {
            const ToolResult single = Tool(Join(Join(options, {"--jobs", "1"}), inputs));
            EXPECT_EQ(Tool(Join(Join(options, {"--jobs", "4"}), inputs)), single) << round;
            EXPECT_EQ(Tool(Join(Join(options, {"--jobs", "2"}), inputs)), single) << round;
        }
    }
    SetBatchBytesForTesting(0);
    for (const char* bad : {"0", "-1", "x", ""}) EXPECT_EQ(Tool({"--jobs", bad, "t.txt"}).status, 2) << bad;
}

TEST(CorpusTest, PartsThatCannotBeMergedAreRefused) {
    ScratchFolder scratch;
    const std::string text = scratch.Write("t.txt", "Some words\n");
    const std::string plain = scratch.PathOf("plain.part"), cased = scratch.PathOf("cased.part");
    ASSERT_EQ(Tool({"--emit", plain, text}).status, 0);
    ASSERT_EQ(Tool({"--emit", cased, "--case-significant", "--corpus-index", "1", text}).status, 0);
    std::string truncated = ReadBytes(plain);
    truncated.resize(truncated.rfind("end"));
    const struct {
        Args args;
        std::string err;
    } cases[] = {
        {{"--merge", plain, cased},
         "the parts were counted with different word-shaping options: " + plain + " has case-significant '0', " +
             cased + " case-significant '1'"},
        {{"--merge", plain, plain}, "file index 0 is in " + plain + " and in " + plain},
        {{"--merge", scratch.Write("cut.part", truncated)}, "incomplete (no end line)"},
        {{"--merge", text}, "not a partial count"},
        {{"--merge", "--allow", "none", plain}, "--allow belongs to the counts that made them"},
        {{"--emit", "-", "-o", "x", text}, "it takes no -o or --export"},
    };
    for (const auto& c : cases) {
        const ToolResult r = Tool(c.args);
        EXPECT_NE(r.status, 0);
        EXPECT_NE(r.err.find(c.err), std::string::npos) << r.err;
    }
}

}  // namespace
}  // namespace vesk::test
