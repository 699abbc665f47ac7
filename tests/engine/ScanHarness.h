// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A word table and a line scanner with options set by the test.

#include <cerrno>
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

#include "engine/ByteSource.h"
#include "engine/LineScanner.h"
#include "engine/WordTable.h"

namespace vesk::test {

using Counts = std::vector<std::pair<std::string, std::int64_t>>;

// Answers as a window whose pump runs after every word: stops once asked `stopAfter` times (0: never), and
// fails to show the word `failOn`.
class RecordingObserver : public ScanObserver {
  public:
    void OnNewWord(std::string_view word, std::int64_t distinctWords) override {
        newWords.emplace_back(word);
        reports.push_back(std::to_string(distinctWords) + std::string(word));
        if (word == failOn) throw std::runtime_error("display full");
    }
    bool ShouldStop() override {
        if (onAsk) onAsk();
        return ++asked >= stopAfter && stopAfter > 0;
    }
    bool IsQuiet() const override { return quiet; }
    long asked = 0, stopAfter = 0;
    bool quiet = false;
    std::string failOn = " ";  // never a word
    std::function<void()> onAsk;
    std::vector<std::string> newWords, reports;  // reports: the distinct count so far, then the word
};

struct ScanHarness {
    ScanOptions options;  // applied by each Scan
    WordTable table;
    LineScanner scanner{table};
    RecordingObserver observer;

    ScanHarness() { scanner.SetObserver(&observer); }

    // Scans each line as the counting run hands it over (one space appended); the table's words, in key order.
    Counts Scan(const std::vector<std::string>& lines = {}) {
        scanner.SetOptions(options);
        for (const std::string& text : lines) {
            std::string line = text + " ";
            scanner.ScanLine(line);
        }
        table.Finish();
        Counts words;
        for (std::int64_t i = 1; i <= table.DistinctWordCount(); ++i)
            words.emplace_back(table.Word(i), table.Frequency(i));
        return words;
    }
};

// Lines from memory, as though read from a file of `size` bytes; reading the line numbered `failAt` (from 1)
// fails, like a file on a failing disk.
struct LineSource : ByteSource {
    std::vector<std::string> lines;
    std::size_t failAt = 0, next = 0;
    std::int64_t size = -1, consumed = 0;
    std::string start;
    LineSource(std::vector<std::string> text, std::size_t fail = 0, std::int64_t bytes = -1)
        : lines(std::move(text)), failAt(fail), size(bytes) {
        for (const std::string& line : lines) start += line + "\r\n";
    }
    std::string_view Peek(std::size_t) override { return start; }
    std::int64_t Size() const override { return size; }
    bool ReadLine(std::string& line) override {
        if (next + 1 == failAt) throw std::system_error(EIO, std::generic_category());
        if (next == lines.size()) return false;
        line = lines[next++];
        consumed += static_cast<std::int64_t>(line.size()) + 1;
        return true;
    }
    std::int64_t BytesConsumed() const override { return consumed; }
};

}  // namespace vesk::test
