// SPDX-License-Identifier: GPL-3.0-or-later
#include "listing/LineComposer.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstring>
#include <utility>

#include "engine/CharClasses.h"
#include "engine/Encoding.h"

namespace vesk {

namespace {

int DigitCount(std::int64_t value) {
    int digits = 1;
    for (std::uint64_t v = value < 0 ? 0 : static_cast<std::uint64_t>(value); v >= 10; v /= 10) ++digits;
    return digits;
}

// The formats whose last column is the word; their heading carries the longest-word note.
bool EndsWithWord(int format) { return format == 0 || format == 3 || format == 5 || format == kFormatWordPerLine; }

// How each display format lays out its line: what comes before the first column, the columns in order and
// the gap between two columns. A word in the last column is not padded, so that no line ends in spaces.
enum class Lead : unsigned char { None, Number, Wide };
enum class Column : unsigned char { None, Rank, Frequency, PaddedWord, Word };
struct FormatColumns {
    Lead lead;
    std::array<Column, 3> columns;
    bool gapAfterWord;  // the shorter gap that follows a padded word; otherwise the one after a number
};
constexpr FormatColumns kFormatColumns[kDisplayFormatCount] = {
    {Lead::Number, {Column::Rank, Column::Frequency, Column::Word}, false},
    {Lead::Number, {Column::Rank, Column::PaddedWord, Column::Frequency}, false},
    {Lead::Number, {Column::Rank, Column::Frequency}, false},
    {Lead::Number, {Column::Rank, Column::Word}, false},
    {Lead::Number, {Column::Frequency, Column::Rank}, false},
    {Lead::Wide, {Column::Frequency, Column::Word}, false},
    {Lead::Wide, {Column::PaddedWord, Column::Rank}, true},
    {Lead::Wide, {Column::PaddedWord, Column::Frequency}, true},
    {Lead::None, {Column::Word}, false},
    {Lead::None, {Column::Word}, false},
};

// Writes a line into storage sized beforehand for the longest line the widths allow: a listing composes a
// line per word, and appending piece by piece to a string costs more than the line itself.
struct LineWriter {
    char* at;
    void Put(std::string_view text) {
        std::memcpy(at, text.data(), text.size());
        at += text.size();
    }
    void Spaces(std::size_t count) {
        std::memset(at, ' ', count);
        at += count;
    }
};

// Widths are in characters, so that columns of any script line up as ASCII ones do; a number's digits are one
// byte each.
void PadNumberLeft(LineWriter& out, std::string_view digits, int width) {
    if (static_cast<std::ptrdiff_t>(digits.size()) < width) out.Spaces(static_cast<std::size_t>(width) - digits.size());
    out.Put(digits);
}

void PadRight(LineWriter& out, std::string_view text, int width) {
    out.Put(text);
    const auto length = static_cast<std::ptrdiff_t>(Utf8Length(text));
    if (length < width) out.Spaces(static_cast<std::size_t>(width - length));
}

// What one line is made of.
struct LineTexts {
    std::string_view rank;
    std::string_view frequency;
    std::string_view word;
    const ColumnWidths& widths;
    bool comma;
};

template <Column kColumn>
void AppendColumn(LineWriter& out, const LineTexts& texts) {
    if constexpr (kColumn == Column::Rank) PadNumberLeft(out, texts.rank, texts.widths.rank);
    if constexpr (kColumn == Column::Frequency) PadNumberLeft(out, texts.frequency, texts.widths.frequency);
    if constexpr (kColumn == Column::PaddedWord) PadRight(out, texts.word, texts.widths.word);
    if constexpr (kColumn == Column::Word) out.Put(texts.word);
}

// One format's line, written at `out`. Made from the table at compile time, so that each format's line is
// composed by straight code as long listings need.
template <int kFormat>
void AppendLine(LineWriter& out, const LineTexts& texts) {
    constexpr FormatColumns format = kFormatColumns[kFormat];
    if constexpr (format.lead == Lead::Number) out.Put(texts.comma ? "  " : " ");
    if constexpr (format.lead == Lead::Wide) out.Put("  ");
    // Numbers are followed by two spaces (", " + one more with commas), a padded word by one or two.
    const std::string_view gap = format.gapAfterWord ? (texts.comma ? ", " : " ") : (texts.comma ? ",  " : "  ");
    AppendColumn<format.columns[0]>(out, texts);
    if constexpr (format.columns[1] != Column::None) {
        out.Put(gap);
        AppendColumn<format.columns[1]>(out, texts);
    }
    if constexpr (format.columns[2] != Column::None) {
        out.Put(gap);
        AppendColumn<format.columns[2]>(out, texts);
    }
}

template <std::size_t... kFormats>
constexpr auto LineAppenders(std::index_sequence<kFormats...>) {
    using Appender = void (*)(LineWriter&, const LineTexts&);
    return std::array<Appender, sizeof...(kFormats)>{&AppendLine<static_cast<int>(kFormats)>...};
}

constexpr auto kLineAppenders = LineAppenders(std::make_index_sequence<kDisplayFormatCount>());

}  // namespace

ColumnWidths ColumnWidths::For(const WordStatistics& stats, int minColumnWidth) {
    ColumnWidths widths;
    widths.rank = std::max(minColumnWidth, DigitCount(stats.listedWordCount));
    widths.frequency = std::max(minColumnWidth, DigitCount(stats.highestFrequency));
    widths.word = std::max<int>(minColumnWidth, stats.longestWordLength);
    return widths;
}

LineComposer::LineComposer(int displayFormat, ListLayout layout, ColumnWidths widths, std::int32_t longestWordLength)
    : m_format(displayFormat >= 0 && displayFormat < kDisplayFormatCount ? displayFormat : 0),
      m_layout(layout),
      m_widths(widths),
      m_longestWordLength(longestWordLength) {}

std::string LineComposer::Compose(std::string_view rank, std::string_view frequency, std::string_view word) const {
    std::string out;
    ComposeInto(out, rank, frequency, word);
    return out;
}

void LineComposer::ComposeInto(std::string& out, std::string_view rank, std::string_view frequency,
                               std::string_view word) const {
    // The lead and two gaps take at most 8 characters, and no padding is wider than its column.
    out.resize(static_cast<std::size_t>(8 + std::max(m_widths.rank, 0) + std::max(m_widths.frequency, 0) +
                                        std::max(m_widths.word, 0)) +
               rank.size() + frequency.size() + word.size());
    LineWriter writer{out.data()};
    kLineAppenders[static_cast<std::size_t>(m_format)](
        writer, {rank, frequency, word, m_widths, m_layout == ListLayout::Comma});
    out.resize(static_cast<std::size_t>(writer.at - out.data()));
}

std::string LineComposer::Heading() const {
    if (!HasHeading()) return {};
    std::string line = Compose("Rank", "Freq", "Word");
    if (EndsWithWord(m_format)) {
        line = std::string(TrimmedTrailingSpaces(line));
        line += " (longest has " + std::to_string(m_longestWordLength) + " characters)";
    }
    if (m_format == kFormatWordPerLine) return std::string(TrimmedSpaces(line));
    return line;
}

std::string LineComposer::Line(const WordRecord& record) const {
    std::string line;
    LineInto(record, line);
    return line;
}

void LineComposer::LineInto(const WordRecord& record, std::string& line) const {
    const std::string_view word = TrimmedSpaces(record.word);
    if (m_format == kFormatWordPerLine || m_format == kFormatWordsJoined) {
        line.assign(word);
        return;
    }
    char rank[24];
    char frequency[24];
    const auto rankEnd = std::to_chars(rank, rank + sizeof rank, record.rank).ptr;
    const auto frequencyEnd = std::to_chars(frequency, frequency + sizeof frequency, record.frequency).ptr;
    ComposeInto(line, std::string_view(rank, static_cast<std::size_t>(rankEnd - rank)),
                std::string_view(frequency, static_cast<std::size_t>(frequencyEnd - frequency)), word);
}

}  // namespace vesk
