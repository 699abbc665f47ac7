// SPDX-License-Identifier: GPL-3.0-or-later
// The rules every driver of a count follows: the user's comment markers checked, the markers of each choice,
// the list of words to ignore as it is kept, contraction stems and the shapes of words the filters drop.

#include <gtest/gtest.h>

#include "engine/CommonWords.h"
#include "engine/CountRules.h"
#include "engine/Normalisation.h"
#include "engine/WordFilters.h"

namespace vesk::test {
namespace {

CommentMarkers Pairs(const char* s0, const char* e0, const char* s1, const char* e1) {
    CommentMarkers markers;
    markers.starts = {s0, s1};
    markers.ends = {e0, e1};
    return markers;
}

TEST(CountRules, UserMarkersAreCheckedInOrder) {
    const AllowedCharacters atSigns{.atsigns = true};
    const AllowedCharacters numerals{.numerals = true};
    const struct {
        CommentMarkers markers;
        AllowedCharacters allowed;
        MarkerCheck expected;
    } cases[] = {
        {Pairs("/*", "*/", "//", ""), {}, {}},
        {Pairs("", "", "#", ""), {}, {}},  // a wholly empty pair is simply not used
        {Pairs("@", "", "1", ""), {}, {}},
        {Pairs("", "x", "a", "a"), {}, {MarkerProblem::EmptyStartWithEnd, 0}},  // before the other checks
        {Pairs("/*", "*/", "", ";"), {}, {MarkerProblem::EmptyStartWithEnd, 1}},
        {Pairs("", "", "", ""), {}, {MarkerProblem::NoStart, -1}},
        {Pairs("#", "", "rem", "rem"), {}, {MarkerProblem::SameStartAndEnd, 1}},  // before part of a word
        {Pairs("#", "", "Rem", ""), {}, {MarkerProblem::StartInWord, 1}},
        {Pairs("@", "", "", ""), atSigns, {MarkerProblem::StartInWord, 0}},
        {Pairs("#", "", "1", ""), numerals, {MarkerProblem::StartInWord, 1}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.markers.starts[0] + " " + c.markers.starts[1]);
        const MarkerCheck check = CheckUserMarkers(c.markers, c.allowed);
        EXPECT_EQ(check.problem, c.expected.problem);
        if (c.expected.problem != MarkerProblem::None) {
            EXPECT_EQ(check.pair, c.expected.pair);
        }
    }
}

TEST(CountRules, MarkersOfEachChoice) {
    const CommentMarkers user = Pairs(" {", "} ", "REM", "");
    const struct {
        MarkerChoice choice;
        CommentMarkers expected;
        bool fromFileType;
    } cases[] = {
        {MarkerChoice::Markup, Pairs("<", ">", "&", ";"), true},
        {MarkerChoice::Code, Pairs("/*", "*/", "//", ""), true},
        {MarkerChoice::None, Pairs("", "", "", ""), false},
        {MarkerChoice::User, user, false},  // as typed
    };
    for (auto [choice, expected, fromFileType] : cases) {
        expected.fromFileType = fromFileType;
        EXPECT_EQ(MarkersOfChoice(choice, user), expected) << static_cast<int>(choice);
    }
}

TEST(CountRules, MarkersOfTheFileType) {
    const std::pair<const char*, MarkerChoice> cases[] = {
        {"htm", MarkerChoice::Markup}, {"xhtml", MarkerChoice::Markup}, {"php", MarkerChoice::Markup},
        {"xml", MarkerChoice::Markup}, {"c", MarkerChoice::Code},       {"cpp", MarkerChoice::Code},
        {"h", MarkerChoice::User},     {"", MarkerChoice::User},
    };
    for (const auto& [extension, choice] : cases) {
        EXPECT_EQ(MarkersForExtension(extension, true), choice) << extension;
        if (choice == MarkerChoice::User) {
            EXPECT_EQ(MarkersForExtension(extension, false), MarkerChoice::None) << extension;
        }
    }
}

TEST(CountRules, IgnoreListIsTidied) {
    const struct {
        const char* typed;
        bool lowerCase;
        const char* tidied;
    } cases[] = {
        {"", true, ""},
        {" The  Cat , dog ", true, "the,cat,dog"},
        {" The  Cat , dog ", false, ",The,Cat,dog"},  // not trimmed when the case is kept
        {"x\ty", true, "x\ty"},                       // only blanks separate
        {"one,,,two", true, "one,two"},
        {",lead", true, ",lead"},  // a leading comma stays
        {"\xC9t\xC9 CAF\xC9", true, "\xE9t\xE9,caf\xE9"},
    };
    for (const auto& c : cases) EXPECT_EQ(TidyIgnoreList(c.typed, c.lowerCase), c.tidied) << c.typed;
}

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
