// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "engine/CommonWords.h"
#include "engine/WordFilters.h"

namespace vesk::test {
namespace {

TEST(WordFilters, Shapes) {
    EXPECT_TRUE(IsRepetition("zzz"));
    EXPECT_FALSE(IsRepetition("z"));
    EXPECT_FALSE(IsRepetition("Zz"));
    EXPECT_TRUE(IsRomanNumeralBelow40("xIv"));
    EXPECT_FALSE(IsRomanNumeralBelow40("xl"));
    EXPECT_TRUE(HasNoVowelOrY("nth\xD7"));
    for (const char* word : {"n\xE9th", "RHYTHM", "\xC9", "A"}) EXPECT_FALSE(HasNoVowelOrY(word)) << word;
    // Plain text has no control characters in its first part.
    EXPECT_TRUE(IsPlainText("a\tb\r\nc\n\x80\xFF", 3000));
    EXPECT_FALSE(IsPlainText(std::string(2999, 'a') + "\f", 3000));
    EXPECT_TRUE(IsPlainText(std::string(3000, 'a') + "\f", 3000));
    EXPECT_FALSE(IsPlainText(std::string("a\0b", 3), 3000));
}

}  // namespace
}  // namespace vesk::test
