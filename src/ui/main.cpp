// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>

#include "app/Program.h"
#include "ui/ProgramViews.h"
#include "ui/QtPlatform.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("vesk"));
    QApplication::setDesktopFileName(QStringLiteral("vesk"));

    vesk::ui::QtPlatform platform;
    vesk::Program program(platform);
    vesk::ui::ProgramViews views(program, platform);
    platform.SetBinder(&views.binder);
    platform.OnEnd([&views] { views.RememberPlaces(); });

    program.Start();
    if (platform.EndRequested()) return 0;
    views.AfterStart();
    return QApplication::exec();
}
