// SPDX-License-Identifier: GPL-3.0-or-later
// The results window's model: sorting and searching against a slow model on random tables, folded search
// keys, copying, the charts' figures, and following the main window's listing.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <random>
#include <tuple>

#include "app/ResultsModel.h"
#include "engine/UnicodeKeys.h"
#include "listing/Ranking.h"
#include "support/ProgramFixture.h"

namespace vesk::test {
namespace {

struct Word {
    std::string word;
    std::int64_t frequency;
    bool listed = true;
};

// Fills and ranks `table`; words whose keys coincide count as one, the first form kept.
void Fill(WordTable& table, const std::vector<Word>& words) {
    table.Reset();
    std::map<std::string, bool> listed;
    for (const Word& w : words) {
        const std::uint32_t record = table.Add(w.word);
        for (std::int64_t k = 1; k < w.frequency; ++k) table.CountAgain(record);
        listed.emplace(WordKey(w.word), w.listed);
    }
    table.Finish();
    for (std::int64_t r = 1; r <= table.DistinctWordCount(); ++r) table.SetListed(r, listed[std::string(table.Key(r))]);
    table.ComputeStatistics();
}

std::vector<std::string> Column(const ResultsModel& model, ResultsColumn column) {
    std::vector<std::string> cells;
    for (std::int64_t row = 0; row < model.RowCount(); ++row) cells.push_back(model.Cell(row, column));
    return cells;
}

TEST(ResultsModelTest, SortAndSearchAgreeWithASlowModel) {
    static const std::vector<std::string> kPieces = {"a", "b", "é", "É", "ß", "ss", "ж", "o"};
    std::mt19937 random(11);
    for (int round = 0; round < 40; ++round) {
        std::vector<Word> words;
        for (int n = 1 + static_cast<int>(random() % 60); n > 0; --n) {
            std::string word;
            for (int k = 1 + static_cast<int>(random() % 4); k > 0; --k) word += kPieces[random() % kPieces.size()];
            words.push_back({word, 1 + static_cast<std::int64_t>(random() % 5), random() % 6 != 0});
        }
        WordTable table;
        Fill(table, words);
        ResultsModel model;
        model.Refresh(table, RankByFrequency(table));

        // The slow model: the listed records with their rank, frequency and key.
        struct Row {
            std::int32_t rank;
            std::int64_t frequency;
            std::string key;
        };
        std::vector<Row> all;
        for (std::int64_t r = 1; r <= table.DistinctWordCount(); ++r)
            if (table.IsListed(r)) all.push_back({table.Rank(r), table.Frequency(r), std::string(table.Key(r))});
        std::sort(all.begin(), all.end(), [](const Row& a, const Row& b) { return a.rank < b.rank; });
        for (std::size_t i = 0; i < all.size(); ++i) ASSERT_EQ(all[i].rank, static_cast<std::int32_t>(i + 1));
        ASSERT_EQ(model.WordCount(), static_cast<std::int64_t>(all.size()));

        std::string search;
        std::vector<std::string> typed;
        for (int step = 0; step < 12; ++step) {
            SCOPED_TRACE("round " + std::to_string(round) + " step " + std::to_string(step));
            if (random() % 2 == 0) {
                model.SortBy(static_cast<ResultsColumn>(random() % kResultsColumnCount));
            } else {
                // Typed on, a piece taken back, or cleared.
                if (const auto choice = random() % 4; choice == 0)
                    typed.clear();
                else if (choice == 1 && !typed.empty())
                    typed.pop_back();
                else
                    typed.push_back(kPieces[random() % kPieces.size()]);
                search.clear();
                for (const std::string& piece : typed) search += piece;
                model.SetSearch(search);
            }
            const std::string key = WordKey(search);
            std::vector<Row> shown;
            std::copy_if(all.begin(), all.end(), std::back_inserter(shown),
                         [&](const Row& r) { return r.key.find(key) != std::string::npos; });
            const bool down = model.SortDescending();
            const auto value = [&](const Row& r) -> std::tuple<std::int64_t, std::string> {
                switch (model.SortColumn()) {
                    case ResultsColumn::Frequency:
                    case ResultsColumn::Percent:
                        return {r.frequency, ""};
                    case ResultsColumn::Word:
                        return {0, r.key};
                    default:
                        return {r.rank, ""};
                }
            };
            std::stable_sort(shown.begin(), shown.end(), [&](const Row& a, const Row& b) {
                return down ? value(b) < value(a) : value(a) < value(b);
            });
            std::vector<std::string> ranks;
            for (const Row& r : shown) ranks.push_back(std::to_string(r.rank));
            ASSERT_EQ(Column(model, ResultsColumn::Rank), ranks);
            EXPECT_EQ(model.Caption(), std::to_string(shown.size()) + " of " + std::to_string(all.size()) +
                                           (all.size() == 1 ? " word" : " words"));
        }
        const auto top = model.TopWords(5);
        ASSERT_EQ(top.size(), std::min<std::size_t>(10, all.size()));
        for (std::size_t i = 0; i < top.size(); ++i) EXPECT_EQ(WordKey(top[i].first), all[i].key);
    }
}

TEST(ResultsModelTest, SearchFindsWordsByTheirFoldedKeys) {
    WordTable table;
    Fill(table, {{"Café", 3}, {"décaféiné", 2}, {"Straße", 2}, {"tea", 1}});
    ResultsModel model;
    model.Refresh(table, RankByFrequency(table));
    const std::vector<std::pair<std::string, std::vector<std::string>>> cases = {
        {"CAFE", {"Café", "décaféiné"}},
        {" café ", {"Café", "décaféiné"}},
        {"strasse", {"Straße"}},
        {"ß", {"Straße"}},
        {"x", {}},
        {"", {"Café", "décaféiné", "Straße", "tea"}},
    };
    for (const auto& [text, found] : cases) {
        model.SetSearch(text);
        EXPECT_EQ(Column(model, ResultsColumn::Word), found) << text;
    }
}

TEST(ResultsModelTest, CopyGivesTheRowsAsShownUnderTheTitles) {
    WordTable table;
    Fill(table, {{"alpha", 3}, {"beta", 3}, {"gamma", 7}, {"delta", 1, false}});
    ResultsModel model;
    model.Refresh(table, RankByFrequency(table));
    model.SortBy(ResultsColumn::Word);
    model.SortBy(ResultsColumn::Word);  // gamma, beta, alpha
    EXPECT_EQ(model.CopyRows({2, 0, 2, 9}),
              "Rank\tFrequency\tWord\t% of occurrences\tCumulative %\n"
              "1\t7\tgamma\t53.8\t53.8\n"
              "2\t3\talpha\t23.1\t76.9\n");
}

TEST(ResultsModelTest, ZipfExponentOfExactPowerLaws) {
    // Frequencies C / r^s, whole numbers for every rank shown: the fitted line gives s back.
    for (const auto& [s, c, words] : {std::tuple{1, 2520LL, 10}, std::tuple{2, 3600LL, 6}}) {
        std::vector<Word> table;
        std::int64_t power = 1;
        for (int r = 1; r <= words; ++r) {
            power = 1;
            for (int k = 0; k < s; ++k) power *= r;
            table.push_back({"w" + std::string(1, static_cast<char>('a' + r)), c / power});
        }
        WordTable wordTable;
        Fill(wordTable, table);
        ResultsModel model;
        model.Refresh(wordTable, RankByFrequency(wordTable));
        const std::optional<ZipfLine> line = model.FitZipfLine();
        ASSERT_TRUE(line);
        EXPECT_NEAR(line->slope, -s, 1e-9);
        EXPECT_NEAR(line->intercept, std::log10(static_cast<double>(c)), 1e-9);
        EXPECT_EQ(model.ZipfCaption(), "Zipf exponent s = " + std::to_string(s) + ".00");
    }
    WordTable one;
    Fill(one, {{"solo", 4}});
    ResultsModel model;
    model.Refresh(one, RankByFrequency(one));
    EXPECT_EQ(model.ZipfCaption(), "Zipf exponent s = n/a");
}

class ResultsListingTest : public ProgramFixture {};

TEST_F(ResultsListingTest, FollowsTheListingOfTheMainWindow) {
    Start();
    MainWindow& w = main;
    ResultsModel model;
    EXPECT_FALSE(FollowListing(model, w));
    CountClipboard("alpha beta beta gamma");
    EXPECT_TRUE(FollowListing(model, w));
    EXPECT_FALSE(FollowListing(model, w));
    EXPECT_EQ(Column(model, ResultsColumn::Word), (std::vector<std::string>{"beta", "alpha", "gamma"}));
    w.cboDisplayFormat.SetListIndex(3);  // the same words in another format
    EXPECT_FALSE(FollowListing(model, w));
    w.cmdListWords.Click();  // filtered and ranked again
    EXPECT_TRUE(FollowListing(model, w));
    w.Table.Reset();  // a new count begins
    EXPECT_TRUE(FollowListing(model, w));
    EXPECT_EQ(model.RowCount(), 0);
    CountClipboard("delta");
    EXPECT_TRUE(FollowListing(model, w));
    EXPECT_EQ(Column(model, ResultsColumn::Word), std::vector<std::string>{"delta"});
}

}  // namespace
}  // namespace vesk::test
