// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>

#include "engine/Encoding.h"

namespace vesk {
namespace {

TEST(EncodingTest, EveryCodeRoundTrips) {
    // The five codes the code page leaves undefined too: they stand for the C1 controls of the same numbers.
    for (int code = 0; code < 256; ++code) {
        const std::string one(1, static_cast<char>(code));
        const std::string utf8 = Cp1252ToUtf8(one);
        EXPECT_TRUE(IsValidUtf8(utf8)) << code;
        EXPECT_EQ(Utf8ToCp1252(utf8), one) << code;
    }
    EXPECT_EQ(Cp1252ToUtf8("\x90"), "\xC2\x90");
    EXPECT_EQ(Utf8ToCp1252("\xC2\x80 \xC2\x9F"), "\x81 \x81");  // other C1 controls are not in the code page
}

TEST(EncodingTest, KnownCharacters) {
    EXPECT_EQ(Cp1252ToUtf8("caf\xE9 \x80 \x93quoted\x94 \x9F"),
              "caf\xC3\xA9 \xE2\x82\xAC \xE2\x80\x9Cquoted\xE2\x80\x9D \xC5\xB8");
    EXPECT_EQ(Utf8ToCp1252("\xC5\x93uvre \xE2\x84\xA2"), "\x9Cuvre \x99");
    EXPECT_EQ(Utf8ToCp1252("\xD0\x96 \xF0\x9F\x98\x80 \xE4\xB8\xAD"), "\x81 \x81 \x81");  // not in the code page
    EXPECT_EQ(UnicodeToCp1252(0x20AC), 0x80);
    EXPECT_EQ(UnicodeToCp1252(0x0416), -1);
    EXPECT_EQ(Cp1252ToUnicode(0x80), U'\u20AC');
}

TEST(EncodingTest, IllFormedBytesBecomeOneSeparatorEach) {
    EXPECT_EQ(Utf8ToCp1252("a\xE9z"), "a\x81z");
    EXPECT_EQ(Utf8ToCp1252("\xC0\xAF"), "\x81\x81");          // overlong
    EXPECT_EQ(Utf8ToCp1252("\xED\xA0\x80"), "\x81\x81\x81");  // surrogate
    EXPECT_EQ(Utf8ToCp1252("\xE2\x82"), "\x81\x81");          // cut short
    EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));
    EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));
    EXPECT_FALSE(IsValidUtf8("\xF4\x90\x80\x80"));  // beyond U+10FFFF
    EXPECT_FALSE(IsValidUtf8("caf\xE9"));
    EXPECT_TRUE(IsValidUtf8("\xF0\x9F\x98\x80"));
    EXPECT_TRUE(IsValidUtf8(""));
    EXPECT_TRUE(IsValidUtf8(std::string("a\0b", 3)));
}

}  // namespace
}  // namespace vesk
