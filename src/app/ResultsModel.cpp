// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ResultsModel.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <numeric>

#include "app/MainWindow.h"
#include "engine/UnicodeKeys.h"
#include "settings/AtomicSave.h"
#include "settings/SettingNames.h"

namespace vesk {

namespace {

constexpr int kFewestTopWords = 10;
constexpr int kMostTopWords = 100;

std::string Number(std::int64_t value) {
    char digits[24];
    return std::string(digits, std::to_chars(digits, digits + sizeof digits, value).ptr);
}

std::string_view TrimBlanks(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

}  // namespace

void ResultsModel::Refresh(const WordTable& table, std::int64_t chainHead, std::uint64_t listing) {
    m_table = &table;
    m_generation = table.Generation();
    m_listing = listing;
    m_byRank.clear();
    m_cumulative.clear();
    const std::int64_t count = table.DistinctWordCount();
    m_byRank.reserve(static_cast<std::size_t>(table.Statistics().listedWordCount));
    m_cumulative.reserve(m_byRank.capacity());
    std::int64_t total = 0;
    for (std::int64_t record = chainHead; record >= 1 && record <= count; record = table.NextByFrequency(record)) {
        if (!table.IsListed(record)) continue;
        total += table.Frequency(record);
        m_byRank.push_back(static_cast<std::int32_t>(record));
        m_cumulative.push_back(total);
    }
    Rebuild();
}

void ResultsModel::Clear() {
    m_table = nullptr;
    m_listing = 0;
    m_byRank.clear();
    m_cumulative.clear();
    m_order.clear();
    m_matches.clear();
    m_view.clear();
    m_keys.clear();
    m_keyStarts.clear();
}

bool ResultsModel::Follows(const WordTable& table) const { return m_table == &table && Valid(); }

const char* ResultsModel::ColumnTitle(ResultsColumn column) {
    static constexpr const char* kTitles[kResultsColumnCount] = {"Rank", "Frequency", "Word", "% of occurrences",
                                                                 "Cumulative %"};
    return kTitles[static_cast<int>(column)];
}

std::int64_t ResultsModel::RowCount() const {
    if (!Valid()) return 0;
    return static_cast<std::int64_t>(m_filtered ? m_view.size() : m_order.size());
}

std::string ResultsModel::Cell(std::int64_t row, ResultsColumn column) const {
    if (row < 0 || row >= RowCount()) return {};
    const auto position = static_cast<std::size_t>(Position(row));
    const std::int32_t record = m_byRank[position];
    switch (column) {
        case ResultsColumn::Rank:
            return Number(static_cast<std::int64_t>(position) + 1);
        case ResultsColumn::Frequency:
            return Number(m_table->Frequency(record));
        case ResultsColumn::Word:
            return std::string(m_table->Word(record));
        case ResultsColumn::Percent:
            return FormatPercent(m_table->Frequency(record), m_cumulative.back());
        case ResultsColumn::CumulativePercent:
            return FormatPercent(m_cumulative[position], m_cumulative.back());
    }
    return {};
}

void ResultsModel::SortBy(ResultsColumn column) { Sort(column, column == m_sortColumn && !m_descending); }

// Every order is made in linear time from what ranking already knows: frequencies fall along the rank
// positions (so equal ones are neighbours, in rank order), the running total rises along them, and the table's
// records are in key order.
void ResultsModel::Sort(ResultsColumn column, bool descending) {
    m_sortColumn = column;
    m_descending = descending;
    if (!Valid()) {
        m_order.clear();
        Filter();
        return;
    }
    const auto size = static_cast<std::int32_t>(m_byRank.size());
    m_order.resize(m_byRank.size());
    switch (column) {
        case ResultsColumn::Rank:
        case ResultsColumn::CumulativePercent:
            std::iota(m_order.begin(), m_order.end(), 0);
            if (descending) std::reverse(m_order.begin(), m_order.end());
            break;
        case ResultsColumn::Frequency:
        case ResultsColumn::Percent:
            std::iota(m_order.begin(), m_order.end(), 0);
            if (!descending) {
                // Runs of equal frequency in reverse, each run kept in rank order.
                std::size_t out = 0;
                for (std::int32_t end = size; end > 0;) {
                    std::int32_t start = end - 1;
                    const std::int64_t frequency = m_table->Frequency(m_byRank[static_cast<std::size_t>(start)]);
                    while (start > 0 && m_table->Frequency(m_byRank[static_cast<std::size_t>(start - 1)]) == frequency)
                        --start;
                    for (std::int32_t p = start; p < end; ++p) m_order[out++] = p;
                    end = start;
                }
            }
            break;
        case ResultsColumn::Word: {
            // Positions by record number, which is key order.
            std::vector<std::int32_t> positionOf(static_cast<std::size_t>(m_table->DistinctWordCount()) + 1, -1);
            for (std::int32_t p = 0; p < size; ++p) positionOf[static_cast<std::size_t>(m_byRank[p])] = p;
            std::size_t out = 0;
            for (const std::int32_t p : positionOf)
                if (p >= 0) m_order[out++] = p;
            if (descending) std::reverse(m_order.begin(), m_order.end());
            break;
        }
    }
    Filter();
}

void ResultsModel::SetSearch(std::string_view text) {
    text = TrimBlanks(text);
    std::string key = text.empty() ? std::string() : WordKey(text);
    m_searchText = text;
    if (key == m_searchKey) return;
    m_searchKey = std::move(key);
    Search();
    Filter();
}

// One pass of the string search over all the keys laid end to end, each found key then skipped: far faster
// than a search in each key, whose texts lie scattered over the table's blocks.
void ResultsModel::Search() {
    if (m_searchKey.empty() || !Valid()) return;
    m_matches.assign(m_byRank.size(), 0);
    const std::string_view keys = m_keys;
    for (std::size_t at = keys.find(m_searchKey); at != std::string_view::npos;) {
        const auto next = std::upper_bound(m_keyStarts.begin(), m_keyStarts.end(), at);
        m_matches[static_cast<std::size_t>(next - m_keyStarts.begin()) - 1] = 1;
        if (next == m_keyStarts.end()) break;
        at = keys.find(m_searchKey, *next);
    }
}

// The keys are gathered when the words come, not at the first keystroke, which would wait for them.
void ResultsModel::Rebuild() {
    m_matches.clear();
    m_keys.clear();
    m_keyStarts.clear();
    m_keyStarts.reserve(m_byRank.size());
    for (const std::int32_t record : m_byRank) {
        m_keyStarts.push_back(m_keys.size());
        m_keys += m_table->Key(record);
        m_keys.push_back('\n');  // a key holds no line break, so no match runs across two
    }
    Search();
    Sort(m_sortColumn, m_descending);
}

void ResultsModel::Filter() {
    m_filtered = !m_searchKey.empty();
    m_view.clear();
    if (!m_filtered || m_matches.size() != m_order.size()) return;
    for (const std::int32_t p : m_order)
        if (m_matches[static_cast<std::size_t>(p)] != 0) m_view.push_back(p);
}

std::string ResultsModel::Caption() const {
    const std::int64_t words = WordCount();
    return Number(RowCount()) + " of " + Number(words) + (words == 1 ? " word" : " words");
}

std::string ResultsModel::CopyRows(std::vector<std::int64_t> rows) const {
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    std::string text;
    for (int c = 0; c < kResultsColumnCount; ++c) {
        text += ColumnTitle(static_cast<ResultsColumn>(c));
        text += c + 1 < kResultsColumnCount ? '\t' : '\n';
    }
    for (const std::int64_t row : rows) {
        if (row < 0 || row >= RowCount()) continue;
        for (int c = 0; c < kResultsColumnCount; ++c) {
            text += Cell(row, static_cast<ResultsColumn>(c));
            text += c + 1 < kResultsColumnCount ? '\t' : '\n';
        }
    }
    return text;
}

std::vector<std::pair<std::string_view, std::int64_t>> ResultsModel::TopWords(int count) const {
    std::vector<std::pair<std::string_view, std::int64_t>> top;
    if (!Valid()) return top;
    const auto n = std::min<std::size_t>(static_cast<std::size_t>(std::clamp(count, kFewestTopWords, kMostTopWords)),
                                         m_byRank.size());
    for (std::size_t p = 0; p < n; ++p) top.emplace_back(m_table->Word(m_byRank[p]), m_table->Frequency(m_byRank[p]));
    return top;
}

std::vector<ZipfPoint> ResultsModel::ZipfPoints() const {
    std::vector<ZipfPoint> points;
    if (!Valid()) return points;
    points.reserve(m_byRank.size());
    for (std::size_t p = 0; p < m_byRank.size(); ++p)
        points.push_back(
            {std::log10(static_cast<double>(p + 1)), std::log10(static_cast<double>(m_table->Frequency(m_byRank[p])))});
    return points;
}

std::optional<ZipfLine> ResultsModel::FitZipfLine() const {
    const std::vector<ZipfPoint> points = ZipfPoints();
    if (points.size() < 2) return std::nullopt;
    // Deviations from the means, which keep the sums small and exact enough over millions of points.
    long double meanX = 0, meanY = 0;
    for (const ZipfPoint& point : points) {
        meanX += point.x;
        meanY += point.y;
    }
    meanX /= static_cast<long double>(points.size());
    meanY /= static_cast<long double>(points.size());
    long double sxx = 0, sxy = 0;
    for (const ZipfPoint& point : points) {
        sxx += (point.x - meanX) * (point.x - meanX);
        sxy += (point.x - meanX) * (point.y - meanY);
    }
    const long double slope = sxy / sxx;
    return ZipfLine{static_cast<double>(slope), static_cast<double>(meanY - slope * meanX)};
}

std::string ResultsModel::ZipfCaption() const {
    const std::optional<ZipfLine> line = FitZipfLine();
    if (!line) return "Zipf exponent s = n/a";
    char digits[64];
    const double s = -line->slope;
    char* end = std::to_chars(digits, digits + sizeof digits, s, std::chars_format::fixed, 2).ptr;
    std::string text(digits, end);
    if (text == "-0.00") text = "0.00";
    return "Zipf exponent s = " + text;
}

namespace {

// A ranking holds until the table's records move (a new count).
bool RankingHolds(const MainWindow& window) {
    return window.ResultsShown && window.ListingSerial != 0 && window.Table.Generation() == window.RankedGeneration;
}

}  // namespace

bool FollowsListing(const ResultsModel& model, const MainWindow& window) {
    if (!RankingHolds(window)) return model.Listing() == 0 && model.WordCount() == 0;
    return model.Listing() == window.ListingSerial;
}

bool FollowListing(ResultsModel& model, const MainWindow& window) {
    if (FollowsListing(model, window)) return false;
    if (!RankingHolds(window)) {
        model.Clear();
        return true;
    }
    model.Refresh(window.Table, window.FrequencyChainHead, window.ListingSerial);
    return true;
}

std::string SaveListingExport(const MainWindow& window, const std::string& path, ExportFormat format) {
    if (!window.ResultsShown || window.Table.Generation() != window.RankedGeneration) return "No words are listed.";
    ExportSettings settings;
    for (auto& [name, value] : NamedSettings(window.ListedParameters)) settings.emplace_back(name, std::move(value));
    return WriteFileAtomically(path, [&](std::ostream& out) {
        WriteWordExport(out, format, window.Table, window.FrequencyChainHead, settings);
    });
}

}  // namespace vesk
