// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QString>
#include <algorithm>
#include <random>
#include <set>

#include "ui/Mnemonics.h"

namespace vesk::test {
namespace {

// The most captions that can have a character no other caption has: every way of picking, tried.
std::size_t MostDistinct(const std::vector<QString>& captions, std::size_t i = 0, std::set<QChar> taken = {}) {
    if (i == captions.size()) return 0;
    std::size_t best = MostDistinct(captions, i + 1, taken);
    for (const QChar c : captions[i]) {
        const QChar key = c.toUpper();
        if (!c.isLetterOrNumber() || taken.contains(key)) continue;
        std::set<QChar> more = taken;
        more.insert(key);
        best = std::max(best, 1 + MostDistinct(captions, i + 1, more));
    }
    return best;
}

TEST(Mnemonics, AsManyDistinctAsCanBeAndKeptOnesStay) {
    std::mt19937 random(20261207);
    const QString alphabet = QStringLiteral("aBcd1 &-");
    for (int round = 0; round < 400; ++round) {
        std::vector<QString> captions(1 + random() % 6);
        for (QString& caption : captions)
            for (std::size_t n = random() % 5; n > 0; --n) caption += alphabet[static_cast<int>(random() % 8)];
        SCOPED_TRACE(round);

        const std::vector<ui::Mnemonic> chosen = ui::ChooseMnemonics(captions);
        std::set<QChar> distinct;
        std::vector<int> kept;
        for (std::size_t i = 0; i < captions.size(); ++i) {
            const bool hasCandidate =
                std::any_of(captions[i].begin(), captions[i].end(), [](QChar c) { return c.isLetterOrNumber(); });
            ASSERT_EQ(chosen[i].index >= 0, hasCandidate);
            kept.push_back(chosen[i].index);
            if (chosen[i].index < 0) continue;
            ASSERT_TRUE(captions[i][chosen[i].index].isLetterOrNumber());
            if (!chosen[i].shared) {
                EXPECT_TRUE(distinct.insert(captions[i][chosen[i].index].toUpper()).second);
            }
        }
        EXPECT_EQ(distinct.size(), MostDistinct(captions));

        // A caption that changes leaves the others' unique mnemonics where they were.
        const std::size_t changed = random() % captions.size();
        captions[changed] = QStringLiteral("dcBa");
        kept[changed] = -1;
        const std::vector<ui::Mnemonic> again = ui::ChooseMnemonics(captions, kept);
        for (std::size_t i = 0; i < captions.size(); ++i) {
            if (i != changed && !chosen[i].shared) {
                EXPECT_EQ(again[i].index, chosen[i].index);
            }
        }
    }
}

}  // namespace
}  // namespace vesk::test
