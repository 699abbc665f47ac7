// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "engine/Normalisation.h"

namespace vesk {
namespace {

// A substring test of the list, spaces and all: every piece of it, and every piece after another letter.
TEST(Normalisation, ContractionStemIsASubstringOfTheList) {
    const std::string stems = "aren couldn didn doesn hadn hasn isn shouldn wasn weren wouldn ";
    for (std::size_t i = 0; i < stems.size(); ++i)
        for (std::size_t n = 1; i + n <= stems.size(); ++n)
            for (const std::string& piece : {stems.substr(i, n), "x" + stems.substr(i, n)}) {
                if (piece.back() != ' ') {
                    EXPECT_EQ(IsContractionStem(piece), stems.find(piece + " ") != std::string::npos) << piece;
                }
            }
    EXPECT_TRUE(IsContractionStem("N WOULDN"));
}

}  // namespace
}  // namespace vesk
