// SPDX-License-Identifier: GPL-3.0-or-later
// How the scanner talks to whoever drives it; the word rules themselves are checked in ScanModelTest.

#include <gtest/gtest.h>

#include <stdexcept>

#include "engine/ScanHarness.h"

namespace vesk::test {
namespace {

TEST(LineScanner, AsksAfterEveryWordAndStops) {
    ScanHarness h;
    h.Scan({"couldn't x x"});
    EXPECT_EQ(h.observer.asked, 4);  // couldn, t, x and x; only x is counted
    EXPECT_EQ(h.observer.newWords, (std::vector<std::string>{"x"}));

    ScanHarness stopping;
    stopping.observer.stopAfter = 2;
    // A stopped line ends; the next line still gives its first word (the driver stops between lines).
    EXPECT_EQ(stopping.Scan({"a b c d", "e f"}), (Counts{{"a", 1}, {"b", 1}, {"e", 1}}));
    EXPECT_EQ(stopping.observer.asked, 3);
}

TEST(LineScanner, NewWordsAreKeptWhenTheirReportFails) {
    struct Failing : RecordingObserver {
        bool quiet = false;
        void OnNewWord(std::string_view word, std::int64_t distinctWords) override {
            RecordingObserver::OnNewWord(word, distinctWords);
            if (word == "c") throw std::runtime_error("display full");
        }
        bool IsQuiet() const override { return quiet; }
    };
    for (const bool quiet : {false, true}) {
        ScanHarness h;
        Failing observer;
        observer.quiet = quiet;
        h.scanner.SetObserver(&observer);
        std::string line = "a B a b ";
        h.scanner.ScanLine(line);
        line = "c e ";
        EXPECT_THROW(h.scanner.ScanLine(line), std::runtime_error);  // the line ends at c, which is counted
        line = "c b d ";
        h.scanner.ScanLine(line);
        EXPECT_EQ(observer.newWords, (std::vector<std::string>{"a", "B", "c", "d"})) << quiet;
        EXPECT_EQ(h.Scan(), (Counts{{"a", 2}, {"B", 3}, {"c", 2}, {"d", 1}})) << quiet;
    }
}

TEST(LineScanner, OptionsSetBetweenWordsApplyToTheNextWord) {
    ScanHarness h;
    h.options.dropFinalS = true;
    struct Toggle : RecordingObserver {
        LineScanner* scanner = nullptr;
        bool ShouldStop() override {
            ScanOptions options = scanner->Options();
            options.dropFinalS = false;
            scanner->SetOptions(options);
            return false;
        }
    } toggle;
    toggle.scanner = &h.scanner;
    h.scanner.SetObserver(&toggle);
    EXPECT_EQ(h.Scan({"cats cats"}), (Counts{{"cat", 1}, {"cats", 1}}));
}

// Enough distinct runs to fill the quiet scan's cache of runs and have it left aside, some with capitals or
// a final s; then many of them again on one line.
TEST(LineScanner, QuietScanCountsAsTheWordByWordScanPastItsCache) {
    std::vector<std::string> lines(1);
    for (int i = 0; i < 150000; ++i) {
        std::string word;
        for (int n = i * 7919 % 1000003; n > 0 || word.size() < 4; n /= 26) word += static_cast<char>('a' + n % 26);
        if (i % 11 == 0) word[0] = static_cast<char>(word[0] - 'a' + 'A');
        lines.back() += word + (i % 13 == 0 ? "s " : " ") + (i % 17 == 0 ? "cats " : "");
        if (i % 9 == 8) lines.emplace_back();
    }
    std::string joined;
    for (std::size_t k = lines.size() - 500; k < lines.size(); ++k) joined += lines[k];
    lines.push_back(joined);
    ScanHarness quiet, each;
    quiet.scanner.SetObserver(nullptr);
    quiet.options.dropFinalS = each.options.dropFinalS = true;
    const Counts expected = each.Scan(lines);
    EXPECT_GT(expected.size(), 140000u);
    EXPECT_EQ(quiet.Scan(lines), expected);
}

}  // namespace
}  // namespace vesk::test
