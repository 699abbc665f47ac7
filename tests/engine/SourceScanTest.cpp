// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <stdexcept>
#include <system_error>

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
    std::size_t m_failAt, m_next = 0;
    std::int64_t m_consumed = 0;
};

struct Reports : SourceObserver {
    void OnProgress(std::int64_t bytesRead) override { progress.push_back(bytesRead); }
    bool OnLineFailure(std::exception_ptr) override { return ++failures, goOn; }
    std::vector<std::int64_t> progress;
    int failures = 0;
    bool goOn = true;
};

Counts Read(ScanHarness& h, LineSource source, Reports& reports, std::exception_ptr* failure = nullptr) {
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

// A line that fails goes to the observer, which may go on; a line that cannot be read ends the reading.
TEST(SourceScan, Failures) {
    struct Failing : RecordingObserver {
        void OnNewWord(std::string_view word, std::int64_t) override {
            if (word == "bad") throw std::runtime_error("display full");
        }
    };
    for (const bool goOn : {true, false}) {
        ScanHarness h;
        Failing observer;
        h.scanner.SetObserver(&observer);
        Reports reports;
        reports.goOn = goOn;
        std::exception_ptr failure;
        const Counts counts = Read(h, LineSource({"bad x", "good", "more"}, 4), reports, &failure);
        EXPECT_EQ(reports.failures, 1);
        EXPECT_EQ(counts, (goOn ? Counts{{"bad", 1}, {"good", 1}, {"more", 1}} : Counts{{"bad", 1}}));
        EXPECT_EQ(failure != nullptr, goOn);  // the unreadable fourth line, when the reading goes on to it
    }
    // Without an observer's answer a failed line ends the reading with its failure.
    ScanHarness h;
    Failing observer;
    h.scanner.SetObserver(&observer);
    LineSource source({"bad"});
    SourceObserver plain;
    std::string line;
    EXPECT_THROW(ScanSource(source, h.scanner, line, plain), std::runtime_error);
}

}  // namespace
}  // namespace vesk::test
