// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The resizable help window, bound to the frmHelp model.

#include <QWidget>

#include "app/HelpWindow.h"

class QPlainTextEdit;
class QPushButton;

namespace vesk::ui {

class Binder;

class HelpWindowView : public QWidget {
  public:
    HelpWindowView(HelpWindow& model, Binder& binder);

    HelpWindow& model;
    QPlainTextEdit* txbHelpScreen = nullptr;
    QPushButton* cmdClose = nullptr;
};

}  // namespace vesk::ui
