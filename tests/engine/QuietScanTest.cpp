// The scan of a line when nothing can stop it (no pump) finds all runs of the line at once and counts
// through a cache of runs; it must count exactly as the word-by-word scan does.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/CharClasses.h"
#include "engine/ScanHarness.h"

namespace vesk::test {
namespace {

// A driver whose pump does nothing: a line can only be stopped by a stop raised before it.
class QuietObserver : public ScanObserver {
  public:
    bool ShouldStop() override {
        ++asked;
        return stop;
    }
    bool IsQuiet() const override { return !stop; }
    long asked = 0;
    bool stop = false;
};

Counts ScanWith(const ScanOptions& options, const std::vector<std::string>& lines, bool quiet) {
    ScanHarness h;
    h.options = options;
    QuietObserver observer;
    if (quiet) h.scanner.SetObserver(&observer);
    Counts counts = h.Scan(lines);
    if (quiet) {
        EXPECT_EQ(observer.asked, 0);
    }
    return counts;
}

std::vector<std::string> TrickyLines() {
    std::vector<std::string> lines = {
        "the cat's cats sat; the cats' hats -- isn't it? don't, won't, can't",
        "12abc 3-in-1 x_y _under __init__ a:b c\\d e/f g.h. i@j.k 1.5 -lead trail- 'quoted'",
        "\xC9T\xC9 \xE9t\xE9 Stra\xDF"
        "e \xC6on \xD7 \xF7 caf\xE9s na\xEFve \x81sep\x81 Zo\xEB",
        "mathematics maths glass bus is has was aren wouldn n t s",
        "a\tb\rc\xA0"
        "d  e",
        "&eacute;t&eacute; &amp; &Auml;rger &bogus; x&y",
        "supercalifragilistic supercalifragilistic extraordinarily extraordinarily longwordsixteen longwordsixteen",
    };
    // Runs across the 64-character words of the masks, and a stretch of word characters before its first
    // letter that crosses one.
    std::string crossing;
    for (int i = 0; i < 40; ++i) crossing += std::string(static_cast<std::size_t>(1 + i % 13), 'a' + i % 26) + " ";
    lines.push_back(crossing);
    lines.push_back(std::string(62, ' ') + "1234abc" + std::string(60, 'z') + " end");
    lines.push_back(std::string(62, ' ') + "'.'.xyz" + std::string(60, ' ') + "9.9-9'_q");
    lines.push_back(std::string(63, '.') + "x" + std::string(64, '_') + "y");
    // A run longer than the longest allowed (65000) is cut there.
    lines.push_back("w" + std::string(70000, 'q') + " tail");
    return lines;
}

TEST(QuietScan, CountsAsTheWordByWordScan) {
    std::vector<ScanOptions> settings(6);
    settings[1].dropFinalS = true;
    settings[2].allowed.hyphens = settings[2].allowed.apostrophes = settings[2].allowed.numerals = true;
    settings[2].apostrophesAllowed = true;
    settings[3].allowed.underscores = true;
    settings[3].underscoresStartWords = true;
    settings[4].underscoresStartWords = true;  // underscores start runs they cannot continue
    settings[5].allowed = AllowedCharacters{true, true, true, true, true, true, true, true, true};
    settings[5].dropFinalS = true;
    settings[5].underscoresStartWords = true;
    const std::vector<std::string> lines = TrickyLines();
    for (std::size_t s = 0; s < settings.size(); ++s) {
        SCOPED_TRACE("setting " + std::to_string(s));
        const Counts expected = ScanWith(settings[s], lines, false);
        EXPECT_FALSE(expected.empty());
        EXPECT_EQ(ScanWith(settings[s], lines, true), expected);
    }
}

TEST(QuietScan, KnownCounts) {
    ScanOptions setting;
    setting.dropFinalS = true;
    EXPECT_EQ(ScanWith(setting, {"cats cats cat dogs", "cats isn't"}, true), (Counts{{"cat", 4}, {"dog", 1}}));
    setting.allowed.numerals = true;
    EXPECT_EQ(ScanWith(setting, {"12ab 3x4 ab12"}, true), (Counts{{"ab", 1}, {"ab12", 1}, {"x4", 1}}));
    // Runs longer than the cache holds.
    std::string many = std::string(60, ' ');
    for (int i = 0; i < 5; ++i) many += "seventeen-letterz ";
    setting.allowed.hyphens = true;
    EXPECT_EQ(ScanWith(setting, {many}, true), (Counts{{"seventeen-letterz", 5}}));
}

TEST(QuietScan, ARaisedStopFlagEndsTheLineAfterItsFirstWord) {
    ScanHarness h;
    QuietObserver observer;
    observer.stop = true;
    h.scanner.SetObserver(&observer);
    EXPECT_EQ(h.Scan(std::vector<std::string>{"one two three", "four five"}), (Counts{{"four", 1}, {"one", 1}}));
}

TEST(QuietScan, TheRunCacheFollowsOptionsAndTheTable) {
    ScanHarness h;
    QuietObserver observer;
    h.scanner.SetObserver(&observer);
    h.options.dropFinalS = true;
    h.scanner.SetOptions(h.options);
    std::string line = "cats dogs ";
    h.scanner.ScanLine(line);
    h.options.dropFinalS = false;
    h.scanner.SetOptions(h.options);
    line = "cats dogs ";
    h.scanner.ScanLine(line);
    h.table.Finish();
    ASSERT_EQ(h.table.DistinctWordCount(), 4);
    EXPECT_EQ(h.table.Word(1), "cat");
    EXPECT_EQ(h.table.Word(2), "cats");

    // After a reset the records the cache knew are gone: the same runs are counted afresh.
    h.table.Reset();
    line = "zebra apple zebra ";
    h.scanner.ScanLine(line);
    h.table.Reset();
    line = "zebra mango zebra ";
    h.scanner.ScanLine(line);
    h.table.Finish();
    ASSERT_EQ(h.table.DistinctWordCount(), 2);
    EXPECT_EQ(h.table.Word(1), "mango");
    EXPECT_EQ(h.table.Word(2), "zebra");
    EXPECT_EQ(h.table.Frequency(2), 2);

    // Finish moves records: runs seen before are found again under their new numbers.
    line = "mango zebra kiwi ";
    h.scanner.ScanLine(line);
    h.table.Finish();
    ASSERT_EQ(h.table.DistinctWordCount(), 3);
    EXPECT_EQ(h.table.Word(1), "kiwi");
    EXPECT_EQ(h.table.Frequency(2), 2);
    EXPECT_EQ(h.table.Frequency(3), 3);
}

TEST(QuietScan, ManyDistinctWordsPastTheRunCache) {
    // Enough distinct runs to fill the cache and have it left aside; some repeat, some have capitals or
    // a final s.
    std::vector<std::string> lines;
    std::string line;
    for (int i = 0; i < 150000; ++i) {
        std::string word;
        for (int n = i * 7919 % 1000003; n > 0 || word.size() < 4; n /= 26) word += static_cast<char>('a' + n % 26);
        if (i % 11 == 0) word[0] = static_cast<char>(word[0] - 'a' + 'A');
        if (i % 13 == 0) word += 's';
        line += word + (i % 17 == 0 ? " cats " : " ");
        if (i % 9 == 8) {
            lines.push_back(line);
            line.clear();
        }
    }
    lines.push_back(line);
    ScanOptions setting;
    setting.dropFinalS = true;
    const Counts expected = ScanWith(setting, lines, false);
    EXPECT_GT(expected.size(), 140000u);
    EXPECT_EQ(ScanWith(setting, lines, true), expected);
    // Some of the words again as one line (short enough for the quiet scan), once the cache is aside:
    // counted in batches.
    std::string joined;
    for (std::size_t k = lines.size() - 500; k < lines.size(); ++k) joined += lines[k];
    ASSERT_LT(joined.size(), 65000u);
    lines.push_back(joined);
    EXPECT_EQ(ScanWith(setting, lines, true), ScanWith(setting, lines, false));
}

TEST(QuietScan, LowerCasingInTheScanEqualsLowerCasingBefore) {
    std::string text;
    for (int round = 0; round < 3; ++round)
        for (int b = 1; b < 256; ++b) text += static_cast<char>(b);
    text += "\xC0\xDE\xD7\xDF\xF7 MiXeD\tCaSe\xA0WORDS\r";
    for (std::size_t cut : {std::size_t{0}, std::size_t{5}, std::size_t{17}, std::size_t{33}}) {
        SCOPED_TRACE("cut " + std::to_string(cut));
        ScanHarness before;
        ScanHarness within;
        QuietObserver quiet;
        within.scanner.SetObserver(&quiet);
        within.options.lowerCase = true;
        within.scanner.SetOptions(within.options);
        std::string expected = text.substr(cut) + " ";
        LowerCaseInPlace(expected);
        before.scanner.ScanLine(expected);
        std::string line = text.substr(cut) + " ";
        within.scanner.ScanLine(line);
        EXPECT_EQ(line, expected);
        EXPECT_EQ(within.Scan(std::vector<std::string>{}), before.Scan(std::vector<std::string>{}));
        EXPECT_GT(within.table.DistinctWordCount(), 3);
    }
}

TEST(WordTableAfterFinish, WordsAddedLaterJoinTheirRecords) {
    WordTable table;
    for (const char* word : {"pear", "apple", "fig", "apple", "plum-tree-of-long-name", "plum-tree-of-long-game"})
        table.Add(word);
    table.Finish();
    ASSERT_EQ(table.DistinctWordCount(), 5);
    EXPECT_EQ(table.Word(1), "apple");
    EXPECT_EQ(table.Word(4), "plum-tree-of-long-game");

    // The index is rebuilt for the records' new places.
    EXPECT_EQ(table.Add("Apple"), 1u);
    EXPECT_EQ(table.Add("plum-tree-of-long-name"), 5u);
    EXPECT_EQ(table.Add("banana"), 6u);
    table.CountAgain(6);
    EXPECT_EQ(table.Add(std::string(81, 'x')), 0u);
    table.Finish();
    std::vector<std::pair<std::string, std::int64_t>> words;
    for (std::int64_t i = 1; i <= table.DistinctWordCount(); ++i) words.emplace_back(table.Word(i), table.Frequency(i));
    EXPECT_EQ(words, (Counts{{"apple", 3},
                             {"banana", 2},
                             {"fig", 1},
                             {"pear", 1},
                             {"plum-tree-of-long-game", 1},
                             {"plum-tree-of-long-name", 2}}));
}

}  // namespace
}  // namespace vesk::test
