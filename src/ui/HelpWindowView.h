#pragma once
// The resizable help window, bound to the frmHelp model.

#include <QWidget>

#include "listing/HelpWindow.h"

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
