// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <system_error>
#include <vector>

#include "engine/ScanHarness.h"
#include "engine/SourceScan.h"

namespace vesk::test {
namespace {

// Lines from memory; reading the line numbered `failAt` (from 1) fails.
class LineSource : public ByteSource {
  public:
    explicit LineSource(std::vector<std::string> lines, std::size_t failAt = 0)
        : m_lines(std::move(lines)), m_failAt(failAt) {}
    std::string_view Peek(std::size_t) override { return {}; }
    std::int64_t Size() const override { return -1; }
    bool ReadLine(std::string& line) override {
        if (m_next + 1 == m_failAt) throw std::system_error(EIO, std::generic_category());
        if (m_next == m_lines.size()) return false;
        line = m_lines[m_next++];
        m_consumed += static_cast<std::int64_t>(line.size()) + 1;
        return true;
    }
    std::int64_t BytesConsumed() const override { return m_consumed; }

  private:
    std::vector<std::string> m_lines;
    std::size_t m_failAt;
    std::size_t m_next = 0;
    std::int64_t m_consumed = 0;
};

struct Reports : SourceObserver {
    void OnProgress(std::int64_t bytesRead) override { progress.push_back(bytesRead); }
    bool OnLineFailure(std::exception_ptr) override {
        ++failures;
        return goOn;
    }
    std::vector<std::int64_t> progress;
    int failures = 0;
    bool goOn = true;
};

TEST(SourceScan, LinesAreTrimmedAndEveryLineReadIsReported) {
    ScanHarness h;
    LineSource source({"  one two  ", "", "   ", "Two\tthree"});
    Reports reports;
    std::string line;
    h.options.lowerCase = true;
    h.scanner.SetOptions(h.options);
    EXPECT_EQ(ScanSource(source, h.scanner, line, reports), nullptr);
    EXPECT_EQ(reports.progress, (std::vector<std::int64_t>{12, 13, 17, 27}));
    EXPECT_EQ(h.Scan(std::vector<std::string>{}), (Counts{{"one", 1}, {"three", 1}, {"two", 2}}));
}

TEST(SourceScan, AStoppedLineEndsTheReading) {
    ScanHarness h;
    h.observer.stopAfter = 2;
    LineSource source({"a", "b c d", "e"});
    Reports reports;
    std::string line;
    EXPECT_EQ(ScanSource(source, h.scanner, line, reports), nullptr);
    EXPECT_EQ(h.Scan(std::vector<std::string>{}), (Counts{{"a", 1}, {"b", 1}}));
    EXPECT_EQ(reports.progress.size(), 2u);
}

TEST(SourceScan, FailedLinesGoToTheObserverAndAnUnreadableLineEndsTheReading) {
    struct Failing : RecordingObserver {
        void OnNewWord(std::string_view word, std::int64_t distinctWords) override {
            if (word == "bad") throw std::runtime_error("display full");
            RecordingObserver::OnNewWord(word, distinctWords);
        }
    } observer;
    for (const bool goOn : {true, false}) {
        ScanHarness h;
        h.scanner.SetObserver(&observer);
        LineSource source({"bad x", "good", "more"}, 4);
        Reports reports;
        reports.goOn = goOn;
        std::string line;
        const std::exception_ptr failure = ScanSource(source, h.scanner, line, reports);
        EXPECT_EQ(reports.failures, 1);
        if (goOn) {
            ASSERT_NE(failure, nullptr);
            EXPECT_THROW(std::rethrow_exception(failure), std::system_error);
            EXPECT_EQ(h.Scan(std::vector<std::string>{}), (Counts{{"bad", 1}, {"good", 1}, {"more", 1}}));
        } else {
            EXPECT_EQ(failure, nullptr);
            EXPECT_EQ(h.Scan(std::vector<std::string>{}), (Counts{{"bad", 1}}));
        }
    }
    // Without an observer's answer a failed line ends the reading with its failure.
    ScanHarness h;
    h.scanner.SetObserver(&observer);
    LineSource source({"bad"});
    SourceObserver plain;
    std::string line;
    EXPECT_THROW(ScanSource(source, h.scanner, line, plain), std::runtime_error);
}

}  // namespace
}  // namespace vesk::test
