// SPDX-License-Identifier: GPL-3.0-or-later
#include <string>

#include "app/MainWindow.h"
#include "params/ParamsWindow.h"
#include "settings/StateFile.h"
#include "text/ProgramText.h"

namespace vesk {

namespace {
// The window's size before the user or a saved placement changes it.
constexpr int kDefaultWidthTwips = 11400;
constexpr int kDefaultHeightTwips = 8400;
constexpr int kTopTwips = 100;
}  // namespace

void MainWindow::Form_Load() {
    blnStartUpCompleted = false;
    if (!LoadProgramText("vesk_text.dat")) return;
    SetWindowTitle();

    txbFile[1].SetEnabled(true);
    cmdFile[1].SetEnabled(true);
    cmdClearFile[1].SetEnabled(true);
    cmdCopyOutput.SetCaption(GetProgramText(9));
    cmdCopyOutput.SetBold(false);
    cmdCopyOutput.SetVisible(true);

    PrepareMainWindow();

    if (Width() <= 0 || Height() <= 0) Resize(kDefaultWidthTwips, kDefaultHeightTwips);
    Move((platform.ScreenWidthTwips() - Width()) / 3, kTopTwips);
    Show();

    SetDefaultCommonWordsFile();
    FillComboBoxes();
    if (!RestoreSavedState("").empty()) {
        InitializeVariables();
        FillComboBoxes();
    }
    CheckInputFile(txbFile[0].Text());
    ConcealNumWords();

    if (frmParams->chkIgnoreCommonWords.Value() == 1 && !strCommonWordsFile.empty()) {
        AttemptToReadCommonWords();
        ConcealNumWords();
    }
    SetTheFocus();
    blnStartUpCompleted = true;
}

void MainWindow::PrepareMainWindow() {
    Label1.SetCaption(GetProgramText(19));
    Label2.SetCaption(GetProgramText(20));
    programText.SetLanguage(0);
    blnQuitting = false;
    SetDefaultCommonWordsFile();
    FillComboBoxes();
    // The state file is not known yet, so this restore fails and sets the start values.
    if (!RestoreSavedState("").empty()) InitializeVariables();
    CheckInputFile(txbFile[0].Text());
}

void MainWindow::InitializeVariables() {
    optInFile.Select();
    lblSizeOfClipboardContents.SetCaption("");
    lblFilesize.SetCaption("");
    strStateFile = StateFilePath(platform.UserDataFolder());
    Scanner.ResetComments();
    TwirlerChars = {220, 221, 223, 222};
    lblTwirler.SetCaption(" ");
    MaxClipboardChars = 100000;
    ProcessingNotice = "Processing ...";
    Initialize();
    ProgressBarWidth = 37;
}

void MainWindow::Initialize() {
    txbFile[0].SetText("");
    txbFile[1].SetText("");
    frmParams->txbWordsToIgnore.SetText("");
    frmParams->SetDefaultValues();
    chkSuppressWords.SetValue(0);
    frmParams->txbCommonWordsFile.SetText("");
    strCommonWordsFile.clear();
    frmParams->txbParametersFile.SetText("");
    SetCommentMarkers("C");
    frmParams->txbWordsToIgnore_LostFocus();
    UpdateDisableOutputOption();
}

void MainWindow::SetDefaultCommonWordsFile() {
    std::string folder = platform.ProgramFolder();
    if (folder.empty() || folder.back() != '/') folder += '/';
    strCommonWordsFile = folder + "cwds_en.txt";
    frmParams->txbCommonWordsFile.SetText(strCommonWordsFile);
}

bool MainWindow::LoadProgramText(const std::string& fileName) {
    std::string path = platform.ProgramFolder();
    if (path.empty() || path.back() != '/') path += '/';
    path += fileName;
    const std::int32_t code = programText.Load(path);
    if (code > 0) return true;
    platform.ShowMessage(ProgramTextLoadMessage(code, path), "", MsgButtons::Ok, MsgIcon::Critical);
    platform.EndProgram();
    return false;
}

std::string MainWindow::GetProgramText(std::int16_t number) const { return programText.Text(number); }

void MainWindow::SetWindowTitle() { SetCaption(GetProgramText(1) + " " + VersionString()); }

void MainWindow::ConcealNumWords() {
    lblNumberOfWords.SetVisible(false);
    lblNumWordsExcluded.SetVisible(false);
    lblNumOccurrences.SetVisible(false);
    lblTotalNumOccurrences.SetVisible(false);
    lblOptionsChanged.SetVisible(false);
}

void MainWindow::SetTheFocus() {
    if (!Visible()) return;
    if (txbFile[0].Text().empty() && cmdFile[0].Enabled())
        SetFocus(cmdFile[0]);
    else if (cmdListWords.Enabled())
        SetFocus(cmdListWords);
    lblTwirler.SetCaption(" ");
}

void MainWindow::UpdateDisableOutputOption() {
    if (txbFile[1].Text().empty()) {
        chkDisableOutputToFile.SetValue(0);
        chkDisableOutputToFile.SetEnabled(false);
    } else {
        chkDisableOutputToFile.SetEnabled(true);
    }
}

void MainWindow::optInFile_Click() {
    blnWordsGot = false;
    SetTheFocus();
}

void MainWindow::optInTextBox_Click() {
    blnWordsGot = false;
    if (ResultsShown) txbOutput.SetText("");
    SetTheFocus();
}

void MainWindow::chkSuppressWords_Click() { SetTheFocus(); }

void MainWindow::Label1_Click() {
    blnWordsGot = false;
    // The next count counts the text now shown.
    if (FetchClipboardText(true)) optInTextBox.Select();
}

}  // namespace vesk
