// SPDX-License-Identifier: GPL-3.0-or-later
// Times the main window listing a text of many distinct words into its output box, with the window shown and
// repainting: the count, the listing, and how long Stop takes to act when pressed in the middle of a listing.
// Run under a display (xvfb-run) or with QT_QPA_PLATFORM=offscreen.
//
//   bench_listing_box FILE [FORMAT]    FORMAT: the display format's position, 0..9 (default 0)
//
// Stop is pressed a third of the way through a second listing, timed by the first.

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "support/ScratchFolder.h"
#include "ui/MainWindowView.h"
#include "ui/PumpThrottle.h"
#include "ui/UiTestSupport.h"

namespace {

// The scripted platform with the desktop program's own pacing: events run about every 20 ms, not after every
// word, as QtPlatform runs them.
class PacedPlatform : public vesk::test::ScriptedPlatform {
  public:
    vesk::ui::Binder* binder = nullptr;
    void PumpEvents() override {
        ScriptedPlatform::PumpEvents();
        if (!m_pumpThrottle.Due()) return;
        const auto now = std::chrono::steady_clock::now();
        if (lastEvents != std::chrono::steady_clock::time_point{})
            (listing ? longestListingGap : longestGap) = std::max(
                listing ? longestListingGap : longestGap, std::chrono::duration<double>(now - lastEvents).count());
        vesk::ui::PumpQtEvents(binder);
        lastEvents = std::chrono::steady_clock::now();
    }
    // The longest time the window went without its events being run, in seconds.
    double longestGap = 0;
    double longestListingGap = 0;
    bool listing = false;  // the listing has begun
    std::chrono::steady_clock::time_point lastEvents{};

  private:
    vesk::ui::PumpThrottle m_pumpThrottle;
    vesk::ui::PumpThrottle m_repaintThrottle;
    void Repaint(const vesk::Control* control) override {
        ScriptedPlatform::Repaint(control);
        if (m_repaintThrottle.Due()) vesk::ui::RepaintQtControl(binder, control);
    }
};

struct PacedProgram {
    explicit PacedProgram(const vesk::test::ScratchFolder& folder) {
        platform.userDataFolder = (folder.Path() / "config").string();
        platform.currentDirectory = folder.Path().string();
        platform.binder = &views.binder;
        program.Start();
        QApplication::processEvents();
    }
    PacedPlatform platform;
    vesk::Program program{platform};
    vesk::ui::ProgramViews views{program, platform};
};

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double>(to - from).count();
}

// One count of `file`; with `stopAfter` > 0 Stop is pressed that many seconds into the listing. Returns the
// listing's time in seconds.
double Run(const std::string& file, int format, double stopAfter) {
    using namespace vesk;
    test::ScratchFolder folder;
    PacedProgram ui(folder);
    ui::MainWindowView& view = ui.views.main;
    view.show();
    view.cboDisplayFormat->setCurrentIndex(format);
    view.txbFile[0]->setFocus();
    QTest::keyClicks(view.txbFile[0], QString::fromStdString(file));
    view.optInFile->click();
    view.cmdListWords->setFocus();

    Clock::time_point listingStart{}, stopPressed{};
    bool stopped = false;
    ui.platform.onPump = [&] {
        const Clock::time_point now = Clock::now();
        if (!ui.program.frmMain.ResultsShown) return;
        if (listingStart == Clock::time_point{}) listingStart = now;
        ui.platform.listing = true;
        if (stopAfter > 0 && !stopped && Seconds(listingStart, now) > stopAfter) {
            stopped = true;
            stopPressed = Clock::now();
            QTest::mouseClick(view.cmdListWords, Qt::LeftButton);
        }
    };
    ui.platform.ExpectMessage(MsgAnswer::No);  // no output file for a large input: the box it is
    const Clock::time_point start = Clock::now();
    QTest::mouseClick(view.cmdListWords, Qt::LeftButton);
    QApplication::processEvents();
    const Clock::time_point end = Clock::now();
    const QString shown = view.txbOutput->toPlainText();
    const long lines = shown.count(QLatin1Char('\n'));
    if (stopAfter > 0 && !stopped) {
        std::printf("the listing ended before Stop was pressed, %.2f s into it\n", stopAfter);
    } else if (stopAfter > 0) {
        std::printf("stop pressed %.2f s into the listing: acted after %.3f s; %ld lines, %lld characters shown\n",
                    stopAfter, Seconds(stopPressed, end), lines, static_cast<long long>(shown.size()));
    } else {
        std::printf(
            "format %d: count %.2f s, listing %.2f s, %ld lines, %lld characters shown, longest time between "
            "events %.3f s while counting, %.3f s while listing\n",
            format, Seconds(start, listingStart), Seconds(listingStart, end), lines,
            static_cast<long long>(shown.size()), ui.platform.longestGap, ui.platform.longestListingGap);
    }
    return Seconds(listingStart, end);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_listing_box FILE [FORMAT]\n");
        return 2;
    }
    QApplication application(argc, argv);
    const int format = argc > 2 ? std::atoi(argv[2]) : 0;
    const double listing = Run(argv[1], format, 0);
    Run(argv[1], format, listing / 3);
    return 0;
}
