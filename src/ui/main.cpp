// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>
#include <QTimer>
#include <cstdlib>

#include "app/Program.h"
#include "engine/Encoding.h"
#include "ui/ProgramViews.h"
#include "ui/QtPlatform.h"

namespace {

// For the screenshots of the documentation: VESK_SCREENSHOT_INPUT names a file that is counted as soon as
// the program has started, as if the user had typed it and pressed the count button.
void CountOnStartUpIfAsked(vesk::Program& program, vesk::ui::Binder& binder) {
    const char* input = std::getenv("VESK_SCREENSHOT_INPUT");
    if (!input || !*input) return;
    const std::string name = vesk::Utf8ToCp1252(input);
    QTimer::singleShot(300, [&program, &binder, name] {
        binder.Dispatch([&program, name] {
            vesk::MainWindow& main = program.frmMain;
            main.optInFile.Select();
            main.txbFile[0].SetText(name);
            main.txbFile_LostFocus(0);
            main.cmdListWords.Click();
            if (std::getenv("VESK_SCREENSHOT_PARAMS")) main.cmdSetParameters.Click();
            if (std::getenv("VESK_SCREENSHOT_HELP")) main.cmdHelp.Click();
        });
    });
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("vesk"));
    QApplication::setDesktopFileName(QStringLiteral("vesk"));

    vesk::ui::QtPlatform platform;
    vesk::Program program(platform);
    vesk::ui::ProgramViews views(program, platform);
    platform.SetBinder(&views.binder);

    program.Start();
    if (platform.EndRequested()) return 0;
    CountOnStartUpIfAsked(program, views.binder);
    return QApplication::exec();
}
