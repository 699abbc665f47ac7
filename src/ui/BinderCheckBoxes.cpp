// SPDX-License-Identifier: GPL-3.0-or-later
// Check boxes and option buttons. A change of the widget's value (a click, a key, a mnemonic or the desktop's
// accessibility interface) asks the model for the change and then shows the model's value, which its handler
// may have refused.

#include <QCheckBox>
#include <QRadioButton>
#include <QSignalBlocker>

#include "ui/Binder.h"
#include "ui/BinderParts.h"
#include "ui/Mnemonics.h"
#include "ui/QtText.h"

namespace vesk::ui {

void Binder::BindCheckBox(CheckBox& model, QCheckBox* widget) {
    Register(model, widget);
    SetCaption(*widget, ToQt(model.Caption()));
    QPointer<QCheckBox> guard(widget);
    auto sync = [&model, guard] {
        if (!guard) return;
        const QSignalBlocker blocker(guard);
        guard->setCheckState(model.Value() == 1   ? Qt::Checked
                             : model.Value() == 2 ? Qt::PartiallyChecked
                                                  : Qt::Unchecked);
        SyncCommon(model, guard);
    };
    model.changed.Connect(sync);
    sync();
    connect(widget, &QCheckBox::stateChanged, this, [this, &model, sync](int state) {
        const int value = state == Qt::Checked ? 1 : state == Qt::PartiallyChecked ? 2 : 0;
        Dispatch([&model, value] { model.SetValue(value); });
        sync();
    });
}

void Binder::BindOption(OptionButton& model, QRadioButton* widget) {
    Register(model, widget);
    SetCaption(*widget, ToQt(model.Caption()));
    QPointer<QRadioButton> guard(widget);
    auto sync = [&model, guard] {
        if (!guard) return;
        const QSignalBlocker blocker(guard);
        if (guard->isChecked() != model.Value()) {
            // An exclusive button cannot be unchecked directly; the group's other button is set by its own model.
            const bool exclusive = guard->autoExclusive();
            guard->setAutoExclusive(false);
            guard->setChecked(model.Value());
            guard->setAutoExclusive(exclusive);
        }
        SyncCommon(model, guard);
    };
    model.changed.Connect(sync);
    sync();
    // Only the button that became checked speaks; the one its group unchecked follows its own model.
    connect(widget, &QRadioButton::toggled, this, [this, &model, sync](bool checked) {
        if (checked && !model.Value()) Dispatch([&model] { model.Select(); });
        sync();
    });
}

}  // namespace vesk::ui
