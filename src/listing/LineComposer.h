// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The lines of a listing: the heading and one line per word, in one of the ten display formats and one of
// two layouts. The composer only formats; where a line goes is up to the sink that receives it.

#include <cstdint>
#include <string>
#include <string_view>

#include "engine/WordTable.h"

namespace vesk {

// Display formats by list index; the two word-only formats are treated apart.
inline constexpr int kFormatWordPerLine = 8;
inline constexpr int kFormatWordsJoined = 9;
inline constexpr int kDisplayFormatCount = 10;

enum class ListLayout {
    Plain,  // the output box, and the output file without commas
    Comma,  // the output file with "Include commas in output file"
};

struct ColumnWidths {
    int rank = 6;
    int frequency = 6;
    int word = 6;
    bool operator==(const ColumnWidths&) const = default;

    // Every column at least `minColumnWidth` wide and wide enough for the largest text placed in it.
    static ColumnWidths For(const WordStatistics& stats, int minColumnWidth);
};

class LineComposer {
  public:
    // A format outside 0..9 is composed as format 0.
    LineComposer(int displayFormat, ListLayout layout, ColumnWidths widths, std::int32_t longestWordLength);

    int DisplayFormat() const { return m_format; }
    // Format 9 sends bare words that the sink joins on one line, and has no heading.
    bool JoinsWords() const { return m_format == kFormatWordsJoined; }
    bool HasHeading() const { return !JoinsWords(); }

    // The heading line, without a line end ("" for format 9).
    std::string Heading() const;
    // The line of one record, without a line end; for formats 8 and 9 the bare word.
    std::string Line(const WordRecord& record) const;
    // The same into `line` (replaced), reusing its storage.
    void LineInto(const WordRecord& record, std::string& line) const;

  private:
    std::string Compose(std::string_view rank, std::string_view frequency, std::string_view word) const;
    void ComposeInto(std::string& out, std::string_view rank, std::string_view frequency, std::string_view word) const;

    int m_format;
    ListLayout m_layout;
    ColumnWidths m_widths;
    std::int32_t m_longestWordLength;
};

}  // namespace vesk
