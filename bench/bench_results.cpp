// SPDX-License-Identifier: GPL-3.0-or-later
// Times the results window's model over a million distinct words: opening it, sorting by each column both
// ways, each keystroke of a search typed and taken back, the Zipf fit, and the three exports. Prints the
// median of several runs of each, in milliseconds.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "ZipfTable.h"
#include "app/ResultsModel.h"
#include "engine/WordTable.h"
#include "listing/Ranking.h"
#include "listing/WordExport.h"

namespace {

using Clock = std::chrono::steady_clock;

double Milliseconds(const std::function<void()>& work, int runs = 5) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const auto start = Clock::now();
        work();
        times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

}  // namespace

int main() {
    constexpr int kWords = 1000000;
    vesk::WordTable table;
    const auto fillStart = Clock::now();
    vesk::bench::FillZipfTable(table, kWords, 1);
    const std::int64_t head = vesk::RankByFrequency(table);
    std::printf("table of %lld distinct words (%lld occurrences) made in %.0f ms\n",
                static_cast<long long>(table.DistinctWordCount()),
                static_cast<long long>(table.Statistics().totalOccurrenceCount),
                std::chrono::duration<double, std::milli>(Clock::now() - fillStart).count());

    vesk::ResultsModel model;
    std::string screen;
    std::printf("open (model built, first 40 rows' cells): %.1f ms\n", Milliseconds([&] {
                    model.Refresh(table, head);
                    screen.clear();
                    for (std::int64_t row = 0; row < 40; ++row)
                        for (int c = 0; c < vesk::kResultsColumnCount; ++c)
                            screen += model.Cell(row, static_cast<vesk::ResultsColumn>(c));
                }));

    for (int c = 0; c < vesk::kResultsColumnCount; ++c)
        for (const bool descending : {false, true}) {
            const auto column = static_cast<vesk::ResultsColumn>(c);
            std::printf("sort by %-16s %-10s: %.1f ms\n", vesk::ResultsModel::ColumnTitle(column),
                        descending ? "descending" : "ascending", Milliseconds([&] { model.Sort(column, descending); }));
        }

    model.Sort(vesk::ResultsColumn::Word, false);
    const std::string typed = "quest";
    std::vector<double> keystrokes;
    for (int round = 0; round < 3; ++round) {
        for (std::size_t n = 1; n <= typed.size(); ++n)
            keystrokes.push_back(Milliseconds([&] { model.SetSearch(typed.substr(0, n)); }, 1));
        for (std::size_t n = typed.size(); n-- > 0;)
            keystrokes.push_back(Milliseconds([&] { model.SetSearch(typed.substr(0, n)); }, 1));
    }
    std::sort(keystrokes.begin(), keystrokes.end());
    std::printf(
        "search keystrokes typing and erasing \"%s\" (sorted by word), %zu strokes: median %.1f ms, "
        "slowest %.1f ms\n",
        typed.c_str(), keystrokes.size(), keystrokes[keystrokes.size() / 2], keystrokes.back());
    model.SetSearch("q");
    std::printf("  \"q\" finds %s\n", model.Caption().c_str());
    model.SetSearch("");

    std::vector<std::int64_t> everyRow(static_cast<std::size_t>(model.RowCount()));
    for (std::size_t i = 0; i < everyRow.size(); ++i) everyRow[i] = static_cast<std::int64_t>(i);
    std::printf("copy of every row (select all, copy): %.1f ms\n",
                Milliseconds([&] { (void)model.CopyRows(everyRow); }, 3));
    std::printf("Zipf fit over every word: %.1f ms (%s)\n", Milliseconds([&] { (void)model.FitZipfLine(); }, 3),
                model.ZipfCaption().c_str());

    for (const auto& [format, name] :
         {std::pair{vesk::ExportFormat::Csv, "csv"}, std::pair{vesk::ExportFormat::Tsv, "tsv"},
          std::pair{vesk::ExportFormat::Json, "json"}}) {
        const std::string path = std::string("/tmp/vesk-bench-results.") + name;
        std::printf("export %s: %.1f ms\n", name,
                    Milliseconds(
                        [&] {
                            std::ofstream out(path, std::ios::binary);
                            vesk::WriteWordExport(out, format, table, head, {});
                        },
                        3));
        std::remove(path.c_str());
    }
    return 0;
}
