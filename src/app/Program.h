// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The three windows of the program, created together and linked to each other, and the program texts they show.

#include "app/HelpWindow.h"
#include "app/MainWindow.h"
#include "app/Platform.h"
#include "params/ParamsWindow.h"
#include "text/ProgramText.h"

namespace vesk {

class Program {
  public:
    explicit Program(Platform& platform) : frmMain(platform, text), frmParams(platform) {
        frmMain.Attach(frmParams, frmHelp);
        frmParams.Attach(frmMain);
        frmHelp.Attach(frmMain);
    }
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Starts the program: loads the parameters window and runs the main window's load event.
    void Start() {
        frmParams.Form_Load();
        frmMain.Form_Load();
    }

    ProgramText text;  // loaded by the main window's start-up
    MainWindow frmMain;
    ParamsWindow frmParams;
    HelpWindow frmHelp;
};

}  // namespace vesk
