// SPDX-License-Identifier: GPL-3.0-or-later
// The results window's model: sorting and searching against a slow model on random tables, folded search
// keys, copying, the charts' figures, and following the main window's listing.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <tuple>

#include "app/ResultsModel.h"
#include "engine/UnicodeKeys.h"
#include "listing/Ranking.h"
#include "support/ExportSupport.h"
#include "support/ProgramFixture.h"

namespace vesk::test {
namespace {

std::vector<std::string> Column(const ResultsModel& model, ResultsColumn column) {
    std::vector<std::string> cells;
    for (std::int64_t row = 0; row < model.RowCount(); ++row) cells.push_back(model.Cell(row, column));
    return cells;
}

ResultsModel ModelOf(WordTable& table, const std::vector<TableWord>& words) {
    FillTable(table, words);
    ResultsModel model;
    model.Refresh(table, RankByFrequency(table));
    return model;
}

TEST(ResultsModelTest, SortAndSearchAgreeWithASlowModel) {
    static const std::vector<std::string> kPieces = {"a", "b", "é", "É", "ß", "ss", "ж", "o"};
    std::mt19937 random(11);
    for (int round = 0; round < 40; ++round) {
        std::map<std::string, TableWord> byKey;
        for (int n = 1 + static_cast<int>(random() % 60); n > 0; --n) {
            std::string word;
            for (int k = 1 + static_cast<int>(random() % 4); k > 0; --k) word += kPieces[random() % kPieces.size()];
            byKey.emplace(WordKey(word),
                          TableWord{word, 1 + static_cast<std::int64_t>(random() % 5), random() % 6 != 0});
        }
        std::vector<TableWord> words;
        for (const auto& [key, word] : byKey) words.push_back(word);
        WordTable table;
        ResultsModel model = ModelOf(table, words);
        // The slow model: (rank, frequency, key) of each listed word; sorting compares one of them, then the rank.
        std::vector<std::tuple<std::int64_t, std::int64_t, std::string>> all;
        for (std::int64_t r = 1; r <= table.DistinctWordCount(); ++r)
            if (table.IsListed(r)) all.emplace_back(table.Rank(r), table.Frequency(r), table.Key(r));
        std::sort(all.begin(), all.end());
        std::string search;  // pieces typed on, taken back or cleared
        for (int step = 0; step < 12; ++step) {
            if (const auto choice = random() % 8; choice < 4)
                model.SortBy(static_cast<ResultsColumn>(random() % kResultsColumnCount));
            else if (choice == 4 || search.size() < 2)
                search = choice == 4 ? "" : search + kPieces[random() % kPieces.size()];
            else
                search.erase(search.size() - (choice == 5 ? 1 : 2));
            model.SetSearch(search);
            auto shown = all;
            std::erase_if(shown,
                          [&](auto& row) { return std::get<2>(row).find(WordKey(search)) == std::string::npos; });
            const ResultsColumn c = model.SortColumn();
            const auto value = [c](auto& row) {
                return c == ResultsColumn::Word ? std::tuple(0L, std::get<2>(row))
                       : c == ResultsColumn::Frequency || c == ResultsColumn::Percent
                           ? std::tuple(std::get<1>(row), std::string())
                           : std::tuple(std::get<0>(row), std::string());
            };
            std::stable_sort(shown.begin(), shown.end(), [&](auto& a, auto& b) {
                return model.SortDescending() ? value(b) < value(a) : value(a) < value(b);
            });
            std::vector<std::string> ranks;
            for (const auto& row : shown) ranks.push_back(std::to_string(std::get<0>(row)));
            ASSERT_EQ(Column(model, ResultsColumn::Rank), ranks) << "round " << round << " step " << step;
            EXPECT_EQ(model.Caption(), std::to_string(shown.size()) + " of " + std::to_string(all.size()) +
                                           (all.size() == 1 ? " word" : " words"));
        }
        const auto top = model.TopWords(5);  // at least 10
        ASSERT_EQ(top.size(), std::min<std::size_t>(10, all.size()));
        for (std::size_t i = 0; i < top.size(); ++i) EXPECT_EQ(WordKey(top[i].first), std::get<2>(all[i]));
    }
}

TEST(ResultsModelTest, SearchFindsWordsByTheirFoldedKeysAndCopyTakesTheRowsShown) {
    WordTable table;
    ResultsModel model = ModelOf(table, {{"Café", 3}, {"décaféiné", 2}, {"Straße", 2}, {"tea", 1}});
    const std::vector<std::pair<std::string, std::vector<std::string>>> cases = {
        {"CAFE", {"Café", "décaféiné"}}, {" café ", {"Café", "décaféiné"}}, {"strasse", {"Straße"}}, {"ß", {"Straße"}}};
    for (const auto& [text, found] : cases) {
        model.SetSearch(text);
        EXPECT_EQ(Column(model, ResultsColumn::Word), found) << text;
    }
    model.SetSearch("");
    model.SortBy(ResultsColumn::Word);
    model.SortBy(ResultsColumn::Word);  // tea, Straße, décaféiné, Café
    EXPECT_EQ(model.CopyRows({2, 0, 2, 9}),
              "Rank\tFrequency\tWord\t% of occurrences\tCumulative %\n"
              "4\t1\ttea\t12.5\t100.0\n"
              "2\t2\tdécaféiné\t25.0\t62.5\n");
}

TEST(ResultsModelTest, ZipfExponentOfExactPowerLaws) {
    // Frequencies C / r^s, whole for every rank: the fitted line gives s back.
    for (const auto& [s, c, count] : {std::tuple{1, 2520, 10}, std::tuple{2, 3600, 6}}) {
        std::vector<TableWord> words;
        for (int r = 1; r <= count; ++r)
            words.push_back({std::string("w") + static_cast<char>('a' + r), c / (s == 1 ? r : r * r)});
        WordTable table;
        const ResultsModel model = ModelOf(table, words);
        EXPECT_NEAR(model.FitZipfLine()->slope, -s, 1e-9);
        EXPECT_EQ(model.ZipfCaption(), "Zipf exponent s = " + std::to_string(s) + ".00");
    }
    WordTable one;
    EXPECT_EQ(ModelOf(one, {{"solo", 4}}).ZipfCaption(), "Zipf exponent s = n/a");
}

class ResultsListingTest : public ProgramFixture {};

TEST_F(ResultsListingTest, FollowsTheListingOfTheMainWindow) {
    Start();
    ResultsModel model;
    EXPECT_FALSE(FollowListing(model, main));
    CountClipboard("alpha beta beta gamma");
    EXPECT_TRUE(FollowListing(model, main));
    EXPECT_EQ(Column(model, ResultsColumn::Word), (std::vector<std::string>{"beta", "alpha", "gamma"}));
    main.cboDisplayFormat.SetListIndex(3);  // the same words in another format
    EXPECT_FALSE(FollowListing(model, main));
    main.cmdListWords.Click();  // filtered and ranked again
    EXPECT_TRUE(FollowListing(model, main));
    // The export of the listing, whatever the view, with the parameters it was made with.
    model.SortBy(ResultsColumn::Word);
    const std::string path = PathOf("words.json");
    ASSERT_EQ(SaveListingExport(main, path, ExportFormat::Json), "");
    const std::vector<std::string> lines = ReadExportWithPython("json", path);
    EXPECT_EQ(lines.front(), "row 1 2 " + Hex("beta") + " 50.0 50.0");
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "setting input_file text -"), 1);
    main.Table.Reset();  // a new count begins
    EXPECT_TRUE(FollowListing(model, main));
    EXPECT_EQ(model.RowCount(), 0);
    EXPECT_NE(SaveListingExport(main, path, ExportFormat::Csv), "");
}

}  // namespace
}  // namespace vesk::test
