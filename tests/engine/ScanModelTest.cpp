// SPDX-License-Identifier: GPL-3.0-or-later
// The word rules written plainly, and the fast scanner checked against them on random texts; a failure names
// the seed that makes its text again. Then how the scanner talks to its driver, and common-words files.

#include <gtest/gtest.h>
#include <unicode/brkiter.h>
#include <unicode/locid.h>
#include <unicode/normalizer2.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>
#include <unicode/uscript.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "engine/CharClasses.h"
#include "engine/CommonWordsFile.h"
#include "engine/Encoding.h"
#include "engine/FileChecks.h"
#include "engine/LineScanner.h"
#include "engine/Normalisation.h"
#include "engine/ScanHarness.h"
#include "engine/ScanOptions.h"
#include "engine/SourceScan.h"
#include "engine/WordTable.h"
#include "support/ScratchFolder.h"

namespace vesk::test {
namespace {

using U32 = std::u32string;

// The character rules a model splits lines by: those of today, on Unicode characters, or those of the program
// before its text was Unicode, on the codes of Windows-1252 (the reference that every Windows-1252 text must
// still meet, a few letters apart).
struct Rules {
    bool unicode = true;

    bool Letter(char32_t c) const {
        if (c < 0x80) return (c | 0x20) >= 'a' && (c | 0x20) <= 'z';
        if (c < 0x100) return c >= 192 && c != 215 && c != 247;
        return (U_GET_GC_MASK(static_cast<UChar32>(c)) & (U_GC_L_MASK | U_GC_M_MASK)) != 0;
    }
    bool Digit(char32_t c) const {
        return (c >= '0' && c <= '9') || (c >= 0x100 && u_charType(static_cast<UChar32>(c)) == U_DECIMAL_DIGIT_NUMBER);
    }
    bool WrittenWithoutSpaces(char32_t c) const {
        UErrorCode status = U_ZERO_ERROR;
        const UScriptCode script = uscript_getScript(static_cast<UChar32>(c), &status);
        return c >= 0x100 && (U_GET_GC_MASK(static_cast<UChar32>(c)) & U_GC_L_MASK) != 0 &&
               (script == USCRIPT_HAN || script == USCRIPT_HIRAGANA || script == USCRIPT_KATAKANA ||
                script == USCRIPT_THAI || script == USCRIPT_LAO || script == USCRIPT_KHMER ||
                script == USCRIPT_MYANMAR);
    }
    char32_t Lower(char32_t c) const {
        if (unicode) return static_cast<char32_t>(u_tolower(static_cast<UChar32>(c)));
        return (c >= 'A' && c <= 'Z') || (c >= 192 && c <= 222 && c != 215) ? c + 32 : c;
    }
    U32 Decode(const std::string& text) const {
        if (!unicode) return Codes(text);
        const icu::UnicodeString u = icu::UnicodeString::fromUTF8(text);
        U32 out(static_cast<std::size_t>(u.countChar32()), U'\0');
        UErrorCode status = U_ZERO_ERROR;
        u.toUTF32(reinterpret_cast<UChar32*>(out.data()), static_cast<std::int32_t>(out.size()), status);
        return out;
    }
    static U32 Codes(const std::string& text) {
        U32 out;
        for (char c : text) out += static_cast<unsigned char>(c);
        return out;
    }
    std::string Encode(const U32& text) const {
        std::string out;
        for (char32_t c : text) AppendUtf8(out, unicode ? c : Cp1252ToUnicode(static_cast<unsigned char>(c)));
        return out;
    }
    // Full lower case: Unicode's with its contexts, or the old rule character by character.
    U32 LowerText(const std::string& text) const {
        if (!unicode) {
            U32 out = Decode(text);
            for (char32_t& c : out) c = Lower(c);
            return out;
        }
        std::string lowered;
        icu::UnicodeString::fromUTF8(text).toLower(icu::Locale::getRoot()).toUTF8String(lowered);
        return Decode(lowered);
    }
    // NFC, then the lower case when asked, then the blanks.
    U32 Prepare(const std::string& text, bool lowerCase) const {
        std::string nfc = text;
        if (unicode) {
            UErrorCode status = U_ZERO_ERROR;
            nfc.clear();
            icu::Normalizer2::getNFCInstance(status)
                ->normalize(icu::UnicodeString::fromUTF8(text), status)
                .toUTF8String(nfc);
        }
        U32 line = lowerCase ? LowerText(nfc) : Decode(nfc);
        for (char32_t& c : line) {
            if (c == '\t' || c == '\n' || c == '\r' || c == 0xA0) c = ' ';
            if (unicode && c == 0x2019) c = '\'';
        }
        return line;
    }
};

// The letters from code 192 up, by their names; "-" stands for the two codes that are not letters.
const std::vector<std::string> kEntityNames = {
    "Agrave", "Aacute", "Acirc",  "Atilde", "Auml",   "Aring",  "AElig",  "Ccedil", "Egrave", "Eacute", "Ecirc",
    "Euml",   "Igrave", "Iacute", "Icirc",  "Iuml",   "ETH",    "Ntilde", "Ograve", "Oacute", "Ocirc",  "Otilde",
    "Ouml",   "-",      "Oslash", "Ugrave", "Uacute", "Ucirc",  "Uuml",   "Yacute", "THORN",  "szlig",  "agrave",
    "aacute", "acirc",  "atilde", "auml",   "aring",  "aelig",  "ccedil", "egrave", "eacute", "ecirc",  "euml",
    "igrave", "iacute", "icirc",  "iuml",   "eth",    "ntilde", "ograve", "oacute", "ocirc",  "otilde", "ouml",
    "-",      "oslash", "ugrave", "uacute", "ucirc",  "uuml",   "yacute", "thorn",  "yuml"};

// The words of lines in the order a scanner finds them, each normalised by the word rules of the engine.
class ScanModel {
  public:
    ScanModel(Rules rules, const ScanOptions& options) : r(rules), o(options) {}
    std::vector<std::string> words;

    void Line(const std::string& text) {
        const U32 prepared = r.Prepare(text, o.lowerCase);
        U32 line;
        for (std::size_t i = 0; i < prepared.size(); ++i) {
            const bool pair = prepared[i] == '-' && i + 1 < prepared.size() && prepared[i + 1] == '-';
            line += pair ? U' ' : prepared[i];
            i += pair ? 1 : 0;
        }
        ReplaceEntities(line);
        const bool comments =
            (o.userMarkersAllowed && (!Start(0).empty() || !Start(1).empty())) || o.markers.fromFileType;
        std::size_t pos = 0;
        while (pos + 1 < line.size()) {
            if (comments && !CommentStep(line, pos)) return;
            const char32_t c = line[pos];
            if (!r.Letter(c) && !(c == '_' && o.underscoresStartWords)) {
                ++pos;
                continue;
            }
            std::size_t n = 0;
            while (pos + n < line.size() && n < 65000 && Inner(line[pos + n])) ++n;
            Run(line.substr(pos, n));
            pos += n == 0 ? 1 : n;  // an underscore that may start but not continue a word is stepped over
        }
    }

    bool Inner(char32_t c) const {
        const AllowedCharacters& a = o.allowed;
        return r.Letter(c) || (a.numerals && r.Digit(c)) || (a.hyphens && c == '-') || (a.apostrophes && c == '\'') ||
               (a.underscores && c == '_') || (a.colons && c == ':') || (a.backslashes && c == '\\') ||
               (a.forwardslashes && c == '/') || (a.periods && c == '.') || (a.atsigns && c == '@');
    }

  private:
    const Rules r;
    const ScanOptions o;
    int open = -1;  // the pair whose comment is open
    U32 Start(int k) const { return r.Decode(o.markers.starts[static_cast<std::size_t>(k)]); }

    // A run holding a letter of a script written without spaces gives the segments that ICU calls words.
    void Run(const U32& run) {
        if (std::none_of(run.begin(), run.end(), [&](char32_t c) { return r.WrittenWithoutSpaces(c); }))
            return Word(r.Encode(run));
        static const std::unique_ptr<icu::BreakIterator> breaker = [] {
            UErrorCode status = U_ZERO_ERROR;
            return std::unique_ptr<icu::BreakIterator>(
                icu::BreakIterator::createWordInstance(icu::Locale::getRoot(), status));
        }();
        const icu::UnicodeString text = icu::UnicodeString::fromUTF8(r.Encode(run));
        breaker->setText(text);
        for (std::int32_t start = breaker->first(), end = breaker->next(); end != icu::BreakIterator::DONE;
             start = end, end = breaker->next()) {
            std::string segment;
            if (breaker->getRuleStatus() != UBRK_WORD_NONE)
                Word(text.tempSubStringBetween(start, end).toUTF8String(segment));
        }
    }
    void Word(const std::string& run) {
        const std::string word = NormaliseWord(run, o.dropFinalS, o.apostrophesAllowed);
        if (!word.empty()) words.push_back(word);
    }
    static void ReplaceEntities(U32& line) {
        std::size_t from = 0;
        for (;;) {
            const std::size_t p = line.find('&', from);
            const std::size_t q = p == U32::npos ? p : line.find(';', p);
            if (q == U32::npos) return;
            const U32 name = line.substr(p + 1, q - p - 1);
            from = q + 1;
            for (std::size_t i = 0; i < kEntityNames.size(); ++i)
                if (name == Rules::Codes(kEntityNames[i]) && kEntityNames[i] != "-") {
                    line.replace(p, q - p + 1, 1, static_cast<char32_t>(192 + i));
                    from = p + 1;
                }
        }
    }
    std::size_t EntityLength(const U32& text) const {
        const std::size_t semicolon = text.find(';');
        if (text.size() < 4 || text[0] != '&' || semicolon == U32::npos || semicolon >= 20) return 0;
        if (text.substr(0, semicolon).find(' ') != U32::npos) return 0;
        return r.Letter(text[1]) || text[1] == '#' ? semicolon + 1 : 0;
    }
    int MarkerAt(const U32& line, std::size_t pos) const {
        for (int k = 0; k < 2; ++k) {
            const U32 start = Start(k);
            if (start.empty() || pos + start.size() > line.size()) continue;
            bool same = true;
            for (std::size_t i = 0; i < start.size(); ++i) same = same && r.Lower(line[pos + i]) == r.Lower(start[i]);
            if (!same) continue;
            if (k == 1 && o.markers.fromFileType && Start(1) == U"&") return EntityLength(line.substr(pos)) ? 1 : -1;
            return k;
        }
        return -1;
    }
    bool CommentStep(const U32& line, std::size_t& pos) {
        if (open == -1) open = MarkerAt(line, pos);
        while (open != -1) {
            const U32 end = r.LowerText(o.markers.ends[static_cast<std::size_t>(open)]);
            const std::size_t found = end.empty() ? U32::npos : line.find(end, pos);
            pos = found == U32::npos ? line.size() : found + end.size();
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
// Pieces of text, "|" between them: Windows-1252, then the pieces only Unicode has.
std::vector<std::string> Pieces(const std::string& all) {
    std::vector<std::string> pieces;
    std::istringstream stream(all);
    for (std::string piece; std::getline(stream, piece, '|');) pieces.push_back(piece);
    return pieces;
}
const std::vector<std::string> kCp1252Pieces = Pieces(
    "a|e|s|t|n|x|S|T|E|cats|maths|Maths|mathematics|couldn|isn|en|ss|don|\xE9|\xC9|\xE4|\xDF|\xFC|\xD6|\xDE|"
    "\xF0|\xFF|\xD7|\xA9|\xA0|\xAA|\xB5|1|3|'|'|-|-|--|_|_|:|:|\\|/|.|.|@|&|;|<|>|*|#| | | |\t|&eacute;|&Auml;|"
    "&szlig;|&amp;|&#39;|&eacute|&EACUTE;|&Yuml;|&times;|&divide;|/*|*/|//|<b>|rem|REM|\xAB|\xBB|&qqqqqqqqqqqqqqqqqq;|"
    "&qqqqqqqqqqqqqqqqqqq;");
std::vector<std::string> UnicodePieces() {
    std::vector<std::string> pieces;
    for (const std::string& piece : kCp1252Pieces) pieces.push_back(Cp1252ToUtf8(piece));
    for (const std::string& piece :
         Pieces("\xC5\xA0koda|\xC5\x93|\xC5\xB8|\xC6\x92|\xCB\x86|don\xE2\x80\x99t|\xE2\x80\x99|e\xCC\x81|\xCC\x81|"
                "\xCE\x9F\xCE\x94\xCE\x9F\xCE\xA3|\xCE\xA3|\xCF\x82|\xC4\xB0|\xC5\x81\xC3\x93\x44\xC5\xB9|\xD0\xB6|"
                "\xD0\x96|\xD9\xA3|\xE2\x80\x94|\xEF\xBF\xBD|\xE4\xB8\xAD\xE6\x96\x87|\xE5\x88\x86\xE8\xAF\x8D|"
                "\xE0\xB8\xA0\xE0\xB8\xB2\xE0\xB8\xA9\xE0\xB8\xB2|\xE0\xB9\x84\xE0\xB8\x97\xE0\xB8\xA2|"
                "\xE3\x81\x8B\xE3\x81\x8D|\xE3\x83\xBC|\xE2\x84\xAA|\xF0\x9D\x90\x80|\xF0\x9F\x98\x80|"
                "\xE2\x80\x8B|\xD7\x90|\xC7\x85|\xCE\xA3\xCE\xA7"))
        pieces.push_back(piece);
    return pieces;
}
const std::vector<std::string> kUnicodePieces = UnicodePieces();

struct Case {
    ScanOptions options;
    std::vector<std::string> lines;
};
// A random case of options and lines, in Windows-1252 or in UTF-8.
Case RandomCase(std::mt19937& rng, bool unicode) {
    auto pick = [&](std::size_t n) { return static_cast<std::size_t>(rng() % n); };
    auto coin = [&](unsigned percent) { return rng() % 100 < percent; };
    // Any character at all; in Windows-1252 none of the codes that are letters only in Unicode, nor its
    // apostrophe.
    auto anyCharacter = [&] {
        if (!unicode) {
            const std::string excepted = "\x8A\x8C\x8E\x9A\x9C\x9E\x9F\x83\x88\x92";
            for (;;)
                if (const char c = static_cast<char>(1 + pick(255)); excepted.find(c) == std::string::npos)
                    return std::string(1, c);
        }
        std::string out;
        char32_t c = static_cast<char32_t>(coin(50) ? 1 + pick(0x7FF) : coin(90) ? pick(0x10000) : pick(0x110000));
        AppendUtf8(out, c >= 0xD800 && c < 0xE000 ? U'x' : c);
        return out;
    };
    const std::vector<std::string>& pieces = unicode ? kUnicodePieces : kCp1252Pieces;
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
        {"/*", "*/", "//", ""},     {"#", "", "", ""},
        {"<!--", "-->", "rem", ""}, {"{", "}", "(*", "*)"},
        {"REM", "End", "", ""},     {"", "", ";", ""},
        {"-", ";", "", ""},         {"\xAB", "\xBB", unicode ? "\xCE\xA3\xCE\xA7" : "\xC9T", ""}};
    const std::size_t choice = pick(userPairs.size() + 3);
    if (choice < userPairs.size()) {
        const auto& p = userPairs[choice];
        c.options.markers.starts = {p[0], p[2]};
        c.options.markers.ends = {p[1], p[3]};
        if (unicode)
            for (std::string* marker : {&c.options.markers.starts[0], &c.options.markers.ends[0]})
                *marker = Cp1252ToUtf8(*marker);
    } else if (choice < userPairs.size() + 2) {
        c.options.markers = choice == userPairs.size() ? MarkupMarkers() : CodeMarkers();
        c.options.markers.fromFileType = true;
    }
    for (std::size_t i = 0, lines = 1 + pick(5); i < lines; ++i) {
        std::string line;
        for (std::size_t k = 0, count = pick(24); k < count; ++k) {
            const std::string& name = kEntityNames[pick(kEntityNames.size())];
            const std::size_t stem = pick(kStems.size());
            if (coin(4))
                line += anyCharacter();
            else if (coin(5))
                line += kStems.substr(stem, kStems.find(' ', stem) - stem);  // the end of a contraction stem
            else
                line += coin(90) || name == "-" ? pieces[pick(pieces.size())] : "&" + name + ";";
        }
        // About the 80-character limit and the longest run taken as one.
        const std::string letter = unicode && coin(50) ? "\xD0\xB6" : "w";
        for (std::size_t n = coin(3) ? 77 + pick(8) : coin(1) ? 64990 + pick(20) : 0; n > 0; --n) line += letter;
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

Table Rows(const WordTable& table) {
    Table out;
    for (std::int64_t i = 1; i <= table.DistinctWordCount(); ++i)
        out.emplace_back(std::string(table.Key(i)), std::string(table.Word(i)), table.Frequency(i));
    return out;
}

// The table of the words a model found, and its reports of new words as a scanner makes them.
Table Counted(const ScanModel& model, std::vector<std::string>& reports) {
    WordTable table;
    for (const std::string& word : model.words) {
        const std::int64_t known = table.DistinctWordCount();
        if (table.Add(word) > known) reports.push_back(std::to_string(table.DistinctWordCount()) + word);
    }
    table.Finish();
    return Rows(table);
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
    return Rows(s.table);
}

// The model of `rules` against both scans of the scanner, on `scanned` (the case as the scanner reads it).
void ExpectScannerAgrees(Rules rules, const Case& c, const Case& scanned, ScanHarness& quiet, ScanHarness& each,
                         unsigned seed) {
    ScanModel model(rules, c.options);
    Feed(c.lines, [&](const std::string& line) { model.Line(line); });
    std::vector<std::string> reports;
    const Table expected = Counted(model, reports);
    ASSERT_EQ(ScannerTable(scanned, quiet), expected) << "quiet scan, seed " << seed;
    ASSERT_EQ(ScannerTable(scanned, each), expected) << "word-by-word scan, seed " << seed;
    ASSERT_EQ(quiet.observer.reports, reports) << "seed " << seed;
    ASSERT_EQ(each.observer.reports, reports) << "seed " << seed;
}

TEST(ScanModel, ScannerAgreesWithTheRulesOnRandomTexts) {
    ScanHarness quiet, each;
    quiet.observer.quiet = true;
    for (unsigned seed = 1; seed <= 6000; ++seed) {
        std::mt19937 rng(seed);
        const Case c = RandomCase(rng, true);
        ExpectScannerAgrees(Rules{}, c, c, quiet, each, seed);
        if (HasFatalFailure()) return;

        // The run of word characters that the checks of the user's markers measure.
        const Rules rules;
        const ScanModel model(rules, c.options);
        const U32 line = rules.Decode(c.lines[0]);
        const std::size_t from = rng() % (line.size() + 1);
        std::int32_t n = 0;
        while (from + n < line.size() && n < 65000 && model.Inner(line[from + n])) ++n;
        ASSERT_EQ(CountWordChars(c.lines[0], static_cast<std::int32_t>(from) + 1, c.options.allowed.numerals,
                                 AllowedInnerChars(c.options.allowed)),
                  n)
            << "seed " << seed << ", from " << from;
    }
}

// The rule of sameness: a Windows-1252 text, read as Unicode, gives the words that the old character classes
// give it, whatever the options.
TEST(ScanModel, Cp1252TextsSplitAsBeforeUnicode) {
    ScanHarness quiet, each;
    quiet.observer.quiet = true;
    for (unsigned seed = 1; seed <= 4000; ++seed) {
        std::mt19937 rng(seed);
        const Case c = RandomCase(rng, false);
        Case utf8 = c;
        for (std::string& line : utf8.lines) line = Cp1252ToUtf8(line);
        for (std::string* marker : {&utf8.options.markers.starts[0], &utf8.options.markers.starts[1],
                                    &utf8.options.markers.ends[0], &utf8.options.markers.ends[1]})
            *marker = Cp1252ToUtf8(*marker);
        ExpectScannerAgrees(Rules{.unicode = false}, c, utf8, quiet, each, seed);
        if (HasFatalFailure()) return;
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

// The examples of other scripts as a reader of each would split them, with the letter case not significant;
// separators, digits and case mappings beyond these are the random texts' above.
TEST(LineScanner, WordsOfEveryScript) {
    const AllowedCharacters apostrophes{.apostrophes = true};
    const struct {
        std::string text;
        AllowedCharacters allowed;
        Counts words;  // in the order of their bytes
    } cases[] = {
        {"Zażółć gęślą jaźń. Łódź łódź ŁÓDŹ", {}, {{"gęślą", 1}, {"jaźń", 1}, {"zażółć", 1}, {"łódź", 3}}},
        {"ΟΔΟΣ οδος", {}, {{"οδος", 2}}},
        {"Съешь же ещё", {}, {{"ещё", 1}, {"же", 1}, {"съешь", 1}}},
        // Lines long enough for the blocks of 16 bytes, with capitals and a mark that NFC joins.
        {"Широкая ЛЕСТНИЦА и широкая лестница, ЛЕСТНИЦА", {}, {{"и", 1}, {"лестница", 3}, {"широкая", 2}}},
        {"жилищный дом cafe\u0301 caf\u00E9", {}, {{"caf\u00E9", 2}, {"дом", 1}, {"жилищный", 1}}},
        {"Škoda škoda", {}, {{"škoda", 2}}},  // a letter now, not a separator
        {"don’t", apostrophes, {{"don't", 1}}},
        {"cafe\u0301 caf\u00E9", {}, {{"caf\u00E9", 2}}},  // NFC
        {"中文分词", {}, {{"中文", 1}, {"分词", 1}}},
        {"我们喜欢学习中文", {}, {{"中文", 1}, {"喜欢", 1}, {"学习", 1}, {"我们", 1}}},
        {"ภาษาไทยง่าย", {}, {{"ง่าย", 1}, {"ภาษา", 1}, {"ไทย", 1}}},
    };
    for (const auto& c : cases) {
        ScanHarness h;
        h.options.lowerCase = true;
        h.options.allowed = c.allowed;
        h.options.apostrophesAllowed = c.allowed.apostrophes;
        Counts words = h.Scan({c.text});
        std::sort(words.begin(), words.end());
        EXPECT_EQ(words, c.words) << c.text;
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

// A marker holding an ill-formed byte is taken as U+FFFD, so that it never ends a comment inside a character.
TEST(LineScanner, MarkersWithIllFormedBytesNeverCutACharacter) {
    ScanHarness h;
    h.options.userMarkersAllowed = true;
    h.options.markers.starts[0] = "[";
    h.options.markers.ends[0] = "\xC3";
    EXPECT_EQ(h.Scan({"[x] strã"}), (Counts{}));
    EXPECT_EQ(h.Scan({"[x\xEF\xBF\xBD strã"}), (Counts{{"strã", 1}}));
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

// Enough distinct runs to have the quiet scan's cache of runs grow, fill and be left aside, some with capitals
// or a final s, some Cyrillic and up to 58 bytes long; then many of them again on one line. The reference is the
// scan character by character (comment markers that never occur), which counts every run afresh.
TEST(LineScanner, QuietScanCountsAsTheScanWithoutCacheOfRuns) {
    std::vector<std::string> lines(1);
    for (int i = 0; i < 150000; ++i) {
        std::string word;
        for (int n = i * 7919 % 1000003; n > 0 || word.size() < 4; n /= 26) word += static_cast<char>('a' + n % 26);
        if (i % 3 == 1) {
            // а..щ for a..z behind up to 23 я: long words that differ only in their last bytes.
            std::string cyrillic;
            for (int k = 0; k < i % 24; ++k) cyrillic += "\u044F";
            for (const char c : word) AppendUtf8(cyrillic, U'\u0430' + (c - 'a'));
            word = cyrillic;
        }
        if (i % 11 == 0 && i % 3 != 1) word[0] = static_cast<char>(word[0] - 'a' + 'A');
        if (i % 11 < 3 && word[0] == '\xD0') word[1] = static_cast<char>(word[1] - 0x20);  // а..п to А..П
        lines.back() += word + (i % 13 == 0 ? "s " : " ") + (i % 17 == 0 ? "cats " : "");
        if (i % 9 == 8) lines.emplace_back();
    }
    std::string joined;
    for (std::size_t k = lines.size() - 500; k < lines.size(); ++k) joined += lines[k];
    lines.push_back(joined);
    ScanHarness quiet, each, uncached;
    quiet.scanner.SetObserver(nullptr);
    quiet.options.dropFinalS = each.options.dropFinalS = uncached.options.dropFinalS = true;
    uncached.options.userMarkersAllowed = true;
    uncached.options.markers.starts[0] = "{{{";
    uncached.options.markers.ends[0] = "}}}";
    const Counts expected = uncached.Scan(lines);
    EXPECT_GT(expected.size(), 140000u);
    EXPECT_EQ(quiet.Scan(lines), expected);
    EXPECT_EQ(each.Scan(lines), expected);
}

// The cache of runs keeps a run's occurrences until the table is finished: more than its slot can hold, and
// those of two scanners that count into one table by turns, all reach the table.
TEST(LineScanner, EveryOccurrenceKeptByTheCacheOfRunsReachesTheTable) {
    ScanHarness h;
    h.observer.quiet = true;
    h.scanner.SetOptions(h.options);
    std::string block;
    for (int i = 0; i < 30000; ++i) block += "a ";
    const std::int64_t times = (std::int64_t{1} << 24) / 30000 + 2;
    for (std::int64_t k = 0; k < times; ++k) {
        std::string line = block;
        h.scanner.ScanLine(line);
    }
    EXPECT_EQ(h.Scan(), (Counts{{"a", times * 30000}}));

    LineScanner other(h.table);
    h.table.Reset();
    for (LineScanner* scanner : {&h.scanner, &other, &h.scanner, &other}) {
        std::string line = "b a b ";
        scanner->ScanLine(line);
    }
    EXPECT_EQ(h.Scan(), (Counts{{"a", 4}, {"b", 8}}));
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
        {"news cats glass e-mail\n", dropS, {"cat", "e-mail", "glass", "new"}},  // split as a count splits
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
