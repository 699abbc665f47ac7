// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/MainWindow.h"
#include "engine/CommentMarkers.h"
#include "params/ParamsWindow.h"

namespace vesk {

namespace {

constexpr const char* kEmptyStartMessage =
    "Cannot have an empty start-comment marker\r\nwith a non-empty end-comment marker.\r\n\r\n"
    "Check the comment markers in the 'Set parameters' panel\r\nand perhaps disallow comment markers.";
constexpr const char* kNoStartMessage =
    "If comment markers are allowed then at least one\r\nstart-comment marker must be non-empty.\r\n\r\n"
    "Check the comment markers in the 'Set parameters' panel\r\nand perhaps disallow comment markers.";
constexpr const char* kSameMarkersMessage =
    "Start-comment and end-comment markers must be different.\r\n\r\n"
    "Check the comment markers in the 'Set parameters' panel.";

std::string PartOfWordMessage(const std::string& marker) {
    std::string text = "The way the parameters are set the start-comment marker\r\n\"";
    text += marker;
    text +=
        "\" could be part of a word.\r\n\r\nCheck the start-comment markers in the 'Set parameters' panel and\r\n"
        "perhaps disallow comment markers or restrict allowable words.";
    return text;
}

// The markers in the user's boxes, as typed.
CommentMarkers UserMarkers(const ParamsWindow& p) {
    CommentMarkers markers;
    for (std::size_t k = 0; k < 2; ++k) {
        markers.starts[k] = p.txbStartComment[k].Text();
        markers.ends[k] = p.txbEndComment[k].Text();
    }
    return markers;
}

}  // namespace

void MainWindow::SetCommentMarkers(const std::string& strType) {
    // The file-type flag is the counting run's to set.
    const bool fromFileType = Comments.fromFileType;
    if (strType == "HTML")
        Comments = MarkupMarkers();
    else if (strType == "C")
        Comments = CodeMarkers();
    else if (strType.empty())
        Comments = CommentMarkers{};
    else
        Comments = UserMarkers(*frmParams);
    Comments.fromFileType = fromFileType;
}

bool MainWindow::ValidateCommentMarkers() {
    const CommentMarkers markers = UserMarkers(*frmParams);
    // The characters of the run's snapshot, with numerals as their box is now.
    AllowedCharacters allowed = OptionSnapshot;
    allowed.numerals = frmParams->chkAllowWordsWithNumerals.Value() == 1;
    const MarkerCheck check = CheckUserMarkers(markers, allowed);
    std::string text;
    switch (check.problem) {
        case MarkerProblem::None:
            return true;
        case MarkerProblem::EmptyStartWithEnd:
            text = kEmptyStartMessage;
            break;
        case MarkerProblem::NoStart:
            text = kNoStartMessage;
            break;
        case MarkerProblem::SameStartAndEnd:
            text = kSameMarkersMessage;
            break;
        case MarkerProblem::StartInWord:
            text = PartOfWordMessage(markers.starts[static_cast<std::size_t>(check.pair)]);
            break;
    }
    platform.ShowMessage(text, "Error", MsgButtons::Ok, MsgIcon::Exclamation);
    return false;
}

}  // namespace vesk
