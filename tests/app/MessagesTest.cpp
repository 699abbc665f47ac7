// SPDX-License-Identifier: GPL-3.0-or-later
// Every message box of the windows, each once: the condition that brings it, and the exact boxes shown, in
// order; and the conditions just short of a message, which show none. After each case the count button is
// idle again, and the words of a count are in hand only where the case says so.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <filesystem>
#include <new>
#include <stdexcept>
#include <string>
#include <system_error>

#include "app/AppTestSupport.h"
#include "app/FileMessages.h"
#include "engine/FileChecks.h"
#include "engine/ScanHarness.h"
#include "listing/RunError.h"

namespace vesk::test {
namespace {

using A = MsgAnswer;
using B = MsgButtons;
using I = MsgIcon;
using W = WindowTest;

// What a case counts: a file `input` of the test folder holding `bytes` (none: `input` names no file),
// `input` as typed, the clipboard holding `bytes`, or nothing (its set-up does what it does).
enum Source { kFile, kTyped, kClipboard, kNothing };

struct Case {
    const char* name;
    Source source;
    const char* input;
    const char* bytes;
    std::vector<MsgAnswer> answers;
    // The boxes shown; in their texts "%in" stands for the input's path and "%f" for the test folder.
    std::vector<ShownMessage> shown;
    bool counted = false;
    void (*before)(W&) = nullptr;
    void (*after)(W&) = nullptr;
};

const char* const kLarge =
    "The input file is quite large.  It is advisable to specify an output file before continuing,\r\n"
    "in case the text window will not hold the result. Do you wish to specify an output file?";
const char* const kRereadText = "Changing this entails reading the file anew.  Is this OK?";
const ShownMessage kRereadOrNot{kRereadText, kDefaultMessageTitle, B::YesNo, I::None};
const ShownMessage kReread{kRereadText, kDefaultMessageTitle, B::YesNoCancel, I::None};
const ShownMessage kLargeQuestion{kLarge, "Large input file", B::YesNoCancel, I::None};
const ShownMessage kBoxFull{"Textbox is full.  Try writing output to a file.", "Error", B::Ok, I::Exclamation};
const ShownMessage kMac{"This file has Macintosh line endings.", "Warning", B::Ok, I::Exclamation};
const ShownMessage kSlow{"Processing will continue but may be slow.", "Warning", B::OkCancel, I::None};
const ShownMessage kSameMarkers{
    "Start-comment and end-comment markers must be different.\r\n\r\n"
    "Check the comment markers in the 'Set parameters' panel.",
    "Error", B::Ok, I::Exclamation};
const ShownMessage kBrowser{
    "Error launching web browser.\r\n\r\nPlease make sure that your web browser is correctly "
    "installed,\r\nthat '.htm' files are associated with it, and that there is\r\nsufficient "
    "memory available.",
    "Cannot launch web browser", B::Ok, I::Exclamation};
const ShownMessage kCommonLoaded{"Common words loaded from %f/common.txt", "Common words", B::Ok, I::Information};
const ShownMessage kAlreadyLoaded{
    "This file has already been loaded.  Click on 'Clear' and re-select the file if it has been changed on disk.",
    "Common words loaded", B::Ok, I::None};

ShownMessage Error(const std::string& text) { return {text, "Error", B::Ok, I::Exclamation}; }

// 200,000 bytes of lines, and one more when `over`; counted.
void CountLarge(W& w, bool over) { w.CountFile(w.MakeFile("big.txt", std::string(200000 + over, 'w'))); }
// The run error of a number, with results written to the file or not, an output file named or not, and its
// "Disable" box.
void ReportWith(W& w, bool written, bool named, int disabled, int number) {
    w.main.ResultsWrittenToFile = written;
    w.main.txbFile[1].SetText(named ? w.PathOf("out.txt") : "");
    w.main.UpdateDisableOutputOption();
    w.main.chkDisableOutputToFile.SetValue(disabled);
    w.main.ReportRunError(number, number == 13 ? "Permission denied" : "No space left on device");
}
// The user's comment markers, allowed; the parameters window hidden.
void SetMarkers(W& w, const char* start0, const char* end0, const char* start1 = "") {
    w.params.chkAllowCommentMarkers.SetValue(1);
    w.params.txbStartComment[0].SetText(start0);
    w.params.txbEndComment[0].SetText(end0);
    w.params.txbStartComment[1].SetText(start1);
    w.params.Hide();
}
void SameMarkers(W& w) { SetMarkers(w, "##", "##"); }
void ExpectParamsShown(W& w) { EXPECT_TRUE(w.params.Visible()); }
void ExpectOutputEmpty(W& w) { EXPECT_EQ(w.main.txbOutput.Text(), ""); }
void UseCommonWords(W& w) { w.main.strCommonWordsFile = w.MakeFile("common.txt", "the\r\nand\r\nof\r\n"); }
void Load(W& w, ParameterSet set) {
    w.platform.ExpectFileDialog(w.WriteSet(set));
    w.params.cmdSaveLoadParameters[1].Click();
}

// clang-format off
const Case kCases[] = {
    // ---- A count that cannot start, or asks first ----
    {"NoInputName", kTyped, "   ", nullptr, {A::Ok}, {Error("Input file not specified.")}, false,
     [](W& w) { w.main.txbOutput.SetText("earlier"); },
     [](W& w) { EXPECT_EQ(w.main.txbFile[0].Text() + w.main.txbOutput.Text(), "earlier"); }},
    {"InputEndingInASlash", kTyped, "texts/", nullptr, {A::Ok},
     {{"Invalid input file specification.", "Invalid input", B::Ok, I::Exclamation}}},
    {"EmptyFolder", kNothing, "", nullptr, {A::Ok},
     {{"The folder holds no file to count.", "Invalid input", B::Ok, I::Exclamation}}, false,
     [](W& w) { std::filesystem::create_directories(w.folder / "texts"); w.CountFile(w.PathOf("texts")); }},
    {"NoFileOfTheFolderCounted", kNothing, "", nullptr, {A::Ok},
     {{"No file of the folder could be counted.", "Invalid input", B::Ok, I::Exclamation}}, false,
     [](W& w) {
         std::filesystem::create_directories(w.folder / "texts");
         w.MakeFile("texts/data.bin", "a\x01");
         w.CountFile(w.PathOf("texts")); },
     [](W& w) {
         EXPECT_EQ(w.main.txbOutput.Text(), "1 file was not counted:\r\n" + w.PathOf("texts/data.bin") +
                                                ": not a text file"); }},
    {"OutputInsideTheFolder", kNothing, "", nullptr, {A::Ok}, {Error("Output file cannot lie inside the input folder.")},
     false, [](W& w) {
         std::filesystem::create_directories(w.folder / "texts");
         w.MakeFile("texts/a.txt", "alpha\n");
         w.main.txbFile[1].SetText(w.PathOf("texts/deeper/out.txt"));
         w.CountFile(w.PathOf("texts")); }},
    {"MissingInput", kFile, "missing.txt", nullptr, {A::Ok},
     {{"Input file does not exist.\r\nInput file: %in", "File not found", B::Ok, I::Exclamation}}, false, nullptr,
     [](W& w) { EXPECT_EQ(w.main.lblFilesize.Caption(), ""); }},
    {"OutputIsTheInputSpeltOtherwise", kFile, "in.txt", "alpha\r\n", {A::Ok},
     {Error("Output file cannot be the same as the input file.")}, false, [](W& w) {
         std::filesystem::create_directories(w.folder / "sub");
         w.main.txbFile[1].SetText(w.PathOf("sub/../in.txt")); }},
    {"OutputDiffersInLetterCase", kFile, "in.txt", "alpha\r\n", {}, {}, true, [](W& w) {
         w.main.txbFile[1].SetText(w.PathOf("IN.txt"));
         w.main.chkDisableOutputToFile.SetValue(1); }},
    {"LargeInputCancelled", kNothing, "", nullptr, {A::Cancel}, {kLargeQuestion}, false,
     [](W& w) { w.main.txbOutput.SetText("kept"); CountLarge(w, true); },
     [](W& w) { EXPECT_EQ(w.main.txbOutput.Text(), "kept"); }},
    {"LargeInputCountedAnyway", kNothing, "", nullptr, {A::No}, {kLargeQuestion}, true,
     [](W& w) { CountLarge(w, true); }, [](W& w) { EXPECT_TRUE(w.platform.FileDialogs().empty()); }},
    {"LargeInputOffersTheOutputDialog", kNothing, "", nullptr, {A::Yes}, {kLargeQuestion}, true,
     [](W& w) { w.platform.ExpectFileDialog(std::nullopt); CountLarge(w, true); },
     [](W& w) { EXPECT_EQ(w.platform.FileDialogs().at(0).title, "Specify output file"); }},
    {"LargeInputAtTheLimit", kNothing, "", nullptr, {}, {}, true, [](W& w) { CountLarge(w, false); }},
    {"LargeInputWithAnOutputFile", kNothing, "", nullptr, {}, {}, true, [](W& w) {
         w.main.txbFile[1].SetText(w.PathOf("out.txt"));
         w.main.chkDisableOutputToFile.SetValue(1);
         CountLarge(w, true); }},
    {"InputInsideAFile", kNothing, "", nullptr, {A::Ok},
     {Error("Error 20: Not a directory\r\nInput file: %f/plain.txt/in.txt")}, false,
     [](W& w) { w.CountFile(w.MakeFile("plain.txt", "alpha") + "/in.txt"); }},
    {"InputNotARegularFile", kFile, "pipe.txt", nullptr, {A::Ok},
     {{"This is not a text file.\r\nInput file: %in", "Invalid input", B::Ok, I::Exclamation}}, false,
     [](W& w) { ASSERT_EQ(::mkfifo(w.PathOf("pipe.txt").c_str(), 0600), 0); }},
    {"BinaryInput", kFile, "data.txt", "text\x0c more\r\n", {A::Ok},
     {{"This is not a text file.\r\nInput file: %in", "Invalid input", B::Ok, I::Exclamation}}, false, nullptr,
     [](W& w) { EXPECT_EQ(w.main.txbOutput.Text(),
         "This file contains bytes indicating that it \r\ndoes not consist solely of text.\r\n\r\nYou could try "
         "reading the file with its associated\r\napplication, then copying the text and pasting it\r\ninto this "
         "textbox."); }},
    {"ControlByteBeyondTheBytesLookedAt", kNothing, "", nullptr, {}, {}, true, [](W& w) {
         std::string late(16384, 'a');
         late[100] = ' ';
         w.CountFile(w.MakeFile("late.txt", late + "\x0c tail")); }},
    {"CarriageReturnLinesCancelled", kFile, "mac.txt", "alpha beta\rgamma\r", {A::Ok, A::Cancel}, {kMac, kSlow},
     false, nullptr, ExpectOutputEmpty},
    {"CarriageReturnLinesCounted", kFile, "mac.txt", "alpha beta\rgamma\r", {A::Ok, A::Ok}, {kMac, kSlow}, true,
     nullptr, [](W& w) { EXPECT_EQ(w.main.Table.DistinctWordCount(), 3); }},
    {"LineFeedLines", kFile, "unix.txt", "alpha beta\ngamma\n", {}, {}, true, nullptr,
     [](W& w) { EXPECT_EQ(w.main.Table.DistinctWordCount(), 3); }},
    {"UnixLineEndingsNamedWhenAsked", kNothing, "", nullptr, {A::Ok},
     {{"This file has Unix/Linux line endings.", "Warning", B::Ok, I::Exclamation}}, false,
     [](W& w) { WarnLineEndings(w.platform, kTextLfOnly); WarnLineEndings(w.platform, kTextCrLf); }},
    {"MarkersRefusedForAFile", kFile, "notes.txt", "alpha\r\n", {A::Ok}, {kSameMarkers}, false, SameMarkers,
     ExpectParamsShown},
    {"MarkersEndWithoutStart", kFile, "notes.txt", "alpha\r\n", {A::Ok}, {Error("Cannot have an empty start-"
     "comment marker\r\nwith a non-empty end-comment marker.\r\n\r\nCheck the comment markers in the 'Set "
     "parameters' panel\r\nand perhaps disallow comment markers.")}, false, [](W& w) { SetMarkers(w, "", "##", "#"); },
     ExpectParamsShown},
    {"MarkersWithoutAnyStart", kFile, "notes.txt", "alpha\r\n", {A::Ok}, {Error("If comment markers are allowed then "
     "at least one\r\nstart-comment marker must be non-empty.\r\n\r\nCheck the comment markers in the 'Set parameters' "
     "panel\r\nand perhaps disallow comment markers.")}, false, [](W& w) { SetMarkers(w, "", ""); }},
    {"MarkerThatCouldBeAWord", kFile, "notes.txt", "alpha\r\n", {A::Ok}, {Error("The way the parameters are set the "
     "start-comment marker\r\n\"rem\" could be part of a word.\r\n\r\nCheck the start-comment markers in the 'Set "
     "parameters' panel and\r\nperhaps disallow comment markers or restrict allowable words.")}, false,
     [](W& w) { SetMarkers(w, "#", "", "rem"); }},
    {"MarkersRefusedForTheClipboard", kClipboard, "", "alpha", {A::Ok}, {kSameMarkers}, false, SameMarkers,
     ExpectParamsShown},
    {"ClipboardEmpty", kClipboard, "", "", {A::Ok}, {{"Clipboard is empty.", "Clipboard empty", B::Ok, I::None}},
     false, nullptr, [](W& w) { EXPECT_TRUE(w.main.optInFile.Value()); }},
    {"ClipboardTooLong", kNothing, "", nullptr, {A::Ok}, {{"There are 100,001 characters in the text on the clipboard."
     "\r\nThe maximum permitted is 100,000.  If possible,\r\ncount word frequencies for this text using an input file.",
     "Too much clipboard text", B::Ok, I::None}}, false, [](W& w) {
         w.platform.SetClipboard(std::string(100001, 'a'));
         EXPECT_FALSE(w.main.FetchClipboardText(true)); }},
    {"ClipboardBeyondTheBox", kNothing, "", nullptr, {A::Ok}, {{"There is too much text on the clipboard to paste into "
     "the textbox.\r\nIt may, however, still be possible to count word frequencies.", "Out of memory", B::Ok,
     I::Exclamation}}, false, [](W& w) {
         w.main.txbOutput.SetMaxLength(5);
         w.platform.SetClipboard("alpha beta");
         EXPECT_TRUE(w.main.FetchClipboardText(true));  // the text can still be counted
         EXPECT_EQ(w.main.ClipboardText + w.main.txbOutput.Text(), "alpha beta"); }},
    {"ClipboardUnreadable", kNothing, "", nullptr, {A::Ok}, {{"Clipboard is in use by another program",
     "Clipboard is in use by another program", B::Ok, I::Exclamation}}, false, [](W& w) {
         w.platform.onReadClipboard = [] { throw RunError(16, "Clipboard is in use by another program"); };
         EXPECT_FALSE(w.main.FetchClipboardText(true)); }},
    {"ClipboardNotText", kClipboard, "", "alpha\x0c beta", {A::Ok}, {{"The text on the clipboard does not consist"
     "\r\nsolely of natural language words.", "Invalid input", B::Ok, I::Exclamation}}},
    {"ClipboardControlCharacterBeyondTheCharactersLookedAt", kNothing, "", nullptr, {}, {}, true, [](W& w) {
         const std::string late = "Alpha\tBeta\r\nGAMMA ";
         w.CountClipboard(late + std::string(3000 - late.size(), ' ') + "\x0c delta");
         EXPECT_EQ(w.main.Table.DistinctWordCount(), 4); }},

    // ---- A count that ends early ----
    {"StoppedAndDropped", kClipboard, "", "alpha beta", {A::No}, {{"The operation was stopped before all words were "
     "counted.\r\nDo you wish to list the words which were found?", "Counting interrupted", B::YesNo, I::None}},
     false, [](W& w) { w.platform.onPump = [&w] { w.main.cmdListWords.Click(); }; }},
    {"OutputBoxFull", kFile, "in.txt", "alpha\r\n", {A::Ok}, {kBoxFull}, false,
     [](W& w) { w.main.txbOutput.SetMaxLength(10); }},  // "Checking file ..." does not fit
    {"OutputBoxFullWithinALine", kNothing, "", nullptr, {A::Ok, A::Ok}, {kBoxFull, kBoxFull}, false, [](W& w) {
         // Words found are shown as they come; a full box fails the line being scanned, and the next goes on.
         LineSource source({"alpha beta", "gamma delta"}, 3, 20000);
         w.main.txbOutput.SetMaxLength(3);
         w.main.TakeOptionSnapshot();
         EXPECT_THROW(w.main.CountWordsFromSource(source, "txt"), RunError);  // the read failure after them
         EXPECT_EQ(w.main.Table.DistinctWordCount(), 2);                      // alpha, gamma
         EXPECT_EQ(w.main.lblTotalNumOccurrences.Caption(), "");
         w.main.EnableControls(true);  // as the run does after a failure
         w.main.cmdListWords.SetCaption("Count word frequencies"); }},
    {"SystemFailure", kFile, "in.txt", "alpha\r\n", {A::Ok}, {Error("Error 13: Permission denied")}, false,
     [](W& w) { w.platform.onRepaintWindow = [] { throw std::system_error(EACCES, std::generic_category()); }; },
     [](W& w) { EXPECT_TRUE(w.main.cmdSetParameters.Enabled()); }},
    {"OtherFailure", kFile, "in.txt", "alpha\r\n", {A::Ok}, {Error("Error -1: unexpected state")}, false,
     [](W& w) { w.platform.onRepaintWindow = [] { throw std::runtime_error("unexpected state"); }; }},
    {"InputGoneBeforeItOpens", kFile, "in.txt", "alpha\r\n", {A::Ok},
     {Error("Error 2: No such file or directory\r\nInput file: %in")}, false,
     [](W& w) { w.platform.onRepaintWindow = [&w] { std::filesystem::remove(w.PathOf("in.txt")); }; },
     ExpectOutputEmpty},  // not "Checking file ..."
    {"InputUnreadable", kFile, "memory.txt", nullptr, {A::Ok}, {Error("Error 5: Input/output error\r\nInput file: %in")},
     false, [](W& w) { std::filesystem::create_symlink("/proc/self/mem", w.folder / "memory.txt"); },
     ExpectOutputEmpty},
    {"FailureAfterTheProcessingNotice", kFile, "in.txt", "alpha\r\n", {A::Ok},
     {Error("Error 12: Cannot allocate memory")}, true, [](W& w) {
         w.main.chkSuppressWords.SetValue(1);
         w.platform.onRepaintWindow = [repaints = 0]() mutable {
             if (++repaints == 2) throw std::bad_alloc();  // after the notice, before filtering
         }; }, ExpectOutputEmpty},

    {"OutputFileExistsKept", kFile, "in.txt", "alpha\r\n", {A::No},
     {{"Output file exists.  OK to overwrite?", "Output file exists", B::YesNo, I::None}}, true, [](W& w) {
         w.main.txbFile[1].SetText(w.MakeFile("out.txt", "old"));
         w.params.chkWarnOnOverwrite.SetValue(1); },
     [](W& w) {  // and the file is off until the box is unticked
         EXPECT_EQ(ReadBytes(w.PathOf("out.txt")) + std::to_string(w.main.chkDisableOutputToFile.Value()), "old1");
         w.main.ListResults(); }},
    {"OutputFileUnopenable", kFile, "in.txt", "alpha\r\n", {A::Ok},
     {Error("Error 2: No such file or directory\r\nOutput file: %f/none/out.txt")}, true,
     [](W& w) { w.main.txbFile[1].SetText(w.PathOf("none/out.txt")); }},

    // ---- Run errors, by what the run did with its output ----
    {"ErrorWithNothingWritten", kNothing, "", nullptr, {A::Ok}, {Error("Error 13: Permission denied")}, false,
     [](W& w) { ReportWith(w, false, false, 0, 13); }},
    {"ErrorAfterWritingTheFile", kNothing, "", nullptr, {A::Ok}, {Error("Error 28: No space left on device\r\n"
     "Results have been written to the output file.")}, false, [](W& w) { ReportWith(w, true, false, 0, 28); }},
    {"BoxFullWithoutOutputFile", kNothing, "", nullptr, {A::Ok}, {kBoxFull}, false,
     [](W& w) { ReportWith(w, true, false, 0, kErrorBoxFull); }},
    {"BoxFullWithOutputDisabled", kNothing, "", nullptr, {A::Ok}, {Error("Textbox is full.  Try repeating with "
     "output to file enabled.")}, false, [](W& w) { ReportWith(w, true, true, 1, kErrorBoxFull); }},
    {"BoxFullAfterWritingTheFile", kNothing, "", nullptr, {A::Ok}, {Error("Textbox is full.  \r\nResults have been "
     "written to the output file.")}, false, [](W& w) { ReportWith(w, true, true, 0, kErrorBoxFull); }},
    {"BoxFullBeforeWritingTheFile", kNothing, "", nullptr, {A::Ok}, {Error("Textbox is full.  ")}, false,
     [](W& w) { ReportWith(w, false, true, 0, kErrorBoxFull); }},

    // ---- State and quitting ----
    {"StateSaved", kNothing, "", nullptr, {A::Ok}, {{"State saved.", "Save", B::Ok, I::None}}, false,
     [](W& w) { w.main.cmdSaveState.Click(); }, [](W& w) {
         EXPECT_EQ(w.main.FocusedControl(), &w.main.cmdFile[0]);
         EXPECT_EQ(ReadBytes(w.stateFile), ReadBytes(w.main.strStateFile)); }},
    {"QuittingSavesSilently", kNothing, "", nullptr, {}, {}, false,
     [](W& w) { w.params.chkWarnOnOverwrite.SetValue(0); w.main.cmdQuit.Click(); }, [](W& w) {
         EXPECT_TRUE(w.platform.Ended() && w.main.blnQuitting);
         ParameterSet expected, saved;
         expected.warnOnOverwrite = 0;
         EXPECT_EQ(ReadParameterFile(w.stateFile.string(), saved), "");
         EXPECT_EQ(saved, expected); }},
    {"QuittingWithoutSaving", kNothing, "", nullptr, {}, {}, false,
     [](W& w) { w.params.chkSaveStateOnQuit.SetValue(0); w.main.cmdQuit.Click(); },
     [](W& w) { EXPECT_TRUE(w.platform.Ended() && !std::filesystem::exists(w.stateFile)); }},

    {"NoAddressToOpen", kNothing, "", nullptr, {A::Ok}, {kBrowser}, false, [](W& w) {
         w.main.LaunchBrowser("");
         EXPECT_TRUE(w.platform.OpenedUrls().empty()); }},

    // ---- The parameters window ----
    {"WordFormingChangeAfterACountRefused", kNothing, "", nullptr, {A::No}, {kRereadOrNot}, true,
     [](W& w) { w.main.blnWordsGot = true; w.params.chkAllowWordsWithPeriods.SetValue(1); },
     [](W& w) { EXPECT_EQ(w.params.chkAllowWordsWithPeriods.Value(), 0); }},
    {"CommonWordsWithoutAFile", kNothing, "", nullptr, {A::Ok},
     {{"Please specify the file containing common words.", "File?", B::Ok, I::None}}, false,
     [](W& w) { w.main.strCommonWordsFile.clear(); w.params.chkIgnoreCommonWords.SetValue(1); }, [](W& w) {
         EXPECT_EQ(w.params.chkIgnoreCommonWords.Value(), 0);
         EXPECT_EQ(w.params.FocusedControl(), &w.params.cmdSelectCommonWordsFile); }},
    {"CommonWordsReadThenAlreadyLoaded", kNothing, "", nullptr, {A::Ok, A::Ok}, {kCommonLoaded, kAlreadyLoaded},
     false, [](W& w) {
         UseCommonWords(w);
         w.params.chkIgnoreCommonWords.SetValue(1);
         w.params.chkIgnoreCommonWords.SetValue(0);  // unchecking keeps the list
         w.params.chkIgnoreCommonWords.SetValue(1);
         EXPECT_EQ(w.params.chkIgnoreCommonWords.Value(), 1); }},
    {"CommonWordsAfterACountRefused", kNothing, "", nullptr, {A::Cancel, A::No}, {kReread, kReread}, true,
     [](W& w) { UseCommonWords(w); w.main.blnWordsGot = true; w.params.chkIgnoreCommonWords.SetValue(1);
                w.params.chkIgnoreCommonWords.SetValue(1); },
     [](W& w) { EXPECT_FALSE(w.params.chkIgnoreCommonWords.Value() || w.main.blnCommonWordsLoaded); }},
    {"CommonWordsAfterACountAccepted", kNothing, "", nullptr, {A::Yes, A::Ok}, {kReread, kCommonLoaded}, false,
     [](W& w) { UseCommonWords(w); w.main.blnWordsGot = true; w.params.chkIgnoreCommonWords.SetValue(1); },
     [](W& w) { EXPECT_TRUE(w.main.blnCommonWordsLoaded); }},
    {"LinkThatCannotOpenShowsItsAddress", kNothing, "", nullptr, {A::Ok}, {{"Error launching web browser.\r\n\r\n"
     "Please make sure that your web browser is correctly installed,\r\nthat '.htm' files are associated with it, "
     "and that there is\r\nsufficient memory available.\r\n\r\nAddress: https://vesk.example.org/manual/",
     "Cannot launch web browser", B::Ok, I::Exclamation}}, false,
     [](W& w) { w.platform.openUrlResult = false; w.main.lblOnlineDocumentation.Click(); }},
    {"ParametersLoadOutOfRange", kNothing, "", nullptr, {A::Ok}, {{"Error when attempting to restore parameters: "
     "line 8 holds a list index out of range\r\nParameter file: %f/test.vesk", "Load parameters", B::Ok,
     I::Exclamation}}, false, [](W& w) { ParameterSet set; set.shortWordSize = 12; Load(w, set); },
     [](W& w) { EXPECT_EQ(w.params.lblParameters.Caption(), "Error loading from"); }},
    {"ParametersLoadWithoutAChoice", kNothing, "", nullptr, {A::Ok},
     {{"Invalid combo box index", "Load parameters", B::Ok, I::Exclamation}}, false,
     [](W& w) { ParameterSet set; set.longWordSize = -1; Load(w, set); }},
    {"ParametersSaveFails", kNothing, "", nullptr, {A::Ok}, {{"Error when attempting to save parameters: Not a "
     "directory\r\nParameter file: %f/plain/x.vesk", "Save parameters", B::Ok, I::Exclamation}}, false, [](W& w) {
         w.platform.ExpectFileDialog(w.MakeFile("plain", "") + "/x.vesk");
         w.params.cmdSaveLoadParameters[0].Click(); },
     [](W& w) { EXPECT_EQ(w.params.lblParameters.Caption(), "Error saving to"); }},
};
// clang-format on

std::string Expand(std::string text, const std::string& input, const std::string& folder) {
    for (std::size_t at; (at = text.find("%in")) != std::string::npos;) text.replace(at, 3, input);
    for (std::size_t at; (at = text.find("%f")) != std::string::npos;) text.replace(at, 2, folder);
    return text;
}

class Messages : public WindowTest, public ::testing::WithParamInterface<Case> {};

TEST_P(Messages, ShownExactly) {
    const Case& c = GetParam();
    Start();
    for (MsgAnswer answer : c.answers) platform.ExpectMessage(answer);
    if (c.before != nullptr) c.before(*this);
    if (c.source == kFile) CountFile(c.bytes != nullptr ? MakeFile(c.input, c.bytes) : PathOf(c.input));
    if (c.source == kTyped) CountFile(c.input);
    if (c.source == kClipboard) CountClipboard(c.bytes);
    std::vector<ShownMessage> expected = c.shown;
    for (ShownMessage& m : expected) m.text = Expand(m.text, PathOf(c.input), folder.string());
    EXPECT_EQ(platform.Messages(), expected);
    EXPECT_EQ(main.blnWordsGot, c.counted);
    EXPECT_EQ(main.cmdListWords.Caption(), "Count word frequencies");
    EXPECT_TRUE(main.cmdListWords.Enabled() && main.cmdFile[0].Enabled());
    EXPECT_EQ(main.lblTwirler.Caption(), " ");
    if (c.after != nullptr) c.after(*this);
}

INSTANTIATE_TEST_SUITE_P(Windows, Messages, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

// Before the window shows, at start-up.
TEST(StartupMessages, MissingProgramTextEndsTheProgram) {
    OtherProgram w;
    w.platform.programFolder = w.folder.string() + "/";  // holds no program-text file
    w.platform.ExpectMessage(A::Ok);
    w.Start();
    EXPECT_EQ(w.platform.Messages(), (std::vector<ShownMessage>{{"Cannot open file containing program text.\r\n" +
                                                                     w.folder.string() + "/vesk_text.dat",
                                                                 "", B::Ok, I::Critical}}));
    EXPECT_TRUE(w.platform.Ended());
    EXPECT_FALSE(w.main.Visible() || w.main.blnStartUpCompleted);
    EXPECT_EQ(w.main.strStateFile, "");
}

TEST(StartupMessages, AStateThatCannotBeSavedIsReportedAlsoOnQuitting) {
    OtherProgram w;
    w.platform.userDataFolder = w.MakeFile("file", "");
    w.Start();  // the folder cannot be made: the program starts all the same
    w.platform.ExpectMessage(A::Ok);
    w.platform.ExpectMessage(A::Ok);
    w.main.cmdSaveState.Click();
    w.main.cmdQuit.Click();
    EXPECT_TRUE(w.platform.Ended());
    const ShownMessage failed =
        Error("Error when attempting to save parameters: Not a directory\r\nState file: " + w.main.strStateFile);
    EXPECT_EQ(w.platform.Messages(), (std::vector<ShownMessage>{failed, failed}));
}

}  // namespace
}  // namespace vesk::test
