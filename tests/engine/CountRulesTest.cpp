// SPDX-License-Identifier: GPL-3.0-or-later
// The rules every driver of a count follows, and files as the engine finds them.

#include <gtest/gtest.h>

#include <cerrno>

#include "engine/ByteSource.h"
#include "engine/CommonWords.h"
#include "engine/CountRules.h"
#include "engine/Encoding.h"
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
    EXPECT_TRUE(HasNoVowelOrY("nth\xD7"));
    for (const char* word : {"n\xE9th", "RHYTHM", "\xC9", "A"}) EXPECT_FALSE(HasNoVowelOrY(word)) << word;
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

    // Names are Windows-1252 inside the program and UTF-8 on disk.
    scratch.Write("caf\xC3\xA9.txt", "x");
    EXPECT_EQ(IsTextFile(scratch.PathOf("caf\xE9.txt"), 16384), kTextCrLf);
}

using Lines = std::vector<std::string>;

Lines ReadAll(ByteSource& source) {
    Lines lines;
    for (std::string line; source.ReadLine(line);) lines.push_back(line);
    return lines;
}

// The lines of a file, and every byte of it consumed.
Lines ReadFile(const std::string& bytes) {
    ScratchFolder scratch;
    std::string error;
    auto source = ByteSource::OpenFile(scratch.Write("f.txt", bytes), error);
    EXPECT_TRUE(source) << error;
    if (!source) return {};
    EXPECT_EQ(source->Size(), static_cast<std::int64_t>(bytes.size()));
    Lines lines = ReadAll(*source);
    EXPECT_EQ(source->BytesConsumed(), static_cast<std::int64_t>(bytes.size()));
    return lines;
}

TEST(ByteSource, LinesAndTheirEncoding) {
    const std::size_t block = 1u << 20;
    std::string longLine(3 * block + 17, 'z');
    longLine[block] = 'q';
    const std::vector<std::pair<std::string, Lines>> cases = {
        {"a\r\nb\nc\rd", {"a", "b", "c", "d"}},
        {"a\r\n\r\n", {"a", ""}},
        {"a\n\rb\r\rc\n", {"a", "", "b", "", "c"}},
        {"", {}},
        {"tab\tand form\ffeed stay", {"tab\tand form\ffeed stay"}},
        {std::string(block - 1, 'x') + "\r\ny\n", {std::string(block - 1, 'x'), "y"}},  // CR LF across blocks
        {longLine + "\r\nend", {longLine, "end"}},
        // UTF-8, with a byte-order mark (dropped) or without (the first non-ASCII bytes decide).
        {"\xEF\xBB\xBF"
         "caf\xC3\xA9\n",
         {"caf\xE9"}},
        {"plain\nna\xC3\xAFve \xE2\x82\xAC \xE4\xB8\xAD \xC5\x93\n", {"plain", "na\xEFve \x80 \x81 \x9C"}},
        {"\xC3\xA9 \xFF\xC3 \xE2\x82 \xED\xA0\x80\n", {"\xE9 \x81\x81 \x81\x81 \x81\x81\x81"}},
        // Windows-1252 passes through.
        {"caf\xE9\n\xC3\xA9 \x80\n", {"caf\xE9", "\xC3\xA9 \x80"}},
        {"\xEF\xBB"
         "x",
         {"\xEF\xBB"
          "x"}},
    };
    for (const auto& [bytes, lines] : cases) EXPECT_EQ(ReadFile(bytes), lines) << bytes.substr(0, 40);

    // A peek sees the bytes as they are.
    ScratchFolder scratch;
    std::string error;
    auto source = ByteSource::OpenFile(scratch.Write("f.txt", "\xEF\xBB\xBFhello world\nnext"), error);
    ASSERT_TRUE(source);
    EXPECT_EQ(source->Peek(8), "\xEF\xBB\xBFhello");
    EXPECT_EQ(source->Peek(1000).size(), 19u);
    EXPECT_EQ(ReadAll(*source), (Lines{"hello world", "next"}));
}

TEST(ByteSource, StandardInputThroughAPipe) {
    int fds[2];
    ASSERT_EQ(::pipe(fds), 0);
    auto source = ByteSource::FromDescriptor(fds[0]);
    EXPECT_EQ(source->Size(), -1);
    ASSERT_EQ(::write(fds[1], "first\r", 6), 6);
    EXPECT_EQ(source->Peek(6), "first\r");
    std::string line;
    ASSERT_TRUE(source->ReadLine(line));
    EXPECT_EQ(line, "first");
    // The LF of that CR LF arrives later, with the next line.
    ASSERT_EQ(::write(fds[1], "\nsecond", 7), 7);
    ::close(fds[1]);
    EXPECT_EQ(ReadAll(*source), Lines{"second"});
    EXPECT_EQ(source->BytesConsumed(), 13);
    source.reset();
    EXPECT_EQ(::close(fds[0]), 0);  // the descriptor belongs to the caller
}

TEST(Encoding, EveryCodeRoundTrips) {
    // The five codes the code page leaves undefined too: they stand for the C1 controls of the same numbers.
    for (int code = 0; code < 256; ++code) {
        const std::string one(1, static_cast<char>(code));
        EXPECT_TRUE(IsValidUtf8(Cp1252ToUtf8(one))) << code;
        EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(one)), one) << code;
    }
    EXPECT_EQ(Cp1252ToUtf8("caf\xE9 \x80 \x93q\x94 \x9F \x90"),
              "caf\xC3\xA9 \xE2\x82\xAC \xE2\x80\x9Cq\xE2\x80\x9D \xC5\xB8 \xC2\x90");

    // What the code page lacks and each ill-formed byte become one separator each.
    for (const auto& [utf8, cp1252] : std::vector<std::pair<std::string, std::string>>{
             {"\xC5\x93uvre \xE2\x84\xA2", "\x9Cuvre \x99"},
             {"\xC2\x80 \xC2\x9F \xD0\x96 \xF0\x9F\x98\x80 \xE4\xB8\xAD", "\x81 \x81 \x81 \x81 \x81"},
             {"a\xE9z", "a\x81z"},
             {"\xC0\xAF", "\x81\x81"}})  // overlong; a surrogate and a cut-short one are ByteSource's
        EXPECT_EQ(Utf8ToCp1252(utf8), cp1252) << utf8;
    for (const char* bad : {"\xC0\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80", "caf\xE9"}) EXPECT_FALSE(IsValidUtf8(bad));
    EXPECT_TRUE(IsValidUtf8("\xF0\x9F\x98\x80"));
    EXPECT_TRUE(IsValidUtf8(std::string("a\0b", 3)));
}

}  // namespace
}  // namespace vesk::test
