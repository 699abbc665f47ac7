// SPDX-License-Identifier: GPL-3.0-or-later
#include "listing/Ranking.h"

#include <algorithm>
#include <vector>

namespace vesk {

std::int64_t RankByFrequency(WordTable& table) {
    const std::int64_t count = table.DistinctWordCount();
    // Frequencies beside their records, so that the sort never reaches into the table.
    struct Ranked {
        std::int64_t frequency;
        std::int32_t record;
    };
    std::vector<Ranked> order;
    order.reserve(static_cast<std::size_t>(count));
    for (std::int64_t r = 1; r <= count; ++r) {
        table.SetRanking(r, 0, 0);
        const std::int64_t frequency = table.Frequency(r);
        if (table.IsListed(r) && frequency >= 1) order.push_back(Ranked{frequency, static_cast<std::int32_t>(r)});
    }
    const auto higher = [](const Ranked& a, const Ranked& b) { return a.frequency > b.frequency; };
    if (!std::is_sorted(order.begin(), order.end(), higher)) std::stable_sort(order.begin(), order.end(), higher);
    for (std::size_t k = 0; k < order.size(); ++k) {
        table.SetRanking(order[k].record, static_cast<std::int32_t>(k + 1),
                         k + 1 < order.size() ? order[k + 1].record : 0);
    }
    return order.empty() ? 0 : order.front().record;
}

}  // namespace vesk
