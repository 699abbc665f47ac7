// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The model of the results window: the listed words of the current listing as a table that sorts by any
// column and filters by a search as the user types, the words to copy, and the figures of its two charts (the
// most frequent words, and frequency against rank on log scales with the fitted Zipf exponent).
//
// It is virtual over the word table: vectors of rank positions and a running total, no text made for a row
// before the view asks for its cells. It reads the table it was built from, which must not change until the
// next Refresh; Follows() tells whether the table is still the one it was built from (a new count moves every
// record), and a model that no longer follows shows nothing.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/WordTable.h"
#include "listing/WordExport.h"

namespace vesk {

class MainWindow;

enum class ResultsColumn { Rank = 0, Frequency = 1, Word = 2, Percent = 3, CumulativePercent = 4 };
inline constexpr int kResultsColumnCount = 5;

// A point of the Zipf plot: log10 of the rank position, log10 of the frequency.
struct ZipfPoint {
    double x = 0;
    double y = 0;
};

// The least-squares line y = intercept + slope x through the Zipf points.
struct ZipfLine {
    double slope = 0;
    double intercept = 0;
};

class ResultsModel {
  public:
    // Takes the listed words of `table` in rank order (`chainHead` as ranking gave it); `listing` names the
    // listing they come from. The sort and the search stay as they were and apply to the new words.
    void Refresh(const WordTable& table, std::int64_t chainHead, std::uint64_t listing = 0);
    std::uint64_t Listing() const { return m_listing; }
    // No words.
    void Clear();
    bool Follows(const WordTable& table) const;

    // ---- The table ----
    static const char* ColumnTitle(ResultsColumn column);
    // The rows shown: the words the search finds, in the order of the sort.
    std::int64_t RowCount() const;
    // Every listed word.
    std::int64_t WordCount() const { return Valid() ? static_cast<std::int64_t>(m_byRank.size()) : 0; }
    // A cell as shown: numbers without grouping, percentages with one decimal and a "." in every locale.
    std::string Cell(std::int64_t row, ResultsColumn column) const;
    // The rank of the word shown in a row (1 for the most frequent).
    std::int32_t RankOfRow(std::int64_t row) const { return Position(row) + 1; }

    // Sorts by a column; the column sorted already is sorted the other way. Words sort in the listing's
    // alphabetical (key) order, the other columns by their numbers; equal numbers stay in rank order.
    void SortBy(ResultsColumn column);
    void Sort(ResultsColumn column, bool descending);
    ResultsColumn SortColumn() const { return m_sortColumn; }
    bool SortDescending() const { return m_descending; }

    // Shows the words whose key holds the key of `text` ("cafe" finds Café; surrounding blanks do not count);
    // an empty text shows every word.
    void SetSearch(std::string_view text);
    const std::string& SearchText() const { return m_searchText; }
    // "12 of 3456 words"
    std::string Caption() const;

    // The rows given (rows shown, in any order; each once, in the order shown) as lines of tab-separated cells
    // under a line of the column titles, each ending with a line feed.
    std::string CopyRows(std::vector<std::int64_t> rows) const;

    // ---- The charts ----
    // The `count` most frequent words (10 to 100, clamped), most frequent first, ties in key order.
    std::vector<std::pair<std::string_view, std::int64_t>> TopWords(int count) const;
    // A point for every listed word, in rank order: each word has its own position 1..N.
    std::vector<ZipfPoint> ZipfPoints() const;
    // The line fitted to the points; nothing with fewer than two words.
    std::optional<ZipfLine> FitZipfLine() const;
    // "Zipf exponent s = 1.02", s being minus the slope; "Zipf exponent s = n/a" with fewer than two words.
    std::string ZipfCaption() const;

  private:
    bool Valid() const { return m_table != nullptr && m_table->Generation() == m_generation; }
    std::int32_t Position(std::int64_t row) const {
        return m_filtered ? m_view[static_cast<std::size_t>(row)] : m_order[static_cast<std::size_t>(row)];
    }
    void Rebuild();
    // Marks the words whose key holds m_searchKey.
    void Search();
    void Filter();

    const WordTable* m_table = nullptr;
    std::uint64_t m_generation = 0;
    std::uint64_t m_listing = 0;
    std::vector<std::int32_t> m_byRank;      // position (rank - 1) -> record
    std::vector<std::int64_t> m_cumulative;  // position -> occurrences of the words up to it
    std::vector<std::int32_t> m_order;       // every position, in the order of the sort
    std::vector<std::uint8_t> m_matches;     // position -> found by the search
    // The keys in rank order, each followed by a line feed, and where each starts.
    std::string m_keys;
    std::vector<std::size_t> m_keyStarts;
    std::vector<std::int32_t> m_view;  // m_order less the words the search does not find
    bool m_filtered = false;           // a search is in force: rows come from m_view
    std::string m_searchText;          // as typed, without surrounding blanks
    std::string m_searchKey;
    ResultsColumn m_sortColumn = ResultsColumn::Rank;
    bool m_descending = false;
};

// Whether `model` is on the main window's current listing already, so that FollowListing would change nothing.
bool FollowsListing(const ResultsModel& model, const MainWindow& window);
// Keeps `model` on the main window's current listing: rebuilt after each ranking, empty while no listing is
// shown or the table is being counted anew. Returns true when the model changed.
bool FollowListing(ResultsModel& model, const MainWindow& window);

// Writes every word of the main window's current listing, in rank order whatever a view shows, to the file
// `path` (a system path) in `format`, replacing a file there only once the export is whole; the parameters of
// the listing are the settings of a JSON export. Returns the failure's description, "" on success.
std::string SaveListingExport(const MainWindow& window, const std::string& path, ExportFormat format);

}  // namespace vesk
