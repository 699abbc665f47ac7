// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/HelpWindowView.h"

#include <QPlainTextEdit>
#include <QPushButton>

#include "ui/Binder.h"
#include "ui/Mnemonics.h"
#include "ui/WidgetTable.h"
#include "ui/WindowPlaces.h"

namespace vesk::ui {

HelpWindowView::HelpWindowView(HelpWindow& modelRef, Binder& binder) : QWidget(nullptr), model(modelRef) {
    const WidgetRow rows[] = {
        {Of(model.txbHelpScreen, txbHelpScreen), Stretch(1), kReadOnly | kWrap, "Help text"},
        Row{},
        Spring{},
        Of(model.cmdClose, cmdClose),
        Spring{},
        End{},
    };
    LayOut(*this, rows);
    BindWidgets(binder, rows);
    AssignMnemonics(*this);
    resize(640, 480);
    FitOnScreen(*this);
    Binder::FormHooks hooks;
    hooks.closeRequested = [this] { model.cmdClose_Click(); };
    hooks.resized = [this] { model.Form_Resize(); };
    binder.BindForm(model, this, std::move(hooks));
}

}  // namespace vesk::ui
