// SPDX-License-Identifier: GPL-3.0-or-later
// The results window with real widgets: it opens from the main window on a listing and follows it, its header
// sorts, its search folds, Ctrl+C copies rows, its exports read back with a real parser, and its Zipf chart fits
// the known slope of a text.

#include <gtest/gtest.h>

#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScatterSeries>
#include <QScreen>
#include <QTableView>
#include <QTest>
#include <algorithm>
#include <cmath>
#include <fstream>
#include <random>
#include <sstream>

#include "UiTestSupport.h"
#include "support/ExportSupport.h"
#include "ui/ResultsCharts.h"
#include "ui/ResultsTableModel.h"
#include "ui/ResultsWindowView.h"

namespace vesk::test {
namespace {

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// Counts the file as a user does and opens the results window.
ui::ResultsWindowView& CountAndOpen(UiProgram& ui, const std::string& input) {
    auto& view = ui.views.main;
    view.txbFile[0]->setText(QString::fromStdString(input));
    QTest::mouseClick(view.cmdListWords, Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_TRUE(view.cmdTableAndChart->isEnabled());
    QTest::mouseClick(view.cmdTableAndChart, Qt::LeftButton);
    ui::ResultsWindowView* window = ui::ResultsWindowOf(view);
    EXPECT_TRUE(window != nullptr && window->isVisible());
    return *window;
}

QString Column(const ui::ResultsWindowView& window, ResultsColumn column) {
    QStringList cells;
    for (int row = 0; row < window.model->rowCount(); ++row)
        cells << window.model->index(row, static_cast<int>(column)).data().toString();
    return cells.join(QLatin1Char(' '));
}

void ClickHeader(ui::ResultsWindowView& window, ResultsColumn column) {
    QHeaderView* header = window.table->horizontalHeader();
    const int section = static_cast<int>(column);
    QTest::mouseClick(
        header->viewport(), Qt::LeftButton, {},
        QPoint(header->sectionViewportPosition(section) + header->sectionSize(section) / 2, header->height() / 2));
}

TEST(ResultsWindowUi, FollowsTheListingSortsSearchesAndCopies) {
    ScratchFolder folder;
    const std::string input =
        folder.Write("words.txt", "bird bird bird bird caf\xC3\xA9 CAF\xC3\x89 Caf\xC3\xA9 apple apple zeta\r\n");
    UiProgram ui(folder);
    auto& main = ui.views.main;
    EXPECT_FALSE(main.cmdTableAndChart->isEnabled());
    ui::ResultsWindowView& window = CountAndOpen(ui, input);
    EXPECT_EQ(Column(window, ResultsColumn::Word), Q("bird caf\u00e9 apple zeta"));

    // A header sorts by its column, then the other way, and shows which.
    ClickHeader(window, ResultsColumn::Word);
    EXPECT_EQ(Column(window, ResultsColumn::Rank), Q("3 1 2 4"));
    ClickHeader(window, ResultsColumn::Word);
    EXPECT_EQ(Column(window, ResultsColumn::Rank), Q("4 2 1 3"));
    EXPECT_EQ(window.table->horizontalHeader()->sortIndicatorSection(), static_cast<int>(ResultsColumn::Word));
    EXPECT_EQ(window.table->horizontalHeader()->sortIndicatorOrder(), Qt::DescendingOrder);

    // The search folds case and accents; Ctrl+A and Ctrl+C copy the rows found.
    QTest::keyClicks(window.search, Q("CAFE"));
    EXPECT_EQ(Column(window, ResultsColumn::Word), Q("caf\u00e9"));
    EXPECT_EQ(window.caption->text(), Q("1 of 4 words"));
    QTest::keyClick(window.table, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(window.table, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(ui.platform.Clipboard(),
              "Rank\tFrequency\tWord\t% of occurrences\tCumulative %\n2\t3\tcaf\xC3\xA9\t30.0\t70.0\n");

    // The open window follows the main window: empty while no listing is shown (and the button disabled), then
    // on a new count, its sort and search kept. Esc closes it and leaves the main window as it was.
    QTest::mouseClick(main.cmdClearOutput, Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_FALSE(main.cmdTableAndChart->isEnabled());
    EXPECT_EQ(window.caption->text(), Q("0 of 0 words"));
    folder.Write("words.txt", "cafe cafe bird\r\n");
    QTest::mouseClick(main.cmdListWords, Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_EQ(Column(window, ResultsColumn::Word), Q("cafe"));
    EXPECT_EQ(window.caption->text(), Q("1 of 2 words"));
    const QString listing = main.txbOutput->toPlainText();
    QTest::keyClick(window.search, Qt::Key_Escape);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(main.txbOutput->toPlainText(), listing);
}

TEST(ResultsWindowUi, ExportsEveryWordInRankOrderAfterAskingToReplace) {
    ScratchFolder folder;
    const std::string input = folder.Write("words.txt", "ant bee bee cow cow cow \xC3\xA9t\xC3\xA9\r\n");
    UiProgram ui(folder);
    ui::ResultsWindowView& window = CountAndOpen(ui, input);
    ClickHeader(window, ResultsColumn::Word);
    QTest::keyClicks(window.search, Q("bee"));
    const std::string expected = "row 1 3 " + Hex("cow") + " 42.9 42.9";
    for (const char* format : {"csv", "tsv", "json"}) {
        SCOPED_TRACE(format);
        const std::string path = folder.Write(std::string("out.") + format, "old");
        ui.platform.ExpectFileDialog(path);
        ui.platform.ExpectMessage(MsgAnswer::No);
        QTest::mouseClick(window.cmdExport, Qt::LeftButton);
        EXPECT_EQ(ReadFile(path), "old");
        ui.platform.ExpectFileDialog(path);
        ui.platform.ExpectMessage(MsgAnswer::Yes);
        QTest::mouseClick(window.cmdExport, Qt::LeftButton);
        const std::vector<std::string> lines = ReadExportWithPython(format, path);
        ASSERT_GE(lines.size(), 4u);
        EXPECT_EQ(lines[0], expected);
        EXPECT_EQ(lines[3], "row 4 1 " + Hex("\xC3\xA9t\xC3\xA9") + " 14.3 100.0");
    }
    EXPECT_EQ(ui.platform.Messages().size(), 6u);
}

// The window opens where it was when the program last ended, as the other windows do.
TEST(ResultsWindowUi, OpensWhereItWasLastTime) {
    ScratchFolder folder;
    const std::string input = folder.Write("words.txt", "one two two\r\n");
    QRect place;
    {
        UiProgram ui(folder);
        ui.views.AfterStart();
        ui::ResultsWindowView& window = CountAndOpen(ui, input);
        const QRect screen = window.screen()->availableGeometry();
        window.resize(500, 400);
        window.move(screen.topLeft() + QPoint(40, 50));
        place = QRect(window.pos(), window.size());
        ui.views.RememberPlaces();
    }
    UiProgram ui(folder);
    ui.views.AfterStart();
    const ui::ResultsWindowView& window = CountAndOpen(ui, input);
    EXPECT_EQ(QRect(window.pos(), window.size()), place);
}

TEST(ResultsWindowUi, ZipfChartFitsTheSlopeOfFrequenciesFallingAsOneOverRank) {
    ScratchFolder folder;
    std::string text;
    const char* const words[] = {"one", "two", "three", "four", "five", "six", "seven", "eight"};
    for (int rank = 1; rank <= 8; ++rank)
        for (int n = 0; n < 840 / rank; ++n) text += std::string(words[rank - 1]) + " ";
    UiProgram ui(folder);
    ui::ResultsWindowView& window = CountAndOpen(ui, folder.Write("zipf.txt", text));
    window.tabs->setCurrentIndex(1);
    window.chartKind->setCurrentIndex(1);
    QChart* chart = window.zipfChart->chart();
    EXPECT_EQ(chart->title(), Q("Zipf exponent s = 1.00"));
    const auto* line = qobject_cast<QLineSeries*>(chart->series().at(1));
    ASSERT_NE(line, nullptr);
    const QPointF from = line->at(0), to = line->at(1);
    EXPECT_NEAR((to.y() - from.y()) / (to.x() - from.x()), -1.0, 1e-9);
    EXPECT_EQ(qobject_cast<QScatterSeries*>(chart->series().at(0))->count(), 8);
    EXPECT_EQ(window.topChart->chart()->title(), Q("The 8 most frequent words"));

    // The chart shown saves as either kind of image, by the name's extension.
    for (const auto& [name, start] : {std::pair{"zipf.svg", "<?xml"}, std::pair{"zipf.png", "\x89PNG"}}) {
        ui.platform.ExpectFileDialog(folder.PathOf(name));
        QTest::mouseClick(window.cmdSaveChart, Qt::LeftButton);
        EXPECT_EQ(ReadFile(folder.PathOf(name)).substr(0, 4), std::string(start).substr(0, 4)) << name;
    }
}

// Thinned points look the same: each point drawn is one of them, at most one to a cell of the grid, and every
// point lies within a cell's size of one drawn.
TEST(ResultsCharts, ThinnedPointsLookTheSame) {
    std::mt19937 random(11);
    for (int round = 0; round < 50; ++round) {
        std::vector<ZipfPoint> points(2 + random() % 2000);
        for (ZipfPoint& point : points) point = {(random() % 1000) / 97.0, (random() % 1000) / 131.0};
        const int columns = 1 + static_cast<int>(random() % 40), rows = 1 + static_cast<int>(random() % 40);
        const std::vector<ZipfPoint> drawn = ui::ThinnedPoints(points, columns, rows);
        EXPECT_LE(drawn.size(), static_cast<std::size_t>(columns * rows));
        double cellWidth = 0, cellHeight = 0;
        for (const ZipfPoint& p : points)
            for (const ZipfPoint& q : points) {
                cellWidth = std::max(cellWidth, (p.x - q.x) / columns);
                cellHeight = std::max(cellHeight, (p.y - q.y) / rows);
            }
        for (const ZipfPoint& p : points)
            EXPECT_TRUE(std::any_of(drawn.begin(), drawn.end(), [&](const ZipfPoint& q) {
                return std::abs(p.x - q.x) <= cellWidth && std::abs(p.y - q.y) <= cellHeight;
            }));
        for (const ZipfPoint& q : drawn)
            EXPECT_TRUE(std::any_of(points.begin(), points.end(),
                                    [&](const ZipfPoint& p) { return p.x == q.x && p.y == q.y; }));
    }
}

}  // namespace
}  // namespace vesk::test
