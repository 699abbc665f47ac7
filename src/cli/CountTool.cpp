// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CountTool.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <exception>
#include <filesystem>
#include <memory>
#include <new>
#include <optional>
#include <ostream>
#include <system_error>
#include <utility>

#include "app/Program.h"
#include "cli/CliPlatform.h"
#include "cli/CountOptions.h"
#include "engine/ByteSource.h"
#include "engine/Encoding.h"
#include "engine/FileChecks.h"
#include "listing/LineComposer.h"
#include "listing/OutputFile.h"
#include "listing/RunError.h"
#include "listing/TerminalText.h"
#include "text/ProgramText.h"

namespace vesk::cli {

namespace {

namespace fs = std::filesystem;

constexpr int kExitSuccess = 0;
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

int UsageError(std::ostream& err, const std::string& problem) {
    err << "vesk-count: " << problem << '\n' << kUsageLine << '\n' << "Try 'vesk-count --help' for more information.\n";
    return kExitUsage;
}

// Flushes `stream` and tells how everything written to it since `errno` was cleared went: a failure is
// reported on `err` with the system's message, except that a reader gone away (a closed pipe) ends the tool
// quietly.
int WriteStatus(std::ostream& stream, const char* name, std::ostream& err) {
    stream.flush();
    const int error = errno;
    if (stream) return kExitSuccess;
    if (error == EPIPE) return kExitFailure;
    err << "vesk-count: cannot write to " << name;
    if (error != 0) err << ": " << std::generic_category().message(error);
    err << '\n';
    err.flush();
    return kExitFailure;
}

// A word of the command line as the program holds text: UTF-8 is mapped, anything else is taken as
// Windows-1252 already (a terminal in a Latin-1 locale).
std::string ToProgramText(const std::string& arg) { return IsValidUtf8(arg) ? Utf8ToCp1252(arg) : arg; }

// A file name held by the program, for the file system.
std::string ToSystemPath(const std::string& programText) { return Cp1252ToUtf8(programText); }

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

// "--comments '#' notes.txt" takes the file for the end marker and would count standard input instead; an
// input named "-" says that standard input is meant.
std::string FileTakenForMarker(const CountOptions& o) {
    if (!o.inputFile.empty()) return {};
    const std::pair<const char*, const std::optional<std::array<std::string, 2>>*> pairs[] = {
        {"--comments", &o.comments}, {"--comments2", &o.comments2}};
    for (const auto& [name, pair] : pairs) {
        std::error_code error;
        if (*pair && fs::is_regular_file((**pair)[1], error))
            return "the end marker '" + (**pair)[1] + "' of " + name +
                   " is the name of a file: give both markers (an empty one as '') before the file, or '-' to "
                   "count standard input";
    }
    return {};
}

// The listing on standard output as it is composed. Nothing is written once an error was reported: the tool
// then fails without a listing.
class ListingToStandardOutput : public ListingSink {
  public:
    ListingToStandardOutput(std::ostream& out, bool joinWords, const CliPlatform& platform)
        : m_sink(out, joinWords), m_platform(platform) {}

    void Send(std::int64_t record, const std::string& line) override {
        if (m_platform.ErrorCount() > 0) return;
        if (!m_used) errno = 0;
        m_used = true;
        m_sink.Send(record, line);
    }
    void Finish() { m_sink.Finish(); }
    bool Used() const { return m_used; }
    int Failure() const { return m_sink.Failure(); }

  private:
    TerminalSink m_sink;
    const CliPlatform& m_platform;
    bool m_used = false;
};

class CountRun {
  public:
    CountRun(const CountOptions& options, std::ostream& out, std::ostream& err, int stdinFd, bool errIsTerminal)
        : m_options(options),
          m_out(out),
          m_err(err),
          m_stdinFd(stdinFd),
          m_platform(err, errIsTerminal),
          m_program(m_platform),
          m_main(m_program.frmMain),
          m_params(m_program.frmParams) {}

    ~CountRun() {
        if (m_inputFd >= 0) ::close(m_inputFd);
    }
    CountRun(const CountRun&) = delete;
    CountRun& operator=(const CountRun&) = delete;

    int Run() {
        if (m_options.version) return PrintVersion();

        m_main.FillComboBoxes();
        m_main.Initialize();
        if (int status = ApplyOptions(); status != kExitSuccess) return status;

        if (m_options.writeParamsFile) {
            if (!m_options.ReadsStandardInput()) m_main.txbFile[0].SetText(ToProgramText(m_options.inputFile));
            const std::string message = m_main.SaveState(ToProgramText(*m_options.writeParamsFile));
            if (!message.empty()) {
                m_platform.ReportError(message);
                return kExitFailure;
            }
            return kExitSuccess;
        }
        return Count();
    }

  private:
    int PrintVersion() {
        std::string folder = m_platform.ProgramFolder();
        if (folder.empty() || folder.back() != '/') folder += '/';
        ProgramText texts;
        texts.Load(ToSystemPath(folder + "vesk_text.dat"));
        const std::string name = texts.Text(1);
        const std::string version = (name.empty() ? std::string("VESK") : name) + " " + VersionString();
        errno = 0;
        m_out << Cp1252ToUtf8(version) << '\n';
        return WriteStatus(m_out, "standard output", m_err);
    }

    // Sets the controls from the options: first the parameter file, then every other option over it.
    int ApplyOptions() {
        const CountOptions& o = m_options;
        if (o.paramsFile) {
            const std::string message = m_main.RestoreSavedState(ToProgramText(*o.paramsFile));
            if (!message.empty()) {
                m_platform.ReportError(message);
                return kExitFailure;
            }
        }
        if (o.outputFile) {
            m_main.txbFile[1].SetText(ToProgramText(*o.outputFile));
            m_main.UpdateDisableOutputOption();
            m_main.chkDisableOutputToFile.SetValue(0);
        }
        if (o.order && !m_main.cboWordOrder.SetListIndex(*o.order)) {
            m_platform.ReportErrorUtf8("the word orders are not available");
            return kExitFailure;
        }
        if (o.format) {
            const int index = FormatIndex(*o.format);
            if (index < 0) return UsageError(m_err, "unknown display format '" + *o.format + "'");
            if (!m_main.cboDisplayFormat.SetListIndex(index)) {
                m_platform.ReportErrorUtf8("display format " + std::to_string(index) + " is not available");
                return kExitFailure;
            }
        }
        if (o.commas) m_params.chkOutputWithCommas.SetValue(1);

        if (o.caseSignificant) m_params.chkCaseSignificant.SetValue(1);
        if (o.keepFinalS) m_params.chkDropFinalS.SetValue(0);
        if (o.allow) {
            CheckBox* boxes[9] = {&m_params.chkAllowWordsWithHyphens,     &m_params.chkAllowWordsWithApostrophes,
                                  &m_params.chkAllowWordsWithUnderscores, &m_params.chkAllowWordsWithColons,
                                  &m_params.chkAllowWordsWithBackslashes, &m_params.chkAllowWordsWithForwardslashes,
                                  &m_params.chkAllowWordsWithPeriods,     &m_params.chkAllowWordsWithAtSigns,
                                  &m_params.chkAllowWordsWithNumerals};
            for (std::size_t i = 0; i < 9; ++i) boxes[i]->SetValue((*o.allow)[i] ? 1 : 0);
        }
        if (o.comments) {
            const std::array<std::string, 2> none;
            const auto& second = o.comments2 ? *o.comments2 : none;
            m_params.chkAllowCommentMarkers.SetValue(1);
            m_params.txbStartComment[0].SetText(ToProgramText((*o.comments)[0]));
            m_params.txbEndComment[0].SetText(ToProgramText((*o.comments)[1]));
            m_params.txbStartComment[1].SetText(ToProgramText(second[0]));
            m_params.txbEndComment[1].SetText(ToProgramText(second[1]));
        }

        if (o.minLength && !SelectNumber(&m_params.chkIgnoreShortWords, m_params.cboShortWordSize, *o.minLength))
            return kExitFailure;
        if (o.minFrequency &&
            !SelectNumber(&m_params.chkIgnoreInfrequentWords, m_params.cboThresholdFrequency, *o.minFrequency))
            return kExitFailure;
        if (o.maxLength && !SelectNumber(nullptr, m_params.cboLongWordSize, *o.maxLength)) return kExitFailure;
        if (o.keepRepetitions) m_params.chkIgnoreRepetitions.SetValue(0);
        if (o.keepRoman) m_params.chkIgnoreRomNum40.SetValue(0);
        if (o.keepNoVowel) m_params.chkIgnoreNoVowelOrY.SetValue(0);
        // After the case option, which the normalisation of the list follows.
        if (o.ignore) {
            m_params.txbWordsToIgnore.SetText(ToProgramText(*o.ignore));
            m_params.txbWordsToIgnore_LostFocus();
        }
        if (o.commonWordsFile) {
            const std::string path = ToProgramText(*o.commonWordsFile);
            m_main.strCommonWordsFile = path;
            m_params.txbCommonWordsFile.SetText(path);
            m_params.chkIgnoreCommonWords.SetValue(1);
        }
        return kExitSuccess;
    }

    // The index of a display format given as its number or its item text, or -1.
    int FormatIndex(const std::string& format) const {
        if (!format.empty() && format.find_first_not_of("0123456789") == std::string::npos) return std::stoi(format);
        const std::string wanted = ToProgramText(format);
        const auto& items = m_main.cboDisplayFormat.Items();
        for (std::size_t i = 0; i < items.size(); ++i)
            if (items[i] == wanted) return static_cast<int>(i);
        return -1;
    }

    // Checks `box` (when given) and selects the item of `list` that shows `number`.
    bool SelectNumber(CheckBox* box, ComboBox& list, int number) {
        const auto& items = list.Items();
        for (std::size_t i = 0; i < items.size(); ++i)
            if (items[i] == std::to_string(number)) {
                if (box != nullptr) box->SetValue(1);
                list.SetListIndex(static_cast<int>(i));
                return true;
            }
        m_platform.ReportErrorUtf8("the value " + std::to_string(number) + " is not available in " + list.Name());
        return false;
    }

    int Count() {
        // From here on the windows report as they do once the program is running.
        m_main.blnStartUpCompleted = true;
        m_main.TakeOptionSnapshot();
        m_main.MinColumnWidth = 6;

        if (m_options.comments && !m_main.ValidateCommentMarkers()) return kExitFailure;
        if (m_params.chkIgnoreCommonWords.Value() == 1 && !ReadCommonWords()) return kExitFailure;

        std::unique_ptr<ByteSource> source;
        std::string extension;
        if (m_options.ReadsStandardInput()) {
            if (OutputWritten() && NamesOpenFile(ToSystemPath(m_main.txbFile[1].Text()), m_stdinFd)) {
                m_platform.ReportError("Output file cannot be the same as the input file.");
                return kExitFailure;
            }
            source = ByteSource::FromDescriptor(m_stdinFd);
            if (!source) {
                m_platform.ReportErrorUtf8("cannot read standard input");
                return kExitFailure;
            }
        } else {
            const std::string& path = m_options.inputFile;
            std::error_code ec;
            const fs::file_status status = fs::status(path, ec);
            if (!fs::exists(status)) {
                // Only a name that leads nowhere is missing; a name too long, a loop or a refused folder is not.
                if (ec && ec != std::errc::no_such_file_or_directory)
                    m_platform.ReportErrorUtf8(path + ": " + ec.message());
                else
                    m_platform.ReportError("Input file does not exist.");
                return kExitFailure;
            }
            if (fs::is_directory(status)) {
                m_platform.ReportErrorUtf8(path + ": " + std::make_error_code(std::errc::is_a_directory).message());
                return kExitFailure;
            }
            if (OutputWritten() && SamePath(path, ToSystemPath(m_main.txbFile[1].Text()))) {
                m_platform.ReportError("Output file cannot be the same as the input file.");
                return kExitFailure;
            }
            // Opened by its own bytes, so that a name the program's code page cannot hold is read too.
            m_inputFd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
            if (m_inputFd < 0) {
                m_platform.ReportErrorUtf8(path + ": " + std::generic_category().message(errno));
                return kExitFailure;
            }
            source = ByteSource::FromDescriptor(m_inputFd);
            extension = FileExtension(ToProgramText(path), true);
        }

        m_main.txbOutput.SetMaxLength(0);
        // Nobody watches the words as they are found; showing them would only cost time.
        m_main.chkSuppressWords.SetValue(1);
        m_platform.WatchProgressLabel(m_main.lblTotalNumOccurrences);
        ListingToStandardOutput listing(m_out, m_main.cboDisplayFormat.ListIndex() == kFormatWordsJoined, m_platform);
        m_main.PresetBoxSink = &listing;
        const bool listed = CountAndList(*source, extension);
        m_main.PresetBoxSink = nullptr;
        m_platform.EraseProgress();
        if (!listed || m_platform.ErrorCount() > 0) return kExitFailure;
        if (listing.Used()) {
            listing.Finish();
            return FinishOutput(listing.Failure());
        }

        // The window leaves an old file alone when nothing is listed, and says so; a script would take the old
        // listing for this one.
        if (OutputWritten() && m_main.Table.Statistics().listedWordCount == 0 && !EmptyOutputFile())
            return kExitFailure;

        // No listing was composed: the box holds what the window would show instead.
        const std::string& text = m_main.txbOutput.Text();
        errno = 0;
        WriteTerminalText(m_out, text);
        // Only a line feed of the box ends the converted text with one.
        if (text.empty() || text.back() != '\n') m_out << '\n';
        return FinishOutput(0);
    }

    // Flushes standard output (`failure`: the error number of a write that failed before) and adds the
    // statistics when asked.
    int FinishOutput(int failure) {
        if (failure != 0) errno = failure;
        int status = WriteStatus(m_out, "standard output", m_err);
        if (m_options.stats) {
            errno = 0;
            for (const Label* label : {&m_main.lblNumberOfWords, &m_main.lblNumWordsExcluded, &m_main.lblNumOccurrences,
                                       &m_main.lblTotalNumOccurrences})
                m_err << ToTerminalText(label->Caption()) << '\n';
            if (WriteStatus(m_err, "standard error", m_err) != kExitSuccess) status = kExitFailure;
        }
        return status;
    }

    bool EmptyOutputFile() {
        OutputFile file(false);
        try {
            file.Open(m_main.txbFile[1].Text());
            file.Close();
        } catch (const RunError& failure) {
            m_main.ReportRunError(failure.Number(), failure.Description());
            return false;
        }
        return true;
    }

    // Whether the listing will write an output file.
    bool OutputWritten() const {
        return !m_main.txbFile[1].Text().empty() && m_main.chkDisableOutputToFile.Value() != 1;
    }

    bool ReadCommonWords() {
        if (m_main.strCommonWordsFile.empty()) {
            m_platform.ReportError("Please specify the file containing common words.");
            return false;
        }
        const int errorsBefore = m_platform.ErrorCount();
        if (m_main.ReadCommonWords()) return true;
        if (m_platform.ErrorCount() == errorsBefore)
            m_platform.ReportError("Error when attempting to load common words from " + m_main.strCommonWordsFile);
        return false;
    }

    // A press of the count button, with the given source in place of the input box's file: count, then
    // filter, rank, show the statistics and list. False when the source was not counted.
    bool CountAndList(ByteSource& source, const std::string& extension) {
        const int errorsBefore = m_platform.ErrorCount();
        m_main.optInFile.Select();
        m_main.blnWordsGot = false;
        m_main.ResultsShown = false;
        m_main.PresetSource = &source;
        m_main.PresetExtension = extension;
        m_main.CountAndList();
        m_main.PresetSource = nullptr;
        if (m_main.ResultsShown) return true;
        if (m_platform.ErrorCount() == errorsBefore) m_platform.ReportErrorUtf8("the input was not counted");
        return false;
    }

    const CountOptions& m_options;
    std::ostream& m_out;
    std::ostream& m_err;
    int m_stdinFd;
    int m_inputFd = -1;
    CliPlatform m_platform;
    Program m_program;
    MainWindow& m_main;
    ParamsWindow& m_params;
};

}  // namespace

int RunCountTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err, int stdinFd,
                 bool errIsTerminal) {
    const ParseResult parsed = ParseCountOptions(args);
    if (!parsed.error.empty()) return UsageError(err, parsed.error);
    if (parsed.options.help) {
        errno = 0;
        out << HelpText();
        return WriteStatus(out, "standard output", err);
    }
    if (const std::string problem = FileTakenForMarker(parsed.options); !problem.empty())
        return UsageError(err, problem);
    try {
        CountRun run(parsed.options, out, err, stdinFd, errIsTerminal);
        return run.Run();
    } catch (const std::exception& e) {
        err << "vesk-count: " << e.what() << '\n';
        return kExitFailure;
    }
}

}  // namespace vesk::cli
