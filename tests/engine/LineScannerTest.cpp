// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <stdexcept>

#include "engine/CharClasses.h"
#include "engine/LineScanner.h"
#include "engine/ScanHarness.h"

namespace vesk::test {
namespace {

using Words = std::vector<std::string>;

// Also what the checks of the user's comment markers rely on.
TEST(LineScanner, WordCharacters) {
    EXPECT_TRUE(IsWordChar('\xC0', false, ""));
    EXPECT_FALSE(IsWordChar('\xD7', true, "\xD7"));
    EXPECT_TRUE(IsWordChar('5', true, ""));
    EXPECT_TRUE(IsWordChar('#', false, "#"));
    EXPECT_EQ(CountWordChars("ab-c d", 1, false, "-"), 4);
    EXPECT_EQ(CountWordChars("ab-c d", 3, false, ""), 0);
    EXPECT_EQ(CountWordChars("abc", 4, false, ""), 0);
    EXPECT_EQ(AllowedInnerChars(AllowedCharacters{true, true, true, true, true, true, true, true, true}), "-'_:\\/.@");
}

TEST(LineScanner, LongRunsAreCutAt65000) {
    ScanHarness h;
    const Counts counts = h.Scan(std::string(65010, 'a'));
    // The first 65000 letters are one word, too long to keep; the last ten start a new one.
    EXPECT_EQ(counts, (Counts{{std::string(10, 'a'), 1}}));
    EXPECT_EQ(CountWordChars(std::string(70000, 'b'), 1, false, ""), 65000);
}

TEST(LineScanner, AsksAfterEveryWordAndStops) {
    ScanHarness h;
    h.Scan("couldn't x x");
    EXPECT_EQ(h.observer.asked, 4);  // couldn, t, x and x; only x is counted
    EXPECT_EQ(h.table.DistinctWordCount(), 1);
    EXPECT_EQ(h.observer.newWords, (std::vector<std::string>{"x"}));

    ScanHarness stopping;
    stopping.observer.stopAfter = 2;
    EXPECT_EQ(stopping.Scan("a b c d"), (Counts{{"a", 1}, {"b", 1}}));
    EXPECT_EQ(stopping.observer.asked, 2);
}

TEST(LineScanner, NewWordsAreReportedOnceEachAndKeptWhenTheReportFails) {
    struct Failing : RecordingObserver {
        bool quiet = false;
        void OnNewWord(std::string_view word, std::int64_t distinctWords) override {
            RecordingObserver::OnNewWord(word, distinctWords);
            if (word == "c") throw std::runtime_error("display full");
        }
        bool IsQuiet() const override { return quiet; }
    };
    for (const bool quiet : {false, true}) {
        SCOPED_TRACE(quiet ? "quiet" : "word by word");
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
        EXPECT_EQ(observer.newWords, (std::vector<std::string>{"a", "B", "c", "d"}));
        EXPECT_EQ(observer.lastDistinctWords, 4);
        EXPECT_EQ(h.Scan(std::vector<std::string>{}), (Counts{{"a", 2}, {"B", 3}, {"c", 2}, {"d", 1}}));
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
            return RecordingObserver::ShouldStop();
        }
    } toggle;
    toggle.scanner = &h.scanner;
    h.scanner.SetObserver(&toggle);
    EXPECT_EQ(h.Scan("cats cats"), (Counts{{"cat", 1}, {"cats", 1}}));
}

TEST(LineScanner, DoubleHyphensAndWhitespaceRewriteTheLine) {
    ScanHarness h;
    std::string line = "a---b\tc----d--e\xA0 ";
    h.scanner.ScanLine(line);
    EXPECT_EQ(line, "a -b c  d e  ");
}

}  // namespace
}  // namespace vesk::test
