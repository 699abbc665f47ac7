// SPDX-License-Identifier: GPL-3.0-or-later
// Scanner and word-table throughput. The corpus is $VESK_BENCH_CORPUS, else
// /tmp/vesk-corpora/kjv.txt (made by the shared make-corpora.sh), else a generated text.
//   build/bench/bench_scan --benchmark_filter=Scan

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "engine/ByteSource.h"
#include "engine/CharClasses.h"
#include "engine/LineScanner.h"
#include "engine/ScanOptions.h"
#include "engine/WordTable.h"

namespace {

using namespace vesk;

// vesk-count's driver: nothing to do between words, so lines are scanned whole.
class QuietDriver : public ScanObserver {};

// The program's driver: its events pumped after every word.
class PumpedDriver : public ScanObserver {
  public:
    bool ShouldStop() override {
        ++pumps;
        return false;
    }
    bool IsQuiet() const override { return false; }
    long pumps = 0;
};

std::string GeneratedText(std::size_t bytes) {
    std::mt19937 random(1);
    std::vector<std::string> vocabulary;
    for (int i = 0; i < 20000; ++i) {
        std::string word;
        const int length = 2 + static_cast<int>(random() % 9);
        for (int k = 0; k < length; ++k) word += static_cast<char>('a' + random() % 26);
        vocabulary.push_back(word);
    }
    std::string text;
    std::size_t column = 0;
    while (text.size() < bytes) {
        // A skewed choice, so that a few words are frequent as in prose.
        const auto pick =
            static_cast<std::size_t>(std::pow(static_cast<double>(random() % 10000) / 10000.0, 3) * 20000);
        text += vocabulary[pick];
        column += vocabulary[pick].size() + 1;
        text += column > 70 ? (column = 0, "\n") : (random() % 12 == 0 ? ", " : " ");
    }
    return text;
}

const std::string& CorpusPath() {
    static const std::string path = [] {
        if (const char* env = std::getenv("VESK_BENCH_CORPUS")) return std::string(env);
        const std::string kjv = "/tmp/vesk-corpora/kjv.txt";
        if (std::ifstream(kjv)) return kjv;
        const std::string generated = "/tmp/vesk-bench-generated.txt";
        std::ofstream(generated, std::ios::binary) << GeneratedText(5'000'000);
        return generated;
    }();
    return path;
}

// The read loop of a count: lines trimmed, a space appended, lower-cased and scanned.
// The options of a default count: hyphens inside words, case folded, a final "s" dropped.
ScanOptions CountOptions() {
    ScanOptions options;
    options.allowed.hyphens = true;
    options.lowerCase = true;
    options.dropFinalS = true;
    return options;
}

void CountFile(const std::string& path, WordTable& table, LineScanner& scanner) {
    std::string error;
    auto source = ByteSource::OpenFile(path, error);
    if (!source) throw std::runtime_error(error);
    std::string line;
    table.Reset();
    while (source->ReadLine(line)) {
        TrimSpacesInPlace(line);
        if (line.empty()) continue;
        line += ' ';
        scanner.ScanLine(line);
    }
    table.Finish();
}

template <typename Driver>
void BM_CountCorpus(benchmark::State& state) {
    WordTable table;
    LineScanner scanner(table);
    scanner.SetOptions(CountOptions());
    Driver driver;
    scanner.SetObserver(&driver);
    std::int64_t bytes = 0;
    for (auto _ : state) {
        CountFile(CorpusPath(), table, scanner);
        bytes += static_cast<std::int64_t>(std::ifstream(CorpusPath(), std::ios::ate | std::ios::binary).tellg());
    }
    state.SetBytesProcessed(bytes);
    state.counters["distinct"] = static_cast<double>(table.DistinctWordCount());
}
BENCHMARK(BM_CountCorpus<QuietDriver>)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CountCorpus<PumpedDriver>)->Unit(benchmark::kMillisecond);

// The scanner alone on the lines of a UTF-8 text held in memory, as the reading hands them over: English,
// Russian, Chinese (dictionary word breaking) and Polish, from the shared make-corpora.sh.
const char* const kUtf8Corpora[] = {"kjv.txt", "fortunes_ru.txt", "fortunes_zh.txt", "fortunes_pl.txt"};

const std::vector<std::string>* Utf8Lines(std::size_t corpus) {
    static std::vector<std::string> lines[std::size(kUtf8Corpora)];
    if (lines[corpus].empty()) {
        std::ifstream in(std::string("/tmp/vesk-corpora/") + kUtf8Corpora[corpus], std::ios::binary);
        for (std::string line; std::getline(in, line);) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            TrimSpacesInPlace(line);
            if (!line.empty()) lines[corpus].push_back(line + ' ');
        }
    }
    return lines[corpus].empty() ? nullptr : &lines[corpus];
}

void BM_ScanUtf8Lines(benchmark::State& state) {
    const auto corpus = static_cast<std::size_t>(state.range(0));
    const std::vector<std::string>* lines = Utf8Lines(corpus);
    if (lines == nullptr) {
        state.SkipWithError("corpus missing: run make-corpora.sh");
        return;
    }
    state.SetLabel(kUtf8Corpora[corpus]);
    WordTable table;
    LineScanner scanner(table);
    scanner.SetOptions(CountOptions());
    QuietDriver driver;
    scanner.SetObserver(&driver);
    std::int64_t bytes = 0;
    std::string line;
    for (auto _ : state) {
        table.Reset();
        for (const std::string& text : *lines) {
            line = text;
            scanner.ScanLine(line);
            bytes += static_cast<std::int64_t>(text.size());
        }
        table.Finish();
    }
    state.SetBytesProcessed(bytes);
    state.counters["distinct"] = static_cast<double>(table.DistinctWordCount());
}
BENCHMARK(BM_ScanUtf8Lines)->DenseRange(0, std::size(kUtf8Corpora) - 1)->Unit(benchmark::kMillisecond);

void BM_ReadLines(benchmark::State& state) {
    std::int64_t bytes = 0;
    for (auto _ : state) {
        std::string error;
        auto source = ByteSource::OpenFile(CorpusPath(), error);
        std::string line;
        std::size_t total = 0;
        while (source->ReadLine(line)) total += line.size();
        benchmark::DoNotOptimize(total);
        bytes += source->BytesConsumed();
    }
    state.SetBytesProcessed(bytes);
}
BENCHMARK(BM_ReadLines)->Unit(benchmark::kMillisecond);

void BM_AddDistinctWords(benchmark::State& state) {
    std::vector<std::string> words;
    for (int i = 0; i < state.range(0); ++i) {
        std::string word;
        for (int n = i; n > 0 || word.empty(); n /= 26) word += static_cast<char>('a' + n % 26);
        words.push_back(word);
    }
    for (auto _ : state) {
        WordTable table;
        for (const auto& word : words) table.Add(word);
        table.Finish();
        benchmark::DoNotOptimize(table.DistinctWordCount());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_AddDistinctWords)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

void BM_AddRepeatedWords(benchmark::State& state) {
    const char* words[] = {"the", "and", "of", "to",   "that", "in", "he", "shall", "unto", "for",
                           "i",   "his", "a",  "lord", "they", "be", "is", "him",   "not",  "them"};
    WordTable table;
    for (auto _ : state)
        for (const char* word : words) table.Add(word);
    state.SetItemsProcessed(state.iterations() * 20);
}
BENCHMARK(BM_AddRepeatedWords);

}  // namespace

BENCHMARK_MAIN();
