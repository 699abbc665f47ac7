// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>

#include "engine/CommonWords.h"

namespace vesk::test {
namespace {

TEST(IsPlainText, ControlCharacters) {
    EXPECT_TRUE(IsPlainText("", 3000));
    EXPECT_TRUE(IsPlainText("a\tb\r\nc\n", 3000));
    EXPECT_FALSE(IsPlainText(std::string(2999, 'a') + "\f", 3000));
    EXPECT_TRUE(IsPlainText(std::string(3000, 'a') + "\f", 3000));
    EXPECT_FALSE(IsPlainText(std::string("a\0b", 3), 3000));
    EXPECT_TRUE(IsPlainText("\x80\xFF", 3000));
}

}  // namespace
}  // namespace vesk::test
