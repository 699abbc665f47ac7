// SPDX-License-Identifier: GPL-3.0-or-later
// The word rules written plainly, and the fast scanner checked against them on random texts; a failure names
// the seed that makes its text again. Then how the scanner talks to its driver, and common-words files.

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "engine/CharClasses.h"
#include "engine/CommonWordsFile.h"
#include "engine/FileChecks.h"
#include "engine/LineScanner.h"
#include "engine/ScanHarness.h"
#include "engine/ScanOptions.h"
#include "engine/SourceScan.h"
#include "engine/WordTable.h"
#include "support/ScratchFolder.h"

namespace vesk::test {
namespace {

char Lower(char c) {
    const auto b = static_cast<unsigned char>(c);
    return (b >= 'A' && b <= 'Z') || (b >= 192 && b <= 222 && b != 215) ? static_cast<char>(c + 32) : c;
}
std::string Lower(std::string s) {
    for (char& c : s) c = Lower(c);
    return s;
}
bool IsLetter(char c) {
    const auto b = static_cast<unsigned char>(c);
    return (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z') || (b >= 192 && b != 215 && b != 247);
}

// The letters from code 192 up, by their names; "-" stands for the two codes that are not letters.
const std::vector<std::string> kEntityNames = {
    "Agrave", "Aacute", "Acirc",  "Atilde", "Auml",   "Aring",  "AElig",  "Ccedil", "Egrave", "Eacute", "Ecirc",
    "Euml",   "Igrave", "Iacute", "Icirc",  "Iuml",   "ETH",    "Ntilde", "Ograve", "Oacute", "Ocirc",  "Otilde",
    "Ouml",   "-",      "Oslash", "Ugrave", "Uacute", "Ucirc",  "Uuml",   "Yacute", "THORN",  "szlig",  "agrave",
    "aacute", "acirc",  "atilde", "auml",   "aring",  "aelig",  "ccedil", "egrave", "eacute", "ecirc",  "euml",
    "igrave", "iacute", "icirc",  "iuml",   "eth",    "ntilde", "ograve", "oacute", "ocirc",  "otilde", "ouml",
    "-",      "oslash", "ugrave", "uacute", "ucirc",  "uuml",   "yacute", "thorn",  "yuml"};

std::string FoldKey(const std::string& word) {
    const std::string twoFrom = "\x8C\xC4\xC6\xD6\xDC\xE4\xE6\xF6\xFC\xDF", twoTo = "OeAeAeOeUeaeaeoeuess";
    const std::string oneFrom =
        "\x8A\x9F\xC0\xC1\xC2\xC3\xC4\xC5\xC7\xC8\xC9\xCA\xCB\xCC\xCD\xCE\xCF\xD0\xD1\xD2\xD3\xD4\xD5\xD6\xD8\xD9"
        "\xDA\xDB\xDC\xDD\x9A\xFF\xE0\xE1\xE2\xE3\xE4\xE5\xE7\xE8\xE9\xEA\xEB\xEC\xED\xEE\xEF\xF1\xF2\xF3\xF4\xF5"
        "\xF6\xF8\xF9\xFA\xFB\xFC\xFD";
    const std::string oneTo = "SYAAAAAACEEEEIIIIDNOOOOOOUUUUYsyaaaaaaceeeeiiiinoooooouuuuy";
    std::string expanded, folded;
    for (char c : word) {
        const auto n = twoFrom.find(c);
        expanded += n == std::string::npos ? std::string(1, c) : twoTo.substr(2 * n, 2);
    }
    for (char c : expanded) {
        const auto n = oneFrom.find(c);
        folded += n == std::string::npos ? c : oneTo[n];
    }
    return Lower(folded);
}

std::string Normalise(std::string w, const ScanOptions& o) {
    const std::string trailing = "-'_:.";
    while (!w.empty() && trailing.find(w.back()) != std::string::npos)
        for (char strip : trailing)
            while (!w.empty() && w.back() == strip) w.pop_back();
    const std::string lowerVowels = Lower(
        "AEIOUaeiou\xC0\xC1\xC2\xC3\xC4\xC5\xC6\xC8\xC9\xCA\xCB\xCC\xCD\xCE\xCF\xD2\xD3\xD4\xD5\xD6\xD8\xD9\xDA\xDB"
        "\xDC\xE0\xE1\xE2\xE3\xE4\xE5\xE6\xE8\xE9\xEA\xEB\xEC\xED\xEE\xEF\xF2\xF3\xF4\xF5\xF6\xF8\xF9\xFA\xFB\xFC");
    const std::size_t n = w.size();
    if (o.dropFinalS && Lower(w) != "mathematics" && Lower(w) != "maths" && n >= 3 && w[n - 1] == 's' &&
        w[n - 2] != 's' && w[n - 2] != '\'' && lowerVowels.find(w[n - 2]) == std::string::npos)
        w.pop_back();
    const std::string stems = "aren couldn didn doesn hadn hasn isn shouldn wasn weren wouldn ";
    if (!o.apostrophesAllowed &&
        (Lower(w) == "s" || Lower(w) == "t" || stems.find(Lower(w) + " ") != std::string::npos))
        return "";
    return w;
}

class ScanModel {
  public:
    explicit ScanModel(const ScanOptions& options) : o(options) {}
    std::map<std::string, std::pair<std::string, std::int64_t>> words;  // key: first form seen, count
    std::vector<std::string> reports;  // each new word with the number of distinct words so far

    void Line(std::string line) {
        if (o.lowerCase) line = Lower(line);
        for (char& c : line)
            if (c == '\t' || c == '\n' || c == '\r' || c == '\xA0') c = ' ';
        std::string joined;
        for (std::size_t i = 0; i < line.size(); ++i) {
            const bool pair = line[i] == '-' && i + 1 < line.size() && line[i + 1] == '-';
            joined += pair ? ' ' : line[i];
            i += pair ? 1 : 0;
        }
        line = ReplaceEntities(joined);
        const bool comments =
            (o.userMarkersAllowed && (!Start(0).empty() || !Start(1).empty())) || o.markers.fromFileType;
        std::size_t pos = 0;
        while (pos + 1 < line.size()) {
            if (comments && !CommentStep(line, pos)) return;
            const char c = line[pos];
            if (!IsLetter(c) && !(c == '_' && o.underscoresStartWords)) {
                ++pos;
                continue;
            }
            std::size_t n = 0;
            while (pos + n < line.size() && n < 65000 && Inner(line[pos + n])) ++n;
            const std::string word = Normalise(line.substr(pos, n), o);
            pos += n == 0 ? 1 : n;  // an underscore that may start but not continue a word is stepped over
            if (word.empty() || word.size() > 80) continue;
            auto [it, added] = words.try_emplace(FoldKey(word), word, 0);
            ++it->second.second;
            if (added) reports.push_back(std::to_string(words.size()) + word);
        }
    }

    bool Inner(char c) const {
        const AllowedCharacters& a = o.allowed;
        return IsLetter(c) || (a.numerals && c >= '0' && c <= '9') || (a.hyphens && c == '-') ||
               (a.apostrophes && c == '\'') || (a.underscores && c == '_') || (a.colons && c == ':') ||
               (a.backslashes && c == '\\') || (a.forwardslashes && c == '/') || (a.periods && c == '.') ||
               (a.atsigns && c == '@');
    }

  private:
    const ScanOptions o;
    int open = -1;  // the pair whose comment is open
    const std::string& Start(int k) const { return o.markers.starts[static_cast<std::size_t>(k)]; }

    static std::string ReplaceEntities(std::string line) {
        std::size_t from = 0;
        for (;;) {
            const std::size_t p = line.find('&', from);
            const std::size_t q = p == std::string::npos ? p : line.find(';', p);
            if (q == std::string::npos) return line;
            const std::string name = line.substr(p + 1, q - p - 1);
            from = q + 1;
            for (std::size_t i = 0; i < kEntityNames.size(); ++i)
                if (name == kEntityNames[i] && name != "-") {
                    line.replace(p, q - p + 1, 1, static_cast<char>(192 + i));
                    from = p + 1;
                }
        }
    }
    static std::size_t EntityLength(const std::string& text) {
        const std::size_t semicolon = text.find(';');
        if (text.size() < 4 || text[0] != '&' || semicolon == std::string::npos || semicolon >= 20) return 0;
        if (text.substr(0, semicolon).find(' ') != std::string::npos) return 0;
        return IsLetter(text[1]) || text[1] == '#' ? semicolon + 1 : 0;
    }
    int MarkerAt(const std::string& line, std::size_t pos) const {
        for (int k = 0; k < 2; ++k) {
            if (Start(k).empty() || Lower(line.substr(pos, Start(k).size())) != Lower(Start(k))) continue;
            if (k == 1 && o.markers.fromFileType && Start(1) == "&") return EntityLength(line.substr(pos)) ? 1 : -1;
            return k;
        }
        return -1;
    }
    bool CommentStep(const std::string& line, std::size_t& pos) {
        if (open == -1) open = MarkerAt(line, pos);
        while (open != -1) {
            const std::string end = Lower(o.markers.ends[static_cast<std::size_t>(open)]);
            const std::size_t found = end.empty() ? std::string::npos : line.find(end, pos);
            pos = found == std::string::npos ? line.size() : found + end.size();
            if (end.empty()) open = -1;
            if (pos >= line.size()) return false;
            if (pos + 1 == line.size()) {
                open = -1;
                return false;
            }
            open = MarkerAt(line, pos);
        }
        return true;
    }
};

const std::string kStems = "aren couldn didn doesn hadn hasn isn shouldn wasn weren wouldn";
// Pieces of text, "|" between them.
std::vector<std::string> Pieces() {
    std::vector<std::string> pieces;
    std::istringstream all(
        "a|e|s|t|n|x|S|T|E|cats|maths|Maths|mathematics|couldn|isn|en|ss|don|\xE9|\xC9|\xE4|\xDF|\xFC|\xD6|\xDE|"
        "\xF0|\xFF|\xD7|\xA9|\xA0|\x8C|1|3|'|'|-|-|--|_|_|:|:|\\|/|.|.|@|&|;|<|>|*|#| | | |\t|&eacute;|&Auml;|"
        "&szlig;|&amp;|&#39;|&eacute|&EACUTE;|&Yuml;|&times;|&divide;|/*|*/|//|<b>|rem|REM|&qqqqqqqqqqqqqqqqqq;|"
        "&qqqqqqqqqqqqqqqqqqq;");
    for (std::string piece; std::getline(all, piece, '|');) pieces.push_back(piece);
    return pieces;
}
const std::vector<std::string> kPieces = Pieces();

struct Case {
    ScanOptions options;
    std::vector<std::string> lines;
};
Case RandomCase(std::mt19937& rng) {
    auto pick = [&](std::size_t n) { return static_cast<std::size_t>(rng() % n); };
    auto coin = [&](unsigned percent) { return rng() % 100 < percent; };
    Case c;
    AllowedCharacters& a = c.options.allowed;
    for (bool* flag : {&a.hyphens, &a.apostrophes, &a.underscores, &a.colons, &a.backslashes, &a.forwardslashes,
                       &a.periods, &a.atsigns, &a.numerals})
        *flag = coin(40);
    c.options.lowerCase = coin(60);
    c.options.dropFinalS = coin(50);
    c.options.apostrophesAllowed = coin(40);
    c.options.underscoresStartWords = coin(30);
    c.options.userMarkersAllowed = coin(50);
    const std::vector<std::vector<std::string>> userPairs = {
        {"/*", "*/", "//", ""}, {"#", "", "", ""}, {"<!--", "-->", "rem", ""}, {"{", "}", "(*", "*)"},
        {"REM", "End", "", ""}, {"", "", ";", ""}, {"-", ";", "", ""}};
    const std::size_t choice = pick(userPairs.size() + 3);
    if (choice < userPairs.size()) {
        const auto& p = userPairs[choice];
        c.options.markers.starts = {p[0], p[2]};
        c.options.markers.ends = {p[1], p[3]};
    } else if (choice < userPairs.size() + 2) {
        c.options.markers = choice == userPairs.size() ? MarkupMarkers() : CodeMarkers();
        c.options.markers.fromFileType = true;
    }
    for (std::size_t i = 0, lines = 1 + pick(5); i < lines; ++i) {
        std::string line;
        for (std::size_t k = 0, pieces = pick(24); k < pieces; ++k) {
            const std::string& name = kEntityNames[pick(kEntityNames.size())];
            const std::size_t stem = pick(kStems.size());
            if (coin(4))
                line += static_cast<char>(1 + pick(255));  // any code at all
            else if (coin(5))
                line += kStems.substr(stem, kStems.find(' ', stem) - stem);  // the end of a contraction stem
            else
                line += coin(90) || name == "-" ? kPieces[pick(kPieces.size())] : "&" + name + ";";
        }
        if (coin(3)) line += std::string(77 + pick(8), 'w') + "s";  // about the 80-character limit
        if (coin(1)) line += std::string(64990 + pick(20), 'b');    // about the longest run taken as one
        c.lines.push_back(line);
    }
    return c;
}

using Table = std::vector<std::tuple<std::string, std::string, std::int64_t>>;
// Lines as a count hands them over: trimmed of spaces, empty ones skipped, one space appended.
template <class ScanOne>
void Feed(const std::vector<std::string>& lines, ScanOne scan) {
    for (const std::string& text : lines) {
        const std::size_t first = text.find_first_not_of(' ');
        if (first == std::string::npos) continue;
        scan(text.substr(first, text.find_last_not_of(' ') - first + 1) + " ");
    }
}

// One scanner and table for all texts, so that what they keep between lines and texts (the cache of runs, the
// records that Finish moves) meets changing options and emptied tables.
Table ScannerTable(const Case& c, ScanHarness& s) {
    s.table.Reset();
    s.scanner.ResetComments();
    s.observer.reports.clear();
    s.scanner.SetOptions(c.options);
    int lines = 0;
    Feed(c.lines, [&](std::string line) {
        s.scanner.ScanLine(line);
        if (++lines % 2 == 0) s.table.Finish();
    });
    s.table.Finish();
    Table out;
    for (std::int64_t i = 1; i <= s.table.DistinctWordCount(); ++i)
        out.emplace_back(std::string(s.table.Key(i)), std::string(s.table.Word(i)), s.table.Frequency(i));
    return out;
}

TEST(ScanModel, ScannerAgreesWithTheRulesOnRandomTexts) {
    ScanHarness quiet, each;
    quiet.observer.quiet = true;
    for (unsigned seed = 1; seed <= 8000; ++seed) {
        std::mt19937 rng(seed);
        const Case c = RandomCase(rng);
        ScanModel model(c.options);
        Feed(c.lines, [&](const std::string& line) { model.Line(line); });
        Table expected;
        for (const auto& [key, entry] : model.words) expected.emplace_back(key, entry.first, entry.second);
        ASSERT_EQ(ScannerTable(c, quiet), expected) << "quiet scan, seed " << seed;
        ASSERT_EQ(ScannerTable(c, each), expected) << "word-by-word scan, seed " << seed;
        ASSERT_EQ(quiet.observer.reports, model.reports) << "seed " << seed;
        ASSERT_EQ(each.observer.reports, model.reports) << "seed " << seed;

        // The run of word characters that the checks of the user's markers measure.
        const std::string& line = c.lines[0];
        const std::size_t from = rng() % (line.size() + 1);
        const std::string extra = AllowedInnerChars(c.options.allowed);
        std::int32_t n = 0;
        while (from + n < line.size() && n < 65000 && model.Inner(line[from + n])) ++n;
        ASSERT_EQ(CountWordChars(line, static_cast<std::int32_t>(from) + 1, c.options.allowed.numerals, extra), n)
            << "seed " << seed << ", from " << from;
    }
}

// Many words over a few letters and þ (254), so that many keys share their first bytes, against an ordered map;
// the table finished now and then, and emptied and filled again.
TEST(WordTable, KeepsEveryWordInKeyOrder) {
    const std::string alphabet = "abc\xFE";
    std::mt19937 random(7);
    WordTable table;
    for (int round = 0; round < 2; ++round) {
        std::map<std::string, std::int64_t> expected;
        table.Reset();
        for (int i = 0; i < 200000; ++i) {
            std::string word(1 + random() % 12, 'a');
            for (char& c : word) c = alphabet[random() % alphabet.size()];
            table.Add(word);
            ++expected[word];
            if (i % 50000 == 0) table.Finish();
        }
        table.Finish();
        ASSERT_EQ(table.DistinctWordCount(), static_cast<std::int64_t>(expected.size()));
        std::int64_t i = 1;
        for (const auto& [word, frequency] : expected) {
            ASSERT_EQ(table.Key(i), word) << i;
            ASSERT_EQ(table.Word(i), word) << i;
            ASSERT_EQ(table.Frequency(i++), frequency) << word;
        }
    }
}

// How the scanner and the reading of a source talk to whoever drives them.
TEST(LineScanner, AsksAfterEveryWordAndStops) {
    ScanHarness h;
    h.Scan({"couldn't x x"});
    EXPECT_EQ(h.observer.asked, 4);  // couldn, t, x and x; only x is counted
    EXPECT_EQ(h.observer.newWords, (std::vector<std::string>{"x"}));

    ScanHarness stopping;
    stopping.observer.stopAfter = 2;
    // A stopped line ends; the next line still gives its first word (the driver stops between lines).
    EXPECT_EQ(stopping.Scan({"a b c d", "e f"}), (Counts{{"a", 1}, {"b", 1}, {"e", 1}}));
    EXPECT_EQ(stopping.observer.asked, 3);

    // Options set between words apply to the next word.
    h.options.dropFinalS = true;
    h.observer.onAsk = [&h] {
        h.options.dropFinalS = false;
        h.scanner.SetOptions(h.options);
    };
    EXPECT_EQ(h.Scan({"cats cats"}), (Counts{{"cat", 1}, {"cats", 1}, {"x", 2}}));
}

TEST(LineScanner, NewWordsAreKeptWhenTheirReportFails) {
    for (const bool quiet : {false, true}) {
        ScanHarness h;
        h.observer.quiet = quiet;
        h.observer.failOn = "c";
        std::string line = "a B a b ";
        h.scanner.ScanLine(line);
        line = "c e ";
        EXPECT_THROW(h.scanner.ScanLine(line), std::runtime_error);  // the line ends at c, which is counted
        line = "c b d ";
        h.scanner.ScanLine(line);
        EXPECT_EQ(h.observer.newWords, (std::vector<std::string>{"a", "B", "c", "d"})) << quiet;
        EXPECT_EQ(h.Scan(), (Counts{{"a", 2}, {"B", 3}, {"c", 2}, {"d", 1}})) << quiet;
    }
}

// Enough distinct runs to fill the quiet scan's cache of runs and have it left aside, some with capitals or
// a final s; then many of them again on one line.
TEST(LineScanner, QuietScanCountsAsTheWordByWordScanPastItsCache) {
    std::vector<std::string> lines(1);
    for (int i = 0; i < 150000; ++i) {
        std::string word;
        for (int n = i * 7919 % 1000003; n > 0 || word.size() < 4; n /= 26) word += static_cast<char>('a' + n % 26);
        if (i % 11 == 0) word[0] = static_cast<char>(word[0] - 'a' + 'A');
        lines.back() += word + (i % 13 == 0 ? "s " : " ") + (i % 17 == 0 ? "cats " : "");
        if (i % 9 == 8) lines.emplace_back();
    }
    std::string joined;
    for (std::size_t k = lines.size() - 500; k < lines.size(); ++k) joined += lines[k];
    lines.push_back(joined);
    ScanHarness quiet, each;
    quiet.scanner.SetObserver(nullptr);
    quiet.options.dropFinalS = each.options.dropFinalS = true;
    const Counts expected = each.Scan(lines);
    EXPECT_GT(expected.size(), 140000u);
    EXPECT_EQ(quiet.Scan(lines), expected);
}

struct Reports : SourceObserver {
    void OnProgress(std::int64_t bytesRead) override { progress.push_back(bytesRead); }
    bool OnLineFailure(std::exception_ptr) override { return ++failures, goOn; }
    std::vector<std::int64_t> progress;
    int failures = 0;
    bool goOn = true;
};

Counts Read(ScanHarness& h, LineSource source, SourceObserver& reports, std::exception_ptr* failure = nullptr) {
    std::string line;
    h.scanner.SetOptions(h.options);
    const std::exception_ptr result = ScanSource(source, h.scanner, line, reports);
    if (failure) *failure = result;
    return h.Scan();
}

TEST(SourceScan, LinesAreTrimmedAndEveryLineReadIsReported) {
    ScanHarness h;
    Reports reports;
    h.options.lowerCase = true;
    EXPECT_EQ(Read(h, LineSource({"  one two  ", "", "   ", "Two\tthree"}), reports),
              (Counts{{"one", 1}, {"three", 1}, {"two", 2}}));
    EXPECT_EQ(reports.progress, (std::vector<std::int64_t>{12, 13, 17, 27}));

    ScanHarness stopped;
    stopped.observer.stopAfter = 2;
    Reports stoppedReports;
    EXPECT_EQ(Read(stopped, LineSource({"a", "b c d", "e"}), stoppedReports), (Counts{{"a", 1}, {"b", 1}}));
    EXPECT_EQ(stoppedReports.progress.size(), 2u);  // a stopped line ends the reading
}

// A line that fails goes to the observer, which may go on; a line that cannot be read ends the reading. Without
// an observer's answer a failed line ends the reading with its failure.
TEST(SourceScan, Failures) {
    for (const bool goOn : {true, false}) {
        ScanHarness h;
        h.observer.failOn = "bad";
        Reports reports;
        reports.goOn = goOn;
        std::exception_ptr failure;
        const Counts counts = Read(h, LineSource({"bad x", "good", "more"}, 4), reports, &failure);
        EXPECT_EQ(reports.failures, 1);
        EXPECT_EQ(counts, (goOn ? Counts{{"bad", 1}, {"good", 1}, {"more", 1}} : Counts{{"bad", 1}}));
        EXPECT_EQ(failure != nullptr, goOn);  // the unreadable fourth line, when the reading goes on to it
    }
    ScanHarness h;
    h.observer.failOn = "bad";
    SourceObserver plain;
    EXPECT_THROW(Read(h, LineSource({"bad"}), plain), std::runtime_error);
}

// Reading a common-words file: its checks, and the words it gives.

using Words = std::vector<std::string>;

Words Read(const std::string& path, ScanOptions options, std::exception_ptr* failure) {
    WordTable table;
    LineScanner scanner(table);
    CommonWordSet words({"kept"});
    const std::exception_ptr error = ReadCommonWordsFile(path, options, scanner, table, words);
    if (failure != nullptr) *failure = error;
    return words.Words();
}

TEST(CommonWordsFile, WordsOfTheFile) {
    ScanOptions dropS;
    dropS.dropFinalS = true;
    dropS.allowed.hyphens = true;
    const struct {
        std::string text;
        ScanOptions options;
        Words words;
    } cases[] = {
        {"The the THE\r\n", {}, {"the"}},  // lower-cased whatever the options say
        {"  zebra\n\napple /* skipped */\nmango // also skipped\n   \nkiwi\n", {}, {"apple", "kiwi", "mango", "zebra"}},
        {"kiwi apple, mango; zebra\n", {}, {"apple", "kiwi", "mango", "zebra"}},
        {"news cats glass e-mail\n", dropS, {"cat", "e-mail", "glass", "new"}},  // split as a count splits
        {"one\rtwo\r", {}, {"one", "two"}},
        {"", {}, {}},
    };
    ScratchFolder scratch;
    for (const auto& c : cases) {
        std::exception_ptr failure;
        EXPECT_EQ(Read(scratch.Write("cw.txt", c.text), c.options, &failure), c.words) << c.text;
        EXPECT_FALSE(failure);
    }
    // A file that does not open keeps the words there were.
    std::exception_ptr failure;
    EXPECT_EQ(Read("/nonexistent/vesk/cwds.txt", {}, &failure), (Words{"kept"}));
    EXPECT_TRUE(failure);
}

TEST(CommonWordsFile, ChecksBeforeReading) {
    ScratchFolder scratch;
    const std::string text = scratch.Write("text", "word\n");
    const std::pair<std::string, CommonWordsFileCheck> cases[] = {
        {text, {0, kTextLfOnly}},
        {scratch.Write("binary", std::string("word\0word", 9)), {0, kNotText}},
        {scratch.Write("mac", "one\rtwo\r"), {0, kTextCrOnly}},
        {"/nonexistent/vesk/cwds.txt", {ENOENT, 0}},
        {text + "/cwds.txt", {ENOTDIR, 0}},  // not called missing
    };
    for (const auto& [path, expected] : cases) {
        const CommonWordsFileCheck check = CheckCommonWordsFile(path);
        EXPECT_EQ(std::pair(check.problem, check.kind), std::pair(expected.problem, expected.kind)) << path;
    }
}

}  // namespace
}  // namespace vesk::test
