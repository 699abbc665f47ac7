// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <exception>
#include <filesystem>
#include <memory>
#include <new>
#include <string>
#include <system_error>

#include "app/FileMessages.h"
#include "app/FolderFiles.h"
#include "app/MainWindow.h"
#include "engine/ByteSource.h"
#include "engine/CharClasses.h"
#include "engine/CommentMarkers.h"
#include "engine/CommonWords.h"
#include "engine/Corpus.h"
#include "engine/FileChecks.h"
#include "engine/ParallelCount.h"
#include "engine/SourceScan.h"
#include "listing/NumberFormat.h"
#include "listing/RunError.h"
#include "listing/RunTexts.h"
#include "params/ParamsWindow.h"

namespace vesk {

namespace {

const char* const kIdleCaption = "Count word frequencies";
const char* const kStopCaption = "Stop";
const char* const kCrLf = "\r\n";

constexpr std::int64_t kLargeFileBytes = 200000;
constexpr std::int64_t kProgressBarMinBytes = 10240;
constexpr std::size_t kTextCheckBytes = 16384;
constexpr std::size_t kClipboardCheckChars = 3000;
// While a count runs on several threads, the events run at least this often.
constexpr auto kPumpAtLeastEvery = std::chrono::milliseconds(20);

// The read loop's reports: the progress bar as the bytes come in, and the run error of a line that fails.
class ReadReports : public SourceObserver {
  public:
    // `length` 0: no progress bar.
    ReadReports(MainWindow& window, std::int64_t length) : m_window(window), m_length(length) {}

    void OnProgress(std::int64_t bytesRead) override {
        if (m_length <= 0) return;
        MainWindow& w = m_window;
        const int p = ProgressCells(bytesRead, m_length, w.ProgressBarWidth);
        if (p != m_shownCells) {
            m_shownCells = p;
            w.lblTotalNumOccurrences.SetCaption(ProgressBarCaption(p, w.ProgressBarWidth));
        }
        w.platform.Repaint(&w.lblTotalNumOccurrences);
    }

    bool OnLineFailure(std::exception_ptr failure) override {
        const RunError error = RunErrorOf(failure);
        m_window.ReportRunError(error.Number(), error.Description());
        return !m_window.StopRequested;
    }

  private:
    MainWindow& m_window;
    std::int64_t m_length;
    int m_shownCells = -1;
};

// The window kept alive while worker threads count: on the calling thread, from the engine's reports, the
// progress bar is drawn, the words merged so far are shown as a count on one thread shows them as it finds
// them, the pending events run, and a press of Stop is passed on to the workers.
class WindowPulse {
  public:
    WindowPulse(MainWindow& window, std::int64_t length, std::atomic<bool>& stop)
        : m_window(window), m_bar(window, length), m_stop(stop) {}

    // False once Stop has been pressed.
    bool Beat(std::int64_t bytesRead) {
        m_bar.OnProgress(bytesRead);
        ShowNewWords();
        // Beats come after every line while this thread reads, and every 50 ms or so while it waits for the
        // workers: the pump paced for the first is told at once when the second kind is due.
        if (!m_window.StopRequested) m_window.platform.PumpEvents();
        const auto now = std::chrono::steady_clock::now();
        if (!m_window.StopRequested && now - m_lastPump >= kPumpAtLeastEvery) {
            m_lastPump = now;
            m_window.platform.PumpEventsNow();
        }
        if (m_window.StopRequested) m_stop.store(true);
        return !m_window.StopRequested;
    }
    bool OnLineFailure(std::exception_ptr failure) { return m_bar.OnLineFailure(std::move(failure)); }

  private:
    // The table's records are in the order a count on one thread would have found the words, so showing the
    // new ones in turn gives the same running display.
    void ShowNewWords() {
        MainWindow& w = m_window;
        const std::int64_t found = w.Table.DistinctWordCount();
        try {
            while (m_shown < found) {
                std::int64_t next = m_shown + 1;
                // Words no longer shown only move the figure, which changes at every tenth word.
                if (w.chkSuppressWords.Value() != 0) next = found / 10 * 10 > m_shown ? found / 10 * 10 : found;
                m_shown = next;
                w.OnNewWord(w.Table.Word(next), next);
            }
        } catch (...) {
            // As when the scanner's display of a word fails: reported, and the count goes on.
            m_shown = found;
            m_bar.OnLineFailure(std::current_exception());
        }
    }

    MainWindow& m_window;
    ReadReports m_bar;
    std::atomic<bool>& m_stop;
    std::int64_t m_shown = 0;
    std::chrono::steady_clock::time_point m_lastPump = std::chrono::steady_clock::now();
};

// A large file's chunks as they are merged.
class ChunkReports : public SourceObserver {
  public:
    ChunkReports(MainWindow& window, std::int64_t length, std::atomic<bool>& stop) : m_pulse(window, length, stop) {}
    void OnProgress(std::int64_t bytesRead) override { m_pulse.Beat(bytesRead); }
    bool OnLineFailure(std::exception_ptr failure) override { return m_pulse.OnLineFailure(std::move(failure)); }

  private:
    WindowPulse m_pulse;
};

// A failure to read the input names it, wherever it is reported.
RunError NamedFailure(const std::exception_ptr& error, const std::string& fileLine) {
    const RunError failure = RunErrorOf(error);
    return fileLine.empty() ? failure : RunError(failure.Number(), failure.Description(), fileLine);
}

// The checks of a source before it is read: text only, and line endings that read unusually. False when it
// is not to be read.
bool CheckSourceText(MainWindow& w, ByteSource& source, const std::string& fileLine) {
    try {
        w.LineEndingKind = TextKindOfBytes(source.Peek(kTextCheckBytes), w.ChosenEncoding());
    } catch (...) {
        throw NamedFailure(std::current_exception(), fileLine);
    }
    if (w.LineEndingKind == kNotText) {
        w.platform.ShowMessage(fileLine.empty() ? std::string("This is not a text file.")
                                                : "This is not a text file." + std::string(kCrLf) + fileLine,
                               "Invalid input", MsgButtons::Ok, MsgIcon::Exclamation);
        w.txbOutput.SetText(std::string("This file contains bytes indicating that it ") + kCrLf +
                            "does not consist solely of text." + kCrLf + kCrLf +
                            "You could try reading the file with its associated" + kCrLf +
                            "application, then copying the text and pasting it" + kCrLf + "into this textbox.");
        return false;
    }
    // Lines end at LF as well, so only a file that ends its lines with CR alone reads unusually.
    if (w.LineEndingKind == kTextCrOnly) {
        WarnLineEndings(w.platform, w.LineEndingKind);
        const MsgAnswer answer = w.platform.ShowMessage("Processing will continue but may be slow.", "Warning",
                                                        MsgButtons::OkCancel, MsgIcon::None);
        if (answer == MsgAnswer::Cancel) {
            w.txbOutput.SetText("");
            return false;
        }
    }
    return true;
}

// The markers of the file type, or the user's when they are allowed and valid. False when they are not valid.
bool ChooseCommentMarkers(MainWindow& w, const std::string& extension) {
    const MarkerChoice choice =
        MarkersForExtension(LowerCase(extension), w.frmParams->chkAllowCommentMarkers.Value() == 1);
    if (choice == MarkerChoice::User && !w.ValidateCommentMarkers()) {
        w.frmParams->Show();
        return false;
    }
    w.SetCommentMarkers(choice == MarkerChoice::Markup ? "HTML"
                        : choice == MarkerChoice::Code ? "C"
                        : choice == MarkerChoice::User ? "as per user settings"
                                                       : "");
    w.Comments.fromFileType = choice == MarkerChoice::Markup || choice == MarkerChoice::Code;
    return true;
}

void ShowProgressLabel(MainWindow& w, bool asBar) {
    Label& label = w.lblTotalNumOccurrences;
    label.SetAlignment(asBar ? Alignment::Left : Alignment::Right);
    label.SetFont(asBar ? FontSpec{FontSpec::Family::FixedPitch, 10, true}
                        : FontSpec{FontSpec::Family::Default, 10, false});
    label.SetVisible(true);
    label.SetCaption(asBar ? "[" + std::string(static_cast<std::size_t>(w.ProgressBarWidth), ' ') + "]" : "");
    w.platform.Repaint(&label);
}

// A large file counted on every core, in chunks cut at line starts, through the scanner's options. False,
// having counted nothing, when the engine does not cut it (a small file, an encoding decoded in blocks, no
// line end to cut at): it is then read whole.
bool ReadInChunks(MainWindow& w, const ByteSource& source, std::int64_t length, std::int64_t barLength,
                  std::exception_ptr& readFailure) {
    const int fd = source.RegularFileDescriptor();
    if (fd < 0) return false;
    // The workers read the options all along: copies, which events run in the meantime cannot touch.
    const InputEncoding encoding = w.ChosenEncoding();
    const ScanOptions options = w.Scanner.Options();
    std::atomic<bool> stop{false};
    ChunkReports reports(w, barLength, stop);
    return CountFileInChunks(fd, length, encoding, options, DefaultJobCount(), w.Table, reports, readFailure, &stop);
}

// Every line of the source through the scanner, the progress bar drawn for a large one; the table finished
// however the reading ends.
void ReadSourceLines(MainWindow& w, ByteSource& source, const std::string& fileLine) {
    const std::int64_t fileLength = source.Size();
    const bool showProgress = fileLength > kProgressBarMinBytes;
    if (showProgress) ShowProgressLabel(w, true);

    const bool caseSignificant = w.frmParams->chkCaseSignificant.Value() == 1;
    w.Scanner.SetOptions(w.CurrentScanOptions(!caseSignificant));
    std::exception_ptr readFailure;
    if (!ReadInChunks(w, source, fileLength, showProgress ? fileLength : 0, readFailure)) {
        ReadReports reports(w, showProgress ? fileLength : 0);
        readFailure = ScanSource(source, w.Scanner, w.CurrentLine, reports);
    }

    w.Table.Finish();
    ShowProgressLabel(w, false);
    w.chkSuppressWords.SetValue(w.SavedSuppressWords);
    w.lblTwirler.SetCaption(" ");
    if (readFailure) throw NamedFailure(readFailure, fileLine);
}

// The files of a folder for the workers, each with the options of its own scan: the comment markers of its
// type, chosen as a count of it alone would choose them (the user's markers were checked before).
std::vector<CorpusInput> FolderInputs(MainWindow& w, const FolderFiles& listed) {
    const bool lowerCase = w.frmParams->chkCaseSignificant.Value() != 1;
    std::vector<CorpusInput> inputs;
    inputs.reserve(listed.files.size());
    for (std::size_t i = 0; i < listed.files.size(); ++i) {
        const CorpusFile& file = listed.files[i];
        ChooseCommentMarkers(w, FileExtension(file.path, true));
        inputs.push_back({file.path, file.problem, listed.sizes[i], w.CurrentScanOptions(lowerCase)});
    }
    return inputs;
}

// The files of a folder as they are merged, in the folder's order: the skipped ones noted, the failures of
// lines reported, a file that cannot be read to its end failing the whole count as it does for one file.
class FolderReports : public CorpusObserver {
  public:
    FolderReports(MainWindow& window, const FolderFiles& listed, std::int64_t barLength, std::atomic<bool>& stop)
        : m_window(window), m_listed(listed), m_pulse(window, barLength, stop) {}

    void OnProgress(std::int64_t bytesRead) override {
        m_bytesRead = bytesRead;
        m_pulse.Beat(bytesRead);
    }
    bool OnFile(std::size_t index, const CorpusFileOutcome& outcome) override {
        const std::string& path = m_listed.files[index].path;
        if (!outcome.problem.empty()) m_window.SkippedFiles.push_back(path + ": " + outcome.problem);
        if (outcome.problem.empty() && outcome.textKind == kTextCrOnly) crOnlyFiles.push_back(path);
        bool goOn = true;
        for (const std::exception_ptr& failure : outcome.lineFailures) goOn = goOn && m_pulse.OnLineFailure(failure);
        if (outcome.readFailure) throw NamedFailure(outcome.readFailure, FileLine("Input file", path));
        return m_pulse.Beat(m_bytesRead) && goOn;
    }

    // The files counted whose lines end in CR alone.
    std::vector<std::string> crOnlyFiles;

  private:
    MainWindow& m_window;
    const FolderFiles& m_listed;
    WindowPulse m_pulse;
    std::int64_t m_bytesRead = 0;
};

// One warning for all the files of a folder whose lines end in CR alone, given once they have been counted:
// the files are named, the first few of many.
void WarnFolderLineEndings(Platform& platform, const std::vector<std::string>& files) {
    constexpr std::size_t kNamed = 10;
    if (files.empty()) return;
    std::string text = files.size() == 1
                           ? LineEndingsMessage(kTextCrOnly).text + kCrLf + FileLine("Input file", files[0])
                           : FormatGrouped(static_cast<std::int64_t>(files.size())) +
                                 " files of the folder have Macintosh line endings:";
    if (files.size() > 1) {
        for (std::size_t i = 0; i < std::min(files.size(), kNamed); ++i) text += kCrLf + files[i];
        if (files.size() > kNamed)
            text += std::string(kCrLf) + "and " + FormatGrouped(static_cast<std::int64_t>(files.size() - kNamed)) +
                    " more.";
    }
    platform.ShowMessage(text, "Warning", MsgButtons::Ok, MsgIcon::Exclamation);
}

// After a count that Stop ended: says so and asks whether to list what was found. False when not.
bool AcceptStoppedCount(MainWindow& w) {
    w.StopRequested = false;
    if (!w.txbOutput.Text().empty()) w.AppendOutput(std::string(kCrLf) + kCrLf);
    const std::int64_t found = w.Table.DistinctWordCount();
    w.AppendOutput("Stopped with " + std::to_string(found) + " word" + (found == 1 ? "" : "s") + " found.");
    w.ConcealNumWords();
    w.txbOutput.SetSelStart(w.txbOutput.Text().size());
    const MsgAnswer answer =
        w.platform.ShowMessage(std::string("The operation was stopped before all words were counted.") + kCrLf +
                                   "Do you wish to list the words which were found?",
                               "Counting interrupted", MsgButtons::YesNo, MsgIcon::None);
    if (answer != MsgAnswer::Yes) {
        w.EnableControls(true);
        w.cmdListWords.SetCaption(kIdleCaption);
        return false;
    }
    w.CountInterrupted = true;
    return true;
}

// Counts the file or the clipboard anew before a listing. False when nothing is to be listed.
bool CountForListing(MainWindow& w) {
    w.CountInterrupted = false;
    w.Comments.fromFileType = false;
    w.SkippedFiles.clear();
    bool ok = false;
    if (w.optInFile.Value()) {
        ok = w.CountWordsInFile();
    } else {
        if (!w.FetchClipboardText(false)) {
            w.optInFile.Select();
            return false;
        }
        ok = w.CountWordsInClipboard();
    }
    if (!ok) return false;
    if (w.StopRequested && !AcceptStoppedCount(w)) return false;
    w.blnWordsGot = !w.CountInterrupted;
    if (!w.txbOutput.Text().empty())
        w.AppendOutput(std::string(kCrLf) + kCrLf + w.ProcessingNotice);
    else
        w.txbOutput.SetText(w.ProcessingNotice);
    return true;
}

}  // namespace

void MainWindow::cmdListWords_Click() {
    if (cmdListWords.Caption() == kStopCaption) {
        StopRequested = true;
        return;
    }
    CountAndList();
}

void MainWindow::CountAndList() {
    EnsureCommonWordsLoaded();
    TakeOptionSnapshot();
    MinColumnWidth = 6;
    try {
        // The clipboard may have changed since the last count without the program hearing of it.
        if ((!blnWordsGot || !optInFile.Value()) && !CountForListing(*this)) return;

        cmdListWords.SetCaption(kStopCaption);
        cmdListWords.SetEnabled(false);
        platform.Repaint(nullptr);

        ApplyFilters();
        Table.ComputeStatistics();
        RankByFrequency();
        ShowStatistics();

        ResultsShown = true;
        cmdListWords.SetEnabled(true);
        ListResults();
        // After the words, so that the listing stays as vesk-count gives it.
        if (!SkippedFiles.empty() && !StopRequested) AppendOutput(std::string(kCrLf) + kCrLf + SkippedFilesNote());

        EnableControls(true);
        cmdListWords.SetCaption(kIdleCaption);
        lblTwirler.SetCaption(" ");
        SetTheFocus();
    } catch (...) {
        const RunError failure = RunErrorOf(std::current_exception());
        DropProgressNotice();
        ReportRunError(failure.Number(), failure.Description(), failure.NamedFile());
        EnableControls(true);
        // The failure may have come while the button was disabled for filtering and ranking.
        cmdListWords.SetEnabled(true);
        cmdListWords.SetCaption(kIdleCaption);
        lblTwirler.SetCaption(" ");
        SetTheFocus();
    }
}

namespace {

// Whether the output file may be written for this input: never over the input, never inside the folder
// counted.
bool OutputCanBeWritten(MainWindow& w, const std::string& inputPath, bool folder) {
    const std::string outputPath = w.txbFile[1].Text();
    if (!outputPath.empty() && folder) {
        // The listing would be counted the next time, or be overwritten while it is read.
        if (LiesInCorpus(outputPath, {inputPath}, {})) {
            w.platform.ShowMessage("Output file cannot lie inside the input folder.", "Error", MsgButtons::Ok,
                                   MsgIcon::Exclamation);
            return false;
        }
    } else if (!outputPath.empty()) {
        std::error_code ec;
        // Writing the listing over the input would destroy it, however the two names are spelt.
        const bool sameFile = outputPath == inputPath || std::filesystem::equivalent(outputPath, inputPath, ec);
        if (sameFile) {
            w.platform.ShowMessage("Output file cannot be the same as the input file.", "Error", MsgButtons::Ok,
                                   MsgIcon::Exclamation);
            return false;
        }
    }
    return true;
}

}  // namespace

bool MainWindow::CountWordsInFile() {
    txbFile[0].SetText(TrimSpaces(txbFile[0].Text()));
    const std::string inputPath = txbFile[0].Text();
    // A source that fails leaves no figures of an earlier count behind.
    if (inputPath.empty()) {
        ConcealNumWords();
        platform.ShowMessage("Input file not specified.", "Error", MsgButtons::Ok, MsgIcon::Exclamation);
        return false;
    }
    if (!CheckInputFile(inputPath)) {
        ConcealNumWords();
        return false;
    }

    const bool folder = IsInputFolder(inputPath);
    if (!OutputCanBeWritten(*this, inputPath, folder)) return false;

    std::error_code sizeError;
    const auto fileSize = std::filesystem::file_size(inputPath, sizeError);
    const FolderFiles listed = folder ? ListFolderFiles(inputPath) : FolderFiles{};
    const std::int64_t length = folder ? listed.totalBytes : sizeError ? 0 : static_cast<std::int64_t>(fileSize);
    if (txbFile[1].Text().empty() && length > kLargeFileBytes) {
        const std::string input = folder ? "folder" : "file";
        const MsgAnswer answer = platform.ShowMessage(
            "The input " + input + " is quite large.  It is advisable to specify an output file " +
                "before continuing," + kCrLf + "in case the text window will not hold the result. " +
                "Do you wish to specify an output file?",
            "Large input " + input, MsgButtons::YesNoCancel, MsgIcon::None);
        if (answer == MsgAnswer::Cancel) return false;
        if (answer == MsgAnswer::Yes) cmdFile_Click(1);
    }

    txbOutput.SetText(kCheckingFileNotice);
    lblSizeOfClipboardContents.SetCaption("");
    ConcealNumWords();
    platform.Repaint(nullptr);
    if (folder) return CountWordsInFolder(listed);

    std::string openError;
    int openErrorNumber = kErrorUnknown;
    std::unique_ptr<ByteSource> source = ByteSource::OpenFile(inputPath, openError, &openErrorNumber, ChosenEncoding());
    if (!source) {
        DropProgressNotice();
        ReportRunError(openErrorNumber, openError, FileLine("Input file", inputPath));
        return false;
    }
    return CountWordsFromSource(*source, FileExtension(inputPath, true), inputPath);
}

bool MainWindow::CountWordsFromSource(ByteSource& source, const std::string& extension, const std::string& name) {
    const std::string fileLine = name.empty() ? std::string() : FileLine("Input file", name);
    if (!CheckSourceText(*this, source, fileLine)) return false;

    ClipboardText.clear();
    cmdClearOutput_Click();
    SavedSuppressWords = chkSuppressWords.Value();
    Table.Reset();
    if (!ChooseCommentMarkers(*this, extension)) return false;

    StopRequested = false;
    Scanner.ResetComments();
    cmdListWords.SetCaption(kStopCaption);
    EnableControls(false);
    ReadSourceLines(*this, source, fileLine);
    return true;
}

bool MainWindow::CountWordsInFolder(const FolderFiles& listed) {
    lblFilesize.SetCaption(FolderSizeLine(listed));
    // The user's markers are checked once, and only when some file would use them.
    const bool allowMarkers = frmParams->chkAllowCommentMarkers.Value() == 1;
    const bool userMarkers = std::any_of(listed.files.begin(), listed.files.end(), [&](const CorpusFile& file) {
        return MarkersForExtension(FileExtension(file.path, true), allowMarkers) == MarkerChoice::User;
    });
    if (userMarkers && !ValidateCommentMarkers()) {
        DropProgressNotice();
        frmParams->Show();
        return false;
    }

    ClipboardText.clear();
    cmdClearOutput_Click();
    SavedSuppressWords = chkSuppressWords.Value();
    Table.Reset();
    SkippedFiles.clear();
    Comments.fromFileType = false;
    StopRequested = false;
    cmdListWords.SetCaption(kStopCaption);
    EnableControls(false);
    const bool showProgress = listed.totalBytes > kProgressBarMinBytes;
    if (showProgress) ShowProgressLabel(*this, true);

    const std::vector<CorpusInput> inputs = FolderInputs(*this, listed);
    const InputEncoding encoding = ChosenEncoding();
    std::atomic<bool> stop{false};
    FolderReports reports(*this, listed, showProgress ? listed.totalBytes : 0, stop);
    std::exception_ptr failure;
    try {
        // A Stop pressed already counts nothing.
        platform.PumpEvents();
        if (!StopRequested) CountCorpus(inputs, encoding, DefaultJobCount(), Table, reports, &stop);
    } catch (...) {
        failure = std::current_exception();
    }
    Table.Finish();
    ShowProgressLabel(*this, false);
    chkSuppressWords.SetValue(SavedSuppressWords);
    lblTwirler.SetCaption(" ");
    if (failure) std::rethrow_exception(failure);
    WarnFolderLineEndings(platform, reports.crOnlyFiles);
    if (!StopRequested && SkippedFiles.size() == listed.files.size()) {
        EnableControls(true);
        cmdListWords.SetCaption(kIdleCaption);
        txbOutput.SetText(SkippedFilesNote());
        ConcealNumWords();
        platform.ShowMessage(
            listed.files.empty() ? "The folder holds no file to count." : "No file of the folder could be counted.",
            "Invalid input", MsgButtons::Ok, MsgIcon::Exclamation);
        return false;
    }
    return true;
}

std::string MainWindow::SkippedFilesNote() const {
    if (SkippedFiles.empty()) return {};
    std::string note = SkippedFiles.size() == 1
                           ? std::string("1 file was not counted:")
                           : FormatGrouped(static_cast<std::int64_t>(SkippedFiles.size())) + " files were not counted:";
    for (const std::string& skipped : SkippedFiles) note += kCrLf + skipped;
    return note;
}

bool MainWindow::CountWordsInClipboard() {
    if (!IsPlainText(ClipboardText, kClipboardCheckChars)) {
        platform.ShowMessage(
            std::string("The text on the clipboard does not consist") + kCrLf + "solely of natural language words.",
            "Invalid input", MsgButtons::Ok, MsgIcon::Exclamation);
        return false;
    }
    if (frmParams->chkAllowCommentMarkers.Value() != 1) {
        SetCommentMarkers("");
    } else {
        if (!ValidateCommentMarkers()) {
            frmParams->Show();
            return false;
        }
        SetCommentMarkers("OK");
    }

    SavedSuppressWords = chkSuppressWords.Value();
    const auto reportAndGoOn = [this] {
        lblTwirler.SetCaption(" ");
        const RunError failure = RunErrorOf(std::current_exception());
        ReportRunError(failure.Number(), failure.Description());
    };
    try {
        cmdClearOutput_Click();
        Table.Reset();
        StopRequested = false;
        Scanner.ResetComments();
        cmdListWords.SetCaption(kStopCaption);
        EnableControls(false);
        cmdClearOutput_Click();
    } catch (...) {
        reportAndGoOn();
    }
    try {
        if (!ClipboardText.empty()) {
            if (frmParams->chkCaseSignificant.Value() != 1) ClipboardText = LowerCase(ClipboardText);
            CurrentLine = ClipboardText;
            CurrentLine.push_back(' ');
            Scanner.SetOptions(CurrentScanOptions(false));
            Scanner.ScanLine(CurrentLine);
        }
    } catch (...) {
        reportAndGoOn();
    }
    Table.Finish();
    try {
        chkSuppressWords.SetValue(SavedSuppressWords);
        SetTheFocus();
    } catch (...) {
        reportAndGoOn();
    }
    return true;
}

void MainWindow::ReportRunError(int number, const std::string& description, const std::string& namedFile) {
    std::string text;
    if (number == kErrorBoxFull) {
        text = "Textbox is full.  ";
        if (txbFile[1].Text().empty())
            text += "Try writing output to a file.";
        else if (chkDisableOutputToFile.Value() == 1)
            text += "Try repeating with output to file enabled.";
        else if (ResultsWrittenToFile)
            text += std::string(kCrLf) + "Results have been written to the output file.";
    } else {
        text = ErrorNumberText(number, description);
        if (!namedFile.empty()) text += kCrLf + namedFile;
        if (ResultsWrittenToFile) text += std::string(kCrLf) + "Results have been written to the output file.";
    }
    platform.ShowMessage(text, "Error", MsgButtons::Ok, MsgIcon::Exclamation);
}

}  // namespace vesk
