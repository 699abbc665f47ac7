#include <gtest/gtest.h>

#include "engine/NamedEntities.h"
#include "engine/ScanHarness.h"

namespace vesk::test {
namespace {

TEST(NamedEntities, LettersOfLatin1) {
    EXPECT_EQ(NamedEntityLetter("&Agrave;"), 0xC0);
    EXPECT_EQ(NamedEntityLetter("&AElig;"), 0xC6);
    EXPECT_EQ(NamedEntityLetter("&ETH;"), 0xD0);
    EXPECT_EQ(NamedEntityLetter("&Oslash;"), 0xD8);
    EXPECT_EQ(NamedEntityLetter("&THORN;"), 0xDE);
    EXPECT_EQ(NamedEntityLetter("&szlig;"), 0xDF);
    EXPECT_EQ(NamedEntityLetter("&eacute;"), 0xE9);
    EXPECT_EQ(NamedEntityLetter("&yuml;"), 0xFF);
    // Symbols, numeric references, wrong case and near misses are not letters.
    for (const char* other :
         {"&times;", "&divide;", "&amp;", "&nbsp;", "&#233;", "&EACUTE;", "&Yuml;", "&eacute", "eacute;", "&;"})
        EXPECT_EQ(NamedEntityLetter(other), -1) << other;
    // The 62 names in code order, from 192 to 255 without 215 and 247.
    const std::vector<std::string> names = {
        "Agrave", "Aacute", "Acirc",  "Atilde", "Auml",   "Aring",  "AElig",  "Ccedil", "Egrave", "Eacute", "Ecirc",
        "Euml",   "Igrave", "Iacute", "Icirc",  "Iuml",   "ETH",    "Ntilde", "Ograve", "Oacute", "Ocirc",  "Otilde",
        "Ouml",   "Oslash", "Ugrave", "Uacute", "Ucirc",  "Uuml",   "Yacute", "THORN",  "szlig",  "agrave", "aacute",
        "acirc",  "atilde", "auml",   "aring",  "aelig",  "ccedil", "egrave", "eacute", "ecirc",  "euml",   "igrave",
        "iacute", "icirc",  "iuml",   "eth",    "ntilde", "ograve", "oacute", "ocirc",  "otilde", "ouml",   "oslash",
        "ugrave", "uacute", "ucirc",  "uuml",   "yacute", "thorn",  "yuml"};
    ASSERT_EQ(names.size(), 62u);
    int code = 0xC0;
    for (const std::string& name : names) {
        if (code == 0xD7 || code == 0xF7) ++code;
        EXPECT_EQ(NamedEntityLetter("&" + name + ";"), code) << name;
        ++code;
    }
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

TEST(NamedEntities, CountedAsLetters) {
    ScanHarness h;
    EXPECT_EQ(h.Scan("caf&eacute; &amp; caf\xE9"), (Counts{{"amp", 1}, {"caf\xE9", 2}}));
}

}  // namespace
}  // namespace vesk::test
