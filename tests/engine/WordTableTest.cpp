// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <map>
#include <random>

#include "engine/WordTable.h"

namespace vesk::test {
namespace {

// Many words over a few letters and þ (254), so that many keys share their first bytes, against an ordered map;
// the table finished now and then, and emptied and filled again.
TEST(WordTable, KeepsEveryWordInKeyOrder) {
    const std::string alphabet = "abc\xFE";
    std::mt19937 random(7);
    WordTable table;
    for (int round = 0; round < 2; ++round) {
        std::map<std::string, std::int64_t> expected;
        table.Reset();
        for (int i = 0; i < 200000; ++i) {
            std::string word(1 + random() % 12, 'a');
            for (char& c : word) c = alphabet[random() % alphabet.size()];
            table.Add(word);
            ++expected[word];
            if (i % 50000 == 0) table.Finish();
        }
        table.Finish();
        ASSERT_EQ(table.DistinctWordCount(), static_cast<std::int64_t>(expected.size()));
        std::int64_t i = 1;
        for (const auto& [word, frequency] : expected) {
            ASSERT_EQ(table.Key(i), word) << i;
            ASSERT_EQ(table.Word(i), word) << i;
            ASSERT_EQ(table.Frequency(i++), frequency) << word;
        }
    }
}

}  // namespace
}  // namespace vesk::test
