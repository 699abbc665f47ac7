// SPDX-License-Identifier: GPL-3.0-or-later
#include <filesystem>
#include <string>
#include <system_error>

#include "app/MainWindow.h"
#include "app/OutputBox.h"
#include "engine/FileChecks.h"
#include "listing/LineComposer.h"
#include "listing/ListingPass.h"
#include "listing/OutputFile.h"
#include "listing/Ranking.h"
#include "listing/RunError.h"
#include "listing/RunTexts.h"
#include "params/ParamsWindow.h"

namespace vesk {

namespace {

constexpr const char* kCrLf = "\r\n";

WordOrder SelectedOrder(const MainWindow& w) {
    return w.cboWordOrder.ListIndex() == 1 ? WordOrder::Alphabetical : WordOrder::ByFrequency;
}

LineComposer ComposerFor(const MainWindow& w, ListLayout layout) {
    const WordStatistics& stats = w.Table.Statistics();
    return LineComposer(w.cboDisplayFormat.ListIndex(), layout, ColumnWidths::For(stats, w.MinColumnWidth),
                        stats.longestWordLength);
}

PassControl ControlFor(MainWindow& w) {
    return PassControl{[&w] { w.platform.PumpEvents(); }, [&w] { return w.StopRequested || w.RelistRequested; }};
}

// A failure inside a pass ends that pass only; the listing goes on with its next step.
void ReportPassFailure(MainWindow& w, const RunError& failure) {
    w.lblTwirler.SetCaption(" ");
    w.ReportRunError(failure.Number(), failure.Description(), failure.NamedFile());
    w.txbOutput.SetSelStart(0);
}

// Whether the output name points at the input file, however either is spelt.
bool NamesInputFile(const std::string& output, const std::string& input) {
    if (input.empty()) return false;
    if (output == input) return true;
    std::error_code error;
    return std::filesystem::equivalent(output, input, error);
}

// The file as the file system knows it, so that two spellings of one name are one file.
std::filesystem::path OutputFileKey(const std::string& name) {
    std::error_code error;
    const std::filesystem::path path = std::filesystem::weakly_canonical(SystemPath(name), error);
    return error ? SystemPath(name) : path;
}

MainWindow::OutputFileStamp StampOf(const std::filesystem::path& path) {
    std::error_code error;
    MainWindow::OutputFileStamp stamp;
    stamp.modified = std::filesystem::last_write_time(path, error);
    stamp.size = std::filesystem::file_size(path, error);
    return stamp;
}

// The program wrote this file since it started, and nobody has changed it since.
bool WrittenByThisRun(const MainWindow& w, const std::string& name) {
    const std::filesystem::path key = OutputFileKey(name);
    const auto written = w.OutputFilesWritten.find(key);
    return written != w.OutputFilesWritten.end() && written->second == StampOf(key);
}

enum class FilePassOutcome { Continue, EndListing };

FilePassOutcome RunFilePass(MainWindow& w) {
    const std::string name = w.txbFile[1].Text();
    w.ListingToFile = !name.empty() && w.chkDisableOutputToFile.Value() != 1;
    // A count refuses this, but the name may have changed since; re-listing must not destroy the input.
    if (w.ListingToFile && w.optInFile.Value() && NamesInputFile(name, w.txbFile[0].Text())) {
        w.platform.ShowMessage("Output file cannot be the same as the input file.", "Error", MsgButtons::Ok,
                               MsgIcon::Exclamation);
        w.ListingToFile = false;
    }
    // A file this program wrote is its own listing: writing a new one over it needs no question.
    if (w.ListingToFile && w.frmParams->chkWarnOnOverwrite.Value() == 1 && FileExists(name) &&
        !WrittenByThisRun(w, name)) {
        const MsgAnswer answer = w.platform.ShowMessage("Output file exists.  OK to overwrite?", "Output file exists",
                                                        MsgButtons::YesNo, MsgIcon::None);
        if (answer == MsgAnswer::No) {
            w.chkDisableOutputToFile.SetValue(1);
            w.ListingToFile = false;
        }
    }
    if (!w.ListingToFile) return FilePassOutcome::Continue;

    if (w.txbOutput.Text().empty()) w.txbOutput.SetText(MainWindow::kWritingFileNotice);
    const LineComposer composer =
        ComposerFor(w, w.frmParams->chkOutputWithCommas.Value() == 1 ? ListLayout::Comma : ListLayout::Plain);
    OutputFile file(composer.JoinsWords());
    try {
        file.Open(name);
    } catch (const RunError& failure) {
        w.ListingToFile = false;
        // No listing follows: the box must not go on announcing one.
        w.DropProgressNotice();
        w.ReportRunError(failure.Number(), failure.Description(), failure.NamedFile());
        return FilePassOutcome::EndListing;
    }

    bool complete = false;
    bool failed = false;
    try {
        complete = RunListingPass(w.Table, w.FrequencyChainHead, SelectedOrder(w), composer, file, ControlFor(w));
    } catch (const RunError& failure) {
        failed = true;
        ReportPassFailure(w, failure);
    }
    try {
        file.Close();
    } catch (const RunError& failure) {
        // Data held back by buffering can fail only here; one report per pass is enough.
        if (!failed) ReportPassFailure(w, failure);
        failed = true;
    }
    // Only a file that holds the whole listing counts as written: a later failure report says so.
    w.ResultsWrittenToFile = complete && !failed;
    const std::filesystem::path key = OutputFileKey(name);
    w.OutputFilesWritten[key] = StampOf(key);
    w.txbOutput.SetSelStart(0);
    return FilePassOutcome::Continue;
}

void RunBoxPass(MainWindow& w) {
    const LineComposer composer = ComposerFor(w, ListLayout::Plain);
    OutputBox box(w.txbOutput, w.lblTwirler, w.platform, w.TwirlerChars, composer.JoinsWords());
    try {
        RunListingPass(w.Table, w.FrequencyChainHead, SelectedOrder(w), composer, box, ControlFor(w));
    } catch (const RunError& failure) {
        ReportPassFailure(w, failure);
        return;
    }
    w.txbOutput.SetSelStart(0);
}

// One listing from start to end (the driver's steps); returns early when a new listing was requested.
void ListOnce(MainWindow& w) {
    w.ResultsWrittenToFile = false;
    w.StopRequested = false;

    if (w.Table.Statistics().listedWordCount == 0) {
        w.txbOutput.SetText("");
        w.ShowNoWordsMessage();
    } else {
        const FilePassOutcome outcome = RunFilePass(w);
        w.ListingToFile = false;
        // A stop pressed together with a change of choice wins: the listing ends as stopped.
        if (outcome == FilePassOutcome::EndListing || (w.RelistRequested && !w.StopRequested)) return;
        w.txbOutput.SetText("");
        w.platform.Repaint(nullptr);
        if (w.StopRequested) {
            w.txbOutput.SetText(std::string("Output to file was terminated.") + kCrLf);
            return;
        }
        RunBoxPass(w);
        if (w.RelistRequested && !w.StopRequested) return;
        if (w.StopRequested) {
            w.txbOutput.Append(std::string(kCrLf) + "Listing stopped." + kCrLf);
            w.txbOutput.SetSelStart(w.txbOutput.Text().size());
            return;
        }
    }

    const std::string& text = w.txbOutput.Text();
    if (text.size() > 2 && w.cboDisplayFormat.ListIndex() == kFormatWordsJoined && text.ends_with(", "))
        w.txbOutput.SetText(text.substr(0, text.size() - 2));
}

}  // namespace

void MainWindow::FillComboBoxes() {
    cboWordOrder.Clear();
    for (const char* item : kWordOrderNames) cboWordOrder.AddItem(item);
    cboWordOrder.SetListIndex(0);

    cboDisplayFormat.Clear();
    for (const char* item : kDisplayFormatNames) cboDisplayFormat.AddItem(item);
    cboDisplayFormat.SetListIndex(0);

    cboInputEncoding.Clear();
    for (const char* item : kInputEncodingNames) cboInputEncoding.AddItem(item);
    cboInputEncoding.SetListIndex(0);

    auto fillNumbers = [](ComboBox& list, int first, int last, int step, int defaultIndex) {
        list.Clear();
        for (int n = first; n <= last; n += step) list.AddItem(std::to_string(n));
        list.SetListIndex(defaultIndex);
    };
    fillNumbers(frmParams->cboShortWordSize, 2, 9, 1, 1);
    fillNumbers(frmParams->cboLongWordSize, 20, 80, 10, 3);
    fillNumbers(frmParams->cboThresholdFrequency, 2, 9, 1, 0);
}

void MainWindow::RankByFrequency() {
    FrequencyChainHead = vesk::RankByFrequency(Table);
    ++ListingSerial;
    RankedGeneration = Table.Generation();
    ListedParameters = HeldParameterSet();
    if (!optInFile.Value()) ListedParameters.inputFile.clear();
}

void MainWindow::ListResults() {
    if (ListingInProgress) {
        RelistRequested = true;
        return;
    }
    ListingInProgress = true;
    try {
        do {
            RelistRequested = false;
            ListOnce(*this);
        } while (RelistRequested && !StopRequested);
    } catch (const RunError& failure) {
        // Outside the passes only the output box can fail (too small for a message).
        lblTwirler.SetCaption(" ");
        DropProgressNotice();
        ReportRunError(failure.Number(), failure.Description(), failure.NamedFile());
    }
    ListingToFile = false;
    RelistRequested = false;
    ListingInProgress = false;
}

void MainWindow::ShowNoWordsMessage() {
    txbOutput.SetText(NoWordsMessage(Table.DistinctWordCount(), frmParams->cboShortWordSize.ListIndex(),
                                     frmParams->cboThresholdFrequency.ListIndex(),
                                     frmParams->chkIgnoreInfrequentWords.Value() == 1));
}

// A parameter load sets both lists with the parameters window reverting: it never lists, since the output
// file it names may be another than the one the user last chose.
void MainWindow::cboInputEncoding_Click() {
    // Words counted and common words read in another encoding are read again by the next count.
    if (!blnStartUpCompleted) return;
    blnWordsGot = false;
    blnCommonWordsLoaded = false;
    MarkListingOutdated();
}

InputEncoding MainWindow::ChosenEncoding() const {
    InputEncoding encoding;
    if (cboInputEncoding.ListIndex() > 0) EncodingOfName(cboInputEncoding.Text(), encoding);
    return encoding;
}

void MainWindow::cboWordOrder_Click() {
    if (blnWordsGot && !frmParams->blnReverting) ListResults();
    SetTheFocus();
}

void MainWindow::cboDisplayFormat_Click() {
    if (blnWordsGot && !frmParams->blnReverting) ListResults();
    SetTheFocus();
}

}  // namespace vesk
