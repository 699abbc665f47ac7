// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window (frmMain): its controls, the run state and the public flags the other windows read,
// and its procedures. The procedures are implemented by subject in several files:
//   app/MainWindowStartup.cpp  start-up, start values, focus rule, source buttons
//   app/CountingRun.cpp        the count button, counting a file or the clipboard, run errors
//   app/CommentMarkerRules.cpp setting and validating comment markers
//   listing/InputSource.cpp    input and output file names, clipboard fetch, output box buttons
//   listing/ListResults.cpp    ranking, listing passes, output file, choice lists
//   app/WordFiltering.cpp      ApplyFilters
//   listing/Statistics.cpp     the statistics labels
//   app/CommonWordsReading.cpp reading the common-words file
//   params/ParameterFile.cpp   SaveState / RestoreSavedState, "Save state", "Quit"

#include <array>
#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "app/Controls.h"
#include "app/Platform.h"
#include "engine/CommentMarkers.h"
#include "engine/CommonWords.h"
#include "engine/Encoding.h"
#include "engine/LineScanner.h"
#include "engine/ScanOptions.h"
#include "engine/WordTable.h"
#include "settings/ParameterSet.h"

namespace vesk {

class ParamsWindow;
class HelpWindow;
class ByteSource;
struct FolderFiles;
class ProgramText;

// The choices of "Input encoding": detection first, then converter names ICU knows.
inline constexpr std::array<const char*, 22> kInputEncodingNames = {
    "Automatic",   "UTF-8",        "UTF-16LE",     "UTF-16BE",     "windows-1252", "windows-1250",
    "iso-8859-2",  "windows-1251", "koi8-r",       "koi8-u",       "iso-8859-5",   "iso-8859-1",
    "iso-8859-15", "windows-1253", "windows-1254", "windows-1257", "windows-1255", "windows-1256",
    "windows-874", "Shift_JIS",    "GB18030",      "Big5"};

class MainWindow : public Form, public ScanObserver {
  public:
    MainWindow(Platform& platform, ProgramText& texts);
    // Links the other two windows; called once by Program before Form_Load.
    void Attach(ParamsWindow& params, HelpWindow& help);

    Platform& platform;
    ProgramText& programText;
    ParamsWindow* frmParams = nullptr;
    HelpWindow* frmHelp = nullptr;

    // ---- Controls ----
    Button cmdListWords{"cmdListWords"};
    TextBox txbOutput{"txbOutput"};
    TextBox txbFile[2]{TextBox{"txbFile(0)"}, TextBox{"txbFile(1)"}};
    Button cmdFile[2]{Button{"cmdFile(0)"}, Button{"cmdFile(1)"}};
    Button cmdClearFile[2]{Button{"cmdClearFile(0)"}, Button{"cmdClearFile(1)"}};
    Button cmdFolder{"cmdFolder"};  // chooses a folder as the input
    OptionButton optInFile{"optInFile", "file"};
    OptionButton optInTextBox{"optInTextBox", "clipboard"};
    Label lblFilesize{"lblFilesize"};
    Label lblSizeOfClipboardContents{"lblSizeOfClipboardContents"};
    CheckBox chkDisableOutputToFile{"chkDisableOutputToFile", "Disable"};
    CheckBox chkSuppressWords{"chkSuppressWords", "Don't display words as found"};
    Button cmdClearOutput{"cmdClearOutput"};
    Button cmdCopyOutput{"cmdCopyOutput"};
    Button cmdSetParameters{"cmdSetParameters"};
    Button cmdHelp{"cmdHelp"};
    Button cmdSaveState{"cmdSaveState"};
    Button cmdQuit{"cmdQuit"};
    Label lblNumberOfWords{"lblNumberOfWords"};
    Label lblNumWordsExcluded{"lblNumWordsExcluded"};
    Label lblNumOccurrences{"lblNumOccurrences"};
    Label lblTotalNumOccurrences{"lblTotalNumOccurrences"};
    Label lblTwirler{"lblTwirler"};
    ComboBox cboWordOrder{"cboWordOrder"};
    ComboBox cboDisplayFormat{"cboDisplayFormat"};
    // How the input and common-words files are decoded; kept with the places of the windows, not in the
    // parameter files.
    ComboBox cboInputEncoding{"cboInputEncoding"};
    Label Label1{"Label1"};  // program text 19; a click fetches the clipboard text
    Label Label2{"Label2"};  // program text 20
    Label lblKestrineSystems{"lblKestrineSystems"};
    Label lblOnlineDocumentation{"lblOnlineDocumentation"};
    Control Frame2{"Frame2"};  // the statistics frame, for repaints
    // In the statistics frame: the list shown was made with options that have changed since.
    Label lblOptionsChanged{"lblOptionsChanged"};

    // ---- Public flags and strings ----
    bool blnWordsGot = false;
    bool blnStartUpCompleted = false;
    bool blnCommonWordsLoaded = false;
    bool blnQuitting = false;
    std::string strWordsToIgnore = ",";
    std::string strCommonWordsFile;
    std::string strStateFile;

    // ---- Run state ----
    bool StopRequested = false;
    std::string CurrentLine;
    std::string ClipboardText;
    bool CountInterrupted = false;
    bool ResultsShown = false;
    bool ResultsWrittenToFile = false;
    // The files of the folder counted last that could not be counted, each "path: reason".
    std::vector<std::string> SkippedFiles;
    std::int16_t LineEndingKind = 1;
    int SavedSuppressWords = 0;
    std::int16_t ProgressBarWidth = 37;
    std::string ProcessingNotice = "Processing ...";
    // The output box's other notices of work under way.
    static constexpr const char* kCheckingFileNotice = "Checking file ...";
    static constexpr const char* kWritingFileNotice = "Now writing to output file ...";
    std::int32_t MaxClipboardChars = 100000;
    std::array<int, 4> TwirlerChars{220, 221, 223, 222};
    std::int16_t MinColumnWidth = 6;
    bool ListingToFile = false;
    std::int64_t FrequencyChainHead = 0;
    // Counts the rankings, and the table's generation at the last: a view of the results follows the listing
    // by them (app/ResultsModel.h).
    std::uint64_t ListingSerial = 0;
    std::uint64_t RankedGeneration = 0;
    // The parameters held at the last ranking, the input file left empty for the clipboard: what shaped the
    // words listed, for an export of them.
    ParameterSet ListedParameters;
    // A listing is under way; a request for another one (order or format changed meanwhile) sets
    // RelistRequested, which ends the current listing and starts it again with the new choices.
    bool ListingInProgress = false;
    bool RelistRequested = false;
    AllowedCharacters OptionSnapshot;
    // The folder of the last file chosen in a file dialog or checked as the input; empty before there is one.
    std::string LastDialogFolder;
    // How an output file looked when the program had written it: a file still so is overwritten without
    // asking again.
    struct OutputFileStamp {
        std::filesystem::file_time_type modified;
        std::uintmax_t size = 0;
        bool operator==(const OutputFileStamp&) const = default;
    };
    // Each output file written since the program started.
    std::map<std::filesystem::path, OutputFileStamp> OutputFilesWritten;

    CommentMarkers Comments;  // the markers in force (SetCommentMarkers); the open comment is the scanner's
    WordTable Table;
    LineScanner Scanner{Table};
    CommonWordSet CommonWords;
    std::int64_t CommonWordCount() const { return CommonWords.Size(); }

    // ---- Start-up and shutdown (app/MainWindowStartup.cpp) ----
    void Form_Load();
    // Loads the program texts from the program's folder; on failure shows the message (critical icon, empty
    // title) and ends the program, returning false.
    bool LoadProgramText(const std::string& fileName);
    // The text with that number in the current language, or "".
    std::string GetProgramText(std::int16_t number) const;
    void PrepareMainWindow();
    void InitializeVariables();
    void Initialize();
    void SetDefaultCommonWordsFile();
    void SetWindowTitle();
    void ConcealNumWords();
    void SetTheFocus();
    void UpdateDisableOutputOption();
    void optInFile_Click();
    void optInTextBox_Click();
    void chkSuppressWords_Click();
    void Label1_Click();

    // ---- Counting run (app/CountingRun.cpp) ----
    void cmdListWords_Click();
    void CountAndList();
    bool CountWordsInFile();
    // Every file of a folder into one table, counted on every core and merged in the order vesk-count takes
    // them; the files that cannot be counted are noted in SkippedFiles. False when nothing was counted.
    bool CountWordsInFolder(const FolderFiles& listed);
    // The files of SkippedFiles under a line that says how many there are; "" when there are none.
    std::string SkippedFilesNote() const;
    // Steps of a file count from the text-file check on, over an opened source; `extension` chooses the
    // comment markers. `name` is the input file's name for failure messages ("" when it has none).
    bool CountWordsFromSource(ByteSource& source, const std::string& extension, const std::string& name = {});
    bool CountWordsInClipboard();
    // `namedFile`: the FileLine of the file that failed, shown on the line after the error, or "".
    void ReportRunError(int number, const std::string& description, const std::string& namedFile = {});

    // ---- Comment markers (app/CommentMarkerRules.cpp) ----
    void SetCommentMarkers(const std::string& strType);
    bool ValidateCommentMarkers();

    // ---- Input source (listing/InputSource.cpp) ----
    void cmdFile_Click(int index);
    void cmdFolder_Click();
    void cmdClearFile_Click(int index);
    // A file dropped on the window becomes the input, as if chosen in the input file dialog; ignored while
    // the input box is disabled (during a count).
    void FileDropped(const std::string& path);
    void txbFile_LostFocus(int index);
    // Checks the input box's file or folder and shows its size; false (with a message once started) when it
    // cannot be counted.
    bool CheckInputFile(const std::string& name);
    bool FetchClipboardText(bool showInBox);
    void ShowClipboardSize(std::int64_t length);
    // Where a file dialog opens: the folder of `named` (the name in the dialog's box) when it exists, else the
    // folder last used, else the home folder.
    std::string DialogFolder(const std::string& named) const;
    // Notes the folder of a chosen or checked file as the one last used, when it exists.
    void RememberDialogFolder(const std::string& path);
    // The folder a file name lies in, when it exists; else empty.
    std::string ExistingFolderOf(const std::string& path) const;
    void cmdClearOutput_Click();
    // Takes a notice of work under way ("Processing ...", "Checking file ...") back out of the output box
    // when a failure has ended that work, so that the box promises no result.
    void DropProgressNotice();
    void cmdCopyOutput_Click();
    void cmdSetParameters_Click();
    void EnableControls(bool enabled);
    void cmdHelp_Click();
    void cmdHelp_KeyUp(int keyCode);
    void cmdFile_KeyUp(int index, int keyCode);
    void cmdListWords_KeyUp(int keyCode);
    void lblKestrineSystems_Click();
    void lblOnlineDocumentation_Click();
    void LaunchBrowser(const std::string& target);

    // ---- Listing (listing/ListResults.cpp) ----
    void FillComboBoxes();
    void RankByFrequency();
    void ListResults();
    void ShowNoWordsMessage();
    void cboWordOrder_Click();
    void cboDisplayFormat_Click();
    void cboInputEncoding_Click();
    // The encoding chosen for the input and common-words files.
    InputEncoding ChosenEncoding() const;

    // ---- Word filters (app/WordFiltering.cpp) ----
    void ApplyFilters();

    // ---- Statistics (listing/Statistics.cpp) ----
    void ShowStatistics();
    // After a filter or word-forming option changed: says, beside the figures of a listing, that the list
    // no longer follows the options. The next listing's figures, or hiding them, take the line away.
    void MarkListingOutdated();

    // ---- Common words (app/CommonWordsReading.cpp) ----
    void AttemptToReadCommonWords();
    bool ReadCommonWords();
    // Before a count: reads the common-words file when the list is in use but not marked as read from that
    // file (params/IgnoreLists.cpp).
    void EnsureCommonWordsLoaded();

    // ---- Parameter files and saved state (params/) ----
    std::string SaveState(const std::string& strParameterFile);
    // The parameter set the windows hold now.
    ParameterSet HeldParameterSet();
    std::string RestoreSavedState(const std::string& strParameterFile);
    void cmdSaveState_Click();
    void cmdQuit_Click();

    // Appends to the output box and puts the caret at the end.
    void AppendOutput(std::string_view text);

    // ---- Scanning ----
    // The options of a scan starting now: the run's snapshot of the "Allow" options, the comment markers in
    // force, and the options the scanner follows from their boxes as they are now.
    ScanOptions CurrentScanOptions(bool lowerCase) const;
    // Brings the options the scanner follows from their boxes up to date, after events may have changed them.
    void RefreshScanOptions();
    // The running display of new words: each shown in the output box, the count in its label.
    void OnNewWord(std::string_view word, std::int64_t distinctWords) override;
    // Runs the pending events after each word, so that a press of Stop is seen.
    bool ShouldStop() override;
    // The window always shows each new word.
    bool IsQuiet() const override { return false; }

    // Copies the nine "Allow" options of the parameters window into OptionSnapshot.
    void TakeOptionSnapshot();
};

}  // namespace vesk
