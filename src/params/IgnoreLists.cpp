// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/MainWindow.h"
#include "engine/CharClasses.h"
#include "engine/CountRules.h"
#include "engine/FileChecks.h"
#include "params/ParamsWindow.h"

namespace vesk {

namespace {

constexpr int kEnterKey = 13;

}  // namespace

void MainWindow::EnsureCommonWordsLoaded() {
    if (frmParams->chkIgnoreCommonWords.Value() != 1 || blnCommonWordsLoaded) return;
    if (!strCommonWordsFile.empty()) {
        AttemptToReadCommonWords();
        ConcealNumWords();
    }
    // A list read from another file is never used in place of the one named.
    if (!blnCommonWordsLoaded) CommonWords = CommonWordSet();
}

void ParamsWindow::txbWordsToIgnore_LostFocus() {
    const std::string s = TidyIgnoreList(txbWordsToIgnore.Text(), chkCaseSignificant.Value() == 0);
    txbWordsToIgnore.SetText(s);
    const std::string list = IgnoreListForFilters(s);
    if (list == frmMain->strWordsToIgnore) return;
    frmMain->strWordsToIgnore = list;
    frmMain->MarkListingOutdated();
}

void ParamsWindow::cmdClearWordsToIgnore_Click() {
    txbWordsToIgnore.SetText("");
    txbWordsToIgnore_LostFocus();
    SetFocus(cmdClose);
}

void ParamsWindow::chkIgnoreCommonWords_Click() {
    if (!frmMain->blnStartUpCompleted || blnReverting) return;
    const int chosen = chkIgnoreCommonWords.Value();
    if (chosen != 0) {
        if (frmMain->strCommonWordsFile.empty()) {
            platform.ShowMessage("Please specify the file containing common words.", "File?", MsgButtons::Ok,
                                 MsgIcon::None);
            blnReverting = true;
            chkIgnoreCommonWords.SetValue(0);
            blnReverting = false;
            SetFocus(cmdSelectCommonWordsFile);
            return;
        }
        if (frmMain->blnCommonWordsLoaded) {
            platform.ShowMessage(
                "This file has already been loaded.  Click on 'Clear' "
                "and re-select the file if it has been changed on disk.",
                "Common words loaded", MsgButtons::Ok, MsgIcon::None);
        } else if (!frmMain->blnWordsGot) {
            frmMain->AttemptToReadCommonWords();
            frmMain->ConcealNumWords();
        } else {
            const MsgAnswer answer = platform.ShowMessage("Changing this entails reading the file anew.  Is this OK?",
                                                          kDefaultMessageTitle, MsgButtons::YesNoCancel, MsgIcon::None);
            if (answer == MsgAnswer::Yes) {
                frmMain->AttemptToReadCommonWords();
                frmMain->ConcealNumWords();
            } else {
                blnReverting = true;
                chkIgnoreCommonWords.SetValue(0);
                blnReverting = false;
            }
        }
    }
    if (chkIgnoreCommonWords.Value() == chosen) frmMain->MarkListingOutdated();
    if (Visible()) SetFocus(cmdClose);
}

void ParamsWindow::cmdSelectCommonWordsFile_Click() {
    FileDialogRequest request;
    request.title = "Specify file of common words to ignore";
    request.filter = "Any file containing only text (*.*) | *.*";
    request.flags = FileDialogFlags::kHideReadOnly | FileDialogFlags::kPathMustExist | FileDialogFlags::kFileMustExist;
    request.save = false;
    const std::optional<std::string> chosen =
        platform.ShowFileDialog(request, frmMain->DialogFolder(txbCommonWordsFile.Text()));
    if (chosen && !chosen->empty()) {
        frmMain->RememberDialogFolder(*chosen);
        frmMain->strCommonWordsFile = NormaliseDriveLetter(*chosen);
        txbCommonWordsFile.SetText(frmMain->strCommonWordsFile);
        frmMain->blnCommonWordsLoaded = false;
        frmMain->blnWordsGot = false;
        // A chosen file is read at once, also when the box was checked already.
        if (chkIgnoreCommonWords.Value() == 1)
            chkIgnoreCommonWords_Click();
        else
            chkIgnoreCommonWords.SetValue(1);
    }
    SetFocus(cmdClose);
}

void ParamsWindow::cmdClearCommonWordsFile_Click() {
    txbCommonWordsFile.SetText("");
    frmMain->strCommonWordsFile.clear();
    chkIgnoreCommonWords.SetValue(0);
    frmMain->blnCommonWordsLoaded = false;
}

bool ParamsWindow::txbCommonWordsFile_KeyPress(int keyAscii) {
    if (keyAscii != kEnterKey) return true;
    txbCommonWordsFile_LostFocus();
    return false;
}

void ParamsWindow::txbCommonWordsFile_LostFocus() {
    if (chkIgnoreCommonWords.Value() == 0) return;
    txbCommonWordsFile.SetText(TrimSpaces(txbCommonWordsFile.Text()));
    if (frmMain->strCommonWordsFile == txbCommonWordsFile.Text()) return;
    frmMain->strCommonWordsFile = txbCommonWordsFile.Text();
    frmMain->blnCommonWordsLoaded = false;
    frmMain->blnWordsGot = false;
    chkIgnoreCommonWords_Click();
}

}  // namespace vesk
