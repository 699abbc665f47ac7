#pragma once
// Layout pieces that more than one window uses.

#include <QBoxLayout>
#include <QHBoxLayout>
#include <QPushButton>

namespace vesk::ui {

// A button centred on a row of its own at the end of `outer`, as the "Close" buttons stand.
inline QPushButton* AddCentredButton(QBoxLayout* outer, QWidget* parent) {
    auto* row = new QHBoxLayout;
    auto* button = new QPushButton(parent);
    row->addStretch(1);
    row->addWidget(button);
    row->addStretch(1);
    outer->addLayout(row);
    return button;
}

}  // namespace vesk::ui
