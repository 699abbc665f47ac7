// SPDX-License-Identifier: GPL-3.0-or-later
#include <random>

#include "ListingFixture.h"

namespace vesk::test {
namespace {

using RankingTest = ListingTest;

// Ranked one frequency at a time from the highest down, ties in key order; unlisted words have rank 0 and stay
// out of the chain, whatever an earlier ranking left.
TEST_F(RankingTest, AgreesWithRankingOneFrequencyAtATime) {
    std::mt19937 random(12345);
    for (int round = 0; round < 20; ++round) {
        std::vector<TestWord> words;
        for (int i = 0, n = static_cast<int>(random() % 300); i < n; ++i)
            words.push_back(
                {"w" + std::to_string(100000 + i), static_cast<std::int64_t>(random() % 9 + 1), random() % 5 != 0});
        Fill(words);
        for (std::int64_t r = 1; r <= w.Table.DistinctWordCount(); ++r) w.Table.SetRanking(r, 7, 1);  // stale
        w.RankByFrequency();
        std::vector<std::int64_t> expected, chain;
        for (std::int64_t f = 9; f >= 1; --f)
            for (std::size_t r = 1; r <= words.size(); ++r)
                if (words[r - 1].listed && words[r - 1].frequency == f)
                    expected.push_back(static_cast<std::int64_t>(r));
        for (std::int64_t r = w.FrequencyChainHead; r != 0 && chain.size() <= words.size();
             r = w.Table.NextByFrequency(r))
            chain.push_back(r);
        ASSERT_EQ(chain, expected);
        for (std::size_t r = 1; r <= words.size(); ++r) {
            const auto at = std::find(expected.begin(), expected.end(), static_cast<std::int64_t>(r));
            ASSERT_EQ(w.Table.Rank(static_cast<std::int64_t>(r)), at == expected.end() ? 0 : at - expected.begin() + 1);
            if (at == expected.end()) {
                ASSERT_EQ(w.Table.NextByFrequency(static_cast<std::int64_t>(r)), 0);
            }
        }
    }
}

}  // namespace
}  // namespace vesk::test
