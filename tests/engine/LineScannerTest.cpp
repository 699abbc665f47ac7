// SPDX-License-Identifier: GPL-3.0-or-later
// How the scanner and the reading of a source talk to whoever drives them; the word rules themselves are
// checked in ScanModelTest.

#include <gtest/gtest.h>

#include "engine/CommonWordsFile.h"
#include "engine/FileChecks.h"
#include "engine/ScanHarness.h"
#include "engine/SourceScan.h"
#include "support/ScratchFolder.h"

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
    for (const bool quiet : {false, true}) {
        ScanHarness h;
        h.observer.quiet = quiet;
        h.observer.failOn = "c";
        std::string line = "a B a b ";
        h.scanner.ScanLine(line);
        line = "c e ";
        EXPECT_THROW(h.scanner.ScanLine(line), std::runtime_error);  // the line ends at c, which is counted
        line = "c b d ";
        h.scanner.ScanLine(line);
        EXPECT_EQ(h.observer.newWords, (std::vector<std::string>{"a", "B", "c", "d"})) << quiet;
        EXPECT_EQ(h.Scan(), (Counts{{"a", 2}, {"B", 3}, {"c", 2}, {"d", 1}})) << quiet;
    }
}

TEST(LineScanner, OptionsSetBetweenWordsApplyToTheNextWord) {
    ScanHarness h;
    h.options.dropFinalS = true;
    h.observer.onAsk = [&h] {
        h.options.dropFinalS = false;
        h.scanner.SetOptions(h.options);
    };
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

struct Reports : SourceObserver {
    void OnProgress(std::int64_t bytesRead) override { progress.push_back(bytesRead); }
    bool OnLineFailure(std::exception_ptr) override { return ++failures, goOn; }
    std::vector<std::int64_t> progress;
    int failures = 0;
    bool goOn = true;
};

Counts Read(ScanHarness& h, LineSource source, SourceObserver& reports, std::exception_ptr* failure = nullptr) {
    std::string line;
    h.scanner.SetOptions(h.options);
    const std::exception_ptr result = ScanSource(source, h.scanner, line, reports);
    if (failure) *failure = result;
    return h.Scan();
}

TEST(SourceScan, LinesAreTrimmedAndEveryLineReadIsReported) {
    ScanHarness h;
    Reports reports;
    h.options.lowerCase = true;
    EXPECT_EQ(Read(h, LineSource({"  one two  ", "", "   ", "Two\tthree"}), reports),
              (Counts{{"one", 1}, {"three", 1}, {"two", 2}}));
    EXPECT_EQ(reports.progress, (std::vector<std::int64_t>{12, 13, 17, 27}));

    ScanHarness stopped;
    stopped.observer.stopAfter = 2;
    Reports stoppedReports;
    EXPECT_EQ(Read(stopped, LineSource({"a", "b c d", "e"}), stoppedReports), (Counts{{"a", 1}, {"b", 1}}));
    EXPECT_EQ(stoppedReports.progress.size(), 2u);  // a stopped line ends the reading
}

// A line that fails goes to the observer, which may go on; a line that cannot be read ends the reading. Without
// an observer's answer a failed line ends the reading with its failure.
TEST(SourceScan, Failures) {
    for (const bool goOn : {true, false}) {
        ScanHarness h;
        h.observer.failOn = "bad";
        Reports reports;
        reports.goOn = goOn;
        std::exception_ptr failure;
        const Counts counts = Read(h, LineSource({"bad x", "good", "more"}, 4), reports, &failure);
        EXPECT_EQ(reports.failures, 1);
        EXPECT_EQ(counts, (goOn ? Counts{{"bad", 1}, {"good", 1}, {"more", 1}} : Counts{{"bad", 1}}));
        EXPECT_EQ(failure != nullptr, goOn);  // the unreadable fourth line, when the reading goes on to it
    }
    ScanHarness h;
    h.observer.failOn = "bad";
    SourceObserver plain;
    EXPECT_THROW(Read(h, LineSource({"bad"}), plain), std::runtime_error);
}

// Reading a common-words file: its checks, and the words it gives.

using Words = std::vector<std::string>;

Words Read(const std::string& path, ScanOptions options, std::exception_ptr* failure) {
    WordTable table;
    LineScanner scanner(table);
    CommonWordSet words({"kept"});
    const std::exception_ptr error = ReadCommonWordsFile(path, options, scanner, table, words);
    if (failure != nullptr) *failure = error;
    return words.Words();
}

TEST(CommonWordsFile, WordsOfTheFile) {
    ScanOptions dropS;
    dropS.dropFinalS = true;
    dropS.allowed.hyphens = true;
    const struct {
        std::string text;
        ScanOptions options;
        Words words;
    } cases[] = {
        {"The the THE\r\n", {}, {"the"}},  // lower-cased whatever the options say
        {"  zebra\n\napple /* skipped */\nmango // also skipped\n   \nkiwi\n", {}, {"apple", "kiwi", "mango", "zebra"}},
        {"kiwi apple, mango; zebra\n", {}, {"apple", "kiwi", "mango", "zebra"}},
        {"news cats glass e-mail\n", dropS, {"cat", "e-mail", "glass", "new"}},  // split as a count splits
        {"one\rtwo\r", {}, {"one", "two"}},
        {"", {}, {}},
    };
    ScratchFolder scratch;
    for (const auto& c : cases) {
        std::exception_ptr failure;
        EXPECT_EQ(Read(scratch.Write("cw.txt", c.text), c.options, &failure), c.words) << c.text;
        EXPECT_FALSE(failure);
    }
    // A file that does not open keeps the words there were.
    std::exception_ptr failure;
    EXPECT_EQ(Read("/nonexistent/vesk/cwds.txt", {}, &failure), (Words{"kept"}));
    EXPECT_TRUE(failure);
}

TEST(CommonWordsFile, ChecksBeforeReading) {
    ScratchFolder scratch;
    const std::string text = scratch.Write("text", "word\n");
    const std::pair<std::string, CommonWordsFileCheck> cases[] = {
        {text, {0, kTextLfOnly}},
        {scratch.Write("binary", std::string("word\0word", 9)), {0, kNotText}},
        {scratch.Write("mac", "one\rtwo\r"), {0, kTextCrOnly}},
        {"/nonexistent/vesk/cwds.txt", {ENOENT, 0}},
        {text + "/cwds.txt", {ENOTDIR, 0}},  // not called missing
    };
    for (const auto& [path, expected] : cases) {
        const CommonWordsFileCheck check = CheckCommonWordsFile(path);
        EXPECT_EQ(std::pair(check.problem, check.kind), std::pair(expected.problem, expected.kind)) << path;
    }
}

}  // namespace
}  // namespace vesk::test
