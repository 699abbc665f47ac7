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
