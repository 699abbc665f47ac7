// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CountOptions.h"

#include <algorithm>
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "cli/CountExport.h"
#include "engine/Encoding.h"

namespace vesk::cli {

namespace {

bool ParseInt(std::string_view text, int& value) {
    if (text.empty()) return false;
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc() && ptr == end;
}

// A word that starts another option rather than being a value (a lone "-" is standard input).
bool LooksLikeOption(std::string_view arg) { return arg.size() > 1 && arg[0] == '-'; }

// What is wrong with the options of a corpus, of partial counts and of merging them, "" when nothing is.
std::string CheckCorpusOptions(const CountOptions& o) {
    const bool standardInput = o.ReadsStandardInput();
    if (!standardInput && !o.merge && std::find(o.inputs.begin(), o.inputs.end(), "-") != o.inputs.end())
        return "standard input ('-') cannot be counted with other files";
    if (o.writeParamsFile && o.inputs.size() > 1) return "a parameter file keeps one input file, not a corpus";
    if (o.emitFile && (o.outputFile || o.exportFile))
        return "--emit writes partial counts instead of a listing: it takes no -o or --export";
    if (o.merge) {
        const std::pair<bool, const char*> shaping[] = {
            {o.caseSignificant, "--case-significant"},
            {o.keepFinalS, "--keep-final-s"},
            {o.allow.has_value(), "--allow"},
            {o.comments.has_value(), "--comments"},
            {o.encoding.has_value(), "--encoding"},
            {o.inputName.has_value(), "--input-name"},
            {o.corpusIndex.has_value(), "--corpus-index"},
            {!o.include.empty() || !o.exclude.empty(), "--include and --exclude"}};
        for (const auto& [given, name] : shaping)
            if (given)
                return std::string("--merge takes the words of its parts as they were counted: ") + name +
                       " belongs to the counts that made them";
    }
    if (o.inputName && !standardInput) return "--input-name names standard input, which is not read here";
    if (o.writeParamsFile && (o.emitFile || o.merge)) return "--write-params counts nothing: no --emit or --merge";
    return {};
}

class Parser {
  public:
    explicit Parser(const std::vector<std::string>& args) : m_args(args) {}

    ParseResult Run() {
        ParseResult result;
        CountOptions& o = result.options;
        bool optionsEnded = false;
        while (m_pos < m_args.size() && m_error.empty()) {
            std::string arg = m_args[m_pos++];
            if (optionsEnded || !LooksLikeOption(arg)) {
                if (o.inputs.empty()) o.inputFile = arg;
                o.inputs.push_back(arg);
            } else if (arg == "--") {
                optionsEnded = true;
            } else {
                // "--name=value" carries its value inline.
                m_inline.reset();
                if (const std::size_t eq = arg.find('='); arg.starts_with("--") && eq != std::string::npos) {
                    m_inline = arg.substr(eq + 1);
                    arg.resize(eq);
                }
                m_name = arg;
                if (!TakeOption(o)) Fail("unknown option '" + arg + "'");
            }
        }
        if (o.comments2 && !o.comments) Fail("option '--comments2' needs '--comments' for the first pair");
        Fail(CheckExportOptions(o));
        Fail(CheckCorpusOptions(o));
        result.error = m_error;
        return result;
    }

  private:
    bool Is(const char* name, const char* other = nullptr) const {
        return m_name == name || (other != nullptr && m_name == other);
    }

    // The option m_name with its value; false when there is no such option.
    bool TakeOption(CountOptions& o) {
        struct Flag {
            const char* name;
            const char* other;
            bool CountOptions::*field;
        };
        static constexpr Flag kFlags[] = {
            {"-h", "--help", &CountOptions::help},
            {"--version", nullptr, &CountOptions::version},
            {"--commas", nullptr, &CountOptions::commas},
            {"--case-significant", nullptr, &CountOptions::caseSignificant},
            {"--keep-final-s", nullptr, &CountOptions::keepFinalS},
            {"--keep-repetitions", nullptr, &CountOptions::keepRepetitions},
            {"--keep-roman", nullptr, &CountOptions::keepRoman},
            {"--keep-no-vowel", nullptr, &CountOptions::keepNoVowel},
            {"--stats", nullptr, &CountOptions::stats},
            {"--merge", nullptr, &CountOptions::merge},
        };
        for (const Flag& flag : kFlags)
            if (Is(flag.name, flag.other)) {
                if (NoValue()) o.*flag.field = true;
                return true;
            }
        return TakeFileOption(o) || TakeListingOption(o) || TakeWordOption(o);
    }

    bool TakeFileOption(CountOptions& o) {
        if (Is("-o", "--output")) {
            TakePath(o.outputFile);
        } else if (Is("-p", "--params")) {
            TakePath(o.paramsFile);
        } else if (Is("--write-params")) {
            TakePath(o.writeParamsFile);
        } else if (Is("--common-words")) {
            TakePath(o.commonWordsFile);
        } else if (Is("--export")) {
            TakePath(o.exportFile);
        } else if (Is("--export-format")) {
            TakePath(o.exportFormat);
        } else if (Is("--emit")) {
            TakePath(o.emitFile);
        } else if (Is("--input-name")) {
            TakePath(o.inputName);
        } else if (Is("--include") || Is("--exclude")) {
            std::optional<std::string> glob;
            TakePath(glob);
            if (glob) (Is("--include") ? o.include : o.exclude).push_back(*glob);
        } else if (Is("--corpus-index")) {
            std::string v;
            std::int64_t n = 0;
            if (!Value(v)) return true;
            const auto [ptr, ec] = std::from_chars(v.data(), v.data() + v.size(), n);
            if (ec != std::errc() || ptr != v.data() + v.size() || n < 0 || v.empty())
                Fail("--corpus-index must be a number from 0 (not '" + v + "')");
            else
                o.corpusIndex = n;
        } else if (Is("--jobs")) {
            std::string v;
            int n = 0;
            if (!Value(v)) return true;
            const auto [ptr, ec] = std::from_chars(v.data(), v.data() + v.size(), n);
            if (ec != std::errc() || ptr != v.data() + v.size() || n < 1 || v.empty())
                Fail("--jobs must be a number from 1 (not '" + v + "')");
            else
                o.jobs = n;
        } else if (Is("--encoding")) {
            std::string v;
            if (!Value(v)) return true;
            if (IsKnownEncoding(v) && !v.empty())
                o.encoding = v;
            else
                Fail("--encoding: unknown encoding '" + v +
                     "' (try windows-1250, iso-8859-2, windows-1251, koi8-r, utf-16le)");
        } else {
            return false;
        }
        return true;
    }

    bool TakeListingOption(CountOptions& o) {
        std::string v;
        if (Is("--order")) {
            if (!Value(v)) return true;
            if (v == "frequency" || v == "by frequency")
                o.order = 0;
            else if (v == "alphabetical")
                o.order = 1;
            else
                Fail("--order must be 'frequency' or 'alphabetical' (not '" + v + "')");
        } else if (Is("--format")) {
            if (!Value(v)) return true;
            int n = 0;
            const bool digits = !v.empty() && v.find_first_not_of("0123456789") == std::string::npos;
            if (digits && (!ParseInt(v, n) || n > 9))
                Fail("--format must be a number from 0 to 9 or a format's name (not '" + v + "')");
            else
                o.format = v;
        } else {
            return false;
        }
        return true;
    }

    bool TakeWordOption(CountOptions& o) {
        std::string v;
        if (Is("--allow")) {
            if (Value(v)) ParseAllow(v, o);
        } else if (Is("--comments")) {
            TakePair(o.comments);
        } else if (Is("--comments2")) {
            TakePair(o.comments2);
        } else if (Is("--min-length")) {
            TakeRange(o.minLength, 2, 9, 1);
        } else if (Is("--min-frequency")) {
            TakeRange(o.minFrequency, 2, 9, 1);
        } else if (Is("--max-length")) {
            TakeRange(o.maxLength, 20, 80, 10);
        } else if (Is("--ignore")) {
            if (Value(v)) o.ignore = v;
        } else {
            return false;
        }
        return true;
    }

    void Fail(std::string message) {
        if (m_error.empty() && !message.empty()) m_error = std::move(message);
    }

    bool NoValue() {
        if (!m_inline) return true;
        Fail("option '" + m_name + "' takes no value");
        return false;
    }

    bool Value(std::string& value) {
        if (m_inline) {
            value = *m_inline;
            return Utf8Value(value);
        }
        if (m_pos >= m_args.size()) {
            Fail("option '" + m_name + "' needs a value");
            return false;
        }
        value = m_args[m_pos++];
        return Utf8Value(value);
    }

    // Texts inside the program are UTF-8: a value that is not cannot be taken.
    bool Utf8Value(const std::string& value) {
        if (IsValidUtf8(value)) return true;
        Fail("option '" + m_name + "' has a value that is not valid UTF-8");
        return false;
    }

    void TakePath(std::optional<std::string>& target) {
        std::string v;
        if (!Value(v)) return;
        if (v.empty())
            Fail("option '" + m_name + "' needs a file name");
        else
            target = v;
    }

    void TakeRange(std::optional<int>& target, int low, int high, int step) {
        std::string v;
        if (!Value(v)) return;
        int n = 0;
        if (!ParseInt(v, n) || n < low || n > high || (n - low) % step != 0) {
            if (step == 1)
                Fail(m_name + " must be a number from " + std::to_string(low) + " to " + std::to_string(high) +
                     " (not '" + v + "')");
            else
                Fail(m_name + " must be one of 20, 30, 40, 50, 60, 70, 80 (not '" + v + "')");
            return;
        }
        target = n;
    }

    void ParseAllow(const std::string& list, CountOptions& o) {
        std::array<bool, 9> set{};
        if (list != "none") {
            std::size_t start = 0;
            while (start <= list.size()) {
                std::size_t comma = list.find(',', start);
                if (comma == std::string::npos) comma = list.size();
                const std::string item = list.substr(start, comma - start);
                bool known = false;
                for (std::size_t i = 0; i < kAllowNames.size(); ++i)
                    if (item == kAllowNames[i]) {
                        set[i] = true;
                        known = true;
                    }
                if (!known) {
                    Fail("--allow: unknown character class '" + item +
                         "' (use none, or a comma-separated list of hyphens, apostrophes, underscores, colons, "
                         "backslashes, forwardslashes, periods, atsigns, numerals)");
                    return;
                }
                start = comma + 1;
            }
        }
        o.allow = set;
    }

    // START END: always the next two words, which may begin with "-" (the end marker "-->").
    void TakePair(std::optional<std::array<std::string, 2>>& target) {
        if (m_inline) {
            Fail("option '" + m_name + "' takes its markers as separate words");
            return;
        }
        if (m_pos + 2 > m_args.size()) {
            Fail("option '" + m_name + "' needs a start and an end marker");
            return;
        }
        target = {m_args[m_pos], m_args[m_pos + 1]};
        m_pos += 2;
        if (!Utf8Value((*target)[0]) || !Utf8Value((*target)[1])) target.reset();
    }

    const std::vector<std::string>& m_args;
    std::size_t m_pos = 0;
    std::string m_name;
    std::optional<std::string> m_inline;
    std::string m_error;
};

}  // namespace

ParseResult ParseCountOptions(const std::vector<std::string>& args) { return Parser(args).Run(); }

namespace {

// The help in two parts: the command lines and the corpus, then the options.
constexpr const char* kHelpCorpus =
    "Usage: vesk-count [OPTIONS] [FILE|FOLDER...]\n"
    "       vesk-count --merge [OPTIONS] [PART...]\n"
    "Counts the words of FILE (standard input when FILE is absent or \"-\") and lists them with their\n"
    "frequencies and ranks on standard output. An option's values are the words after it, even when\n"
    "they begin with \"-\".\n"
    "\n"
    "A corpus: several files and folders are counted as one text, the files in the order given and a\n"
    "folder's files (every regular file below it; hidden names skipped, links to folders not followed)\n"
    "in byte order of their paths. Each file is read as if counted alone; a word is shown as it first\n"
    "occurs. A file that cannot be read or is not text is named on standard error and left out.\n"
    "  --include GLOB                   take from folders only files whose names match GLOB (repeatable)\n"
    "  --exclude GLOB                   leave out files whose names match GLOB (repeatable)\n"
    "  --jobs N                         count on N threads (default: one per processor); the listing\n"
    "                                   is the same for any N\n"
    "\n"
    "Partial counts (versioned text; see the README):\n"
    "  --emit FILE|-                    write the counts of the files as a partial count, no listing\n"
    "  --corpus-index N                 the index in the corpus of the first file (default 0)\n"
    "  --input-name NAME                standard input's name, for its type and in the partial count\n"
    "  --merge                          merge the PART files (standard input when none) and list the\n"
    "                                   words with the listing options and filters, as one count of the\n"
    "                                   whole corpus would; with --emit, write the merged part instead.\n"
    "                                   The options of \"Forming words\" and --encoding come from the\n"
    "                                   parts, and may not be given\n";
constexpr const char* kHelpOptions =
    "\n"
    "Listing:\n"
    "  --order frequency|alphabetical   word order (default frequency)\n"
    "  --format N|NAME                  display format 0-9 or its name (default 0):\n"
    "        0 \"rank frequency word\"  1 \"rank word frequency\"  2 \"rank frequency\"  3 \"rank word\"\n"
    "        4 \"frequency rank\"  5 \"frequency word\"  6 \"word rank\"  7 \"word frequency\"  8 \"word\"\n"
    "        9 \"word (+ commas)\"\n"
    "  -o FILE                          also write the listing to FILE (CR LF line ends; overwritten,\n"
    "                                   and left empty when no word is listed)\n"
    "  --commas                         comma-delimited layout in the output file\n"
    "  --stats                          the run statistics on standard error\n"
    "  --export FILE                    also write the listed words to FILE as CSV, TSV or JSON, chosen\n"
    "                                   by its extension .csv, .tsv or .json (every listed word in rank\n"
    "                                   order with frequency and percentages; JSON adds the statistics\n"
    "                                   and the settings in effect)\n"
    "  --export -                       write the export to standard output instead of the listing\n"
    "  --export-format csv|tsv|json     the export's format, whatever the file's name\n"
    "\n"
    "Forming words:\n"
    "  --case-significant               upper and lower case are significant\n"
    "  --keep-final-s                   do not drop a final 's'\n"
    "  --allow LIST                     characters allowed inside words, replacing the default set\n"
    "                                   (hyphens): a comma-separated list of hyphens, apostrophes,\n"
    "                                   underscores, colons, backslashes, forwardslashes, periods,\n"
    "                                   atsigns, numerals; or none\n"
    "  --comments START END             skip text between comment markers (an empty END, written '',\n"
    "                                   runs to the end of the line); they replace both pairs\n"
    "  --comments2 START END            a second pair of comment markers, with --comments\n"
    "\n"
    "Filters:\n"
    "  --min-length N                   ignore words with fewer than N characters (2-9)\n"
    "  --min-frequency N                ignore words with fewer than N occurrences (2-9)\n"
    "  --max-length N                   ignore words with more than N characters (20-80 in tens,\n"
    "                                   default 50)\n"
    "  --ignore WORDS                   words to ignore, separated by blanks or commas\n"
    "  --common-words FILE              ignore the words of FILE\n"
    "  --keep-repetitions               keep words made of one repeated letter\n"
    "  --keep-roman                     keep Roman numerals less than 40\n"
    "  --keep-no-vowel                  keep words without a vowel or 'y'\n"
    "\n"
    "Reading:\n"
    "  --encoding NAME                  read FILE and the common-words file in the encoding NAME, any\n"
    "                                   name ICU knows (windows-1250, iso-8859-2, windows-1251,\n"
    "                                   koi8-r, utf-16le ...); by default a file is UTF-8 when it starts\n"
    "                                   with a UTF-8 byte-order mark or its first non-ASCII bytes are\n"
    "                                   UTF-8, UTF-16 after a UTF-16 byte-order mark, else Windows-1252\n"
    "\n"
    "Parameter files:\n"
    "  -p, --params FILE                load a parameter file first; the other options override it\n"
    "  --write-params FILE              write the parameters in effect to FILE and exit\n"
    "\n"
    "  -h, --help                       this help\n"
    "  --version                        product name and version\n"
    "\n"
    "Exit status: 0 success, 1 failure, 2 usage error, 3 a corpus listed without the files that\n"
    "could not be counted (partial).\n";

}  // namespace

std::string HelpText() { return std::string(kHelpCorpus) + kHelpOptions; }

}  // namespace vesk::cli
