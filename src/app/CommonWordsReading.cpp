// SPDX-License-Identifier: GPL-3.0-or-later
#include <exception>
#include <memory>

#include "app/FileMessages.h"
#include "app/MainWindow.h"
#include "engine/CharClasses.h"
#include "engine/CommonWordsFile.h"
#include "engine/FileChecks.h"
#include "listing/RunError.h"
#include "params/ParamsWindow.h"

namespace vesk {

namespace {

// Puts check boxes back to their values when the reading ends, however it ends.
class RestoreBoxes {
  public:
    RestoreBoxes(CheckBox& suppress, CheckBox& comments)
        : m_suppress(suppress),
          m_comments(comments),
          m_suppressValue(suppress.Value()),
          m_commentsValue(comments.Value()) {}
    ~RestoreBoxes() {
        m_suppress.SetValue(m_suppressValue);
        m_comments.SetValue(m_commentsValue);
    }
    RestoreBoxes(const RestoreBoxes&) = delete;
    RestoreBoxes& operator=(const RestoreBoxes&) = delete;

  private:
    CheckBox& m_suppress;
    CheckBox& m_comments;
    int m_suppressValue;
    int m_commentsValue;
};

}  // namespace

void MainWindow::AttemptToReadCommonWords() {
    blnCommonWordsLoaded = false;
    if (ReadCommonWords()) {
        platform.ShowMessage("Common words loaded from " + strCommonWordsFile, "Common words", MsgButtons::Ok,
                             MsgIcon::Information);
        frmParams->txbCommonWordsFile.SetText(strCommonWordsFile);
        blnCommonWordsLoaded = true;
    } else {
        platform.ShowMessage("Error when attempting to load common words from " + strCommonWordsFile, "Common words",
                             MsgButtons::Ok, MsgIcon::Exclamation);
    }
    blnWordsGot = false;
}

bool MainWindow::ReadCommonWords() {
    // File names are case-sensitive here: trimmed, never lower-cased.
    strCommonWordsFile = TrimSpaces(strCommonWordsFile);
    if (strCommonWordsFile.empty()) return false;

    const std::string fileLine = FileLine("Common-words file", strCommonWordsFile);
    const CommonWordsFileCheck check = CheckCommonWordsFile(strCommonWordsFile, ChosenEncoding());
    if (check.problem != 0) {
        if (blnStartUpCompleted) {
            ReportFileProblem(platform, check.problem, "File for common words not found.", fileLine);
        } else {
            SetDefaultCommonWordsFile();
            frmParams->chkIgnoreCommonWords.SetValue(0);
        }
        return false;
    }
    if (check.kind == kNotText) {
        platform.ShowMessage("This is not a text file.\r\n" + fileLine, "Invalid input", MsgButtons::Ok,
                             MsgIcon::Exclamation);
        return false;
    }
    // Lines end at LF as well, so only CR-only files are unusual enough to mention.
    if (check.kind == kTextCrOnly) WarnLineEndings(platform, check.kind);

    std::exception_ptr failure;
    {
        // The table is about to be emptied; clearing the flag first also keeps the word-forming box
        // handlers from asking about re-reading when the boxes below are set and put back.
        blnWordsGot = false;
        RestoreBoxes restore(chkSuppressWords, frmParams->chkAllowCommentMarkers);
        chkSuppressWords.SetValue(1);
        SetCommentMarkers("C");
        frmParams->chkAllowCommentMarkers.SetValue(1);
        ConcealNumWords();
        txbOutput.SetText("Now reading common words ...");
        failure = ReadCommonWordsFile(strCommonWordsFile, CurrentScanOptions(false), Scanner, Table, CommonWords,
                                      ChosenEncoding());
        if (!failure) {
            blnCommonWordsLoaded = true;
        } else {
            const RunError error = RunErrorOf(failure);
            platform.ShowMessage(ErrorNumberText(error.Number(), error.Description()) + "\r\n" + fileLine,
                                 kDefaultMessageTitle, MsgButtons::Ok, MsgIcon::None);
        }
    }
    txbOutput.SetText(std::string());
    return !failure;
}

}  // namespace vesk
