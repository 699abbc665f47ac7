// The counting run over arbitrary bytes: the first bytes choose the options, the rest is the text. The text
// is counted word by word (as the program does while its window stays live) and on the quiet path (as
// vesk-count does), then once more into the same table; the counts must agree and the table must be sound.

#include <memory>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "app/CommentMarkers.h"
#include "scan/ByteSource.h"
#include "scan/CharClasses.h"
#include "scan/LineScanner.h"
#include "scan/Normalisation.h"
#include "scan/WordTable.h"

namespace {

using namespace vesk;

struct Options {
    AllowSnapshot allow;
    bool caseSignificant = false;
    int boxes[4] = {};  // check-box values (0, 1, 2) of: drop final s, apostrophes, underscores, comment markers
    int fileType = 0;   // 0 plain text, 1 markup, 2 C source
    std::string markers[4];

    LiveScanOptions Live() const { return {&boxes[0], &boxes[1], &boxes[2], &boxes[3]}; }
};

Options TakeOptions(fuzz::InputReader& in) {
    Options o;
    const unsigned a = in.Byte(), b = in.Byte();
    unsigned c = in.Byte();
    o.allow = {(a & 1) != 0,  (a & 2) != 0,  (a & 4) != 0,   (a & 8) != 0, (a & 16) != 0,
               (a & 32) != 0, (a & 64) != 0, (a & 128) != 0, (b & 1) != 0};
    o.caseSignificant = (b & 2) != 0;
    o.fileType = (b >> 2) % 3;
    for (int& box : o.boxes) box = static_cast<int>(c % 3), c /= 3;
    for (std::string& marker : o.markers) marker = in.Text(3);
    return o;
}

// Lets the scanner pump after every word without ever stopping it.
class WordByWord : public ScanEvents {
  public:
    void PumpEvents() override {}
    bool IsStopRequested() const override { return false; }
};

// Kept from one input to the next, as the program keeps its scanner from one count to the next (and so that
// the scanner's cache of runs is made once).
struct Count {
    Count() : scanner(table, comments, {}) {}
    void Start(const Options& o, ScanEvents* events) {
        table.Reset();
        scanner.SetLiveOptions(o.Live());
        scanner.SetSnapshot(o.allow);
        scanner.SetEvents(events);
        static const std::string kMarkup[4] = {"<", ">", "&", ";"}, kC[4] = {"/*", "*/", "//", ""};
        const std::string* chosen = o.fileType == 1 ? kMarkup : o.fileType == 2 ? kC : o.markers;
        const bool used = o.fileType != 0 || o.boxes[3] == 1;
        for (int k = 0; k < 2; ++k) {
            comments.StartMarkers[k] = used ? chosen[2 * k] : "";
            comments.EndMarkers[k] = used ? chosen[2 * k + 1] : "";
        }
        comments.blnIsCodeFile = o.fileType != 0;
    }

    // One pass over the lines; `lowerInScan`: the scanner lower-cases each line itself, else the caller does.
    void Pass(const std::vector<std::string>& lines, bool caseSignificant, bool lowerInScan) {
        comments.CommentState = -1;
        for (std::string line : lines) {
            if (!caseSignificant && !lowerInScan) LowerCaseInPlace(line);
            scanner.ScanLine(line, !caseSignificant && lowerInScan);
        }
        table.Finish();
    }

    WordTable table;
    CommentMarkers comments;
    LineScanner scanner;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::InputReader in(data, size);
    static Options o;  // the scanners point at its check-box values
    o = TakeOptions(in);
    // The lines as the counting run reads them: trimmed, empty ones skipped, one space appended.
    std::string error;
    const std::unique_ptr<ByteSource> source = ByteSource::OpenFile(fuzz::WriteInputFile(in.Rest(), "input"), error);
    FUZZ_CHECK(source != nullptr);
    std::vector<std::string> lines;
    for (std::string line; source->ReadLine(line);) {
        TrimSpacesInPlace(line);
        if (!line.empty()) lines.push_back(line + ' ');
    }

    static Count quiet, wordByWord;
    static WordByWord events;
    quiet.Start(o, nullptr);
    quiet.Pass(lines, o.caseSignificant, true);
    wordByWord.Start(o, &events);
    wordByWord.Pass(lines, o.caseSignificant, false);

    const std::vector<WordRecord>& records = quiet.table.Records();
    const std::vector<WordRecord>& others = wordByWord.table.Records();
    FUZZ_CHECK(records.size() == others.size());
    const WordCharTable inner(o.allow.numerals, AllowedInnerChars(o.allow));
    std::int64_t sum = 0;
    for (std::size_t i = 1; i < records.size(); ++i) {
        const WordRecord& r = records[i];
        FUZZ_CHECK(r.Word == others[i].Word && r.Frequency == others[i].Frequency);
        FUZZ_CHECK(!r.Word.empty() && r.Word.size() <= kMaxWordLength && r.Frequency > 0);
        FUZZ_CHECK(r.Key == WordKey(r.Word) && !r.Key.empty());
        FUZZ_CHECK(i == 1 || records[i - 1].Key < r.Key);
        for (char ch : r.Word) FUZZ_CHECK(inner[ch] && ch != ' ');
        FUZZ_CHECK(o.caseSignificant || r.Word == LowerCase(r.Word));
        sum += r.Frequency;
    }
    quiet.table.ComputeStatistics();
    FUZZ_CHECK(quiet.table.Statistics().TotalOccurrenceCount == sum);

    // The same text again into the same table: every count doubles, no word is new.
    const std::vector<WordRecord> first = records;
    quiet.Pass(lines, o.caseSignificant, true);
    FUZZ_CHECK(records.size() == first.size());
    for (std::size_t i = 1; i < first.size(); ++i)
        FUZZ_CHECK(records[i].Word == first[i].Word && records[i].Frequency == 2 * first[i].Frequency);
    return 0;
}
