// SPDX-License-Identifier: GPL-3.0-or-later
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

}  // namespace
}  // namespace vesk::test
