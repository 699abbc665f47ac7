// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The three windows of a Program as widgets, bound through one Binder.

#include <memory>

#include "app/Program.h"
#include "ui/Binder.h"
#include "ui/HelpWindowView.h"
#include "ui/MainWindowView.h"
#include "ui/ParamsWindowView.h"

namespace vesk::ui {

class ProgramViews {
  public:
    // `platform` is the one the program was built with; the binder reports stray failures through it.
    ProgramViews(Program& program, Platform& platform)
        : binder(platform),
          main(program.frmMain, binder),
          params(program.frmParams, binder),
          help(program.frmHelp, binder) {}

    Binder binder;
    MainWindowView main;
    ParamsWindowView params;
    HelpWindowView help;
};

}  // namespace vesk::ui
