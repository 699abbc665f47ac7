// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <new>
#include <stdexcept>
#include <string>
#include <system_error>

#include "app/AppTestSupport.h"
#include "engine/ByteSource.h"
#include "listing/NumberFormat.h"
#include "listing/RunError.h"

namespace vesk::test {
namespace {

const std::string kIdle = "Count word frequencies";

bool TableHas(const WordTable& table, const std::string& word) {
    for (std::int64_t i = 1; i <= table.DistinctWordCount(); ++i)
        if (table.Word(i) == word) return true;
    return false;
}

class CountingRunTest : public MainWindowTest {
  protected:
    void SetUp() override {
        SetNumberSeparatorsForTesting(",", ".");
        Start();
        ASSERT_TRUE(main.blnStartUpCompleted);
    }
    void TearDown() override { SetNumberSeparatorsForTesting("", ""); }

    // As after choosing the file: the next press counts.
    void CountFile(const std::string& path) {
        main.txbFile[0].SetText(path);
        main.blnWordsGot = false;
        main.cmdListWords.Click();
    }
    void CountClipboard(const std::string& text) {
        platform.SetClipboard(text);
        main.optInTextBox.Select();
        main.cmdListWords.Click();
    }
    // Presses the count button (then reading "Stop") from inside the scanner's event pump, once, after
    // `words` pumps.
    void PressStopAfter(int words) {
        platform.onPump = [this, words, seen = 0]() mutable {
            if (++seen == words) main.cmdListWords.Click();
        };
    }
    void ExpectIdle() {
        EXPECT_EQ(main.cmdListWords.Caption(), kIdle);
        EXPECT_TRUE(main.cmdListWords.Enabled());
        EXPECT_TRUE(main.cmdFile[0].Enabled());
        EXPECT_TRUE(main.cmdClearOutput.Enabled());
        EXPECT_EQ(main.lblTwirler.Caption(), " ");
    }
};

TEST_F(CountingRunTest, InputNameChecksComeFirstAndEndTheRun) {
    main.txbOutput.SetText("earlier");
    platform.ExpectMessage(MsgAnswer::Ok);
    CountFile("   ");
    EXPECT_EQ(LastMessage(),
              (ShownMessage{"Input file not specified.", "Error", MsgButtons::Ok, MsgIcon::Exclamation}));
    EXPECT_EQ(main.txbFile[0].Text(), "");
    EXPECT_EQ(main.txbOutput.Text(), "earlier");

    platform.ExpectMessage(MsgAnswer::Ok);
    CountFile(PathOf("readme"));
    EXPECT_EQ(LastMessage(), (ShownMessage{"Invalid input file specification.", "Invalid input", MsgButtons::Ok,
                                           MsgIcon::Exclamation}));

    platform.ExpectMessage(MsgAnswer::Ok);
    CountFile(PathOf("missing.txt"));
    EXPECT_EQ(LastMessage(), (ShownMessage{"Input file does not exist.\r\nInput file: " + PathOf("missing.txt"),
                                           "File not found", MsgButtons::Ok, MsgIcon::Exclamation}));
    EXPECT_EQ(main.lblFilesize.Caption(), "");

    EXPECT_FALSE(main.blnWordsGot);
    ExpectIdle();
    EXPECT_EQ(main.txbOutput.Text(), "earlier");
}

TEST_F(CountingRunTest, OutputMayNotNameTheInputFile) {
    const std::string input = MakeFile("in.txt", "alpha beta\r\n");
    std::filesystem::create_directories(folder / "sub");
    for (const std::string& output : {input, PathOf("sub/../in.txt"), PathOf("./in.txt")}) {
        main.txbFile[1].SetText(output);
        platform.ExpectMessage(MsgAnswer::Ok);
        CountFile(input);
        ASSERT_FALSE(platform.Messages().empty()) << output;
        EXPECT_EQ(LastMessage(), (ShownMessage{"Output file cannot be the same as the input file.", "Error",
                                               MsgButtons::Ok, MsgIcon::Exclamation}));
        EXPECT_FALSE(main.blnWordsGot);
    }
    EXPECT_EQ(platform.Messages().size(), 3u);

    // Another spelling of the name in letter case is another file here.
    main.txbFile[1].SetText(PathOf("IN.txt"));
    main.chkDisableOutputToFile.SetValue(1);
    CountFile(input);
    EXPECT_EQ(platform.Messages().size(), 3u);
    EXPECT_TRUE(main.blnWordsGot);
    ExpectIdle();
}

TEST_F(CountingRunTest, LargeInputWithoutOutputFileAsksFirst) {
    const std::string line = std::string(98, 'w') + "\r\n";
    std::string big;
    while (big.size() < 200000) big += line;
    ASSERT_EQ(big.size(), 200000u);
    const std::string exact = MakeFile("exact.txt", big);
    const std::string over = MakeFile("over.txt", big + "x");
    const std::string question =
        "The input file is quite large.  It is advisable to specify an output file before continuing,\r\n"
        "in case the text window will not hold the result. Do you wish to specify an output file?";

    CountFile(exact);
    EXPECT_TRUE(main.blnWordsGot);

    main.txbOutput.SetText("kept");
    platform.ExpectMessage(MsgAnswer::Cancel);
    CountFile(over);
    EXPECT_EQ(LastMessage(), (ShownMessage{question, "Large input file", MsgButtons::YesNoCancel, MsgIcon::None}));
    EXPECT_EQ(main.txbOutput.Text(), "kept");
    EXPECT_FALSE(main.blnWordsGot);
    ExpectIdle();

    platform.ExpectMessage(MsgAnswer::No);
    CountFile(over);
    EXPECT_EQ(platform.Messages().size(), 2u);
    EXPECT_TRUE(platform.FileDialogs().empty());
    EXPECT_TRUE(main.blnWordsGot);

    // Yes offers the output-file dialog; the count goes on whatever is chosen there.
    platform.ExpectMessage(MsgAnswer::Yes);
    platform.ExpectFileDialog(std::nullopt);
    main.blnWordsGot = false;
    main.cmdListWords.Click();
    EXPECT_EQ(platform.Messages().size(), 3u);
    ASSERT_EQ(platform.FileDialogs().size(), 1u);
    EXPECT_EQ(platform.FileDialogs()[0].title, "Specify output file");
    EXPECT_TRUE(main.blnWordsGot);

    // With an output file named there is no question.
    main.txbFile[1].SetText(PathOf("out.txt"));
    main.chkDisableOutputToFile.SetValue(1);
    main.blnWordsGot = false;
    main.cmdListWords.Click();
    EXPECT_EQ(platform.Messages().size(), 3u);
}

TEST_F(CountingRunTest, BinaryFileIsRefusedWithAnExplanation) {
    OutputHistory history(main.txbOutput);
    platform.ExpectMessage(MsgAnswer::Ok);
    CountFile(MakeFile("data.txt", std::string("text\x0c more\r\n")));
    EXPECT_EQ(LastMessage(), (ShownMessage{"This is not a text file.\r\nInput file: " + PathOf("data.txt"),
                                           "Invalid input", MsgButtons::Ok, MsgIcon::Exclamation}));
    EXPECT_EQ(main.txbOutput.Text(),
              "This file contains bytes indicating that it \r\n"
              "does not consist solely of text.\r\n"
              "\r\n"
              "You could try reading the file with its associated\r\n"
              "application, then copying the text and pasting it\r\n"
              "into this textbox.");
    EXPECT_TRUE(history.Contains("Checking file ..."));
    EXPECT_FALSE(main.blnWordsGot);
    ExpectIdle();

    // A control byte after the first 16384 bytes is not looked at.
    std::string late(16384, 'a');
    late[100] = ' ';
    late += "\x0c tail";
    CountFile(MakeFile("late.txt", late));
    EXPECT_EQ(platform.Messages().size(), 1u);
    EXPECT_TRUE(main.blnWordsGot);
}

TEST_F(CountingRunTest, CarriageReturnOnlyLinesAreWarnedAbout) {
    const std::string crOnly = MakeFile("mac.txt", "alpha beta\rgamma\r");
    platform.ExpectMessage(MsgAnswer::Ok);
    platform.ExpectMessage(MsgAnswer::Cancel);
    CountFile(crOnly);
    ASSERT_EQ(platform.Messages().size(), 2u);
    EXPECT_EQ(platform.Messages()[0],
              (ShownMessage{"This file has Macintosh line endings.", "Warning", MsgButtons::Ok, MsgIcon::Exclamation}));
    EXPECT_EQ(LastMessage(), (ShownMessage{"Processing will continue but may be slow.", "Warning", MsgButtons::OkCancel,
                                           MsgIcon::None}));
    EXPECT_EQ(main.txbOutput.Text(), "");
    EXPECT_FALSE(main.blnWordsGot);
    ExpectIdle();

    platform.ExpectMessage(MsgAnswer::Ok);
    platform.ExpectMessage(MsgAnswer::Ok);
    main.cmdListWords.Click();
    EXPECT_EQ(platform.Messages().size(), 4u);
    EXPECT_TRUE(main.blnWordsGot);
    EXPECT_EQ(main.Table.DistinctWordCount(), 3);

    // LF-only and CR LF files are ordinary here: no warning, and lines end at either.
    main.txbFile[1].SetText("");
    CountFile(MakeFile("unix.txt", "alpha beta\ngamma // delta\nepsilon\n"));
    EXPECT_EQ(platform.Messages().size(), 4u);
    EXPECT_TRUE(main.blnWordsGot);
    EXPECT_EQ(main.LineEndingKind, 2);
}

TEST_F(CountingRunTest, ExtensionChoosesTheCommentMarkers) {
    // Comment markers are not allowed, yet markup and C sources have theirs skipped.
    ASSERT_EQ(program.frmParams.chkAllowCommentMarkers.Value(), 0);
    CountFile(MakeFile("page.HTML", "<b>alpha</b> &amp; beta\r\n"));
    EXPECT_TRUE(main.Comments.fromFileType);
    EXPECT_EQ(main.Comments.starts[0], "<");
    EXPECT_EQ(main.Comments.starts[1], "&");
    EXPECT_EQ(main.Table.DistinctWordCount(), 2);

    CountFile(MakeFile("prog.c", "alpha /* hidden\r\nstill */ beta // gone\r\ngamma\r\n"));
    EXPECT_TRUE(main.Comments.fromFileType);
    EXPECT_EQ(main.Comments.starts[0], "/*");
    EXPECT_EQ(main.Table.DistinctWordCount(), 3);

    CountFile(MakeFile("notes.txt", "alpha /* beta */\r\n"));
    EXPECT_FALSE(main.Comments.fromFileType);
    EXPECT_EQ(main.Comments.starts[0], "");
    EXPECT_EQ(main.Table.DistinctWordCount(), 2);
}

TEST_F(CountingRunTest, InvalidUserMarkersShowTheParametersWindow) {
    auto& params = program.frmParams;
    params.chkAllowCommentMarkers.SetValue(1);
    params.txbStartComment[0].SetText("##");
    params.txbEndComment[0].SetText("##");
    params.Hide();
    platform.ExpectMessage(MsgAnswer::Ok);
    const std::string input = MakeFile("notes.txt", "alpha beta\r\n");
    CountFile(input);
    EXPECT_EQ(LastMessage(), (ShownMessage{"Start-comment and end-comment markers must be different.\r\n\r\n"
                                           "Check the comment markers in the 'Set parameters' panel.",
                                           "Error", MsgButtons::Ok, MsgIcon::Exclamation}));
    EXPECT_TRUE(params.Visible());
    EXPECT_FALSE(main.blnWordsGot);
    ExpectIdle();

    // The clipboard source validates the same way.
    params.Hide();
    platform.ExpectMessage(MsgAnswer::Ok);
    CountClipboard("alpha beta");
    ASSERT_EQ(platform.Messages().size(), 2u);
    EXPECT_EQ(LastMessage().title, "Error");
    EXPECT_TRUE(params.Visible());
    ExpectIdle();

    params.txbEndComment[0].SetText("%%");
    main.optInFile.Select();
    CountFile(input);
    EXPECT_EQ(platform.Messages().size(), 2u);
    EXPECT_TRUE(main.blnWordsGot);
    EXPECT_EQ(main.Comments.starts[0], "##");
    EXPECT_EQ(main.Comments.ends[0], "%%");
}

TEST_F(CountingRunTest, StoppedCountCanBeDroppedOrListed) {
    main.txbOutput.SetText("");
    PressStopAfter(1);
    platform.ExpectMessage(MsgAnswer::No);
    CountClipboard("alpha beta gamma delta");
    EXPECT_EQ(LastMessage(), (ShownMessage{"The operation was stopped before all words were counted.\r\n"
                                           "Do you wish to list the words which were found?",
                                           "Counting interrupted", MsgButtons::YesNo, MsgIcon::None}));
    const std::string& text = main.txbOutput.Text();
    EXPECT_TRUE(text.ends_with("Stopped with 1 word found.")) << text;
    EXPECT_EQ(main.txbOutput.SelStart(), text.size());
    EXPECT_EQ(main.Table.DistinctWordCount(), 1);
    EXPECT_FALSE(main.StopRequested);
    EXPECT_FALSE(main.blnWordsGot);
    EXPECT_FALSE(main.CountInterrupted);
    EXPECT_FALSE(main.lblNumberOfWords.Visible());
    EXPECT_EQ(main.cmdListWords.Caption(), kIdle);
    EXPECT_TRUE(main.cmdFile[0].Enabled());

    // Yes lists the partial table; the next press counts again.
    PressStopAfter(2);
    platform.ExpectMessage(MsgAnswer::Yes);
    main.cmdListWords.Click();
    EXPECT_EQ(platform.Messages().size(), 2u);
    EXPECT_EQ(main.Table.DistinctWordCount(), 2);
    EXPECT_TRUE(main.CountInterrupted);
    EXPECT_FALSE(main.blnWordsGot);
    EXPECT_TRUE(main.ResultsShown);
    ExpectIdle();

    platform.onPump = nullptr;
    main.cmdListWords.Click();
    EXPECT_EQ(platform.Messages().size(), 2u);
    EXPECT_EQ(main.Table.DistinctWordCount(), 4);
    EXPECT_FALSE(main.CountInterrupted);
    EXPECT_TRUE(main.blnWordsGot);
}

TEST_F(CountingRunTest, StoppedFileCountCountsWords) {
    std::string text;
    for (int i = 0; i < 50; ++i) text += "alpha beta gamma\r\n";
    PressStopAfter(5);
    platform.ExpectMessage(MsgAnswer::No);
    CountFile(MakeFile("words.txt", text));
    ASSERT_EQ(platform.Messages().size(), 1u);
    const std::string& out = main.txbOutput.Text();
    EXPECT_TRUE(out.ends_with("Stopped with 3 words found.")) << out;
    EXPECT_EQ(main.lblTotalNumOccurrences.Caption(), "");
    EXPECT_FALSE(main.blnWordsGot);
    EXPECT_EQ(main.cmdListWords.Caption(), kIdle);
}

TEST_F(CountingRunTest, SecondPressListsAgainWithoutReading) {
    const std::string input = MakeFile("in.txt", "alpha beta beta\r\n\r\n   \r\n");
    CountFile(input);
    ASSERT_TRUE(main.blnWordsGot);
    EXPECT_EQ(main.Table.DistinctWordCount(), 2);
    EXPECT_TRUE(main.ResultsShown);

    // The input has gone: a re-listing never looks at it.
    std::filesystem::remove(input);
    OutputHistory history(main.txbOutput);
    main.cboWordOrder.SetListIndex(main.cboWordOrder.ListIndex() == 0 ? 1 : 0);
    main.cmdListWords.Click();
    EXPECT_FALSE(history.Contains("Checking file ..."));
    EXPECT_TRUE(main.blnWordsGot);
    EXPECT_EQ(main.Table.DistinctWordCount(), 2);
    ExpectIdle();
}

TEST_F(CountingRunTest, BlankFileIsACompleteCountOfNothing) {
    CountFile(MakeFile("blank.txt", "\r\n   \r\n\r\n"));
    EXPECT_TRUE(main.blnWordsGot);
    EXPECT_EQ(main.Table.DistinctWordCount(), 0);
    ExpectIdle();
}

// The captions a label showed, each change once.
void FollowCaptions(Label& label, std::vector<std::string>& captions) {
    label.changed.Connect([&label, &captions] {
        if (captions.empty() || captions.back() != label.Caption()) captions.push_back(label.Caption());
    });
}

std::vector<std::string> Bars(const std::vector<std::string>& captions) {
    std::vector<std::string> bars;
    for (const auto& c : captions)
        if (!c.empty() && c[0] == '[') bars.push_back(c);
    return bars;
}

TEST_F(CountingRunTest, ProgressBarDrawsThirtySevenCellsForLargerFiles) {
    std::vector<std::string> captions;
    FollowCaptions(main.lblTotalNumOccurrences, captions);

    // 10,240 bytes: no bar.
    std::string small;
    while (small.size() + 10 <= 10240) small += "word word\n";
    small += std::string(10240 - small.size(), 'x');
    ASSERT_EQ(small.size(), 10240u);
    CountFile(MakeFile("small.txt", small));
    EXPECT_TRUE(Bars(captions).empty());

    // 10,241 bytes: an empty bar first, then the bar grows; after the last line it is full.
    captions.clear();
    main.txbFile[1].SetText("");
    CountFile(MakeFile("large.txt", small + "y"));
    const std::vector<std::string> bars = Bars(captions);
    ASSERT_GE(bars.size(), 2u);
    EXPECT_EQ(bars.front(), "[" + std::string(37, ' ') + "]");
    for (const auto& bar : bars) {
        EXPECT_EQ(bar.size(), 39u) << bar;
        EXPECT_EQ(bar.back(), ']');
    }
    EXPECT_EQ(bars.back(), "[" + std::string(36, '-') + ">]");
    // The label is emptied after the count, before the listing puts its total there.
    const auto lastBar = std::find(captions.begin(), captions.end(), bars.back());
    ASSERT_NE(lastBar + 1, captions.end());
    EXPECT_EQ(*(lastBar + 1), "");
    EXPECT_EQ(main.lblTotalNumOccurrences.GetAlignment(), Alignment::Right);
    EXPECT_EQ(main.lblTotalNumOccurrences.Font(), (FontSpec{FontSpec::Family::Default, 10, false}));
}

TEST_F(CountingRunTest, ProgressBarRoundsHalvesToEven) {
    // 14,800 bytes: 37 cells per 14,800 bytes is one cell per 400 bytes.
    std::vector<std::string> captions;
    FollowCaptions(main.lblTotalNumOccurrences, captions);
    std::vector<FontSpec> fonts;
    main.lblTotalNumOccurrences.changed.Connect([&] { fonts.push_back(main.lblTotalNumOccurrences.Font()); });
    std::string text = std::string(999, 'a') + "\n";  // 1,000 bytes: 2.5 cells
    text += std::string(399, 'b') + "\n";             // 1,400 bytes: 3.5 cells
    text += std::string(201, 'c') + "\n";             // 1,602 bytes: 4.005 cells, no change
    text += std::string(14800 - text.size(), 'd');
    CountFile(MakeFile("halves.txt", text));
    const std::vector<std::string> bars = Bars(captions);
    ASSERT_EQ(bars.size(), 4u) << ::testing::PrintToString(bars);
    EXPECT_EQ(bars[1], "[->" + std::string(35, ' ') + "]");
    EXPECT_EQ(bars[2], "[--->" + std::string(33, ' ') + "]");
    EXPECT_EQ(bars[3], "[" + std::string(36, '-') + ">]");
    bool boldFixedSeen = false;
    for (const auto& f : fonts) boldFixedSeen |= f == FontSpec{FontSpec::Family::FixedPitch, 10, true};
    EXPECT_TRUE(boldFixedSeen);
}

TEST_F(CountingRunTest, ControlsAreDisabledWhileReading) {
    bool checked = false;
    platform.onPump = [&] {
        if (checked) return;
        checked = true;
        // Which controls EnableControls touches is its own test; here, that the run uses it.
        EXPECT_FALSE(main.cmdFile[0].Enabled());
        EXPECT_FALSE(main.cmdSetParameters.Enabled());
        EXPECT_TRUE(main.cmdListWords.Enabled());
        EXPECT_EQ(main.cmdListWords.Caption(), "Stop");
    };
    CountFile(MakeFile("in.txt", "alpha beta\r\n"));
    EXPECT_TRUE(checked);
    ExpectIdle();
}

TEST_F(CountingRunTest, SuppressWordsIsPutBackAfterTheCount) {
    main.chkSuppressWords.SetValue(0);
    platform.onPump = [&, done = false]() mutable {
        if (!done) main.chkSuppressWords.SetValue(1);
        done = true;
    };
    CountFile(MakeFile("in.txt", "alpha beta\r\n"));
    EXPECT_EQ(main.chkSuppressWords.Value(), 0);
}

TEST_F(CountingRunTest, ClipboardSourceChecksItsText) {
    // No text: the file source is chosen again and nothing else happens.
    platform.ExpectMessage(MsgAnswer::Ok);
    CountClipboard("");
    ASSERT_EQ(platform.Messages().size(), 1u);
    EXPECT_EQ(LastMessage().text, "Clipboard is empty.");
    EXPECT_TRUE(main.optInFile.Value());
    ExpectIdle();

    platform.ExpectMessage(MsgAnswer::Ok);
    CountClipboard(std::string("alpha\x0c beta"));
    EXPECT_EQ(LastMessage(),
              (ShownMessage{"The text on the clipboard does not consist\r\nsolely of natural language words.",
                            "Invalid input", MsgButtons::Ok, MsgIcon::Exclamation}));
    EXPECT_FALSE(main.blnWordsGot);
    ExpectIdle();

    // Only the first 3,000 characters are examined; tabs and line breaks are text.
    std::string late = "Alpha\tBeta\r\nGAMMA ";
    late += std::string(3000 - late.size(), ' ');
    late += "\x0c delta";
    CountClipboard(late);
    EXPECT_EQ(platform.Messages().size(), 2u);
    EXPECT_TRUE(main.blnWordsGot);
    EXPECT_EQ(main.Table.DistinctWordCount(), 4);
    EXPECT_EQ(main.ClipboardText.substr(0, 5), "alpha");
    EXPECT_FALSE(main.Comments.fromFileType);
    ExpectIdle();

    // A file count forgets the clipboard text.
    main.optInFile.Select();
    CountFile(MakeFile("in.txt", "one\r\n"));
    EXPECT_EQ(main.ClipboardText, "");
}

TEST_F(CountingRunTest, EveryCountFromTheClipboardReadsIt) {
    CountClipboard("alpha beta");
    ASSERT_TRUE(main.blnWordsGot);
    platform.SetClipboard("gamma");
    main.cmdListWords.Click();
    EXPECT_EQ(main.Table.DistinctWordCount(), 1);
    EXPECT_TRUE(TableHas(main.Table, "gamma"));
    EXPECT_NE(main.txbOutput.Text().find("gamma"), std::string::npos) << main.txbOutput.Text();
    EXPECT_TRUE(main.blnWordsGot);
    ExpectIdle();
}

TEST_F(CountingRunTest, CaseIsKeptWhenSignificant) {
    program.frmParams.chkCaseSignificant.SetValue(1);
    const std::size_t before = platform.Messages().size();
    CountClipboard("Alpha alpha");
    EXPECT_EQ(platform.Messages().size(), before);
    EXPECT_EQ(main.ClipboardText, "Alpha alpha");
}

TEST_F(CountingRunTest, RunErrorMessages) {
    // Whether results reached the file, whether an output file is named and "Disable" checked; the error; the text.
    const struct {
        bool written, named;
        int disabled, number;
        const char *description, *text;
    } cases[] = {
        {false, false, 0, 13, "Permission denied", "Error 13: Permission denied"},
        {true, false, 0, 28, "No space left on device",
         "Error 28: No space left on device\r\nResults have been written to the output file."},
        {true, false, 0, kErrorBoxFull, "Out of memory", "Textbox is full.  Try writing output to a file."},
        {true, true, 1, kErrorBoxFull, "Out of memory", "Textbox is full.  Try repeating with output to file enabled."},
        {true, true, 0, kErrorBoxFull, "Out of memory",
         "Textbox is full.  \r\nResults have been written to the output file."},
        {false, true, 0, kErrorBoxFull, "Out of memory", "Textbox is full.  "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        main.ResultsWrittenToFile = c.written;
        main.txbFile[1].SetText(c.named ? PathOf("out.txt") : "");
        main.UpdateDisableOutputOption();
        main.chkDisableOutputToFile.SetValue(c.disabled);
        platform.ExpectMessage(MsgAnswer::Ok);
        main.ReportRunError(c.number, c.description);
        EXPECT_EQ(LastMessage(), (ShownMessage{c.text, "Error", MsgButtons::Ok, MsgIcon::Exclamation}));
    }
}

TEST_F(CountingRunTest, FullOutputBoxEndsTheRunAndReportsIt) {
    main.txbOutput.SetMaxLength(10);  // "Checking file ..." does not fit
    platform.ExpectMessage(MsgAnswer::Ok);
    CountFile(MakeFile("in.txt", "alpha\r\n"));
    EXPECT_EQ(LastMessage(), (ShownMessage{"Textbox is full.  Try writing output to a file.", "Error", MsgButtons::Ok,
                                           MsgIcon::Exclamation}));
    EXPECT_FALSE(main.blnWordsGot);
    ExpectIdle();
}

// A platform whose window repaint fails in a chosen way.
class FailingRepaintPlatform : public ScriptedPlatform {
  public:
    void Repaint(const Control* control) override {
        if (control == nullptr && fail) fail();
    }
    std::function<void()> fail;
};

using CountingRunFailure = ProgramFixture<FailingRepaintPlatform>;

TEST_F(CountingRunFailure, SystemAndOtherFailuresTakeTheFailurePath) {
    Start();
    main.txbFile[0].SetText(MakeFile("in.txt", "alpha\r\n"));

    platform.ExpectMessage(MsgAnswer::Ok);
    platform.fail = [] { throw std::system_error(EACCES, std::generic_category()); };
    main.cmdListWords.Click();
    EXPECT_EQ(LastMessage(),
              (ShownMessage{"Error " + std::to_string(EACCES) + ": " + std::generic_category().message(EACCES), "Error",
                            MsgButtons::Ok, MsgIcon::Exclamation}));

    platform.ExpectMessage(MsgAnswer::Ok);
    platform.fail = [] { throw std::runtime_error("unexpected state"); };
    main.cmdListWords.Click();
    EXPECT_EQ(LastMessage(),
              (ShownMessage{"Error -1: unexpected state", "Error", MsgButtons::Ok, MsgIcon::Exclamation}));
    EXPECT_EQ(main.cmdListWords.Caption(), "Count word frequencies");
    EXPECT_TRUE(main.cmdListWords.Enabled());
    EXPECT_TRUE(main.cmdSetParameters.Enabled());
    EXPECT_FALSE(main.blnWordsGot);
}

TEST_F(CountingRunFailure, InputThatCannotBeReadIsNamed) {
    Start();
    // The file goes between its check and its opening.
    const std::string input = MakeFile("in.txt", "alpha\r\n");
    main.txbFile[0].SetText(input);
    platform.fail = [&] { std::filesystem::remove(input); };
    platform.ExpectMessage(MsgAnswer::Ok);
    main.cmdListWords.Click();
    EXPECT_EQ(LastMessage(), (ShownMessage{"Error 2: No such file or directory\r\nInput file: " + input, "Error",
                                           MsgButtons::Ok, MsgIcon::Exclamation}));
    EXPECT_EQ(main.txbOutput.Text(), "");  // not "Checking file ..."
    EXPECT_EQ(main.cmdListWords.Caption(), "Count word frequencies");

    // A file that opens but cannot be read.
    if (!std::filesystem::exists("/proc/self/mem")) GTEST_SKIP() << "needs /proc/self/mem, which fails to read";
    platform.fail = nullptr;
    std::filesystem::create_symlink("/proc/self/mem", folder / "memory.txt");
    main.txbFile[0].SetText(PathOf("memory.txt"));
    platform.ExpectMessage(MsgAnswer::Ok);
    main.cmdListWords.Click();
    EXPECT_EQ(LastMessage().text, "Error 5: Input/output error\r\nInput file: " + PathOf("memory.txt"));
    EXPECT_EQ(main.txbOutput.Text(), "");
    EXPECT_EQ(main.cmdListWords.Caption(), "Count word frequencies");
    EXPECT_TRUE(main.cmdFile[0].Enabled());
}

TEST_F(CountingRunFailure, FailureAfterCountingTakesBackTheProcessingNotice) {
    Start();
    main.txbFile[0].SetText(MakeFile("in.txt", "alpha\r\n"));
    main.chkSuppressWords.SetValue(1);
    int repaints = 0;
    // The second repaint of the window comes after the notice, before filtering.
    platform.fail = [&] {
        if (++repaints == 2) throw std::bad_alloc();
    };
    platform.ExpectMessage(MsgAnswer::Ok);
    main.cmdListWords.Click();
    EXPECT_EQ(LastMessage().text, "Error 12: Cannot allocate memory");
    EXPECT_EQ(main.txbOutput.Text(), "");
}

// An input that hands out its lines and then fails to read, like a file on a failing disk.
class FailingSource : public ByteSource {
  public:
    explicit FailingSource(std::vector<std::string> lines) : m_lines(std::move(lines)) {}
    std::string_view Peek(std::size_t) override { return "alpha\r\n"; }
    std::int64_t Size() const override { return 20000; }
    bool ReadLine(std::string& line) override {
        if (m_next == m_lines.size()) throw RunError(EIO, "Input/output error");
        line = m_lines[m_next++];
        m_consumed += static_cast<std::int64_t>(line.size()) + 2;
        return true;
    }
    std::int64_t BytesConsumed() const override { return m_consumed; }

  private:
    std::vector<std::string> m_lines;
    std::size_t m_next = 0;
    std::int64_t m_consumed = 0;
};

TEST_F(CountingRunTest, ReadFailureEndsTheCountIncomplete) {
    FailingSource source({"Alpha beta", "", "gamma"});
    main.chkSuppressWords.SetValue(1);
    main.TakeOptionSnapshot();
    try {
        main.CountWordsFromSource(source, "txt");
        ADD_FAILURE() << "the read failure was swallowed";
    } catch (const RunError& e) {
        EXPECT_EQ(e.Number(), EIO);
    }
    EXPECT_EQ(main.Table.DistinctWordCount(), 3);
    EXPECT_TRUE(TableHas(main.Table, "alpha"));
    EXPECT_EQ(main.lblTotalNumOccurrences.Caption(), "");
    EXPECT_EQ(main.lblTotalNumOccurrences.GetAlignment(), Alignment::Right);
    EXPECT_EQ(main.chkSuppressWords.Value(), 1);
}

TEST_F(CountingRunTest, FailureWithinALineSkipsToTheNextLine) {
    // Words found are shown in the box as they come; a full box fails the line being scanned.
    FailingSource source({"alpha beta", "gamma delta"});
    main.chkSuppressWords.SetValue(0);
    main.txbOutput.SetMaxLength(3);
    main.TakeOptionSnapshot();
    platform.ExpectMessage(MsgAnswer::Ok);
    platform.ExpectMessage(MsgAnswer::Ok);
    EXPECT_THROW(main.CountWordsFromSource(source, "txt"), RunError);
    ASSERT_EQ(platform.Messages().size(), 2u);
    for (const auto& m : platform.Messages()) {
        EXPECT_EQ(m, (ShownMessage{"Textbox is full.  Try writing output to a file.", "Error", MsgButtons::Ok,
                                   MsgIcon::Exclamation}));
    }
    EXPECT_TRUE(TableHas(main.Table, "gamma"));
    EXPECT_FALSE(TableHas(main.Table, "beta"));
}

}  // namespace
}  // namespace vesk::test
