#include <gtest/gtest.h>

#include "engine/CharClasses.h"
#include "engine/LineScanner.h"
#include "engine/ScanHarness.h"

namespace vesk::test {
namespace {

using Words = std::vector<std::string>;

TEST(LineScanner, WordsStartAtLettersOnly) {
    ScanHarness h;
    EXPECT_EQ(h.Words("2nd 123"), (Words{"nd"}));
    EXPECT_EQ(h.Words("x123 mp3 3d"), (Words{"d", "mp", "x"}));
    AllowSnapshot numerals;
    numerals.numerals = true;
    h.scanner.SetSnapshot(numerals);
    EXPECT_EQ(h.Words("x123 mp3 3d 123"), (Words{"d", "mp3", "x123"}));
}

TEST(LineScanner, InnerCharactersFollowTheSnapshot) {
    ScanHarness h;
    EXPECT_EQ(h.Words("e-mail well--known"), (Words{"e", "known", "mail", "well"}));
    AllowSnapshot s;
    s.hyphens = true;
    h.scanner.SetSnapshot(s);
    EXPECT_EQ(h.Words("e-mail well--known"), (Words{"e-mail", "known", "well"}));

    AllowSnapshot path;
    path.colons = true;
    path.backslashes = true;
    h.scanner.SetSnapshot(path);
    EXPECT_EQ(h.Words("c:\\dir\\file"), (Words{"c:\\dir\\file"}));
    path.backslashes = false;
    h.scanner.SetSnapshot(path);
    EXPECT_EQ(h.Words("c:\\dir\\file"), (Words{"c", "dir", "file"}));

    AllowSnapshot all{true, true, true, true, true, true, true, true, true};
    EXPECT_EQ(AllowedInnerChars(all), "-'_:\\/.@");
    EXPECT_EQ(AllowedInnerChars(AllowSnapshot{}), "");
    h.scanner.SetSnapshot(all);
    EXPECT_EQ(h.Words("mail@host.org/x-1 end."), (Words{"end", "mail@host.org/x-1"}));
}

TEST(LineScanner, SeparatorsAndLatinLetters) {
    ScanHarness h;
    EXPECT_EQ(h.Words("a\tb\xA0"
                      "c\rd\ne"),
              (Words{"a", "b", "c", "d", "e"}));
    // © « × ÷ and every code from 128 to 191 separate words; Latin-1 letters belong to them.
    EXPECT_EQ(h.Words("ab\xA9"
                      "cd\xAB"
                      "ef\xD7gh\xF7ij\x80kl"),
              (Words{"ab", "cd", "ef", "gh", "ij", "kl"}));
    EXPECT_EQ(h.Words("caf\xE9 \xC0l\xFF"), (Words{"\xC0l\xFF", "caf\xE9"}));
    EXPECT_TRUE(IsWordChar('\xC0', false, ""));
    EXPECT_FALSE(IsWordChar('\xD7', true, "\xD7"));
    EXPECT_FALSE(IsWordChar('5', false, ""));
    EXPECT_TRUE(IsWordChar('5', true, ""));
    EXPECT_TRUE(IsWordChar('#', false, "#"));
    EXPECT_EQ(CountWordChars("ab-c d", 1, false, "-"), 4);
    EXPECT_EQ(CountWordChars("ab-c d", 3, false, ""), 0);
    EXPECT_EQ(CountWordChars("abc", 4, false, ""), 0);
}

TEST(LineScanner, Underscores) {
    ScanHarness h;
    h.allowUnderscores = 1;
    AllowSnapshot s;
    s.underscores = true;
    h.scanner.SetSnapshot(s);
    EXPECT_EQ(h.Words("_abc abc_ ___"), (Words{"_abc", "abc"}));
    // Ticked after the run began: an underscore may start a word the snapshot will not continue.
    h.scanner.SetSnapshot(AllowSnapshot{});
    EXPECT_EQ(h.Words("_abc __ x"), (Words{"abc", "x"}));
    h.allowUnderscores = 0;
    EXPECT_EQ(h.Words("_abc"), (Words{"abc"}));
}

TEST(LineScanner, LongRunsAreCutAt65000) {
    ScanHarness h;
    const Counts counts = h.Scan(std::string(65010, 'a'));
    // The first 65000 letters are one word, too long to keep; the last ten start a new one.
    EXPECT_EQ(counts, (Counts{{std::string(10, 'a'), 1}}));
    EXPECT_EQ(CountWordChars(std::string(70000, 'b'), 1, false, ""), 65000);
}

TEST(LineScanner, PumpsAfterEveryWordAndStops) {
    ScanHarness h;
    h.Scan("couldn't x");
    EXPECT_EQ(h.events.pumps, 3);  // couldn, t and x; only x is counted
    EXPECT_EQ(h.table.DistinctWordCount(), 1);

    ScanHarness stopping;
    stopping.events.stopAfter = 2;
    EXPECT_EQ(stopping.Scan("a b c d"), (Counts{{"a", 1}, {"b", 1}}));
    EXPECT_EQ(stopping.events.pumps, 2);
}

TEST(LineScanner, NormalisationOptionsAreReadForEachWord) {
    ScanHarness h;
    h.dropFinalS = 1;
    struct Toggle : CountingEvents {
        int* box = nullptr;
        void PumpEvents() override {
            CountingEvents::PumpEvents();
            *box = 0;
        }
    } toggle;
    toggle.box = &h.dropFinalS;
    h.scanner.SetEvents(&toggle);
    EXPECT_EQ(h.Scan("cats cats"), (Counts{{"cat", 1}, {"cats", 1}}));
}

TEST(LineScanner, DoubleHyphensAndWhitespaceRewriteTheLine) {
    ScanHarness h;
    std::string line = "a---b\tc----d--e\xA0 ";
    h.scanner.ScanLine(line);
    EXPECT_EQ(line, "a -b c  d e  ");
}

}  // namespace
}  // namespace vesk::test
