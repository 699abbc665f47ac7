// SPDX-License-Identifier: GPL-3.0-or-later
// Drop-down lists: the model's items and selection, and a new selection back to it, whether the user or the
// desktop's accessibility interface made it.

#include <QComboBox>
#include <QSignalBlocker>
#include <memory>

#include "ui/Binder.h"
#include "ui/BinderParts.h"
#include "ui/QtText.h"

namespace vesk::ui {

void Binder::BindCombo(ComboBox& model, QComboBox* widget) {
    Register(model, widget);
    QPointer<QComboBox> guard(widget);
    auto shownItems = std::make_shared<std::vector<std::string>>();
    auto sync = [&model, guard, shownItems] {
        if (!guard) return;
        const QSignalBlocker blocker(guard);
        if (*shownItems != model.Items()) {
            guard->clear();
            for (const std::string& item : model.Items()) guard->addItem(ToQt(item));
            *shownItems = model.Items();
        }
        if (guard->currentIndex() != model.ListIndex()) guard->setCurrentIndex(model.ListIndex());
        SyncCommon(model, guard);
    };
    model.changed.Connect(sync);
    sync();
    connect(widget, &QComboBox::currentIndexChanged, this, [this, &model, sync](int index) {
        Dispatch([&model, index] { model.SetListIndex(index); });
        sync();
    });
}

}  // namespace vesk::ui
