#include "app/MainWindow.h"

#include "listing/HelpWindow.h"
#include "params/ParamsWindow.h"

namespace vesk {

namespace {
// The output box holds at most this many characters; more is refused as a full box (error 7).
constexpr std::size_t kOutputBoxCapacity = 32u * 1024u * 1024u;
}  // namespace

MainWindow::MainWindow(Platform& platformRef, ProgramText& texts)
    : Form("frmMain"), platform(platformRef), programText(texts), Scanner(Table, Comments, LiveScanOptions{}) {
    cmdListWords.SetCaption("Count word frequencies");
    cmdFile[0].SetCaption("Input file");
    cmdFile[1].SetCaption("Output file");
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
    Label1.onClick = [this] { Label1_Click(); };
    lblKestrineSystems.onClick = [this] { lblKestrineSystems_Click(); };
    lblOnlineDocumentation.onClick = [this] { lblOnlineDocumentation_Click(); };
}

void MainWindow::Attach(ParamsWindow& params, HelpWindow& help) {
    frmParams = &params;
    frmHelp = &help;
    LiveScanOptions live;
    live.dropFinalS = &params.chkDropFinalS.ValueRef();
    live.allowApostrophes = &params.chkAllowWordsWithApostrophes.ValueRef();
    live.allowUnderscores = &params.chkAllowWordsWithUnderscores.ValueRef();
    live.allowCommentMarkers = &params.chkAllowCommentMarkers.ValueRef();
    Scanner.SetLiveOptions(live);
    Scanner.SetView(this);
    Scanner.SetEvents(this);
}

void MainWindow::TakeOptionSnapshot() {
    const ParamsWindow& p = *frmParams;
    AllowSnapshot s;
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
    Scanner.SetSnapshot(s);
}

// ---- WordTableView ----

bool MainWindow::SuppressWords() const { return chkSuppressWords.Value() != 0; }

void MainWindow::SetSuppressWords() { chkSuppressWords.SetValue(1); }

void MainWindow::ReplaceOutput(std::string_view text) { txbOutput.SetText(std::string(text)); }

void MainWindow::AppendOutput(std::string_view text) {
    txbOutput.Append(text);
    txbOutput.SetSelStart(txbOutput.Text().size());
}

void MainWindow::SetWordCountCaption(std::string_view caption) { lblNumberOfWords.SetCaption(std::string(caption)); }

void MainWindow::ShowWordCount() {
    lblNumberOfWords.SetVisible(true);
    platform.Repaint(&lblNumberOfWords);
}

}  // namespace vesk
