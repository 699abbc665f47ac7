#include "listing/LineComposer.h"

#include <algorithm>

namespace vesk {

namespace {

int DigitCount(std::int64_t value) {
    int digits = 1;
    for (std::uint64_t v = value < 0 ? 0 : static_cast<std::uint64_t>(value); v >= 10; v /= 10) ++digits;
    return digits;
}

std::string PadLeft(std::string_view text, int width) {
    const auto pad = std::max<std::ptrdiff_t>(0, width - static_cast<std::ptrdiff_t>(text.size()));
    std::string out(static_cast<std::size_t>(pad), ' ');
    out += text;
    return out;
}

std::string PadRight(std::string_view text, int width) {
    std::string out(text);
    if (static_cast<std::ptrdiff_t>(out.size()) < width) out.resize(static_cast<std::size_t>(width), ' ');
    return out;
}

std::string_view TrimRight(std::string_view text) {
    const std::size_t end = text.find_last_not_of(' ');
    return end == std::string_view::npos ? std::string_view() : text.substr(0, end + 1);
}

// The formats whose last column is the word; their heading carries the longest-word note.
bool EndsWithWord(int format) { return format == 0 || format == 3 || format == 5 || format == kFormatWordPerLine; }

std::string_view TrimBothEnds(std::string_view text) {
    const std::size_t begin = text.find_first_not_of(' ');
    if (begin == std::string_view::npos) return {};
    return TrimRight(text.substr(begin));
}

}  // namespace

ColumnWidths ColumnWidths::For(const WordStatistics& stats, int minColumnWidth) {
    ColumnWidths widths;
    widths.rank = std::max(minColumnWidth, DigitCount(stats.ListedWordCount));
    widths.frequency = std::max(minColumnWidth, DigitCount(stats.HighestFrequency));
    widths.word = std::max<int>(minColumnWidth, stats.LongestWordLength);
    return widths;
}

LineComposer::LineComposer(int displayFormat, ListLayout layout, ColumnWidths widths, std::int32_t longestWordLength)
    : m_format(displayFormat >= 0 && displayFormat < kDisplayFormatCount ? displayFormat : 0),
      m_layout(layout),
      m_widths(widths),
      m_longestWordLength(longestWordLength) {}

std::string LineComposer::Compose(std::string_view rank, std::string_view frequency, std::string_view word) const {
    const std::string r = PadLeft(rank, m_widths.rank);
    const std::string f = PadLeft(frequency, m_widths.frequency);
    const std::string w = PadRight(word, m_widths.word);
    const bool comma = m_layout == ListLayout::Comma;
    // Numbers are followed by two spaces (", " + one more with commas), a padded word by one or two.
    const std::string lead = comma ? "  " : " ";
    const std::string afterNumber = comma ? ",  " : "  ";
    const std::string afterWord = comma ? ", " : " ";
    switch (m_format) {
        case 0:
            return lead + r + afterNumber + f + afterNumber + std::string(word);
        case 1:
            return lead + r + afterNumber + w + (comma ? ",  " : "  ") + f;
        case 2:
            return lead + r + afterNumber + f;
        case 3:
            return lead + r + afterNumber + std::string(word);
        case 4:
            return lead + f + afterNumber + r;
        case 5:
            return "  " + f + afterNumber + std::string(word);
        case 6:
            return "  " + w + afterWord + r;
        case 7:
            return "  " + w + afterWord + f;
        default:
            return std::string(word);
    }
}

std::string LineComposer::Heading() const {
    if (!HasHeading()) return {};
    std::string line = Compose("Rank", "Freq", "Word");
    if (EndsWithWord(m_format)) {
        line = std::string(TrimRight(line));
        line += " (longest has " + std::to_string(m_longestWordLength) + " characters)";
    }
    if (m_format == kFormatWordPerLine) return std::string(TrimBothEnds(line));
    return line;
}

std::string LineComposer::Line(const WordRecord& record) const {
    const std::string_view word = TrimBothEnds(record.Word);
    if (m_format == kFormatWordPerLine || m_format == kFormatWordsJoined) return std::string(word);
    return Compose(std::to_string(record.Rank), std::to_string(record.Frequency), word);
}

}  // namespace vesk
