#pragma once
// A word table and a line scanner wired to plain option values, for tests of the scanning rules.

#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "engine/CommentMarkers.h"
#include "engine/LineScanner.h"
#include "engine/WordTable.h"

namespace vesk::test {

// Records what the word table shows, in order.
class RecordingView : public WordTableView {
  public:
    bool SuppressWords() const override { return suppress; }
    void SetSuppressWords() override {
        suppress = true;
        events.push_back("check suppress");
    }
    void ReplaceOutput(std::string_view text) override {
        output = std::string(text);
        events.push_back("replace " + output);
    }
    void AppendOutput(std::string_view text) override { output += text; }
    void SetWordCountCaption(std::string_view text) override {
        caption = std::string(text);
        events.push_back("caption " + caption);
    }
    void ShowWordCount() override { ++shows; }

    bool suppress = false;
    std::string output;
    std::string caption;
    int shows = 0;
    std::vector<std::string> events;
};

class CountingEvents : public ScanEvents {
  public:
    void PumpEvents() override {
        ++pumps;
        if (stopAfter > 0 && pumps >= stopAfter) stop = true;
    }
    bool IsStopRequested() const override { return stop; }
    long pumps = 0;
    long stopAfter = 0;
    bool stop = false;
};

struct ScanHarness {
    int dropFinalS = 0;
    int allowApostrophes = 0;
    int allowUnderscores = 0;
    int allowCommentMarkers = 0;
    WordTable table;
    CommentMarkers comments;
    LineScanner scanner{table, comments,
                        LiveScanOptions{&dropFinalS, &allowApostrophes, &allowUnderscores, &allowCommentMarkers}};
    CountingEvents events;

    ScanHarness() { scanner.SetEvents(&events); }

    // Scans each line as the counting run hands it over (one space appended) and returns the table's
    // words with their frequencies, in key order.
    std::vector<std::pair<std::string, std::int64_t>> Scan(const std::vector<std::string>& lines) {
        for (const std::string& text : lines) {
            std::string line = text + " ";
            scanner.ScanLine(line);
        }
        table.Finish();
        std::vector<std::pair<std::string, std::int64_t>> words;
        for (std::int64_t i = 1; i <= table.DistinctWordCount(); ++i)
            words.emplace_back(table.Record(i).Word, table.Record(i).Frequency);
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
