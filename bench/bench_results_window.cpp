// SPDX-License-Identifier: GPL-3.0-or-later
// Times the results window itself over a million distinct words, offscreen, through its Qt model and widgets
// as the user works them: opening it on a listing, a header click, each keystroke of a search, and drawing the
// charts; each figure includes the repaint that follows. Prints milliseconds.

#include <QApplication>
#include <QChartView>
#include <QHeaderView>
#include <QLineEdit>
#include <QTabWidget>
#include <QTableView>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "ZipfTable.h"
#include "app/MainWindow.h"
#include "listing/Ranking.h"
#include "text/ProgramText.h"
#include "ui/Binder.h"
#include "ui/QtPlatform.h"
#include "ui/ResultsTableModel.h"
#include "ui/ResultsWindowView.h"

namespace {

using Clock = std::chrono::steady_clock;

// The work, then every event it caused (layout, paint), in milliseconds.
double Milliseconds(const std::function<void()>& work) {
    const auto start = Clock::now();
    work();
    QApplication::processEvents();
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

}  // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    vesk::ui::QtPlatform platform;
    vesk::ProgramText texts;
    vesk::MainWindow main(platform, texts);
    vesk::ui::Binder binder(platform);

    // The main window's state after a count and its ranking, as the window reads it.
    vesk::bench::FillZipfTable(main.Table, 1000000, 7);
    main.FrequencyChainHead = vesk::RankByFrequency(main.Table);
    main.RankedGeneration = main.Table.Generation();
    main.ListingSerial = 1;
    main.ResultsShown = true;

    vesk::ui::ResultsWindowView window(main, binder, nullptr);
    window.show();
    QApplication::processEvents();
    std::printf("open on %lld words: %.0f ms\n", static_cast<long long>(main.Table.DistinctWordCount()),
                Milliseconds([&] { window.Follow(true); }));

    QHeaderView* header = window.table->horizontalHeader();
    for (const int column : {2, 2, 1, 1, 0}) {
        const double ms = Milliseconds([&] { emit header->sectionClicked(column); });
        std::printf("header click, sort by %s%s: %.0f ms\n",
                    vesk::ResultsModel::ColumnTitle(static_cast<vesk::ResultsColumn>(column)),
                    window.model->Results().SortDescending() ? " descending" : "", ms);
    }

    emit header->sectionClicked(2);
    std::vector<double> strokes;
    const QString typed = QStringLiteral("quest");
    for (int round = 0; round < 3; ++round) {
        for (const QChar c : typed) strokes.push_back(Milliseconds([&] { window.search->insert(QString(c)); }));
        for (qsizetype n = typed.size(); n > 0; --n)
            strokes.push_back(Milliseconds([&] { window.search->backspace(); }));
    }
    std::sort(strokes.begin(), strokes.end());
    std::printf(
        "search keystrokes typing and erasing \"quest\" (sorted by word), %zu strokes: median %.0f ms, "
        "slowest %.0f ms\n",
        strokes.size(), strokes[strokes.size() / 2], strokes.back());

    std::printf("chart tab (both charts drawn): %.0f ms\n", Milliseconds([&] { window.tabs->setCurrentIndex(1); }));
    return 0;
}
