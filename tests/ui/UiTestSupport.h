// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A fresh program with real widgets for one GUI test: the scripted platform answers message boxes and file
// dialogs, while its event pump and repaints go to Qt, as the desktop program's do.

#include <QApplication>
#include <QString>
#include <string>
#include <vector>

#include "app/Program.h"
#include "support/ProgramFixture.h"
#include "text/ProgramText.h"
#include "ui/ProgramViews.h"
#include "ui/QtPlatform.h"

namespace vesk::test {

class UiPlatform : public ScriptedPlatform {
  public:
    ui::Binder* binder = nullptr;
    void PumpEvents() override {
        ScriptedPlatform::PumpEvents();
        ui::PumpQtEvents(binder);
    }

  private:
    ui::PumpThrottle m_repaintThrottle;
    void Repaint(const Control* control) override {
        ScriptedPlatform::Repaint(control);
        if (m_repaintThrottle.Due()) ui::RepaintQtControl(binder, control);
    }
};

struct UiProgram {
    explicit UiProgram(const ScratchFolder& folder) {
        platform.userDataFolder = (folder.Path() / "config").string();
        platform.currentDirectory = folder.Path().string();
        platform.binder = &views.binder;
        program.Start();
        QApplication::processEvents();
    }
    std::string StateFile() const { return platform.userDataFolder + "/Kestrine Systems/vesk.usr"; }

    UiPlatform platform;
    Program program{platform};
    ui::ProgramViews views{program, platform};
};

inline QString Q(const char* utf8) { return QString::fromUtf8(utf8); }

}  // namespace vesk::test
