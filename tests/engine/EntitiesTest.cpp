// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>

#include "engine/NamedEntities.h"

namespace vesk::test {
namespace {

TEST(NamedEntities, LettersOfLatin1) {
    EXPECT_EQ(NamedEntityLetter("&Agrave;"), 0xC0);
    EXPECT_EQ(NamedEntityLetter("&yuml;"), 0xFF);
    // Symbols, numeric references, wrong case and near misses are not letters.
    for (const char* other :
         {"&times;", "&divide;", "&amp;", "&nbsp;", "&#233;", "&EACUTE;", "&Yuml;", "&eacute", "eacute;", "&;"})
        EXPECT_EQ(NamedEntityLetter(other), -1) << other;
}

TEST(NamedEntities, ReplacedWhereFound) {
    std::string line = "caf&eacute; &Eacute;&eacute; &amp; &#233; &EACUTE;";
    ReplaceNamedEntities(line);
    EXPECT_EQ(line, "caf\xE9 \xC9\xE9 &amp; &#233; &EACUTE;");

    // A lone "&" and the entity's ";" frame a name that is not a letter: the entity stays.
    line = "x & y &eacute; z &eacute;";
    ReplaceNamedEntities(line);
    EXPECT_EQ(line, "x & y &eacute; z \xE9");

    line = "&&auml;";
    ReplaceNamedEntities(line);
    EXPECT_EQ(line, "&&auml;");
}

}  // namespace
}  // namespace vesk::test
