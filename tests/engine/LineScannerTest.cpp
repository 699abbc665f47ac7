#include <gtest/gtest.h>

#include <stdexcept>

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
    h.options.allowed.numerals = true;
    EXPECT_EQ(h.Words("x123 mp3 3d 123"), (Words{"d", "mp3", "x123"}));
}

TEST(LineScanner, InnerCharactersFollowTheAllowedCharacters) {
    ScanHarness h;
    EXPECT_EQ(h.Words("e-mail well--known"), (Words{"e", "known", "mail", "well"}));
    h.options.allowed.hyphens = true;
    EXPECT_EQ(h.Words("e-mail well--known"), (Words{"e-mail", "known", "well"}));

    AllowedCharacters path;
    path.colons = true;
    path.backslashes = true;
    h.options.allowed = path;
    EXPECT_EQ(h.Words("c:\\dir\\file"), (Words{"c:\\dir\\file"}));
    h.options.allowed.backslashes = false;
    EXPECT_EQ(h.Words("c:\\dir\\file"), (Words{"c", "dir", "file"}));

    AllowedCharacters all{true, true, true, true, true, true, true, true, true};
    EXPECT_EQ(AllowedInnerChars(all), "-'_:\\/.@");
    EXPECT_EQ(AllowedInnerChars(AllowedCharacters{}), "");
    h.options.allowed = all;
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
    h.options.underscoresStartWords = true;
    h.options.allowed.underscores = true;
    EXPECT_EQ(h.Words("_abc abc_ ___"), (Words{"_abc", "abc"}));
    // Ticked after the run began: an underscore may start a word the allowed characters will not continue.
    h.options.allowed.underscores = false;
    EXPECT_EQ(h.Words("_abc __ x"), (Words{"abc", "x"}));
    h.options.underscoresStartWords = false;
    EXPECT_EQ(h.Words("_abc"), (Words{"abc"}));
}

TEST(LineScanner, LongRunsAreCutAt65000) {
    ScanHarness h;
    const Counts counts = h.Scan(std::string(65010, 'a'));
    // The first 65000 letters are one word, too long to keep; the last ten start a new one.
    EXPECT_EQ(counts, (Counts{{std::string(10, 'a'), 1}}));
    EXPECT_EQ(CountWordChars(std::string(70000, 'b'), 1, false, ""), 65000);
}

TEST(LineScanner, AsksAfterEveryWordAndStops) {
    ScanHarness h;
    h.Scan("couldn't x x");
    EXPECT_EQ(h.observer.asked, 4);  // couldn, t, x and x; only x is counted
    EXPECT_EQ(h.table.DistinctWordCount(), 1);
    EXPECT_EQ(h.observer.newWords, (std::vector<std::string>{"x"}));

    ScanHarness stopping;
    stopping.observer.stopAfter = 2;
    EXPECT_EQ(stopping.Scan("a b c d"), (Counts{{"a", 1}, {"b", 1}}));
    EXPECT_EQ(stopping.observer.asked, 2);
}

TEST(LineScanner, NewWordsAreReportedOnceEachAndKeptWhenTheReportFails) {
    struct Failing : RecordingObserver {
        bool quiet = false;
        void OnNewWord(std::string_view word, std::int64_t distinctWords) override {
            RecordingObserver::OnNewWord(word, distinctWords);
            if (word == "c") throw std::runtime_error("display full");
        }
        bool IsQuiet() const override { return quiet; }
    };
    for (const bool quiet : {false, true}) {
        SCOPED_TRACE(quiet ? "quiet" : "word by word");
        ScanHarness h;
        Failing observer;
        observer.quiet = quiet;
        h.scanner.SetObserver(&observer);
        std::string line = "a B a b ";
        h.scanner.ScanLine(line);
        line = "c e ";
        EXPECT_THROW(h.scanner.ScanLine(line), std::runtime_error);  // the line ends at c, which is counted
        line = "c b d ";
        h.scanner.ScanLine(line);
        EXPECT_EQ(observer.newWords, (std::vector<std::string>{"a", "B", "c", "d"}));
        EXPECT_EQ(observer.lastDistinctWords, 4);
        EXPECT_EQ(h.Scan(std::vector<std::string>{}), (Counts{{"a", 2}, {"B", 3}, {"c", 2}, {"d", 1}}));
    }
}

TEST(LineScanner, OptionsSetBetweenWordsApplyToTheNextWord) {
    ScanHarness h;
    h.options.dropFinalS = true;
    struct Toggle : RecordingObserver {
        LineScanner* scanner = nullptr;
        bool ShouldStop() override {
            ScanOptions options = scanner->Options();
            options.dropFinalS = false;
            scanner->SetOptions(options);
            return RecordingObserver::ShouldStop();
        }
    } toggle;
    toggle.scanner = &h.scanner;
    h.scanner.SetObserver(&toggle);
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
