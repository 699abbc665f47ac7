// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A program whose word table the test fills by hand, for the listing tests.

#include <cstdint>
#include <string>
#include <vector>

#include "support/ProgramFixture.h"

namespace vesk::test {

struct TestWord {
    std::string word;
    std::int64_t frequency;
    bool listed = true;
};

class ListingTest : public ProgramFixture {
  protected:
    MainWindow& w = main;
    ParamsWindow& p = params;

    void SetUp() override { w.FillComboBoxes(); }

    // Words in key order, each with a frequency of at least 1.
    void Fill(const std::vector<TestWord>& words) {
        w.Table.Reset();
        for (const TestWord& t : words) {
            const std::uint32_t record = w.Table.Add(t.word);
            for (std::int64_t k = 1; k < t.frequency; ++k) w.Table.CountAgain(record);
        }
        w.Table.Finish();
        for (std::size_t i = 0; i < words.size(); ++i)
            w.Table.SetListed(static_cast<std::int64_t>(i) + 1, words[i].listed);
        w.Table.ComputeStatistics();
        w.RankByFrequency();
    }
    // alpha 3, beta 3, gamma 7: the usual small table.
    void FillGreek() { Fill({{"alpha", 3}, {"beta", 3}, {"gamma", 7}}); }
    // Stops the listing at the given pump.
    void StopAt(long pump) {
        platform.onPump = [this, pump] {
            if (platform.PumpCount() == pump) w.StopRequested = true;
        };
    }
    std::string SetOutputFile(const std::string& path) {
        w.txbFile[1].SetText(path);
        return path;
    }
};

}  // namespace vesk::test
