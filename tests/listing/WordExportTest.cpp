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

std::vector<std::string> ExportAndRead(const std::string& path, ExportFormat format, const char* name, WordTable& table,
                                       const ExportSettings& settings = {}) {
    std::ofstream out(path, std::ios::binary);
    WriteWordExport(out, format, table, RankByFrequency(table), settings);
    out.close();
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
    for (const int count : {3, 1, 150, 300}) {  // the first lists nothing: the frame alone
        std::map<std::string, TableWord> byKey;
        while (static_cast<int>(byKey.size()) < count) {
            std::string word;
            for (int n = 1 + static_cast<int>(random() % 4); n > 0; --n) word += kPieces[random() % kPieces.size()];
            byKey.emplace(WordKey(word), TableWord{word, 1 + static_cast<std::int64_t>(random() % 7),
                                                   count != 3 && random() % 5 != 0});
        }
        std::vector<TableWord> words, ranked;
        std::int64_t listed = 0, cumulative = 0;
        for (const auto& [key, w] : byKey) words.push_back(w), listed += w.listed ? w.frequency : 0;
        std::copy_if(words.begin(), words.end(), std::back_inserter(ranked), [](auto& w) { return w.listed; });
        std::stable_sort(ranked.begin(), ranked.end(), [](auto& a, auto& b) { return a.frequency > b.frequency; });
        WordTable table;
        FillTable(table, words);
        for (const auto& [format, name] : {std::pair{ExportFormat::Csv, "csv"}, std::pair{ExportFormat::Tsv, "tsv"},
                                           std::pair{ExportFormat::Json, "json"}}) {
            SCOPED_TRACE(std::string(name) + " of " + std::to_string(count));
            const auto lines = ExportAndRead(folder.PathOf(std::string("w.") + name), format, name, table);
            ASSERT_EQ(lines.size(), ranked.size() + (format == ExportFormat::Json ? 4 : 0));  // + statistics
            cumulative = 0;
            for (std::size_t i = 0; i < ranked.size(); ++i) {
                std::istringstream fields(lines[i]);
                std::string tag, rank, frequency, word, percent, running;
                fields >> tag >> rank >> frequency >> word >> percent >> running;
                EXPECT_EQ(
                    rank + " " + frequency + " " + word,
                    std::to_string(i + 1) + " " + std::to_string(ranked[i].frequency) + " " + Hex(ranked[i].word));
                ExpectPercent(percent, ranked[i].frequency, listed);
                ExpectPercent(running, cumulative += ranked[i].frequency, listed);
            }
            EXPECT_TRUE(ranked.empty() || lines[ranked.size() - 1].ends_with(" 100.0"));
        }
    }
}

TEST(WordExportTest, JsonCarriesStatisticsAndTypedSettingsOfAnyText) {
    ScratchFolder folder;
    WordTable table;
    FillTable(table, {{"a", 2, true}, {"b", 5, false}, {"c", 1, true}});
    const std::string odd = "say \"hi\"\\\n\t\x01 caf\xC3\xA9 \xE9";  // the last byte is not UTF-8
    const ExportSettings settings = {{"flag", true}, {"number", std::int64_t{3}}, {"text", odd}, {"empty", ""}};
    const auto lines = ExportAndRead(folder.PathOf("s.json"), ExportFormat::Json, "json", table, settings);
    EXPECT_EQ(std::vector<std::string>(lines.begin() + std::min<std::size_t>(2, lines.size()), lines.end()),
              (std::vector<std::string>{"stat words_in_list 2", "stat words_excluded 1", "stat occurrences_in_list 3",
                                        "stat total_words 8", "setting flag bool true", "setting number number 3",
                                        "setting text text " + Hex(odd.substr(0, odd.size() - 1) + "\xEF\xBF\xBD"),
                                        "setting empty text -"}));
}

}  // namespace
}  // namespace vesk::test
