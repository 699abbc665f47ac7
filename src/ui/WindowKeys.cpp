// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/WindowKeys.h"

#include <QShortcut>
#include <QWidget>

#include "ui/Binder.h"

namespace vesk::ui {

namespace {

void AddKey(QWidget& window, Binder& binder, Qt::Key key, std::function<void()> handler) {
    auto* shortcut = new QShortcut(QKeySequence(key), &window);
    shortcut->setContext(Qt::WindowShortcut);
    QObject::connect(shortcut, &QShortcut::activated, &binder,
                     [&binder, handler = std::move(handler)] { binder.Dispatch(handler); });
}

}  // namespace

void AddWindowKeys(QWidget& window, Binder& binder, std::function<void()> help, std::function<void()> close) {
    AddKey(window, binder, Qt::Key_F1, std::move(help));
    if (close) AddKey(window, binder, Qt::Key_Escape, std::move(close));
}

}  // namespace vesk::ui
