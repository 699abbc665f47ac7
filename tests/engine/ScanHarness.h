// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A word table and a line scanner with options set by the test, for tests of the scanning rules.

#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "engine/LineScanner.h"
#include "engine/ScanOptions.h"
#include "engine/WordTable.h"

namespace vesk::test {

// Answers the scanner as a window does whose pump runs after every word: asked after each, it stops once
// asked `stopAfter` times (0: never). Records the new words reported.
class RecordingObserver : public ScanObserver {
  public:
    void OnNewWord(std::string_view word, std::int64_t distinctWords) override {
        newWords.emplace_back(word);
        lastDistinctWords = distinctWords;
    }
    bool ShouldStop() override {
        ++asked;
        if (stopAfter > 0 && asked >= stopAfter) stop = true;
        return stop;
    }
    bool IsQuiet() const override { return false; }
    long asked = 0;
    long stopAfter = 0;
    bool stop = false;
    std::vector<std::string> newWords;
    std::int64_t lastDistinctWords = 0;
};

struct ScanHarness {
    ScanOptions options;  // applied by each Scan
    WordTable table;
    LineScanner scanner{table};
    RecordingObserver observer;

    ScanHarness() { scanner.SetObserver(&observer); }

    // Scans each line as the counting run hands it over (one space appended) and returns the table's
    // words with their frequencies, in key order.
    std::vector<std::pair<std::string, std::int64_t>> Scan(const std::vector<std::string>& lines) {
        scanner.SetOptions(options);
        for (const std::string& text : lines) {
            std::string line = text + " ";
            scanner.ScanLine(line);
        }
        table.Finish();
        std::vector<std::pair<std::string, std::int64_t>> words;
        for (std::int64_t i = 1; i <= table.DistinctWordCount(); ++i)
            words.emplace_back(table.Word(i), table.Frequency(i));
        return words;
    }
    std::vector<std::pair<std::string, std::int64_t>> Scan(const std::string& line) {
        return Scan(std::vector<std::string>{line});
    }
    // The words only, in key order.
    std::vector<std::string> Words(const std::string& line) {
        table.Reset();
        std::vector<std::string> words;
        for (auto& [word, frequency] : Scan(line)) words.push_back(word);
        return words;
    }
};

using Counts = std::vector<std::pair<std::string, std::int64_t>>;

// A file in the temporary folder, removed at the end of the test.
class TempFile {
  public:
    explicit TempFile(const std::string& contents, const std::string& name = "vesk-scan-test.txt") {
        static int serial = 0;
        m_path = std::filesystem::temp_directory_path() /
                 ("vesk-engine-" + std::to_string(::getpid()) + "-" + std::to_string(++serial) + "-" + name);
        std::ofstream out(m_path, std::ios::binary);
        out << contents;
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
