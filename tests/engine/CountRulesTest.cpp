// SPDX-License-Identifier: GPL-3.0-or-later
// The rules every driver of a count follows, and files as the engine finds them.

#include <gtest/gtest.h>

#include <cerrno>

#include "engine/CommonWords.h"
#include "engine/CountRules.h"
#include "engine/FileChecks.h"
#include "engine/Normalisation.h"
#include "engine/WordFilters.h"
#include "support/ScratchFolder.h"

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
        {Pairs("#", "", "rem", "rem"), {}, {MarkerProblem::SameStartAndEnd, 1}},  // before part of a word
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
        {" The  Cat , dog ", true, "the,cat,dog"},
        {" The  Cat , dog ", false, ",The,Cat,dog"},  // not trimmed when the case is kept
        {"x\ty", true, "x\ty"},                       // only blanks separate
        {"one,,,two", true, "one,two"},
        {",lead", true, ",lead"},  // a leading comma stays
        {"ÉtÉ CAFÉ ΟΔΟΣ", true, "été,café,οδος"},
    };
    for (const auto& c : cases) EXPECT_EQ(TidyIgnoreList(c.typed, c.lowerCase), c.tidied) << c.typed;
}

// Unicode's full case mappings: in place where each character keeps its length, through ICU where one
// grows (Ⱥ to ⱥ), splits (İ) or takes its context (a final sigma).
TEST(CharClasses, CaseMappings) {
    const struct {
        const char* text;
        const char* lower;
        const char* upper;
    } cases[] = {
        {"Plain ASCII", "plain ascii", "PLAIN ASCII"},
        {"ЖЁЛТЫЙ жёлтый", "жёлтый жёлтый", "ЖЁЛТЫЙ ЖЁЛТЫЙ"},
        {"ΟΔΟΣ ΣΟΦΟΣ", "οδος σοφος", "ΟΔΟΣ ΣΟΦΟΣ"},
        {"Straße İ ǅ Ⱥ", "straße i̇ ǆ ⱥ", "STRASSE İ Ǆ Ⱥ"},
    };
    for (const auto& c : cases) {
        std::string inPlace = c.text;
        LowerCaseInPlace(inPlace);
        EXPECT_EQ(inPlace, c.lower);
        EXPECT_EQ(LowerCase(c.text), c.lower);
        EXPECT_EQ(UpperCase(c.text), c.upper);
    }
}

TEST(WordFilters, Shapes) {
    EXPECT_TRUE(IsRepetition("zzz"));
    EXPECT_FALSE(IsRepetition("z"));
    EXPECT_FALSE(IsRepetition("Zz"));
    EXPECT_TRUE(IsRomanNumeralBelow40("xIv"));
    EXPECT_FALSE(IsRomanNumeralBelow40("xl"));
    // Plain text has no control characters in its first part.
    EXPECT_TRUE(IsPlainText("a\tb\r\nc\n\x80\xFF", 3000));
    EXPECT_FALSE(IsPlainText(std::string(2999, 'a') + "\f", 3000));
    EXPECT_TRUE(IsPlainText(std::string(3000, 'a') + "\f", 3000));
    EXPECT_FALSE(IsPlainText(std::string("a\0b", 3), 3000));

    // A contraction stem is a substring of the list, spaces and all: every piece of it, and every piece after
    // another letter.
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

// Only the first 16384 bytes decide: their line ends, and whether a control character other than tab, CR and
// LF makes them no text.
TEST(FileChecks, TextKinds) {
    const std::vector<std::pair<std::string, std::int16_t>> cases = {
        {"a\r\nb\r\n", kTextCrLf},
        {"a\nb\n", kTextLfOnly},
        {"a\rb\r", kTextCrOnly},
        {"one line", kTextCrLf},
        {"", kTextFileEmpty},
        {std::string(16384, 'a') + "\r\n\n", kTextCrLf},
        {std::string(16383, 'a') + "\n\r", kTextLfOnly},
        {"tab\there \x80\x9F\xA0\xFF\n", kTextLfOnly},
        {"form\ffeed", kNotText},
        {"old\x1A", kNotText},
        {std::string(16383, 'a') + '\f', kNotText},
        {std::string(16384, 'a') + '\f', kTextCrLf},
    };
    ScratchFolder scratch;
    for (const auto& [bytes, kind] : cases) EXPECT_EQ(IsTextFile(scratch.Write("f", bytes), 16384), kind) << bytes;
    EXPECT_EQ(IsTextFile("/nonexistent/vesk/file.txt", 16384), kTextFileMissing);
    EXPECT_EQ(TextKindOfBytes("a\rb"), kTextCrOnly);
    EXPECT_EQ(TextKindOfBytes(std::string("a\0", 2)), kNotText);

    EXPECT_EQ(FileExtension("/home/u/Page.HTML", true), "html");
    EXPECT_EQ(FileExtension("/home/u/Page.HTML", false), "HTML");
    EXPECT_EQ(FileExtension("/home/u.d/readme", true), "");
    EXPECT_EQ(FileExtension("a.tar.gz", false), "gz");
    EXPECT_EQ(FileExtension("name.", false), "");
    EXPECT_EQ(FolderOfPath("/home/u/f.txt"), "/home/u/");
    EXPECT_EQ(FolderOfPath("f.txt"), "");
    EXPECT_EQ(FolderOfPath("/f.txt"), "/");
    EXPECT_EQ(FolderOfPath("c:/Dir/F.txt"), "C:/dir/");
    EXPECT_EQ(NormaliseDriveLetter("c:/Dir/XÉŁ"), "C:/dir/xéł");
    EXPECT_EQ(NormaliseDriveLetter("/Home/Dir"), "/Home/Dir");
    EXPECT_EQ(NormaliseDriveLetter("c"), "c");
}

TEST(FileChecks, WhatAPathNames) {
    ScratchFolder scratch;
    const std::string file = scratch.Write("f.txt", "x"), folder = FolderOfPath(file);
    EXPECT_TRUE(FileExists(file));
    EXPECT_FALSE(FileExists(folder));
    EXPECT_FALSE(FileExists(""));
    EXPECT_TRUE(FolderExists(folder));
    EXPECT_FALSE(FolderExists(file));
    EXPECT_FALSE(FolderExists("/nonexistent/vesk"));

    const std::string loop = file + ".loop";
    std::filesystem::create_symlink(loop, loop);
    const std::vector<std::pair<std::string, int>> cases = {
        {file, 0},
        {"/nonexistent/vesk/file.txt", ENOENT},
        {"", ENOENT},
        {folder + std::string(300, 'n') + ".txt", ENAMETOOLONG},
        {file + "/inner.txt", ENOTDIR},
        {folder, EISDIR},
        {"/dev/null", kOtherKindOfFile},
        {loop, ELOOP},
    };
    for (const auto& [path, error] : cases) EXPECT_EQ(RegularFileError(path), error) << path;
    std::filesystem::remove(loop);
}

}  // namespace
}  // namespace vesk::test
