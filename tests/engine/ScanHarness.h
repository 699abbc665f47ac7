// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A word table and a line scanner with options set by the test, and files in the temporary folder.

#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "engine/LineScanner.h"
#include "engine/WordTable.h"

namespace vesk::test {

using Counts = std::vector<std::pair<std::string, std::int64_t>>;

// Answers as a window whose pump runs after every word: stops once asked `stopAfter` times (0: never), and
// fails to show the word `failOn`.
class RecordingObserver : public ScanObserver {
  public:
    void OnNewWord(std::string_view word, std::int64_t) override {
        newWords.emplace_back(word);
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
    std::vector<std::string> newWords;
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

// A file in the temporary folder, removed at the end of the test.
class TempFile {
  public:
    explicit TempFile(const std::string& contents, const std::string& name = "scan.txt") {
        static int serial = 0;
        m_path = std::filesystem::temp_directory_path() /
                 ("vesk-engine-" + std::to_string(::getpid()) + "-" + std::to_string(++serial) + "-" + name);
        std::ofstream(m_path, std::ios::binary) << contents;
    }
    ~TempFile() {
        std::error_code ignored;
        std::filesystem::remove(m_path, ignored);
    }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;
    std::string Path() const { return m_path.string(); }

  private:
    std::filesystem::path m_path;
};

}  // namespace vesk::test
