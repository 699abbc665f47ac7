// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>

#include "engine/WordFilters.h"

namespace vesk::test {
namespace {

TEST(WordFilterPredicates, Shapes) {
    EXPECT_TRUE(IsRepetition("zzz"));
    EXPECT_FALSE(IsRepetition("z"));
    EXPECT_FALSE(IsRepetition("Zz"));
    EXPECT_TRUE(IsRomanNumeralBelow40("xIv"));
    EXPECT_FALSE(IsRomanNumeralBelow40("xl"));
    EXPECT_TRUE(HasNoVowelOrY("nth"));
    EXPECT_FALSE(HasNoVowelOrY("n\xE9th"));
    EXPECT_FALSE(HasNoVowelOrY("RHYTHM"));
}

}  // namespace
}  // namespace vesk::test
