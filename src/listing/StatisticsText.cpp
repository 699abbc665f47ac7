// SPDX-License-Identifier: GPL-3.0-or-later
#include "listing/StatisticsText.h"

#include "engine/Encoding.h"
#include "listing/NumberFormat.h"

namespace vesk {

namespace {

// The value right-aligned in `width` characters (a locale's group separator may take several bytes). A
// value wider than the field (never the case while the total is the largest figure) is shown whole rather
// than cut.
std::string Field(std::int64_t value, std::size_t width) {
    const std::string digits = FormatGrouped(value);
    const std::size_t length = Utf8Length(digits);
    if (length >= width) return " " + digits;
    return std::string(width - length, ' ') + digits;
}

}  // namespace

StatisticsText ComposeStatistics(const WordStatistics& stats, bool interrupted) {
    const std::size_t width = Utf8Length(FormatGrouped(stats.totalOccurrenceCount)) + 1;
    StatisticsText text;
    text.listedWords = "Number of words in this list:" + Field(stats.listedWordCount, width);
    text.excludedWords = "Number of words excluded:" + Field(stats.excludedWordCount, width);
    if (!interrupted) {
        if (stats.listedOccurrenceCount > 0)
            text.listedOccurrences =
                "No. of occurrences in file of words in this list:" + Field(stats.listedOccurrenceCount, width);
        text.totalOccurrences = "Total number of words in file:" + Field(stats.totalOccurrenceCount, width);
    }
    return text;
}

}  // namespace vesk
