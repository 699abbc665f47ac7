// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The results window's table as Qt sees it: a virtual table over a ResultsModel, asked only for the cells in
// sight, so a million words cost no widget or text per row. Every change of the rows (new words, a sort, a
// search) resets the view in one step.

#include <QAbstractTableModel>
#include <QItemSelection>
#include <QString>

#include "app/ResultsModel.h"

namespace vesk::ui {

class ResultsTableModel : public QAbstractTableModel {
  public:
    explicit ResultsTableModel(QObject* parent = nullptr) : QAbstractTableModel(parent) {}

    const ResultsModel& Results() const { return m_results; }

    // Follows the main window's current listing; true when the rows changed. `shown` false empties the table
    // (no listing is shown there).
    bool Follow(const MainWindow& window, bool shown);
    // A header click: sorts by the column, the other way when it is sorted by it already.
    void SortBy(int column);
    void SetSearch(const QString& text);
    // The selected rows as ResultsModel::CopyRows gives them; "" when none is selected.
    std::string CopySelection(const QItemSelection& selection) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    void sort(int column, Qt::SortOrder order) override;

  private:
    ResultsModel m_results;
};

}  // namespace vesk::ui
