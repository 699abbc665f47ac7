// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/MainWindow.h"
#include "engine/CommentMarkers.h"
#include "engine/CountRules.h"
#include "listing/RunTexts.h"
#include "params/ParamsWindow.h"

namespace vesk {

namespace {

// The markers in the user's boxes, as typed.
CommentMarkers UserMarkers(const ParamsWindow& p) {
    CommentMarkers markers;
    for (std::size_t k = 0; k < 2; ++k) {
        markers.starts[k] = p.txbStartComment[k].Text();
        markers.ends[k] = p.txbEndComment[k].Text();
    }
    return markers;
}

MarkerChoice ChoiceOfType(const std::string& strType) {
    if (strType == "HTML") return MarkerChoice::Markup;
    if (strType == "C") return MarkerChoice::Code;
    if (strType.empty()) return MarkerChoice::None;
    return MarkerChoice::User;
}

}  // namespace

void MainWindow::SetCommentMarkers(const std::string& strType) {
    // The file-type flag is the counting run's to set.
    const bool fromFileType = Comments.fromFileType;
    Comments = MarkersOfChoice(ChoiceOfType(strType), UserMarkers(*frmParams));
    Comments.fromFileType = fromFileType;
}

bool MainWindow::ValidateCommentMarkers() {
    const CommentMarkers markers = UserMarkers(*frmParams);
    // The characters of the run's snapshot, with numerals as their box is now.
    AllowedCharacters allowed = OptionSnapshot;
    allowed.numerals = frmParams->chkAllowWordsWithNumerals.Value() == 1;
    const MarkerCheck check = CheckUserMarkers(markers, allowed);
    if (check.problem == MarkerProblem::None) return true;
    platform.ShowMessage(MarkerProblemMessage(check, markers), "Error", MsgButtons::Ok, MsgIcon::Exclamation);
    return false;
}

}  // namespace vesk
