// SPDX-License-Identifier: GPL-3.0-or-later
#include "params/ParamsWindow.h"

#include "app/MainWindow.h"
#include "engine/CharClasses.h"

namespace vesk {

namespace {

// Offsets of the window from the main window, in twips.
constexpr int kTopOffset = 360;
constexpr int kLeftGap = 300;

}  // namespace

ParamsWindow::ParamsWindow(Platform& platformRef) : Form("frmParams"), platform(platformRef) {
    SetCaption("VESK: Set parameters");

    for (CheckBox* box : {&chkCaseSignificant, &chkDropFinalS, &chkAllowWordsWithHyphens, &chkAllowWordsWithApostrophes,
                          &chkAllowWordsWithUnderscores, &chkAllowWordsWithColons, &chkAllowWordsWithBackslashes,
                          &chkAllowWordsWithForwardslashes, &chkAllowWordsWithPeriods, &chkAllowWordsWithAtSigns,
                          &chkAllowWordsWithNumerals, &chkAllowCommentMarkers}) {
        m_wordFormingValues[box] = box->Value();
        box->onClick = [this, box] { WordFormingOption_Click(*box); };
    }
    for (CheckBox* box : {&chkIgnoreRepetitions, &chkIgnoreRomNum40, &chkIgnoreNoVowelOrY, &chkIgnoreInfrequentWords,
                          &chkIgnoreShortWords})
        box->onClick = [this] { FilterOption_Click(); };
    for (ComboBox* list : {&cboLongWordSize, &cboThresholdFrequency, &cboShortWordSize})
        list->onClick = [this] { FilterOption_Click(); };
    chkIgnoreCommonWords.onClick = [this] { chkIgnoreCommonWords_Click(); };

    for (TextBox* box : {&txbStartComment[0], &txbStartComment[1], &txbEndComment[0], &txbEndComment[1]})
        box->onLostFocus = [this, box] { txbComment_LostFocus(*box); };
    txbStartComment[0].SetText("/*");
    txbEndComment[0].SetText("*/");
    txbStartComment[1].SetText("//");
    txbEndComment[1].SetText("");

    txbWordsToIgnore.onLostFocus = [this] { txbWordsToIgnore_LostFocus(); };
    txbCommonWordsFile.onKeyPress = [this](int keyAscii) { return txbCommonWordsFile_KeyPress(keyAscii); };
    txbCommonWordsFile.onLostFocus = [this] { txbCommonWordsFile_LostFocus(); };

    cmdRestoreDefaults.SetCaption("Restore defaults");
    cmdRestoreDefaults.onClick = [this] { cmdRestoreDefaults_Click(); };
    cmdInitialize.SetCaption("Reinitialize");
    cmdInitialize.onClick = [this] { cmdInitialize_Click(); };
    cmdClearCheckboxes[0].SetCaption("Clear checkboxes");
    cmdClearCheckboxes[1].SetCaption("Set checkboxes");
    cmdSaveLoadParameters[0].SetCaption("Save parameters to file");
    cmdSaveLoadParameters[1].SetCaption("Load parameters from file");
    for (int index = 0; index < 2; ++index) {
        cmdClearCheckboxes[index].onClick = [this, index] { cmdClearCheckboxes_Click(index); };
        cmdSaveLoadParameters[index].onClick = [this, index] { cmdSaveLoadParameters_Click(index); };
    }
    cmdClearWordsToIgnore.SetCaption("Clear");
    cmdClearWordsToIgnore.onClick = [this] { cmdClearWordsToIgnore_Click(); };
    cmdSelectCommonWordsFile.SetCaption("Select common words file");
    cmdSelectCommonWordsFile.onClick = [this] { cmdSelectCommonWordsFile_Click(); };
    cmdClearCommonWordsFile.SetCaption("Clear");
    cmdClearCommonWordsFile.onClick = [this] { cmdClearCommonWordsFile_Click(); };
    cmdClose.SetCaption("Close");
    cmdClose.onClick = [this] { cmdClose_Click(); };
}

void ParamsWindow::Attach(MainWindow& main) { frmMain = &main; }

void ParamsWindow::Form_Load() {
    lblParameters.SetCaption("");
    txbParametersFile.SetText("");
    lblOnThisPage.SetCaption(
        "When text is being scanned you can ignore some words by checking "
        "the boxes at right. In addition you can fine tune how the text is scanned "
        "by checking the boxes below.");
    PlaceWindow();
}

void ParamsWindow::Form_Activate() {
    PlaceWindow();
    SetFocus(cmdClose);
}

void ParamsWindow::PlaceWindow() {
    Move(frmMain->Left() + frmMain->cmdSetParameters.Width() + kLeftGap, frmMain->Top() + kTopOffset);
}

void ParamsWindow::SetDefaultValues() {
    // Cleared first, so that the word-forming boxes below change without asking.
    frmMain->blnWordsGot = false;

    chkCaseSignificant.SetValue(0);
    chkIgnoreShortWords.SetValue(0);
    chkIgnoreInfrequentWords.SetValue(0);
    chkIgnoreRepetitions.SetValue(1);
    chkIgnoreRomNum40.SetValue(1);
    chkIgnoreNoVowelOrY.SetValue(1);
    chkAllowWordsWithHyphens.SetValue(1);
    chkAllowWordsWithApostrophes.SetValue(0);
    chkAllowWordsWithUnderscores.SetValue(0);
    chkAllowWordsWithColons.SetValue(0);
    chkAllowWordsWithBackslashes.SetValue(0);
    chkAllowWordsWithForwardslashes.SetValue(0);
    chkAllowWordsWithPeriods.SetValue(0);
    chkAllowWordsWithAtSigns.SetValue(0);
    chkAllowWordsWithNumerals.SetValue(0);
    chkDropFinalS.SetValue(1);
    chkOutputWithCommas.SetValue(0);
    chkAllowCommentMarkers.SetValue(0);
    chkWarnOnOverwrite.SetValue(1);
    chkSaveStateOnQuit.SetValue(1);

    frmMain->SetCommentMarkers("C");

    cboShortWordSize.SetListIndex(1);
    cboLongWordSize.SetListIndex(3);
    cboThresholdFrequency.SetListIndex(0);
}

bool ParamsWindow::ConfirmRereadFile() {
    const MsgAnswer answer = platform.ShowMessage("Changing this entails reading the file anew.  Is this OK?",
                                                  kDefaultMessageTitle, MsgButtons::YesNo, MsgIcon::None);
    if (answer != MsgAnswer::Yes) return false;
    frmMain->blnWordsGot = false;
    return true;
}

void ParamsWindow::WordFormingOption_Click(CheckBox& box) {
    int& lastValue = m_wordFormingValues[&box];
    const int previous = lastValue;
    lastValue = box.Value();

    if (!frmMain->blnStartUpCompleted || blnReverting) return;
    if (!frmMain->blnWordsGot || ConfirmRereadFile()) {
        frmMain->MarkListingOutdated();
        return;
    }

    blnReverting = true;
    box.SetValue(previous);
    blnReverting = false;
}

void ParamsWindow::FilterOption_Click() {
    frmMain->MarkListingOutdated();
    if (frmMain->blnStartUpCompleted) SetFocus(cmdClose);
}

void ParamsWindow::txbComment_LostFocus(TextBox& box) {
    box.SetText(TrimSpaces(box.Text()));
    frmMain->blnWordsGot = false;
}

void ParamsWindow::cmdRestoreDefaults_Click() {
    SetDefaultValues();
    SetFocus(cmdClose);
}

void ParamsWindow::cmdInitialize_Click() {
    frmMain->Initialize();
    frmMain->cboWordOrder.SetListIndex(0);
    frmMain->cboDisplayFormat.SetListIndex(0);
    SetDefaultValues();
    lblParameters.SetCaption("Program reinitialized.");
}

void ParamsWindow::cmdClearCheckboxes_Click(int index) {
    const int value = index == 1 ? 1 : 0;
    chkAllowWordsWithHyphens.SetValue(value);
    chkAllowWordsWithApostrophes.SetValue(value);
    chkAllowWordsWithUnderscores.SetValue(value);
    chkAllowWordsWithColons.SetValue(value);
    chkAllowWordsWithBackslashes.SetValue(value);
    chkAllowWordsWithForwardslashes.SetValue(value);
    chkAllowWordsWithPeriods.SetValue(value);
    chkAllowWordsWithAtSigns.SetValue(value);
    chkAllowWordsWithNumerals.SetValue(value);
    chkCaseSignificant.SetValue(value);
    chkDropFinalS.SetValue(value);
    // Checking every box must not switch the common-words list on: that needs a file.
    if (value == 0) chkIgnoreCommonWords.SetValue(0);
    chkIgnoreInfrequentWords.SetValue(value);
    chkIgnoreRepetitions.SetValue(value);
    chkIgnoreRomNum40.SetValue(value);
    chkIgnoreNoVowelOrY.SetValue(value);
    chkIgnoreShortWords.SetValue(value);
    chkOutputWithCommas.SetValue(value);
    chkAllowCommentMarkers.SetValue(value);
    chkWarnOnOverwrite.SetValue(value);
    chkSaveStateOnQuit.SetValue(value);
}

void ParamsWindow::cmdClose_Click() {
    Hide();
    frmMain->SetTheFocus();
}

}  // namespace vesk
