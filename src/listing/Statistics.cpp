#include <string>

#include "app/MainWindow.h"
#include "listing/NumberFormat.h"

namespace vesk {

namespace {

// The value right-aligned in `width` characters. A value wider than the field (never the case while the
// total is the largest figure) is shown whole rather than cut.
std::string Field(std::int64_t value, std::size_t width) {
    const std::string digits = FormatGrouped(value);
    if (digits.size() >= width) return " " + digits;
    return std::string(width - digits.size(), ' ') + digits;
}

}  // namespace

void MainWindow::ShowStatistics() {
    const WordStatistics& stats = Table.Statistics();
    const std::size_t width = FormatGrouped(stats.totalOccurrenceCount).size() + 1;

    lblNumberOfWords.SetCaption("Number of words in this list:" + Field(stats.listedWordCount, width));
    lblNumberOfWords.SetVisible(true);
    lblNumWordsExcluded.SetCaption("Number of words excluded:" + Field(stats.excludedWordCount, width));
    lblNumWordsExcluded.SetVisible(true);

    lblNumOccurrences.SetCaption("");
    lblTotalNumOccurrences.SetCaption("");
    lblTotalNumOccurrences.SetAlignment(Alignment::Right);
    if (!CountInterrupted) {
        if (stats.listedOccurrenceCount > 0)
            lblNumOccurrences.SetCaption("No. of occurrences in file of words in this list:" +
                                         Field(stats.listedOccurrenceCount, width));
        lblTotalNumOccurrences.SetCaption("Total number of words in file:" + Field(stats.totalOccurrenceCount, width));
    }
    lblNumOccurrences.SetVisible(true);
    lblTotalNumOccurrences.SetVisible(true);
    platform.Repaint(&Frame2);
}

}  // namespace vesk
