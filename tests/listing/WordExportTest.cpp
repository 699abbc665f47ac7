// SPDX-License-Identifier: GPL-3.0-or-later
// Exports of the listed words, read back by Python's csv and json modules.

#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <fstream>
#include <map>
#include <random>

#include "engine/UnicodeKeys.h"
#include "listing/Ranking.h"
#include "listing/WordExport.h"
#include "support/ExportSupport.h"
#include "support/ScratchFolder.h"

namespace vesk::test {
namespace {

constexpr std::pair<ExportFormat, const char*> kFormats[] = {
    {ExportFormat::Csv, "csv"}, {ExportFormat::Tsv, "tsv"}, {ExportFormat::Json, "json"}};

std::vector<std::string> ExportAndRead(const ScratchFolder& folder, ExportFormat format, const char* name,
                                       const WordTable& table, std::int64_t head, const ExportSettings& settings) {
    const std::string path = folder.PathOf(std::string("words.") + name);
    {
        std::ofstream out(path, std::ios::binary);
        WriteWordExport(out, format, table, head, settings);
    }
    return ReadExportWithPython(name, path);
}

// A percentage as exported: one decimal, within half a tenth of the exact share.
void ExpectPercent(const std::string& text, std::int64_t part, std::int64_t whole) {
    double value = -1;
    std::from_chars(text.data(), text.data() + text.size(), value);
    EXPECT_TRUE(text.size() >= 3 && text[text.size() - 2] == '.') << text;
    EXPECT_NEAR(value, 100.0 * static_cast<double>(part) / static_cast<double>(whole), 0.05 + 1e-9) << text;
}

TEST(WordExportTest, EveryFormatReadsBackAsTheListedWordsInRankOrder) {
    // Words holding what CSV and JSON must quote or escape, and letters beyond ASCII.
    static const std::vector<std::string> kPieces = {"a", "b", ",", "\"", "\\", "é", "É", "ß", "ж", "'", "x y"};
    ScratchFolder folder;
    std::mt19937 random(7);
    for (const int count : {3, 1, 150, 300}) {
        std::map<std::string, TableWord> byKey;  // the table's key order
        while (static_cast<int>(byKey.size()) < count) {
            std::string word;
            for (int n = 1 + static_cast<int>(random() % 4); n > 0; --n) word += kPieces[random() % kPieces.size()];
            // The first table lists nothing: the frame alone.
            byKey.emplace(WordKey(word), TableWord{word, 1 + static_cast<std::int64_t>(random() % 7),
                                                   count != 3 && random() % 5 != 0});
        }
        std::vector<TableWord> words, ranked;
        for (const auto& entry : byKey) words.push_back(entry.second);
        WordTable table;
        FillTable(table, words);
        const std::int64_t head = RankByFrequency(table);
        std::copy_if(words.begin(), words.end(), std::back_inserter(ranked),
                     [](const TableWord& w) { return w.listed; });
        std::stable_sort(ranked.begin(), ranked.end(), [](auto& a, auto& b) { return a.frequency > b.frequency; });
        std::int64_t listed = 0;
        for (const TableWord& w : ranked) listed += w.frequency;
        for (const auto& [format, name] : kFormats) {
            SCOPED_TRACE(std::string(name) + " of " + std::to_string(count));
            const std::vector<std::string> lines = ExportAndRead(folder, format, name, table, head, {});
            ASSERT_EQ(lines.size(), ranked.size() + (format == ExportFormat::Json ? 4 : 0));  // + statistics
            std::int64_t cumulative = 0;
            for (std::size_t i = 0; i < ranked.size(); ++i) {
                std::istringstream fields(lines[i]);
                std::string tag, rank, frequency, word, percent, running;
                fields >> tag >> rank >> frequency >> word >> percent >> running;
                EXPECT_EQ(
                    rank + " " + frequency + " " + word,
                    std::to_string(i + 1) + " " + std::to_string(ranked[i].frequency) + " " + Hex(ranked[i].word));
                ExpectPercent(percent, ranked[i].frequency, listed);
                ExpectPercent(running, cumulative += ranked[i].frequency, listed);
                if (i + 1 == ranked.size()) EXPECT_EQ(running, "100.0");
            }
        }
    }
}

TEST(WordExportTest, JsonCarriesStatisticsAndTypedSettingsOfAnyText) {
    ScratchFolder folder;
    WordTable table;
    FillTable(table, {{"a", 2, true}, {"b", 5, false}, {"c", 1, true}});
    const std::string odd = "say \"hi\"\\\n\t\x01 caf\xC3\xA9 \xE9";  // the last byte is not UTF-8
    const ExportSettings settings = {{"flag", true}, {"number", std::int64_t{3}}, {"text", odd}, {"empty", ""}};
    const std::vector<std::string> lines =
        ExportAndRead(folder, ExportFormat::Json, "json", table, RankByFrequency(table), settings);
    EXPECT_EQ(std::vector<std::string>(lines.begin() + std::min<std::size_t>(2, lines.size()), lines.end()),
              (std::vector<std::string>{"stat words_in_list 2", "stat words_excluded 1", "stat occurrences_in_list 3",
                                        "stat total_words 8", "setting flag bool true", "setting number number 3",
                                        "setting text text " + Hex(odd.substr(0, odd.size() - 1) + "\xEF\xBF\xBD"),
                                        "setting empty text -"}));
}

TEST(WordExportTest, FormatsFollowTheFileName) {
    EXPECT_EQ(ExportFormatOfPath("out/Words.CSV"), ExportFormat::Csv);
    EXPECT_EQ(ExportFormatOfPath("w.json"), ExportFormat::Json);
    EXPECT_EQ(ExportFormatOfPath("w.txt"), std::nullopt);
    EXPECT_EQ(ExportFormatOfPath("dir.tsv/words"), std::nullopt);
}

}  // namespace
}  // namespace vesk::test
