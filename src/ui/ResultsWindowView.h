// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The results window: the words of the main window's current listing as a table that sorts and searches, two
// charts of them, and their export. It follows the listing (a new count or ranking refreshes it) and changes
// nothing in the main window. The button that opens it is added to the main window's bottom row.

#include <QPointer>
#include <QWidget>
#include <functional>
#include <string>

class QChartView;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QStackedWidget;
class QTabWidget;
class QTableView;

namespace vesk {
class MainWindow;
}

namespace vesk::ui {

class Binder;
class MainWindowView;
class ResultsTableModel;

class ResultsWindowView : public QWidget {
  public:
    ResultsWindowView(MainWindow& main, Binder& binder, QWidget* owner);

    // Takes the main window's current listing, or empties the window when `shown` is false.
    void Follow(bool shown);
    // Copies the selected rows to the clipboard.
    void CopySelection();
    // Asks for a file and writes every listed word to it.
    void Export();
    // Asks for a file and saves the chart shown.
    void SaveChart();

    QTabWidget* tabs = nullptr;
    QLineEdit* search = nullptr;
    QLabel* caption = nullptr;
    QTableView* table = nullptr;
    ResultsTableModel* model = nullptr;
    QComboBox* chartKind = nullptr;  // 0: the most frequent words, 1: the Zipf plot
    QSpinBox* topCount = nullptr;
    QStackedWidget* charts = nullptr;
    QChartView* topChart = nullptr;
    QChartView* zipfChart = nullptr;
    QPushButton* cmdSaveChart = nullptr;
    QPushButton* cmdExport = nullptr;
    QPushButton* cmdClose = nullptr;

  private:
    QWidget* MakeTablePage();
    QWidget* MakeChartPage(Binder& binder);
    void ShowCaption();
    // Draws the charts again when they are in sight and out of date.
    void DrawCharts();
    // A file name from the save dialog, once a file there may be replaced; empty when the user gave none.
    std::string AskForFile(const char* title, const char* filter, const char* fileName);

    MainWindow& m_main;
    bool m_chartsStale = true;
};

// Adds the "Table and chart" button to the main window's bottom row; it opens the one results window, and is
// enabled whenever a listing is shown. Call before the window's mnemonics are given.
QPushButton* AddResultsButton(MainWindowView& view, Binder& binder);
// `place` is given the results window of a main window when it is made, before it first shows.
void PlaceResultsWindowOnOpening(MainWindowView& view, std::function<void(QWidget&)> place);
// The results window of a main window, once it has been opened.
ResultsWindowView* ResultsWindowOf(const MainWindowView& view);

}  // namespace vesk::ui
