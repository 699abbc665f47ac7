// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CountRun.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <ostream>
#include <sstream>
#include <system_error>

#include "cli/CountExport.h"
#include "cli/CountSettings.h"
#include "cli/CountTool.h"
#include "engine/ByteSource.h"
#include "engine/CharClasses.h"
#include "engine/CommonWords.h"
#include "engine/CommonWordsFile.h"
#include "engine/Corpus.h"
#include "engine/CountRules.h"
#include "engine/Encoding.h"
#include "engine/FileChecks.h"
#include "engine/ParallelCount.h"
#include "engine/SourceScan.h"
#include "engine/WordFilters.h"
#include "engine/WordTable.h"
#include "listing/LineComposer.h"
#include "listing/OutputFile.h"
#include "listing/Ranking.h"
#include "listing/RunError.h"
#include "listing/RunTexts.h"
#include "listing/StatisticsText.h"
#include "listing/TerminalText.h"
#include "settings/AtomicSave.h"

namespace vesk::cli {

namespace {

namespace fs = std::filesystem;

constexpr std::size_t kTextCheckBytes = 16384;
constexpr std::int64_t kProgressBarMinBytes = 10240;
constexpr int kProgressBarWidth = 37;
constexpr int kMinColumnWidth = 6;
constexpr const char* kCrLf = "\r\n";
constexpr const char* kSameFileMessage = "Output file cannot be the same as the input file.";

// Whether `path` names the file open as `fd`, by any of its names.
bool NamesOpenFile(const std::string& path, int fd) {
    struct stat named {};
    struct stat open {};
    return ::stat(path.c_str(), &named) == 0 && ::fstat(fd, &open) == 0 && named.st_dev == open.st_dev &&
           named.st_ino == open.st_ino;
}

bool SamePath(const std::string& a, const std::string& b) {
    if (a == b) return true;
    std::error_code ec;
    return fs::equivalent(fs::path(a), fs::path(b), ec) && !ec;
}

// The listing on standard output as it is composed. Nothing is written once an error was reported: the tool
// then fails without a listing.
class ListingToStandardOutput : public ListingSink {
  public:
    ListingToStandardOutput(std::ostream& out, bool joinWords, const Reporter& reporter)
        : m_sink(out, joinWords), m_reporter(reporter) {}

    void Send(std::int64_t record, const std::string& line) override {
        if (m_reporter.ErrorCount() > 0) return;
        if (!m_used) errno = 0;
        m_used = true;
        m_sink.Send(record, line);
    }
    void Finish() { m_sink.Finish(); }
    bool Used() const { return m_used; }
    int Failure() const { return m_sink.Failure(); }

  private:
    TerminalSink m_sink;
    const Reporter& m_reporter;
    bool m_used = false;
};

class Count;

// The read loop's reports: the progress bar as the bytes come in, and the failure of a line, after which
// the reading goes on.
class ReadReports : public SourceObserver {
  public:
    // `base`: the bytes of a corpus read before this source.
    ReadReports(Count& count, Reporter& reporter, std::int64_t length, std::int64_t base = 0)
        : m_count(count), m_reporter(reporter), m_length(length), m_base(base) {}
    void OnProgress(std::int64_t bytesRead) override;
    bool OnLineFailure(std::exception_ptr failure) override;

  private:
    Count& m_count;
    Reporter& m_reporter;
    std::int64_t m_length;  // 0: no progress bar
    std::int64_t m_base;
    int m_shownCells = -1;
    std::string m_caption;
};

class Count {
  public:
    Count(const CountOptions& options, const ParameterSet& set, Reporter& reporter, std::ostream& out,
          std::ostream& err, int stdinFd, const MergeParts* merge)
        : m_options(options),
          m_set(set),
          m_reporter(reporter),
          m_out(out),
          m_err(err),
          m_stdinFd(stdinFd),
          m_merge(merge) {
        // The parser has checked the name.
        if (options.encoding) EncodingOfName(*options.encoding, m_encoding);
    }
    ~Count() {
        if (m_inputFd >= 0) ::close(m_inputFd);
    }
    Count(const Count&) = delete;
    Count& operator=(const Count&) = delete;

    int Run();
    void ReportRunError(const RunError& failure);

  private:
    int RunOneFile();
    int RunCorpus();
    int RunMerge();
    bool IsCorpus() const;
    bool RefuseOutputsInCorpus(const std::vector<std::string>& arguments, const std::vector<CorpusFile>& corpus);
    // Counts one file of a corpus into the table; returns why it was skipped, "" when it was counted.
    void CountInTurn(const std::vector<CorpusFile>& corpus, const std::vector<std::int64_t>& sizes, std::int64_t total,
                     std::int64_t first);
    void CountInParallel(const std::vector<CorpusFile>& corpus, const std::vector<std::int64_t>& sizes,
                         std::int64_t total, int jobs, std::int64_t first);
    std::string CountCorpusFile(const std::string& path, LineScanner& scanner, std::int64_t base, std::int64_t total);
    void TakeFile(std::int64_t index, const std::string& path, const std::string& problem, std::int64_t start);
    int EmitPart();
    int ListCounted();
    bool CheckMarkers();
    bool ReadCommonWords();
    std::unique_ptr<ByteSource> OpenInput();
    std::unique_ptr<ByteSource> OpenInputFile();
    bool CountSource(ByteSource& source);
    void ListWords(ListingSink& listing);
    bool RunFilePass();
    LineComposer ComposerFor(ListLayout layout) const;
    WordOrder Order() const { return m_set.wordOrder == 1 ? WordOrder::Alphabetical : WordOrder::ByFrequency; }
    int ListNoWords();
    bool EmptyOutputFile();
    int FinishOutput(int failure);
    // Success turns into a partial one when files were skipped.
    int PartialStatus(int status) const { return status == kExitSuccess && m_skipped > 0 ? kExitPartial : status; }

    const CountOptions& m_options;
    const ParameterSet& m_set;
    Reporter& m_reporter;
    std::ostream& m_out;
    std::ostream& m_err;
    int m_stdinFd;
    int m_inputFd = -1;
    InputEncoding m_encoding;  // of the input and the common-words file
    MarkerChoice m_markerChoice = MarkerChoice::None;
    CommonWordSet m_commonWords;
    WordTable m_table;
    std::int64_t m_chainHead = 0;
    StatisticsText m_statistics;
    bool m_resultsWrittenToFile = false;
    const MergeParts* m_merge;
    // The files of a corpus, counted or skipped, and the place of each record of the unfinished table.
    std::vector<PartFile> m_files;
    std::vector<WordPlace> m_places;
    std::int64_t m_skipped = 0;
};

void ReadReports::OnProgress(std::int64_t bytesRead) {
    if (m_length <= 0) return;
    const int cells = ProgressCells(m_base + bytesRead, m_length, kProgressBarWidth);
    if (cells != m_shownCells) {
        m_shownCells = cells;
        m_caption = ProgressBarCaption(cells, kProgressBarWidth);
    }
    m_reporter.DrawProgress(m_caption);
}

bool ReadReports::OnLineFailure(std::exception_ptr failure) {
    const RunError error = RunErrorOf(failure);
    m_count.ReportRunError(RunError(error.Number(), error.Description()));
    return true;
}

int Count::Run() {
    if (m_merge != nullptr) return RunMerge();
    return IsCorpus() ? RunCorpus() : RunOneFile();
}

// A corpus is more than one input, a folder, or whatever is written as a partial count.
bool Count::IsCorpus() const {
    if (m_options.emitFile || m_options.inputs.size() > 1) return true;
    std::error_code ec;
    return !m_options.ReadsStandardInput() && fs::is_directory(fs::status(m_options.inputFile, ec));
}

int Count::RunOneFile() {
    const std::string extension =
        m_options.ReadsStandardInput() ? std::string() : FileExtension(m_options.inputFile, true);
    m_markerChoice = MarkersForExtension(extension, m_set.allowCommentMarkers == 1);
    // The user's markers are checked only where a count would use them: the type of some files chooses its own.
    if (m_options.comments && m_markerChoice == MarkerChoice::User && !CheckMarkers()) return kExitFailure;
    if (m_set.ignoreCommonWords == 1 && !ReadCommonWords()) return kExitFailure;
    const std::unique_ptr<ByteSource> source = OpenInput();
    if (!source) return kExitFailure;

    bool counted = false;
    try {
        counted = CountSource(*source);
    } catch (...) {
        ReportRunError(RunErrorOf(std::current_exception()));
    }
    if (!counted || m_reporter.ErrorCount() > 0) {
        m_reporter.EraseProgress();
        return kExitFailure;
    }
    // The input as named on the command line; standard input has no name.
    if (!m_options.ReadsStandardInput()) m_files.push_back({0, m_options.inputFile, {}});
    return ListCounted();
}

int Count::RunCorpus() {
    std::vector<CorpusFile> corpus;
    if (m_options.ReadsStandardInput())
        corpus.push_back({"-", {}});
    else
        corpus = ListCorpus(m_options.inputs, CorpusFilter{m_options.include, m_options.exclude});
    if (!RefuseOutputsInCorpus(m_options.inputs, corpus)) return kExitFailure;
    const bool lists = !m_options.emitFile;
    // The user's markers are checked, as for one file, only when some file of the corpus would use them.
    const bool userMarkers = std::any_of(corpus.begin(), corpus.end(), [&](const CorpusFile& file) {
        const std::string name = file.path == "-" ? m_options.inputName.value_or("") : file.path;
        return MarkersForExtension(FileExtension(name, true), m_set.allowCommentMarkers == 1) == MarkerChoice::User;
    });
    if (userMarkers && !CheckMarkers()) return kExitFailure;
    if (lists && m_set.ignoreCommonWords == 1 && !ReadCommonWords()) return kExitFailure;

    // The sizes, for the progress bar over the whole corpus.
    std::vector<std::int64_t> sizes;
    std::int64_t total = 0;
    for (const CorpusFile& file : corpus) {
        std::error_code ec;
        sizes.push_back(file.path == "-" ? 0 : static_cast<std::int64_t>(fs::file_size(file.path, ec) * !ec));
        total += sizes.back();
    }
    const int jobs = m_options.jobs.value_or(DefaultJobCount());
    const std::int64_t first = m_options.corpusIndex.value_or(0);
    if (jobs > 1 && corpus.size() > 1 && corpus.front().path != "-") {
        try {
            CountInParallel(corpus, sizes, total, jobs, first);
        } catch (...) {
            ReportRunError(RunErrorOf(std::current_exception()));
        }
    } else {
        CountInTurn(corpus, sizes, total, first);
    }
    m_reporter.EraseProgress();
    if (m_reporter.ErrorCount() > 0) return kExitFailure;
    if (!lists) return EmitPart();
    if (m_files.size() == static_cast<std::size_t>(m_skipped)) {
        m_reporter.ErrorUtf8("no file of the corpus could be counted");
        return kExitFailure;
    }
    m_table.Finish();
    return ListCounted();
}

// The files of a corpus one after the other, on this thread.
void Count::CountInTurn(const std::vector<CorpusFile>& corpus, const std::vector<std::int64_t>& sizes,
                        std::int64_t total, std::int64_t first) {
    LineScanner scanner(m_table);
    std::int64_t base = 0;
    try {
        for (std::size_t i = 0; i < corpus.size() && m_reporter.ErrorCount() == 0; ++i) {
            const CorpusFile& file = corpus[i];
            const std::int64_t start = m_table.DistinctWordCount();
            const std::string problem =
                file.problem.empty() ? CountCorpusFile(file.path, scanner, base, total) : file.problem;
            const std::string name = file.path == "-" ? m_options.inputName.value_or("") : file.path;
            TakeFile(first + static_cast<std::int64_t>(i), name, problem, start);
            base += sizes[i];
        }
    } catch (...) {
        ReportRunError(RunErrorOf(std::current_exception()));
    }
}

namespace {

// The files of a parallel count as they are merged, told as the sequential count tells them.
class CorpusReports : public CorpusObserver {
  public:
    CorpusReports(std::function<void(std::int64_t)> progress,
                  std::function<bool(std::size_t, const CorpusFileOutcome&)> file)
        : m_progress(std::move(progress)), m_file(std::move(file)) {}
    void OnProgress(std::int64_t bytesRead) override { m_progress(bytesRead); }
    bool OnFile(std::size_t index, const CorpusFileOutcome& outcome) override { return m_file(index, outcome); }

  private:
    std::function<void(std::int64_t)> m_progress;
    std::function<bool(std::size_t, const CorpusFileOutcome&)> m_file;
};

}  // namespace

// The files of a corpus on `jobs` threads, merged and reported in corpus order.
void Count::CountInParallel(const std::vector<CorpusFile>& corpus, const std::vector<std::int64_t>& sizes,
                            std::int64_t total, int jobs, std::int64_t first) {
    std::vector<CorpusInput> inputs;
    inputs.reserve(corpus.size());
    for (std::size_t i = 0; i < corpus.size(); ++i) {
        const MarkerChoice choice =
            MarkersForExtension(FileExtension(corpus[i].path, true), m_set.allowCommentMarkers == 1);
        inputs.push_back({corpus[i].path, corpus[i].problem, sizes[i],
                          ScanOptionsOf(m_set, MarkersOfChoice(choice, UserMarkersOf(m_set)))});
    }
    const bool showProgress = total > kProgressBarMinBytes;
    ReadReports progress(*this, m_reporter, showProgress ? total : 0);
    CorpusReports reports([&](std::int64_t bytesRead) { progress.OnProgress(bytesRead); },
                          [&](std::size_t i, const CorpusFileOutcome& outcome) {
                              if (outcome.problem.empty() && outcome.textKind == kTextCrOnly)
                                  m_reporter.Warning(LineEndingsMessage(outcome.textKind).text + kCrLf +
                                                     FileLine("Input file", corpus[i].path));
                              for (const std::exception_ptr& failure : outcome.lineFailures)
                                  progress.OnLineFailure(failure);
                              if (outcome.readFailure) std::rethrow_exception(outcome.readFailure);
                              TakeFile(first + static_cast<std::int64_t>(i), corpus[i].path, outcome.problem,
                                       outcome.firstRecord);
                              return m_reporter.ErrorCount() == 0;
                          });
    CountCorpus(inputs, m_encoding, jobs, m_table, reports);
}

// A file of a corpus taken: counted from the table's record `start` on, or skipped for `problem`.
void Count::TakeFile(std::int64_t index, const std::string& path, const std::string& problem, std::int64_t start) {
    m_files.push_back({index, path, problem});
    if (!problem.empty()) {
        ++m_skipped;
        if (!m_options.emitFile) m_reporter.NoteUtf8("skipped " + path + ": " + problem);
        return;
    }
    for (std::int64_t record = start + 1; record <= m_table.DistinctWordCount(); ++record)
        m_places.push_back({index, record - start});
}

bool Count::RefuseOutputsInCorpus(const std::vector<std::string>& arguments, const std::vector<CorpusFile>& corpus) {
    const std::pair<const char*, std::string> outputs[] = {
        {"Output file", WritesOutputFile(m_set) ? m_set.outputFile : std::string()},
        {"Export file", m_options.exportFile.value_or("-")},
        {"Emit file", m_options.emitFile.value_or("-")}};
    for (const auto& [role, path] : outputs) {
        if (path.empty() || path == "-") continue;
        const bool inside =
            m_options.ReadsStandardInput() ? NamesOpenFile(path, m_stdinFd) : LiesInCorpus(path, arguments, corpus);
        if (inside) {
            m_reporter.ErrorUtf8(std::string(role) + " " + path + " lies inside the corpus it would be made of");
            return false;
        }
    }
    return true;
}

std::string Count::CountCorpusFile(const std::string& path, LineScanner& scanner, std::int64_t base,
                                   std::int64_t total) {
    const bool standardInput = path == "-";
    const int fd = standardInput ? m_stdinFd : ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return std::generic_category().message(errno);
    struct Closer {
        int fd;
        bool own;
        ~Closer() {
            if (own) ::close(fd);
        }
    } closer{fd, !standardInput};
    struct stat info {};
    if (::fstat(fd, &info) == 0 && S_ISDIR(info.st_mode)) return std::generic_category().message(EISDIR);
    const std::unique_ptr<ByteSource> source = ByteSource::FromDescriptor(fd, m_encoding);
    if (!source) return "cannot be read";
    const std::int16_t kind = TextKindOfBytes(source->Peek(kTextCheckBytes), m_encoding);
    if (kind == kNotText) return "not a text file";
    if (kind == kTextCrOnly) m_reporter.Warning(LineEndingsMessage(kind).text + kCrLf + FileLine("Input file", path));

    const std::string name = standardInput ? m_options.inputName.value_or("") : path;
    const MarkerChoice choice = MarkersForExtension(FileExtension(name, true), m_set.allowCommentMarkers == 1);
    scanner.SetOptions(ScanOptionsOf(m_set, MarkersOfChoice(choice, UserMarkersOf(m_set))));
    scanner.ResetComments();
    const bool showProgress = total > kProgressBarMinBytes;
    ReadReports reports(*this, m_reporter, showProgress ? total : 0, base);
    std::string line;
    const std::exception_ptr readFailure = ScanSource(*source, scanner, line, reports);
    if (readFailure) std::rethrow_exception(readFailure);
    return {};
}

int Count::RunMerge() {
    for (const PartialCount& part : m_merge->parts) m_files.insert(m_files.end(), part.files.begin(), part.files.end());
    std::sort(m_files.begin(), m_files.end(), [](const PartFile& a, const PartFile& b) { return a.index < b.index; });
    m_places = CountParts(m_merge->parts, m_table);
    if (m_options.emitFile) {
        m_skipped = std::count_if(m_files.begin(), m_files.end(), [](const PartFile& f) { return !f.problem.empty(); });
        return EmitPart();
    }
    for (const PartFile& file : m_files)
        if (!file.problem.empty()) {
            ++m_skipped;
            m_reporter.NoteUtf8("skipped " + file.path + ": " + file.problem);
        }
    if (m_files.size() == static_cast<std::size_t>(m_skipped)) {
        m_reporter.ErrorUtf8("no file of the corpus could be counted");
        return kExitFailure;
    }
    if (m_set.ignoreCommonWords == 1 && !ReadCommonWords()) return kExitFailure;
    m_table.Finish();
    return ListCounted();
}

// The words of the unfinished table as a partial count, where --emit says.
int Count::EmitPart() {
    PartialCount part;
    part.options = WordShapingOf(m_set, m_options.encoding.value_or(""));
    part.files = m_files;
    m_table.AddPendingCounts();
    part.words = PartWordsOf(m_table, m_places);
    const std::string& file = *m_options.emitFile;
    int status = kExitSuccess;
    errno = 0;
    if (file == "-") {
        WritePartialCount(m_out, part);
        status = WriteStatus(m_out, "standard output", m_err);
    } else if (const std::string failure =
                   WriteFileAtomically(file, [&](std::ostream& stream) { WritePartialCount(stream, part); });
               !failure.empty()) {
        m_reporter.ErrorUtf8("cannot write to " + file + ": " + failure);
        status = kExitFailure;
    }
    return status == kExitSuccess && m_skipped > 0 ? kExitPartial : status;
}

// Lists the words of the finished table: on standard output, in the output file, in the export.
int Count::ListCounted() {
    ListingToStandardOutput listing(m_out, m_set.displayFormat == kFormatWordsJoined, m_reporter);
    try {
        ListWords(listing);
    } catch (...) {
        ReportRunError(RunErrorOf(std::current_exception()));
    }
    m_reporter.EraseProgress();
    if (m_reporter.ErrorCount() > 0) return kExitFailure;
    // The export names the input only when the count is of one file.
    const std::string inputName = m_files.size() == 1 ? m_files.front().path : std::string();
    if (ExportsToStandardOutput(m_options)) {
        const int status = ExportWords(m_options, m_set, m_table, m_chainHead, inputName, m_out, m_err);
        return status == kExitSuccess ? PartialStatus(FinishOutput(0)) : status;
    }
    int status = kExitSuccess;
    if (listing.Used()) {
        listing.Finish();
        status = FinishOutput(listing.Failure());
    } else {
        status = ListNoWords();
    }
    if (status == kExitSuccess && m_options.exportFile)
        status = ExportWords(m_options, m_set, m_table, m_chainHead, inputName, m_out, m_err);
    return PartialStatus(status);
}

void Count::ReportRunError(const RunError& failure) {
    std::string text;
    if (failure.Number() == kErrorBoxFull) {
        text = "Textbox is full.  ";
        if (m_set.outputFile.empty())
            text += "Try writing output to a file.";
        else if (m_set.disableOutputToFile == 1)
            text += "Try repeating with output to file enabled.";
        else if (m_resultsWrittenToFile)
            text += std::string(kCrLf) + "Results have been written to the output file.";
    } else {
        text = ErrorNumberText(failure.Number(), failure.Description());
        if (!failure.NamedFile().empty()) text += kCrLf + failure.NamedFile();
        if (m_resultsWrittenToFile) text += std::string(kCrLf) + "Results have been written to the output file.";
    }
    m_reporter.Error(text);
}

bool Count::CheckMarkers() {
    const CommentMarkers markers = UserMarkersOf(m_set);
    const MarkerCheck check = CheckUserMarkers(markers, AllowedOf(m_set));
    if (check.problem == MarkerProblem::None) return true;
    m_reporter.Error(MarkerProblemMessage(check, markers));
    return false;
}

bool Count::ReadCommonWords() {
    if (m_set.commonWordsFile.empty()) {
        m_reporter.Error("Please specify the file containing common words.");
        return false;
    }
    // File names are case-sensitive here: trimmed, never lower-cased.
    const std::string path = TrimSpaces(m_set.commonWordsFile);
    const std::string failed = "Error when attempting to load common words from " + path;
    if (path.empty()) {
        m_reporter.Error(failed);
        return false;
    }
    const std::string fileLine = FileLine("Common-words file", path);
    const CommonWordsFileCheck check = CheckCommonWordsFile(path, m_encoding);
    if (check.problem != 0) {
        m_reporter.Error(FileProblemMessage(check.problem, "File for common words not found.", fileLine).text);
        return false;
    }
    if (check.kind == kNotText) {
        m_reporter.Error("This is not a text file.\r\n" + fileLine);
        return false;
    }
    if (check.kind == kTextCrOnly) m_reporter.Warning(LineEndingsMessage(check.kind).text);
    WordTable table;
    LineScanner scanner(table);
    if (!ReadCommonWordsFile(path, ScanOptionsOf(m_set, {}), scanner, table, m_commonWords, m_encoding)) return true;
    m_reporter.Error(failed);
    return false;
}

std::unique_ptr<ByteSource> Count::OpenInput() {
    if (!m_options.ReadsStandardInput()) return OpenInputFile();
    if (WritesOutputFile(m_set) && NamesOpenFile(m_set.outputFile, m_stdinFd)) {
        m_reporter.Error(kSameFileMessage);
        return nullptr;
    }
    std::unique_ptr<ByteSource> source = ByteSource::FromDescriptor(m_stdinFd, m_encoding);
    if (!source) m_reporter.ErrorUtf8("cannot read standard input");
    return source;
}

std::unique_ptr<ByteSource> Count::OpenInputFile() {
    const std::string& path = m_options.inputFile;
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (!fs::exists(status)) {
        // Only a name that leads nowhere is missing; a name too long, a loop or a refused folder is not.
        if (ec && ec != std::errc::no_such_file_or_directory)
            m_reporter.ErrorUtf8(path + ": " + ec.message());
        else
            m_reporter.Error("Input file does not exist.");
        return nullptr;
    }
    if (fs::is_directory(status)) {
        m_reporter.ErrorUtf8(path + ": " + std::make_error_code(std::errc::is_a_directory).message());
        return nullptr;
    }
    if (WritesOutputFile(m_set) && SamePath(path, m_set.outputFile)) {
        m_reporter.Error(kSameFileMessage);
        return nullptr;
    }
    // Opened by its own bytes, so that a name the program's code page cannot hold is read too.
    m_inputFd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (m_inputFd < 0) {
        m_reporter.ErrorUtf8(path + ": " + std::generic_category().message(errno));
        return nullptr;
    }
    return ByteSource::FromDescriptor(m_inputFd, m_encoding);
}

bool Count::CountSource(ByteSource& source) {
    const std::int16_t kind = TextKindOfBytes(source.Peek(kTextCheckBytes), m_encoding);
    if (kind == kNotText) {
        m_reporter.Error("This is not a text file.");
        return false;
    }
    // Lines end at LF as well, so only a file that ends its lines with CR alone reads unusually.
    if (kind == kTextCrOnly) m_reporter.Warning(LineEndingsMessage(kind).text);
    if (m_markerChoice == MarkerChoice::User && !CheckMarkers()) return false;

    LineScanner scanner(m_table);
    scanner.SetOptions(ScanOptionsOf(m_set, MarkersOfChoice(m_markerChoice, UserMarkersOf(m_set))));
    const std::int64_t length = source.Size();
    const bool showProgress = length > kProgressBarMinBytes;
    if (showProgress) m_reporter.DrawProgress("[" + std::string(kProgressBarWidth, ' ') + "]");
    ReadReports reports(*this, m_reporter, showProgress ? length : 0);
    std::exception_ptr readFailure;
    const int jobs = m_options.jobs.value_or(DefaultJobCount());
    // A large file in chunks on all threads; standard input and what cannot be cut are read whole.
    if (m_inputFd < 0 ||
        !CountFileInChunks(m_inputFd, length, m_encoding, scanner.Options(), jobs, m_table, reports, readFailure)) {
        std::string line;
        readFailure = ScanSource(source, scanner, line, reports);
    }
    m_table.Finish();
    m_reporter.EraseProgress();
    if (readFailure) std::rethrow_exception(readFailure);
    return true;
}

LineComposer Count::ComposerFor(ListLayout layout) const {
    const WordStatistics& stats = m_table.Statistics();
    return LineComposer(m_set.displayFormat, layout, ColumnWidths::For(stats, kMinColumnWidth),
                        stats.longestWordLength);
}

void Count::ListWords(ListingSink& listing) {
    MarkListedWords(m_table, FilterOptionsOf(m_set), m_commonWords);
    m_table.ComputeStatistics();
    m_chainHead = RankByFrequency(m_table);
    m_statistics = ComposeStatistics(m_table.Statistics(), false);
    if (m_table.Statistics().listedWordCount == 0 || !RunFilePass()) return;
    try {
        // An export to standard output takes the listing's place there.
        if (!ExportsToStandardOutput(m_options))
            RunListingPass(m_table, m_chainHead, Order(), ComposerFor(ListLayout::Plain), listing, PassControl{});
    } catch (const RunError& failure) {
        ReportRunError(failure);
    }
}

// The listing into the output file, when there is one; false when the file cannot be created, which ends
// the listing.
bool Count::RunFilePass() {
    const std::string& name = m_set.outputFile;
    if (!WritesOutputFile(m_set)) return true;
    // A parameter file may name an input file that the output would overwrite.
    if (!m_set.inputFile.empty() && SamePath(name, m_set.inputFile)) {
        m_reporter.Error(kSameFileMessage);
        return true;
    }
    const LineComposer composer = ComposerFor(m_set.outputWithCommas == 1 ? ListLayout::Comma : ListLayout::Plain);
    OutputFile file(composer.JoinsWords());
    try {
        file.Open(name);
    } catch (const RunError& failure) {
        ReportRunError(failure);
        return false;
    }
    bool complete = false;
    bool failed = false;
    try {
        complete = RunListingPass(m_table, m_chainHead, Order(), composer, file, PassControl{});
    } catch (const RunError& failure) {
        failed = true;
        ReportRunError(failure);
    }
    try {
        file.Close();
    } catch (const RunError& failure) {
        // Data held back by buffering can fail only here; one report is enough.
        if (!failed) ReportRunError(failure);
        failed = true;
    }
    m_resultsWrittenToFile = complete && !failed;
    return true;
}

// No word listed: the message the window would show instead.
int Count::ListNoWords() {
    // The window leaves an old file alone when nothing is listed, and says so; a script would take the old
    // listing for this one.
    if (WritesOutputFile(m_set) && !EmptyOutputFile()) return kExitFailure;
    const std::string text = NoWordsMessage(m_table.DistinctWordCount(), m_set.shortWordSize, m_set.thresholdFrequency,
                                            m_set.ignoreInfrequentWords == 1);
    errno = 0;
    WriteTerminalText(m_out, text);
    m_out << '\n';
    return FinishOutput(0);
}

bool Count::EmptyOutputFile() {
    OutputFile file(false);
    try {
        file.Open(m_set.outputFile);
        file.Close();
    } catch (const RunError& failure) {
        ReportRunError(RunError(failure.Number(), failure.Description()));
        return false;
    }
    return true;
}

// Flushes standard output (`failure`: the error number of a write that failed before) and adds the
// statistics when asked.
int Count::FinishOutput(int failure) {
    if (failure != 0) errno = failure;
    int status = WriteStatus(m_out, "standard output", m_err);
    if (m_options.stats) {
        errno = 0;
        for (const std::string* line : {&m_statistics.listedWords, &m_statistics.excludedWords,
                                        &m_statistics.listedOccurrences, &m_statistics.totalOccurrences})
            m_err << ToTerminalText(*line) << '\n';
        if (m_files.size() > 1)
            m_err << "Files counted: " << m_files.size() - static_cast<std::size_t>(m_skipped)
                  << ", skipped: " << m_skipped << '\n';
        if (WriteStatus(m_err, "standard error", m_err) != kExitSuccess) status = kExitFailure;
    }
    return status;
}

}  // namespace

int ReadMergeParts(const CountOptions& options, int stdinFd, Reporter& reporter, MergeParts& merge) {
    const std::vector<std::string> names =
        options.ReadsStandardInput() ? std::vector<std::string>{"-"} : options.inputs;
    for (const std::string& name : names) {
        PartialCount part;
        std::string problem;
        if (name == "-") {
            std::string bytes;
            char buffer[65536];
            for (ssize_t n; (n = ::read(stdinFd, buffer, sizeof buffer)) != 0;) {
                if (n < 0 && errno == EINTR) continue;
                if (n < 0) {
                    problem = std::generic_category().message(errno);
                    break;
                }
                bytes.append(buffer, static_cast<std::size_t>(n));
            }
            std::istringstream in(std::move(bytes));
            if (problem.empty()) problem = ReadPartialCount(in, part);
        } else {
            std::ifstream in(name, std::ios::binary);
            problem = in ? ReadPartialCount(in, part) : std::generic_category().message(errno);
        }
        if (!problem.empty()) {
            reporter.ErrorUtf8((name == "-" ? std::string("standard input") : name) + ": " + problem);
            return kExitFailure;
        }
        merge.parts.push_back(std::move(part));
        merge.names.push_back(name == "-" ? std::string("standard input") : name);
    }
    if (const std::string problem = CheckMergeable(merge.parts, merge.names); !problem.empty()) {
        reporter.ErrorUtf8(problem);
        return kExitFailure;
    }
    return kExitSuccess;
}

int CountAndList(const CountOptions& options, const ParameterSet& set, Reporter& reporter, std::ostream& out,
                 std::ostream& err, int stdinFd, const MergeParts* merge) {
    Count count(options, set, reporter, out, err, stdinFd, merge);
    return count.Run();
}

}  // namespace vesk::cli
