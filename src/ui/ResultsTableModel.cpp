// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ResultsTableModel.h"

#include <algorithm>

#include "app/MainWindow.h"

namespace vesk::ui {

bool ResultsTableModel::Follow(const MainWindow& window, bool shown) {
    if (shown ? FollowsListing(m_results, window) : m_results.Listing() == 0 && m_results.WordCount() == 0)
        return false;
    beginResetModel();
    if (shown)
        FollowListing(m_results, window);
    else
        m_results.Clear();
    endResetModel();
    return true;
}

void ResultsTableModel::SortBy(int column) {
    beginResetModel();
    m_results.SortBy(static_cast<ResultsColumn>(column));
    endResetModel();
}

void ResultsTableModel::sort(int column, Qt::SortOrder order) {
    if (column < 0 || column >= kResultsColumnCount) return;
    beginResetModel();
    m_results.Sort(static_cast<ResultsColumn>(column), order == Qt::DescendingOrder);
    endResetModel();
}

void ResultsTableModel::SetSearch(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    beginResetModel();
    m_results.SetSearch(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
    endResetModel();
}

std::string ResultsTableModel::CopySelection(const QItemSelection& selection) const {
    // From the ranges, not an index per cell: a selection of every row is one range.
    std::vector<std::int64_t> rows;
    for (const QItemSelectionRange& range : selection)
        for (int row = range.top(); row <= range.bottom(); ++row) rows.push_back(row);
    if (rows.empty()) return {};
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return m_results.CopyRows(std::move(rows));
}

int ResultsTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_results.RowCount());
}

int ResultsTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kResultsColumnCount;
}

QVariant ResultsTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const auto column = static_cast<ResultsColumn>(index.column());
    if (role == Qt::DisplayRole) return QString::fromStdString(m_results.Cell(index.row(), column));
    if (role == Qt::TextAlignmentRole && column != ResultsColumn::Word)
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

QVariant ResultsTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= kResultsColumnCount) return {};
    if (role == Qt::DisplayRole)
        return QString::fromUtf8(ResultsModel::ColumnTitle(static_cast<ResultsColumn>(section)));
    return {};
}

}  // namespace vesk::ui
