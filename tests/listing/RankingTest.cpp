// SPDX-License-Identifier: GPL-3.0-or-later
#include <cstdio>
#include <random>

#include "ListingFixture.h"

namespace vesk::test {
namespace {

using RankingTest = ListingTest;

std::vector<std::int64_t> Chain(MainWindow& w) {
    std::vector<std::int64_t> chain;
    for (std::int64_t r = w.FrequencyChainHead; r != 0 && chain.size() <= 100000; r = w.Table.NextByFrequency(r))
        chain.push_back(r);
    return chain;
}

TEST_F(RankingTest, RanksByDescendingFrequencyWithTiesInKeyOrder) {
    FillGreek();
    EXPECT_EQ(w.Table.Rank(1), 2);  // alpha
    EXPECT_EQ(w.Table.Rank(2), 3);  // beta
    EXPECT_EQ(w.Table.Rank(3), 1);  // gamma
    EXPECT_EQ(w.FrequencyChainHead, 3);
    EXPECT_EQ(Chain(w), (std::vector<std::int64_t>{3, 1, 2}));
    EXPECT_EQ(w.Table.NextByFrequency(2), 0);
}

TEST_F(RankingTest, UnlistedWordsKeepRankZeroAndStayOutOfTheChain) {
    Fill({{"ant", 5}, {"bee", 9, false}, {"cat", 5}, {"dog", 1}, {"eel", 9, false}});
    // Stale values from an earlier ranking must not survive.
    w.Table.SetRanking(2, 7, 4);
    w.RankByFrequency();
    EXPECT_EQ(w.Table.Rank(1), 1);
    EXPECT_EQ(w.Table.Rank(2), 0);
    EXPECT_EQ(w.Table.NextByFrequency(2), 0);
    EXPECT_EQ(w.Table.Rank(3), 2);
    EXPECT_EQ(w.Table.Rank(4), 3);
    EXPECT_EQ(w.Table.Rank(5), 0);
    EXPECT_EQ(Chain(w), (std::vector<std::int64_t>{1, 3, 4}));

    Fill({{"ant", 5, false}, {"bee", 9, false}});
    EXPECT_EQ(w.FrequencyChainHead, 0);
    EXPECT_EQ(w.Table.Rank(1), 0);
    Fill({});
    EXPECT_EQ(w.FrequencyChainHead, 0);
}

// The ranking must agree with ranking one frequency at a time, from the highest down, in table order.
TEST_F(RankingTest, AgreesWithRankingOneFrequencyAtATime) {
    std::mt19937 random(12345);
    std::vector<TestWord> words;
    for (int i = 0; i < 3000; ++i) {
        char key[8];
        std::snprintf(key, sizeof key, "w%05d", i);
        words.push_back({key, static_cast<std::int64_t>(random() % 40 + 1), random() % 5 != 0});
    }
    Fill(words);

    std::vector<std::int32_t> expectedRank(words.size() + 1, 0);
    std::vector<std::int64_t> expectedChain;
    for (std::int64_t f = w.Table.Statistics().highestFrequency; f >= 1; --f)
        for (std::size_t r = 1; r <= words.size(); ++r)
            if (words[r - 1].listed && words[r - 1].frequency == f) {
                expectedChain.push_back(static_cast<std::int64_t>(r));
                expectedRank[r] = static_cast<std::int32_t>(expectedChain.size());
            }
    for (std::size_t r = 1; r <= words.size(); ++r)
        ASSERT_EQ(w.Table.Rank(static_cast<std::int64_t>(r)), expectedRank[r]) << r;
    EXPECT_EQ(Chain(w), expectedChain);
    EXPECT_EQ(static_cast<std::int64_t>(expectedChain.size()), w.Table.Statistics().listedWordCount);
}

}  // namespace
}  // namespace vesk::test
