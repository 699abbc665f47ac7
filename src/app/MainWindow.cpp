// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/MainWindow.h"

#include "app/HelpWindow.h"
#include "params/ParamsWindow.h"

namespace vesk {

namespace {
// The output box holds at most this many characters; more is refused as a full box (error 7).
constexpr std::size_t kOutputBoxCapacity = 32u * 1024u * 1024u;
// The running display of new words stops after this many, so that the box does not fill up.
constexpr std::int64_t kMaxRunningDisplayWords = 2000;
constexpr std::string_view kCaptionPrefix = "Number of different words found so far: ";
constexpr std::string_view kSuppressingNotice = "\r\n\r\n[Suppressing display of words to avoid buffer overflow.]";
}  // namespace

MainWindow::MainWindow(Platform& platformRef, ProgramText& texts)
    : Form("frmMain"), platform(platformRef), programText(texts) {
    cmdListWords.SetCaption("Count word frequencies");
    cmdFile[0].SetCaption("Input file");
    cmdFile[1].SetCaption("Output file");
    cmdFolder.SetCaption("Folder");
    cmdClearFile[0].SetCaption("Clear");
    cmdClearFile[1].SetCaption("Clear");
    cmdClearOutput.SetCaption("Clear textbox");
    cmdCopyOutput.SetCaption("Copy to clipboard");
    cmdSetParameters.SetCaption("Set parameters");
    cmdHelp.SetCaption("Help");
    cmdSaveState.SetCaption("Save state");
    cmdQuit.SetCaption("Quit");
    lblKestrineSystems.SetCaption("Kestrine Systems");
    lblOnlineDocumentation.SetCaption("Online user manual");
    lblTwirler.SetFont(FontSpec{FontSpec::Family::Twirler, 10, false});
    lblTwirler.SetCaption(" ");
    lblTotalNumOccurrences.SetAlignment(Alignment::Right);
    for (Label* label : {&lblNumberOfWords, &lblNumWordsExcluded, &lblNumOccurrences, &lblTotalNumOccurrences})
        label->SetVisible(false);
    lblOptionsChanged.SetCaption("Options changed: press Count to list again");
    lblOptionsChanged.SetVisible(false);
    txbOutput.SetMaxLength(kOutputBoxCapacity);
    optInFile.group = {&optInFile, &optInTextBox};
    optInTextBox.group = {&optInFile, &optInTextBox};

    cmdListWords.onClick = [this] { cmdListWords_Click(); };
    cmdListWords.onKeyUp = [this](int key) { cmdListWords_KeyUp(key); };
    for (int i = 0; i < 2; ++i) {
        cmdFile[i].onClick = [this, i] { cmdFile_Click(i); };
        cmdFile[i].onKeyUp = [this, i](int key) { cmdFile_KeyUp(i, key); };
        cmdClearFile[i].onClick = [this, i] { cmdClearFile_Click(i); };
        txbFile[i].onLostFocus = [this, i] { txbFile_LostFocus(i); };
    }
    cmdFolder.onClick = [this] { cmdFolder_Click(); };
    cmdFolder.onKeyUp = [this](int key) { cmdFile_KeyUp(0, key); };
    optInFile.onClick = [this] { optInFile_Click(); };
    optInTextBox.onClick = [this] { optInTextBox_Click(); };
    chkSuppressWords.onClick = [this] { chkSuppressWords_Click(); };
    cmdClearOutput.onClick = [this] { cmdClearOutput_Click(); };
    cmdCopyOutput.onClick = [this] { cmdCopyOutput_Click(); };
    cmdSetParameters.onClick = [this] { cmdSetParameters_Click(); };
    cmdHelp.onClick = [this] { cmdHelp_Click(); };
    cmdHelp.onKeyUp = [this](int key) { cmdHelp_KeyUp(key); };
    cmdSaveState.onClick = [this] { cmdSaveState_Click(); };
    cmdQuit.onClick = [this] { cmdQuit_Click(); };
    cboWordOrder.onClick = [this] { cboWordOrder_Click(); };
    cboDisplayFormat.onClick = [this] { cboDisplayFormat_Click(); };
    cboInputEncoding.onClick = [this] { cboInputEncoding_Click(); };
    Label1.onClick = [this] { Label1_Click(); };
    lblKestrineSystems.onClick = [this] { lblKestrineSystems_Click(); };
    lblOnlineDocumentation.onClick = [this] { lblOnlineDocumentation_Click(); };
}

void MainWindow::Attach(ParamsWindow& params, HelpWindow& help) {
    frmParams = &params;
    frmHelp = &help;
    Scanner.SetObserver(this);
}

void MainWindow::TakeOptionSnapshot() {
    const ParamsWindow& p = *frmParams;
    AllowedCharacters s;
    s.hyphens = p.chkAllowWordsWithHyphens.Value() == 1;
    s.apostrophes = p.chkAllowWordsWithApostrophes.Value() == 1;
    s.underscores = p.chkAllowWordsWithUnderscores.Value() == 1;
    s.colons = p.chkAllowWordsWithColons.Value() == 1;
    s.backslashes = p.chkAllowWordsWithBackslashes.Value() == 1;
    s.forwardslashes = p.chkAllowWordsWithForwardslashes.Value() == 1;
    s.periods = p.chkAllowWordsWithPeriods.Value() == 1;
    s.atsigns = p.chkAllowWordsWithAtSigns.Value() == 1;
    s.numerals = p.chkAllowWordsWithNumerals.Value() == 1;
    OptionSnapshot = s;
}

ScanOptions MainWindow::CurrentScanOptions(bool lowerCase) const {
    ScanOptions options;
    options.allowed = OptionSnapshot;
    options.lowerCase = lowerCase;
    const ParamsWindow& p = *frmParams;
    options.dropFinalS = p.chkDropFinalS.Value() == 1;
    options.apostrophesAllowed = p.chkAllowWordsWithApostrophes.Value() == 1;
    options.underscoresStartWords = p.chkAllowWordsWithUnderscores.Value() == 1;
    options.userMarkersAllowed = p.chkAllowCommentMarkers.Value() == 1;
    options.markers = Comments;
    return options;
}

void MainWindow::RefreshScanOptions() {
    const ParamsWindow& p = *frmParams;
    const bool dropFinalS = p.chkDropFinalS.Value() == 1;
    const bool apostrophes = p.chkAllowWordsWithApostrophes.Value() == 1;
    const bool underscores = p.chkAllowWordsWithUnderscores.Value() == 1;
    const bool markersAllowed = p.chkAllowCommentMarkers.Value() == 1;
    const ScanOptions& current = Scanner.Options();
    if (current.dropFinalS == dropFinalS && current.apostrophesAllowed == apostrophes &&
        current.underscoresStartWords == underscores && current.userMarkersAllowed == markersAllowed &&
        current.markers == Comments)
        return;
    // The run's snapshot and letter case stay as the run took them.
    ScanOptions options = current;
    options.dropFinalS = dropFinalS;
    options.apostrophesAllowed = apostrophes;
    options.underscoresStartWords = underscores;
    options.userMarkersAllowed = markersAllowed;
    options.markers = Comments;
    Scanner.SetOptions(options);
}

bool MainWindow::ShouldStop() {
    platform.PumpEvents();
    RefreshScanOptions();
    return StopRequested;
}

void MainWindow::OnNewWord(std::string_view word, std::int64_t distinctWords) {
    const auto shown = [word] {
        std::string text(word);
        text += ' ';
        return text;
    };
    if (distinctWords == 1) {
        if (chkSuppressWords.Value() == 0) txbOutput.SetText(shown());
        return;
    }
    if (distinctWords % 10 == 0)
        lblNumberOfWords.SetCaption(std::string(kCaptionPrefix) + std::to_string(distinctWords));
    lblNumberOfWords.SetVisible(true);
    platform.Repaint(&lblNumberOfWords);
    if (chkSuppressWords.Value() != 0) return;
    AppendOutput(shown());
    if (distinctWords > kMaxRunningDisplayWords) {
        AppendOutput(kSuppressingNotice);
        chkSuppressWords.SetValue(1);
    }
}

void MainWindow::AppendOutput(std::string_view text) {
    txbOutput.Append(text);
    txbOutput.SetSelStart(txbOutput.Text().size());
}

}  // namespace vesk
