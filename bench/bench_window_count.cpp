// SPDX-License-Identifier: GPL-3.0-or-later
// Times a count in the main window over a scripted platform: the count of a file or a folder (median of the
// runs), the longest time the window went without an event pump, and how long a press of Stop takes to end
// the count. Prints milliseconds.
//
//   bench_window_count PATH [RUNS] [STOP_AFTER_MS]

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "app/Program.h"
#include "support/ScriptedPlatform.h"

namespace {

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double, std::milli>(to - from).count();
}

struct Run {
    double total = 0;     // the count, from the press to its end
    double longest = 0;   // the longest time without an event pump (the ends of the count included)
    double stopped = -1;  // from the press of Stop to the end of the count; -1 when not pressed
    long pumps = 0;
    long over50 = 0;     // gaps longer than 50 ms
    long longestAt = 0;  // the pump that ended the longest gap (its number from 0; `pumps` for the end)
};

// One count of `path` in a fresh program; `stopAfter` > 0 presses Stop that many milliseconds in. Without
// `watch` the pumps are not watched, so that a count that pumps after every word is timed fairly.
Run CountOnce(const std::string& path, const std::string& config, double stopAfter, bool watch) {
    vesk::test::ScriptedPlatform platform;
    platform.userDataFolder = config;
    platform.AnswerAllWithDefault();
    vesk::Program program(platform);
    program.Start();
    vesk::MainWindow& main = program.frmMain;
    main.txbFile[0].SetText(path);
    main.txbFile[1].SetText(config + "/out.txt");  // no "large input" question
    main.chkDisableOutputToFile.SetValue(1);
    main.blnWordsGot = false;

    Run run;
    Clock::time_point start;
    Clock::time_point last;
    Clock::time_point pressed;
    const auto gap = [&](Clock::time_point now) {
        const double ms = Milliseconds(last, now);
        if (ms > 50) ++run.over50;
        if (ms > run.longest) {
            run.longest = ms;
            run.longestAt = run.pumps;
        }
    };
    if (watch)
        platform.onPump = [&] {
            const Clock::time_point now = Clock::now();
            gap(now);
            last = now;
            ++run.pumps;
            if (stopAfter > 0 && run.stopped < 0 && Milliseconds(start, now) >= stopAfter) {
                pressed = now;
                run.stopped = 0;
                main.cmdListWords_Click();
            }
        };
    main.EnsureCommonWordsLoaded();
    main.TakeOptionSnapshot();
    main.cmdListWords.SetCaption("Count word frequencies");
    start = last = Clock::now();
    main.CountWordsInFile();
    const Clock::time_point end = Clock::now();
    gap(end);
    run.total = Milliseconds(start, end);
    if (run.stopped == 0) run.stopped = Milliseconds(pressed, end);
    return run;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_window_count PATH [RUNS] [STOP_AFTER_MS]\n");
        return 2;
    }
    const std::string path = argv[1];
    const int runs = argc > 2 ? std::atoi(argv[2]) : 5;
    const double stopAfter = argc > 3 ? std::atof(argv[3]) : 300;
    const std::filesystem::path config = std::filesystem::temp_directory_path() / "bench_window_count";
    std::filesystem::create_directories(config);

    std::vector<double> totals;
    totals.reserve(static_cast<std::size_t>(runs));
    double longest = 0;
    long pumps = 0;
    long longestAt = 0;
    long over50 = 0;
    for (int i = 0; i < runs; ++i) {
        totals.push_back(CountOnce(path, config.string(), 0, false).total);
        const Run watched = CountOnce(path, config.string(), 0, true);
        if (watched.longest > longest) {
            longest = watched.longest;
            longestAt = watched.longestAt;
        }
        pumps = watched.pumps;
        over50 += watched.over50;
    }
    std::sort(totals.begin(), totals.end());
    std::vector<double> stops;
    stops.reserve(static_cast<std::size_t>(runs));
    for (int i = 0; i < runs; ++i) stops.push_back(CountOnce(path, config.string(), stopAfter, true).stopped);
    std::sort(stops.begin(), stops.end());
    std::printf(
        "count: median %.0f ms (min %.0f, max %.0f) over %d runs; longest gap between pumps %.1f ms "
        "(before pump %ld of %ld; %ld gaps over 50 ms in all runs); Stop after %.0f ms: median %.1f ms, max %.1f ms to "
        "end the count\n",
        totals[totals.size() / 2], totals.front(), totals.back(), runs, longest, longestAt, pumps, over50, stopAfter,
        stops[stops.size() / 2], stops.back());
    std::filesystem::remove_all(config);
    return 0;
}
