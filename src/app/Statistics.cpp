// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/MainWindow.h"
#include "listing/StatisticsText.h"

namespace vesk {

void MainWindow::ShowStatistics() {
    const StatisticsText text = ComposeStatistics(Table.Statistics(), CountInterrupted);
    lblNumberOfWords.SetCaption(text.listedWords);
    lblNumberOfWords.SetVisible(true);
    lblNumWordsExcluded.SetCaption(text.excludedWords);
    lblNumWordsExcluded.SetVisible(true);
    lblNumOccurrences.SetCaption(text.listedOccurrences);
    lblTotalNumOccurrences.SetCaption(text.totalOccurrences);
    lblTotalNumOccurrences.SetAlignment(Alignment::Right);
    lblNumOccurrences.SetVisible(true);
    lblTotalNumOccurrences.SetVisible(true);
    lblOptionsChanged.SetVisible(false);
    platform.Repaint(&Frame2);
}

void MainWindow::MarkListingOutdated() {
    // Only the figures of a finished count stand for a list; the excluded count is shown with them alone.
    if (!blnStartUpCompleted || !lblNumWordsExcluded.Visible()) return;
    lblOptionsChanged.SetVisible(true);
    platform.Repaint(&Frame2);
}

}  // namespace vesk
