// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The three windows of a Program as widgets, bound through one Binder, with the keys they share and the
// places they had when the program last ended.

#include <QString>

#include "app/Program.h"
#include "ui/Binder.h"
#include "ui/HelpWindowView.h"
#include "ui/MainWindowView.h"
#include "ui/ParamsWindowView.h"

namespace vesk::ui {

class ProgramViews {
  public:
    // `platform` is the one the program was built with; the binder reports stray failures through it.
    ProgramViews(Program& program, Platform& platform);

    // Once the program has started (and set its captions): sizes the parameters window to its widgets, and
    // puts the main window where it was last time, and the others, when they first open, too (the parameters
    // window takes only its size: it opens beside the main window). Only a place that lies on a screen now
    // is taken. The input encoding chosen last time is chosen again.
    void AfterStart();
    // Writes down the place of each window that has been open, and the input encoding.
    void RememberPlaces() const;
    // The file of the places and the encoding, beside the state file; empty when the program has no folder
    // for its state.
    QString PlacesFile() const;

    Program& program;
    Binder binder;
    MainWindowView main;
    ParamsWindowView params;
    HelpWindowView help;

  private:
    bool m_helpPlaced = false;
    bool m_paramsSized = false;
};

}  // namespace vesk::ui
