// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "engine/Normalisation.h"

namespace vesk {
namespace {

TEST(Normalisation, FinalSAndContractions) {
    for (auto [in, out] : {std::pair{"its", "it"},
                           {"BAs", "BA"},
                           {"is", "is"},
                           {"Maths", "Maths"},
                           {"cats.", "cat"},
                           {"CATS", "CATS"},
                           {"ab\xC9s", "ab\xC9"},
                           {"caf\xE9s", "caf\xE9s"},
                           {"john's", "john's"}})
        EXPECT_EQ(NormaliseWord(in, true, true), out) << in;
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
    EXPECT_EQ(FoldAccents("\xC4\xE4\xC6\xE6\xD6\xF6\xDC\xFC\xDF\x8C"), "AeaeAeaeOeoeUeuessOe");
    EXPECT_EQ(FoldAccents("\x8A\x9F\x9A\xFF\xC7\xD1\xDD\xD0\xDE\xFE\xF0"), "SYsyCNYD\xDE\xFE\xF0");
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
