// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/HelpWindowView.h"

#include <QPlainTextEdit>
#include <QPushButton>

#include "ui/Binder.h"
#include "ui/WidgetTable.h"

namespace vesk::ui {

HelpWindowView::HelpWindowView(HelpWindow& modelRef, Binder& binder) : QWidget(nullptr), model(modelRef) {
    const WidgetRow rows[] = {
        {Of(model.txbHelpScreen, txbHelpScreen), Stretch(1), kReadOnly | kWrap},
        Row{},
        Spring{},
        Of(model.cmdClose, cmdClose),
        Spring{},
        End{},
    };
    LayOut(*this, rows);
    BindWidgets(binder, rows);
    resize(640, 480);
    Binder::FormHooks hooks;
    hooks.closeRequested = [this] { model.cmdClose_Click(); };
    hooks.resized = [this] { model.Form_Resize(); };
    binder.BindForm(model, this, std::move(hooks));
}

}  // namespace vesk::ui
