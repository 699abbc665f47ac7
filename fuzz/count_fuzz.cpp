// SPDX-License-Identifier: GPL-3.0-or-later
// The counting run over arbitrary bytes: the first bytes choose the options and the checks, the rest is the
// text. The text is counted on the quiet path (as vesk-count does) and word by word (as the program does while
// its window stays live); the counts must agree and the table must be sound. As the input chooses, it is also
// counted once more into the same table, or with a stop after some words. Each input runs only the passes it
// chooses, so that the fuzzer tries many inputs a second.

#include <memory>
#include <tuple>
#include <vector>

#include "FuzzSupport.h"
#include "ScanOptionsInput.h"
#include "engine/ByteSource.h"
#include "engine/Normalisation.h"
#include "engine/SourceScan.h"
#include "engine/UnicodeText.h"
#include "engine/WordTable.h"

namespace {

using namespace vesk;

// Asked after every word: never quiet, and stops after `stopAfter` asks (0: never).
class WordByWord : public ScanObserver {
  public:
    explicit WordByWord(unsigned stopAfter) : m_left(stopAfter) {}
    void OnNewWord(std::string_view word, std::int64_t distinctWords) override {
        FUZZ_CHECK(!word.empty() && distinctWords == ++m_newWords);
    }
    bool ShouldStop() override { return m_left != 0 && --m_left == 0; }
    bool IsQuiet() const override { return false; }

  private:
    unsigned m_left;
    std::int64_t m_newWords = 0;
};

using Entries = std::vector<std::tuple<std::string, std::string, std::int64_t>>;  // key, word, frequency

// One table and its scanner.
struct Count {
    WordTable table;
    LineScanner scanner{table};
    std::string line;

    void Start(const ScanOptions& o, ScanObserver* observer) {
        table.Reset();
        scanner.SetOptions(o);
        scanner.SetObserver(observer);
    }
    // One pass over the file as the counting run reads it.
    Entries Pass(const std::string& path) {
        std::string error;
        const std::unique_ptr<ByteSource> source = ByteSource::OpenFile(path, error);
        FUZZ_CHECK(source != nullptr);
        scanner.ResetComments();
        SourceObserver reports;
        FUZZ_CHECK(ScanSource(*source, scanner, line, reports) == nullptr);
        table.Finish();
        Entries entries;
        for (std::int64_t r = 1; r <= table.DistinctWordCount(); ++r)
            entries.emplace_back(table.Key(r), table.Word(r), table.Frequency(r));
        return entries;
    }
};

// A count stopped part of the way has counted part of the words.
void CheckStopped(Count& count, const ScanOptions& o, unsigned stopAfter, const std::string& path,
                  const Entries& entries) {
    WordByWord stopping(stopAfter);
    count.Start(o, &stopping);
    std::size_t j = 0;
    for (const auto& [key, word, frequency] : count.Pass(path)) {
        while (j < entries.size() && std::get<0>(entries[j]) < key) ++j;
        FUZZ_CHECK(j < entries.size() && std::get<1>(entries[j]) == word && frequency <= std::get<2>(entries[j]));
    }
}

// The same text again into the same table: every count doubles, no word is new.
void CheckCountedAgain(Count& count, const std::string& path, const Entries& entries) {
    const Entries again = count.Pass(path);
    FUZZ_CHECK(again.size() == entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i)
        FUZZ_CHECK(std::get<1>(again[i]) == std::get<1>(entries[i]) &&
                   std::get<2>(again[i]) == 2 * std::get<2>(entries[i]));
}

// The table of one count is sound: keys ordered and matching their words, words made of word characters.
void CheckTable(Count& count, const ScanOptions& o, const Entries& entries) {
    const std::string extra = AllowedInnerChars(o.allowed);
    std::int64_t sum = 0;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const auto& [key, word, frequency] = entries[i];
        FUZZ_CHECK(!word.empty() && CodePointCount(word) <= kMaxWordLength && frequency > 0);
        FUZZ_CHECK(key == WordKey(word) && (i == 0 || std::get<0>(entries[i - 1]) < key));
        for (std::size_t k = 0; k < word.size();) {
            char32_t cp = 0;
            k += NextCodePoint(word, k, cp);
            FUZZ_CHECK(IsWordCharacter(cp, o.allowed.numerals, extra));
        }
        FUZZ_CHECK(!o.lowerCase || word == LowerCase(word));
        sum += frequency;
    }
    count.table.ComputeStatistics();
    FUZZ_CHECK(count.table.Statistics().totalOccurrenceCount == sum);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::InputReader in(data, size);
    const ScanOptions o = fuzz::TakeScanOptions(in);
    const unsigned stopAfter = in.Byte();  // 0: no stopped pass
    const std::uint8_t checks = in.Byte();
    // Now and then a long text from a short one: lines longer than the longest run of word characters taken
    // at once. It is costly, so it gets the two main passes only.
    const bool lengthen = checks == 0xFF && in.rest.size() <= 16;
    std::string text(in.rest);
    while (lengthen && !text.empty() && text.size() < 70000) text += text;
    const std::string path = fuzz::WriteInputFile(text, "input");

    static Count quiet, asked;  // kept from one input to the next, as the program keeps its scanner
    quiet.Start(o, nullptr);
    const Entries entries = quiet.Pass(path);
    WordByWord never(0);
    asked.Start(o, &never);
    FUZZ_CHECK(asked.Pass(path) == entries);
    CheckTable(quiet, o, entries);
    if (lengthen) return 0;
    if (stopAfter != 0) CheckStopped(asked, o, stopAfter, path, entries);
    if ((checks & 1) != 0) CheckCountedAgain(quiet, path, entries);
    return 0;
}
