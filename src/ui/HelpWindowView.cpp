#include "ui/HelpWindowView.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/Binder.h"
#include "ui/Layouts.h"

namespace vesk::ui {

HelpWindowView::HelpWindowView(HelpWindow& modelRef, Binder& binder) : QWidget(nullptr), model(modelRef) {
    auto* outer = new QVBoxLayout(this);
    txbHelpScreen = new QPlainTextEdit(this);
    txbHelpScreen->setReadOnly(true);
    txbHelpScreen->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    outer->addWidget(txbHelpScreen, 1);
    cmdClose = AddCentredButton(outer, this);

    binder.BindTextArea(model.txbHelpScreen, txbHelpScreen);
    binder.BindButton(model.cmdClose, cmdClose);

    resize(640, 480);
    Binder::FormHooks hooks;
    hooks.closeRequested = [this] { model.cmdClose_Click(); };
    hooks.resized = [this] { model.Form_Resize(); };
    binder.BindForm(model, this, std::move(hooks));
}

}  // namespace vesk::ui
