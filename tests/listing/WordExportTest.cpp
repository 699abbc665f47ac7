// SPDX-License-Identifier: GPL-3.0-or-later
// Exports of the listed words, read back by Python's csv and json modules.

#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <fstream>
#include <map>
#include <random>

#include "engine/UnicodeKeys.h"
#include "listing/Ranking.h"
#include "listing/WordExport.h"
#include "support/ReadExport.h"
#include "support/ScratchFolder.h"

namespace vesk::test {
namespace {

struct Entry {
    std::string word;
    std::int64_t frequency;
    bool listed;
};

// Random words over letters that CSV and JSON must quote or escape, and letters beyond ASCII.
std::vector<Entry> RandomEntries(std::mt19937& random, int count) {
    static const std::vector<std::string> kPieces = {"a", "b", ",", "\"", "\\", "é", "É", "ß", "ж", "'", "x y"};
    std::map<std::string, Entry> byKey;
    while (static_cast<int>(byKey.size()) < count) {
        std::string word;
        for (int n = 1 + static_cast<int>(random() % 4); n > 0; --n) word += kPieces[random() % kPieces.size()];
        const std::int64_t frequency = 1 + static_cast<std::int64_t>(random() % 7);
        byKey.emplace(WordKey(word), Entry{word, frequency, random() % 5 != 0});
    }
    std::vector<Entry> entries;
    for (auto& [key, entry] : byKey) entries.push_back(entry);
    return entries;  // in key order, as the table keeps them
}

void Fill(WordTable& table, const std::vector<Entry>& entries) {
    table.Reset();
    for (const Entry& e : entries) {
        const std::uint32_t record = table.Add(e.word);
        for (std::int64_t k = 1; k < e.frequency; ++k) table.CountAgain(record);
    }
    table.Finish();
    for (std::size_t i = 0; i < entries.size(); ++i)
        table.SetListed(static_cast<std::int64_t>(i) + 1, entries[i].listed);
    table.ComputeStatistics();
}

// A percentage of the export: one decimal, and within half a tenth of the exact share.
void ExpectPercent(const std::string& text, double exact) {
    ASSERT_GE(text.size(), 3u);
    EXPECT_EQ(text[text.size() - 2], '.') << text;
    double value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    EXPECT_NEAR(value, exact, 0.05 + 1e-9) << text;
}

std::string Write(const std::filesystem::path& path, ExportFormat format, const WordTable& table, std::int64_t head,
                  const ExportSettings& settings) {
    std::ofstream out(path, std::ios::binary);
    WriteWordExport(out, format, table, head, settings);
    return path.string();
}

TEST(WordExportTest, EveryFormatReadsBackAsTheListedWordsInRankOrder) {
    ScratchFolder folder;
    std::mt19937 random(7);
    for (int round = 0; round < 3; ++round) {
        const std::vector<Entry> entries = RandomEntries(random, round == 0 ? 1 : 150 * round);
        WordTable table;
        Fill(table, entries);
        const std::int64_t head = RankByFrequency(table);
        // The model: listed words by falling frequency, ties in key order (the entries' order).
        std::vector<Entry> ranked;
        std::copy_if(entries.begin(), entries.end(), std::back_inserter(ranked),
                     [](const Entry& e) { return e.listed; });
        std::stable_sort(ranked.begin(), ranked.end(),
                         [](const Entry& a, const Entry& b) { return a.frequency > b.frequency; });
        std::int64_t listed = 0;
        for (const Entry& e : ranked) listed += e.frequency;

        for (const auto& [format, name] : {std::pair{ExportFormat::Csv, "csv"}, std::pair{ExportFormat::Tsv, "tsv"},
                                           std::pair{ExportFormat::Json, "json"}}) {
            SCOPED_TRACE(std::string(name) + " round " + std::to_string(round));
            const ExportReading reading =
                ReadExportWithPython(name, Write(folder.Path() / (std::string("w.") + name), format, table, head, {}));
            ASSERT_EQ(reading.status, 0);
            std::int64_t cumulative = 0;
            for (std::size_t i = 0; i < ranked.size(); ++i) {
                ASSERT_LT(i, reading.lines.size());
                std::istringstream fields(reading.lines[i]);
                std::string tag, rank, frequency, word, percent, running;
                fields >> tag >> rank >> frequency >> word >> percent >> running;
                cumulative += ranked[i].frequency;
                EXPECT_EQ(tag + " " + rank + " " + frequency + " " + word, "row " + std::to_string(i + 1) + " " +
                                                                               std::to_string(ranked[i].frequency) +
                                                                               " " + Hex(ranked[i].word));
                ExpectPercent(percent, 100.0 * static_cast<double>(ranked[i].frequency) / static_cast<double>(listed));
                ExpectPercent(running, 100.0 * static_cast<double>(cumulative) / static_cast<double>(listed));
                if (i + 1 == ranked.size()) EXPECT_EQ(running, "100.0");
            }
            const std::size_t extra = format == ExportFormat::Json ? 4 : 0;  // the statistics
            EXPECT_EQ(reading.lines.size(), ranked.size() + extra);
        }
    }
}

TEST(WordExportTest, JsonCarriesStatisticsAndTypedSettingsOfAnyText) {
    ScratchFolder folder;
    WordTable table;
    Fill(table, {{"a", 2, true}, {"b", 5, false}, {"c", 1, true}});
    const std::int64_t head = RankByFrequency(table);
    const std::string odd = "say \"hi\"\\\n\t\x01 caf\xC3\xA9";
    const ExportSettings settings = {
        {"case_significant", true}, {"min_length", std::int64_t{3}}, {"input_file", odd}, {"empty", std::string()}};
    const ExportReading reading =
        ReadExportWithPython("json", Write(folder.Path() / "s.json", ExportFormat::Json, table, head, settings));
    ASSERT_EQ(reading.status, 0);
    const std::vector<std::string> tail(reading.lines.begin() + 2, reading.lines.end());
    EXPECT_EQ(tail, (std::vector<std::string>{"stat words_in_list 2", "stat words_excluded 1",
                                              "stat occurrences_in_list 3", "stat total_words 8",
                                              "setting case_significant bool true", "setting min_length number 3",
                                              "setting input_file text " + Hex(odd), "setting empty text -"}));
}

TEST(WordExportTest, NoListedWordGivesTheFrameAlone) {
    ScratchFolder folder;
    WordTable table;
    Fill(table, {{"a", 2, false}});
    const std::int64_t head = RankByFrequency(table);
    for (const auto& [format, name] : {std::pair{ExportFormat::Csv, "csv"}, std::pair{ExportFormat::Json, "json"}}) {
        const ExportReading reading =
            ReadExportWithPython(name, Write(folder.Path() / (std::string("e.") + name), format, table, head, {}));
        EXPECT_EQ(reading.status, 0) << name;
        EXPECT_EQ(reading.lines.size(), format == ExportFormat::Json ? 4u : 0u) << name;
    }
}

TEST(WordExportTest, BadUtf8StaysValidJsonAndFormatsFollowTheFileName) {
    std::string json;
    AppendJsonString(json, "a\xE9z\xC3");
    EXPECT_EQ(json, "\"a\xEF\xBF\xBDz\xEF\xBF\xBD\"");
    EXPECT_EQ(ExportFormatOfPath("out/Words.CSV"), ExportFormat::Csv);
    EXPECT_EQ(ExportFormatOfPath("w.json"), ExportFormat::Json);
    EXPECT_EQ(ExportFormatOfPath("w.txt"), std::nullopt);
    EXPECT_EQ(ExportFormatOfPath("dir.tsv/words"), std::nullopt);
}

}  // namespace
}  // namespace vesk::test
