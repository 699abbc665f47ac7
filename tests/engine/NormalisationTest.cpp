#include <gtest/gtest.h>

#include "engine/Normalisation.h"

namespace vesk {
namespace {

TEST(Normalisation, TrailingPunctuation) {
    EXPECT_EQ(NormaliseWord("end.", false, true), "end");
    EXPECT_EQ(NormaliseWord("abc.-", false, true), "abc");
    EXPECT_EQ(NormaliseWord("abc-.'", false, true), "abc");
    EXPECT_EQ(NormaliseWord("o'", false, true), "o");
    EXPECT_EQ(NormaliseWord("a_:", false, true), "a");
    EXPECT_EQ(NormaliseWord("___", false, true), "");
    // Backslash, slash and at-sign are never removed.
    EXPECT_EQ(NormaliseWord("a/\\@", false, true), "a/\\@");
}

TEST(Normalisation, FinalS) {
    for (auto [in, out] : {std::pair{"cats", "cat"},
                           {"days", "day"},
                           {"news", "new"},
                           {"its", "it"},
                           {"BAs", "BA"},
                           {"bus", "bus"},
                           {"has", "has"},
                           {"buses", "buses"},
                           {"glass", "glass"},
                           {"is", "is"},
                           {"boss", "boss"},
                           {"analysis", "analysis"},
                           {"maths", "maths"},
                           {"Maths", "Maths"},
                           {"mathematics", "mathematics"},
                           {"CATS", "CATS"},
                           {"cats.", "cat"}})
        EXPECT_EQ(NormaliseWord(in, true, true), out) << in;
    EXPECT_EQ(NormaliseWord("caf\xE9s", true, true), "caf\xE9s");  // é is a vowel
    EXPECT_EQ(NormaliseWord("\xC9s", true, true), "\xC9s");        // too short
    EXPECT_EQ(NormaliseWord("ab\xC9s", true, true), "ab\xC9");     // only lower-case vowels keep the s
    EXPECT_EQ(NormaliseWord("john's", true, true), "john's");
    EXPECT_EQ(NormaliseWord("cats", false, true), "cats");
}

TEST(Normalisation, ContractionFragments) {
    for (const char* dropped : {"s", "t", "T", "S", "couldn", "wouldn", "Isn", "n", "en", "ren", "sn", "dn", "ldn"})
        EXPECT_EQ(NormaliseWord(dropped, false, false), "") << dropped;
    for (const char* kept : {"don", "can", "won", "it", "nn", "an", "aren't"})
        EXPECT_EQ(NormaliseWord(kept, false, false), kept) << kept;
    EXPECT_EQ(NormaliseWord("t", false, true), "t");
    EXPECT_EQ(NormaliseWord("couldn", false, true), "couldn");
    // The final s goes first, so "hasns" loses its s and then matches the stem "hasn".
    EXPECT_EQ(NormaliseWord("hasns", true, false), "");
}

TEST(Normalisation, ContractionStemIsASubstringTest) {
    const std::string stems = "aren couldn didn doesn hadn hasn isn shouldn wasn weren wouldn ";
    auto literal = [&](const std::string& word) {
        std::string t;
        for (char c : word) t += (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
        return stems.find(t + " ") != std::string::npos;
    };
    // Every piece of the list, with and without spaces, and words around it.
    for (std::size_t i = 0; i < stems.size(); ++i)
        for (std::size_t n = 0; i + n <= stems.size(); ++n) {
            const std::string piece = stems.substr(i, n);
            if (piece.empty() || piece.back() == ' ') continue;
            EXPECT_EQ(IsContractionStem(piece), literal(piece)) << "'" << piece << "'";
            EXPECT_EQ(IsContractionStem("x" + piece), literal("x" + piece)) << "'x" << piece << "'";
        }
    EXPECT_TRUE(IsContractionStem("COULDN"));
    EXPECT_TRUE(IsContractionStem("n wouldn"));
    EXPECT_FALSE(IsContractionStem("shouldnt"));
}

TEST(Normalisation, FoldAccentsAndKeys) {
    EXPECT_EQ(FoldAccents("M\xFCller"), "Mueller");
    EXPECT_EQ(WordKey("M\xFCller"), "mueller");
    EXPECT_EQ(WordKey("stra\xDF"
                      "e"),
              "strasse");
    EXPECT_EQ(WordKey("caf\xE9"), "cafe");
    EXPECT_EQ(WordKey("Caf\xE9"), "cafe");
    EXPECT_EQ(WordKey("\xD8rsted"), "orsted");
    EXPECT_EQ(WordKey("\xDE\xF3r"), "\xFEor");  // Þ is only lower-cased
    EXPECT_EQ(FoldAccents("\xDE\xFE\xF0"), "\xDE\xFE\xF0");
    EXPECT_EQ(FoldAccents("\xC4\xE4\xC6\xE6\xD6\xF6\xDC\xFC\xDF\x8C"), "AeaeAeaeOeoeUeuessOe");
    EXPECT_EQ(FoldAccents("\x8A\x9F\x9A\xFF\xC7\xD1\xDD\xD0"), "SYsyCNYD");
    EXPECT_EQ(WordKey("\xC6ON"), "aeon");
    EXPECT_EQ(WordKey("plain"), "plain");
    std::string key = "untouched";
    EXPECT_FALSE(WordKeyDiffers("plain-word's", key));
    EXPECT_EQ(key, "untouched");
    EXPECT_TRUE(WordKeyDiffers("Plain", key));
    EXPECT_EQ(key, "plain");
}

TEST(Normalisation, Vowels) {
    EXPECT_TRUE(IsVowel("\xC9", false));
    EXPECT_FALSE(IsVowel("\xC9", true));
    EXPECT_TRUE(IsVowel("\xE9x", true));
    EXPECT_TRUE(IsVowel("A", false));
    EXPECT_FALSE(IsVowel("A", true));
    EXPECT_FALSE(IsVowel("y", false));
    EXPECT_FALSE(IsVowel("\xFF", false));
    EXPECT_FALSE(IsVowel("", false));
}

}  // namespace
}  // namespace vesk
