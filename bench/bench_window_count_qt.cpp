// SPDX-License-Identifier: GPL-3.0-or-later
// A count in the main window on the Qt platform, offscreen, after a listing (whose pumps come after every
// record): the longest time the events waited during the count, seen by a timer that fires every 2 ms when
// the events run, and how long a press of Stop takes to end the count. Prints milliseconds.
//
//   bench_window_count_qt DATA_FOLDER WARM_UP_FILE PATH [RUNS]

#include <QApplication>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "app/Program.h"
#include "ui/QtPlatform.h"

namespace {

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double, std::milli>(to - from).count();
}

// The Qt platform with the program's texts from the build and every message answered at once.
class BenchPlatform : public vesk::ui::QtPlatform {
  public:
    BenchPlatform(std::string dataFolder, std::string userFolder)
        : m_data(std::move(dataFolder)), m_user(std::move(userFolder)) {}
    std::string ProgramFolder() override { return m_data; }
    std::string UserDataFolder() override { return m_user; }
    vesk::MsgAnswer ShowMessage(const std::string&, const std::string&, vesk::MsgButtons buttons,
                                vesk::MsgIcon) override {
        return buttons == vesk::MsgButtons::YesNo || buttons == vesk::MsgButtons::YesNoCancel ? vesk::MsgAnswer::No
                                                                                              : vesk::MsgAnswer::Ok;
    }

  private:
    std::string m_data, m_user;
};

struct Run {
    double total = 0, longest = 0, stopped = -1;
};

Run CountOnce(vesk::MainWindow& main, const std::string& warmUp, const std::string& path, double stopAfter) {
    // A listing first, as a user would have had one: its pumps come fast.
    main.txbFile[0].SetText(warmUp);
    main.blnWordsGot = false;
    main.CountAndList();

    main.txbFile[0].SetText(path);
    main.blnWordsGot = false;
    Run run;
    Clock::time_point start = Clock::now();
    Clock::time_point last = start;
    Clock::time_point pressed;
    QTimer timer;
    timer.setInterval(2);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        const Clock::time_point now = Clock::now();
        run.longest = std::max(run.longest, Milliseconds(last, now));
        last = now;
        if (stopAfter > 0 && run.stopped < 0 && Milliseconds(start, now) >= stopAfter) {
            pressed = now;
            run.stopped = 0;
            main.cmdListWords_Click();
        }
    });
    timer.start();
    main.TakeOptionSnapshot();
    start = last = Clock::now();
    main.CountWordsInFile();
    const Clock::time_point end = Clock::now();
    run.longest = std::max(run.longest, Milliseconds(last, end));
    run.total = Milliseconds(start, end);
    if (run.stopped == 0) run.stopped = Milliseconds(pressed, end);
    main.StopRequested = false;
    main.EnableControls(true);
    main.cmdListWords.SetCaption("Count word frequencies");
    return run;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: bench_window_count_qt DATA_FOLDER WARM_UP_FILE PATH [RUNS]\n");
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const std::filesystem::path user = std::filesystem::temp_directory_path() / "bench_window_count_qt";
    std::filesystem::create_directories(user);
    BenchPlatform platform(argv[1], user.string());
    vesk::Program program(platform);
    program.Start();
    vesk::MainWindow& main = program.frmMain;
    main.txbFile[1].SetText((user / "out.txt").string());  // no "large input" question
    main.chkDisableOutputToFile.SetValue(1);
    main.chkSuppressWords.SetValue(1);

    const int runs = argc > 4 ? std::atoi(argv[4]) : 5;
    double longest = 0, total = 0, stopped = 0;
    for (int i = 0; i < runs; ++i) {
        const Run run = CountOnce(main, argv[2], argv[3], 0);
        longest = std::max(longest, run.longest);
        total += run.total;
        stopped = std::max(stopped, CountOnce(main, argv[2], argv[3], 50).stopped);
    }
    // What the last whole count found, to see that it counted.
    CountOnce(main, argv[2], argv[3], 0);
    main.Table.ComputeStatistics();
    std::printf("%lld distinct words, %lld in all; ", static_cast<long long>(main.Table.DistinctWordCount()),
                static_cast<long long>(main.Table.Statistics().totalOccurrenceCount));
    std::printf(
        "count: mean %.0f ms over %d runs; longest wait of the events %.1f ms; Stop after 50 ms: at most "
        "%.1f ms to end the count\n",
        total / runs, runs, longest, stopped);
    std::filesystem::remove_all(user);
    return 0;
}
