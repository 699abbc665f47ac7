// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "engine/Encoding.h"

namespace vesk {
namespace {

TEST(Encoding, EveryCodeRoundTrips) {
    // The five codes the code page leaves undefined too: they stand for the C1 controls of the same numbers.
    for (int code = 0; code < 256; ++code) {
        const std::string one(1, static_cast<char>(code));
        EXPECT_TRUE(IsValidUtf8(Cp1252ToUtf8(one))) << code;
        EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(one)), one) << code;
    }
    EXPECT_EQ(Cp1252ToUtf8("caf\xE9 \x80 \x93q\x94 \x9F \x90"),
              "caf\xC3\xA9 \xE2\x82\xAC \xE2\x80\x9Cq\xE2\x80\x9D \xC5\xB8 \xC2\x90");
    EXPECT_EQ(UnicodeToCp1252(0x20AC), 0x80);
    EXPECT_EQ(UnicodeToCp1252(0x0416), -1);
    EXPECT_EQ(Cp1252ToUnicode(0x80), U'\u20AC');
}

// What the code page lacks and each ill-formed byte become one separator each.
TEST(Encoding, Utf8OutsideTheCodePage) {
    for (const auto& [utf8, cp1252] : std::vector<std::pair<std::string, std::string>>{
             {"\xC5\x93uvre \xE2\x84\xA2", "\x9Cuvre \x99"},
             {"\xC2\x80 \xC2\x9F \xD0\x96 \xF0\x9F\x98\x80 \xE4\xB8\xAD", "\x81 \x81 \x81 \x81 \x81"},
             {"a\xE9z", "a\x81z"},
             {"\xC0\xAF", "\x81\x81"},          // overlong
             {"\xED\xA0\x80", "\x81\x81\x81"},  // surrogate
             {"\xE2\x82", "\x81\x81"}})         // cut short
        EXPECT_EQ(Utf8ToCp1252(utf8), cp1252) << utf8;
    for (const char* bad : {"\xC0\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80", "caf\xE9"}) EXPECT_FALSE(IsValidUtf8(bad));
    EXPECT_TRUE(IsValidUtf8("\xF0\x9F\x98\x80"));
    EXPECT_TRUE(IsValidUtf8(std::string("a\0b", 3)));
}

}  // namespace
}  // namespace vesk
