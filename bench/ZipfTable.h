// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A finished word table for the results benchmarks: distinct words of 4 to 9 letters, one in sixteen ending
// in an accented letter, with frequencies falling as 1/rank over a random order of the words.

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "engine/WordTable.h"

namespace vesk::bench {

inline void FillZipfTable(WordTable& table, int words, unsigned seed) {
    std::mt19937 random(seed);
    static const char* const kAccented[] = {"é", "ü", "ß", "ñ"};
    std::vector<std::uint32_t> records;
    while (static_cast<int>(records.size()) < words) {
        std::string word;
        for (int n = 4 + static_cast<int>(random() % 6); n > 0; --n)
            word.push_back(static_cast<char>('a' + random() % 26));
        if (random() % 16 == 0) word += kAccented[random() % 4];
        const std::int64_t before = table.DistinctWordCount();
        const std::uint32_t record = table.Add(word);
        if (table.DistinctWordCount() > before) records.push_back(record);
    }
    std::shuffle(records.begin(), records.end(), random);
    for (std::size_t r = 0; r < records.size(); ++r)
        for (std::size_t k = 1; k < records.size() / (r + 1) / 8 + 1; ++k) table.CountAgain(records[r]);
    table.Finish();
    table.ComputeStatistics();
}

}  // namespace vesk::bench
